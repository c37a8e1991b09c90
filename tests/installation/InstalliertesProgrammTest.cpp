// The installed program, started as an ordinary user from a folder it may not
// write to: its settings and written files go to the user's folders, nothing
// lands beside the executable.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "tests/installation/Hilfen.h"

namespace {

using std::filesystem::perms;

class InstalliertesProgramm : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(installation().lauf.rc, 0) << installation().lauf.ausgabe.toStdString();
    rechte(t_.pfad(), perms(0755));
    for (const char* o : {"home", "arbeit"}) std::filesystem::create_directories(t_.pfad(o));
    rechte(t_.pfad("home"), perms(0777));
    rechte(t_.pfad("arbeit"), perms(0555));
    umgebung_ = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "DISPLAY", "WAYLAND_DISPLAY"})
      umgebung_.remove(v);
    umgebung_.insert("HOME", p("home"));
    umgebung_.insert("QT_QPA_PLATFORM", "offscreen");
    umgebung_.insert("PATH", installation().qpfad("bin") + ":" + umgebung_.value("PATH"));
  }
  void TearDown() override {
    if (prozess_.state() != QProcess::NotRunning) {
      prozess_.kill();
      prozess_.waitForFinished();
    }
  }

  QString p(const std::string& name) const { return QString::fromStdString(t_.pfad(name)); }

  // Starts a command line as "nobody" (as root) or as this user, in the folder it may not write to.
  void starten(QStringList befehl) {
    if (alsRoot()) befehl = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"} + befehl;
    prozess_.setProcessEnvironment(umgebung_);
    prozess_.setWorkingDirectory(p("arbeit"));
    prozess_.setProcessChannelMode(QProcess::MergedChannels);
    prozess_.start(befehl.takeFirst(), befehl);
    ASSERT_TRUE(prozess_.waitForStarted(30000));
  }

  // Waits (a loaded machine starts a sanitizer build slowly) until the settings file holds "zeile".
  void warteAufEinstellung(const std::string& ini, const QString& zeile) {
    const bool da = QTest::qWaitFor(
        [&] {
          return prozess_.state() == QProcess::NotRunning ||
                 QString::fromLatin1(dateiInhalt(ini)).split("\r\n").contains(zeile);
        },
        120000);
    ASSERT_TRUE(da) << "nach 120 s fehlt " << zeile.toStdString();
    ASSERT_EQ(prozess_.state(), QProcess::Running) << prozess_.readAll().toStdString();
  }

  void nichtsNebenDemProgramm() {
    EXPECT_EQ(ordnerInhalt(installation().pfad("bin")), QStringList{"vemla"});
    EXPECT_EQ(ordnerInhalt(t_.pfad("arbeit")), QStringList());
  }

  TempOrdner t_;
  QProcessEnvironment umgebung_;
  QProcess prozess_;
};

// The menu entry's command line as the desktop runs it for a double-clicked file: %f is the file, one argument.
QStringList befehlAusMenueeintrag(const QString& datei) {
  QFile f(installation().qpfad("share/applications/vemla.desktop"));
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList befehl;
  for (const QString& zeile : QString::fromUtf8(f.readAll()).split('\n')) {
    if (!zeile.startsWith("Exec=")) continue;
    for (const QString& wort : zeile.mid(5).split(' ', Qt::SkipEmptyParts)) befehl << (wort == "%f" ? datei : wort);
  }
  return befehl;
}

TEST_F(InstalliertesProgramm, ErsterStartSchreibtInDieBenutzerordner) {
  starten({installation().qpfad("bin/vemla")});
  // The first activation stores the hidden status bar, then shows the first-start window.
  const std::string ini = t_.pfad("home/.config/vemla/vemla.ini");
  warteAufEinstellung(ini, "statusleiste=false");
  struct stat s {};
  ASSERT_EQ(::stat(ini.c_str(), &s), 0);
  if (alsRoot()) {
    EXPECT_EQ(s.st_uid, 65534u);  // written by the ordinary user
  }
  EXPECT_EQ(ordnerInhalt(t_.pfad("home/.config/vemla")), QStringList{"vemla.ini"});
  // The first-start window is still open: it is marked as shown once it closes.
  EXPECT_FALSE(QString::fromLatin1(dateiInhalt(ini)).contains("firststart"));
  for (const char* name : {"help/format.css", "copyright.js"}) {
    const std::string installiert = installation().pfad(std::string("share/vemla/") + name);
    if (!std::filesystem::exists(installiert)) continue;
    const QFileInfo link(p(std::string("home/.cache/vemla/") + name));
    EXPECT_TRUE(link.isSymLink()) << name;
    EXPECT_EQ(link.canonicalFilePath(), QFileInfo(QString::fromStdString(installiert)).canonicalFilePath()) << name;
  }
  nichtsNebenDemProgramm();
}

TEST_F(InstalliertesProgramm, DoppelklickOeffnetDieSammlung) {
  // XDG_CONFIG_HOME names the folder; the window of the first start was seen before.
  umgebung_.insert("XDG_CONFIG_HOME", p("home/konfig"));
  std::filesystem::create_directories(t_.pfad("home/konfig/vemla"));
  rechte(t_.pfad("home/konfig/vemla"), perms(0777));
  dateiSchreiben(t_.pfad("home/konfig/vemla/vemla.ini"),
                 "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  rechte(t_.pfad("home/konfig/vemla/vemla.ini"), perms(0666));
  const std::string sammlung = t_.pfad("home/Meine Sammlung.vem");
  dateiSchreiben(sammlung, datensatz("Hallo", "Welt"));
  const QStringList befehl = befehlAusMenueeintrag(QString::fromStdString(sammlung));
  ASSERT_EQ(befehl, (QStringList{"vemla", QString::fromStdString(sammlung)}));
  starten(befehl);  // "vemla" found on the PATH, as the desktop finds it
  warteAufEinstellung(t_.pfad("home/konfig/vemla/vemla.ini"), "filename=" + QString::fromStdString(sammlung));
  EXPECT_FALSE(std::filesystem::exists(t_.pfad("home/.config")));
  nichtsNebenDemProgramm();
}

}  // namespace
