// The statistics window as a user meets it: opened from the menu, charts
// switched by keyboard, a bar chosen marks its first entry, the chart saved.
#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>

#include "angaben/UAngaben.h"
#include "app/UDateiDialog.h"
#include "stat/UFStatistik.h"
#include "tests/support/GuiTest.h"

namespace {

class StatistikFenster : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
    struct E {
      const char *interpret, *genre, *release;
    };
    for (const E& e : {E{"Queen", "Rock", "1975"}, E{"ABBA", "Pop", "1976"}, E{"queen", "Rock", "1986"},
                       E{"Blümchen", "", "x"}})
      ASSERT_TRUE(Connect->datensatz_hinzufuegen(QString::fromUtf8(e.interpret), "T", "", e.release, "LP", e.genre, ""));
  }
  void imFenster(const std::function<void(TFStatistik&)>& schritte) {
    imModalenFenster([this] { aktion("menue_statistik")->trigger(); }, [&] { schritte(*FStatistik); });
  }
  // The bars as a screen reader names them.
  static QStringList balken(const TFStatistik& f) {
    QStringList l;
    QAccessibleInterface* liste = QAccessible::queryAccessibleInterface(f.LB_balken);
    for (int i = 0; i < liste->childCount(); ++i) l << liste->child(i)->text(QAccessible::Name);
    // Without a screen reader listening, Qt does not renew its cells when the chart changes.
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(liste));
    return l;
  }
};

TEST_F(StatistikFenster, MenueDiagrammeUndMarkieren) {
  QAction* a = aktion("menue_statistik");
  EXPECT_EQ(a->text(), "&Statistik...");  // reached by Alt+O, A, S
  EXPECT_EQ(a->shortcut(), QKeySequence("Ctrl+F8"));
  const QList<QAction*> ansicht = finde<QMenu>("menue_gesamtbersicht_menue")->actions();
  EXPECT_EQ(ansicht.indexOf(a), ansicht.indexOf(aktion("menue_gesamtbersicht1")) + 1);

  imFenster([&](TFStatistik& f) {
    EXPECT_EQ(f.windowTitle(), "Vemla - Statistik");
    EXPECT_EQ(f.L_eintraege->text(), "Einträge: 4");
    EXPECT_EQ(balken(f), QStringList{"LP: 4 Einträge, 100,0 %"});
    taste(f.LB_diagramme, Qt::Key_Down);  // Genre
    EXPECT_EQ(balken(f), (QStringList{"Rock: 2 Einträge, 50,0 %", "Pop: 1 Eintrag, 25,0 %",
                                      "ohne Genre: 1 Eintrag, 25,0 %"}));
    taste(f.LB_diagramme, Qt::Key_Down);  // decades
    EXPECT_EQ(balken(f), (QStringList{"1970er: 2 Einträge, 50,0 %", "1980er: 1 Eintrag, 25,0 %",
                                      "ohne Jahr: 1 Eintrag, 25,0 %"}));
    // A double click on "1980er" marks its first entry (the third) and closes.
    QListWidget* l = f.LB_balken;
    const QPoint mitte = l->visualItemRect(l->item(1)).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, mitte);  // the first click of the two
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, mitte);
    EXPECT_FALSE(f.isVisible());
  });
  EXPECT_EQ(H().listbox->currentRow(), 2);
  EXPECT_EQ(H().e_interpret->text(), "queen");

  imFenster([&](TFStatistik& f) {  // the chart stays chosen; Enter on a bar does the same
    taste(f.LB_diagramme, Qt::Key_Down);  // Interpreten: "Queen" and "queen" are one group
    EXPECT_EQ(balken(f), (QStringList{"Queen: 2 Einträge, 50,0 %", "ABBA: 1 Eintrag, 25,0 %",
                                      "Blümchen: 1 Eintrag, 25,0 %"}));
    f.LB_balken->setCurrentRow(2);
    taste(f.LB_balken, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
  });
  EXPECT_EQ(H().listbox->currentRow(), 3);
}

TEST_F(StatistikFenster, AlsBildSpeichern) {
  const QString png = QString::fromStdString(tmp_.pfad("genre")), svg = QString::fromStdString(tmp_.pfad("g.svg"));
  plattform_.dateinamen = {png, svg};
  imFenster([&](TFStatistik& f) {
    f.LB_diagramme->setCurrentRow(1);
    f.B_bild->click();  // ".png" is added
    f.B_bild->click();
  });
  EXPECT_EQ(QImage(png + ".png").size(), QSize(640, 2 * 12 + 28 + 3 * 24));  // title and three bars
  QFile f(svg);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray inhalt = f.readAll();
  EXPECT_TRUE(inhalt.contains("<svg") && inhalt.contains("Rock")) << inhalt.left(300).toStdString();
  EXPECT_EQ(plattform_.dateiDialoge.at(0).vorschlag, "Statistik-Genre.png");
  EXPECT_TRUE(plattform_.meldungen.empty());
}

