#include "sicherung/UKopieAngaben.h"

#include <charconv>

#include "core/UDatbas.h"

namespace {

constexpr std::string_view KOPF = "Vemla-Sicherungskopie 1\n";
constexpr std::string_view KOPF_EIN_STUECK = "Vemla-Sicherungskopie 2\n";
constexpr std::string_view DATEI = "datei=";
constexpr std::string_view ZEIT = "zeit=";
constexpr std::string_view ORIGINAL = "original=";
constexpr std::string_view SAETZE = "saetze=";
constexpr char ZIFFERN[] = "0123456789abcdef";

int hexWert(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The next line of "rest" without its line end, when it starts with "schluessel"; "rest" then follows it.
std::optional<std::string_view> zeile(std::string_view& rest, std::string_view schluessel) {
  const std::size_t ende = rest.find('\n');
  if (ende == std::string_view::npos || rest.substr(0, schluessel.size()) != schluessel) return std::nullopt;
  const std::string_view wert = rest.substr(schluessel.size(), ende - schluessel.size());
  rest.remove_prefix(ende + 1);
  return wert;
}

// The path in hexadecimal: a file name may hold any byte, a line break included.
std::string hex(std::string_view bytes) {
  std::string text;
  for (const unsigned char c : bytes) {
    text += ZIFFERN[c >> 4];
    text += ZIFFERN[c & 15];
  }
  return text;
}

std::optional<std::string> ausHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int hoch = hexWert(text[i]), tief = hexWert(text[i + 1]);
    if (hoch < 0 || tief < 0) return std::nullopt;
    bytes += static_cast<char>(hoch * 16 + tief);
  }
  return bytes;
}

// The time: at most 18 digits, so no overflow, and every time to come fits.
std::optional<long long> zeitLesen(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  long long zeit = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    zeit = zeit * 10 + (c - '0');
  }
  return zeit;
}

std::string kopfZeilen(const TKopieAngaben& a) {
  return std::string(DATEI) + hex(a.datei) + "\n" + std::string(ZEIT) + std::to_string(a.zeit < 0 ? 0 : a.zeit) + "\n";
}

std::string summeText(std::uint64_t summe) {
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, summe >>= 4) text[static_cast<std::size_t>(i)] = ZIFFERN[summe & 15];
  return text;
}

// The next number of "text", separated from what follows by one blank; "text" then follows it.
template <typename Zahl>
bool zahl(std::string_view& text, Zahl& wert, int basis = 10) {
  const std::size_t ende = text.find(' ');
  const std::string_view teil = text.substr(0, ende);
  // Exactly 16 digits for a checksum; no sign but a leading minus for a time of change.
  if (teil.empty() || (basis == 16 && teil.size() != 16)) return false;
  const auto [p, fehler] = std::from_chars(teil.data(), teil.data() + teil.size(), wert, basis);
  if (fehler != std::errc() || p != teil.data() + teil.size()) return false;
  if (basis == 16)
    for (const char c : teil)
      if (hexWert(c) < 0) return false;
  text.remove_prefix(ende == std::string_view::npos ? text.size() : ende + 1);
  return true;
}

std::optional<TDateiKennung> originalLesen(std::string_view text) {
  TDateiKennung k;
  if (!zahl(text, k.geraet) || !zahl(text, k.knoten) || !zahl(text, k.groesse) || !zahl(text, k.geaendertNs) ||
      !zahl(text, k.pruefsumme, 16) || !text.empty())
    return std::nullopt;
  return k;
}

std::uint64_t pruefsumme(std::string_view daten) {
  TPruefsumme p;
  p.dazu(daten.data(), daten.size());
  return p.wert();
}

}  // namespace

std::string kopieAngabenText(const TKopieAngaben& a) { return std::string(KOPF) + kopfZeilen(a); }

std::optional<TKopieAngaben> kopieAngabenLesen(std::string_view text) {
  if (text.size() > KOPIE_ANGABEN_HOECHSTENS || text.substr(0, KOPF.size()) != KOPF) return std::nullopt;
  text.remove_prefix(KOPF.size());
  const auto datei = zeile(text, DATEI);
  const auto zeit = zeile(text, ZEIT);
  if (!datei || !zeit || !text.empty()) return std::nullopt;
  auto pfad = ausHex(*datei);
  const auto sekunden = zeitLesen(*zeit);
  if (!pfad || !sekunden) return std::nullopt;
  return TKopieAngaben{std::move(*pfad), *sekunden};
}

std::string kopieKopf(const TKopieAngaben& a, std::string_view saetze) {
  std::string text = std::string(KOPF_EIN_STUECK) + kopfZeilen(a) + std::string(ORIGINAL);
  if (const auto& o = a.original)
    text += std::to_string(o->geraet) + " " + std::to_string(o->knoten) + " " + std::to_string(o->groesse) + " " +
            std::to_string(o->geaendertNs) + " " + summeText(o->pruefsumme);
  text += "\n";
  text += std::string(SAETZE) + std::to_string(saetze.size()) + " " + summeText(pruefsumme(saetze)) + "\n";
  return text;
}

std::optional<TKopie> kopieLesen(std::string_view inhalt) {
  // The text is looked for in its first bytes only, never in the records.
  const std::string_view kopfbereich = inhalt.substr(0, KOPIE_ANGABEN_HOECHSTENS);
  std::string_view rest = kopfbereich;
  if (rest.substr(0, KOPF_EIN_STUECK.size()) != KOPF_EIN_STUECK) return std::nullopt;
  rest.remove_prefix(KOPF_EIN_STUECK.size());
  const auto datei = zeile(rest, DATEI);
  const auto zeit = zeile(rest, ZEIT);
  const auto original = zeile(rest, ORIGINAL);
  auto saetze = zeile(rest, SAETZE);
  if (!datei || !zeit || !original || !saetze) return std::nullopt;
  const std::size_t kopfLaenge = kopfbereich.size() - rest.size();
  auto pfad = ausHex(*datei);
  const auto sekunden = zeitLesen(*zeit);
  if (!pfad || !sekunden) return std::nullopt;
  TKopie k{{std::move(*pfad), *sekunden}, inhalt.substr(kopfLaenge)};
  if (!original->empty() && !(k.angaben.original = originalLesen(*original))) return std::nullopt;
  std::size_t laenge = 0;
  std::uint64_t summe = 0;
  if (!zahl(*saetze, laenge) || !zahl(*saetze, summe, 16) || !saetze->empty())
    return std::nullopt;
  if (laenge != k.saetze.size() || laenge % DATENSATZ_GROESSE != 0 ||
      laenge > static_cast<std::size_t>(MAX_DATENSAETZE) * DATENSATZ_GROESSE || summe != pruefsumme(k.saetze))
    return std::nullopt;
  return k;
}
