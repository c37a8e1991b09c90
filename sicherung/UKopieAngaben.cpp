#include "sicherung/UKopieAngaben.h"

namespace {

constexpr std::string_view KOPF = "Vemla-Sicherungskopie 1\n";
constexpr std::string_view DATEI = "datei=";
constexpr std::string_view ZEIT = "zeit=";
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

}  // namespace

std::string kopieAngabenText(const TKopieAngaben& a) {
  // The path in hexadecimal: a file name may hold any byte, a line break included.
  std::string text(KOPF);
  text += DATEI;
  for (const unsigned char c : a.datei) {
    text += ZIFFERN[c >> 4];
    text += ZIFFERN[c & 15];
  }
  text += "\n";
  text += ZEIT;
  text += std::to_string(a.zeit < 0 ? 0 : a.zeit);
  text += "\n";
  return text;
}

std::optional<TKopieAngaben> kopieAngabenLesen(std::string_view text) {
  if (text.size() > KOPIE_ANGABEN_HOECHSTENS || text.substr(0, KOPF.size()) != KOPF) return std::nullopt;
  text.remove_prefix(KOPF.size());
  const auto datei = zeile(text, DATEI);
  const auto zeit = zeile(text, ZEIT);
  if (!datei || !zeit || !text.empty() || datei->size() % 2 != 0) return std::nullopt;
  TKopieAngaben a;
  for (std::size_t i = 0; i < datei->size(); i += 2) {
    const int hoch = hexWert((*datei)[i]), tief = hexWert((*datei)[i + 1]);
    if (hoch < 0 || tief < 0) return std::nullopt;
    a.datei += static_cast<char>(hoch * 16 + tief);
  }
  // At most 18 digits: no overflow, and every time to come fits.
  if (zeit->empty() || zeit->size() > 18) return std::nullopt;
  for (const char c : *zeit) {
    if (c < '0' || c > '9') return std::nullopt;
    a.zeit = a.zeit * 10 + (c - '0');
  }
  return a;
}
