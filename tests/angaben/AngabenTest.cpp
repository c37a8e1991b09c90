#include <gtest/gtest.h>
#include <sqlite3.h>

#include "angaben/UAngaben.h"
#include "angaben/UAngabenDb.h"
#include "angaben/UZuordnen.h"
#include "core/UDBSortTree.h"
#include "core/UDatbas.h"
#include "verlauf/UVerlauf.h"
#include "tests/support/TempOrdner.h"

namespace {

TEST(Angaben, DatumUndPreisLesenUndZeigen) {
  const struct {
    const char* eingabe;
    const char* iso;  // nullptr: refused
  } daten[] = {{"1.2.2024", "2024-02-01"},  {"29.02.2024", "2024-02-29"}, {"29.02.2023", nullptr},
               {"31.04.2024", nullptr},     {"12.3.24", nullptr},         {"01.13.2020", nullptr},
               {" 24.12.1999 ", "1999-12-24"}, {"24-12-1999", nullptr},   {"", nullptr}};
  for (const auto& f : daten) {
    const auto iso = datumAusAnzeige(f.eingabe);
    EXPECT_EQ(iso.has_value(), f.iso != nullptr) << f.eingabe;
    if (iso && f.iso) {
      EXPECT_EQ(*iso, f.iso) << f.eingabe;
    }
  }
  EXPECT_EQ(datumAnzeige("2024-02-01"), "01.02.2024");
  EXPECT_EQ(datumAnzeige("2024-02-30"), "");
  EXPECT_EQ(datumAusDiscogs("2019-03-04 18:22:10"), "2019-03-04");
  EXPECT_FALSE(datumAusDiscogs("04.03.2019"));

  const struct {
    const char* eingabe;
    long long cent;  // -1: refused
  } preise[] = {{"12,50", 1250}, {"12", 1200},     {"12,5", 1250},   {"1.234,50", 123450}, {"\xE2\x82\xAC 3,99", 399},
                {"3,99 \xE2\x82\xAC", 399}, {"0,05", 5}, {"-1", -1}, {"1,234", -1},   {"12.34", -1},
                {"1.23.456", -1}, {"", -1},       {"abc", -1},      {"12,", 1200}};
  for (const auto& f : preise) {
    const auto c = preisAusAnzeige(f.eingabe);
    EXPECT_EQ(c ? *c : -1, f.cent) << f.eingabe;
  }
  EXPECT_EQ(preisAnzeige(123450), "1.234,50");
  EXPECT_EQ(preisAnzeige(5), "0,05");
  EXPECT_EQ(preisAnzeige(100000000), "1.000.000,00");
}

TEST(Angaben, DiscogsZustaende) {
  const struct {
    const char* text;
    bool huelle;
    const char* kuerzel;  // nullptr: not a grade of that column
  } faelle[] = {{"Mint (M)", false, "M"},
                {"Near Mint (NM or M-)", false, "NM"},
                {"Very Good Plus (VG+)", true, "VG+"},
                {"Good Plus (G+)", false, "G+"},
                {"Poor (P)", true, "P"},
                {"Generic", true, "Neutrale H\xC3\xBClle"},
                {"No Cover", true, "ohne H\xC3\xBClle"},
                {"Not Graded", true, "nicht bewertet"},
                {"Generic", false, nullptr},
                {"VG+", false, nullptr},
                {"", true, nullptr}};
  for (const auto& f : faelle) {
    const auto z = zustandAusDiscogs(f.text, f.huelle);
    EXPECT_EQ(z.has_value(), f.kuerzel != nullptr) << f.text;
    if (z && f.kuerzel) {
      EXPECT_EQ(zustandKuerzel(*z), f.kuerzel) << f.text;
    }
  }
}

TDatensatz eintrag(const std::string& interpret, const std::string& titel, const std::string& typ = "CD") {
  return datensatzAus(interpret, titel, "", "", typ, "", "");
}

// What a save of "db" records, with detail set 100 + position for each entry.
std::vector<TGespeicherterEintrag> gespeichert(const TDatBas& db) {
  std::vector<TGespeicherterEintrag> z;
  for (int i = 1; i <= db.get_anzahl(); ++i) {
    TDatensatz d;
    db.get_datensatz(i, d);
    z.push_back({static_cast<std::uint32_t>(i - 1), eintragPruefsumme(d), d.Interpret.text(), d.Titel.text(), 100 + i - 1});
  }
  return z;
}

TEST(Angaben, ZuordnungFindetJedenEintragWieder) {
  TDatBas alt;
  for (const auto& d : {eintrag("A", "Eins"), eintrag("B", "Zwei"), eintrag("C", "Drei", "CD"),
                        eintrag("C", "Drei", "LP"), eintrag("D", "Vier"), eintrag("D", "Vier")})
    alt.add_datensatz(d);
  const auto gesp = gespeichert(alt);
  auto holen = [&](int i) {
    TDatensatz d;
    alt.get_datensatz(i, d);
    return d;
  };
  auto geaendert = [&](int i, const std::string& kommentar) {
    TDatensatz d = holen(i);
    d.Kommentar.setzen(kommentar);
    return d;
  };
  const struct {
    const char* fall;
    std::vector<TDatensatz> neu;
    std::vector<long long> erwartet;
    std::vector<long long> ohne;
    int nachNamen;
  } faelle[] = {
      {"unveraendert", {holen(1), holen(2), holen(3), holen(4), holen(5), holen(6)},
       {100, 101, 102, 103, 104, 105}, {}, 0},
      // Sorted the other way: the two equal entries are reversed, but keep their order among themselves.
      {"umgekehrt", {holen(6), holen(5), holen(4), holen(3), holen(2), holen(1)},
       {104, 105, 103, 102, 101, 100}, {}, 0},
      {"anderswo geaendert", {geaendert(1, "neu"), holen(2), holen(3), holen(4), holen(5), holen(6)},
       {100, 101, 102, 103, 104, 105}, {}, 1},
      // A CD and an LP of one album, both changed: neither may take the other's details.
      {"zwei gleichnamige geaendert", {holen(1), holen(2), geaendert(3, "x"), geaendert(4, "y"), holen(5), holen(6)},
       {100, 101, -1, -1, 104, 105}, {102, 103}, 0},
      {"geloescht und hinzugefuegt", {holen(2), eintrag("E", "Neu"), holen(5), holen(6)},
       {101, -1, 104, 105}, {100, 102, 103}, 0},
  };
  for (const auto& f : faelle) {
    TDatBas db;
    for (const auto& d : f.neu) db.add_datensatz(d);
    const TZuordnung z = zuordnen(db, gesp);
    EXPECT_EQ(z.jeEintrag, f.erwartet) << f.fall;
    EXPECT_EQ(z.nichtZugeordnet, f.ohne) << f.fall;
    EXPECT_EQ(z.nachNamen, f.nachNamen) << f.fall;
  }
}

TAngabenStand stand(std::uint64_t vem, std::vector<long long> ids) {
  TAngabenStand s;
  s.sammlung = "cds.vem";
  s.vemPruefsumme = vem;
  std::uint32_t pos = 0;
  for (long long id : ids) {
    s.zuordnung.push_back({pos++, static_cast<std::uint64_t>(id) * 7, "I", "T", id});
    TAngaben g;
    g.standort = "Regal " + std::to_string(id);
    g.zustandTontraeger = TZustand::VGplus;
    g.preisCent = 1250;
    g.notizen = std::string(1000, 'n');
    s.angaben[id] = g;
  }
  return s;
}

TEST(Angaben, DatenbankHaeltZweiStaendeUndWasSieBrauchen) {
  TempOrdner tmp;
  const std::string pfad = angabenPfad(tmp.pfad("cds.vem"));
  EXPECT_EQ(pfad, tmp.pfad("cds.vemx"));
  EXPECT_EQ(TAngabenDb::oeffnen(pfad, false), nullptr);
  {
    auto db = TAngabenDb::oeffnen(pfad, true);
    EXPECT_EQ(db->synchronModus(), 2);
    EXPECT_EQ(db->journalModus(), "delete");
    db->speichern(stand(1, {1, 2, 3}));
    db->speichern(stand(2, {1, 3}));       // entry 2 deleted: its details stay for the mapping before
    auto s3 = stand(3, {3});
    s3.nichtZugeordnet = {9};
    s3.angaben[9].notizen = "ohne Eintrag";
    db->speichern(s3);
  }
  auto db = TAngabenDb::oeffnen(pfad, false);
  EXPECT_FALSE(db->nurLesen());
  EXPECT_EQ(db->sammlung(), "cds.vem");
  EXPECT_EQ(db->staende(), (std::vector<std::uint64_t>{3, 2}));
  EXPECT_TRUE(db->zuordnung(1).empty());
  ASSERT_EQ(db->zuordnung(2).size(), 2u);
  const auto a = db->angaben();
  std::vector<long long> ids;
  for (const auto& [id, g] : a) ids.push_back(id);
  EXPECT_EQ(ids, (std::vector<long long>{1, 3, 9}));  // 2 went with the oldest mapping
  EXPECT_EQ(a.at(3).standort, "Regal 3");
  EXPECT_EQ(a.at(3).preisCent, 1250);
  EXPECT_EQ(a.at(3).zustandTontraeger, TZustand::VGplus);
  EXPECT_EQ(a.at(3).notizen.size(), 1000u);
  EXPECT_EQ(angabenAusBytes(angabenBytes(a.at(3))), a.at(3));
  EXPECT_EQ(angabenBytes(TAngaben{}), "");
  EXPECT_EQ(db->nichtZugeordnet(), (std::vector<long long>{9}));
  EXPECT_EQ(db->schnellPruefen(), "ok");
  db->kopieren(tmp.pfad("kopie.vemx"));
  EXPECT_EQ(TAngabenDb::oeffnen(tmp.pfad("kopie.vemx"), false)->angaben(), a);
}

void sql(const std::string& pfad, const char* befehl) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(pfad.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, befehl, nullptr, nullptr, nullptr), SQLITE_OK) << befehl;
  sqlite3_close(db);
}

