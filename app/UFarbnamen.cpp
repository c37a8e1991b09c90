#include "app/UFarbnamen.h"

#include "app/UGlobal.h"
#include "app/UIniFile.h"

const TFarbname STANDARDFARBEN[16] = {
    {"clBlack", "Schwarz", 0x000000},    {"clMaroon", "Dunkelrot", 0x000080},  {"clGreen", "Grün", 0x008000},
    {"clOlive", "Oliv", 0x008080},       {"clNavy", "Marineblau", 0x800000},   {"clPurple", "Violett", 0x800080},
    {"clTeal", "Blaugrün", 0x808000},    {"clGray", "Grau", 0x808080},         {"clSilver", "Silber", 0xC0C0C0},
    {"clRed", "Rot", 0x0000FF},          {"clLime", "Hellgrün", 0x00FF00},     {"clYellow", "Gelb", 0x00FFFF},
    {"clBlue", "Blau", 0xFF0000},        {"clFuchsia", "Fuchsie", 0xFF00FF},   {"clAqua", "Aqua", 0xFFFF00},
    {"clWhite", "Weiß", 0xFFFFFF},
};

namespace {

constexpr const char* FENSTERTEXT = "clWindowText";

unsigned wertVon(const QColor& c) {
  return static_cast<unsigned>(c.red()) | static_cast<unsigned>(c.green()) << 8 |
         static_cast<unsigned>(c.blue()) << 16;
}

bool gleichAZ(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return i == a.size() && !b[i];
}

}  // namespace

QString farbName(const QColor& farbe) {
  if (!farbe.isValid()) return FENSTERTEXT;
  const unsigned wert = wertVon(farbe);
  for (const TFarbname& f : STANDARDFARBEN)
    if (f.wert == wert) return f.name;
  return "$" + QString("%1").arg(wert, 8, 16, QChar('0')).toUpper();
}

bool farbeLesen(const std::string& text, QColor& farbe) {
  if (gleichAZ(text, FENSTERTEXT)) {
    farbe = QColor();
    return true;
  }
  for (const TFarbname& f : STANDARDFARBEN)
    if (gleichAZ(text, f.name)) {
      farbe = ::farbe(f.wert);
      return true;
    }
  long long zahl;
  // Only plain colour values; the classic system-colour numbers have no meaning here.
  if (!iniGanzzahl(text, zahl) || zahl < 0 || zahl > 0xFFFFFF) return false;
  farbe = ::farbe(static_cast<unsigned>(zahl));
  return true;
}
