#include "angaben/UAngaben.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct TDiscogsText {
  TZustand zustand;
  const char* text;
};

// Discogs's texts of the grades, exactly as its collection export writes them.
const TDiscogsText DISCOGS[] = {
    {TZustand::M, "Mint (M)"},
    {TZustand::NM, "Near Mint (NM or M-)"},
    {TZustand::VGplus, "Very Good Plus (VG+)"},
    {TZustand::VG, "Very Good (VG)"},
    {TZustand::Gplus, "Good Plus (G+)"},
    {TZustand::G, "Good (G)"},
    {TZustand::F, "Fair (F)"},
    {TZustand::P, "Poor (P)"},
    {TZustand::NeutraleHuelle, "Generic"},
    {TZustand::OhneHuelle, "No Cover"},
    {TZustand::NichtBewertet, "Not Graded"},
};

bool ziffern(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

int zahl(std::string_view s) {
  int n = 0;
  for (char c : s) n = n * 10 + (c - '0');
  return n;
}

bool tagGueltig(int j, int m, int t) {
  static const int TAGE[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (j < 1000 || j > 9999 || m < 1 || m > 12 || t < 1) return false;
  const bool schalt = (j % 4 == 0 && j % 100 != 0) || j % 400 == 0;
  return t <= TAGE[m - 1] + (m == 2 && schalt ? 1 : 0);
}

std::string iso(int j, int m, int t) {
  char b[16];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d", j, m, t);
  return b;
}

std::string_view ohneRand(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

const std::vector<TZustandEintrag>& zustaende() {
  static const std::vector<TZustandEintrag> liste = {
      {TZustand::M, "M", "Mint: neuwertig, ungespielt", false},
      {TZustand::NM, "NM", "Near Mint: fast wie neu, kaum Spuren", false},
      {TZustand::VGplus, "VG+", "Very Good Plus: sehr gut, leichte Gebrauchsspuren", false},
      {TZustand::VG, "VG", "Very Good: gut, deutliche Gebrauchsspuren", false},
      {TZustand::Gplus, "G+", "Good Plus: stark gespielt, noch gut hörbar", false},
      {TZustand::G, "G", "Good: stark abgenutzt, Nebengeräusche", false},
      {TZustand::F, "F", "Fair: beschädigt, kaum noch abspielbar", false},
      {TZustand::P, "P", "Poor: unbrauchbar", false},
      {TZustand::NeutraleHuelle, "Neutrale Hülle", "Neutrale Hülle statt der Originalhülle", true},
      {TZustand::OhneHuelle, "ohne Hülle", "Keine Hülle vorhanden", true},
      {TZustand::NichtBewertet, "nicht bewertet", "Der Zustand der Hülle ist nicht bewertet", true},
  };
  return liste;
}

TZustand zustandAus(std::string_view kuerzel) {
  for (const auto& e : zustaende())
    if (kuerzel == e.kuerzel) return e.zustand;
  return TZustand::Keiner;
}

std::string zustandKuerzel(TZustand z) {
  for (const auto& e : zustaende())
    if (e.zustand == z) return e.kuerzel;
  return {};
}

std::optional<TZustand> zustandAusDiscogs(std::string_view text, bool huelle) {
  text = ohneRand(text);
  for (const auto& d : DISCOGS) {
    if (text != d.text) continue;
    const bool nurHuelle = d.zustand >= TZustand::NeutraleHuelle;
    if (nurHuelle && !huelle) return std::nullopt;
    return d.zustand;
  }
  return std::nullopt;
}

bool isoDatumGueltig(std::string_view s) {
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
  const auto j = s.substr(0, 4), m = s.substr(5, 2), t = s.substr(8, 2);
  return ziffern(j) && ziffern(m) && ziffern(t) && tagGueltig(zahl(j), zahl(m), zahl(t));
}

std::optional<std::string> datumAusAnzeige(std::string_view text) {
  text = ohneRand(text);
  const auto p1 = text.find('.');
  if (p1 == std::string_view::npos) return std::nullopt;
  const auto p2 = text.find('.', p1 + 1);
  if (p2 == std::string_view::npos) return std::nullopt;
  const auto t = text.substr(0, p1), m = text.substr(p1 + 1, p2 - p1 - 1), j = text.substr(p2 + 1);
  if (!ziffern(t) || !ziffern(m) || !ziffern(j) || t.size() > 2 || m.size() > 2 || j.size() != 4)
    return std::nullopt;
  if (!tagGueltig(zahl(j), zahl(m), zahl(t))) return std::nullopt;
  return iso(zahl(j), zahl(m), zahl(t));
}

std::string datumAnzeige(std::string_view s) {
  if (!isoDatumGueltig(s)) return {};
  return std::string(s.substr(8, 2)) + "." + std::string(s.substr(5, 2)) + "." + std::string(s.substr(0, 4));
}

std::optional<std::string> datumAusDiscogs(std::string_view text) {
  text = ohneRand(text);
  if (text.size() < 10) return std::nullopt;
  const auto tag = text.substr(0, 10);
  if (!isoDatumGueltig(tag)) return std::nullopt;
  if (text.size() > 10 && text[10] != ' ' && text[10] != 'T') return std::nullopt;
  return std::string(tag);
}

std::optional<long long> preisAusAnzeige(std::string_view text) {
  text = ohneRand(text);
  const std::string_view EURO = "\xE2\x82\xAC";  // "€" in UTF-8
  if (text.substr(0, EURO.size()) == EURO) text = ohneRand(text.substr(EURO.size()));
  if (text.size() >= EURO.size() && text.substr(text.size() - EURO.size()) == EURO)
    text = ohneRand(text.substr(0, text.size() - EURO.size()));
  const auto komma = text.find(',');
  std::string_view ganz = text.substr(0, komma), bruch;
  if (komma != std::string_view::npos) bruch = text.substr(komma + 1);
  if (bruch.size() > 2 || (!bruch.empty() && !ziffern(bruch))) return std::nullopt;
  // Thousands points only in groups of three.
  std::string euro;
  std::size_t gruppe = 0;
  bool punkte = false;
  for (std::size_t i = 0; i < ganz.size(); ++i) {
    const char c = ganz[i];
    if (c == '.') {
      if (euro.empty() || (punkte && gruppe != 3)) return std::nullopt;
      if (!punkte && euro.size() > 3) return std::nullopt;
      punkte = true;
      gruppe = 0;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      euro += c;
      ++gruppe;
    } else {
      return std::nullopt;
    }
  }
  if (euro.empty() || (punkte && gruppe != 3) || euro.size() > 12) return std::nullopt;
  long long cent = 0;
  for (char c : euro) cent = cent * 10 + (c - '0');
  cent *= 100;
  if (bruch.size() >= 1) cent += (bruch[0] - '0') * 10;
  if (bruch.size() == 2) cent += bruch[1] - '0';
  return cent;
}

std::string preisAnzeige(long long cent) {
  if (cent < 0) return {};
  std::string euro = std::to_string(cent / 100);
  for (int i = static_cast<int>(euro.size()) - 3; i > 0; i -= 3) euro.insert(static_cast<std::size_t>(i), ".");
  char rest[4];
  std::snprintf(rest, sizeof rest, "%02lld", cent % 100);
  return euro + "," + rest;
}

namespace {

// Field numbers of the bytes: each field is its number, its length (4 bytes) and its text.
enum : unsigned char {
  B_TONTRAEGER = 1, B_HUELLE, B_AUFGENOMMEN, B_GEKAUFT, B_PREIS, B_BEI, B_STANDORT, B_BEWERTUNG,
  B_NOTIZEN, B_VERLIEHEN_AN, B_SEIT, B_BIS,
};

void feldDazu(std::string& b, unsigned char nr, std::string_view text) {
  if (text.empty()) return;
  b.push_back(static_cast<char>(nr));
  const auto n = static_cast<std::uint32_t>(text.size());
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((n >> (8 * i)) & 0xff));
  b.append(text);
}

}  // namespace

std::string angabenBytes(const TAngaben& a) {
  if (a.leer()) return {};
  std::string b(1, '\x01');
  feldDazu(b, B_TONTRAEGER, zustandKuerzel(a.zustandTontraeger));
  feldDazu(b, B_HUELLE, zustandKuerzel(a.zustandHuelle));
  feldDazu(b, B_AUFGENOMMEN, a.aufgenommenAm);
  feldDazu(b, B_GEKAUFT, a.gekauftAm);
  if (a.preisCent) feldDazu(b, B_PREIS, std::to_string(*a.preisCent));
  feldDazu(b, B_BEI, a.gekauftBei);
  feldDazu(b, B_STANDORT, a.standort);
  if (a.bewertung) feldDazu(b, B_BEWERTUNG, std::to_string(a.bewertung));
  feldDazu(b, B_NOTIZEN, a.notizen);
  feldDazu(b, B_VERLIEHEN_AN, a.verliehenAn);
  feldDazu(b, B_SEIT, a.verliehenSeit);
  feldDazu(b, B_BIS, a.zurueckBis);
  return b;
}

TAngaben angabenAusBytes(std::string_view b) {
  TAngaben a;
  if (b.empty() || b[0] != '\x01') return a;
  std::size_t p = 1;
  while (p + 5 <= b.size()) {
    const auto nr = static_cast<unsigned char>(b[p]);
    std::uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n |= std::uint32_t{static_cast<unsigned char>(b[p + 1 + i])} << (8 * i);
    p += 5;
    if (n > b.size() - p) break;
    const std::string text(b.substr(p, n));
    p += n;
    switch (nr) {
      case B_TONTRAEGER: a.zustandTontraeger = zustandAus(text); break;
      case B_HUELLE: a.zustandHuelle = zustandAus(text); break;
      case B_AUFGENOMMEN: a.aufgenommenAm = text; break;
      case B_GEKAUFT: a.gekauftAm = text; break;
      case B_PREIS: a.preisCent = std::strtoll(text.c_str(), nullptr, 10); break;
      case B_BEI: a.gekauftBei = text; break;
      case B_STANDORT: a.standort = text; break;
      case B_BEWERTUNG: a.bewertung = std::atoi(text.c_str()); break;
      case B_NOTIZEN: a.notizen = text; break;
      case B_VERLIEHEN_AN: a.verliehenAn = text; break;
      case B_SEIT: a.verliehenSeit = text; break;
      case B_BIS: a.zurueckBis = text; break;
      default: break;
    }
  }
  return a;
}
