// The automatic update against an update server on this computer.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <filesystem>

#include "app/UOrte.h"
#include "net/UFAutopatcher.h"
#include "net/UVersion.h"
#include "tests/net/TestServer.h"
#include "tests/support/GuiTest.h"

namespace {

const QString T = " Vemla ";
const QString START = T +
                      "|Vemla-AutoUpdate wird nun versuchen, die ini-Datei mit\rden entsprechenden Downloadinformationen "
                      "vom Server\rzu laden. Bitte haben Sie einen Augenblick Gedult!";
const QString GEFUNDEN = T + "|Die Ini-Datei wurde gefunden und wird nun bearbeitet!";
const QString EIGENE = T + "|Sie besitzen zur Zeit die Version: 1.0.6";
const QString NICHT_NOETIG = T + "|Ein Update ist nicht nötig! Sie besitzen bereits die aktuellste Version.";
const QString FRAGE = "Update ausführen?|Wollen Sie nun die aktuelle Version herunterladen und installieren?";
const QString INI_FEHLT = T +
                          "|Die Ini-Datei konnte leider nicht heruntergeladen werden.\rDies kann mehrere Ursachen "
                          "haben:\r1. Überprüfen Sie Ihre Internetverbindung\r2. Überprüfen Sie, ob Vemla Zugriff auf "
                          "das Internet hat (Firewall?)\r3. Es ist z.Z. keine aktuelle Downloaddatei online\r4. Eine "
                          "Verbindung zum Arcor-Server ist z.Z. nicht möglich...";
const QString DOWNLOAD_FEHLT = T +
                               "|Der Download ist fehlgeschlagen.\r\rDies kann mehrere Ursachen haben:\r\r1. "
                               "Überprüfen Sie Ihre Internetverbindung\r2. Überprüfen Sie, ob Vemla Zugriff auf das "
                               "Internet hat (Firewall?)\r3. Es ist z.Z. keine aktuelle Downloaddatei online\r4. Eine "
                               "Verbindung zum Arcor-Server ist z.Z. nicht möglich...";

QString identifiziert(const QString& v) {
  return T + "|Folgende Version wurde als aktuelle Version identifiziert: " + v;
}

QString downloadinfo(const QString& groesse, const QStringList& zeiten, const QString& link, const QString& ziel) {
  return T + "|Downloadinformationen:\r\rDie Installationsdatei hat eine Grösse von: " + groesse +
         "\r\rDer Download beginnt nun.\rJe nach Internetverbindung kann dies einige Minuten dauern:\r"
         "Modem (33.6 Kbps) : ca. " + zeiten[0] + "\rModem (56 Kbps) : ca. " + zeiten[1] +
         "\rISDN (64 Kbps) : ca. " + zeiten[2] + "\rDual-ISDN (128 Kbps) : ca. " + zeiten[3] +
         "\rDSL (384 Kbps) : ca. " + zeiten[4] +
         "\r\rBitte haben Sie etwas Geduld und schliessen dieses Fenster nicht!\rSobald der Download beendet ist, "
         "bekommen Sie einen entsprechenden Hinweis.\r(Leider habe ich es nicht geschafft, einen Ladebalken für den "
         "Download zu implementieren)\r\rQuelldatei:\r" + link + "\r\rZieldatei: \r" + ziel;
}

QString gespeichert(const QString& ziel) {
  return T + "|Die Datei wurde erfolgreich gespeichert:\r\r" + ziel +
         "\r\rDer Installationsprozess wird nun ausgeführt.\r\rBitte schliessen Sie Vemla !!!!";
}

std::string beschreibung(const std::string& version, const std::string& link, bool mitZeiten = true) {
  std::string ini = "[programmversion]\r\nversion=" + version +
                    "\r\n[downloadfile]\r\nfilename=vemla107.exe\r\ngroesse=2,3 MB\r\nlink=" + link + "\r\n";
  if (mitZeiten)
    ini += "[downloadtime]\r\n336modem=12 Min.\r\n56modem=7 Min.\r\n64isdn=5 Min.\r\n128dualisd=3 Min.\r\n"
           "384dsl=1 Min.\r\n";
  return ini;
}

const QStringList ZEITEN = {"12 Min.", "7 Min.", "5 Min.", "3 Min.", "1 Min."};

using namespace std::chrono_literals;

class Autopatcher : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ini_ = QFile::encodeName(eigeneDatei("download.ini")).toStdString();
    std::remove(ini_.c_str());
    starten();
    plattform_.updateAdresse = QString::fromStdString(server_.adresse());
  }
  void TearDown() override {
    std::remove(ini_.c_str());
    GuiTest::TearDown();
  }
  // One update run from the menu; true when the window was closed at its end.
  bool lauf() {
    bool zu = false;
    plattform_.fensterSkripte.push_back([&zu](QDialog& f) {
      FAutopatcher->SBgo->click();
      zu = !f.isVisible();
    });
    H().automatischVemlaAutopatcherstarten1->trigger();
    return zu;
  }
  std::string link(const char* pfad) { return server_.adresse() + pfad; }
  TTestServer server_;
  std::string ini_;
};

