#include "app/UIniFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string_view>

#include "core/UFehler.h"
#include "core/USicherSchreiben.h"

namespace {

bool gleichOhneGross(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto k = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    if (k(static_cast<unsigned char>(a[i])) != k(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::string_view trimmen(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// One line of the file, without its line end.
struct Zeile {
  std::size_t anfang;  // offset of the line in the text
  std::size_t ende;    // offset behind the line's content (before CR LF / LF)
  std::size_t naechste;  // offset of the next line
};

// A file saved by an editor as UTF-8 may begin with a byte-order mark; it
// belongs to no line (else the first section would go unseen).
constexpr std::string_view BOM = "\xEF\xBB\xBF";

std::size_t textAnfang(const std::string& text) { return text.starts_with(BOM) ? BOM.size() : 0; }

template <typename F>
void zeilenDurchgehen(const std::string& text, F f) {
  std::size_t pos = textAnfang(text);
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    const std::size_t naechste = nl == std::string::npos ? text.size() : nl + 1;
    std::size_t ende = nl == std::string::npos ? text.size() : nl;
    if (ende > pos && text[ende - 1] == '\r') --ende;
    if (!f(Zeile{pos, ende, naechste})) return;
    pos = naechste;
  }
}

// Section name of a "[name]" line, or false.
bool sektionsName(std::string_view zeile, std::string_view& name) {
  zeile = trimmen(zeile);
  if (zeile.size() < 2 || zeile.front() != '[') return false;
  const std::size_t zu = zeile.find(']');
  if (zu == std::string_view::npos) return false;
  name = trimmen(zeile.substr(1, zu - 1));
  return true;
}

// Key and value of a "key=value" line, or false.
bool schluesselWert(std::string_view zeile, std::string_view& schluessel, std::string_view& wert) {
  const std::size_t gl = zeile.find('=');
  if (gl == std::string_view::npos) return false;
  schluessel = trimmen(zeile.substr(0, gl));
  wert = trimmen(zeile.substr(gl + 1));
  return !schluessel.empty();
}

// The whole file; what could be read of it when reading stops early, nothing when it cannot be opened.
std::string dateiLesen(const std::string& pfad) {
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string inhalt;
  char puffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, puffer, sizeof puffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    inhalt.append(puffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return inhalt;
}

// A value must stay on its line.
std::string einzeilig(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c == '\r' || c == '\n') c = ' ';
  return r;
}

}  // namespace

std::string iniWertLesen(const std::string& inhalt, const std::string& sektion, const std::string& schluessel,
                         const std::string& standard) {
  bool inSektion = false;
  std::string ergebnis = standard;
  zeilenDurchgehen(inhalt, [&](const Zeile& z) {
    std::string_view zeile(inhalt.data() + z.anfang, z.ende - z.anfang);
    std::string_view name, k, w;
    if (sektionsName(zeile, name)) {
      inSektion = gleichOhneGross(name, sektion);
    } else if (inSektion && schluesselWert(zeile, k, w) && gleichOhneGross(k, schluessel)) {
      if (w.size() >= 2 && ((w.front() == '"' && w.back() == '"') || (w.front() == '\'' && w.back() == '\'')))
        w = w.substr(1, w.size() - 2);
      ergebnis.assign(w.substr(0, TIniFile::MAX_WERTLAENGE));
      return false;
    }
    return true;
  });
  return ergebnis;
}

std::string iniWertSetzen(const std::string& inhalt, const std::string& sektion, const std::string& schluessel,
                          const std::string& wert) {
  // New lines follow the file's own line ends; a new file gets CR LF.
  const std::size_t erstesNl = inhalt.find('\n');
  const std::string nl = (erstesNl != std::string::npos && (erstesNl == 0 || inhalt[erstesNl - 1] != '\r'))
                             ? "\n" : "\r\n";
  const std::string neueZeile = schluessel + "=" + einzeilig(wert);

  bool inSektion = false;
  bool sektionGefunden = false;
  std::size_t einfuegen = std::string::npos;  // behind the last key line of the section
  std::size_t ersetzenAnfang = std::string::npos, ersetzenEnde = 0;
  std::string vorhandenerName;
  zeilenDurchgehen(inhalt, [&](const Zeile& z) {
    std::string_view zeile(inhalt.data() + z.anfang, z.ende - z.anfang);
    std::string_view name, k, w;
    if (sektionsName(zeile, name)) {
      if (sektionGefunden && inSektion) return false;  // the first matching section ends here
      inSektion = gleichOhneGross(name, sektion);
      if (inSektion) {
        sektionGefunden = true;
        einfuegen = z.naechste;
      }
    } else if (inSektion) {
      if (schluesselWert(zeile, k, w) && gleichOhneGross(k, schluessel)) {
        vorhandenerName.assign(k);  // the key keeps the spelling it has in the file
        ersetzenAnfang = z.anfang;
        ersetzenEnde = z.ende;
        return false;
      }
      if (!trimmen(zeile).empty()) einfuegen = z.naechste;
    }
    return true;
  });

  if (ersetzenAnfang != std::string::npos)
    return inhalt.substr(0, ersetzenAnfang) + vorhandenerName + "=" + einzeilig(wert) + inhalt.substr(ersetzenEnde);

  std::string ergebnis = inhalt;
  auto zeilenende = [&](std::string& s, std::size_t pos) {
    // The text before "pos" must end in a line end before anything is put there.
    if (pos > textAnfang(s) && s[pos - 1] != '\n') {
      s.insert(pos, nl);
      return pos + nl.size();
    }
    return pos;
  };
  if (sektionGefunden) {
    const std::size_t pos = zeilenende(ergebnis, einfuegen);
    ergebnis.insert(pos, neueZeile + nl);
    return ergebnis;
  }
  std::size_t pos = zeilenende(ergebnis, ergebnis.size());
  ergebnis.insert(pos, "[" + sektion + "]" + nl + neueZeile + nl);
  return ergebnis;
}

bool iniGanzzahl(const std::string& text, long long& zahl) {
  std::string_view s = text;
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  bool negativ = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negativ = s.front() == '-';
    s.remove_prefix(1);
  }
  int basis = 10;
  if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    basis = 16;
    s.remove_prefix(2);
  } else if (!s.empty() && s.front() == '$') {
    basis = 16;
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  unsigned long long wert = 0;
  for (char c : s) {
    int ziffer;
    if (c >= '0' && c <= '9') ziffer = c - '0';
    else if (basis == 16 && c >= 'a' && c <= 'f') ziffer = c - 'a' + 10;
    else if (basis == 16 && c >= 'A' && c <= 'F') ziffer = c - 'A' + 10;
    else return false;
    wert = wert * static_cast<unsigned>(basis) + static_cast<unsigned>(ziffer);
    // Decimal integers are 32 bits wide; hexadecimal ones may use all 32 bits.
    if (wert > (basis == 16 ? 0xFFFFFFFFull : (negativ ? 2147483648ull : 2147483647ull))) return false;
  }
  if (basis == 16 && !negativ) {
    zahl = static_cast<long long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(wert)));
  } else {
    zahl = negativ ? -static_cast<long long>(wert) : static_cast<long long>(wert);
  }
  return true;
}

