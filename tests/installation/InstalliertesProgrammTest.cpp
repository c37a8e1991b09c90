// The installed program, started as an ordinary user from a folder it may not
// write to: its settings and written files go to the user's folders, nothing
// lands beside the executable.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
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
  }
  void TearDown() override {
    if (prozess_.state() != QProcess::NotRunning) {
      prozess_.kill();
      prozess_.waitForFinished();
    }
  }

  QString p(const std::string& name) const { return QString::fromStdString(t_.pfad(name)); }

  // Starts a command line as "nobody" (as root) or as this user, in the folder it may not write to.
  void starten(QStringList befehl, bool gewoehnlicherBenutzer = true) {
    if (alsRoot() && gewoehnlicherBenutzer) befehl = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"} + befehl;
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
  QStringList befehl = befehlAusMenueeintrag(QString::fromStdString(sammlung));
  // The installed program's path, whatever PATH holds (here staged below DESTDIR).
  ASSERT_EQ(befehl, (QStringList{"/usr/local/bin/vemla", QString::fromStdString(sammlung)}));
  befehl[0] = QString::fromStdString(installation().destdir.pfad()) + befehl[0];
  starten(befehl);
  warteAufEinstellung(t_.pfad("home/konfig/vemla/vemla.ini"), "filename=" + QString::fromStdString(sammlung));
  EXPECT_FALSE(std::filesystem::exists(t_.pfad("home/.config")));
  nichtsNebenDemProgramm();
}

// Root (or anyone who may write the program's folder) running the installed
// program leaves nothing there that would refuse the next user.
TEST_F(InstalliertesProgramm, BeschreibbarerProgrammordnerBleibtUnberuehrt) {
  rechte(installation().pfad("bin"), perms(0777));
  starten({installation().qpfad("bin/vemla")}, false);
  warteAufEinstellung(t_.pfad("home/.config/vemla/vemla.ini"), "statusleiste=false");
  rechte(installation().pfad("bin"), perms(0555));
  nichtsNebenDemProgramm();
  std::filesystem::remove(installation().pfad("bin/vemla.ini"));  // spares the other tests a failure of this one
}

