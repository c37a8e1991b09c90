// Printing from the main window: the print option dialog, the system print
// dialog (a PDF file in the tests), the printed list read back with poppler.
#include <QCheckBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPrinter>
#include <filesystem>

#include "dialogs/UFworking.h"
#include "report/UFprint.h"
#include "sicherung/USicherung.h"
#include "sicherung/UWiederherstellen.h"
#include "tests/report/Werkzeuge.h"
#include "tests/support/GuiTest.h"
#include "tests/support/VollerDatentraeger.h"

namespace {

const QString ERTEILT =
    "Druckauftrag erteilt|Der Druckauftrag wurde an den von Ihnen gewählten Drucker weitergeleitet.";

class DruckBefehl : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
  // Opens the print dialog with "befehl", sets the boxes, presses "&drucken";
  // records whether the dialog was still open afterwards.
  void drucken(std::function<void()> befehl, std::function<void(TFprint&)> einstellen = {}) {
    plattform_.fensterSkripte.push_back([this, einstellen](QDialog& d) {
      auto& f = static_cast<TFprint&>(d);
      if (einstellen) einstellen(f);
      f.B_action->click();
      nochOffen_ = f.isVisible();
    });
    befehl();
  }
  void eintrag(const char* i, const char* t, const char* label, const char* release, const char* genre) {
    ASSERT_TRUE(Connect->datensatz_hinzufuegen(QString::fromUtf8(i), QString::fromUtf8(t), QString::fromUtf8(label),
                                               QString::fromUtf8(release), "CD", QString::fromUtf8(genre), "x"));
  }
  QString pdf_ = QString::fromStdString(tmp_.pfad("liste.pdf"));
  bool nochOffen_ = false;
};

TEST_F(DruckBefehl, DreiEintraegeMitAllenOptionen) {
  eintrag("Muster-Band", "Beispiel-Album", "Eigenlabel", "1991", "Rock");
  eintrag("Ärzte", " ", " ", "", " ");
  eintrag("Björk", "Homogenic €", "", "1997", "  ");
  plattform_.druckziele = {pdf_};
  drucken([this] { aktion("menue_drucken")->trigger(); });
  EXPECT_EQ(plattform_.druckDialoge, 1);
  EXPECT_FALSE(nochOffen_);
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{ERTEILT});
  EXPECT_EQ(pdfSeiten(pdf_), 1);
  EXPECT_EQ(pdfTitel(pdf_), "CD-Sammlung");
  EXPECT_EQ(pdfZeilen(pdf_),
            ohneLeerzeichen(QStringList{"1.  Muster-Band - Beispiel-Album  [ Genre: Rock ]  [ Label: Eigenlabel ]  [ Release: 1991 ]",
                                "2.  Ärzte -  ", "3.  Björk - Homogenic €  [ Genre:    ]  [ Release: 1997 ]"}));
  // The buffer holds the lines as built, the number with its two spaces.
  EXPECT_TRUE(H().memo->toPlainText().startsWith("1.  Muster-Band - Beispiel-Album  [ Genre: Rock ]"));
  EXPECT_FALSE(H().memo->isVisible());
}

TEST_F(DruckBefehl, OhneOptionenUndUeberQuickPrint) {
  eintrag("A", "B", "L", "R", "G");
  eintrag("C", "D", "L", "R", "G");
  plattform_.druckziele = {pdf_};
  drucken([this] { H().SBQuickprint->click(); },
          [](TFprint& f) {
            for (QCheckBox* c : {f.cb_num, f.cb_gen, f.cb_lab, f.cb_rel}) c->setChecked(false);
          });
  EXPECT_EQ(pdfZeilen(pdf_), (QStringList{"A-B", "C-D"}));
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{ERTEILT});
}

TEST_F(DruckBefehl, AbbrechenDruecktNichtsUndDerDialogBleibtOffen) {
  eintrag("A", "B", "", "", "");
  plattform_.druckziele = {std::nullopt};
  drucken([this] { aktion("menue_drucken")->trigger(); });
  EXPECT_EQ(plattform_.druckDialoge, 1);
  EXPECT_TRUE(nochOffen_);
  EXPECT_TRUE(plattform_.meldungen.empty());
  EXPECT_FALSE(QFile::exists(pdf_));
}

