// Writing the reports from their option dialogs: save dialogs, extensions,
// the question afterwards, the please-wait window, and failed writes.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QFileInfo>

#include "dialogs/UFworking.h"
#include "report/UFexportdif.h"
#include "report/UFexporthtml.h"
#include "report/UFexporttxt.h"
#include "tests/support/GuiTest.h"

namespace {

const QString FRAGE_TITEL = "Export erfolgreich beendet";
const QString FRAGE_TEXT =
    "Die Daten der CD-Sammlungen wurden erfolgreich in den Report geschrieben!\r"
    "Wollen Sie die Datei nun mit der Standardanwendung öffnen?";

std::string erwartet(const std::string& name) {
  std::ifstream f(std::string(VEMLA_QUELLORDNER) + "/tests/report/erwartet/" + name, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

struct Zeigezaehler : QObject {
  int gezeigt = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) ++gezeigt;
    return false;
  }
};

class Export : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
  QString pfad(const std::string& name) { return QString::fromStdString(tmp_.pfad(name)); }
  // The three entries of the expected files, straight into the collection.
  void dreiEintraege() {
    DatBas->add_datensatz(datensatzAus("Die \xC4rzte", "Ger\xE4usch", "Hot & <Action>", "2003", "CD - Album (2 CDs)",
                                       "Punk Rock", "K"));
    DatBas->add_datensatz(datensatzAus(" ", " ", "", " ", "", "  ", ""));
    DatBas->add_datensatz(datensatzAus("", "  ", "Preis 5 \x80", "1991", "", "Say \"hi\" there", ""));
    Connect->liste_neu_aufbauen();
    Connect->anzeigen_aktualisieren();
  }
  void eintraege(int n) {
    for (int i = 1; i <= n; ++i) DatBas->add_datensatz(datensatzAus("I" + std::to_string(i), "T", "", "", "", "", ""));
    Connect->liste_neu_aufbauen();
    Connect->anzeigen_aktualisieren();
  }
  // Opens the dialog through its menu entry and presses "&exportieren"; "imDialog" runs afterwards, still inside.
  void exportieren(const char* menue, const std::function<void(TF_print_export&)>& vorher,
                   const std::function<void(TF_print_export&)>& nachher = {}) {
    plattform_.fensterSkripte.push_back([vorher, nachher](QDialog& d) {
      auto& dialog = dynamic_cast<TF_print_export&>(d);
      if (vorher) vorher(dialog);
      dialog.B_action->click();
      if (nachher) nachher(dialog);
    });
    aktion(menue)->trigger();
  }
};

}  // namespace

TEST_F(Export, TextdateiMitEndungFrageUndOeffnen) {
  dreiEintraege();
  plattform_.dateinamen = {pfad("liste")};
  plattform_.antworten = {TAntwort::Ja};
  bool offenNachher = true;
  exportieren("Textdateitxt1", {}, [&](TF_print_export& d) { offenNachher = d.isVisible(); });
  EXPECT_FALSE(offenNachher);
  const TDateiDialog& dlg = plattform_.dateiDialoge.at(0);
  EXPECT_EQ(dlg.titel, "CD-Sammlung exportieren: Report schreiben (Textdatei)");
  EXPECT_EQ(dlg.vorschlag, "CD-Sammlung1.txt");
  ASSERT_EQ(dlg.typen.size(), 2u);
  EXPECT_EQ(dlg.typen[0].beschreibung, "Textdateien  (*.txt)");
  EXPECT_EQ(dlg.typen[0].muster, "*.txt");
  EXPECT_EQ(dlg.typen[1].beschreibung, "alle Dateien");
  EXPECT_EQ(dlg.typen[1].muster, "*.*");
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("liste.txt")) == erwartet("txt_drei_alle.txt"));
  EXPECT_FALSE(dateiExistiertOeffentlich(tmp_.pfad("liste")));
  ASSERT_EQ(plattform_.meldungen.size(), 1u);
  EXPECT_EQ(plattform_.meldungen[0].titel, FRAGE_TITEL);
  EXPECT_EQ(plattform_.meldungen[0].text, FRAGE_TEXT);
  EXPECT_EQ(plattform_.meldungen[0].knoepfe, TKnoepfe::JaNein);
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{pfad("liste.txt")});
  // The save dialog offers the extended name next time.
  EXPECT_EQ(H().reports().savedialog_txt.vorschlag, pfad("liste.txt"));

  // Options switched off in the dialog go into the next report; "No" opens nothing.
  plattform_.dateinamen = {pfad("ohne.txt")};
  exportieren("Textdateitxt1", [](TF_print_export& d) {
    for (QCheckBox* c : {d.cb_num, d.cb_gen, d.cb_lab, d.cb_rel}) c->click();
  });
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("ohne.txt")) == erwartet("txt_drei_keine.txt"));
  EXPECT_EQ(plattform_.geoeffneteDokumente.size(), 1u);
  EXPECT_EQ(H().reports().savedialog_txt.vorschlag, pfad("liste.txt"));
}