TEST(Angaben, FremdeNeuereUndKaputteDatenbanken) {
  TempOrdner tmp;
  dateiSchreiben(tmp.pfad("text.vemx"), std::string(4096, 'x'));
  EXPECT_THROW(TAngabenDb::oeffnen(tmp.pfad("text.vemx"), false), EAngabenDbFehler);
  sql(tmp.pfad("fremd.vemx"), "CREATE TABLE t(x); PRAGMA application_id=7;");
  EXPECT_THROW(TAngabenDb::oeffnen(tmp.pfad("fremd.vemx"), false), EAngabenDbFehler);

  TAngabenDb::oeffnen(tmp.pfad("neu.vemx"), true)->speichern(stand(1, {1}));
  sql(tmp.pfad("neu.vemx"), "PRAGMA user_version=2; UPDATE angaben SET bewertung=99, aufgenommen_am='2024-02-30';");
  auto db = TAngabenDb::oeffnen(tmp.pfad("neu.vemx"), false);
  EXPECT_TRUE(db->nurLesen());
  EXPECT_EQ(db->angaben().at(1).bewertung, 5);
  EXPECT_EQ(db->angaben().at(1).aufgenommenAm, "");
  EXPECT_THROW(db->speichern(stand(2, {1})), EAngabenDbFehler);

  // A database cut in half is damaged: the check says so, or it does not open at all.
  TAngabenDb::oeffnen(tmp.pfad("halb.vemx"), true)->speichern(stand(1, {1, 2, 3, 4, 5, 6, 7, 8}));
  std::string bytes = dateiInhalt(tmp.pfad("halb.vemx"));
  for (std::size_t i = bytes.size() / 2; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31);
  dateiSchreiben(tmp.pfad("halb.vemx"), bytes);
  try {
    EXPECT_NE(TAngabenDb::oeffnen(tmp.pfad("halb.vemx"), false)->schnellPruefen(), "ok");
  } catch (const EAngabenDbFehler&) {
  }
}

}  // namespace

