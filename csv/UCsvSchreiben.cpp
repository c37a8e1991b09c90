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
// "utf8": "s" is UTF-8 already (the details), else Windows-1252.
void zelle(std::string_view s, std::string& z, bool utf8 = false) {
  const auto dazu = [&](std::string_view t) {
    if (utf8) z.append(t);
    else cp1252ZuUtf8(t, z);
  };
  const bool quoten = s.find_first_of(",\"\r\n\t") != std::string_view::npos ||
                      (!s.empty() && (s.front() == ' ' || s.back() == ' '));
  if (quoten) z.push_back('"');
  if (!s.empty() && (formelAnfang(s) || s.front() == '\t' || s.front() == '\r')) z += CSV_WORTVERBINDER;
  std::size_t anfang = 0;  // the part from here on is not yet written
  for (std::size_t p = 0; p < s.size(); ++p) {
    const bool schutz = stueckAnfang(s[p]) && formelAnfang(s.substr(p + 1));
    if (s[p] != '"' && !schutz) continue;
    dazu(s.substr(anfang, p + 1 - anfang));
    if (s[p] == '"') z.push_back('"');  // a cell with a quote is always quoted
    if (schutz) z += CSV_WORTVERBINDER;
    anfang = p + 1;
  }
  dazu(s.substr(anfang));
  if (quoten) z.push_back('"');
}

// The details' cells of one entry, in the order of the header: dates as
// TT.MM.JJJJ, the price as "12,50", the rating as its number of stars.
void angabenZellen(const TAngaben& a, std::string& z) {
  const std::string datum[] = {datumAnzeige(a.aufgenommenAm), datumAnzeige(a.gekauftAm),
                               datumAnzeige(a.verliehenSeit), datumAnzeige(a.zurueckBis)};
  const std::string werte[ANGABEN_SPALTEN] = {
      zustandKuerzel(a.zustandTontraeger), zustandKuerzel(a.zustandHuelle), datum[0], datum[1],
      a.preisCent ? preisAnzeige(*a.preisCent) : std::string(), a.gekauftBei, a.standort,
      a.bewertung > 0 ? std::to_string(a.bewertung) : std::string(), a.notizen, a.verliehenAn, datum[2], datum[3]};
  for (const std::string& w : werte) {
    z.push_back(',');
    zelle(w, z, true);
  }
}

}  // namespace

std::string csvText(const TDatBas& db) {
  const int n = db.get_anzahl();
  // The details' columns only when an entry has details: without, the file is what it always was.
  std::vector<TAngaben> angaben;
  for (int i = 1; i <= n; ++i) {
    const std::string b = db.get_beilage(i);
    if (!b.empty() && !angabenAusBytes(b).leer()) {
      angaben.resize(static_cast<std::size_t>(n));
      for (int k = 1; k <= n; ++k) angaben[static_cast<std::size_t>(k - 1)] = angabenAusBytes(db.get_beilage(k));
      break;
    }
  }
  std::string z = "\xEF\xBB\xBF";
  for (int f = 1; f <= FELD_ANZAHL; ++f) {
    if (f > 1) z.push_back(',');
    z += feldName(f);
  }
  for (int a = 0; a < ANGABEN_SPALTEN && !angaben.empty(); ++a) {
    z.push_back(',');
    cp1252ZuUtf8(angabenSpaltenName(a), z);
  }
  z += "\r\n";
  z.reserve(z.size() + static_cast<std::size_t>(n) * 160);
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    db.get_datensatz(i, d);
    for (int f = 1; f <= FELD_ANZAHL; ++f) {
      if (f > 1) z.push_back(',');
      zelle(d.feld(f).sicht(), z);
    }
    if (!angaben.empty()) angabenZellen(angaben[static_cast<std::size_t>(i - 1)], z);
    z += "\r\n";
  }
  return z;
}

void csvSchreiben(const std::string& pfad, const TDatBas& db) { dateiSicherSchreiben(pfad, csvText(db)); }