TEST_F(Export, HtmlMitThemaOhneGemerktenNamen) {
  dreiEintraege();
  plattform_.dateinamen = {pfad("seite")};
  plattform_.antworten = {TAntwort::Nein};
  bool offenNachher = true;
  exportieren("htmlDatei1", [](TF_print_export&) { Fexporthtml->CBHtmlLayout->setCurrentIndex(THEMA_GELB); },
              [&](TF_print_export& d) { offenNachher = d.isVisible(); });
  EXPECT_FALSE(offenNachher);
  const TDateiDialog& dlg = plattform_.dateiDialoge.at(0);
  EXPECT_EQ(dlg.titel, "CD-Sammlung exportieren: Report schreiben (HTML-Datei)");
  EXPECT_EQ(dlg.vorschlag, "CD-Sammlung1.html");
  EXPECT_EQ(dlg.typen.at(0).beschreibung, "HTML - Datei  (*.html  /  *.htm )");
  EXPECT_EQ(dlg.typen.at(0).muster, "*.htm*");
  EXPECT_EQ(dlg.typen.at(1).beschreibung, "alle Dateien");
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("seite.html")) == erwartet("html_drei_alle_gelb.html"));
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{FRAGE_TITEL + "|" + FRAGE_TEXT});
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());
  EXPECT_EQ(H().reports().savedialog_html.vorschlag, "CD-Sammlung1.html");

  plattform_.dateinamen = {pfad("seite.htm")};
  exportieren("htmlDatei1", {});
  EXPECT_TRUE(dateiExistiertOeffentlich(tmp_.pfad("seite.htm")));
  EXPECT_FALSE(dateiExistiertOeffentlich(tmp_.pfad("seite.htm.html")));
}

TEST_F(Export, DifMitEndungGemerkt) {
  dreiEintraege();
  plattform_.dateinamen = {pfad("tabelle.DIF")};
  plattform_.antworten = {TAntwort::Ja};
  exportieren("ExcelDokumentdif1", {});
  const TDateiDialog& dlg = plattform_.dateiDialoge.at(0);
  EXPECT_EQ(dlg.titel, "CD-Sammlung exportieren: Report schreiben (Excel-Dokument)");
  EXPECT_EQ(dlg.vorschlag, "CD-Sammlung1.dif");
  EXPECT_EQ(dlg.typen.at(0).beschreibung, "Excel-Dokument (*.dif)");
  EXPECT_EQ(dlg.typen.at(0).muster, "*.dif");
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("tabelle.DIF.dif")) == erwartet("dif_drei_alle.dif"));
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{pfad("tabelle.DIF.dif")});
  EXPECT_EQ(H().reports().savedialog_dif.vorschlag, pfad("tabelle.DIF.dif"));
}

TEST_F(Export, AbbrechenLaesstDenDialogOffen) {
  dreiEintraege();
  for (const char* menue : {"Textdateitxt1", "htmlDatei1", "ExcelDokumentdif1"}) {
    bool offen = false;
    exportieren(menue, {}, [&](TF_print_export& d) { offen = d.isVisible(); });
    EXPECT_TRUE(offen) << menue;
  }
  EXPECT_EQ(plattform_.dateiDialoge.size(), 3u);
  EXPECT_TRUE(plattform_.meldungen.empty());
  EXPECT_TRUE(std::filesystem::is_empty(tmp_.pfad()));
}

