// The command line without a window: export, import, check, help, exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "angaben/UAngabenDatei.h"
#include "core/UDatbas.h"
#include "core/UDateiWache.h"
#include "core/UVemDatei.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UKommandozeile.h"
#include "app/UBildschirm.h"
#include "report/UReport.h"
#include "tests/support/TempOrdner.h"

namespace {

struct Lauf {
  std::optional<int> code;
  std::string aus, fehler;
};

Lauf lauf(const std::vector<std::string>& a) {
  std::ostringstream aus, fehler;
  const std::optional<int> code = kommandozeile(a, aus, fehler);
  return {code, aus.str(), fehler.str()};
}

std::string testdatei(const std::string& name) { return std::string(VEMLA_QUELLORDNER) + "/tests/csv/dateien/" + name; }

TDatBas beispiel(int n) {
  TDatBas db;
  for (int i = 1; i <= n; ++i)
    db.add_datensatz(datensatzAus("I" + std::to_string(i), "T" + std::to_string(i), "L", "1999", "", "Rock", ""));
  return db;
}

TEST(Kommandozeile, AufrufUndHilfe) {
  EXPECT_EQ(lauf({}).code, std::nullopt);
  EXPECT_EQ(lauf({"sammlung.vem"}).code, std::nullopt);  // opens the window as before
  const Lauf hilfe = lauf({"--help"});
  EXPECT_EQ(hilfe.code, ENDE_OK);
  for (const char* teil : {"--export csv|txt|html|dif SAMMLUNG.vem ZIEL", "--import-csv QUELLE.csv SAMMLUNG.vem",
                           "--check SAMMLUNG.vem", "Rückgabewerte: 0 erledigt, 1 Eingabe abgelehnt, 2 falscher Aufruf"})
    EXPECT_NE(hilfe.aus.find(teil), std::string::npos) << teil;
  const std::pair<std::vector<std::string>, const char*> falsch[] = {
      {{"--export", "pdf", "a.vem", "b"}, "vemla: unbekanntes Exportformat \"pdf\" (csv, txt, html oder dif)\n"},
      {{"--export", "csv", "a.vem"}, "vemla: --export braucht ein Format, eine Sammlung und ein Ziel\n"},
      {{"--import-csv", "a.csv"}, "vemla: --import-csv braucht eine CSV-Datei und eine Sammlung\n"},
      {{"--check"}, "vemla: --check braucht genau eine Sammlung\n"},
      {{"--check", "a.vem", "b.vem"}, "vemla: --check braucht genau eine Sammlung\n"},
      {{"--exprot", "csv"}, "vemla: unbekannte Option \"--exprot\"\n"},
  };
  for (const auto& [argumente, text] : falsch) {
    const Lauf l = lauf(argumente);
    EXPECT_EQ(l.code, ENDE_AUFRUF) << text;
    EXPECT_EQ(l.fehler.substr(0, l.fehler.find('\n') + 1), text);
  }
}

TEST(Kommandozeile, Pruefen) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("drei.vem"), beispiel(3));
  vemSchreiben(tmp.pfad("eins.vem"), beispiel(1));
  vemSchreiben(tmp.pfad("leer.vem"), TDatBas());
  vemSchreiben(tmp.pfad("voll.vem"), beispiel(MAX_DATENSAETZE));
  dateiSchreiben(tmp.pfad("kaputt.vem"), std::string(1792 * 2 + 100, 'x'));
  dateiSchreiben(tmp.pfad("zuviel.vem"), std::string(1792 * 4001, '\0'));
  const std::pair<std::string, std::pair<int, std::string>> faelle[] = {
      {"drei.vem", {ENDE_OK, ": gültige Sammlung mit 3 Einträgen.\n"}},
      {"eins.vem", {ENDE_OK, ": gültige Sammlung mit 1 Eintrag.\n"}},
      {"leer.vem", {ENDE_OK, ": gültige Sammlung mit 0 Einträgen.\n"}},
      {"voll.vem", {ENDE_OK, ": gültige Sammlung mit 4000 Einträgen.\n"}},
      {"kaputt.vem", {ENDE_ABGELEHNT, ": keine gültige Sammlung: ihre Größe (3684 Bytes) ist kein Vielfaches von 1792 Bytes.\n"}},
      {"zuviel.vem", {ENDE_ABGELEHNT, ": enthält 4001 Einträge, mehr als die 4000, die Vemla verwalten kann.\n"}},
      {"fehlt.vem", {ENDE_ABGELEHNT, ": Datei nicht gefunden.\n"}},
      {"", {ENDE_ABGELEHNT, ": ist ein Ordner, keine Sammlung.\n"}},
  };
  for (const auto& [name, erwartet] : faelle) {
    const Lauf l = lauf({"--check", tmp.pfad(name)});
    EXPECT_EQ(l.code, erwartet.first) << name;
    EXPECT_NE(l.fehler.find(tmp.pfad(name) + erwartet.second), std::string::npos) << l.fehler;
  }
}