TEST_F(Autopatcher, VersionsvergleichFragtNurBeiNeuererVersion) {
  const struct {
    const char* version;
    bool frage;
  } faelle[] = {
      {"1.0.6", false}, {"1.0.7", true}, {"1.1", true}, {"1.0.10", true}, {"", false},
      {"1.0.5", false}, {"1.0.6.0", false}, {"2", true}, {"1.0.6a", true}, {"0.9.9", false},
  };
  for (const auto& f : faelle) {
    plattform_.meldungen.clear();
    server_.setze("/dl.txt", {200, beschreibung(f.version, link("vemla107.exe")), "", false});
    EXPECT_TRUE(lauf()) << f.version;
    QStringList erwartet = {START, GEFUNDEN, EIGENE, identifiziert(f.version)};
    erwartet << (f.frage ? FRAGE : NICHT_NOETIG);
    EXPECT_EQ(plattform_.meldungsTexte(), erwartet) << f.version;
  }
  // Answered "Nein": no save dialog, no download.
  EXPECT_TRUE(plattform_.dateiDialoge.empty());
  EXPECT_EQ(server_.anfragen(), std::vector<std::string>(10, "/dl.txt"));
  EXPECT_EQ(modale(), std::vector<QString>(10, "FAutopatcher"));
}

TEST(Versionsvergleich, ZahlenteileUndBytefolge) {
  const struct {
    const char *neu, *eigene;
    bool neuer;
  } faelle[] = {
      {"1.0.10", "1.0.6", true}, {"1.0.06", "1.0.6", false}, {"1.1.0", "1.1", false}, {"1.10", "1.9", true},
      {"99999999999999999999999.0", "1.0.6", true}, {"1..7", "1.0.6", false}, {"1.0.5x", "1.0.6", false},
      {"v1.0.7", "1.0.6", true}, {" 1.0.7", "1.0.6", false}, {"1.0.6", "1.0.6", false}, {"", "1.0.6", false},
      {"\xE4", "1.0.6", true},
  };
  for (const auto& f : faelle) EXPECT_EQ(versionNeuer(f.neu, f.eigene), f.neuer) << f.neu;
}

TEST_F(Autopatcher, ErfolgreicherDownloadWirdGespeichertUndGestartet) {
  TempOrdner ziele;
  std::string installer(150000, '\0');
  for (std::size_t i = 0; i < installer.size(); ++i) installer[i] = static_cast<char>(i * 31 % 251);
  server_.setze("/dl.txt", {200, beschreibung("1.0.7", link("setup/vemla107.exe")), "", false});
  server_.setze("/setup/vemla107.exe", {200, installer, "", false});
  const QString ziel = QString::fromStdString(ziele.pfad("neu.exe"));
  plattform_.antworten = {TAntwort::Ja};
  plattform_.dateinamen = {ziel};
  EXPECT_TRUE(lauf());

  EXPECT_EQ(plattform_.meldungsTexte(),
            (QStringList{START, GEFUNDEN, EIGENE, identifiziert("1.0.7"), FRAGE,
                         downloadinfo("2,3 MB", ZEITEN, QString::fromStdString(link("setup/vemla107.exe")), ziel),
                         gespeichert(ziel)}));
  EXPECT_TRUE(dateiInhalt(ziel.toStdString()) == installer);
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{ziel});
  // The description stays beside the program.
  EXPECT_EQ(dateiInhalt(ini_), beschreibung("1.0.7", link("setup/vemla107.exe")));

  ASSERT_EQ(plattform_.dateiDialoge.size(), 1u);
  const TDateiDialog& d = plattform_.dateiDialoge[0];
  EXPECT_EQ(d.titel, "Download speichern unter..");
  ASSERT_EQ(d.typen.size(), 1u);
  EXPECT_EQ(d.typen[0].beschreibung, "ausführbare Dateien (*.exe)");
  EXPECT_EQ(d.typen[0].muster, "*.exe");
  EXPECT_EQ(d.standardEndung, "exe");
  EXPECT_EQ(d.vorschlag, "vemla107.exe");

  // The window stays on top: every box and the dialog of the run belong to it.
  EXPECT_EQ(d.eltern, FAutopatcher);
  for (const auto& m : plattform_.meldungen) EXPECT_EQ(m.eltern, FAutopatcher) << m.text.toStdString();
  // The description is small and quick; the installer may be large but must keep coming.
  EXPECT_EQ(plattform_.downloadGrenzen,
            (std::vector<TDownloadGrenzen>{{65536, 30s, 0, 0s}, {536870912, 0ms, 1024, 30s}}));
}

