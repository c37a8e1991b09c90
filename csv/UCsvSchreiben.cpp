#include "csv/UCsvSchreiben.h"

#include "core/UDatbas.h"
#include "core/USicherSchreiben.h"
#include "csv/UCsvKodierung.h"
#include "csv/UCsvZuordnung.h"

namespace {

// Where a spreadsheet may begin a piece of text: at the start of a cell, and
// after a comma, semicolon, tab or line break inside it, since a spreadsheet
// that splits the line at another separator than the comma (a German one at the
// semicolon) starts a cell there, quotes in the middle of it read as plain text.
bool stueckAnfang(char c) { return c == ',' || c == ';' || c == '\t' || c == '\r' || c == '\n'; }

// True when a piece starting with "s" would be run as a formula or taken as a
// signed number: = + - @, also behind blanks and quotes.
bool formelAnfang(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '"')) ++i;
  return i < s.size() && (s[i] == '=' || s[i] == '+' || s[i] == '-' || s[i] == '@');
}

// A cell is quoted when it holds a separator, quote or line break, or blanks
// at its ends (which reading drops outside quotes). Every piece that would
// start a formula or a number begins with a word joiner, which reading drops;
// so does a cell that starts with a tab or CR.
void zelle(std::string_view s, std::string& z) {
  const bool quoten = s.find_first_of(",\"\r\n\t") != std::string_view::npos ||
                      (!s.empty() && (s.front() == ' ' || s.back() == ' '));
  if (quoten) z.push_back('"');
  if (!s.empty() && (formelAnfang(s) || s.front() == '\t' || s.front() == '\r')) z += CSV_WORTVERBINDER;
  std::size_t anfang = 0;  // the part from here on is not yet written
  for (std::size_t p = 0; p < s.size(); ++p) {
    const bool schutz = stueckAnfang(s[p]) && formelAnfang(s.substr(p + 1));
    if (s[p] != '"' && !schutz) continue;
    cp1252ZuUtf8(s.substr(anfang, p + 1 - anfang), z);
    if (s[p] == '"') z.push_back('"');  // a cell with a quote is always quoted
    if (schutz) z += CSV_WORTVERBINDER;
    anfang = p + 1;
  }
  cp1252ZuUtf8(s.substr(anfang), z);
  if (quoten) z.push_back('"');
}

}  // namespace

std::string csvText(const TDatBas& db) {
  std::string z = "\xEF\xBB\xBF";
  for (int f = 1; f <= FELD_ANZAHL; ++f) {
    if (f > 1) z.push_back(',');
    z += feldName(f);
  }
  z += "\r\n";
  const int n = db.get_anzahl();
  z.reserve(z.size() + static_cast<std::size_t>(n) * 160);
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    db.get_datensatz(i, d);
    for (int f = 1; f <= FELD_ANZAHL; ++f) {
      if (f > 1) z.push_back(',');
      zelle(d.feld(f).sicht(), z);
    }
    z += "\r\n";
  }
  return z;
}

void csvSchreiben(const std::string& pfad, const TDatBas& db) { dateiSicherSchreiben(pfad, csvText(db)); }