TEST(Kommandozeile, ExportGleichtDenReportsDesFensters) {
  TempOrdner tmp;
  const TDatBas db = beispiel(5);
  vemSchreiben(tmp.pfad("s.vem"), db);
  const TReportOptionen alles;
  const std::pair<const char*, std::string> faelle[] = {
      {"csv", csvText(db)},
      {"txt", reportTxt(db, alles)},
      {"html", reportHtml(db, alles, THEMA_WEISS)},
      {"dif", reportDif(db, alles)},
  };
  for (const auto& [art, inhalt] : faelle) {
    const std::string ziel = tmp.pfad(std::string("ziel_") + art);  // written under the given name
    const Lauf l = lauf({"--export", art, tmp.pfad("s.vem"), ziel});
    EXPECT_EQ(l.code, ENDE_OK) << art;
    EXPECT_EQ(l.fehler, "5 Einträge nach " + ziel + " geschrieben.\n");
    EXPECT_TRUE(dateiInhalt(ziel) == inhalt) << art;
  }
  const Lauf fehlt = lauf({"--export", "csv", tmp.pfad("fehlt.vem"), tmp.pfad("x.csv")});
  EXPECT_EQ(fehlt.code, ENDE_ABGELEHNT);
  EXPECT_EQ(fehlt.fehler, "vemla: " + tmp.pfad("fehlt.vem") + ": Datei nicht gefunden.\n");
  const Lauf ordner = lauf({"--export", "txt", tmp.pfad("s.vem"), tmp.pfad("nicht/da/x.txt")});
  EXPECT_EQ(ordner.code, ENDE_ABGELEHNT);
  EXPECT_EQ(ordner.fehler, "vemla: " + tmp.pfad("nicht/da/x.txt") + ": Datei nicht gefunden.\n");
}

// An export never writes over the collection it reads, whatever name the target has.
TEST(Kommandozeile, ExportAufDieSammlungSelbstWirdAbgelehnt) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("s.vem"), beispiel(3));
  const std::string vorher = dateiInhalt(tmp.pfad("s.vem"));
  std::filesystem::create_symlink("s.vem", tmp.pfad("verweis"));
  std::filesystem::create_hard_link(tmp.pfad("s.vem"), tmp.pfad("hart.vem"));
  std::filesystem::create_directory(tmp.pfad("u"));
  const std::pair<const char*, std::string> faelle[] = {
      {"txt", tmp.pfad("s.vem")},   {"csv", tmp.pfad("u/../s.vem")}, {"html", tmp.pfad("verweis")},
      {"dif", tmp.pfad("hart.vem")}, {"csv", tmp.pfad("./s.vem")},
  };
  for (const auto& [art, ziel] : faelle) {
    const Lauf l = lauf({"--export", art, tmp.pfad("s.vem"), ziel});
    EXPECT_EQ(l.code, ENDE_ABGELEHNT) << ziel;
    EXPECT_EQ(l.fehler, "vemla: " + ziel + ": ist die Sammlung selbst; sie würde überschrieben. Nichts geschrieben.\n");
  }
  EXPECT_TRUE(dateiInhalt(tmp.pfad("s.vem")) == vorher);
  // "-" is standard output.
  const Lauf aus = lauf({"--export", "csv", tmp.pfad("s.vem"), "-"});
  EXPECT_EQ(aus.code, ENDE_OK);
  EXPECT_TRUE(aus.aus == csvText(beispiel(3)));
  EXPECT_EQ(aus.fehler, "3 Einträge in die Standardausgabe geschrieben.\n");
}

// The command line refuses to write a collection that a running Vemla holds open.
TEST(Kommandozeile, ImportInEineGeoeffneteSammlungWirdAbgelehnt) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("s.vem"), beispiel(2));
  const std::string vorher = dateiInhalt(tmp.pfad("s.vem"));
  TDateiWache offen;
  offen.merken(tmp.pfad("s.vem"), TDateiKennung{});
  const std::string befehl = std::string(VEMLA_BAUORDNER) + "/vemla --import-csv " + testdatei("discogs.csv") + " " +
                             tmp.pfad("s.vem") + " 2>" + tmp.pfad("fehler");
  const int s = std::system(befehl.c_str());
  EXPECT_EQ(WIFEXITED(s) ? WEXITSTATUS(s) : -1, ENDE_ABGELEHNT);
  EXPECT_EQ(dateiInhalt(tmp.pfad("fehler")),
            "vemla: " + tmp.pfad("s.vem") + ": Die Sammlung ist in Vemla geöffnet. Schließen Sie sie dort zuerst.\n");
  EXPECT_TRUE(dateiInhalt(tmp.pfad("s.vem")) == vorher);
  offen.vergessen();
  EXPECT_EQ(lauf({"--import-csv", testdatei("discogs.csv"), tmp.pfad("s.vem")}).code, ENDE_OK);
}

