// Matching of the search: a substring search that folds only A..Z.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/USuche.h"

namespace {

TEST(Suchtext, Faelle) {
  const std::string a255(255, 'a');
  struct Fall {
    std::string feld, suche;
    bool treffer;
  } const faelle[] = {
      // "beat" finds Beat, BEAT and beat anywhere, never a shorter field
      {"Beat Club", "beat", true},
      {"THE BEATLES", "beat", true},
      {"heartbeat", "beat", true},
      {"Dubeat", "BeAt", true},
      {"Bea", "beat", false},
      {"", "beat", false},
      {"Beta", "beat", false},
      // umlauts keep their case (Windows-1252: Ä = C4, ä = E4, Ö = D6, ö = F6)
      {"\xC4rzte", "\xE4rzte", false},
      {"Die \xC4rzte", "\xC4RZTE", true},
      {"\xF6", "\xD6", false},
      {"Stra\xDF" "e", "STRA\xDF" "E", true},
      // only A..Z fold: "@" (40) and "`" (60), "[" (5B) and "{" (7B) stay apart
      {"@", "`", false},
      {"[", "{", false},
      {"\xC0", "\xE0", false},
      // the whole field, longer than the field, a piece at the very end
      {"ABBA", "abba", true},
      {"ABBA", "abbas", false},
      {"Gold", "old", true},
      {"Gold", "ld ", false},
      // blanks count and nothing is trimmed
      {"Beatles", " beat", false},
      {"The Beatles", " beat", true},
      {"Pop  Rock", "p r", false},
      {"Pop  Rock", "p  r", true},
      // a piece that starts inside a longer near-match
      {"aaab", "aab", true},
      {"abababc", "ababc", true},
      {"abababd", "ababc", false},
      // the empty search text is a piece of every field
      {"", "", true},
      {"x", "", true},
      // the search text counts only with its first 255 characters
      {a255, std::string(300, 'A'), true},
      {a255, std::string(255, 'a') + "b", true},
      {a255, std::string(254, 'a') + "b", false},
      {std::string(254, 'a'), a255, false},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(suchtext_enthalten(f.feld, f.suche), f.treffer)
        << "Feld \"" << f.feld.substr(0, 40) << "\" (" << f.feld.size() << "), Suche \"" << f.suche.substr(0, 40)
        << "\" (" << f.suche.size() << ")";
}

// The piece-by-piece comparison as written out: every piece of the field of
// the search text's length, both folded to lower case (A..Z only), compared.
bool stueckweise(const std::string& f, std::string s) {
  if (s.size() > 255) s.resize(255);
  if (s.size() > f.size()) return false;
  auto klein = [](std::string t) {
    for (char& c : t)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return t;
  };
  for (std::size_t p = 0; p + s.size() <= f.size(); ++p)
    if (klein(f.substr(p, s.size())) == klein(s)) return true;
  return false;
}

TEST(Suchtext, GleichesErgebnisWieStueckweiserVergleich) {
  // Small alphabets make many near-matches, long texts the cut at 255.
  const std::string alphabete[] = {"aA", "abAB", "aB \xC4\xE4", "xyzXYZ[{@`"};
  std::mt19937 rng(42);
  int treffer = 0;
  for (const std::string& alphabet : alphabete) {
    std::uniform_int_distribution<std::size_t> zeichen(0, alphabet.size() - 1);
    for (int runde = 0; runde < 3000; ++runde) {
      std::uniform_int_distribution<std::size_t> feldLaenge(0, runde % 10 == 0 ? 255 : 12);
      std::uniform_int_distribution<std::size_t> suchLaenge(0, runde % 50 == 0 ? 300 : 5);
      std::string f(feldLaenge(rng), ' '), s(suchLaenge(rng), ' ');
      for (char& c : f) c = alphabet[zeichen(rng)];
      for (char& c : s) c = alphabet[zeichen(rng)];
      const bool erwartet = stueckweise(f, s);
      treffer += erwartet;
      ASSERT_EQ(suchtext_enthalten(f, s), erwartet) << "Feld \"" << f << "\", Suche \"" << s << "\"";
    }
  }
  // One prepared search text, many fields: each answer as if alone.
  std::uniform_int_distribution<std::size_t> z(0, 1);
  for (const std::string s : {"ab", "aab", "abab", "b", ""}) {
    const TSuchtext vorbereitet(s);
    for (int runde = 0; runde < 500; ++runde) {
      std::string f(runde % 9, 'a');
      for (char& c : f) c = "aB"[z(rng)];
      ASSERT_EQ(vorbereitet.enthalten(f), stueckweise(f, s)) << "Feld \"" << f << "\", Suche \"" << s << "\"";
    }
  }
  EXPECT_GT(treffer, 1000);  // both outcomes are well covered
  EXPECT_LT(treffer, 11000);
}

}  // namespace