TEST_F(Export, SchreibfehlerMeldenUndDialogBleibtOffen) {
  dreiEintraege();
  const std::string ordner = tmp_.pfad("geschuetzt");
  std::filesystem::create_directory(ordner);
  for (const char* name : {"r.txt", "r.html", "r.dif"}) dateiSchreiben(ordner + "/" + name, "alt");
  std::filesystem::create_symlink("/dev/full", tmp_.pfad("voll.txt"));
  std::filesystem::create_symlink("/dev/full", tmp_.pfad("voll.html"));
  std::filesystem::create_symlink("/dev/full", tmp_.pfad("voll.dif"));
  struct Fall {
    const char* menue;
    std::string ziel;
    const char* text;
  } faelle[] = {
      {"Textdateitxt1", ordner + "/r.txt", "Dateizugriff verweigert."},
      {"htmlDatei1", ordner + "/r.html", "Dateizugriff verweigert."},
      {"ExcelDokumentdif1", ordner + "/r.dif", "Dateizugriff verweigert."},
      {"Textdateitxt1", tmp_.pfad("voll.txt"), "Zu wenig Speicherplatz."},
      {"htmlDatei1", tmp_.pfad("voll.html"), "Zu wenig Speicherplatz."},
      {"ExcelDokumentdif1", tmp_.pfad("voll.dif"), "Zu wenig Speicherplatz."},
  };
  auto pruefen = [this](const Fall& f) {
    plattform_.meldungen.clear();
    plattform_.antworten = {TAntwort::Ja};
    plattform_.dateinamen = {QString::fromStdString(f.ziel)};
    bool offen = false;
    exportieren(f.menue, {}, [&](TF_print_export& d) { offen = d.isVisible(); });
    EXPECT_TRUE(offen) << f.ziel;
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{QString(" Vemla |") + f.text}) << f.ziel;
    if (!plattform_.meldungen.empty()) {
      EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Stopp);
    }
    EXPECT_FALSE(Fworking->isVisible());
  };
  ::chmod(ordner.c_str(), 0555);
  {
    OhneRootRechte ohne;
    for (int i = 0; i < 3; ++i) pruefen(faelle[i]);
  }
  ::chmod(ordner.c_str(), 0755);
  for (int i = 3; i < 6; ++i) pruefen(faelle[i]);
  for (const char* name : {"r.txt", "r.html", "r.dif"}) EXPECT_EQ(dateiInhalt(ordner + "/" + name), "alt") << name;
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());
}

// A name in a folder that does not exist is refused by the save dialog, which
// stays open; the next name is taken. Nothing reaches the general error box.
TEST_F(Export, SpeicherdialogVerlangtEinenVorhandenenOrdner) {
  dreiEintraege();
  for (const char* menue : {"Textdateitxt1", "htmlDatei1", "ExcelDokumentdif1"}) {
    plattform_.meldungen.clear();
    plattform_.dateiDialoge.clear();
    const QString fehlt = pfad("fehlt") + "/r", gut = pfad(std::string("r_") + menue);
    plattform_.dateinamen = {fehlt, gut};
    exportieren(menue, {}, [](TF_print_export&) {});
    ASSERT_EQ(plattform_.dateiDialoge.size(), 1u) << menue;
    ASSERT_GE(plattform_.meldungen.size(), 2u) << menue;
    EXPECT_EQ(plattform_.meldungen[0].titel, plattform_.dateiDialoge[0].titel) << menue;
    EXPECT_EQ(plattform_.meldungen[0].text,
              pfad("fehlt") + "\rDer Pfad existiert nicht.\rÜberprüfen Sie den Pfad, und wiederholen Sie den Vorgang.")
        << menue;
    EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Warnung) << menue;
    EXPECT_EQ(plattform_.meldungen[1].titel, FRAGE_TITEL) << menue;
    EXPECT_FALSE(QFileInfo::exists(pfad("fehlt"))) << menue;
  }
}

TEST_F(Export, BitteWartenAb601) {
  Zeigezaehler zaehler;
  Fworking->installEventFilter(&zaehler);
  for (const auto& [anzahl, gezeigt] : {std::pair{600, 0}, std::pair{601, 1}}) {
    Connect->neue_sammlung();
    eintraege(anzahl);
    for (const char* menue : {"Textdateitxt1", "htmlDatei1", "ExcelDokumentdif1"}) {
      zaehler.gezeigt = 0;
      plattform_.dateinamen = {pfad("gross")};
      exportieren(menue, {});
      EXPECT_EQ(zaehler.gezeigt, gezeigt) << menue << " " << anzahl;
      EXPECT_FALSE(Fworking->isVisible());
    }
  }
  Fworking->removeEventFilter(&zaehler);
}

TEST_F(Export, VierTausendEintraege) {
  eintraege(MAX_DATENSAETZE);
  plattform_.dateinamen = {pfad("gross"), pfad("gross"), pfad("gross")};
  exportieren("Textdateitxt1", {});
  exportieren("htmlDatei1", {});
  exportieren("ExcelDokumentdif1", {});
  const std::string txt = dateiInhalt(tmp_.pfad("gross.txt"));
  EXPECT_NE(txt.find("\r\n 4000 I4000 - T\r\n"), std::string::npos);
  EXPECT_NE(dateiInhalt(tmp_.pfad("gross.html")).find("<tr> <td>4000</td>  <td>I4000</td>  <td>T</td>"),
            std::string::npos);
  EXPECT_NE(dateiInhalt(tmp_.pfad("gross.dif")).find("1,0\r\n\"4000 \"\r\n1,0\r\n\"I4000 \"\r\n"), std::string::npos);
  EXPECT_EQ(plattform_.meldungen.size(), 3u);
}
