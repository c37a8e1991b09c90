#pragma once
// Matching of the search: does a field contain a search text?
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Longest search text that counts, the capacity of a field.
constexpr std::size_t SUCHTEXT_LAENGE = 255;

// A search text prepared once for matching many fields. Only the letters A..Z
// are compared without regard to case; every other byte, umlauts included,
// must agree exactly. Blanks count like any other character, nothing is
// trimmed. Texts are Windows-1252 bytes; only the first 255 bytes of the
// search text count.
class TSuchtext {
 public:
  explicit TSuchtext(std::string_view suchtext);
  // True when the search text occurs anywhere in "feld"; a search text longer
  // than the field never matches, the empty one always does.
  bool enthalten(std::string_view feld) const;

 private:
  std::array<char, SUCHTEXT_LAENGE> text_;             // folded to lower case
  std::array<unsigned char, SUCHTEXT_LAENGE> rand_;    // longest proper border of text_[0..i]
  std::size_t laenge_;
};

// The same for a single field.
bool suchtext_enthalten(std::string_view feld, std::string_view suchtext);

// A text as the search compares it: the letters A..Z lower-cased, every other
// byte (umlauts included) as it is. Two texts the search cannot tell apart
// give the same key.
std::string suchSchluessel(std::string_view text);
