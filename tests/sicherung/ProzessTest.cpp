// The recovery copy across real processes: a program killed after changes, two
// programs at once, a full disk at the exit. Each program is the program's start
// and exit in a process of its own (kind/Kind.cpp), in a portable folder.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <filesystem>
#include <random>
#include <thread>

#include "angaben/UAngabenDatei.h"
#include "core/UDatbas.h"
#include "core/UVemDatei.h"
#include "tests/sicherung/Satz.h"
#include "tests/support/TempOrdner.h"
#include "tests/support/VollerDatentraeger.h"

namespace {

class Prozesse : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(tmp_.pfad("prog"));
    dateiSchreiben(tmp_.pfad("prog/vemla.ini"), "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
    dateiSchreiben(datei_, satz("A1", "T1") + satz("A2", "T2"));
  }
  // Starts a program; "umgebung": KIND_... settings.
  std::unique_ptr<QProcess> starten(const QStringList& umgebung, const QStringList& argumente = {}) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (const QString& u : umgebung) env.insert(u.section('=', 0, 0), u.section('=', 1));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(SICHERUNG_KIND, QStringList{QString::fromStdString(tmp_.pfad("prog"))} + argumente);
    EXPECT_TRUE(p->waitForStarted());
    return p;
  }
  // Runs a program to its end; its lines.
  QStringList durchlaufen(const QStringList& umgebung, const QStringList& argumente = {}) {
    auto p = starten(umgebung, argumente);
    EXPECT_TRUE(p->waitForFinished(120000));
    EXPECT_EQ(p->exitCode(), 0);
    return QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  }
  // A program that made changes, waiting until its copy lies on disk.
  std::unique_ptr<QProcess> mitKopie(const QStringList& argumente = {}) {
    auto p = starten({"KIND_EINTRAEGE=2", "KIND_WARTEN=1"}, argumente);
    while (!p->readAllStandardOutput().contains("kopie\n") && p->state() == QProcess::Running) p->waitForReadyRead(1000);
    return p;
  }
  // A program that made two changes a moment ago (its copy due only in 2 s), in state "nach" (KIND_NACH).
  std::unique_ptr<QProcess> geaendert(const QString& nach, const QStringList& umgebung = {}) {
    auto p = starten(QStringList{"KIND_EINTRAEGE=2", "KIND_VERZOEGERUNG=2000", "KIND_NACH=" + nach} + umgebung,
                     {QString::fromStdString(datei_)});
    QByteArray aus;
    while (!aus.contains("bereit\n") && p->state() == QProcess::Running) {
      p->waitForReadyRead(1000);
      aus += p->readAllStandardOutput();
    }
    return p;
  }
  // The single copy's entries as "Interpret/Titel ...".
  std::string kopieInhalt() const {
    if (kopien().size() != 1) return "Kopien: " + std::to_string(kopien().size());
    const std::string d = kopieSaetze(dateiInhalt(tmp_.pfad("prog/sicherung/") + kopien()[0].toStdString()));
    QStringList r;
    for (std::size_t i = 0; i + 1792 <= d.size(); i += 1792)
      r << QString::fromLatin1(d.substr(i + 1, d[i])) + "/" + QString::fromLatin1(d.substr(i + 257, d[i + 256]));
    return r.join(' ').toStdString();
  }
  static void toeten(QProcess& p) {
    ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
    p.waitForFinished();
  }
  QStringList kopien() const {
    return QDir(QString::fromStdString(tmp_.pfad("prog/sicherung"))).entryList({"kopie-*.vem", "kopie-*.sicherung"}, QDir::Files);
  }
  static QStringList fragen(const QStringList& zeilen) { return zeilen.filter(QRegularExpression("^frage\\|")); }

  TempOrdner tmp_;
  std::string datei_ = tmp_.pfad("CDs.vem");
};