TEST_F(Autopatcher, GrenzenDerBeschreibungUndDesInstallers) {
  TempOrdner ziele;
  const std::string kopf = "[programmversion]\r\nversion=1.0.7\r\n[downloadfile]\r\nlink=" + link("s.exe") + "\r\n";
  const std::string fuellung = ";" + std::string(65536 - kopf.size() - 3, 'x') + "\r\n";
  server_.setze("/s.exe", {200, "MZ", "", false});
  server_.setze("/langsam.exe", {200, std::string(1500, 'x'), "", false, false, 10});
  const struct {
    std::string beschreibung;
    int tropfen;
    std::optional<TDownloadGrenzen> grenzen;
    QString letzte;
  } faelle[] = {
      {kopf + fuellung, 0, std::nullopt, FRAGE},                 // 64 KiB exactly
      {kopf + fuellung + "x", 0, std::nullopt, INI_FEHLT},       // one byte more
      {kopf + ";" + std::string(300, 'x'), 10, TDownloadGrenzen{65536, 500ms, 0, 0s}, INI_FEHLT},  // too long in all
      {beschreibung("1.1", link("langsam.exe")), 0, TDownloadGrenzen{1 << 20, 0ms, 1000, 1s}, DOWNLOAD_FEHLT},
  };
  for (const auto& f : faelle) {
    plattform_.meldungen.clear();
    plattform_.testGrenzen = f.grenzen;
    plattform_.antworten = {TAntwort::Nein};
    if (f.letzte == DOWNLOAD_FEHLT) {
      plattform_.antworten = {TAntwort::Ja};
      plattform_.dateinamen = {QString::fromStdString(ziele.pfad("i.exe"))};
    }
    server_.setze("/dl.txt", {200, f.beschreibung, "", false, false, f.tropfen});
    EXPECT_TRUE(lauf());
    EXPECT_EQ(plattform_.meldungsTexte().back(), f.letzte) << f.beschreibung.size();
  }
  EXPECT_FALSE(std::filesystem::exists(ziele.pfad("i.exe")));
}

TEST_F(Autopatcher, InstallernameOhneOrdner) {
  const struct {
    const char *angabe, *vorschlag;
  } faelle[] = {
      {"../../boese.exe", "boese.exe"}, {"..\\..\\boese.exe", "boese.exe"}, {".", "install.exe"},
      {"..", "install.exe"}, {"setup/", "install.exe"}, {"a/..", "install.exe"}, {"", "install.exe"},
      {"neu.exe", "neu.exe"},
  };
  for (const auto& f : faelle) {
    std::string ini = beschreibung("1.0.7", link("x.exe"));
    ini.replace(ini.find("vemla107.exe"), 12, f.angabe);
    server_.setze("/dl.txt", {200, ini, "", false});
    plattform_.antworten = {TAntwort::Ja};
    EXPECT_TRUE(lauf());
    ASSERT_FALSE(plattform_.dateiDialoge.empty());
    EXPECT_EQ(plattform_.dateiDialoge.back().vorschlag, f.vorschlag) << f.angabe;
  }
}

TEST_F(Autopatcher, BeschreibungMitByteOrderMark) {
  server_.setze("/dl.txt", {200, "\xEF\xBB\xBF" + beschreibung("1.0.7", link("x.exe")), "", false});
  EXPECT_TRUE(lauf());
  EXPECT_EQ(plattform_.meldungsTexte(), (QStringList{START, GEFUNDEN, EIGENE, identifiziert("1.0.7"), FRAGE}));
}

