#pragma once
// Between the program's Windows-1252 texts and the UTF-8 (or UTF-16) of
// CSV files, without Qt: the command line runs without it.
#include <cstddef>
#include <string>
#include <string_view>

// True when "s" is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool istUtf8(std::string_view s);

// Appends the Windows-1252 form of the UTF-8 text "s" to "ziel". A letter
// followed by a combining accent becomes the one accented letter where the
// code page has it, else the accent is left out; any other character the code
// page cannot hold becomes its nearest form (zeichenZuCp1252). Returns true
// when the text changed on the way. "s" must be well-formed UTF-8.
bool utf8ZuCp1252(std::string_view s, std::string& ziel);

// Appends the UTF-8 form of the Windows-1252 text "s" to "ziel". The five
// unassigned bytes map to the C1 controls of the same value, so the way back is exact.
void cp1252ZuUtf8(std::string_view s, std::string& ziel);

// UTF-16 (little or big endian, without its byte-order mark) to UTF-8; a
// lone surrogate becomes U+FFFD. An odd last byte is dropped.
std::string utf16ZuUtf8(std::string_view s, bool bigEndian);