TEST_F(DruckBefehl, TastenkuerzelStrgD) {
  eintrag("A", "B", "", "", "");
  aktivieren();
  plattform_.druckziele = {pdf_};
  drucken([this] { QTest::keyClick(&H(), Qt::Key_D, Qt::ControlModifier); });
  EXPECT_EQ(modale(), std::vector<QString>{"Fprint"});
  EXPECT_EQ(pdfZeilen(pdf_), QStringList{"1.A-B"});
}

TEST_F(DruckBefehl, LangeZeileWirdUmbrochenJedesStueckLinksBei80) {
  QString interpret, titel;
  for (int i = 0; interpret.size() < 240; ++i) interpret += QString("Wort%1 ").arg(i);
  for (int i = 0; titel.size() < 240; ++i) titel += QString("Titel%1 ").arg(i);
  ASSERT_TRUE(Connect->datensatz_hinzufuegen(interpret.trimmed(), titel.trimmed(), "", "", "", "", ""));
  eintrag("Kurz", "Zeile", "", "", "");
  plattform_.druckziele = {pdf_};
  H().reports().drucker().setFullPage(true);
  drucken([this] { aktion("menue_drucken")->trigger(); });
  const QStringList zeilen = pdfZeilen(pdf_);
  ASSERT_GE(zeilen.size(), 3);
  EXPECT_TRUE(zeilen.front().startsWith("1.Wort0Wort1"));
  EXPECT_EQ(zeilen.back(), "2.Kurz-Zeile");
  // Nothing lost at the breaks or beyond the paper's edge.
  EXPECT_EQ(zeilen.mid(0, zeilen.size() - 1).join(""), ohneLeerzeichen("1.  " + interpret + " - " + titel));
  // Every line, pieces of the long one included, starts at the same left edge.
  const double links = 80 * 72.0 / H().reports().drucker().resolution();
  double vorher = -1;
  for (const TWortBox& w : pdfWoerter(pdf_)) {
    if (w.oben <= vorher + 0.1) continue;  // only the first word of each line
    vorher = w.oben;
    EXPECT_NEAR(w.links, links, 1.0) << w.wort.toStdString();
  }
}

TEST_F(DruckBefehl, BitteWartenErstUeber700) {
  TZeigeZaehler zaehler;
  Fworking->installEventFilter(&zaehler);
  for (int anzahl : {700, 701}) {
    Connect->neue_sammlung();
    for (int i = 1; i <= anzahl; ++i) DatBas->add_datensatz(datensatzAus("I", std::to_string(i), "", "", "", "", ""));
    Connect->liste_neu_aufbauen();
    Connect->anzeigen_aktualisieren();
    zaehler.gezeigt = 0;
    plattform_.druckziele = {pdf_};
    drucken([this] { aktion("menue_drucken")->trigger(); });
    EXPECT_EQ(zaehler.gezeigt, anzahl > 700 ? 1 : 0) << anzahl;
    EXPECT_FALSE(Fworking->isVisible()) << anzahl;
    const QStringList zeilen = pdfZeilen(pdf_);
    EXPECT_EQ(zeilen.size(), anzahl);
    EXPECT_EQ(zeilen.back(), QString("%1.I-%1").arg(anzahl));
  }
  Fworking->removeEventFilter(&zaehler);
}

// 701 entries, "pages from 2 to 2" in the print dialog: only that page comes out.
TEST_F(DruckBefehl, NurDieImDialogGewaehltenSeiten) {
  for (int i = 1; i <= 701; ++i) DatBas->add_datensatz(datensatzAus("I", std::to_string(i), "", "", "", "", ""));
  Connect->liste_neu_aufbauen();
  Connect->anzeigen_aktualisieren();
  const QString alle = QString::fromStdString(tmp_.pfad("alle.pdf"));
  plattform_.druckziele = {alle, pdf_};
  drucken([this] { aktion("menue_drucken")->trigger(); });
  ASSERT_GT(pdfSeiten(alle), 3);
  plattform_.druckWahl = [](QPrinter& p) {
    p.setPrintRange(QPrinter::PageRange);
    p.setFromTo(2, 2);
  };
  drucken([this] { aktion("menue_drucken")->trigger(); });
  EXPECT_EQ(pdfSeiten(pdf_), 1);
  EXPECT_EQ(pdfZeilen(pdf_), pdfZeilen(alle, 2));
  EXPECT_EQ(plattform_.meldungsTexte(), (QStringList{ERTEILT, ERTEILT}));
}