namespace {

// What each entry carries, in collection order.
std::vector<std::string> beilagen(const TDatBas& db) {
  std::vector<std::string> v;
  for (int i = 1; i <= db.get_anzahl(); ++i) v.push_back(db.get_beilage(i));
  return v;
}

TEST(Angaben, JederEintragBehaeltSeineBeilage) {
  TDatBas db;
  db.add_datensatz(eintrag("B", "x"), "b1");
  db.add_datensatz(eintrag("A", "x"), "a");
  db.add_datensatz(eintrag("B", "x"), "b2");  // equal to the first: a descending sort reverses the two
  TDatensatz voll = eintrag("C", "x");
  voll.Titel.zeichen[200] = 'r';  // bytes behind a text: the record is kept whole
  db.add_datensatz(voll, "c");
  const std::uint64_t erste = db.get_kennung(1);

  datbasSortieren(db, FELD_INTERPRET, false);
  EXPECT_EQ(beilagen(db), (std::vector<std::string>{"c", "b2", "b1", "a"}));
  EXPECT_EQ(db.get_kennung(3), erste);
  db.tauschen(1, 4);
  db.set_datensatz(4, eintrag("C", "y"));
  TDatensatz d;
  db.get_datensatz(4, d);
  EXPECT_EQ(d.Titel.text(), "y");
  EXPECT_EQ(beilagen(db), (std::vector<std::string>{"a", "b2", "b1", "c"}));
  db.get_datensatz(1, d);
  EXPECT_EQ(d.Interpret.text(), "A");

  TVerlauf verlauf;
  verlauf.beginnen(db, {});
  db.set_beilage(2, "");
  db.del_datensatz(1);
  ASSERT_TRUE(verlauf.abschliessen(db, "x", {}));
  verlauf.rueckgaengig(db);
  EXPECT_EQ(beilagen(db), (std::vector<std::string>{"a", "b2", "b1", "c"}));
  EXPECT_EQ(db.get_kennung(3), erste);

  db.set_kennung(1, 500);
  db.add_datensatz(eintrag("N", "n"));
  EXPECT_EQ(db.get_kennung(5), 501u);
}

}  // namespace
