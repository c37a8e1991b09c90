// Reading CSV files: encodings, separators, quoting, header names, the Discogs
// export, limits and malformed input, from files written by hand.
#include <gtest/gtest.h>

#include <random>

#include "core/UDatbas.h"
#include "core/UVemDatei.h"
#include "csv/UCsvKodierung.h"
#include "csv/UCsvLesen.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UCsvZuordnung.h"
#include "tests/support/FehlerText.h"
#include "tests/support/TempOrdner.h"

namespace {

std::string testdatei(const std::string& name) { return std::string(VEMLA_QUELLORDNER) + "/tests/csv/dateien/" + name; }

std::vector<std::string> felder(const TDatensatz& d) {
  std::vector<std::string> r;
  for (int f = 1; f <= FELD_ANZAHL; ++f) r.push_back(d.feld(f).text());
  return r;
}

struct Lesefall {
  const char* datei;
  TCsvKodierung kodierung;
  char trenner;
  int zeilen;
  std::vector<std::string> ersterSatz, letzterSatz;  // Windows-1252
};

TEST(CsvLesen, KodierungTrennerUndZellen) {
  const Lesefall faelle[] = {
      {"semikolon_1252.csv", TCsvKodierung::Cp1252, ';', 2,
       {"Die \xC4rzte", "Planet Punk", "Metronome", "1995", "CD - Album (1 CD)", "Punk Rock", "Gr\xFC\xDF" "e"},
       {"Herbert Gr\xF6nemeyer", "Bochum", "EMI", "1984", "12'' Vinyl - Album (1 Vinyl)", "Pop",
        "\x84M\xE4nner\x93 \x96 Hit"}},
      {"tab_bom.csv", TCsvKodierung::Utf8Bom, '\t', 2,
       {"Massive Attack", "Mezzanine", "", "1998", "", "", "Bristol"},
       {"Portishead", "Dummy", "", "1994", "", "", ""}},
      // Doubled quotes, a separator, CR LF, LF and a tab inside quotes; the last line without its line end.
      {"umbrueche.csv", TCsvKodierung::Utf8, ',', 2,
       {"Mehr \"Zeilen\"", "Eins Zwei Drei", "", "", "", "", "a,b;c Tab"},
       {"ohne Ende", "am Schluss", "", "", "", "", "x"}},
      {"utf16.csv", TCsvKodierung::Utf16, '\t', 2,
       {"Bj\xF6rk", "Homogenic", "", "", "", "", ""},
       {"Sigur R\xF3s", "\xC1g\xE6tis byrjun ?", "", "", "", "", ""}},
  };
  for (const Lesefall& f : faelle) {
    SCOPED_TRACE(f.datei);
    const TCsvDaten d = csvLesen(testdatei(f.datei));
    EXPECT_EQ(d.kodierung, f.kodierung);
    EXPECT_EQ(d.trenner, f.trenner);
    EXPECT_EQ(d.zeilen(), f.zeilen);
    const TCsvErgebnis e = csvUmwandeln(d, csvZuordnungErkennen(d.kopf), MAX_DATENSAETZE);
    ASSERT_EQ(e.saetze.size(), static_cast<std::size_t>(f.zeilen));
    EXPECT_EQ(felder(e.saetze.front()), f.ersterSatz);
    EXPECT_EQ(felder(e.saetze.back()), f.letzterSatz);
  }
}

TEST(CsvLesen, DiscogsExport) {
  const TCsvDaten d = csvLesen(testdatei("discogs.csv"));
  const TCsvZuordnung z = csvZuordnungErkennen(d.kopf);
  EXPECT_TRUE(z.discogs);
  const TCsvErgebnis e = csvUmwandeln(d, z, MAX_DATENSAETZE);
  ASSERT_EQ(e.saetze.size(), 4u);
  EXPECT_EQ(felder(e.saetze[0]), (std::vector<std::string>{"Kate Bush", "Hounds Of Love", "EMI", "1985",
                                                            "CD - Album (1 CD)", "", "Erstpressung aus Holland"}));
  EXPECT_EQ(felder(e.saetze[1]), (std::vector<std::string>{"Pink Floyd", "The Dark Side Of The Moon", "Harvest", "1973",
                                                            "12'' Vinyl - Album (1 Vinyl)", "", ""}));
  EXPECT_EQ(felder(e.saetze[2]), (std::vector<std::string>{"Die \xC4rzte", "Die Bestie In Menschengestalt",
                                                            "Metronome, Polydor", "1993", "CD - Album (2 CDs)", "", ""}));
  EXPECT_EQ(felder(e.saetze[3]),
            (std::vector<std::string>{"Sven V\xE4th, Ralf Hildenbeutel", "Barbarella", "Eye Q Records", "",
                                      "12'' Vinyl - Single (1 Vinyl)", "", "Notiz mit \"Zitat\", Komma"}));
}

TEST(CsvLesen, DiscogsFormate) {
  const std::pair<const char*, const char*> faelle[] = {
      {"CD, Album", "CD - Album (1 CD)"},
      {"CD, Album, RE", "CD - Album (1 CD)"},
      {"4xCD, Album", "CD - Album (4 CDs)"},
      {"5xCD, Album", "5xCD, Album"},  // no preset for five CDs of an album
      {"2xCD, Comp", "CD - Compilation (2 CDs)"},
      {"5xCD, Comp", "CD - Compilation (5 CDs)"},
      {"CD, EP", "CD - EP (1 CD)"},
      {"CD, Maxi", "CD - Single (1 CD)"},
      {"CD, Single", "CD - Single (1 CD)"},
      {"CDr, Album", "CD - Album (1 CD)"},
      {"LP, Album", "12'' Vinyl - Album (1 Vinyl)"},
      {"2xLP, Album, RE", "12'' Vinyl - Album (2 Vinyls)"},
      {"LP, Comp", "12'' Vinyl - Compilation (1 Vinyl)"},
      {"Vinyl, LP, Album", "12'' Vinyl - Album (1 Vinyl)"},
      {"Vinyl, 7\", 45 RPM, Single", "7'' Vinyl - Single (1 Vinyl)"},
      {"7\", Single", "7'' Vinyl - Single (1 Vinyl)"},
      {"2x7\", EP", "7'' Vinyl - EP (2 Vinyls)"},
      {"7\"", "7'' Vinyl - Single (1 Vinyl)"},
      {"10\", EP", "10'' Vinyl - EP (1 Vinyl)"},
      {"10\"", "10'' Vinyl - Album (1 Vinyl)"},
      {"Vinyl, 10\", LP, Album", "10'' Vinyl - Album (1 Vinyl)"},
      {"2xVinyl, 10\", LP, Comp", "10'' Vinyl - Compilation (2 Vinyls)"},
      {"Vinyl, 7\", LP", "Vinyl, 7\", LP"},
      {"12\", Maxi", "12'' Vinyl - Single (1 Vinyl)"},
      {"12\", EP", "12'' Vinyl - EP (1 Vinyl)"},
      {"3x12\", Single", "3x12\", Single"},
      {"Cass, Album", "Cass, Album"},
      {"CD, Album + DVD, Album", "CD, Album + DVD, Album"},
      {"Box Set, Comp", "Box Set, Comp"},
      {"", ""},
  };
  for (const auto& [format, typ] : faelle) EXPECT_EQ(discogsTyp(format), typ) << format;
}

TEST(CsvLesen, DiscogsNamenUndJahre) {
  const std::pair<const char*, const char*> namen[] = {
      {"Kate Bush", "Kate Bush"},           {"Nirvana (2)", "Nirvana"},
      {"A (2), B (13)", "A, B"},            {"Simon (3) & Garfunkel", "Simon & Garfunkel"},
      {"Take (2) That", "Take That"},   {"Room (101", "Room (101"},
      {"(2)", "(2)"},                       {"Band (x)", "Band (x)"},
      // Joined credits and labels of real exports: every name loses its number.
      {"Matt Berry (3) And The Maypoles", "Matt Berry And The Maypoles"},
      {"Kid Loco (2) Featuring Emma Noble", "Kid Loco Featuring Emma Noble"},
      {"The Beat (6) Feat. Ranking Roger", "The Beat Feat. Ranking Roger"},
      {"Sublime (2) Meets Scientist (4)", "Sublime Meets Scientist"},
      {"Bone Crusher (2) vs. Sizzla", "Bone Crusher vs. Sizzla"},
      {"Not On Label (Amplifier (3) Self-released)", "Not On Label (Amplifier Self-released)"},
      {"A (2) / B (3) & C (4), D (5)", "A / B & C, D"}};
  for (const auto& [ein, aus] : namen) EXPECT_EQ(discogsOhneNummer(ein), aus) << ein;
  const std::pair<const char*, const char*> jahre[] = {
      {"1985-09-16", "1985"}, {"1973", "1973"}, {"0", ""}, {"", ""}, {"19855", "19855"}, {"unbekannt", "unbekannt"}};
  for (const auto& [ein, aus] : jahre) EXPECT_EQ(discogsJahr(ein), aus) << ein;
}

// Discogs never lets " (N)" stand inside a name: it goes before any word and
// any punctuation, but not before a letter or digit.
TEST(CsvLesen, DiscogsNummerVorJedemWortUndZeichen) {
  const std::pair<const char*, const char*> namen[] = {
      {"Peter Cook (2) Present Derek & Clive", "Peter Cook Present Derek & Clive"},
      {"Jean (3) Avec Marie", "Jean Avec Marie"},
      {"Los Lobos (2) Y Amigos", "Los Lobos Y Amigos"},
      {"Yellow Magic Orchestra (2) = \x85", "Yellow Magic Orchestra = \x85"},
      {"Adam (4) \xB7 Eve", "Adam \xB7 Eve"},
      {"Orchestra (4) Conducted By Karl", "Orchestra Conducted By Karl"},
      {"Adam (4)\xB7" "Eve (5).", "Adam\xB7" "Eve."},
      {"Band (2)s (3)x (4)\xE9 (5)9", "Band (2)s (3)x (4)\xE9 (5)9"},
  };
  for (const auto& [ein, aus] : namen) EXPECT_EQ(discogsOhneNummer(ein), aus) << ein;
}

// Discogs quotes every cell with a comma and keeps the blanks at its ends
// there: a Discogs export loses them in every column, Vemla's own export keeps them.
TEST(CsvLesen, DiscogsOhneBlankeAnDenEnden) {
  const TCsvDaten discogs = csvAuswerten(
      "Catalog#,Artist,Title,Label,Format,Released,release_id,Collection Notes\r\n"
      "1,\" Kate Bush (2), Peter \",\"Make Me Young, etc. \",\" EMI, Harvest \",\"CD, Album\",\" 1985 \",1,\" a, b \"\r\n");
  const TCsvErgebnis e = csvUmwandeln(discogs, csvZuordnungErkennen(discogs.kopf), MAX_DATENSAETZE);
  ASSERT_EQ(e.saetze.size(), 1u);
  EXPECT_EQ(felder(e.saetze[0]), (std::vector<std::string>{"Kate Bush, Peter", "Make Me Young, etc.", "EMI, Harvest",
                                                            "1985", "CD - Album (1 CD)", "", "a, b"}));
  TDatBas db;
  db.add_datensatz(datensatzAus(" Kate Bush ", "Make Me Young, etc. ", " EMI", "", "", "", " a, b "));
  const TCsvDaten eigene = csvAuswerten(csvText(db));
  const TCsvErgebnis r = csvUmwandeln(eigene, csvZuordnungErkennen(eigene.kopf), MAX_DATENSAETZE);
  ASSERT_EQ(r.saetze.size(), 1u);
  EXPECT_EQ(felder(r.saetze[0]),
            (std::vector<std::string>{" Kate Bush ", "Make Me Young, etc. ", " EMI", "", "", "", " a, b "}));
}

TEST(CsvLesen, Kopfvarianten) {
  struct Fall {
    std::vector<std::string> kopf;
    std::vector<int> spalten;  // per field, -1 none
  };
  const Fall faelle[] = {
      {{"Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"}, {0, 1, 2, 3, 4, 5, 6}},
      {{"KOMMENTAR", "genre", "Typ", "release", "LABEL", "titel", "interpret"}, {6, 5, 4, 3, 2, 1, 0}},
      {{"Artist", "Album", "Year", "Format", "Style", "Notes"}, {0, 1, -1, 2, 3, 4, 5}},
      {{"K\xFCnstler", "Title", "Jahr", "Medium", "Stil", "Bemerkung"}, {0, 1, -1, 2, 3, 4, 5}},
      {{"K\xDCNSTLER", " Titel ", "Released", "Comment"}, {0, 1, -1, 2, -1, -1, 3}},
      // The first matching column wins; "Titel" comes before "Album" whatever the order.
      {{"Album", "Titel", "Artist", "Interpret"}, {3, 1, -1, -1, -1, -1, -1}},
      {{"Name", "Preis"}, {-1, -1, -1, -1, -1, -1, -1}},
  };
  for (const Fall& f : faelle) {
    const TCsvZuordnung z = csvZuordnungErkennen(f.kopf);
    EXPECT_EQ(std::vector<int>(std::begin(z.spalte), std::end(z.spalte)), f.spalten) << f.kopf[0];
    EXPECT_FALSE(z.discogs);
  }
}

TEST(CsvLesen, KuerzenAendernUeberspringenUndGrenze) {
  TempOrdner tmp;
  const std::string lang(300, 'x');
  // 1 fine, 2 too long, 3 outside the code page, 4 empty Titel, 5 quoted blank Interpret (kept), 6 empty line, 7 all empty.
  dateiSchreiben(tmp.pfad("g.csv"), "Interpret,Titel,Kommentar\r\nA,B,C\r\nA," + lang + ",\r\nA,B \xE2\x82\xAC \xE2\x98\x83,\r\n"
                                    "A,,C\r\n\" \",B,\r\n\r\n,,\r\n");
  const TCsvDaten d = csvLesen(tmp.pfad("g.csv"));
  const TCsvZuordnung z = csvZuordnungErkennen(d.kopf);
  const TCsvErgebnis e = csvUmwandeln(d, z, MAX_DATENSAETZE);
  ASSERT_EQ(e.saetze.size(), 4u);
  EXPECT_EQ(e.gekuerzt, 1);
  EXPECT_EQ(e.geaendert, 1);
  EXPECT_EQ(e.uebersprungen, 2);
  EXPECT_EQ(e.ueberGrenze, 0);
  EXPECT_EQ(e.saetze[1].Titel.text(), std::string(255, 'x'));
  EXPECT_EQ(e.saetze[2].Titel.text(), "B \x80 ?");
  EXPECT_EQ(e.saetze[3].Interpret.text(), " ");
  // Room for two: the rest is counted, and cut and changed count only what is taken.
  const TCsvErgebnis voll = csvUmwandeln(d, z, 2);
  EXPECT_EQ(voll.saetze.size(), 2u);
  EXPECT_EQ(voll.gekuerzt, 1);
  EXPECT_EQ(voll.geaendert, 0);
  EXPECT_EQ(voll.ueberGrenze, 2);
  EXPECT_EQ(csvUmwandeln(d, z, 0).ueberGrenze, 4);
}

TEST(CsvLesen, ZusammengesetzteZeichen) {
  const std::pair<const char*, const char*> faelle[] = {
      {"Mo\xCC\x88tley Cru\xCC\x88""e", "M\xF6tley Cr\xFC""e"},  // o + combining diaeresis
      {"Cafe\xCC\x81", "Caf\xE9"},
      {"S\xCC\x8C", "\x8A"},
      {"x\xCC\x88", "x"},  // no such letter in the code page: the letter without its mark
      {"\xCC\x88", ""},
  };
  for (const auto& [utf8, cp] : faelle) {
    std::string z;
    utf8ZuCp1252(utf8, z);
    EXPECT_EQ(z, cp) << utf8;
  }
}

// Characters the code page lacks: the nearest form, nothing when invisible, "?" only when there is no such form.
TEST(CsvLesen, NaechsteFormAusserhalbDerCodepage) {
  struct Fall {
    const char *utf8, *cp;
    bool geaendert;
  } faelle[] = {
      {"Czes\xC5\x82""aw", "Czeslaw", true},
      {"\xC5\x81\xC5\x91\xC5\xB1\xC8\x99\xC4\x8D\xC4\x9B\xC5\x99", "L\xF6\xFCsce" "r", true},
      {"Ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t \xC4\xB3 \xEF\xAC\x81n \xEF\xBC\xA1", "Ti\xEAng Vi\xEAt ij fin A", true},
      {"a\xE2\x80\x8B""b\xE2\x80\x8C\xE2\x80\x8D\xE2\x80\x8E\xE2\x80\x8F\xE2\x81\xA0\xEF\xBB\xBF""c", "abc", true},
      {"1\xE2\x80\x90""2\xE2\x80\x91""3\xE2\x80\x92""4\xE2\x80\x95""5", "1-2-3-4\x97""5", true},
      // What the code page holds stays as it is.
      {"\xE2\x80\x93\xE2\x80\x94\xE2\x80\xA6\xE2\x80\x9E\xE2\x80\x9C\xE2\x80\x98\xE2\x80\x99\xC2\xAD", "\x96\x97\x85\x84\x93\x91\x92\xAD", false},
      {"\xE2\x98\x83 \xCE\xA9 \xE6\x97\xA5", "? ? ?", true},
  };
  for (const Fall& f : faelle) {
    std::string z;
    EXPECT_EQ(utf8ZuCp1252(f.utf8, z), f.geaendert) << f.utf8;
    EXPECT_EQ(z, f.cp) << f.utf8;
  }
}

// Encoding per line, blank lines and "sep=" before the header, cells beyond the header.
TEST(CsvLesen, ZeilenweiseKodierungKopfzeileUndUeberzaehligeZellen) {
  struct Fall {
    std::string inhalt;
    TCsvKodierung kodierung;
    char trenner;
    int cp1252Zeilen, zuVieleZellen;
    std::vector<std::string> saetze;  // Interpret|Titel|Label, Windows-1252
    int geaendert;
  } faelle[] = {
      {"Interpret,Titel\nBj\xC3\xB6rk,Homog\xC3\xA9nic\nM\xF6tley Cr\xFC""e,Dr. Feelgood\nCzes\xC5\x82""aw,X\n",
       TCsvKodierung::Utf8, ',', 1, 0, {"Bj\xF6rk|Homog\xE9nic|", "M\xF6tley Cr\xFC""e|Dr. Feelgood|", "Czeslaw|X|"}, 1},
      {"\xEF\xBB\xBFInterpret\tTitel\r\n\xC3\x84rzte\tA\r\n\xC4rzte\tB\r\n\xC4rzte\tC", TCsvKodierung::Utf8Bom, '\t',
       2, 0, {"\xC4rzte|A|", "\xC4rzte|B|", "\xC4rzte|C|"}, 0},
      {"Interpret;Titel\r\nBj\xF6rk;Homog\xE9nic\r\n", TCsvKodierung::Cp1252, ';', 0, 0, {"Bj\xF6rk|Homog\xE9nic|"}, 0},
      {"\r\nK\xC3\xBCnstler;Album;Jahr\r\nA;B;1999\r\n", TCsvKodierung::Utf8, ';', 0, 0, {"A|B|"}, 0},
      {" \t\r\n\n\rInterpret,Titel,Label\rA,B,C\r", TCsvKodierung::Utf8, ',', 0, 0, {"A|B|C"}, 0},
      {"sep=;\r\nInterpret;Titel;Label, Vertrieb, Land\r\nA, B;C, D;E\r\n", TCsvKodierung::Utf8, ';', 0, 0, {"A, B|C, D|"}, 0},
      {"\nsep=,\n\nInterpret;Titel;Jahr,Label\nA;B;1,C,\n", TCsvKodierung::Utf8, ',', 0, 0, {"A;B;1|C|C"}, 0},
      {"Artist,Title,Label\nA,T,Label with, a comma\nB,U,Label\n", TCsvKodierung::Utf8, ',', 0, 2,
       {"A|T|Label with", "B|U|Label"}, 0},
      {"Interpret;Titel;Label\nA;B;C;;\nD;E;F; ;\nG;H;I;;J\nK;L;M;N\n", TCsvKodierung::Utf8, ';', 0, 4,
       {"A|B|C", "D|E|F", "G|H|I", "K|L|M"}, 0},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.inhalt);
    const TCsvDaten d = csvAuswerten(f.inhalt);
    EXPECT_EQ(d.kodierung, f.kodierung);
    EXPECT_EQ(d.trenner, f.trenner);
    EXPECT_EQ(d.cp1252Zeilen, f.cp1252Zeilen);
    EXPECT_EQ(d.zuVieleZellen, f.zuVieleZellen);
    TCsvZuordnung z = csvZuordnungErkennen(d.kopf);
    if (z.fuer(FELD_INTERPRET) < 0) z.fuer(FELD_INTERPRET) = 0, z.fuer(FELD_TITEL) = 1;  // "Interpret;Titel;Jahr" is one cell
    const TCsvErgebnis e = csvUmwandeln(d, z, MAX_DATENSAETZE);
    std::vector<std::string> saetze;
    for (const TDatensatz& s : e.saetze) saetze.push_back(s.Interpret.text() + "|" + s.Titel.text() + "|" + s.Label.text());
    EXPECT_EQ(saetze, f.saetze);
    EXPECT_EQ(e.geaendert, f.geaendert);
  }
  const TCsvDaten d = csvAuswerten(faelle[7].inhalt);
  EXPECT_EQ(d.zuVieleZellenText, "A,T,Label with,a comma");
  EXPECT_EQ(fehlerText([&] { csvZellenPruefen(d); }), "Zeile 2 hat mehr Zellen als die Kopfzeile");
  EXPECT_EQ(kodierungsText(csvAuswerten(faelle[0].inhalt)), "UTF-8, 1 Zeile als Windows-1252 gelesen");
  EXPECT_EQ(kodierungsText(csvAuswerten(faelle[1].inhalt)), "UTF-8 mit BOM, 2 Zeilen als Windows-1252 gelesen");
  EXPECT_EQ(fehlerText([] { csvAuswerten("\r\n \r\nsep=;\r\n\r\n"); }), "Die Datei ist leer");
}