// The boxes of the real platform: every value of the description reads as it was written.
TEST_F(Autopatcher, WerteDerBeschreibungAlsReinerText) {
  const std::string boese = "<h1>1.0.7</h1><a href='file:///etc/passwd'>x</a>";
  server_.setze("/dl.txt", {200, beschreibung(boese, link("x.exe")), "", false});
  plattform_.echteMeldungen = true;
  std::vector<std::pair<QString, Qt::TextFormat>> gesehen;
  QTimer schliesser;
  QObject::connect(&schliesser, &QTimer::timeout, [&gesehen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    const auto* text = box->findChild<QLabel*>("qt_msgbox_label");
    gesehen.emplace_back(text->text(), text->textFormat());
    box->done(QMessageBox::No);
  });
  schliesser.start(20);
  EXPECT_TRUE(lauf());
  ASSERT_EQ(gesehen.size(), 5u);
  EXPECT_EQ(gesehen[3].first, QString::fromStdString("Folgende Version wurde als aktuelle Version identifiziert: " + boese));
  for (const auto& [text, format] : gesehen) EXPECT_EQ(format, Qt::PlainText) << text.toStdString();
  EXPECT_EQ(FAutopatcher->Label1->textFormat(), Qt::PlainText);
}

TEST_F(Autopatcher, SpeicherdialogMerktSichDenOrdner) {
  TempOrdner ziele;
  // The server's file name never chooses the folder.
  std::string ini = beschreibung("1.0.7", link("x.exe"));
  ini.replace(ini.find("filename=vemla107.exe"), 21, "filename=../../boese.exe");
  server_.setze("/dl.txt", {200, ini, "", false});
  plattform_.antworten = {TAntwort::Ja, TAntwort::Ja};
  plattform_.dateinamen = {QString::fromStdString(ziele.pfad("a.exe")), std::nullopt};
  EXPECT_TRUE(lauf());
  EXPECT_TRUE(lauf());
  ASSERT_EQ(plattform_.dateiDialoge.size(), 2u);
  EXPECT_EQ(plattform_.dateiDialoge[0].vorschlag, "boese.exe");
  EXPECT_EQ(plattform_.dateiDialoge[1].vorschlag, QString::fromStdString(ziele.pfad("boese.exe")));
}

// The installer never replaces the open collection, whatever its name: the
// dialog refuses it with the export dialogs' message, and nothing is fetched.
TEST_F(Autopatcher, DownloadAufDieGeoeffneteSammlungWirdAbgelehnt) {
  TempOrdner ziele;
  sammlungsdatei(ziele.pfad("g.vem"), 2, "A");
  std::filesystem::create_hard_link(ziele.pfad("g.vem"), ziele.pfad("hart.exe"));
  Connect->datei_oeffnen(QString::fromStdString(ziele.pfad("g.vem")));
  const std::string vorher = dateiInhalt(ziele.pfad("g.vem"));
  server_.setze("/dl.txt", {200, beschreibung("1.0.7", link("x.exe")), "", false});
  server_.setze("/x.exe", {200, "MZ installer", "", false});
  const QString ziel = QString::fromStdString(ziele.pfad("hart.exe"));
  plattform_.antworten = {TAntwort::Ja};
  plattform_.dateinamen = {ziel, std::nullopt};
  EXPECT_TRUE(lauf());
  EXPECT_EQ(plattform_.meldungsTexte(),
            (QStringList{START, GEFUNDEN, EIGENE, identifiziert("1.0.7"), FRAGE,
                         "Download speichern unter..|" + ziel +
                             "\rDas ist die geöffnete CD-Sammlung: Sie würde überschrieben.\r"
                             "Wählen Sie einen anderen Dateinamen."}));
  EXPECT_EQ(server_.anfragen(), std::vector<std::string>{"/dl.txt"});
  EXPECT_TRUE(dateiInhalt(ziele.pfad("g.vem")) == vorher);
}

TEST_F(Autopatcher, OhneDownloadzeitenFuenfmalUnbekannt) {
  TempOrdner ziele;
  server_.setze("/dl.txt", {200, "[programmversion]\r\nversion=1.1\r\n[downloadfile]\r\nlink=" + link("s.exe") + "\r\n",
                            "", false});
  server_.setze("/s.exe", {200, "MZ", "", false});
  const QString ziel = QString::fromStdString(ziele.pfad("install.exe"));
  plattform_.antworten = {TAntwort::Ja};
  plattform_.dateinamen = {ziel};
  EXPECT_TRUE(lauf());
  ASSERT_EQ(plattform_.meldungen.size(), 7u);
  EXPECT_EQ(plattform_.meldungsTexte()[5],
            downloadinfo("[ unbekannt ]", QStringList(5, "[ unbekannt ]"), QString::fromStdString(link("s.exe")), ziel));
  EXPECT_EQ(plattform_.dateiDialoge.at(0).vorschlag, "install.exe");
}