TEST_F(Prozesse, GetoetetesProgrammHinterlaesstSeineKopie) {
  const QString datei = QString::fromStdString(datei_);
  const QString frage = "frage|Wiederherstellung|Vemla wurde beendet, ohne die Änderungen an „" + datei + "“ zu speichern (Stand: ";
  const struct Fall {
    QString antworten;
    QStringList erwartet;  // name, title and entries after the start
    std::string gespeichert;
  } faelle[] = {
      {"ja,ja", {"datei|" + datei, "titel|Vemla   [ " + datei.toLower() + " ]", "anzahl|4"},
       satz("A1", "T1") + satz("A2", "T2") + satz("I1", "T1") + satz("I2", "T2")},
      {"nein", {"datei|", "titel|Vemla  [ v 1.0.6 ]", "anzahl|0"}, ""},
  };
  for (const Fall& f : faelle) {
    auto erster = mitKopie({datei});
    toeten(*erster);
    ASSERT_EQ(kopien().size(), 1u);
    const QStringList zeilen = durchlaufen({"KIND_ANTWORTEN=" + f.antworten, "KIND_ZIEL=" + QString::fromStdString(tmp_.pfad("neu.vem"))});
    ASSERT_GE(zeilen.size(), 4);
    EXPECT_TRUE(zeilen[0].startsWith(frage)) << zeilen[0].toStdString();
    EXPECT_EQ(zeilen.mid(1, 3), f.erwartet) << zeilen.join('\n').toStdString();
    if (!f.gespeichert.empty()) {
      EXPECT_EQ(dateiInhalt(tmp_.pfad("neu.vem")), f.gespeichert);
    }
    EXPECT_TRUE(kopien().isEmpty()) << f.antworten.toStdString();
  }
}

TEST_F(Prozesse, ZweiProgrammeSehenIhreKopienNicht) {
  auto erster = mitKopie();
  ASSERT_EQ(kopien().size(), 1u);
  // A second program while the first runs: nothing offered, nothing removed.
  EXPECT_EQ(fragen(durchlaufen({"KIND_ANTWORTEN=ja"})), QStringList());
  EXPECT_EQ(kopien().size(), 1u);
  // A lock file a killed program left without a copy goes at the next start; a running one's stays.
  const QString ordner = QString::fromStdString(tmp_.pfad("prog/sicherung"));
  dateiSchreiben(tmp_.pfad("prog/sicherung/kopie-1-verwaist.sperre"), "");
  durchlaufen({});
  EXPECT_EQ(QDir(ordner).entryList({"kopie-*.sperre"}).join(' ').toStdString(), kopien().value(0).replace(".sicherung", ".sperre").toStdString());
  toeten(*erster);
  EXPECT_EQ(fragen(durchlaufen({"KIND_ANTWORTEN=nein"})).size(), 1);
  EXPECT_TRUE(kopien().isEmpty());
  EXPECT_EQ(QDir(ordner).entryList(QDir::Files).join(' ').toStdString(), "");
}

TEST_F(Prozesse, VolleFestplatteBeimEndeBehaeltDieKopie) {
  std::filesystem::create_directories(tmp_.pfad("voll"));
  VollerDatentraeger platte(tmp_.pfad("voll"));
  if (!platte.bereit()) GTEST_SKIP() << "no tmpfs (needs root)";
  dateiSchreiben(platte.pfad("a.vem"), satz("A1", "T1"));
  platte.fuellen();
  const QString ziel = QString::fromStdString(platte.pfad("a.vem"));
  const QStringList zeilen = durchlaufen({"KIND_EINTRAEGE=2", "KIND_ANTWORTEN=ja", "KIND_ZIEL=" + ziel}, {ziel});
  EXPECT_EQ(zeilen.size(), 5) << zeilen.join('\n').toStdString();  // the start, then the question and the failed save
  EXPECT_EQ(dateiInhalt(platte.pfad("a.vem")), satz("A1", "T1"));
  ASSERT_EQ(kopien().size(), 1u);
  EXPECT_EQ(kopieSaetze(dateiInhalt(tmp_.pfad("prog/sicherung/") + kopien()[0].toStdString())),
            satz("A1", "T1") + satz("I1", "T1") + satz("I2", "T2"));
  // The next start offers it under the file's name.
  EXPECT_TRUE(fragen(durchlaufen({"KIND_ANTWORTEN=nein"})).value(0).contains("„" + ziel + "“"));
}