TEST(CsvLesen, FehlerhafteDateien) {
  const std::pair<const char*, const char*> faelle[] = {
      {"offen.csv", "Ein Anführungszeichen in Zeile 2 wird nicht geschlossen"},
      {"binaer.csv", "Die Datei ist keine Textdatei (sie enthält Binärdaten)"},
      {"leer.csv", "Die Datei ist leer"},
      {"nur_kopf_leer.csv", "Die Datei ist leer"},
  };
  for (const auto& [datei, text] : faelle) EXPECT_EQ(fehlerText([&] { csvLesen(testdatei(datei)); }), text) << datei;
  const std::pair<const char*, const char*> zuordnungen[] = {
      {"unbekannt.csv", "Die Kopfzeile enthält keine bekannte Spalte (etwa Interpret, Titel, Artist oder Title)"},
      {"ohne_titel.csv", "Die Kopfzeile nennt keine Spalte für Interpret oder Titel"},
  };
  for (const auto& [datei, text] : zuordnungen) {
    const TCsvDaten d = csvLesen(testdatei(datei));
    EXPECT_EQ(fehlerText([&] { csvZuordnungPruefen(csvZuordnungErkennen(d.kopf)); }), text) << datei;
  }
  EXPECT_EQ(fehlerText([] { csvLesen("/gibt/es/nicht.csv"); }), "Datei nicht gefunden");
}

