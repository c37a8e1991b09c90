// The recovery copy across real processes: a program killed after changes, two
// programs at once, a full disk at the exit. Each program is the program's start
// and exit in a process of its own (kind/Kind.cpp), in a portable folder.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <filesystem>

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

}  // namespace
