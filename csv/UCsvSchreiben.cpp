#include "csv/UCsvSchreiben.h"

#include "core/UDatbas.h"
#include "core/USicherSchreiben.h"
#include "csv/UCsvKodierung.h"
#include "csv/UCsvZuordnung.h"

namespace {

// A cell is quoted when it holds a separator, quote or line break, or blanks
// at its ends (which reading drops outside quotes). A text that a spreadsheet
// would run as a formula or turn into a number starts with a word joiner.
void zelle(std::string_view s, std::string& z) {
  const bool quoten = s.find_first_of(",\"\r\n\t") != std::string_view::npos ||
                      (!s.empty() && (s.front() == ' ' || s.back() == ' '));
  if (quoten) z.push_back('"');
  if (!s.empty() && std::string_view("=+-@\t\r").find(s.front()) != std::string_view::npos) z += CSV_WORTVERBINDER;
  if (!quoten) {
    cp1252ZuUtf8(s, z);
    return;
  }
  std::size_t anfang = 0;
  for (std::size_t p; (p = s.find('"', anfang)) != std::string_view::npos; anfang = p + 1) {
    cp1252ZuUtf8(s.substr(anfang, p + 1 - anfang), z);
    z.push_back('"');
  }
  cp1252ZuUtf8(s.substr(anfang), z);
  z.push_back('"');
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
