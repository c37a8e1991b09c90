// The companion file of a recovery copy: what it reads, and what it refuses.
#include <gtest/gtest.h>

#include "sicherung/UKopieAngaben.h"

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

}  // namespace