TEST_F(Autopatcher, BeschreibungNichtErreichbar) {
  dateiSchreiben(ini_, "[programmversion]\r\nversion=9.9\r\n");
  // Left by a run that was killed during the download.
  const std::string rest = ini_ + ".download-Xy12Z9";
  dateiSchreiben(rest, "[programmversion]\r\nvers");
  server_.setze("/dl.txt", {404, "weg", "", false});
  EXPECT_TRUE(lauf());
  EXPECT_EQ(plattform_.meldungsTexte(), (QStringList{START, INI_FEHLT}));
  // The earlier copy is not replaced by the failed one.
  EXPECT_EQ(dateiInhalt(ini_), "[programmversion]\r\nversion=9.9\r\n");
  EXPECT_FALSE(std::filesystem::exists(rest));
}

TEST_F(Autopatcher, FehlgeschlageneDownloadsUndAbbruch) {
  TempOrdner ziele;
  server_.setze("/halb.exe", {200, std::string(80000, 'x'), "", true});
  const struct {
    std::string link;
    bool dialogGewaehlt;
    std::size_t downloads;  // handed to the platform, the description included
  } faelle[] = {
      {link("fehlt.exe"), true, 2},                // server answers 404
      {link("halb.exe"), true, 2},                 // server closes mid-transfer
      {"http://www.vemla.de/setup.exe", true, 1},  // no https: refused before any transfer
      {"ftp://127.0.0.1/setup.exe", true, 1},      // no web address
      {"", true, 1},                               // no link
      {link("halb.exe"), false, 1},                // save dialog cancelled
  };
  const QString ziel = QString::fromStdString(ziele.pfad("install.exe"));
  dateiSchreiben(ziel.toStdString(), "alt");
  for (const auto& f : faelle) {
    plattform_.meldungen.clear();
    plattform_.downloads.clear();
    plattform_.geoeffneteDokumente.clear();
    server_.setze("/dl.txt", {200, beschreibung("1.0.7", f.link), "", false});
    plattform_.antworten = {TAntwort::Ja};
    if (f.dialogGewaehlt) plattform_.dateinamen = {ziel};
    EXPECT_TRUE(lauf()) << f.link;
    const QStringList texte = plattform_.meldungsTexte();
    if (f.dialogGewaehlt) {
      ASSERT_EQ(texte.size(), 7) << f.link;
      EXPECT_EQ(texte[6], DOWNLOAD_FEHLT) << f.link;
    } else {
      EXPECT_EQ(texte.size(), 5) << f.link;
    }
    EXPECT_EQ(plattform_.downloads.size(), f.downloads) << f.link;
    EXPECT_TRUE(plattform_.geoeffneteDokumente.empty()) << f.link;
    EXPECT_EQ(dateiInhalt(ziel.toStdString()), "alt") << f.link;
  }
  // Only the two transfers from this server were tried; the refused links never left the program.
  std::vector<std::string> erwartet;
  for (const char* p : {"/fehlt.exe", "/halb.exe"}) erwartet.insert(erwartet.end(), {"/dl.txt", p});
  for (int i = 0; i < 4; ++i) erwartet.push_back("/dl.txt");
  EXPECT_EQ(server_.anfragen(), erwartet);
}

TEST_F(Autopatcher, FensterUndSchliessen) {
  TFAutopatcher& f = *FAutopatcher;
  EXPECT_EQ(f.findChild<QLabel*>("Label1")->text(), "Aktuelle Vemla-Version: 1.0.6");
  EXPECT_EQ(f.findChild<QLabel*>("Label2")->text(), "Vemla-AutoUpdate-Version: 1.2");
  EXPECT_EQ(f.SBgo->toolTip(), "AutoUpdate starten");
  EXPECT_EQ(f.SBclose->toolTip(), "Programm verlassen");
  EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(f.windowTitle().isEmpty());
  bool zu = false;
  plattform_.fensterSkripte.push_back([&zu](QDialog& d) {
    FAutopatcher->SBclose->click();
    zu = !d.isVisible();
  });
  aktivieren();
  QTest::keyClick(H().listbox, Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(modale(), std::vector<QString>{"FAutopatcher"});
  EXPECT_TRUE(zu);
  EXPECT_TRUE(H().isVisible());
  EXPECT_TRUE(plattform_.meldungen.empty());
}

}  // namespace
