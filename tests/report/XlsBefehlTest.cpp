// The spreadsheet export from the main window: save dialog, the overview as
// the source of the cells, please-wait, the question after success, and the
// Excel file LibreOffice leaves behind, read back with xlrd.
#include <QDir>

#include "dialogs/UFOptionen.h"
#include "dialogs/UFworking.h"
#include "tests/report/Werkzeuge.h"
#include "tests/support/GuiTest.h"
#include "tests/support/VollerDatentraeger.h"

namespace {

const QString ERFOLG =
    "Export erfolgreich beendet|Die Daten der CD-Sammlungen wurden erfolgreich in den Report geschrieben!\r"
    "Sie können den Report mit Excel formatieren und bearbeiten.\r"
    "Wollen Sie die Datei jetzt mit der Standardanwendung öffnen?";

class XlsBefehl : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
    Fworking->installEventFilter(&warten_);
  }
  void TearDown() override {
    Fworking->removeEventFilter(&warten_);
    GuiTest::TearDown();
  }
  QString pfad(const std::string& name) { return QString::fromStdString(tmp_.pfad(name)); }
  void eintrag(const char* i, const char* t, const char* l, const char* r, const char* typ, const char* g,
               const char* k) {
    ASSERT_TRUE(Connect->datensatz_hinzufuegen(QString::fromUtf8(i), QString::fromUtf8(t), QString::fromUtf8(l),
                                               QString::fromUtf8(r), QString::fromUtf8(typ), QString::fromUtf8(g),
                                               QString::fromUtf8(k)));
  }
  TZeigeZaehler warten_;
};

using Reihe = std::vector<QString>;

std::vector<Reihe> texte(const TXlsMappe& m) {
  std::vector<Reihe> r;
  for (const auto& reihe : m.zellen) {
    r.emplace_back();
    for (const auto& [typ, text] : reihe) r.back().push_back(typ == 1 ? text : "<" + QString::number(typ) + ">" + text);
  }
  return r;
}

TEST_F(XlsBefehl, DreiEintraegeWerdenEineMappeMitKopfzeile) {
  eintrag("Ärzte", "Geräusch", "Hot Action", "2003", "CD", "Punk", "12 €");
  eintrag("ABBA", " ", "", "1976", "LP", "", "");
  eintrag("Björk", "Homogenic", "One Little Indian", "1997", "CD", "Elektronik", "ß");
  plattform_.dateinamen = {pfad("bestand")};
  plattform_.antworten = {TAntwort::Ja};
  aktion("xls1")->trigger();

  ASSERT_EQ(plattform_.dateiDialoge.size(), 1u);
  const TDateiDialog& d = plattform_.dateiDialoge[0];
  EXPECT_EQ(d.titel, "CD-Sammlung exportieren: Report schreiben (Excel-Dokument)");
  EXPECT_EQ(d.vorschlag, "CD-Sammlung1.xls");
  ASSERT_EQ(d.typen.size(), 2u);
  EXPECT_EQ(d.typen[0].beschreibung + "|" + d.typen[0].muster + "|" + d.typen[1].beschreibung + "|" + d.typen[1].muster,
            "Excel-Dokument (*.xls)|*.xls|alle Dateien|*.*");
  EXPECT_EQ(warten_.gezeigt, 1);  // whatever the number of entries
  EXPECT_FALSE(Fworking->isVisible());
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{ERFOLG});
  EXPECT_EQ(plattform_.meldungen[0].knoepfe, TKnoepfe::JaNein);
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{pfad("bestand.xls")});

  const TXlsMappe m = xlsLesen(pfad("bestand.xls"));
  EXPECT_EQ(m.biffVersion, 80);
  EXPECT_EQ(m.blaetter, QStringList{"My Sheet Name"});
  EXPECT_EQ(texte(m), (std::vector<Reihe>{{"#", "Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"},
                                          {"1", "Ärzte", "Geräusch", "Hot Action", "2003", "CD", "Punk", "12 €"},
                                          {"2", "ABBA", " ", "<0>", "1976", "LP", "<0>", "<0>"},
                                          {"3", "Björk", "Homogenic", "One Little Indian", "1997", "CD", "Elektronik", "ß"}}));
}

TEST_F(XlsBefehl, EndungMitGrossbuchstabenWirdErgaenztUndStrgR) {
  eintrag("A", "B", "", "", "", "", "");
  aktivieren();
  plattform_.dateinamen = {pfad("bestand.XLS")};
  QTest::keyClick(&H(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_TRUE(QFile::exists(pfad("bestand.XLS.xls")));
  EXPECT_FALSE(QFile::exists(pfad("bestand.XLS")));
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{ERFOLG});
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());  // answered No
  // The dialog offers the extended name next time.
  aktion("xls1")->trigger();
  EXPECT_EQ(plattform_.dateiDialoge.back().vorschlag, pfad("bestand.XLS.xls"));
}

