// The collector's details in CSV files: Discogs's columns on import, the
// details' columns of an export and back, and the command line keeping them
// beside the collection.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <tuple>

#include "angaben/UAngabenDatei.h"
#include "core/UDatbas.h"
#include "core/UVemDatei.h"
#include "csv/UCsvLesen.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UCsvZuordnung.h"
#include "tests/support/TempOrdner.h"

// Details are written with designated initializers: the members not named keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// A note longer than the field, with a line break as Discogs keeps it.
const std::string LANGE_NOTIZ = [] {
  std::string n = "Flohmarkt K\xC3\xB6ln, H\xC3\xBClle eingerissen.\nSeite B:";
  for (int i = 0; i < 20; ++i) n += " Knistert leise.";
  return n;
}();

// A few lines in the layout of Discogs's collection export, and the same lines
// without the columns that become details.
std::string discogsMitAngaben() {
  return "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,Date Added,"
         "Collection Media Condition,Collection Sleeve Condition,Collection Notes\n"
         "CDP 7 46164 2,Kate Bush,Hounds Of Love,EMI,\"CD, Album\",5,1985-09-16,367113,Regal A,2021-03-04 18:22:10,"
         "Near Mint (NM or M-),Very Good Plus (VG+),Erstpressung aus Holland\n"
         "SHVL 804,Pink Floyd,The Dark Side Of The Moon,Harvest,\"LP, Album, Gat\",,1973,1873013,Uncategorized,"
         "2021-03-05 09:00:01,Very Good (VG),Generic,\"" + LANGE_NOTIZ + "\"\n"
         "828 373-2,Die \xC3\x84rzte (2),Die Bestie In Menschengestalt,Metronome,2xCD,3,1993,445566,Keller,2021-04-01,"
         "Generic,Not Graded,\n";
}
std::string discogsOhneAngaben() {
  return "Catalog#,Artist,Title,Label,Format,Released,release_id,Collection Notes\n"
         "CDP 7 46164 2,Kate Bush,Hounds Of Love,EMI,\"CD, Album\",1985-09-16,367113,Erstpressung aus Holland\n"
         "SHVL 804,Pink Floyd,The Dark Side Of The Moon,Harvest,\"LP, Album, Gat\",1973,1873013,\"" + LANGE_NOTIZ +
         "\"\n"
         "828 373-2,Die \xC3\x84rzte (2),Die Bestie In Menschengestalt,Metronome,2xCD,1993,445566,\n";
}

TCsvErgebnis umwandeln(const std::string& text) {
  const TCsvDaten d = csvAuswerten(text);
  return csvUmwandeln(d, csvZuordnungErkennen(d.kopf), MAX_DATENSAETZE);
}

std::string vemBytes(const std::vector<TDatensatz>& saetze, const TempOrdner& tmp) {
  TDatBas db;
  for (const TDatensatz& s : saetze) db.add_datensatz(s);
  vemSchreiben(tmp.pfad("pruef.vem"), db);
  return dateiInhalt(tmp.pfad("pruef.vem"));
}

int vemla(const std::string& argumente) {
  const std::string befehl = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(VEMLA_BAUORDNER) +
                             "/vemla " + argumente + " >/dev/null 2>&1";
  const int s = std::system(befehl.c_str());
  return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
}

// The collection at "pfad" with its details attached.
TDatBas sammlung(const std::string& pfad) {
  TDatBas db;
  vemAnhaengen(pfad, db);
  TAngabenDatei().laden(pfad, db);
  return db;
}

std::vector<TAngaben> alleAngaben(const TDatBas& db) {
  std::vector<TAngaben> r;
  for (int i = 1; i <= db.get_anzahl(); ++i) r.push_back(angabenAusBytes(db.get_beilage(i)));
  return r;
}