TEST(Kommandozeile, ImportLegtAnUndHaengtAn) {
  TempOrdner tmp;
  const std::string ziel = tmp.pfad("neu.vem");
  Lauf l = lauf({"--import-csv", testdatei("discogs.csv"), ziel});
  EXPECT_EQ(l.code, ENDE_OK);
  EXPECT_EQ(l.fehler, testdatei("discogs.csv") +
                          " (UTF-8, Trennzeichen Komma, Discogs-Export): 4 hinzugefügt, 0 gekürzt, 0 geändert, "
                          "0 übersprungen.\n" + ziel + ": 4 Einträge.\n");
  EXPECT_EQ(dateiInhalt(ziel).size(), 4u * DATENSATZ_GROESSE);
  l = lauf({"--import-csv", testdatei("utf16.csv"), ziel});
  EXPECT_EQ(l.code, ENDE_OK);
  EXPECT_NE(l.fehler.find("(UTF-16, Trennzeichen Tabulator): 2 hinzugefügt, 0 gekürzt, 1 geändert, 0 übersprungen."),
            std::string::npos);
  TDatBas db;
  vemAnhaengen(ziel, db);
  ASSERT_EQ(db.get_anzahl(), 6);
  TDatensatz d;
  db.get_datensatz(5, d);
  EXPECT_EQ(d.Interpret.text(), "Bj\xF6rk");
  db.get_datensatz(4, d);
  EXPECT_EQ(d.Typ.text(), "12'' Vinyl - Single (1 Vinyl)");
  // A UTF-8 file with a line in Windows-1252: the summary counts it.
  dateiSchreiben(tmp.pfad("gemischt.csv"), "Interpret,Titel\nBj\xC3\xB6rk,Post\nM\xF6tley Cr\xFC""e,Dr. Feelgood\n");
  l = lauf({"--import-csv", tmp.pfad("gemischt.csv"), ziel});
  EXPECT_EQ(l.code, ENDE_OK);
  EXPECT_EQ(l.fehler, tmp.pfad("gemischt.csv") +
                          " (UTF-8, 1 Zeile als Windows-1252 gelesen, Trennzeichen Komma): 2 hinzugefügt, 0 gekürzt, "
                          "0 geändert, 0 übersprungen.\n" + ziel + ": 8 Einträge.\n");
  EXPECT_NE(dateiInhalt(ziel).find("M\xF6tley Cr\xFC""e"), std::string::npos);
}

TEST(Kommandozeile, ImportBisZurGrenze) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("s.vem"), beispiel(3998));
  const Lauf l = lauf({"--import-csv", testdatei("discogs.csv"), tmp.pfad("s.vem")});
  EXPECT_EQ(l.code, ENDE_ABGELEHNT);  // rows were left out, the two that fit are saved
  EXPECT_NE(l.fehler.find("): 2 hinzugefügt, 0 gekürzt, 0 geändert, 0 übersprungen.\n"
                          "2 Zeilen wurden nicht übernommen: Vemla kann maximal 4000 Datensätze verwalten.\n"),
            std::string::npos)
      << l.fehler;
  EXPECT_EQ(dateiInhalt(tmp.pfad("s.vem")).size(), 4000u * DATENSATZ_GROESSE);
}

