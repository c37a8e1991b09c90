// The companion file of a recovery copy: what it reads, and what it refuses.
#include <gtest/gtest.h>

#include "core/UDatbas.h"
#include "sicherung/UKopieAngaben.h"
#include "tests/sicherung/Satz.h"

namespace {

TEST(KopieAngaben, SchreibenUndLesen) {
  const struct {
    TKopieAngaben angaben;
    std::string text;
  } faelle[] = {
      {{"/home/a/CDs.vem", 1765180800}, "Vemla-Sicherungskopie 1\ndatei=2f686f6d652f612f4344732e76656d\nzeit=1765180800\n"},
      {{"", 0}, "Vemla-Sicherungskopie 1\ndatei=\nzeit=0\n"},
      {{std::string("a\nb\xE4\0", 5), 7}, "Vemla-Sicherungskopie 1\ndatei=610a62e400\nzeit=7\n"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(kopieAngabenText(f.angaben), f.text);
    EXPECT_EQ(kopieAngabenLesen(f.text), f.angaben) << f.text;
  }
}

TEST(KopieAngaben, UnbrauchbaresWirdAbgelehnt) {
  const std::string faelle[] = {
      "",
      "Vemla-Sicherungskopie 1\ndatei=2f\nzeit=12",             // cut short
      "Vemla-Sicherungskopie 2\ndatei=2f\nzeit=12\n",           // another version
      "Vemla-Sicherungskopie 1\ndatei=2\nzeit=12\n",            // half a byte
      "Vemla-Sicherungskopie 1\ndatei=2F\nzeit=12\n",           // capitals are not written
      "Vemla-Sicherungskopie 1\ndatei=zz\nzeit=12\n",
      "Vemla-Sicherungskopie 1\ndatei=2f\nzeit=\n",
      "Vemla-Sicherungskopie 1\ndatei=2f\nzeit=-5\n",
      "Vemla-Sicherungskopie 1\ndatei=2f\nzeit=1234567890123456789\n",  // would overflow
      "Vemla-Sicherungskopie 1\nzeit=12\ndatei=2f\n",           // order
      "Vemla-Sicherungskopie 1\ndatei=2f\nzeit=12\nmehr\n",
      "Vemla-Sicherungskopie 1\ndatei=" + std::string(20000, 'a') + "\nzeit=1\n",  // too large
  };
  for (const std::string& f : faelle) EXPECT_EQ(kopieAngabenLesen(f), std::nullopt) << f.substr(0, 80);
}

// A copy in one file: the data, then the records they name.
TEST(KopieAngaben, KopieInEinemStueck) {
  const std::string saetze = satz("A", "x") + satz("B", "y");
  const TDateiKennung original{2049, 131074, 17920, -5, 0x00ff00ff00ff00ffull};
  const struct {
    TKopieAngaben angaben;
    std::string saetze, kopf;
  } faelle[] = {
      {{"/a.vem", 7, original}, saetze,
       "Vemla-Sicherungskopie 2\ndatei=2f612e76656d\nzeit=7\noriginal=2049 131074 17920 -5 00ff00ff00ff00ff\n"
       "saetze=3584 7c9ade1cab449bdf\n"},
      {{"", 0}, "", "Vemla-Sicherungskopie 2\ndatei=\nzeit=0\noriginal=\nsaetze=0 af63bd4c8601b7df\n"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(kopieKopf(f.angaben, f.saetze), f.kopf);
    const std::string datei = f.kopf + f.saetze;
    const auto k = kopieLesen(datei);
    ASSERT_TRUE(k) << f.kopf;
    EXPECT_EQ(k->angaben, f.angaben);
    EXPECT_EQ(k->saetze, f.saetze);
  }
  // What does not match what the data name is damaged.
  const std::string gut = kopieKopf({"/a.vem", 7, original}, saetze) + saetze;
  std::string gekippt = gut;
  gekippt[gut.size() - 3000] ^= 1;
  const std::string kaputt[] = {
      gekippt,                                   // one bit of a record
      gut.substr(0, gut.size() - 1792),          // a record missing
      gut + satz("C", "z"),                      // one more
      kopieKopf({}, "abc") + "abc",              // no whole record
      kopieKopf({}, std::string(4001 * 1792, 'a')) + std::string(4001 * 1792, 'a'),  // above the limit
      "Vemla-Sicherungskopie 2\ndatei=\nzeit=0\noriginal=1 2 3\nsaetze=0 af63bd4c8601b7df\n",
      "Vemla-Sicherungskopie 2\ndatei=\nzeit=0\noriginal=\nsaetze=0 AF63BD4C8601B7DF\n",
      "Vemla-Sicherungskopie 2\ndatei=\nzeit=0\nsaetze=0 af63bd4c8601b7df\n",
      kopieAngabenText({"/a.vem", 7}) + saetze,  // the older companion is no copy
  };
  for (const std::string& f : kaputt) EXPECT_EQ(kopieLesen(f), std::nullopt) << f.substr(0, 120);
}

// Behind the records, each entry's details, named and checked like the records.
TEST(KopieAngaben, KopieMitBeilagen) {
  const std::string saetze = satz("A", "x") + satz("B", "y");
  TDatBas db;
  db.add_datensatz(TDatensatz{}, "");
  db.add_datensatz(TDatensatz{}, std::string("zw\0ei", 5));
  const std::string beilagen = kopieBeilagen(db);
  EXPECT_EQ(beilagen, std::string("\0\0\0\0\5\0\0\0zw\0ei", 13));
  const std::string kopf = kopieKopf({"/a.vem", 7}, saetze, beilagen);
  EXPECT_EQ(kopf, "Vemla-Sicherungskopie 3\ndatei=2f612e76656d\nzeit=7\noriginal=\nsaetze=3584 7c9ade1cab449bdf\n"
                  "beilagen=13 " + kopf.substr(kopf.size() - 17));
  const std::string gut = kopf + saetze + beilagen;
  const auto k = kopieLesen(gut);
  ASSERT_TRUE(k);
  EXPECT_EQ(k->saetze, saetze);
  EXPECT_EQ(k->beilagen, (std::vector<std::string_view>{"", std::string_view("zw\0ei", 5)}));
  std::string gekippt = gut;
  gekippt[gut.size() - 2] ^= 1;
  const std::string kaputt[] = {
      gekippt,                                 // one bit of a detail
      gut.substr(0, gut.size() - 1),           // cut short
      kopf + saetze,                           // the details missing
      kopieKopf({}, saetze, beilagen.substr(0, 4)) + saetze + beilagen.substr(0, 4),  // one set for two records
      kopieKopf({}, saetze, beilagen + beilagen.substr(0, 4)) + saetze + beilagen + beilagen.substr(0, 4),  // three
      kopieKopf({}, saetze, beilagen.substr(0, 12)) + saetze + beilagen.substr(0, 12),  // a set longer than what follows
  };
  for (const std::string& f : kaputt) EXPECT_EQ(kopieLesen(f), std::nullopt) << f.substr(0, 120);
}

}  // namespace
