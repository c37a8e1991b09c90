#include "csv/UCsvLesen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  const std::size_t n = CSV_WORTVERBINDER.size();
  if (utf8 && ende - anfang >= n && s.compare(anfang, n, CSV_WORTVERBINDER) == 0) anfang += n;
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

TCsvDaten csvAuswerten(std::string bytes) {
  TCsvDaten d;
  if (bytes.size() > CSV_MAX_BYTES) fehler("Die Datei ist größer als 64 MB");
  // Encoding.
  if (bytes.size() >= 2 && (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)) {
    bytes = utf16ZuUtf8(std::string_view(bytes).substr(2), bytes[0] == '\xFE');
    d.kodierung = TCsvKodierung::Utf16;
  } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    bytes.erase(0, 3);
    d.kodierung = istUtf8(bytes) ? TCsvKodierung::Utf8Bom : TCsvKodierung::Cp1252;
  } else {
    d.kodierung = istUtf8(bytes) ? TCsvKodierung::Utf8 : TCsvKodierung::Cp1252;
  }
  if (bytes.find('\0') != std::string::npos) fehler("Die Datei ist keine Textdatei (sie enthält Binärdaten)");
  if (bytes.find_first_not_of(" \t\r\n") == std::string::npos) fehler("Die Datei ist leer");
  d.trenner = trennerErkennen(bytes);
  const char trenner = d.trenner;
  bool sonderAussen[256] = {}, sonderInAnf[256] = {};
  for (const unsigned char c : {'"', '\r', '\n', '\t'}) sonderAussen[c] = sonderInAnf[c] = true;
  sonderAussen[static_cast<unsigned char>(trenner)] = true;

  // Cells are unquoted in place: what is written never overtakes what is read.
  std::string& s = bytes;
  const std::size_t n = s.size();
  std::size_t lesen = 0, schreiben = 0;
  std::size_t zeile = 1;  // line number in the file, for messages
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
            s[schreiben++] = ' ';
            ++zeile;
            lesen += (c == '\r' && lesen + 1 < n && s[lesen + 1] == '\n') ? 2 : 1;
          } else {
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
        s[schreiben++] = c == '\t' ? ' ' : c;
        ++lesen;
      }
      std::size_t von = anfang, bis = schreiben;
      ohneRandZeichen(s, von, gequotet, bis, d.utf8());
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
    satz.resize(d.kopf.size(), TCsvDaten::Zelle{0, 0});
    d.zellen_.insert(d.zellen_.end(), satz.begin(), satz.end());
  }
  s.resize(schreiben);
  d.text_ = std::move(s);
  return d;
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