TEST(Kommandozeile, AbgelehnteEingabeAendertNichts) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("s.vem"), beispiel(2));
  const std::string vorher = dateiInhalt(tmp.pfad("s.vem"));
  dateiSchreiben(tmp.pfad("kaputt.vem"), std::string(1792 + 5, 'x'));
  dateiSchreiben(tmp.pfad("zellen.csv"), "Artist,Title,Label\nA,T,L,\nA,T,Label with, a comma\n");
  const std::pair<std::vector<std::string>, std::string> faelle[] = {
      {{testdatei("offen.csv"), tmp.pfad("s.vem")}, "Ein Anführungszeichen in Zeile 2 wird nicht geschlossen"},
      {{testdatei("binaer.csv"), tmp.pfad("s.vem")}, "Die Datei ist keine Textdatei (sie enthält Binärdaten)"},
      {{testdatei("leer.csv"), tmp.pfad("s.vem")}, "Die Datei ist leer"},
      {{testdatei("unbekannt.csv"), tmp.pfad("s.vem")}, "Die Kopfzeile enthält keine bekannte Spalte"},
      {{testdatei("ohne_titel.csv"), tmp.pfad("s.vem")}, "Die Kopfzeile nennt keine Spalte für Interpret oder Titel"},
      {{testdatei("fehlt.csv"), tmp.pfad("s.vem")}, "Datei nicht gefunden"},
      {{testdatei("discogs.csv"), tmp.pfad("kaputt.vem")}, "ist kein Vielfaches von 1792 Bytes"},
      {{tmp.pfad("zellen.csv"), tmp.pfad("s.vem")}, ": Zeile 3 hat mehr Zellen als die Kopfzeile.\n"},
      {{tmp.pfad("zellen.csv"), tmp.pfad("neu.vem")}, ": Zeile 3 hat mehr Zellen als die Kopfzeile.\n"},
  };
  for (const auto& [argumente, text] : faelle) {
    const Lauf l = lauf({"--import-csv", argumente[0], argumente[1]});
    EXPECT_EQ(l.code, ENDE_ABGELEHNT) << text;
    EXPECT_NE(l.fehler.find(text), std::string::npos) << l.fehler;
  }
  EXPECT_TRUE(dateiInhalt(tmp.pfad("s.vem")) == vorher);
  EXPECT_EQ(dateiInhalt(tmp.pfad("kaputt.vem")), std::string(1792 + 5, 'x'));
  EXPECT_FALSE(std::filesystem::exists(tmp.pfad("neu.vem")));
}

// The program itself, with no display at all: it must neither need one nor open a window.
TEST(Kommandozeile, ProgrammOhneAnzeige) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("s.vem"), beispiel(2));
  const std::string programm = std::string(VEMLA_BAUORDNER) + "/vemla";
  auto ausfuehren = [&](const std::string& argumente) {
    const std::string befehl = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + programm + " " + argumente +
                               " >" + tmp.pfad("aus") + " 2>" + tmp.pfad("fehler");
    const int s = std::system(befehl.c_str());
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  };
  EXPECT_EQ(ausfuehren("--check " + tmp.pfad("s.vem")), 0);
  EXPECT_EQ(dateiInhalt(tmp.pfad("fehler")), tmp.pfad("s.vem") + ": gültige Sammlung mit 2 Einträgen.\n");
  EXPECT_EQ(ausfuehren("--import-csv " + testdatei("discogs.csv") + " " + tmp.pfad("s.vem")), 0);
  EXPECT_EQ(ausfuehren("--export html " + tmp.pfad("s.vem") + " " + tmp.pfad("s.html")), 0);
  EXPECT_EQ(ausfuehren("--check " + tmp.pfad("fehlt.vem")), 1);
  EXPECT_EQ(ausfuehren("--export"), 2);
  EXPECT_EQ(ausfuehren("--help"), 0);
  EXPECT_NE(dateiInhalt(tmp.pfad("aus")).find("--import-csv"), std::string::npos);
  EXPECT_EQ(ausfuehren("-x"), 2);
  EXPECT_NE(dateiInhalt(tmp.pfad("fehler")).find("unbekannte Option \"-x\"\nAufruf: vemla --export"), std::string::npos);
  // A pipe behind /dev/stdout is written directly.
  EXPECT_EQ(ausfuehren("--export csv " + tmp.pfad("s.vem") + " /dev/stdout | cat"), 0);
  TDatBas db;
  vemAnhaengen(tmp.pfad("s.vem"), db);
  TAngabenDatei().laden(tmp.pfad("s.vem"), db);  // the Discogs file brought grades along
  EXPECT_TRUE(dateiInhalt(tmp.pfad("aus")) == csvText(db));
}

