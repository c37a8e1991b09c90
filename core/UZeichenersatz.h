#pragma once
// Unicode characters in the program's Windows-1252: the code page's own
// characters as they are, the others as their nearest form. Used wherever text
// from outside comes in (CSV files, the online music database). No Qt.
#include <cstddef>
#include <string>

// The Unicode character of a byte of the code page. The five unassigned bytes
// map to the C1 controls of the same value, so the way back is exact.
char32_t cp1252Zeichen(unsigned char b);
// The code page's byte for a character, or 0 when it has none (and for U+0000).
unsigned char cp1252Byte(char32_t u);

enum class TErsatz {
  Genau,         // the code page holds the character
  Aehnlich,      // its nearest form was written, or nothing for an invisible character
  Fragezeichen,  // no such form: "?" was written
};

// Appends the Windows-1252 form of "u" to "ziel": letters with marks the code
// page lacks lose those marks ("ł" -> "l", "ő" -> "ö", "ệ" -> "ê"), ligatures and
// wide forms become their letters, the Unicode hyphens, dashes, quotes and spaces
// their nearest form, invisible characters (zero-width space, joiners,
// direction marks, byte-order mark) nothing, anything else "?". The soft
// hyphen is a character of the code page and stays.
TErsatz zeichenZuCp1252(char32_t u, std::string& ziel);

// One line of the table of nearest forms (core/UZeichenersatzTabelle.cpp),
// sorted by character.
struct TErsatzform {
  char32_t zeichen;
  char form[4];  // Windows-1252, empty for an invisible character
};
extern const TErsatzform ERSATZFORMEN[];
extern const std::size_t ERSATZFORMEN_ANZAHL;
