// "cmake --install" into a temporary DESTDIR: every file where it belongs, and
// the desktop's tools accept the menu entry and the file type.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "tests/installation/Hilfen.h"

namespace {

const TInstallation& I() {
  const TInstallation& i = installation();
  EXPECT_EQ(i.lauf.rc, 0) << i.lauf.ausgabe.toStdString();
  return i;
}

QString text(const std::string& pfad) {
  QFile f(QString::fromStdString(pfad));
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The desktop looks for menu entries and file types below the installed share folder only.
QProcessEnvironment desktopUmgebung(const TempOrdner& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", QString::fromStdString(home.pfad()));
  env.insert("XDG_DATA_HOME", QString::fromStdString(home.pfad("daten")));
  env.insert("XDG_DATA_DIRS", I().qpfad("share"));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.pfad("konfig")));
  env.insert("XDG_CONFIG_DIRS", QString::fromStdString(home.pfad("konfig-system")));
  // xdg-mime asks GIO, which reads the shared MIME database of XDG_DATA_DIRS.
  env.insert("XDG_CURRENT_DESKTOP", "GNOME");
  env.remove("DISPLAY");
  return env;
}

TEST(Installation, JedeDateiAmRichtigenOrt) {
  struct Fall {
    const char* pfad;
    const char* enthaelt;  // a piece of the content, or empty
  } faelle[] = {
      {"bin/vemla", ""},
      {VEMLA_MODULORDNER "/vemla_web.so", "ELF"},
      {VEMLA_MODULORDNER "/vemla_druck.so", "ELF"},
      {"share/man/man1/vemla.1.gz", ""},
      {"share/doc/vemla/copyright", "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"},
      {"share/doc/vemla/changelog.gz", ""},
      {"share/applications/vemla.desktop", "Exec=/usr/local/bin/vemla %f"},
      {"share/metainfo/de.vemla.vemla.metainfo.xml", "<launchable type=\"desktop-id\">vemla.desktop</launchable>"},
      {"share/mime/packages/vemla.xml", "<glob pattern=\"*.vem\"/>"},
      {"share/icons/hicolor/scalable/apps/vemla.svg", "<svg"},
      {"share/icons/hicolor/48x48/apps/vemla.png", "PNG"},
  };
  for (const Fall& f : faelle) {
    const QFileInfo info(I().qpfad(f.pfad));
    EXPECT_TRUE(info.isFile()) << f.pfad;
    if (*f.enthaelt) {
      EXPECT_TRUE(text(I().pfad(f.pfad)).contains(QString::fromUtf8(f.enthaelt))) << f.pfad;
    }
  }
  EXPECT_TRUE(QFileInfo(I().qpfad("bin/vemla")).isExecutable());
  // Nothing that belongs to the build or to a user lands in the program's folder.
  EXPECT_EQ(ordnerInhalt(I().pfad("bin")), QStringList{"vemla"});
  EXPECT_FALSE(QFileInfo::exists(I().qpfad("share/vemla/vemla.ini")));
}

// A module planted in the folder the program was built in is never loaded: the
// installed program does not even know that folder.
TEST(Installation, ProgrammNenntKeinenModulpfadImBauordner) {
  QFile programm(I().qpfad("bin/vemla"));
  ASSERT_TRUE(programm.open(QIODevice::ReadOnly));
  const QByteArray inhalt = programm.readAll();
  ASSERT_TRUE(inhalt.contains("vemla_web.so"));  // the name it looks for beside itself
  EXPECT_FALSE(inhalt.contains(VEMLA_BAUORDNER "/vemla_web.so"));
}

TEST(Installation, MitgelieferteDateienImDatenordner) {
  // Whatever the build placed beside the executable is installed, nothing else.
  const QStringList mitgeliefert = {"blau.html", "gelb.html", "grau.html", "gruen.html", "rot.html",
                                    "schwarz.html", "weiss.html", "help/format.css", "copyright.js"};
  for (const QString& name : mitgeliefert) {
    const bool gebaut = QFileInfo::exists(QString(VEMLA_BAUORDNER) + "/" + name);
    EXPECT_EQ(QFileInfo(I().qpfad("share/vemla/" + name.toStdString())).isFile(), gebaut) << name.toStdString();
  }
}