// A target that is the program's own standard output, under any of its names,
// is written through the descriptor as the shell left it: ">>" keeps the
// earlier lines, ">" and "|" work as ever. Standard output onto the collection
// itself is refused like any export onto it.
TEST(Kommandozeile, ExportInDieStandardausgabeDerShell) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("s.vem"), beispiel(2));
  const std::string sammlung = dateiInhalt(tmp.pfad("s.vem"));
  const std::string csv = csvText(beispiel(2));
  const std::string vemla = std::string(VEMLA_BAUORDNER) + "/vemla --export csv s.vem ";
  const struct {
    std::string befehl;
    int code;
    std::string log;  // "log.txt" afterwards, which held "alt\n"
  } faelle[] = {
      {vemla + "/dev/stdout >> log.txt", 0, "alt\n" + csv},
      {vemla + "/dev/fd/1 >> log.txt", 0, "alt\n" + csv},
      {vemla + "/proc/self/fd/1 >> log.txt", 0, "alt\n" + csv},
      {vemla + "log.txt >> log.txt", 0, "alt\n" + csv},
      {vemla + "/dev/stdout > log.txt", 0, csv},
      {vemla + "/dev/stdout | cat >> log.txt", 0, "alt\n" + csv},
      {vemla + "- >> log.txt", 0, "alt\n" + csv},
      {vemla + "- >> s.vem", ENDE_ABGELEHNT, "alt\n"},
      {vemla + "/dev/stdout >> s.vem", ENDE_ABGELEHNT, "alt\n"},
  };
  for (const auto& f : faelle) {
    dateiSchreiben(tmp.pfad("log.txt"), "alt\n");
    const std::string shell = "cd " + tmp.pfad() + " && " + f.befehl + " 2>fehler";
    const int s = std::system(("/bin/sh -c '" + shell + "'").c_str());
    EXPECT_EQ(WIFEXITED(s) ? WEXITSTATUS(s) : -1, f.code) << f.befehl;
    EXPECT_TRUE(dateiInhalt(tmp.pfad("log.txt")) == f.log) << f.befehl;
    EXPECT_TRUE(dateiInhalt(tmp.pfad("s.vem")) == sammlung) << f.befehl;
  }
  EXPECT_EQ(dateiInhalt(tmp.pfad("fehler")),
            "vemla: /dev/stdout: ist die Sammlung selbst; sie würde überschrieben. Nichts geschrieben.\n");
}

// Without a screen the window is not even tried: a German message and exit
// code 2; other platforms than X are left to Qt. "--version" needs no screen.
TEST(Kommandozeile, ProgrammOhneBildschirm) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("s.vem"), beispiel(2));
  const std::string vemla = std::string(VEMLA_BAUORDNER) + "/vemla ";
  const struct {
    std::string umgebung, argumente;
    int code;
    std::string fehler, aus;  // the first line of standard error; standard output
  } faelle[] = {
      {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", tmp.pfad("s.vem"), 2,
       "Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt): Vemla braucht eine grafische Oberfläche.", ""},
      {"env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:7913", tmp.pfad("s.vem"), 2,
       "Kein Bildschirm gefunden (unter DISPLAY=:7913 antwortet kein X-Server): Vemla braucht eine grafische "
       "Oberfläche.", ""},
      {"env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=:7913", "", 2,
       "Kein Bildschirm gefunden (unter DISPLAY=:7913 antwortet kein X-Server): Vemla braucht eine grafische "
       "Oberfläche.", ""},
      {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", "--version", 0, "", "Vemla 1.0.6\n"},
  };
  for (const auto& f : faelle) {
    const int s = std::system((f.umgebung + " " + vemla + f.argumente + " >" + tmp.pfad("aus") + " 2>" +
                               tmp.pfad("fehler")).c_str());
    EXPECT_EQ(WIFEXITED(s) ? WEXITSTATUS(s) : -1, f.code) << f.umgebung;
    const std::string fehler = dateiInhalt(tmp.pfad("fehler"));
    EXPECT_EQ(fehler.substr(0, fehler.find('\n')), f.fehler) << f.umgebung;
    EXPECT_EQ(dateiInhalt(tmp.pfad("aus")), f.aus) << f.umgebung;
  }
  // Wayland, the offscreen platform or a platform argument are not refused here.
  const auto fehlt = [](std::map<std::string, const char*> umgebung, std::vector<std::string> argumente) {
    std::vector<char*> argv;
    for (std::string& a : argumente) argv.push_back(a.data());
    return bildschirmFehlt(static_cast<int>(argv.size()), argv.data(),
                           [&](const char* name) { return umgebung.count(name) ? umgebung[name] : nullptr; },
                           [](const char*) { return false; })
        .has_value();
  };
  EXPECT_FALSE(fehlt({{"WAYLAND_DISPLAY", "wayland-0"}}, {"vemla"}));
  EXPECT_FALSE(fehlt({{"QT_QPA_PLATFORM", "offscreen"}}, {"vemla"}));
  EXPECT_FALSE(fehlt({{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":7913"}}, {"vemla"}));
  EXPECT_FALSE(fehlt({}, {"vemla", "-platform", "offscreen"}));
  EXPECT_TRUE(fehlt({{"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}, {"vemla"}));
}

}  // namespace
