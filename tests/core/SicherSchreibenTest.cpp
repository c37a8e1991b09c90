// The safe whole-file write shared by the collection file and the settings file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "app/UIniFile.h"
#include "core/UFehler.h"
#include "core/USicherSchreiben.h"
#include "core/UVemDatei.h"
#include "tests/support/FehlerText.h"
#include "tests/support/TempOrdner.h"
#include "tests/support/VollerDatentraeger.h"

namespace {

TDatBas sammlung(int n) {
  TDatBas db;
  for (int i = 1; i <= n; ++i) db.add_datensatz(datensatzAus("I" + std::to_string(i), "T", "", "", "", "", ""));
  return db;
}

int dateienIn(const std::string& ordner) {
  int n = 0;
  for (auto& e : std::filesystem::directory_iterator(ordner)) (void)e, ++n;
  return n;
}

// Both writers of the program: the collection file and one key of the settings file.
struct Schreiber {
  const char* name;
  std::function<void(const std::string&)> schreiben;
  std::function<bool(const std::string&)> geschrieben;
};

std::vector<Schreiber> schreiber() {
  return {
      {"Sammlung", [](const std::string& p) { vemSchreiben(p, sammlung(3)); },
       [](const std::string& p) { return dateiInhalt(p).size() == 3 * DATENSATZ_GROESSE; }},
      {"Einstellungen", [](const std::string& p) { TIniFile(p).WriteString("Ansicht", "statusleiste", "true"); },
       [](const std::string& p) { return dateiInhalt(p) == "[Alt]\r\na=1\r\n[Ansicht]\r\nstatusleiste=true\r\n"; }},
  };
}

const std::string ALT = "[Alt]\r\na=1\r\n";

TEST(SicherSchreiben, BeschreibbareDateiImSchreibgeschuetztenOrdnerWirdGeschrieben) {
  for (const Schreiber& s : schreiber()) {
    TempOrdner tmp;
    const std::string pfad = tmp.pfad("ziel");
    dateiSchreiben(pfad, ALT);
    ::chmod(pfad.c_str(), 0666);
    ::chmod(tmp.pfad().c_str(), 0555);
    {
      OhneRootRechte ohne;
      EXPECT_EQ(fehlerText([&] { s.schreiben(pfad); }), "kein Fehler") << s.name;
    }
    EXPECT_TRUE(s.geschrieben(pfad)) << s.name;
    EXPECT_EQ(dateienIn(tmp.pfad()), 1) << s.name;
  }
}

TEST(SicherSchreiben, VollerDatentraegerLaesstDieDateiImSchreibgeschuetztenOrdnerGanz) {
  const std::pair<const char*, std::function<void(const std::string&)>> faelle[] = {
      {"Sammlung", [](const std::string& p) { vemSchreiben(p, sammlung(3)); }},
      {"Bericht", [](const std::string& p) { dateiSicherSchreiben(p, std::string(20000, 'x')); }},
  };
  for (const auto& [name, schreiben] : faelle) {
    TempOrdner tmp;
    std::filesystem::create_directory(tmp.pfad("platte"));
    VollerDatentraeger platte(tmp.pfad("platte"));
    if (!platte.bereit()) GTEST_SKIP() << "braucht ein eigenes tmpfs (root)";
    const std::string pfad = platte.pfad("ziel");
    dateiSchreiben(pfad, ALT);
    ::chmod(pfad.c_str(), 0666);
    platte.fuellen();
    ::chmod(tmp.pfad().c_str(), 0755);
    ::chmod(tmp.pfad("platte").c_str(), 0755);
    {
      OhneRootRechte ohne;
      EXPECT_EQ(fehlerText([&] { schreiben(pfad); }), "Zu wenig Speicherplatz") << name;
    }
    EXPECT_TRUE(dateiInhalt(pfad) == ALT) << name;
  }
}

TEST(SicherSchreiben, NamenBisZurGrenzeDesOrdners) {
  for (const Schreiber& s : schreiber()) {
    for (std::size_t laenge : {245u, 250u, 255u}) {
      TempOrdner tmp;
      const std::string pfad = tmp.pfad(std::string(laenge - 4, 'n') + ".vem");
      dateiSchreiben(pfad, ALT);
      EXPECT_EQ(fehlerText([&] { s.schreiben(pfad); }), "kein Fehler") << s.name << " " << laenge;
      EXPECT_TRUE(s.geschrieben(pfad)) << s.name << " " << laenge;
      EXPECT_EQ(dateienIn(tmp.pfad()), 1) << s.name;
    }
  }
  TempOrdner tmp;
  EXPECT_EQ(fehlerText([&] { vemSchreiben(tmp.pfad(std::string(256, 'n')), sammlung(1)); }), "Ungültiger Dateiname");
}

TEST(SicherSchreiben, BesitzerUndGruppeBleiben) {
  if (::geteuid() != 0) GTEST_SKIP() << "nur als root";
  for (const Schreiber& s : schreiber()) {
    TempOrdner tmp;
    const std::string pfad = tmp.pfad("fremd");
    dateiSchreiben(pfad, ALT);
    ASSERT_EQ(::chown(pfad.c_str(), 65534, 65534), 0);
    ::chmod(pfad.c_str(), 0640);
    s.schreiben(pfad);
    struct stat st;
    ASSERT_EQ(::stat(pfad.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u) << s.name;
    EXPECT_EQ(st.st_gid, 65534u) << s.name;
    EXPECT_EQ(st.st_mode & 07777, 0640u) << s.name;
    EXPECT_TRUE(s.geschrieben(pfad)) << s.name;
  }
}

TEST(SicherSchreiben, VerknuepfungBleibtUndZielWirdGeschrieben) {
  for (const Schreiber& s : schreiber()) {
    TempOrdner tmp;
    std::filesystem::create_directory(tmp.pfad("echt"));
    dateiSchreiben(tmp.pfad("echt/datei"), ALT);
    std::filesystem::create_symlink("echt/datei", tmp.pfad("link"));  // relative, as users make them
    s.schreiben(tmp.pfad("link"));
    EXPECT_TRUE(std::filesystem::is_symlink(tmp.pfad("link"))) << s.name;
    EXPECT_TRUE(s.geschrieben(tmp.pfad("echt/datei"))) << s.name;
    EXPECT_EQ(dateienIn(tmp.pfad("echt")), 1) << s.name;
  }
}

TEST(SicherSchreiben, VerknuepfungAufNochFehlendeDatei) {
  TempOrdner tmp;
  std::filesystem::create_symlink(tmp.pfad("neu.ini"), tmp.pfad("vemla.ini"));
  TIniFile(tmp.pfad("vemla.ini")).WriteString("Programm", "firststart", "false");
  EXPECT_TRUE(std::filesystem::is_symlink(tmp.pfad("vemla.ini")));
  EXPECT_EQ(dateiInhalt(tmp.pfad("neu.ini")), "[Programm]\r\nfirststart=false\r\n");
}

TEST(SicherSchreiben, HilfsPfade) {
  EXPECT_EQ(ordnerVon("/a/b/c.vem"), "/a/b");
  EXPECT_EQ(ordnerVon("/c.vem"), "/");
  EXPECT_EQ(ordnerVon("c.vem"), ".");
  EXPECT_EQ(schreibZiel("/gibt/es/nicht"), "/gibt/es/nicht");
}

TEST(IniFileSchutz, UnlesbareDateiWirdNieErsetzt) {
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("vemla.ini");
  const std::string inhalt = "[Initiation]\r\nfilename=/home/x/a.vem\r\n[Ansicht]\r\nstatusleiste=true\r\n";
  dateiSchreiben(pfad, inhalt);
  ::chmod(pfad.c_str(), 0600);           // belongs to root: nobody cannot read it
  ::chmod(tmp.pfad().c_str(), 0777);     // but may create files beside it
  std::string text;
  {
    OhneRootRechte ohne;
    if (::geteuid() == 0) GTEST_SKIP() << "Rechte lassen sich nicht abgeben";
    text = fehlerText([&] { TIniFile(pfad).WriteString("Programm", "firststart", "false"); });
  }
  EXPECT_EQ(text, "nach " + pfad + " kann nicht geschrieben werden");
  EXPECT_EQ(dateiInhalt(pfad), inhalt);
  EXPECT_EQ(dateienIn(tmp.pfad()), 1);
}

TEST(IniFileSchutz, GleichzeitigeSchreiberVerlierenKeinenSchluessel) {
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("vemla.ini");
  constexpr int KOPIEN = 6, SCHLUESSEL = 40;
  std::vector<pid_t> kinder;
  for (int k = 0; k < KOPIEN; ++k) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int fehler = 0;
      TIniFile ini(pfad);
      for (int i = 0; i < SCHLUESSEL; ++i) {
        try {
          ini.WriteString("Kopie" + std::to_string(k), "s" + std::to_string(i), std::to_string(k * 1000 + i));
        } catch (...) {
          ++fehler;
        }
      }
      ::_exit(fehler == 0 ? 0 : 1);
    }
    kinder.push_back(pid);
  }
  for (pid_t pid : kinder) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  TIniFile ini(pfad);
  int fehlend = 0;
  for (int k = 0; k < KOPIEN; ++k)
    for (int i = 0; i < SCHLUESSEL; ++i)
      if (ini.ReadString("Kopie" + std::to_string(k), "s" + std::to_string(i), "") != std::to_string(k * 1000 + i))
        ++fehlend;
  EXPECT_EQ(fehlend, 0);
  EXPECT_EQ(dateienIn(tmp.pfad()), 1);
}

}  // namespace
