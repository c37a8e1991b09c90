// Counting the collection for the statistics: grouping, order and the limits of each chart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "angaben/UAngaben.h"
#include "core/UDatbas.h"
#include "core/UStatistik.h"

void PrintTo(const TGruppe& g, std::ostream* os) { *os << '{' << g.name << ',' << g.anzahl << ',' << g.erster << '}'; }

namespace {

// Interpret, Label, Release, Typ, Genre of one entry (Windows-1252), and its details.
struct Eintrag {
  std::string interpret{}, label{}, release{}, typ{}, genre{};
  TAngaben angaben{};
};

TDatBas sammlung(const std::vector<Eintrag>& eintraege) {
  TDatBas db;
  for (const Eintrag& e : eintraege)
    db.add_datensatz(datensatzAus(e.interpret, "T", e.label, e.release, e.typ, e.genre, ""), angabenBytes(e.angaben));
  return db;
}

// An entry with the grades of disc and sleeve and a place on the shelf (UTF-8).
Eintrag mitAngaben(TZustand tontraeger, TZustand huelle, std::string standort = "") {
  TAngaben a;
  a.zustandTontraeger = tontraeger;
  a.zustandHuelle = huelle;
  a.standort = std::move(standort);
  return {"a", "", "", "", "", a};
}

using enum TZustand;

std::vector<Eintrag> vieleEintraege() {  // 4000 entries: 25 bands of 160, genres G0..G19 of 200
  std::vector<Eintrag> v;
  for (int n = 0; n < 4000; ++n)
    v.push_back({"Band " + std::to_string(n % 25), "", std::to_string(1950 + n % 60), "CD", "G" + std::to_string(n % 20)});
  return v;
}

TEST(StatistikZaehlen, GruppenJeDiagramm) {
  const std::vector<std::string> vorgaben = {"CD - Album (1 CD)", "LP"};
  struct Fall {
    const char* was;
    std::vector<Eintrag> eintraege;
    TDiagramm diagramm;
    std::vector<TGruppe> erwartet;
  } faelle[] = {
      {"case folds A..Z only, umlauts keep their case; the most frequent spelling names the group",
       {{"Die \xC4rzte"}, {"die \xC4rzte"}, {"die \xC4rzte"}, {"Die \xE4rzte"}, {"ABBA"}, {""}},
       DIAGRAMM_INTERPRET,
       {{"die \xC4rzte", 3, 0}, {"Die \xE4rzte", 1, 3}, {"ABBA", 1, 4}}},
      {"labels: empty ones left out",
       {{"a", ""}, {"a", "EMI"}, {"a", "emi"}, {"a", "Sony"}},
       DIAGRAMM_LABEL,
       {{"EMI", 2, 1}, {"Sony", 1, 3}}},
      {"years in odd Release texts, every decade from the first to the last in order, the rest last",
       {{"a", "", "1994 (Remaster 2011)"}, {"a", "", "12.05.1987"}, {"a", "", ""}, {"a", "", "CD 19945"},
        {"a", "", "1899"}, {"a", "", "Remaster 2011"}, {"a", "", "ca. 1999"}, {"a", "", "2099"}},
       DIAGRAMM_JAHRZEHNT,
       {{"1980er", 1, 1}, {"1990er", 2, 0}, {"2000er", 0, -1}, {"2010er", 1, 5}, {"2020er", 0, -1},
        {"2030er", 0, -1}, {"2040er", 0, -1}, {"2050er", 0, -1}, {"2060er", 0, -1}, {"2070er", 0, -1},
        {"2080er", 0, -1}, {"2090er", 1, 7}, {"ohne Jahr", 3, 2}}},
      {"only entries without a year", {{"a", "", ""}, {"a", "", "x"}}, DIAGRAMM_JAHRZEHNT, {{"ohne Jahr", 2, 0}}},
      {"types: presets in their order, then the rest by count, empty as \"ohne Typ\"",
       {{"a", "", "", "Kassette"}, {"a", "", "", "LP"}, {"a", "", "", "Kassette"}, {"a", "", "", "CD - Album (1 CD)"},
        {"a", "", "", ""}, {"a", "", "", "lp"}},
       DIAGRAMM_TYP,
       {{"CD - Album (1 CD)", 1, 3}, {"LP", 1, 1}, {"Kassette", 2, 0}, {"ohne Typ", 1, 4}, {"lp", 1, 5}}},
      {"genres: empty ones as \"ohne Genre\" after the others",
       {{"a", "", "", "", ""}, {"a", "", "", "", "Rock"}, {"a", "", "", "", "Pop"}, {"a", "", "", "", "Pop"}},
       DIAGRAMM_GENRE,
       {{"Pop", 2, 2}, {"Rock", 1, 1}, {"ohne Genre", 1, 0}}},
      {"4000 entries: the 10 most frequent bands",
       vieleEintraege(),
       DIAGRAMM_INTERPRET,
       {{"Band 0", 160, 0}, {"Band 1", 160, 1}, {"Band 2", 160, 2}, {"Band 3", 160, 3}, {"Band 4", 160, 4},
        {"Band 5", 160, 5}, {"Band 6", 160, 6}, {"Band 7", 160, 7}, {"Band 8", 160, 8}, {"Band 9", 160, 9}}},
      {"4000 entries: 15 genres, then \"Sonstige\"",
       vieleEintraege(),
       DIAGRAMM_GENRE,
       {{"G0", 200, 0}, {"G1", 200, 1}, {"G2", 200, 2}, {"G3", 200, 3}, {"G4", 200, 4}, {"G5", 200, 5},
        {"G6", 200, 6}, {"G7", 200, 7}, {"G8", 200, 8}, {"G9", 200, 9}, {"G10", 200, 10}, {"G11", 200, 11},
        {"G12", 200, 12}, {"G13", 200, 13}, {"G14", 200, 14}, {"Sonstige", 1000, 15}}},
      {"4000 entries: six decades",
       vieleEintraege(),
       DIAGRAMM_JAHRZEHNT,
       {{"1950er", 670, 0}, {"1960er", 670, 10}, {"1970er", 670, 20}, {"1980er", 670, 30}, {"1990er", 660, 40},
        {"2000er", 660, 50}}},
      {"an empty collection", {}, DIAGRAMM_TYP, {}},
      {"disc grades in the order of the grade list, entries without one last",
       {mitAngaben(VG, Keiner), mitAngaben(Keiner, M), mitAngaben(M, Keiner), {"a"}, mitAngaben(VG, Keiner)},
       DIAGRAMM_ZUSTAND_TONTRAEGER,
       {{"M", 1, 2}, {"VG", 2, 0}, {"ohne Angabe", 2, 1}}},
      {"sleeve grades, the sleeves' own grades included",
       {mitAngaben(M, OhneHuelle), mitAngaben(M, NM), mitAngaben(M, Keiner), mitAngaben(M, OhneHuelle)},
       DIAGRAMM_ZUSTAND_HUELLE,
       {{"NM", 1, 1}, {"ohne H\xC3\xBClle", 2, 0}, {"ohne Angabe", 1, 2}}},
      {"a collection without details: every entry without a grade",
       {{"a"}, {"b"}}, DIAGRAMM_ZUSTAND_HUELLE, {{"ohne Angabe", 2, 0}}},
      {"places grouped as the search compares, then the entries without one",
       {mitAngaben(Keiner, Keiner, "Regal 2"), {"a"}, mitAngaben(Keiner, Keiner, "Keller"),
        mitAngaben(Keiner, Keiner, "regal 2"), mitAngaben(Keiner, Keiner, "Regal 2")},
       DIAGRAMM_STANDORT,
       {{"Regal 2", 3, 0}, {"Keller", 1, 2}, {"ohne Angabe", 1, 1}}},
  };
  for (const Fall& f : faelle) {
    const TStatistik s = statistikZaehlen(sammlung(f.eintraege), vorgaben);
    EXPECT_EQ(s.eintraege, static_cast<int>(f.eintraege.size())) << f.was;
    EXPECT_EQ(s.diagramme[f.diagramm], f.erwartet) << f.was;
  }
}

}  // namespace
