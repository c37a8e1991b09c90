#include "csv/UCsvKodierung.h"

#include <algorithm>
#include <cstdint>

#include "core/UZeichenersatz.h"

namespace {

// Accented letters of the code page as base letter + combining mark.
struct Zusammensetzung {
  char basis;
  char16_t zeichen;
  unsigned char ergebnis;
};
constexpr Zusammensetzung ZUSAMMEN[] = {
    {'A', 0x300, 0xC0}, {'A', 0x301, 0xC1}, {'A', 0x302, 0xC2}, {'A', 0x303, 0xC3}, {'A', 0x308, 0xC4},
    {'A', 0x30A, 0xC5}, {'C', 0x327, 0xC7}, {'E', 0x300, 0xC8}, {'E', 0x301, 0xC9}, {'E', 0x302, 0xCA},
    {'E', 0x308, 0xCB}, {'I', 0x300, 0xCC}, {'I', 0x301, 0xCD}, {'I', 0x302, 0xCE}, {'I', 0x308, 0xCF},
    {'N', 0x303, 0xD1}, {'O', 0x300, 0xD2}, {'O', 0x301, 0xD3}, {'O', 0x302, 0xD4}, {'O', 0x303, 0xD5},
    {'O', 0x308, 0xD6}, {'U', 0x300, 0xD9}, {'U', 0x301, 0xDA}, {'U', 0x302, 0xDB}, {'U', 0x308, 0xDC},
    {'Y', 0x301, 0xDD}, {'a', 0x300, 0xE0}, {'a', 0x301, 0xE1}, {'a', 0x302, 0xE2}, {'a', 0x303, 0xE3},
    {'a', 0x308, 0xE4}, {'a', 0x30A, 0xE5}, {'c', 0x327, 0xE7}, {'e', 0x300, 0xE8}, {'e', 0x301, 0xE9},
    {'e', 0x302, 0xEA}, {'e', 0x308, 0xEB}, {'i', 0x300, 0xEC}, {'i', 0x301, 0xED}, {'i', 0x302, 0xEE},
    {'i', 0x308, 0xEF}, {'n', 0x303, 0xF1}, {'o', 0x300, 0xF2}, {'o', 0x301, 0xF3}, {'o', 0x302, 0xF4},
    {'o', 0x303, 0xF5}, {'o', 0x308, 0xF6}, {'u', 0x300, 0xF9}, {'u', 0x301, 0xFA}, {'u', 0x302, 0xFB},
    {'u', 0x308, 0xFC}, {'y', 0x301, 0xFD}, {'y', 0x308, 0xFF}, {'S', 0x30C, 0x8A}, {'s', 0x30C, 0x9A},
    {'Z', 0x30C, 0x8E}, {'z', 0x30C, 0x9E}, {'Y', 0x308, 0x9F},
    // The double acute of Hungarian: the umlaut is the nearest letter.
    {'O', 0x30B, 0xD6}, {'o', 0x30B, 0xF6}, {'U', 0x30B, 0xDC}, {'u', 0x30B, 0xFC}};

// The combining marks: of U+0300..U+036F and the supplements and extensions of them.
bool istKombinierend(char32_t u) {
  return (u >= 0x300 && u <= 0x36F) || (u >= 0x1AB0 && u <= 0x1AFF) || (u >= 0x1DC0 && u <= 0x1DFF) ||
         (u >= 0x20D0 && u <= 0x20FF) || (u >= 0xFE20 && u <= 0xFE2F);
}

// Decodes one character of well-formed UTF-8 at s[i] and moves i behind it.
char32_t naechstes(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) {
    ++i;
    return b;
  }
  const int laenge = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
  char32_t u = b & (0x7F >> laenge);
  for (int k = 1; k < laenge; ++k) u = (u << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  i += laenge;
  return u;
}

void anhaengenUtf8(char32_t u, std::string& z) {
  if (u < 0x80) {
    z.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    z.push_back(static_cast<char>(0xC0 | (u >> 6)));
    z.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else if (u < 0x10000) {
    z.push_back(static_cast<char>(0xE0 | (u >> 12)));
    z.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    z.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {
    z.push_back(static_cast<char>(0xF0 | (u >> 18)));
    z.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
    z.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    z.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

// Appends the plain ASCII characters from s[i] on in one piece; returns where they end.
std::size_t asciiAnhaengen(std::string_view s, std::size_t i, std::string& ziel) {
  const std::size_t anfang = i;
  while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  ziel.append(s.data() + anfang, i - anfang);
  return i;
}

}  // namespace

bool istUtf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    // Plain ASCII eight bytes at a time: most of any CSV file.
    while (i + 8 <= n) {
      std::uint64_t w = 0;
      for (int k = 0; k < 8; ++k) w |= static_cast<std::uint64_t>(p[i + k]) << (8 * k);
      if (w & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i >= n) break;
    const unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    int folge;
    unsigned char min2 = 0x80, max2 = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) folge = 1;
    else if (b == 0xE0) folge = 2, min2 = 0xA0;
    else if (b == 0xED) folge = 2, max2 = 0x9F;  // no surrogates
    else if (b >= 0xE1 && b <= 0xEF) folge = 2;
    else if (b == 0xF0) folge = 3, min2 = 0x90;
    else if (b >= 0xF1 && b <= 0xF3) folge = 3;
    else if (b == 0xF4) folge = 3, max2 = 0x8F;
    else return false;
    if (i + static_cast<std::size_t>(folge) >= n) return false;
    if (p[i + 1] < min2 || p[i + 1] > max2) return false;
    for (int k = 2; k <= folge; ++k)
      if ((p[i + k] & 0xC0) != 0x80) return false;
    i += static_cast<std::size_t>(folge) + 1;
  }
  return true;
}

bool utf8ZuCp1252(std::string_view s, std::string& ziel) {
  bool geaendert = false;
  std::size_t i = 0;
  while (i < s.size()) {
    i = asciiAnhaengen(s, i, ziel);
    if (i == s.size()) break;
    const char32_t u = naechstes(s, i);
    if (istKombinierend(u)) {
      // A mark joins the letter before it where the code page has the pair as one letter; else it is left out.
      const auto z = std::find_if(std::begin(ZUSAMMEN), std::end(ZUSAMMEN), [&](const Zusammensetzung& k) {
        return k.zeichen == u && !ziel.empty() && ziel.back() == k.basis;
      });
      if (z != std::end(ZUSAMMEN)) ziel.back() = static_cast<char>(z->ergebnis);
      else geaendert = true;
      continue;
    }
    geaendert |= zeichenZuCp1252(u, ziel) != TErsatz::Genau;
  }
  return geaendert;
}

void cp1252ZuUtf8(std::string_view s, std::string& ziel) {
  std::size_t i = 0;
  while (i < s.size()) {
    i = asciiAnhaengen(s, i, ziel);
    if (i == s.size()) break;
    const auto b = static_cast<unsigned char>(s[i++]);
    anhaengenUtf8(cp1252Zeichen(b), ziel);
  }
}

std::string utf16ZuUtf8(std::string_view s, bool bigEndian) {
  std::string z;
  z.reserve(s.size());
  auto einheit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
    return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
  };
  for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
    char32_t u = einheit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
      const char32_t t = einheit(i + 2);
      if (t >= 0xDC00 && t <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (t - 0xDC00);
        i += 2;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
    anhaengenUtf8(u, z);
  }
  return z;
}