TEST_F(Prozesse, EndeSignalSchreibtDieKopieSofort) {
  const struct Fall {
    int signal;
    const char* nach;
    bool einstellungen;  // the exit's settings writes made (not while the main thread is busy)
  } faelle[] = {
      {SIGTERM, "schleife", true},
      {SIGHUP, "box", true},
      {SIGINT, "box", true},
      {SIGTERM, "beschaeftigt", false},
  };
  for (const Fall& f : faelle) {
    dateiSchreiben(tmp_.pfad("prog/vemla.ini"), "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n"
                                               "[Optionen]\r\nstartposition=true\r\n");
    auto p = geaendert(f.nach);
    ::kill(static_cast<pid_t>(p->processId()), f.signal);
    // It ends by itself, within about 1 s; the bound here is generous.
    ASSERT_TRUE(p->waitForFinished(8000)) << f.nach;
    EXPECT_EQ(p->exitCode(), 128 + f.signal) << f.nach;
    EXPECT_EQ(kopieInhalt(), "A1/T1 A2/T2 I1/T1 I2/T2") << f.nach;
    EXPECT_EQ(dateiInhalt(tmp_.pfad("prog/vemla.ini")).find("startpositionleft=") != std::string::npos, f.einstellungen)
        << f.nach;
    QDir(QString::fromStdString(tmp_.pfad("prog/sicherung"))).removeRecursively();
  }
}

TEST_F(Prozesse, VerlorenerBildschirmBehaeltDieKopie) {
  if (QStandardPaths::findExecutable("Xvfb").isEmpty()) GTEST_SKIP() << "no Xvfb";
  QProcess xvfb;
  xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  QByteArray nummer;
  while (!nummer.contains('\n') && xvfb.waitForReadyRead(5000)) nummer += xvfb.readAllStandardOutput();
  ASSERT_FALSE(nummer.trimmed().isEmpty());
  // The program ends through exit() when its X connection breaks; leaks at that end are no concern here.
  auto p = geaendert("schleife", {"QT_QPA_PLATFORM=xcb", "DISPLAY=:" + QString::fromLatin1(nummer.trimmed()),
                                  "ASAN_OPTIONS=detect_leaks=0"});
  xvfb.terminate();
  ASSERT_TRUE(xvfb.waitForFinished(5000));
  ASSERT_TRUE(p->waitForFinished(8000));
  EXPECT_EQ(kopieInhalt(), "A1/T1 A2/T2 I1/T1 I2/T2");
}

TEST_F(Prozesse, OhneSpeichernUndKopieBleibtDasFensterOffen) {
  std::filesystem::create_directories(tmp_.pfad("voll"));
  VollerDatentraeger platte(tmp_.pfad("voll"), 1024);
  if (!platte.bereit()) GTEST_SKIP() << "no tmpfs (needs root)";
  // The collection and the folder of the copies on one full disk.
  dateiSchreiben(platte.pfad("a.vem"), satz("A1", "T1"));
  platte.fuellen();
  const QString ziel = QString::fromStdString(platte.pfad("a.vem"));
  const QString frage = "frage|Sicherheitsabfrage|Die Datei wurde geändert.\rWollen Sie diese Änderungen speichern?";
  const QString weder = "frage|Hinweis|Die Änderungen konnten weder gespeichert noch gesichert werden.\rDas Programm "
                        "bleibt geöffnet, damit Sie die Sammlung an einem anderen Ort speichern können.";
  const struct Fall {
    QStringList umgebung;
    QStringList erwartet;  // after the start's three lines
  } faelle[] = {
      {{"KIND_ZIEL=" + ziel}, {frage, "frage| Vemla |Zu wenig Speicherplatz.", weder, "offen"}},
      {{}, {frage, weder, "offen"}},  // the save dialog cancelled
  };
  for (const Fall& f : faelle) {
    const QStringList zeilen = durchlaufen(
        QStringList{"KIND_EINTRAEGE=2", "KIND_ANTWORTEN=ja", "KIND_ZUSTAND=" + QString::fromStdString(platte.pfad("zustand"))} +
            f.umgebung,
        {ziel});
    EXPECT_EQ(zeilen.mid(3).join('\n').toStdString(), f.erwartet.join('\n').toStdString());
  }
  EXPECT_EQ(dateiInhalt(platte.pfad("a.vem")), satz("A1", "T1"));
}

