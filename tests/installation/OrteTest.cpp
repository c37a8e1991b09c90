// Where the settings, the written files and the files that come with the
// program lie, for a program beside its build and for an installed one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "app/UOrte.h"
#include "tests/installation/Hilfen.h"

namespace {

using std::filesystem::perms;

// A program folder <T>/usr/bin with its data folder <T>/usr/share/vemla.
class Orte : public ::testing::Test {
 protected:
  void SetUp() override {
    rechte(t_.pfad(), perms(0755));
    std::filesystem::create_directories(t_.pfad("usr/bin"));
    std::filesystem::create_directories(t_.pfad("usr/share/vemla/help"));
    std::filesystem::create_directories(t_.pfad("home"));
    rechte(t_.pfad("home"), perms(0777));
  }
  void TearDown() override { orteFestlegen(); }  // back to the test program's own folder

  QString p(const std::string& name) const { return QString::fromStdString(t_.pfad(name)); }
  QProcessEnvironment umgebung(std::initializer_list<std::pair<const char*, std::string>> werte) const {
    QProcessEnvironment env;
    for (const auto& [name, wert] : werte) env.insert(name, QString::fromStdString(wert));
    return env;
  }
  TempOrdner t_;
};

TEST_F(Orte, RegelFuerDenProgrammordner) {
  struct Fall {
    const char* was;
    bool datenordner;  // <T>/usr/share/vemla exists: an installed program
    perms ordnerRechte;
    bool iniDaneben;
    std::initializer_list<std::pair<const char*, std::string>> env;
    const char* einstellungen;  // relative to the test tree
    const char* geschrieben;
    const char* zustand = "usr/bin/sicherung";
  } faelle[] = {
      {"Bauordner, beschreibbar", false, perms(0777), false, {{"HOME", "/h"}}, "usr/bin", "usr/bin"},
      {"Bauordner, schreibgeschuetzt", false, perms(0555), false, {{"HOME", "/h"}}, "/h/.config/vemla", "/h/.cache/vemla", "/h/.local/state/vemla"},
      {"portabel, beschreibbar", false, perms(0777), true, {{"HOME", "/h"}}, "usr/bin", "usr/bin"},
      // A read-only folder holding a settings file keeps it: writing it is refused as before.
      {"portabel, schreibgeschuetzt", false, perms(0555), true, {{"XDG_CONFIG_HOME", "/k"}}, "usr/bin", "usr/bin"},
      {"installiert und portabel", true, perms(0555), true, {{"HOME", "/h"}}, "usr/bin", "usr/bin"},
      // Installed, even a folder the running user may write (root's) is not used.
      {"installiert, beschreibbar", true, perms(0777), false, {{"HOME", "/h"}}, "/h/.config/vemla", "/h/.cache/vemla", "/h/.local/state/vemla"},
      {"installiert, XDG gesetzt", true, perms(0555), false,
       {{"HOME", "/h"}, {"XDG_CONFIG_HOME", "/k"}, {"XDG_CACHE_HOME", "/c/"}, {"XDG_STATE_HOME", "/s"}}, "/k/vemla",
       "/c/vemla", "/s/vemla"},
      {"installiert, Standardordner", true, perms(0555), false, {{"HOME", "/h"}}, "/h/.config/vemla", "/h/.cache/vemla",
       "/h/.local/state/vemla"},
      {"installiert, relative XDG-Pfade gelten nicht", true, perms(0555), false,
       {{"HOME", "/h"}, {"XDG_CONFIG_HOME", "k"}, {"XDG_CACHE_HOME", "c"}, {"XDG_STATE_HOME", "s"}}, "/h/.config/vemla",
       "/h/.cache/vemla", "/h/.local/state/vemla"},
      {"installiert, nur Cache gesetzt", true, perms(0555), false,
       {{"HOME", "/h"}, {"XDG_CACHE_HOME", "/c"}}, "/h/.config/vemla", "/c/vemla", "/h/.local/state/vemla"},
  };
  for (const Fall& f : faelle) {
    std::filesystem::remove(t_.pfad("usr/bin/vemla.ini"));
    if (f.iniDaneben) dateiSchreiben(t_.pfad("usr/bin/vemla.ini"), "[Programm]\r\nfirststart=false\r\n");
    if (f.datenordner) {
      std::filesystem::create_directories(t_.pfad("usr/share/vemla"));
    } else {
      std::filesystem::remove_all(t_.pfad("usr/share/vemla"));
    }
    rechte(t_.pfad("usr/bin"), f.ordnerRechte);
    TOrte o;
    {
      OhneRootRechte ohne;  // what an ordinary user may write
      o = orteBestimmen(p("usr/bin"), umgebung(f.env));
    }
    rechte(t_.pfad("usr/bin"), perms(0755));
    auto erwartet = [&](const char* s) { return *s == '/' ? QString(s) : p(s); };
    EXPECT_EQ(o.einstellungen, erwartet(f.einstellungen)) << f.was;
    EXPECT_EQ(o.geschrieben, erwartet(f.geschrieben)) << f.was;
    EXPECT_EQ(o.zustand, erwartet(f.zustand)) << f.was;
    EXPECT_EQ(o.imBenutzerordner, *f.einstellungen == '/') << f.was;
    EXPECT_EQ(o.programm, p("usr/bin")) << f.was;
    EXPECT_EQ(o.daten, p("usr/share/vemla")) << f.was;
  }
}

TEST_F(Orte, MitgelieferteDateiNebenDemProgrammVorDemDatenordner) {
  dateiSchreiben(t_.pfad("usr/bin/blau.html"), "daneben");
  dateiSchreiben(t_.pfad("usr/share/vemla/blau.html"), "installiert");
  dateiSchreiben(t_.pfad("usr/share/vemla/gelb.html"), "installiert");
  dateiSchreiben(t_.pfad("usr/share/vemla/help/format.css"), "body {}");
  orteFestlegen(p("usr/bin"));
  EXPECT_EQ(programmOrdner(), p("usr/bin"));
  EXPECT_EQ(mitgelieferteDatei("blau.html"), p("usr/bin/blau.html"));
  EXPECT_EQ(mitgelieferteDatei("gelb.html"), p("usr/share/vemla/gelb.html"));
  EXPECT_EQ(mitgelieferteDatei("help/format.css"), p("usr/share/vemla/help/format.css"));
  // Found nowhere: the place beside the program, as the messages name it.
  EXPECT_EQ(mitgelieferteDatei("rot.html"), p("usr/bin/rot.html"));
}

TEST_F(Orte, BeimBauordnerBleibtAllesNebenDemProgramm) {
  std::filesystem::remove_all(t_.pfad("usr/share"));  // no data folder: not installed
  rechte(t_.pfad("usr/bin"), perms(0777));
  orteFestlegen(p("usr/bin"));
  EXPECT_EQ(iniPfad(), p("usr/bin/vemla.ini"));
  EXPECT_EQ(eigeneDatei("suchergebnis.html"), p("usr/bin/suchergebnis.html"));
  EXPECT_EQ(eigeneDatei("download.ini"), p("usr/bin/download.ini"));
  EXPECT_EQ(ordnerInhalt(t_.pfad("home")), QStringList());
}

// Installed: the user's folders are made, and a written page finds its style sheet and script.
TEST_F(Orte, InstalliertBenutzerordnerMitVerknuepftenBegleitdateien) {
  dateiSchreiben(t_.pfad("usr/share/vemla/help/format.css"), "body {}");
  dateiSchreiben(t_.pfad("usr/share/vemla/copyright.js"), "// js");
  rechte(t_.pfad("usr/bin"), perms(0555));
  qputenv("XDG_CONFIG_HOME", t_.pfad("home/konfig").c_str());
  qputenv("XDG_CACHE_HOME", t_.pfad("home/cache").c_str());
  {
    OhneRootRechte ohne;
    // An older copy of the style sheet and a link to where a former installation lay are replaced.
    std::filesystem::create_directories(t_.pfad("home/cache/vemla/help"));
    dateiSchreiben(t_.pfad("home/cache/vemla/help/format.css"), "alt");
    std::filesystem::create_symlink("/nirgendwo/copyright.js", t_.pfad("home/cache/vemla/copyright.js"));
    orteFestlegen(p("usr/bin"));
  }
  qunsetenv("XDG_CONFIG_HOME");
  qunsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(iniPfad(), p("home/konfig/vemla/vemla.ini"));
  EXPECT_EQ(eigeneDatei("suchergebnis.html"), p("home/cache/vemla/suchergebnis.html"));
  EXPECT_EQ(eigeneDatei("download.ini"), p("home/cache/vemla/download.ini"));
  EXPECT_TRUE(QFileInfo(p("home/konfig/vemla")).isDir());
  for (const char* name : {"help/format.css", "copyright.js"}) {
    const QFileInfo link(p(std::string("home/cache/vemla/") + name));
    EXPECT_TRUE(link.isSymLink()) << name;
    EXPECT_EQ(link.symLinkTarget(), p(std::string("usr/share/vemla/") + name)) << name;
  }
  EXPECT_EQ(dateiInhalt(t_.pfad("home/cache/vemla/help/format.css")), "body {}");

  // The cache folder cleared while the program runs is made again before a file is written there.
  std::filesystem::remove_all(t_.pfad("home/cache"));
  EXPECT_EQ(eigeneDatei("suchergebnis.html"), p("home/cache/vemla/suchergebnis.html"));
  EXPECT_EQ(dateiInhalt(t_.pfad("home/cache/vemla/copyright.js")), "// js");
  EXPECT_EQ(ordnerInhalt(t_.pfad("usr/bin")), QStringList());
}

TEST_F(Orte, FehlendeBegleitdateienWerdenNichtVerknuepft) {
  rechte(t_.pfad("usr/bin"), perms(0555));
  qputenv("XDG_CONFIG_HOME", t_.pfad("home/konfig").c_str());
  qputenv("XDG_CACHE_HOME", t_.pfad("home/cache").c_str());
  {
    OhneRootRechte ohne;
    orteFestlegen(p("usr/bin"));
  }
  qunsetenv("XDG_CONFIG_HOME");
  qunsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(ordnerInhalt(t_.pfad("home/cache")), QStringList{"vemla"});
}

// The web engine module is loaded from the program's own folders only: a folder
// named at build time (the build folder) could hold a module planted there.
TEST_F(Orte, WebModulNurNebenDemProgrammOderImModulordner) {
  struct Fall {
    const char* was;
    bool daneben, imModulordner;
    const char* erwartet;  // relative to the test tree; empty: none
  } faelle[] = {
      {"daneben", true, false, "usr/bin/vemla_web.so"},
      {"im Modulordner", false, true, "usr/" VEMLA_MODULORDNER "/vemla_web.so"},
      {"beide", true, true, "usr/bin/vemla_web.so"},
      {"keins", false, false, ""},
  };
  ASSERT_TRUE(QFileInfo::exists(VEMLA_BAUORDNER "/vemla_web.so"));  // the one it must not take
  moduleAuchSuchenIn(QString());  // as the program runs: without the test programs' folder
  orteFestlegen(p("usr/bin"));
  for (const Fall& f : faelle) {
    std::filesystem::create_directories(t_.pfad("usr/" VEMLA_MODULORDNER));
    const std::pair<bool, const char*> module[] = {{f.daneben, "usr/bin/vemla_web.so"},
                                                   {f.imModulordner, "usr/" VEMLA_MODULORDNER "/vemla_web.so"}};
    for (const auto& [da, pfad] : module) {
      std::filesystem::remove(t_.pfad(pfad));
      if (da) dateiSchreiben(t_.pfad(pfad), "ELF");
    }
    EXPECT_EQ(webModul(), *f.erwartet ? p(f.erwartet) : QString()) << f.was;
  }
  moduleAuchSuchenIn(VEMLA_BAUORDNER);
}

}  // namespace