TEST(CsvLesen, Grenzen) {
  const std::string lang(CSV_MAX_ZEILE + 10, 'a');
  const std::pair<std::string, std::string> faelle[] = {
      {"Interpret,Titel\n" + std::string(50u << 20, 'z'), "Zeile 2 ist länger als 1 MB"},
      {"Interpret,Titel\nA,\"" + lang, "Ein Anführungszeichen in Zeile 2 wird nicht innerhalb von 1 MB geschlossen"},
      {std::string(CSV_MAX_BYTES + 1, 'a'), "Die Datei ist größer als 64 MB"},
      {std::string(CSV_MAX_SPALTEN, ',') + "\n", "Die Kopfzeile hat mehr als 100 Spalten"},
      {[] {
         std::string s = "Interpret\n";
         for (std::size_t i = 0; i <= CSV_MAX_ZEILEN; ++i) s += "x\n";
         return s;
       }(),
       "Die Datei hat mehr als 50000 Zeilen"},
  };
  for (const auto& [inhalt, text] : faelle) EXPECT_EQ(fehlerText([&] { csvAuswerten(inhalt); }), text);
  // Exactly at the bounds everything is read.
  EXPECT_EQ(csvAuswerten(std::string(CSV_MAX_SPALTEN - 1, ',') + "\n").spalten(), static_cast<int>(CSV_MAX_SPALTEN));
  EXPECT_EQ(csvAuswerten("Interpret\n" + std::string(CSV_MAX_ZEILE - 1, 'b')).zeilen(), 1);
}