TEST(Installation, MenueeintragIstGueltigUndDeutsch) {
  const TLauf l = ausfuehren("desktop-file-validate", {I().qpfad("share/applications/vemla.desktop")});
  EXPECT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  EXPECT_TRUE(l.ausgabe.trimmed().isEmpty()) << l.ausgabe.toStdString();  // no hints either
  const QString d = text(I().pfad("share/applications/vemla.desktop"));
  for (const char* zeile : {"Type=Application", "Name=Vemla", "GenericName=CD-Sammlung",
                            "Comment=Musik-CDs und Schallplatten katalogisieren, durchsuchen und als Liste ausgeben",
                            "Exec=/usr/local/bin/vemla %f", "Icon=vemla", "MimeType=application/x-vemla;"})
    EXPECT_TRUE(d.split('\n').contains(QString::fromUtf8(zeile))) << zeile;
}

TEST(Installation, AppStreamBeschreibungIstGueltig) {
  const TLauf l = ausfuehren("appstreamcli", {"validate", "--no-net", "--pedantic",
                                               I().qpfad("share/metainfo/de.vemla.vemla.metainfo.xml")});
  EXPECT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  EXPECT_FALSE(l.ausgabe.contains(QRegularExpression("^[EWIP]:", QRegularExpression::MultilineOption)))
      << l.ausgabe.toStdString();
}

// The menu entry names the installed program by its full path: a prefix that is not
// on PATH works from the menu and for a double-clicked file.
TEST(Installation, MenueeintragMitDemPfadDesPrefix) {
  struct Fall {
    const char* prefix;
    const char* exec;
  } faelle[] = {
      {"/opt/vemla", "Exec=/opt/vemla/bin/vemla %f"},
      {"/opt/Meine Programme/vemla", "Exec=\"/opt/Meine Programme/vemla/bin/vemla\" %f"},
  };
  for (const Fall& f : faelle) {
    TempOrdner destdir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", QString::fromStdString(destdir.pfad()));
    const TLauf l = ausfuehren(VEMLA_CMAKE, {"--install", VEMLA_BAUORDNER, "--prefix", f.prefix}, env);
    ASSERT_EQ(l.rc, 0) << l.ausgabe.toStdString();
    const std::string eintrag = destdir.pfad() + f.prefix + "/share/applications/vemla.desktop";
    EXPECT_TRUE(text(eintrag).split('\n').contains(QString::fromUtf8(f.exec))) << f.prefix << "\n" << text(eintrag).toStdString();
    EXPECT_TRUE(QFileInfo(QString::fromStdString(destdir.pfad() + f.prefix + "/bin/vemla")).isExecutable()) << f.prefix;
    const TLauf v = ausfuehren("desktop-file-validate", {QString::fromStdString(eintrag)});
    EXPECT_EQ(v.rc, 0) << v.ausgabe.toStdString();
    EXPECT_TRUE(v.ausgabe.trimmed().isEmpty()) << v.ausgabe.toStdString();
  }
}

TEST(Installation, DateitypUndStandardprogramm) {
  TempOrdner home;
  // The databases a package manager would refresh, built inside the test tree.
  const std::string share = I().pfad("share");
  rechte(share, std::filesystem::perms(0755));
  std::filesystem::create_directories(share + "/mime");
  TLauf l = ausfuehren("update-mime-database", {QString::fromStdString(share + "/mime")});
  ASSERT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  l = ausfuehren("update-desktop-database", {QString::fromStdString(share + "/applications")});
  ASSERT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  EXPECT_TRUE(text(share + "/mime/globs2").contains("application/x-vemla:*.vem"));
  EXPECT_TRUE(text(share + "/mime/application/x-vemla.xml").contains("<comment xml:lang=\"de\">Vemla-CD-Sammlung</comment>"));

  // A collection file of one entry, and a file of another type beside it.
  const std::string sammlung = home.pfad("Meine Sammlung.vem");
  dateiSchreiben(sammlung, datensatz("Hallo", "Welt"));
  dateiSchreiben(home.pfad("notiz.txt"), "Hallo\n");
  const QProcessEnvironment env = desktopUmgebung(home);
  l = ausfuehren("xdg-mime", {"query", "filetype", QString::fromStdString(sammlung)}, env);
  EXPECT_EQ(l.ausgabe.trimmed(), "application/x-vemla") << l.rc;
  l = ausfuehren("xdg-mime", {"query", "filetype", QString::fromStdString(home.pfad("notiz.txt"))}, env);
  EXPECT_EQ(l.ausgabe.trimmed(), "text/plain");
  l = ausfuehren("xdg-mime", {"query", "default", "application/x-vemla"}, env);
  EXPECT_EQ(l.ausgabe.trimmed(), "vemla.desktop") << l.rc;
}

}  // namespace