TEST(CsvAngaben, DiscogsSpaltenWerdenAngaben) {
  TempOrdner tmp;
  const TCsvErgebnis mit = umwandeln(discogsMitAngaben()), ohne = umwandeln(discogsOhneAngaben());
  using Z = TZustand;
  const std::vector<TAngaben> erwartet = {
      {.zustandTontraeger = Z::NM, .zustandHuelle = Z::VGplus, .aufgenommenAm = "2021-03-04", .standort = "Regal A",
       .bewertung = 5},
      // "Uncategorized" is no place; the long note stays in the Kommentar, cut, and whole in the Notizen.
      {.zustandTontraeger = Z::VG, .zustandHuelle = Z::NeutraleHuelle, .aufgenommenAm = "2021-03-05",
       .notizen = LANGE_NOTIZ},
      // "Generic" is a grade of sleeves only.
      {.zustandHuelle = Z::NichtBewertet, .aufgenommenAm = "2021-04-01", .standort = "Keller", .bewertung = 3},
  };
  EXPECT_EQ(mit.angaben, erwartet);
  ASSERT_EQ(mit.saetze.size(), 3u);
  EXPECT_EQ(mit.saetze[1].feld(FELD_KOMMENTAR).text().size(), 255u);
  EXPECT_EQ(mit.saetze[1].feld(FELD_KOMMENTAR).text().substr(0, 48),
            "Flohmarkt K\xF6ln, H\xFClle eingerissen. Seite B: Knis");
  EXPECT_EQ(mit.gekuerzt, 1);
  // The entries are byte for byte those of the file without the details' columns.
  EXPECT_EQ(vemBytes(mit.saetze, tmp), vemBytes(ohne.saetze, tmp));
  EXPECT_EQ(ohne.angaben, (std::vector<TAngaben>{{}, {.notizen = LANGE_NOTIZ}, {}}));
}

TEST(CsvAngaben, NeueEintraegeBekommenDasAufnahmedatum) {
  const std::tuple<std::string, bool, std::vector<std::string>> faelle[] = {
      {"Interpret,Titel\nA,B\n", false, {""}},
      {"Interpret,Titel\nA,B\nC,D\n", true, {"2026-12-08", "2026-12-08"}},
      // The file's own details make the collection one with details.
      {"Interpret,Titel,Standort\nA,B,\nC,D,Regal\n", false, {"2026-12-08", "2026-12-08"}},
      // A column for the date: an empty cell is no date.
      {"Interpret,Titel,Aufgenommen am\nA,B,\nC,D,02.01.2020\n", true, {"", "2020-01-02"}},
  };
  for (const auto& [text, sammlungMitAngaben, daten] : faelle) {
    const TCsvDaten d = csvAuswerten(text);
    const TCsvZuordnung z = csvZuordnungErkennen(d.kopf);
    TCsvErgebnis e = csvUmwandeln(d, z, MAX_DATENSAETZE);
    csvAufnahmedatum(e, z, sammlungMitAngaben, "2026-12-08");
    std::vector<std::string> ist;
    for (const TAngaben& a : e.angaben) ist.push_back(a.aufgenommenAm);
    EXPECT_EQ(ist, daten) << text;
  }
}