// The Debian package of this build: its dependencies, installed into a scratch
// root of its own, the installed program started once, and removed again.
TEST_F(InstalliertesProgramm, DebianPaketInstallierenStartenEntfernen) {
  const QString architektur = ausfuehren("dpkg", {"--print-architecture"}).ausgabe.trimmed();
  TLauf l = ausfuehren(VEMLA_CPACK, {"-G", "DEB", "--config", VEMLA_BAUORDNER "/CPackConfig.cmake", "-B", p("paket")},
                       QProcessEnvironment::systemEnvironment(), VEMLA_BAUORDNER, 900);
  ASSERT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  const QString deb = p("paket/vemla_1.0.6_") + architektur + ".deb";
  ASSERT_TRUE(QFileInfo(deb).isFile()) << deb.toStdString() << "\n" << l.ausgabe.toStdString();

  auto feld = [&](const char* name) { return ausfuehren("dpkg-deb", {"-f", deb, name}).ausgabe.trimmed(); };
  EXPECT_EQ(feld("Package"), "vemla");
  EXPECT_EQ(feld("Version"), "1.0.6");
  const QStringList abhaengig = feld("Depends").split(", ");
  // From the libraries it links (program and modules), and those it loads when first needed.
  for (const char* paket : {"libqt6widgets6", "libqt6printsupport6", "libqt6webenginewidgets6", "libc6"})
    EXPECT_TRUE(abhaengig.indexOf(QRegularExpression(QString(paket) + "( .*)?")) >= 0) << paket << " in " << feld("Depends").toStdString();
  for (const char* paket : {"libcurl4 (>= 7.85.0)", "libxlsxwriter4", "qt6-translations-l10n"})
    EXPECT_TRUE(abhaengig.contains(paket)) << paket << " in " << feld("Depends").toStdString();
  for (const char* paket : {"libreoffice-calc | libreoffice-calc-nogui", "libdiscid0"})
    EXPECT_TRUE(feld("Recommends").split(", ").contains(paket)) << paket << " in " << feld("Recommends").toStdString();
  // Debian's own check finds nothing to object to (notes aside, but bound at start it is).
  l = ausfuehren("lintian", {"--info", "--display-info", "--fail-on", "error,warning", deb}, QProcessEnvironment::systemEnvironment(),
                 QString(), 600);
  EXPECT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  EXPECT_FALSE(l.ausgabe.contains(QRegularExpression("^[EW]: ", QRegularExpression::MultilineOption))) << l.ausgabe.toStdString();
  EXPECT_FALSE(l.ausgabe.contains("hardening-no-bindnow")) << l.ausgabe.toStdString();
  // Every dependency is a package this machine has or could install.
  l = ausfuehren("apt-get", {"install", "--simulate", deb});
  EXPECT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  EXPECT_TRUE(l.ausgabe.contains("Inst vemla (1.0.6 ") || l.ausgabe.contains("vemla is already the newest version (1.0.6)"))
      << l.ausgabe.toStdString();

  // A root of its own with an empty package database (the package has no maintainer scripts).
  const std::string wurzel = t_.pfad("wurzel");
  for (const char* o : {"var/lib/dpkg/info", "var/lib/dpkg/updates"}) std::filesystem::create_directories(wurzel + "/" + o);
  dateiSchreiben(wurzel + "/var/lib/dpkg/status", "");
  const QStringList dpkg = {"--root=" + QString::fromStdString(wurzel), "--log=/dev/null", "--force-not-root",
                            "--force-depends", "--force-script-chrootless"};
  l = ausfuehren("dpkg", dpkg + QStringList{"-i", deb});
  ASSERT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  const QStringList dateien = ausfuehren("dpkg", dpkg + QStringList{"-L", "vemla"}).ausgabe.split('\n');
  for (const char* datei : {"/usr/bin/vemla", "/usr/" VEMLA_MODULORDNER "/vemla_web.so", "/usr/" VEMLA_MODULORDNER "/vemla_druck.so",
                            "/usr/share/vemla/blau.html", "/usr/share/man/man1/vemla.1.gz", "/usr/share/doc/vemla/copyright",
                            "/usr/share/applications/vemla.desktop", "/usr/share/metainfo/de.vemla.vemla.metainfo.xml",
                            "/usr/share/mime/packages/vemla.xml", "/usr/share/icons/hicolor/48x48/apps/vemla.png"})
    EXPECT_TRUE(dateien.contains(datei)) << datei;
  // The shared databases belong to the desktop's packages, which refresh them on their own.
  EXPECT_FALSE(dateien.contains("/usr/share/mime/mime.cache"));
  EXPECT_FALSE(dateien.contains("/usr/share/applications/mimeinfo.cache"));
  EXPECT_TRUE(QString::fromLatin1(dateiInhalt(wurzel + "/usr/share/applications/vemla.desktop"))
                  .split('\n')
                  .contains("Exec=/usr/bin/vemla %f"));

  // Started once by an ordinary user: it runs, and keeps its settings in the user's folder.
  starten({QString::fromStdString(wurzel + "/usr/bin/vemla")});
  warteAufEinstellung(t_.pfad("home/.config/vemla/vemla.ini"), "statusleiste=false");
  prozess_.kill();
  prozess_.waitForFinished();
  EXPECT_EQ(ordnerInhalt(wurzel + "/usr/bin"), QStringList{"vemla"});

  l = ausfuehren("dpkg", dpkg + QStringList{"-r", "vemla"});
  ASSERT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  EXPECT_EQ(ordnerInhalt(wurzel + "/usr"), QStringList());
}

}  // namespace
