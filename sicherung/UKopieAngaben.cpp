#include "sicherung/UKopieAngaben.h"

#include <charconv>

#include "core/UDatbas.h"

namespace {

constexpr std::string_view KOPF = "Vemla-Sicherungskopie 1\n";
constexpr std::string_view KOPF_EIN_STUECK = "Vemla-Sicherungskopie 2\n";
constexpr std::string_view KOPF_BEILAGEN = "Vemla-Sicherungskopie 3\n";
constexpr std::string_view DATEI = "datei=";
constexpr std::string_view ZEIT = "zeit=";
constexpr std::string_view ORIGINAL = "original=";
constexpr std::string_view SAETZE = "saetze=";
constexpr std::string_view BEILAGEN = "beilagen=";
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

std::string laengeUndSumme(std::string_view daten) {
  return std::to_string(daten.size()) + " " + summeText(pruefsumme(daten)) + "\n";
}

// "laenge summe" as named in a line, and that it matches "daten".
bool passt(std::string_view zeile, std::string_view daten) {
  std::size_t laenge = 0;
  std::uint64_t summe = 0;
  return zahl(zeile, laenge) && zahl(zeile, summe, 16) && zeile.empty() && laenge == daten.size() &&
         summe == pruefsumme(daten);
}

// Each entry's details: four bytes of length (least significant first), then the bytes.
std::optional<std::vector<std::string_view>> beilagenTeilen(std::string_view daten, std::size_t anzahl) {
  std::vector<std::string_view> teile;
  teile.reserve(anzahl);
  while (!daten.empty()) {
    if (daten.size() < 4 || teile.size() == anzahl) return std::nullopt;
    std::size_t laenge = 0;
    for (int i = 3; i >= 0; --i) laenge = laenge * 256 + static_cast<unsigned char>(daten[static_cast<std::size_t>(i)]);
    daten.remove_prefix(4);
    if (laenge > daten.size()) return std::nullopt;
    teile.push_back(daten.substr(0, laenge));
    daten.remove_prefix(laenge);
  }
  if (teile.size() != anzahl) return std::nullopt;
  return teile;
}

}  // namespace

std::string kopieBeilagen(const TDatBas& db) {
  std::string daten;
  for (int i = 1; i <= db.get_anzahl(); ++i) {
    const std::string b = db.get_beilage(i);
    for (int k = 0; k < 4; ++k) daten += static_cast<char>((b.size() >> (8 * k)) & 0xff);
    daten += b;
  }
  return daten;
}

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

std::string kopieKopf(const TKopieAngaben& a, std::string_view saetze, std::optional<std::string_view> beilagen) {
  std::string text = std::string(beilagen ? KOPF_BEILAGEN : KOPF_EIN_STUECK) + kopfZeilen(a) + std::string(ORIGINAL);
  if (const auto& o = a.original)
    text += std::to_string(o->geraet) + " " + std::to_string(o->knoten) + " " + std::to_string(o->groesse) + " " +
            std::to_string(o->geaendertNs) + " " + summeText(o->pruefsumme);
  text += "\n";
  text += std::string(SAETZE) + laengeUndSumme(saetze);
  if (beilagen) text += std::string(BEILAGEN) + laengeUndSumme(*beilagen);
  return text;
}

std::optional<TKopie> kopieLesen(std::string_view inhalt) {
  // The text is looked for in its first bytes only, never in the records.
  const std::string_view kopfbereich = inhalt.substr(0, KOPIE_ANGABEN_HOECHSTENS);
  std::string_view rest = kopfbereich;
  const bool mitBeilagen = rest.substr(0, KOPF_BEILAGEN.size()) == KOPF_BEILAGEN;
  if (!mitBeilagen && rest.substr(0, KOPF_EIN_STUECK.size()) != KOPF_EIN_STUECK) return std::nullopt;
  rest.remove_prefix(KOPF_EIN_STUECK.size());
  const auto datei = zeile(rest, DATEI);
  const auto zeit = zeile(rest, ZEIT);
  const auto original = zeile(rest, ORIGINAL);
  const auto saetze = zeile(rest, SAETZE);
  const auto beilagen = mitBeilagen ? zeile(rest, BEILAGEN) : std::optional<std::string_view>("");
  if (!datei || !zeit || !original || !saetze || !beilagen) return std::nullopt;
  const std::size_t kopfLaenge = kopfbereich.size() - rest.size();
  auto pfad = ausHex(*datei);
  const auto sekunden = zeitLesen(*zeit);
  if (!pfad || !sekunden) return std::nullopt;
  TKopie k{{std::move(*pfad), *sekunden}, inhalt.substr(kopfLaenge), std::nullopt, {}};
  if (!original->empty() && !(k.angaben.original = originalLesen(*original))) return std::nullopt;
  // The records' length comes first: the details follow them.
  std::string_view s = *saetze;
  std::size_t laenge = 0;
  if (!zahl(s, laenge) || laenge > k.saetze.size()) return std::nullopt;
  if (mitBeilagen) {
    k.beilagenDaten = k.saetze.substr(laenge);
    k.saetze = k.saetze.substr(0, laenge);
    if (k.beilagenDaten->size() > KOPIE_BEILAGEN_HOECHSTENS || !passt(*beilagen, *k.beilagenDaten)) return std::nullopt;
  }
  if (!passt(*saetze, k.saetze) || laenge % DATENSATZ_GROESSE != 0 ||
      laenge > static_cast<std::size_t>(MAX_DATENSAETZE) * DATENSATZ_GROESSE)
    return std::nullopt;
  if (mitBeilagen) {
    auto teile = beilagenTeilen(*k.beilagenDaten, laenge / DATENSATZ_GROESSE);
    if (!teile) return std::nullopt;
    k.beilagen = std::move(*teile);
  }
  return k;
}
