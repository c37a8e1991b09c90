#include "core/UZeichenersatz.h"

#include <algorithm>

namespace {

// Unicode code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t OBERE[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t cp1252Zeichen(unsigned char b) { return b >= 0x80 && b <= 0x9F ? OBERE[b - 0x80] : char32_t(b); }

unsigned char cp1252Byte(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (int k = 0; k < 32; ++k)
    if (OBERE[k] == u) return static_cast<unsigned char>(0x80 + k);
  return 0;
}

TErsatz zeichenZuCp1252(char32_t u, std::string& ziel) {
  const TErsatzform* const ende = ERSATZFORMEN + ERSATZFORMEN_ANZAHL;
  const TErsatzform* f =
      std::lower_bound(ERSATZFORMEN, ende, u, [](const TErsatzform& e, char32_t z) { return e.zeichen < z; });
  if (f != ende && f->zeichen == u) {
    ziel += f->form;
    return TErsatz::Aehnlich;
  }
  const unsigned char b = cp1252Byte(u);
  if (b != 0 || u == 0) {
    ziel.push_back(static_cast<char>(b));
    return TErsatz::Genau;
  }
  if (u >= 0xFF01 && u <= 0xFF5E) {  // the wide forms of ASCII
    ziel.push_back(static_cast<char>(u - 0xFEE0));
    return TErsatz::Aehnlich;
  }
  ziel.push_back('?');
  return TErsatz::Fragezeichen;
}