std::string TIniFile::ReadString(const std::string& sektion, const std::string& schluessel,
                                 const std::string& standard) const {
  return iniWertLesen(dateiLesen(pfad_), sektion, schluessel, standard);
}

namespace {

// Holds an exclusive lock on the folder of the settings file while it lives, so
// that running copies of the program change the file one after the other and
// none of them writes over a key another one has just stored.
class OrdnerSperre {
 public:
  explicit OrdnerSperre(const std::string& ordner) {
    fd_ = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;  // no folder to lock: the write that follows fails by itself
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~OrdnerSperre() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  OrdnerSperre(const OrdnerSperre&) = delete;
  OrdnerSperre& operator=(const OrdnerSperre&) = delete;

 private:
  int fd_ = -1;
};

// The whole file; false when it exists but cannot be read. A missing file is empty.
bool dateiLesenStreng(const std::string& pfad, std::string& inhalt) {
  inhalt.clear();
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  char puffer[8192];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, puffer, sizeof puffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    inhalt.append(puffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ok;
}

}  // namespace

void TIniFile::WriteString(const std::string& sektion, const std::string& schluessel, const std::string& wert) {
  const EVemlaFehler verweigert("nach " + pfad_ + " kann nicht geschrieben werden");
  // A link to the settings file stays a link: the file it points to is changed.
  const std::string ziel = schreibZiel(pfad_);
  OrdnerSperre sperre(ordnerVon(ziel));
  std::string alt;
  // A file that is there but cannot be read is never replaced: its keys would be lost.
  if (!dateiLesenStreng(ziel, alt)) throw verweigert;
  try {
    dateiSicherSchreiben(ziel, iniWertSetzen(alt, sektion, schluessel, wert));
  } catch (const EEAFehler&) {
    throw verweigert;
  }
}

bool TIniFile::ReadBool(const std::string& sektion, const std::string& schluessel, bool standard) const {
  long long zahl;
  const std::string text = ReadString(sektion, schluessel, "");
  if (!iniGanzzahl(text, zahl)) return standard;
  return zahl != 0;
}

void TIniFile::WriteBool(const std::string& sektion, const std::string& schluessel, bool wert) {
  WriteString(sektion, schluessel, wert ? "1" : "0");
}

TIniFile* IniFile = nullptr;
