// Arbitrary bytes as the text of a settings file, with a section name, a key
// and a value taken from the input as well.
//
// Checked after iniWertSetzen(text, s, k, v), as long as s and k can be
// written as they are ("[s]" and "k=" lines that read back as these names):
//   - iniWertLesen(neu, s, k) gives v as a value line holds it: line ends made
//     blanks, blanks and tabs trimmed at both ends (and a CR at the end), one
//     pair of enclosing quotes ('...' or "...") taken off, cut to 2047 characters;
//   - setting the same value again changes nothing;
//   - every other section and key named in the text (or s and k crossed with
//     them) reads as it did before.
// iniGanzzahl must read back every 32-bit integer written in decimal or in
// hexadecimal and refuse one with a stray character behind it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/UIniFile.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_inifile: %s\n", was);
    std::abort();
  }
}

std::string_view trimmen(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string gefaltet(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

bool enthaelt(std::string_view s, std::string_view zeichen) { return s.find_first_of(zeichen) != s.npos; }

// "[s]" on a line of its own reads back as section s.
bool schreibbareSektion(const std::string& s) { return !enthaelt(s, "\r\n]") && trimmen(s) == s; }

// "k=..." on a line of its own reads back as key k and is no section line.
bool schreibbarerSchluessel(const std::string& k) {
  return !k.empty() && !enthaelt(k, "\r\n=") && k.front() != '[' && trimmen(k) == k;
}

std::string gelesenerWert(const std::string& wert) {
  std::string einzeilig = wert;
  for (char& c : einzeilig)
    if (c == '\r' || c == '\n') c = ' ';
  std::string_view w = trimmen(einzeilig);
  if (w.size() >= 2 && (w.front() == '"' || w.front() == '\'') && w.back() == w.front()) w = w.substr(1, w.size() - 2);
  return std::string(w.substr(0, TIniFile::MAX_WERTLAENGE));
}

// Section names and keys as they appear in the text, a few of each.
void namenImText(const std::string& text, std::vector<std::string>& sektionen, std::vector<std::string>& schluessel) {
  constexpr std::size_t HOECHSTENS = 8;
  std::size_t pos = 0;
  while (pos < text.size() && (sektionen.size() < HOECHSTENS || schluessel.size() < HOECHSTENS)) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    const std::string_view zeile = trimmen(std::string_view(text).substr(pos, nl - pos));
    const std::size_t zu = zeile.find(']');
    if (!zeile.empty() && zeile.front() == '[' && zu != zeile.npos) {
      if (sektionen.size() < HOECHSTENS) sektionen.emplace_back(trimmen(zeile.substr(1, zu - 1)));
    } else if (const std::size_t gl = zeile.find('='); gl != zeile.npos) {
      if (schluessel.size() < HOECHSTENS) schluessel.emplace_back(trimmen(zeile.substr(0, gl)));
    }
    pos = nl + 1;
  }
}

void ganzzahlenPruefen(std::int32_t x, const std::string& beliebig) {
  const auto u = static_cast<std::uint32_t>(x);
  char hexGross[16], hexKlein[16];
  std::snprintf(hexGross, sizeof hexGross, "0x%" PRIX32, u);
  std::snprintf(hexKlein, sizeof hexKlein, "$%" PRIx32, u);
  struct Fall {
    std::string text;
    bool ok;
    long long wert;
  } const faelle[] = {
      {std::to_string(x), true, x},
      {"   " + std::to_string(x), true, x},
      {(x >= 0 ? "+" : "") + std::to_string(x), true, x},
      {hexGross, true, x},
      {hexKlein, true, x},
      {std::to_string(x) + "g", false, 0},
      {std::to_string(x) + " ", false, 0},
      {std::to_string(x >= 0 ? 2147483648LL + x : -2147483649LL + x), false, 0},
      {"0x1" + std::string(8, '0'), false, 0},
  };
  long long z = 0;
  for (const Fall& f : faelle) {
    z = 12345;
    const bool ok = iniGanzzahl(f.text, z);
    pruefe(ok == f.ok, "iniGanzzahl nimmt falsch an oder ab");
    pruefe(!ok || z == f.wert, "iniGanzzahl liest falschen Wert");
  }
  // Anything else must simply not go wrong: decimal numbers are 32 bits wide,
  // hexadecimal ones a 32-bit pattern, negative ones its negation.
  if (iniGanzzahl(beliebig, z)) pruefe(z >= -4294967295LL && z <= 2147483647LL, "iniGanzzahl ausser Bereich");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider fdp(data, size);
  const std::string sektion = fdp.ConsumeRandomLengthString(48);
  const std::string schluessel = fdp.ConsumeRandomLengthString(48);
  const std::string wert = fdp.ConsumeRandomLengthString(3000);
  const std::int32_t zahl = fdp.ConsumeIntegral<std::int32_t>();
  const std::string text = fdp.ConsumeRemainingBytesAsString();

  ganzzahlenPruefen(zahl, wert);
  const std::string neu = iniWertSetzen(text, sektion, schluessel, wert);
  const std::string nachher = iniWertLesen(neu, sektion, schluessel, "\x01standard");
  if (!schreibbareSektion(sektion) || !schreibbarerSchluessel(schluessel)) return 0;

  pruefe(nachher == gelesenerWert(wert), "gesetzter Wert liest sich anders");
  pruefe(iniWertSetzen(neu, sektion, schluessel, wert) == neu, "zweites Setzen aendert den Text");

  std::vector<std::string> sektionen{sektion, ""}, schluesselListe{schluessel};
  namenImText(text, sektionen, schluesselListe);
  const std::string s0 = gefaltet(sektion), k0 = gefaltet(schluessel);
  for (const std::string& s : sektionen) {
    for (const std::string& k : schluesselListe) {
      if (gefaltet(s) == s0 && gefaltet(k) == k0) continue;
      pruefe(iniWertLesen(text, s, k, "\x01standard") == iniWertLesen(neu, s, k, "\x01standard"),
             "anderer Schluessel hat sich geaendert");
    }
  }
  return 0;
}
