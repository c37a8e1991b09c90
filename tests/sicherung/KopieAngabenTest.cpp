// The companion file of a recovery copy: what it reads, and what it refuses.
#include <gtest/gtest.h>

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

}  // namespace
