#include <gtest/gtest.h>

#include "core/UDBSortTree.h"

namespace {

TDatBas mitInterpreten(std::initializer_list<std::string> namen) {
  TDatBas db;
  int i = 0;
  for (const auto& n : namen) db.add_datensatz(datensatzAus(n, std::to_string(++i), "", "", "", "", ""));
  return db;
}

std::vector<std::string> feld(const TDatBas& db, int nr) {
  std::vector<std::string> r;
  TDatensatz d;
  for (int i = 1; i <= db.get_anzahl(); ++i) {
    db.get_datensatz(i, d);
    r.push_back(d.feld(nr).text());
  }
  return r;
}

using V = std::vector<std::string>;

TEST(SchluesselVergleich, NurAbisZWerdenGefaltet) {
  struct Fall {
    std::string a, b;
    int vorzeichen;
  } faelle[] = {
      {"abba", "ABBA", 0},       {"Zappa", "\xC4rzte", -1}, {"\xC4rzte", "\xE4rzte", -1},
      {"", "a", -1},             {"ab", "abc", -1},         {"abc", "ab", 1},
      {"", "", 0},               {"\xFF", "a", 1},          {"Beatles", "beatles", 0},
  };
  for (const auto& f : faelle) {
    const int r = schluesselVergleich(f.a, f.b);
    EXPECT_EQ((r > 0) - (r < 0), f.vorzeichen) << f.a << " vs " << f.b;
  }
}

TEST(Sortieren, StabilAufsteigendUndGespiegeltAbsteigend) {
  TDatBas auf = mitInterpreten({"beatles", "ABBA", "Beatles", "abba"});
  datbasSortieren(auf, FELD_INTERPRET, true);
  EXPECT_EQ(feld(auf, FELD_INTERPRET), (V{"ABBA", "abba", "beatles", "Beatles"}));

  TDatBas ab = mitInterpreten({"beatles", "ABBA", "Beatles", "abba"});
  datbasSortieren(ab, FELD_INTERPRET, false);
  EXPECT_EQ(feld(ab, FELD_INTERPRET), (V{"Beatles", "beatles", "abba", "ABBA"}));

  datbasSortieren(ab, FELD_INTERPRET, false);  // twice descending restores runs of equal keys
  EXPECT_EQ(feld(ab, FELD_INTERPRET), (V{"beatles", "Beatles", "ABBA", "abba"}));
}

TEST(Sortieren, UmlauteNachJedemBuchstaben) {
  for (bool gross : {true, false}) {
    TDatBas db = mitInterpreten({gross ? "\xC4rzte" : "\xE4rzte", "Zappa", "zz top", "Abba"});
    datbasSortieren(db, FELD_INTERPRET, true);
    EXPECT_EQ(feld(db, FELD_INTERPRET).back(), gross ? "\xC4rzte" : "\xE4rzte");
  }
}

TEST(Sortieren, LeereSchluessel) {
  TDatBas db = mitInterpreten({"", "", ""});
  datbasSortieren(db, FELD_INTERPRET, true);
  EXPECT_EQ(feld(db, FELD_TITEL), (V{"1", "2", "3"}));
  datbasSortieren(db, FELD_INTERPRET, false);
  EXPECT_EQ(feld(db, FELD_TITEL), (V{"3", "2", "1"}));
}

TEST(Sortieren, JedesSchluesselfeld) {
  for (int key = FELD_INTERPRET; key <= FELD_GENRE; ++key) {
    TDatBas db;
    for (const char* s : {"c", "a", "b"}) {
      TDatensatz d;
      d.feld(key).setzen(s);
      d.Kommentar.setzen(s);
      db.add_datensatz(d);
    }
    datbasSortieren(db, key, true);
    EXPECT_EQ(feld(db, FELD_KOMMENTAR), (V{"a", "b", "c"})) << key;
  }
}

TEST(Sortieren, ViertausendGleicheUndSortierteSchluessel) {
  TDatBas gleich, sortiert;
  for (int i = 0; i < 4000; ++i) {
    gleich.add_datensatz(datensatzAus("same", std::to_string(i), "", "", "", "", ""));
    char buf[8];
    std::snprintf(buf, sizeof buf, "%05d", i);
    sortiert.add_datensatz(datensatzAus(buf, "", "", "", "", "", ""));
  }
  datbasSortieren(gleich, FELD_INTERPRET, true);
  EXPECT_EQ(feld(gleich, FELD_TITEL)[3999], "3999");
  datbasSortieren(gleich, FELD_INTERPRET, false);
  EXPECT_EQ(feld(gleich, FELD_TITEL)[0], "3999");
  datbasSortieren(sortiert, FELD_INTERPRET, false);
  EXPECT_EQ(feld(sortiert, FELD_INTERPRET)[0], "03999");
  EXPECT_EQ(sortiert.get_anzahl(), 4000);
}

struct Protokoll : ISortAnzeige {
  std::vector<int> ereignisse;
  void sortierungBeginnt(int n) override { ereignisse.push_back(n); }
  void sortierungBeendet(int n) override { ereignisse.push_back(-n); }
};

TEST(Sortieren, SortTreeMeldetAnfangUndEnde) {
  TDatBas db = mitInterpreten({"b", "a"});
  Protokoll p;
  TDBSortTree sorter(db, &p);
  sorter.sortieren(FELD_INTERPRET, true);
  EXPECT_EQ(p.ereignisse, (std::vector<int>{2, -2}));
  EXPECT_EQ(feld(db, FELD_INTERPRET), (V{"a", "b"}));
}

}  // namespace