// A restored copy is not saved over what another program wrote into its file meanwhile.
TEST_F(Prozesse, WiederhergestellteKopieUeberGeaenderterDatei) {
  std::string zehn, dreihundertzehn;
  for (int i = 1; i <= 310; ++i) (i <= 10 ? zehn : dreihundertzehn) += satz("A" + std::to_string(i), "T");
  dreihundertzehn = zehn + dreihundertzehn;
  const QString datei = QString::fromStdString(datei_);
  const struct Fall {
    const char* was;
    std::string danach;  // what another program leaves in the file
    QString antworten;
    bool gewarnt;
    std::string gespeichert;
  } faelle[] = {
      {"310 Einträge", dreihundertzehn, "ja,ja,nein", true, dreihundertzehn},
      {"dieselben Bytes neu geschrieben", zehn, "ja,ja", false, zehn + satz("I1", "T1") + satz("I2", "T2")},
  };
  for (const Fall& f : faelle) {
    dateiSchreiben(datei_, zehn);
    auto erster = mitKopie({datei});
    toeten(*erster);
    std::filesystem::remove(datei_);  // another file in its place
    dateiSchreiben(datei_, f.danach);
    const QString stand = QFileInfo(datei).lastModified().toString("dd.MM.yyyy, hh:mm");
    const QStringList zeilen = fragen(durchlaufen({"KIND_ANTWORTEN=" + f.antworten, "KIND_ZIEL=" + datei}));
    ASSERT_GE(zeilen.size(), 2) << f.was;
    EXPECT_EQ(zeilen[0].contains(").\rDie Datei wurde seitdem verändert (Stand: " + stand + ").\rSollen diese"), f.gewarnt)
        << zeilen[0].toStdString();
    EXPECT_EQ(zeilen.filter("|Die Datei „CDs.vem“ wurde außerhalb von Vemla geändert.").size(), f.gewarnt ? 1 : 0) << f.was;
    EXPECT_EQ(dateiInhalt(datei_), f.gespeichert) << f.was;
    for (const QString& k : kopien()) QFile::remove(QString::fromStdString(tmp_.pfad("prog/sicherung/")) + k);
  }
}

// What killed programs leave beside their copies goes at the next start, unless a running program holds it.
TEST_F(Prozesse, ResteGetoeteterProgrammeGehen) {
  auto laufend = mitKopie();
  const std::string ordner = tmp_.pfad("prog/sicherung/");
  const std::string eigen = kopien().value(0).chopped(10).toStdString();  // "kopie-<id>" of the running one
  for (const std::string& rest : {std::string("kopie-1-tot.neu"), std::string("kopie-1-tot.sperre"),
                                  std::string("kopie-2-tot.angaben"), std::string("kopie-3-tot.neu"),
                                  std::string(".vemla-a1B2c3"), eigen + ".neu"})
    dateiSchreiben(ordner + rest, std::string(5000, 'x'));
  const auto liste = [&] { return QDir(QString::fromStdString(ordner)).entryList(QDir::Files | QDir::Hidden).join(' '); };
  durchlaufen({});
  const QString e = QString::fromStdString(eigen);
  EXPECT_EQ(liste(), ".vemla-a1B2c3 " + e + ".neu " + e + ".sicherung " + e + ".sperre");
  toeten(*laufend);
  EXPECT_EQ(fragen(durchlaufen({"KIND_ANTWORTEN=nein"})).size(), 1);
  EXPECT_EQ(liste(), "");
}

// The details' file beside "vem": each entry gets "orte"'s Standort in order.
void standorteSchreiben(const std::string& vem, const std::vector<std::string>& orte) {
  TDatBas d;
  vemAnhaengen(vem, d);
  for (int i = 1; i <= d.get_anzahl(); ++i) {
    TAngaben a;
    a.standort = orte.at(static_cast<std::size_t>(i - 1));
    d.set_beilage(i, angabenBytes(a));
  }
  TAngabenDatei().speichern(vem, d);
}