TEST(CsvAngaben, ExportUndImportBehaltenDieAngaben) {
  TDatBas db;
  const TAngaben voll{.zustandTontraeger = TZustand::M, .zustandHuelle = TZustand::OhneHuelle,
                      .aufgenommenAm = "2024-02-29", .gekauftAm = "1999-12-31", .preisCent = 123450,
                      .gekauftBei = "  Plattenb\xC3\xB6rse \"Mitte\", Stand 3  ", .standort = "=A1", .bewertung = 4,
                      .notizen = "Zeile 1\r\nZeile 2\n-3 dB\tlinks\rEnde \xF0\x9F\x8E\xB5;@x", .verliehenAn = "Jo",
                      .verliehenSeit = "2026-11-01", .zurueckBis = "2026-12-01"};
  const TAngaben wenig{.preisCent = 0, .standort = "Kiste 2"};
  db.add_datensatz(datensatzAus("Nina Hagen", "Unbehagen", "CBS", "1979", "", "Punk", "=Kult"), angabenBytes(voll));
  db.add_datensatz(datensatzAus("Can", "Tago Mago", "", "", "", "", ""));
  db.add_datensatz(datensatzAus("Neu!", "Neu! 2", "", "", "", "", ""), angabenBytes(wenig));
  const std::string text = csvText(db);
  const std::string zeilen[] = {
      "\xEF\xBB\xBFInterpret,Titel,Label,Release,Typ,Genre,Kommentar,Zustand Tontr\xC3\xA4ger,Zustand H\xC3\xBClle,"
      "Aufgenommen am,Gekauft am,Preis (\xE2\x82\xAC),Gekauft bei,Standort,Bewertung,Notizen,Verliehen an,"
      "Verliehen seit,Zur\xC3\xBC" "ck bis\r\n",
      "Nina Hagen,Unbehagen,CBS,1979,,Punk,\xE2\x81\xA0=Kult,M,ohne H\xC3\xBClle,29.02.2024,31.12.1999,\"1.234,50\","
      "\"  Plattenb\xC3\xB6rse \"\"Mitte\"\", Stand 3  \",\xE2\x81\xA0=A1,4,\"Zeile 1\r\nZeile 2\n\xE2\x81\xA0-3 dB\tlinks\r"
      "Ende \xF0\x9F\x8E\xB5;\xE2\x81\xA0@x\",Jo,01.11.2026,01.12.2026\r\n",
      "Can,Tago Mago,,,,,,,,,,,,,,,,,\r\n",
      "Neu!,Neu! 2,,,,,,,,,,\"0,00\",,Kiste 2,,,,,\r\n",
  };
  EXPECT_EQ(text, zeilen[0] + zeilen[1] + zeilen[2] + zeilen[3]);
  // Read back: the same entries and the same details, byte for byte.
  const TCsvErgebnis e = umwandeln(text);
  ASSERT_EQ(e.saetze.size(), 3u);
  TempOrdner tmp;
  std::vector<TDatensatz> saetze;
  for (int i = 1; i <= 3; ++i) {
    saetze.emplace_back();
    db.get_datensatz(i, saetze.back());
    EXPECT_EQ(angabenBytes(e.angaben[static_cast<std::size_t>(i - 1)]), db.get_beilage(i)) << i;
  }
  EXPECT_EQ(vemBytes(e.saetze, tmp), vemBytes(saetze, tmp));
  // Without any details the export has the seven columns only.
  for (int i = 1; i <= 3; ++i) db.set_beilage(i, "");
  EXPECT_EQ(csvText(db).substr(0, csvText(db).find("\r\n")), "\xEF\xBB\xBFInterpret,Titel,Label,Release,Typ,Genre,Kommentar");
}

// The program itself: an import keeps the collection's details and adds the
// file's; the export carries them; importing that export gives the collection again.
TEST(CsvAngaben, KommandozeileBehaeltAngaben) {
  TempOrdner tmp;
  TDatBas db;
  const TAngaben alt{.gekauftBei = "Saturn", .bewertung = 2};
  db.add_datensatz(datensatzAus("Alt", "Eins", "", "", "", "", ""), angabenBytes(alt));
  db.add_datensatz(datensatzAus("Alt", "Zwei", "", "", "", "", ""));
  const std::string s = tmp.pfad("s.vem");
  TAngabenDatei().speichern(s, db);
  vemSchreiben(s, db);
  dateiSchreiben(tmp.pfad("discogs.csv"), discogsMitAngaben());
  ASSERT_EQ(vemla("--import-csv " + tmp.pfad("discogs.csv") + " " + s), 0);
  const TDatBas nachher = sammlung(s);
  std::vector<TAngaben> erwartet = {alt, {}};
  const TCsvErgebnis neu = umwandeln(discogsMitAngaben());
  erwartet.insert(erwartet.end(), neu.angaben.begin(), neu.angaben.end());
  EXPECT_EQ(alleAngaben(nachher), erwartet);

  ASSERT_EQ(vemla("--export csv " + s + " " + tmp.pfad("aus.csv")), 0);
  EXPECT_EQ(dateiInhalt(tmp.pfad("aus.csv")), csvText(nachher));
  ASSERT_EQ(vemla("--import-csv " + tmp.pfad("aus.csv") + " " + tmp.pfad("zurueck.vem")), 0);
  EXPECT_EQ(dateiInhalt(tmp.pfad("zurueck.vem")), dateiInhalt(s));
  EXPECT_EQ(alleAngaben(sammlung(tmp.pfad("zurueck.vem"))), erwartet);
}

}  // namespace
