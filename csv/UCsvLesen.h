#pragma once
// Reading a CSV file: its encoding (UTF-8 with or without byte-order mark,
// UTF-16 with one, else Windows-1252; in a UTF-8 file a line that is no UTF-8
// is read as Windows-1252), its separator (comma, semicolon or tab, taken from
// the header line or from a first line "sep=;") and its cells, quoted as RFC
// 4180 has it. Blank lines before the header are skipped. A line break or tab
// inside a quoted cell becomes a blank; blanks at the ends of a cell count only
// inside quotes. Malformed input raises ECsvFehler with a German text and
// yields nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/UFehler.h"

class ECsvFehler : public EVemlaFehler {
 public:
  using EVemlaFehler::EVemlaFehler;
};

enum class TCsvKodierung { Utf8, Utf8Bom, Utf16, Cp1252 };

// Bounds of what is read at all.
constexpr std::size_t CSV_MAX_BYTES = 64u << 20;   // the whole file
constexpr std::size_t CSV_MAX_ZEILE = 1u << 20;    // one line (record)
constexpr std::size_t CSV_MAX_SPALTEN = 100;
constexpr std::size_t CSV_MAX_ZEILEN = 50000;      // data lines

// U+2060 WORD JOINER in UTF-8: invisible; an export puts it wherever a piece
// of a cell that a spreadsheet may split off (at the start, after a comma,
// semicolon, tab or line break) starts with = + - @ (also behind blanks or
// quotes), and before a cell that starts with a tab or CR, so spreadsheets take
// the text as text, not as a formula or number. Reading drops it there.
constexpr std::string_view CSV_WORTVERBINDER = "\xE2\x81\xA0";

class TCsvDaten {
 public:
  TCsvKodierung kodierung = TCsvKodierung::Utf8;
  char trenner = ',';
  // The header cells, trimmed, in Windows-1252.
  std::vector<std::string> kopf;
  // Lines of a UTF-8 file that were no UTF-8 and were read as Windows-1252.
  int cp1252Zeilen = 0;
  // The first line with more non-empty cells than the header (a separator
  // outside quotes): its number in the file (0: none) and its cells, joined by
  // the separator, in the file's own text. Cells beyond the header are not kept.
  int zuVieleZellen = 0;
  std::string zuVieleZellenText;

  int zeilen() const { return kopf.empty() ? 0 : static_cast<int>(zellen_.size() / kopf.size()); }
  int spalten() const { return static_cast<int>(kopf.size()); }
  // A data cell (0-based line and column) in the file's own text: UTF-8 unless
  // the encoding is Windows-1252. Lines shorter than the header give empty cells.
  std::string_view zelle(int zeile, int spalte) const {
    const Zelle& z = zellen_[static_cast<std::size_t>(zeile) * kopf.size() + static_cast<std::size_t>(spalte)];
    return std::string_view(text_.data() + z.anfang, z.laenge);
  }
  bool utf8() const { return kodierung != TCsvKodierung::Cp1252; }
  // The cell as zelle() gives it, but with the line breaks and tabs that
  // zelle() shows as blanks as they stand in the file (a line break as LF, CR
  // or CR LF): for long texts that keep their lines.
  std::string zelleGanz(int zeile, int spalte) const;

 private:
  friend TCsvDaten csvAuswerten(std::string bytes);
  struct Zelle {
    std::uint32_t anfang, laenge;
  };
  std::string text_;  // the cells' characters, unquoted in place
  std::vector<Zelle> zellen_;
  // Where text_ has a blank for a line break or tab, and what stood there
  // ('\0' for CR LF), by position.
  std::vector<std::pair<std::uint32_t, char>> ersetzt_;
};

// Reads the CSV text "bytes" (a whole file).
TCsvDaten csvAuswerten(std::string bytes);
// Reads the file at "pfad"; raises EEAFehler when it cannot be read.
TCsvDaten csvLesen(const std::string& pfad);

// Raises ECsvFehler when a line has more cells than the header: such a file is not imported.
void csvZellenPruefen(const TCsvDaten& d);

// How the encoding and separator are named in messages ("UTF-8", "Semikolon").
const char* kodierungsName(TCsvKodierung k);
const char* trennerName(char t);
// The encoding with the lines read as Windows-1252: "UTF-8, 1 Zeile als Windows-1252 gelesen".
std::string kodierungsText(const TCsvDaten& d);