// "vem" loaded as a program loads it, with its details: "Interpret:Standort" of every entry.
std::vector<std::string> geladen(const std::string& vem, int* nichtZugeordnet = nullptr) {
  TDatBas d;
  vemAnhaengen(vem, d);
  TAngabenDatei datei;
  const auto g = datei.laden(vem, d);
  if (nichtZugeordnet) *nichtZugeordnet = g.nichtZugeordnet;
  std::vector<std::string> r;
  TDatensatz s;
  for (int i = 1; i <= d.get_anzahl(); ++i) {
    d.get_datensatz(i, s);
    r.push_back(s.Interpret.text() + ":" + angabenAusBytes(d.get_beilage(i)).standort);
  }
  return r;
}

// A change of details only: asked at the exit, kept in the copy of a killed program, given back by the restore.
TEST_F(Prozesse, NurAngabenGeaendertKommenAusDerKopieZurueck) {
  standorteSchreiben(datei_, {"Regal 1", ""});
  const QString datei = QString::fromStdString(datei_);
  const QStringList zeilen = durchlaufen({"KIND_STANDORT=2=Regal 2", "KIND_ANTWORTEN=nein"}, {datei});
  EXPECT_EQ(fragen(zeilen).size(), 1) << zeilen.join('\n').toStdString();
  EXPECT_EQ(geladen(datei_), (std::vector<std::string>{"A1:Regal 1", "A2:"}));

  auto p = starten({"KIND_STANDORT=2=Regal 2", "KIND_WARTEN=1"}, {datei});
  while (!p->readAllStandardOutput().contains("kopie\n") && p->state() == QProcess::Running) p->waitForReadyRead(1000);
  toeten(*p);
  // Meanwhile the details' file says otherwise: the copy's own details win.
  standorteSchreiben(datei_, {"anders 1", "anders 2"});
  const QStringList wieder = durchlaufen({"KIND_ANTWORTEN=ja,ja", "KIND_STANDORTE=1", "KIND_ZIEL=" + datei});
  EXPECT_TRUE(wieder.contains("standorte|Regal 1,Regal 2")) << wieder.join('\n').toStdString();
  EXPECT_EQ(geladen(datei_), (std::vector<std::string>{"A1:Regal 1", "A2:Regal 2"})) << wieder.join('\n').toStdString();
  EXPECT_TRUE(kopien().isEmpty());
}

// Killed at any moment of its saves, a program leaves every entry with its own details.
TEST_F(Prozesse, GetoetetBeimSpeichernBehaeltJederEintragSeineAngaben) {
  constexpr int ANZAHL = 4000;
  TDatBas d;
  std::vector<std::string> orte;
  for (int i = 0; i < ANZAHL; ++i) {
    orte.push_back("I" + std::to_string(10000 + (i * 7919) % ANZAHL));
    d.add_datensatz(datensatzAus(orte.back(), "T" + std::to_string(i % 13), "", "", "", "", ""));
  }
  vemSchreiben(datei_, d);
  standorteSchreiben(datei_, orte);
  const unsigned saat = std::random_device{}();
  std::mt19937 zufall(saat);
  for (int runde = 0; runde < 20; ++runde) {
    auto p = starten({"KIND_SCHLEIFE=1", "KIND_VERZOEGERUNG=600000"}, {QString::fromStdString(datei_)});
    QByteArray aus;
    while (!aus.contains("bereit\n") && p->state() == QProcess::Running) {
      p->waitForReadyRead(1000);
      aus += p->readAllStandardOutput();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 1500)(zufall)));
    toeten(*p);
    int ohne = -1;
    const auto eintraege = geladen(datei_, &ohne);
    int falsch = 0;
    for (const std::string& e : eintraege)
      if (e.substr(0, e.find(':')) != e.substr(e.find(':') + 1)) ++falsch;
    ASSERT_EQ(eintraege.size(), std::size_t{ANZAHL}) << "Runde " << runde << ", Saat " << saat;
    ASSERT_EQ(falsch, 0) << "Runde " << runde << ", Saat " << saat;
    ASSERT_EQ(ohne, 0) << "Runde " << runde << ", Saat " << saat;
  }
}

}  // namespace
