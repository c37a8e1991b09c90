#include "csv/UCsvLesen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "csv/UCsvKodierung.h"

namespace {

[[noreturn]] void fehler(const std::string& text) { throw ECsvFehler(text); }

std::string zahl(std::size_t n) { return std::to_string(n); }

// The separator of the header line: the most frequent of tab, semicolon and
// comma outside quotes; a header of one column is taken as comma-separated.
char trennerErkennen(std::string_view s) {
  std::size_t komma = 0, semikolon = 0, tab = 0;
  bool inAnf = false;
  for (const char c : s) {
    if (c == '"') inAnf = !inAnf;
    else if (inAnf) continue;
    else if (c == '\n' || c == '\r') break;
    else if (c == ',') ++komma;
    else if (c == ';') ++semikolon;
    else if (c == '\t') ++tab;
  }
  if (tab > semikolon && tab > komma) return '\t';
  if (semikolon > komma) return ';';
  return ',';
}

// Where the line from s[i] on ends (at CR, LF or CR LF) and where the next one begins.
std::size_t zeilenende(std::string_view s, std::size_t i, std::size_t& naechste) {
  const std::size_t e = std::min(s.find_first_of("\r\n", i), s.size());
  naechste = e + (e < s.size() ? 1 : 0) + (e + 1 < s.size() && s[e] == '\r' && s[e + 1] == '\n' ? 1 : 0);
  return e;
}

// A file that is not UTF-8 as a whole: each line that is UTF-8 stays, the others
// are read as Windows-1252 and made UTF-8; returns how many those were. When no
// line holds UTF-8 beyond ASCII, the file is Windows-1252 and stays as it is (-1).
int zeilenweiseUtf8(std::string& bytes) {
  const std::string_view s = bytes;
  auto nichtAscii = [](std::string_view z) {
    return std::any_of(z.begin(), z.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  };
  bool utf8 = false;
  for (std::size_t i = 0, naechste; i < s.size() && !utf8; i = naechste) {
    const std::string_view z = s.substr(i, zeilenende(s, i, naechste) - i);
    utf8 = nichtAscii(z) && istUtf8(z);
  }
  if (!utf8) return -1;
  std::string r;
  r.reserve(s.size() + s.size() / 8);
  int cp1252 = 0;
  for (std::size_t i = 0, naechste; i < s.size(); i = naechste) {
    zeilenende(s, i, naechste);
    const std::string_view z = s.substr(i, naechste - i);
    if (istUtf8(z)) {
      r.append(z);
    } else {
      cp1252ZuUtf8(z, r);
      ++cp1252;
    }
  }
  bytes = std::move(r);
  return cp1252;
}

std::string ohneRand(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return std::string(s);
}

// Narrows the cell [anfang, ende) to leave out the blanks at its ends that
// stand outside quotes, and a word joiner at its start: exports put one
// before a text that a spreadsheet would otherwise take as a formula.
void ohneRandZeichen(const std::string& s, std::size_t& anfang, std::size_t gequotet, std::size_t& ende, bool utf8) {
  while (ende > gequotet && s[ende - 1] == ' ') --ende;
  if (gequotet == anfang)
    while (anfang < ende && s[anfang] == ' ') ++anfang;
  if (!utf8) return;
  const std::size_t n = CSV_WORTVERBINDER.size();
  if (ende - anfang >= n && s.compare(anfang, n, CSV_WORTVERBINDER) == 0) anfang += n;
}

// Drops the word joiners an export puts where a piece of the cell begins: after
// a comma, a semicolon, or a blank that was a tab or line break. The code page
// of the entries has no such character, so no text of an entry loses one.
// "ersetzt" from "erstes" on: the blanks of this cell that stand for a line
// break or tab, moved along with their characters.
void ohneSchutzzeichen(std::string& s, std::size_t anfang, std::size_t& ende,
                       std::vector<std::pair<std::uint32_t, char>>& ersetzt, std::size_t erstes) {
  const std::string_view wj = CSV_WORTVERBINDER;
  const std::size_t fund = std::string_view(s).substr(anfang, ende - anfang).find(wj);
  if (fund == std::string_view::npos) return;
  std::size_t schreiben = anfang + fund;
  while (erstes < ersetzt.size() && ersetzt[erstes].first < schreiben) ++erstes;
  for (std::size_t lesen = schreiben; lesen < ende;) {
    if (lesen + wj.size() <= ende && s.compare(lesen, wj.size(), wj) == 0 && schreiben > anfang &&
        (s[schreiben - 1] == ',' || s[schreiben - 1] == ';' || s[schreiben - 1] == ' ')) {
      lesen += wj.size();
      continue;
    }
    if (erstes < ersetzt.size() && ersetzt[erstes].first == lesen)
      ersetzt[erstes++].first = static_cast<std::uint32_t>(schreiben);
    s[schreiben++] = s[lesen++];
  }
  ende = schreiben;
}

}  // namespace

const char* kodierungsName(TCsvKodierung k) {
  switch (k) {
    case TCsvKodierung::Utf8: return "UTF-8";
    case TCsvKodierung::Utf8Bom: return "UTF-8 mit BOM";
    case TCsvKodierung::Utf16: return "UTF-16";
    case TCsvKodierung::Cp1252: return "Windows-1252";
  }
  return "";
}

const char* trennerName(char t) {
  return t == ';' ? "Semikolon" : t == '\t' ? "Tabulator" : "Komma";
}

std::string kodierungsText(const TCsvDaten& d) {
  std::string r = kodierungsName(d.kodierung);
  if (d.cp1252Zeilen > 0)
    r += ", " + zahl(static_cast<std::size_t>(d.cp1252Zeilen)) + (d.cp1252Zeilen == 1 ? " Zeile" : " Zeilen") +
         " als Windows-1252 gelesen";
  return r;
}

void csvZellenPruefen(const TCsvDaten& d) {
  if (d.zuVieleZellen > 0)
    fehler("Zeile " + zahl(static_cast<std::size_t>(d.zuVieleZellen)) + " hat mehr Zellen als die Kopfzeile");
}

TCsvDaten csvAuswerten(std::string bytes) {
  TCsvDaten d;
  if (bytes.size() > CSV_MAX_BYTES) fehler("Die Datei ist größer als 64 MB");
  // Encoding.
  if (bytes.size() >= 2 && (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)) {
    bytes = utf16ZuUtf8(std::string_view(bytes).substr(2), bytes[0] == '\xFE');
    d.kodierung = TCsvKodierung::Utf16;
  } else {
    const bool bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (bom) bytes.erase(0, 3);
    d.kodierung = bom ? TCsvKodierung::Utf8Bom : TCsvKodierung::Utf8;
    if (!istUtf8(bytes)) {
      d.cp1252Zeilen = zeilenweiseUtf8(bytes);
      if (d.cp1252Zeilen < 0) {
        d.cp1252Zeilen = 0;
        d.kodierung = TCsvKodierung::Cp1252;
      }
    }
  }
  if (bytes.find('\0') != std::string::npos) fehler("Die Datei ist keine Textdatei (sie enthält Binärdaten)");
  // Blank lines before the header are skipped, and so is a line "sep=;" as spreadsheet programs write it.
  std::size_t kopfAnfang = 0, zeile = 1;  // line number in the file, for messages
  bool trennerVorgegeben = false;
  for (std::size_t naechste; kopfAnfang < bytes.size(); kopfAnfang = naechste, ++zeile) {
    const std::string_view z =
        std::string_view(bytes).substr(kopfAnfang, zeilenende(bytes, kopfAnfang, naechste) - kopfAnfang);
    if (z.find_first_not_of(" \t") == std::string_view::npos) continue;
    if (trennerVorgegeben || z.size() < 5 || z.substr(0, 4) != "sep=" ||
        z.find_first_not_of(" \t", 5) != std::string_view::npos || (z[4] != ',' && z[4] != ';' && z[4] != '\t'))
      break;
    d.trenner = z[4];
    trennerVorgegeben = true;
  }
  if (bytes.find_first_not_of(" \t\r\n", kopfAnfang) == std::string::npos) fehler("Die Datei ist leer");
  if (!trennerVorgegeben) d.trenner = trennerErkennen(std::string_view(bytes).substr(kopfAnfang));
  const char trenner = d.trenner;
  bool sonderAussen[256] = {}, sonderInAnf[256] = {};
  for (const unsigned char c : {'"', '\r', '\n', '\t'}) sonderAussen[c] = sonderInAnf[c] = true;
  sonderAussen[static_cast<unsigned char>(trenner)] = true;

  // Cells are unquoted in place: what is written never overtakes what is read.
  std::string& s = bytes;
  const std::size_t n = s.size();
  std::size_t lesen = kopfAnfang, schreiben = 0;
  std::vector<TCsvDaten::Zelle> satz;
  bool kopfGelesen = false;
  std::size_t datenzeilen = 0;

  while (lesen < n) {
    // One record.
    const std::size_t satzAnfang = lesen, satzZeile = zeile;
    satz.clear();
    bool satzEnde = false;
    while (!satzEnde) {
      const std::size_t anfang = schreiben;
      std::size_t gequotet = anfang;  // the cell up to here came from quotes
      const std::size_t ersetztAnfang = d.ersetzt_.size();
      bool inAnf = false;
      for (;;) {
        // Plain characters in runs; the loop below sees only the ones that mean something.
        const bool* const sonder = inAnf ? sonderInAnf : sonderAussen;
        while (lesen < n && !sonder[static_cast<unsigned char>(s[lesen])]) s[schreiben++] = s[lesen++];
        if (lesen - satzAnfang > CSV_MAX_ZEILE) {
          if (inAnf)
            fehler("Ein Anführungszeichen in Zeile " + zahl(satzZeile) +
                   " wird nicht innerhalb von 1 MB geschlossen");
          fehler("Zeile " + zahl(satzZeile) + " ist länger als 1 MB");
        }
        if (lesen >= n) {
          if (inAnf) fehler("Ein Anführungszeichen in Zeile " + zahl(satzZeile) + " wird nicht geschlossen");
          satzEnde = true;
          break;
        }
        const char c = s[lesen];
        if (inAnf) {
          if (c == '"') {
            if (lesen + 1 < n && s[lesen + 1] == '"') {
              s[schreiben++] = '"';
              lesen += 2;
            } else {
              inAnf = false;
              gequotet = schreiben;
              ++lesen;
            }
          } else if (c == '\r' || c == '\n') {
            // A line break in a cell is one blank, CR LF included.
            const bool crlf = c == '\r' && lesen + 1 < n && s[lesen + 1] == '\n';
            d.ersetzt_.emplace_back(static_cast<std::uint32_t>(schreiben), crlf ? '\0' : c);
            s[schreiben++] = ' ';
            ++zeile;
            lesen += crlf ? 2 : 1;
          } else {
            if (c == '\t') d.ersetzt_.emplace_back(static_cast<std::uint32_t>(schreiben), c);
            s[schreiben++] = c == '\t' ? ' ' : c;
            ++lesen;
          }
          continue;
        }
        if (c == trenner) {
          ++lesen;
          break;
        }
        if (c == '\r' || c == '\n') {
          ++zeile;
          lesen += (c == '\r' && lesen + 1 < n && s[lesen + 1] == '\n') ? 2 : 1;
          satzEnde = true;
          break;
        }
        if (c == '"' && schreiben == anfang) {
          inAnf = true;  // a quote opens a quoted part only at the start of a cell
          ++lesen;
          continue;
        }
        if (c == '\t') d.ersetzt_.emplace_back(static_cast<std::uint32_t>(schreiben), c);
        s[schreiben++] = c == '\t' ? ' ' : c;
        ++lesen;
      }
      std::size_t von = anfang, bis = schreiben;
      ohneRandZeichen(s, von, gequotet, bis, d.utf8());
      if (d.utf8()) ohneSchutzzeichen(s, von, bis, d.ersetzt_, ersetztAnfang);
      satz.push_back({static_cast<std::uint32_t>(von), static_cast<std::uint32_t>(bis - von)});
    }
    // An empty line is no record.
    if (satz.size() == 1 && satz[0].laenge == 0) continue;
    if (!kopfGelesen) {
      if (satz.size() > CSV_MAX_SPALTEN) fehler("Die Kopfzeile hat mehr als " + zahl(CSV_MAX_SPALTEN) + " Spalten");
      for (const auto& z : satz) {
        const std::string_view roh(s.data() + z.anfang, z.laenge);
        std::string kopf;
        if (d.utf8()) utf8ZuCp1252(roh, kopf);
        else kopf = roh;
        d.kopf.push_back(ohneRand(kopf));
      }
      kopfGelesen = true;
      continue;
    }
    if (++datenzeilen > CSV_MAX_ZEILEN) fehler("Die Datei hat mehr als " + zahl(CSV_MAX_ZEILEN) + " Zeilen");
    if (satz.size() > d.kopf.size() && d.zuVieleZellen == 0 &&
        std::any_of(satz.begin() + static_cast<std::ptrdiff_t>(d.kopf.size()), satz.end(), [&](const auto& z) {
          return std::string_view(s.data() + z.anfang, z.laenge).find_first_not_of(' ') != std::string_view::npos;
        })) {
      // Empty cells beyond the header are trailing separators; a filled one is a separator outside quotes.
      d.zuVieleZellen = static_cast<int>(satzZeile);
      for (std::size_t k = 0; k < satz.size(); ++k) {
        if (k > 0) d.zuVieleZellenText.push_back(trenner);
        d.zuVieleZellenText.append(s, satz[k].anfang, satz[k].laenge);
      }
    }
    satz.resize(d.kopf.size(), TCsvDaten::Zelle{0, 0});
    d.zellen_.insert(d.zellen_.end(), satz.begin(), satz.end());
  }
  s.resize(schreiben);
  d.text_ = std::move(s);
  return d;
}

std::string TCsvDaten::zelleGanz(int zeile, int spalte) const {
  const Zelle& z = zellen_[static_cast<std::size_t>(zeile) * kopf.size() + static_cast<std::size_t>(spalte)];
  const std::size_t ende = z.anfang + z.laenge;
  auto e = std::lower_bound(ersetzt_.begin(), ersetzt_.end(), z.anfang,
                            [](const auto& x, std::uint32_t p) { return x.first < p; });
  std::string r;
  std::size_t von = z.anfang;
  for (; e != ersetzt_.end() && e->first < ende; ++e) {
    r.append(text_, von, e->first - von);
    if (e->second == '\0') r += "\r\n";
    else r.push_back(e->second);
    von = e->first + 1;
  }
  r.append(text_, von, ende - von);
  return r;
}

TCsvDaten csvLesen(const std::string& pfad) {
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw eaFehlerAusErrno(errno);
  std::string bytes;
  try {
    struct stat st;
    if (::fstat(fd, &st) != 0) throw eaFehlerAusErrno(errno);
    if (S_ISDIR(st.st_mode)) throw eaFehler(EA_ZUGRIFF_VERWEIGERT);
    if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > CSV_MAX_BYTES)
      fehler("Die Datei ist größer als 64 MB");
    char puffer[1 << 16];
    for (;;) {
      const ssize_t r = ::read(fd, puffer, sizeof puffer);
      if (r < 0) {
        if (errno == EINTR) continue;
        throw eaFehlerAusErrno(errno);
      }
      if (r == 0) break;
      bytes.append(puffer, static_cast<std::size_t>(r));
      // Also a pipe or device that never ends is read no further than the bound.
      if (bytes.size() > CSV_MAX_BYTES) fehler("Die Datei ist größer als 64 MB");
    }
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  return csvAuswerten(std::move(bytes));
}
