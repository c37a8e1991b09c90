// The main list and the detail fields as a user meets them: selection that
// cannot be cleared, one-line field texts, long texts, the same look at any
// count, and shortcuts of items inside a disabled submenu.
#include <QClipboard>
#include <QScrollBar>

#include "core/UCodepage.h"
#include "core/UVemDatei.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFadd_einzeluebersicht.h"
#include "tests/support/GuiTest.h"

namespace {

class ListeUndFelder : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
  QPoint mitte(int zeile) { return H().listbox->visualItemRect(H().listbox->item(zeile)).center(); }
};

TEST_F(ListeUndFelder, StrgKlickUndStrgLeertasteLeerenDieMarkierungNicht) {
  eintragen({{"A", "1"}, {"B", "2"}, {"C", "3"}});
  aktivieren();
  QTest::mouseClick(H().listbox->viewport(), Qt::LeftButton, {}, mitte(1));
  ASSERT_EQ(H().listbox->markiert(), 1);
  QTest::mouseClick(H().listbox->viewport(), Qt::LeftButton, Qt::ControlModifier, mitte(1));
  EXPECT_EQ(H().listbox->markiert(), 1);
  QTest::keyClick(H().listbox, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(H().listbox->markiert(), 1);
  QTest::mouseClick(H().listbox->viewport(), Qt::LeftButton, {}, QPoint(5, H().listbox->viewport()->height() - 3));
  EXPECT_EQ(H().listbox->markiert(), 1);
  EXPECT_EQ(H().e_interpret->text(), "B");
  EXPECT_EQ(H().L_index->text(), "2");

  // F5 changes the entry the user sees, not entry 1.
  H().e_titel->setText("neu");
  QTest::keyClick(H().listbox, Qt::Key_F5);
  EXPECT_EQ(listenzeilen(), (QStringList{"A - 1", "B - neu", "C - 3"}));
  // Another line can still be chosen, also with Ctrl.
  QTest::mouseClick(H().listbox->viewport(), Qt::LeftButton, Qt::ControlModifier, mitte(2));
  EXPECT_EQ(H().listbox->markiert(), 2);
}

TEST_F(ListeUndFelder, ZeilenumbruecheUndTabsWerdenLeerzeichen) {
  eintragen({{"A", "1"}, {"B", "2"}});
  markieren(1);
  // Pasted text with line breaks and a tab, and a decomposed umlaut.
  QGuiApplication::clipboard()->setText("Zeile 1\r\nZeile 2\tEnde");
  H().e_titel->clear();
  H().e_titel->paste();
  H().e_kommentar->setText(QString("a") + QChar(0x0308) + "\n");
  H().aendern();
  TDatensatz d;
  DatBas->get_datensatz(2, d);
  EXPECT_EQ(d.Titel.text(), "Zeile 1  Zeile 2 Ende");
  EXPECT_EQ(d.Kommentar.text(), "\xE4 ");
  EXPECT_EQ(listenzeilen()[1], "B - Zeile 1  Zeile 2 Ende");

  // The add dialog stores the same way.
  F_add->aufbauen();
  F_add->e_interpret->setText("X\tY");
  F_add->e_titel->setText("o" + QString(QChar(0x0308)) + "\r");
  ASSERT_TRUE(Connect->datensatz_hinzufuegen(F_add->e_interpret->text(), F_add->e_titel->text(), "", "", "", "", ""));
  DatBas->get_datensatz(3, d);
  EXPECT_EQ(d.Interpret.text(), "X Y");
  EXPECT_EQ(d.Titel.text(), "\xF6 ");
}

TEST_F(ListeUndFelder, GeladeneSteuerzeichenBleibenImEintragAberNichtInDerZeile) {
  TDatBas db;
  db.add_datensatz(datensatzAus("Eins\r\nZwei", "T\t1", "", "", "", "", ""));
  db.add_datensatz(datensatzAus("X", "Y", "", "", "", "", ""));
  vemSchreiben(tmp_.pfad("st.vem"), db);
  Connect->datei_oeffnen(QString::fromStdString(tmp_.pfad("st.vem")));
  EXPECT_EQ(listenzeilen(), (QStringList{"Eins  Zwei - T 1", "X - Y"}));
  TDatensatz d;
  DatBas->get_datensatz(1, d);
  EXPECT_EQ(d.Interpret.text(), "Eins\r\nZwei");
  // Every line of the list is equally high.
  EXPECT_EQ(H().listbox->visualItemRect(H().listbox->item(0)).height(),
            H().listbox->visualItemRect(H().listbox->item(1)).height());
}

TEST_F(ListeUndFelder, LangeFelderZeigenIhrenAnfang) {
  const std::string lang = "Anfang" + std::string(249, 'x');
  DatBas->add_datensatz(datensatzAus("kurz", "t", "", "", "", "", ""));
  DatBas->add_datensatz(datensatzAus(lang, lang, lang, lang, lang, lang, lang));
  Connect->liste_neu_aufbauen();
  markieren(1);
  for (QLineEdit* e : {H().e_interpret, H().e_titel, H().e_label, H().e_release, H().e_typ, H().e_genre,
                       H().e_kommentar}) {
    EXPECT_EQ(e->text().size(), 255) << e->objectName().toStdString();
    EXPECT_EQ(e->cursorPosition(), 0) << e->objectName().toStdString();
  }
  TFadd_einzeluebersicht einzel;
  einzel.Anzeigen(2);
  for (QLineEdit* e : einzel.eingabefelder()) EXPECT_EQ(e->cursorPosition(), 0) << e->objectName().toStdString();
}

TEST_F(ListeUndFelder, ListeSiehtBeiJederAnzahlGleichAus) {
  // Long lines; the same first lines in both files.
  auto datei = [&](const std::string& name, int anzahl) {
    TDatBas db;
    for (int i = 1; i <= anzahl; ++i)
      db.add_datensatz(datensatzAus("Ein ziemlich langer Interpret " + std::to_string(i),
                                    "und ein noch laengerer Titel der nicht passt", "", "", "", "", ""));
    vemSchreiben(tmp_.pfad(name), db);
  };
  datei("a.vem", 3999);
  datei("b.vem", 4000);
  aktivieren();
  auto bild = [&](const std::string& name) {
    Connect->datei_oeffnen(QString::fromStdString(tmp_.pfad(name)));
    QTest::qWait(50);
    EXPECT_FALSE(H().listbox->horizontalScrollBar()->isVisible()) << name;
    return H().listbox->viewport()->grab().toImage();
  };
  const QImage a = bild("a.vem");
  const QImage b = bild("b.vem");
  EXPECT_EQ(plattform_.meldungen.size(), 1u);  // the limit message came with the second file
  EXPECT_TRUE(a == b);
}

TEST_F(ListeUndFelder, KuerzelImGesperrtenUntermenueTunNichts) {
  eintragen({{"b", "1"}});
  aktivieren();
  Connect->file_wasnot_changed();
  ASSERT_FALSE(aktion("menue_sort")->isEnabled());
  for (auto [taste, mod] : {std::pair{Qt::Key_F6, Qt::NoModifier}, {Qt::Key_F7, Qt::NoModifier},
                            {Qt::Key_F6, Qt::ControlModifier}, {Qt::Key_F7, Qt::ControlModifier}})
    QTest::keyClick(H().listbox, taste, mod);
  EXPECT_FALSE(Connect->file_changed());
  EXPECT_EQ(listenzeilen(), QStringList{"b - 1"});

  eintragen({{"a", "2"}});
  Connect->file_wasnot_changed();
  QTest::keyClick(H().listbox, Qt::Key_F6);
  EXPECT_EQ(listenzeilen(), (QStringList{"a - 2", "b - 1"}));
  EXPECT_TRUE(Connect->file_changed());

  EXPECT_TRUE(befehlErreichbar(aktion("nachInterpret1")));
  aktion("menue_sort")->setEnabled(false);
  EXPECT_FALSE(befehlErreichbar(aktion("nachInterpret1")));
  EXPECT_FALSE(befehlErreichbar(aktion("nachGenre2")));
  EXPECT_TRUE(befehlErreichbar(aktion("neuerEintrag1")));
}

}  // namespace
