#pragma once
// Matching of the search: does a field contain a search text?
#include <string_view>

// True when "suchtext" occurs anywhere in "feld". Only the letters A..Z are
// compared without regard to case; every other byte, umlauts included, must
// agree exactly. Blanks count like any other character, nothing is trimmed,
// and a search text longer than the field never matches. Both texts are
// Windows-1252 bytes; only the first 255 bytes of the search text count.
bool suchtext_enthalten(std::string_view feld, std::string_view suchtext);

// Longest search text that counts, the capacity of a field.
constexpr std::size_t SUCHTEXT_LAENGE = 255;