// Random texts of the whole code page except the line breaks and the tab,
// which a one-line field does not hold; quotes, separators and blanks at the ends included.
std::string zufallsText(std::mt19937& rng, bool leerErlaubt) {
  static const std::string haeufig = "\",; \x80\xE4\x81\x9D";
  const std::size_t laenge = std::uniform_int_distribution<std::size_t>(leerErlaubt ? 0 : 1, 255)(rng);
  std::string s;
  while (s.size() < laenge) {
    char c = rng() % 4 == 0 ? haeufig[rng() % haeufig.size()] : static_cast<char>(1 + rng() % 255);
    if (c != '\r' && c != '\n' && c != '\t') s.push_back(c);
  }
  return s;
}

TEST(CsvLesen, RundreiseZufaelligerSammlungen) {
  TempOrdner tmp;
  for (unsigned saat = 1; saat <= 12; ++saat) {
    std::mt19937 rng(saat);
    TDatBas db;
    const int n = saat == 12 ? MAX_DATENSAETZE : static_cast<int>(rng() % 300);
    for (int i = 0; i < n; ++i)
      db.add_datensatz(datensatzAus(zufallsText(rng, false), zufallsText(rng, false), zufallsText(rng, true),
                                    zufallsText(rng, true), zufallsText(rng, true), zufallsText(rng, true),
                                    zufallsText(rng, true)));
    csvSchreiben(tmp.pfad("r.csv"), db);
    const TCsvDaten d = csvLesen(tmp.pfad("r.csv"));
    EXPECT_EQ(d.kodierung, TCsvKodierung::Utf8Bom);
    const TCsvErgebnis e = csvUmwandeln(d, csvZuordnungErkennen(d.kopf), MAX_DATENSAETZE);
    EXPECT_EQ(e.geaendert + e.gekuerzt + e.uebersprungen + e.ueberGrenze, 0);
    TDatBas zurueck;
    for (const TDatensatz& s : e.saetze) zurueck.add_datensatz(s);
    vemSchreiben(tmp.pfad("a.vem"), db);
    vemSchreiben(tmp.pfad("b.vem"), zurueck);
    EXPECT_TRUE(dateiInhalt(tmp.pfad("a.vem")) == dateiInhalt(tmp.pfad("b.vem"))) << "Saat " << saat;
  }
}

TEST(CsvSchreiben, KopfQuotenUndZeilenenden) {
  TDatBas db;
  db.add_datensatz(datensatzAus("Die \xC4rzte", "Sag \"Ja\"", "A,B", " Rand", "\x80", "", "zwei\r\nZeilen"));
  db.add_datensatz(datensatzAus("x", "y", "", "", "", "", ""));
  EXPECT_EQ(csvText(db),
            "\xEF\xBB\xBFInterpret,Titel,Label,Release,Typ,Genre,Kommentar\r\n"
            "Die \xC3\x84rzte,\"Sag \"\"Ja\"\"\",\"A,B\",\" Rand\",\xE2\x82\xAC,,\"zwei\r\nZeilen\"\r\n"
            "x,y,,,,,\r\n");
  EXPECT_EQ(csvText(TDatBas()), "\xEF\xBB\xBFInterpret,Titel,Label,Release,Typ,Genre,Kommentar\r\n");
}

}  // namespace
