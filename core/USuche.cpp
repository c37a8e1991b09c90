#include "core/USuche.h"

namespace {

constexpr std::array<char, 256> faltTabelle() {
  std::array<char, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<char>(i >= 'A' && i <= 'Z' ? i + ('a' - 'A') : i);
  return t;
}
constexpr std::array<char, 256> KLEIN = faltTabelle();

inline char klein(char c) { return KLEIN[static_cast<unsigned char>(c)]; }

}  // namespace

TSuchtext::TSuchtext(std::string_view suchtext) {
  laenge_ = suchtext.size() < SUCHTEXT_LAENGE ? suchtext.size() : SUCHTEXT_LAENGE;
  for (std::size_t i = 0; i < laenge_; ++i) text_[i] = klein(suchtext[i]);
  // Knuth-Morris-Pratt: where to go on in the search text after a mismatch.
  if (laenge_ > 0) rand_[0] = 0;
  for (std::size_t i = 1, k = 0; i < laenge_; ++i) {
    while (k > 0 && text_[i] != text_[k]) k = rand_[k - 1];
    if (text_[i] == text_[k]) ++k;
    rand_[i] = static_cast<unsigned char>(k);
  }
}

bool TSuchtext::enthalten(std::string_view feld) const {
  const std::size_t m = laenge_;
  if (m > feld.size()) return false;
  if (m == 0) return true;  // the empty text is a piece of every field
  // Each byte of the field is folded once and looked at a bounded number of times.
  for (std::size_t i = 0, k = 0; i < feld.size(); ++i) {
    const char c = klein(feld[i]);
    while (k > 0 && c != text_[k]) k = rand_[k - 1];
    if (c == text_[k] && ++k == m) return true;
  }
  return false;
}

bool suchtext_enthalten(std::string_view feld, std::string_view suchtext) {
  return TSuchtext(suchtext).enthalten(feld);
}

std::string suchSchluessel(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = klein(c);
  return s;
}
