// The file dialogs as the user meets them: the file types named exactly as the
// program names them and filtering by their patterns, and a name in a folder
// that does not exist refused while the dialog stays open.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "app/UDateiDialog.h"
#include "tests/support/TempOrdner.h"
#include "tests/support/TestPlattform.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join("|").toStdString() << ']'; }

namespace {

QStringList eintraege(const QComboBox& c) {
  QStringList r;
  for (int i = 0; i < c.count(); ++i) r << c.itemText(i);
  return r;
}

// The names the dialog lists in its folder, sorted.
QStringList sichtbar(const QFileDialog& d) {
  const auto* liste = d.findChild<QListView*>("listView");
  QStringList r;
  if (!liste) return r;
  for (int i = 0; i < liste->model()->rowCount(liste->rootIndex()); ++i)
    r << liste->model()->index(i, 0, liste->rootIndex()).data().toString();
  r.sort();
  return r;
}

TEST(DateiDialog, DateitypenWortgetreuUndNachIhremMuster) {
  TTestPlattform plattform;
  TempOrdner tmp;
  for (const char* name : {"liste.html", "alt.htm", "notiz.txt", "LIESMICH", "sammlung.vem"})
    dateiSchreiben(tmp.pfad(name), "x");
  const QStringList ALLE = {"LIESMICH", "alt.htm", "liste.html", "notiz.txt", "sammlung.vem"};
  const struct {
    std::vector<TDateityp> typen;
    QStringList ersteListe;
  } faelle[] = {
      {{{"Textdateien  (*.txt)", "*.txt"}, {"alle Dateien", "*.*"}}, {"notiz.txt"}},
      {{{"HTML - Datei  (*.html  /  *.htm )", "*.htm*"}, {"alle Dateien", "*.*"}}, {"alt.htm", "liste.html"}},
      {{{"CD-Sammlungen (Vemla-Dateien) (*.vem)", "*.vem"}, {"alle Dateien (*.*)", "*.*"}}, {"sammlung.vem"}},
  };
  for (const auto& f : faelle) {
    const auto dlg = dateiDialogBauen({"Titel", f.typen, "", ""}, true, nullptr);
    dlg->setDirectory(QString::fromStdString(tmp.pfad()));
    dlg->show();
    const auto* typen = dlg->findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(typen, nullptr);
    EXPECT_EQ(eintraege(*typen), (QStringList{f.typen[0].beschreibung, f.typen[1].beschreibung}));
    QTRY_COMPARE(sichtbar(*dlg), f.ersteListe);
    dlg->selectNameFilter(f.typen[1].beschreibung);
    EXPECT_EQ(typen->currentIndex(), 1);
    QTRY_COMPARE(sichtbar(*dlg), ALLE);
  }
}

TEST(DateiDialog, OrdnerDesNamensMussExistieren) {
  TTestPlattform plattform;
  TempOrdner tmp;
  const QString ordner = QString::fromStdString(tmp.pfad());
  for (const bool speichern : {true, false}) {
    plattform.meldungen.clear();
    const auto dlg = dateiDialogBauen({"Titel des Dialogs", {{"Textdateien  (*.txt)", "*.txt"}}, "", "txt"},
                                      speichern, nullptr);
    dlg->setDirectory(ordner);
    dlg->show();
    auto* name = dlg->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    auto* knopf = dlg->findChild<QDialogButtonBox*>("buttonBox")->button(speichern ? QDialogButtonBox::Save
                                                                                      : QDialogButtonBox::Open);
    dateiSchreiben(tmp.pfad("notiz.txt"), "eine Datei, kein Ordner");
    for (const QString& falsch : QStringList{"fehlt/liste.txt", ordner + "/fehlt/tief/liste.txt", "notiz.txt/liste.txt"}) {
      name->setText(falsch);
      ASSERT_TRUE(knopf->isEnabled()) << falsch.toStdString();
      knopf->click();
      EXPECT_TRUE(dlg->isVisible()) << falsch.toStdString();
      EXPECT_EQ(dlg->result(), QDialog::Rejected) << falsch.toStdString();
    }
    ASSERT_EQ(plattform.meldungen.size(), 3u) << speichern;
    const QString rest = "\rDer Pfad existiert nicht.\rÜberprüfen Sie den Pfad, und wiederholen Sie den Vorgang.";
    EXPECT_EQ(plattform.meldungen[0].titel, "Titel des Dialogs");
    EXPECT_EQ(plattform.meldungen[0].symbol, TSymbol::Warnung);
    EXPECT_EQ(plattform.meldungen[0].text, ordner + "/fehlt" + rest);
    EXPECT_EQ(plattform.meldungen[1].text, ordner + "/fehlt/tief" + rest);
    EXPECT_EQ(plattform.meldungen[2].text, ordner + "/notiz.txt" + rest);
    // A file that does not exist yet in a folder that does is taken.
    name->setText("neu.txt");
    knopf->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->selectedFiles(), QStringList{ordner + "/neu.txt"});
    EXPECT_EQ(plattform.meldungen.size(), 3u);
  }
}

}  // namespace