TEST_F(XlsBefehl, AbbrechenTutNichts) {
  eintrag("A", "B", "", "", "", "", "");
  aktion("xls1")->trigger();
  EXPECT_EQ(plattform_.dateiDialoge.size(), 1u);
  EXPECT_TRUE(plattform_.automationen.empty());
  EXPECT_TRUE(plattform_.meldungen.empty());
  EXPECT_EQ(warten_.gezeigt, 0);
}

TEST_F(XlsBefehl, OhneLibreOfficeDerAllgemeineFehler) {
  eintrag("A", "B", "", "", "", "", "");
  QDir().mkdir(pfad("leer"));
  UmgebungSetzen ohneSoffice("PATH", QFile::encodeName(pfad("leer")));
  plattform_.dateinamen = {pfad("x.xls")};
  aktion("xls1")->trigger();
  ASSERT_EQ(plattform_.meldungen.size(), 1u);
  EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Stopp);
  EXPECT_EQ(plattform_.meldungen[0].text, "Ungültige Klassenzeichenfolge.");
  EXPECT_FALSE(Fworking->isVisible());
  EXPECT_FALSE(QFile::exists(pfad("x.xls")));
}

TEST_F(XlsBefehl, MisslungenesSpeichernWarntUndDieAlteDateiBleibt) {
  eintrag("A", "B", "", "", "", "", "");
  QDir().mkdir(pfad("attrappe"));
  sofficeAttrappe(pfad("attrappe"), "nichts");
  UmgebungSetzen nurAttrappe("PATH", QFile::encodeName(pfad("attrappe")));
  dateiSchreiben(tmp_.pfad("alt.xls"), "alte Mappe");
  plattform_.dateinamen = {pfad("alt.xls")};
  aktion("xls1")->trigger();
  EXPECT_EQ(dateiInhalt(tmp_.pfad("alt.xls")), "alte Mappe");
  ASSERT_EQ(plattform_.meldungen.size(), 1u);
  EXPECT_EQ(plattform_.meldungen[0].titel, "Fehler:");
  EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Warnung);
  EXPECT_EQ(plattform_.meldungen[0].text,
            "Die Excel-Datei konnte nicht gespeichert werden!\r" + pfad("alt.xls"));
  EXPECT_FALSE(Fworking->isVisible());
}

// A full disk, with no room at all and with room for part of the workbook:
// the old workbook stays whole, the warning names the reason, no success question.
TEST_F(XlsBefehl, VollerDatentraegerWarntUndDieAlteMappeBleibt) {
  QDir().mkdir(pfad("platte"));
  VollerDatentraeger platte(tmp_.pfad("platte"));
  if (!platte.bereit()) GTEST_SKIP() << "ein eigenes Dateisystem einzuhängen braucht root";
  eintrag("A", "B", "", "", "", "", "");
  QDir().mkdir(pfad("attrappe"));
  sofficeAttrappe(pfad("attrappe"), "gross");
  UmgebungSetzen nurAttrappe("PATH", QFile::encodeName(pfad("attrappe")));
  const QString alt = QString::fromStdString(platte.pfad("alt.xls"));
  for (const long frei : {0L, 4096L}) {
    plattform_.meldungen.clear();
    dateiSchreiben(alt.toStdString(), "alte Mappe");
    platte.fuellen(frei);
    plattform_.dateinamen = {alt};
    aktion("xls1")->trigger();
    EXPECT_EQ(dateiInhalt(alt.toStdString()), "alte Mappe") << frei;
    EXPECT_EQ(plattform_.meldungsTexte(),
              QStringList{"Fehler:|Die Excel-Datei konnte nicht gespeichert werden!\r" + alt + "\rZu wenig Speicherplatz."})
        << frei;
    EXPECT_EQ(QDir(QString::fromStdString(platte.pfad(""))).entryList(QDir::Files | QDir::Hidden).size(), 2) << frei;
  }
  EXPECT_FALSE(Fworking->isVisible());
}

TEST_F(XlsBefehl, VierTausendEintraegeUndGespeicherteAnsicht) {
  for (int n = 1; n <= 4000; ++n)
    DatBas->add_datensatz(datensatzAus("I" + std::to_string(n), "T\xE4" + std::to_string(n), "", "", "", "", "\x80"));
  Connect->liste_neu_aufbauen();
  Connect->anzeigen_aktualisieren();
  FOptionen->cb_saveview_gesamt->setChecked(true);
  plattform_.dateinamen = {pfad("gross.xls")};
  aktion("xls1")->trigger();
  const TXlsMappe m = xlsLesen(pfad("gross.xls"));
  ASSERT_EQ(m.zellen.size(), 4001u);
  EXPECT_EQ(texte(m)[4000], (Reihe{"4000", "I4000", "Tä4000", "<0>", "<0>", "<0>", "<0>", "€"}));
  // Closing the overview after filling it stored its view.
  EXPECT_EQ(iniWert("Gesamtuebersicht", "formularbreite"), "791");
}

}  // namespace