// A full disk: the print job fails, nothing says it was done, the earlier file stays.
TEST_F(DruckBefehl, VollerDatentraegerIstEinFehler) {
  QDir().mkdir(QString::fromStdString(tmp_.pfad("platte")));
  VollerDatentraeger platte(tmp_.pfad("platte"));
  if (!platte.bereit()) GTEST_SKIP() << "ein eigenes Dateisystem einzuhängen braucht root";
  eintrag("A", "B", "", "", "");
  dateiSchreiben(platte.pfad("liste.pdf"), "alte Liste");
  platte.fuellen();
  plattform_.druckziele = {QString::fromStdString(platte.pfad("liste.pdf"))};
  drucken([this] { aktion("menue_drucken")->trigger(); });
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{" Vemla |Zu wenig Speicherplatz."});
  EXPECT_EQ(dateiInhalt(platte.pfad("liste.pdf")), "alte Liste");
  EXPECT_TRUE(nochOffen_);
  EXPECT_FALSE(Fworking->isVisible());
}

TEST_F(DruckBefehl, DruckerNimmtDenAuftragNichtAn) {
  eintrag("A", "B", "", "", "");
  plattform_.druckziele = {QString::fromStdString(tmp_.pfad("fehlt")) + "/liste.pdf"};
  drucken([this] { aktion("menue_drucken")->trigger(); });
  ASSERT_EQ(plattform_.meldungen.size(), 1u);
  EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Stopp);
  EXPECT_NE(plattform_.meldungen[0].titel, "Druckauftrag erteilt");
  EXPECT_FALSE(Fworking->isVisible());
}

// Printing into a PDF file named like the open collection, under any of its
// names, is refused with the export dialogs' message: the print option dialog
// stays open as after a cancel, nothing says the job was given, and the
// collection keeps its bytes.
TEST_F(DruckBefehl, DruckInDieGeoeffneteSammlungWirdAbgelehnt) {
  const std::string g = tmp_.pfad("g.vem");
  sammlungsdatei(g, 3, "A");
  std::filesystem::create_symlink("g.vem", tmp_.pfad("verweis.pdf"));
  std::filesystem::create_hard_link(g, tmp_.pfad("hart.pdf"));
  std::filesystem::create_directory(tmp_.pfad("u"));
  Connect->datei_oeffnen(QString::fromStdString(g));
  const std::string vorher = dateiInhalt(g);
  for (const char* name : {"g.vem", "u/../g.vem", "verweis.pdf", "hart.pdf"}) {
    const QString ziel = QString::fromStdString(tmp_.pfad(name));
    plattform_.meldungen.clear();
    plattform_.druckziele = {ziel};
    drucken([this] { aktion("menue_drucken")->trigger(); });
    EXPECT_TRUE(nochOffen_) << name;
    EXPECT_EQ(plattform_.meldungsTexte(),
              QStringList{"Fehler:|" + ziel +
                          "\rDas ist die geöffnete CD-Sammlung: Sie würde überschrieben.\r"
                          "Wählen Sie einen anderen Dateinamen."})
        << name;
    EXPECT_TRUE(dateiInhalt(g) == vorher) << name;
  }
  // Another file is printed as ever.
  plattform_.meldungen.clear();
  plattform_.druckziele = {pdf_};
  drucken([this] { aktion("menue_drucken")->trigger(); });
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{ERTEILT});
  EXPECT_EQ(pdfZeilen(pdf_).size(), 3);
  // The recovery copy belongs to the collection too.
  sicherungStarten(QString::fromStdString(tmp_.pfad("zustand")), 0);
  eintrag("Neu", "dazu", "", "", "");
  QApplication::processEvents();
  ASSERT_TRUE(sicherung()->kopieDa());
  const std::string kopie = sicherung()->eigeneKopie().toStdString();
  const std::string kopieVorher = dateiInhalt(kopie);
  plattform_.meldungen.clear();
  plattform_.druckziele = {QString::fromStdString(kopie)};
  drucken([this] { aktion("menue_drucken")->trigger(); });
  EXPECT_TRUE(nochOffen_);
  ASSERT_EQ(plattform_.meldungen.size(), 1u);
  EXPECT_EQ(plattform_.meldungen[0].titel, "Fehler:");
  EXPECT_TRUE(dateiInhalt(kopie) == kopieVorher);
}

}  // namespace
