#include "core/USuche.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::size_t PUFFER = 256;

inline char klein(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// Copies at most PUFFER bytes of "s" folded to "ziel"; returns their number.
std::size_t falten(std::string_view s, std::array<char, PUFFER>& ziel) {
  const std::size_t n = s.size() < PUFFER ? s.size() : PUFFER;
  for (std::size_t i = 0; i < n; ++i) ziel[i] = klein(s[i]);
  return n;
}

}  // namespace

bool suchtext_enthalten(std::string_view feld, std::string_view suchtext) {
  if (suchtext.size() > SUCHTEXT_LAENGE) suchtext = suchtext.substr(0, SUCHTEXT_LAENGE);
  const std::size_t m = suchtext.size();
  if (m > feld.size()) return false;
  if (m == 0) return true;  // the empty text is a piece of every field
  // A field longer than a record's field still is searched whole (slowly: only tests do that).
  if (feld.size() > PUFFER) {
    for (std::size_t p = 0; p + m <= feld.size(); ++p) {
      std::size_t k = 0;
      while (k < m && klein(feld[p + k]) == klein(suchtext[k])) ++k;
      if (k == m) return true;
    }
    return false;
  }

  // Both sides folded once, then Knuth-Morris-Pratt: every byte of the field
  // is looked at a bounded number of times, whatever the texts.
  std::array<char, PUFFER> f, s;
  const std::size_t n = falten(feld, f);
  falten(suchtext, s);
  std::array<std::size_t, PUFFER> rand;  // longest proper border of s[0..i]
  rand[0] = 0;
  for (std::size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && s[i] != s[k]) k = rand[k - 1];
    if (s[i] == s[k]) ++k;
    rand[i] = k;
  }
  for (std::size_t i = 0, k = 0; i < n; ++i) {
    while (k > 0 && f[i] != s[k]) k = rand[k - 1];
    if (f[i] == s[k]) ++k;
    if (k == m) return true;
  }
  return false;
}