// A long Typ or Label is cut short in the window as in the saved image: every
// bar and count shows without scrolling sideways.
TEST_F(StatistikFenster, LangeNamenGekuerzt) {
  const struct {
    int diagramm;
    QString typ, label;
  } faelle[] = {{0, QString(94, 'T'), ""}, {4, "LP", QString(245, 'L')}};
  for (const auto& f : faelle)
    ASSERT_TRUE(Connect->datensatz_hinzufuegen("Queen", "T", f.label, "1977", f.typ, "Rock", ""));
  for (const auto& f : faelle) {
    imFenster([&](TFStatistik& s) {
      s.LB_diagramme->setCurrentRow(f.diagramm);
      QListWidget* l = s.LB_balken;
      l->setCurrentRow(-1);
      EXPECT_EQ(l->horizontalScrollBar()->maximum(), 0) << f.diagramm;
      const QRect zeile = l->visualItemRect(l->item(0));
      EXPECT_LE(zeile.right(), l->viewport()->width()) << f.diagramm;
      // The bar is drawn within the row: its colour appears in the list's right three fifths.
      const QImage bild = l->viewport()->grab().toImage();
      const QRgb balken = l->palette().color(QPalette::Highlight).rgb();
      int gefunden = 0;
      for (int x = zeile.width() * 2 / 5; x < zeile.width(); ++x) gefunden += bild.pixel(x, zeile.center().y()) == balken;
      EXPECT_GT(gefunden, 0) << f.diagramm;
    });
  }
}

// The collector's details: loans and prices in a line of their own, grades and
// places as charts after the others; a bar leads to its first entry.
TEST_F(StatistikFenster, Sammlerangaben) {
  // Queen: VG+, "Regal 1", overdue, 19,99; ABBA: "Kiste", lent, 1.234,00; Blümchen: NM.
  const auto angaben = [](int pos, TZustand z, const char* ort, const char* an, const char* bis,
                          std::optional<long long> preis) {
    TAngaben a;
    a.zustandTontraeger = z;
    a.standort = ort;
    a.verliehenAn = an;
    a.zurueckBis = bis;
    a.preisCent = preis;
    Connect->angabenAendern(pos, a);
  };
  angaben(1, TZustand::VGplus, "Regal 1", "Carla", "2000-01-01", 1999);
  angaben(2, TZustand::Keiner, "Kiste", "Bernd", "2100-01-01", 123400);
  angaben(4, TZustand::NM, "", "", "", std::nullopt);
  imFenster([&](TFStatistik& f) {
    EXPECT_EQ(f.L_eintraege->text(), "Einträge: 4");
    EXPECT_EQ(f.L_angaben->text(),
              "Verliehen: 2, davon 1 überfällig    Summe der Kaufpreise: 1.253,99 € (2 Einträge mit Preis)");
    EXPECT_EQ(f.LB_diagramme->item(5)->text(), "Zustand Tonträger");
    f.LB_diagramme->setCurrentRow(5);
    EXPECT_EQ(balken(f), (QStringList{"NM: 1 Eintrag, 25,0 %", "VG+: 1 Eintrag, 25,0 %",
                                      "ohne Angabe: 2 Einträge, 50,0 %"}));
    taste(f.LB_diagramme, Qt::Key_Down);
    taste(f.LB_diagramme, Qt::Key_Down);  // Standort
    EXPECT_EQ(balken(f), (QStringList{"Regal 1: 1 Eintrag, 25,0 %", "Kiste: 1 Eintrag, 25,0 %",
                                      "ohne Angabe: 2 Einträge, 50,0 %"}));
    f.LB_balken->setCurrentRow(2);
    taste(f.LB_balken, Qt::Key_Return);
  });
  EXPECT_EQ(H().listbox->currentRow(), 2);  // the first entry without a place
}

// A saved image is light whatever the desktop's theme.
TEST_F(StatistikFenster, BildHellAuchBeiDunklemThema) {
  imFenster([&](TFStatistik& f) {
    QPalette dunkel = f.palette();
    dunkel.setColor(QPalette::Base, Qt::black);
    dunkel.setColor(QPalette::Text, Qt::white);
    f.setPalette(dunkel);
    const QImage bild = f.bild();
    EXPECT_EQ(QColor(bild.pixel(1, 1)), QColor(Qt::white));
    EXPECT_EQ(QColor(bild.pixel(bild.width() - 2, bild.height() - 2)), QColor(Qt::white));
    f.setPalette(QPalette());
  });
}

// In the save dialog, the type chosen decides the ending of a name typed without one.
TEST_F(StatistikFenster, GewaehlterTypBestimmtDieEndung) {
  const struct {
    const char* typ;
    const char* name;
    const char* datei;
  } faelle[] = {
      {"SVG-Grafik (*.svg)", "diagramm", "diagramm.svg"},
      {"PNG-Bild (*.png)", "diagramm", "diagramm.png"},
      {"SVG-Grafik (*.svg)", "bild.png", "bild.png"},
  };
  for (const auto& f : faelle) {
    const TDateiDialog d{"Diagramm als Bild speichern",
                         {{"PNG-Bild (*.png)", "*.png"}, {"SVG-Grafik (*.svg)", "*.svg"}},
                         "Statistik-Genre.png",
                         "png"};
    const auto dlg = dateiDialogBauen(d, true, nullptr);
    dlg->setDirectory(QString::fromStdString(tmp_.pfad("")));
    dlg->selectNameFilter(f.typ);
    dlg->findChild<QLineEdit*>("fileNameEdit")->setText(f.name);
    QMetaObject::invokeMethod(dlg.get(), "accept");
    ASSERT_EQ(dlg->result(), QDialog::Accepted) << f.typ;
    EXPECT_EQ(QFileInfo(dlg->selectedFiles().value(0)).fileName(), f.datei) << f.typ;
  }
}

}  // namespace
