#include "core/UCodepage.h"

#include <utility>

namespace {

// Unicode code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t OBERE[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The character of a byte of the code page.
char16_t zeichen(unsigned char c) { return (c >= 0x80 && c <= 0x9F) ? OBERE[c - 0x80] : char16_t(c); }

// A character that breaks a line of a list: CR, LF and TAB.
bool zeilenZeichen(char16_t u) { return u == u'\r' || u == u'\n' || u == u'\t'; }

}  // namespace

QString vonCp1252(std::string_view s) {
  QString r;
  r.resize(static_cast<qsizetype>(s.size()));
  QChar* z = r.data();
  for (unsigned char c : s) *z++ = QChar(zeichen(c));
  return r;
}

std::string zuCp1252(const QString& eingabe) {
  // A letter typed or pasted as base letter plus combining mark is one character of the code page.
  const QString s = eingabe.normalized(QString::NormalizationForm_C);
  std::string r;
  r.reserve(static_cast<std::size_t>(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char16_t u = s[i].unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      r.push_back(static_cast<char>(u));
      continue;
    }
    char b = '?';
    for (int k = 0; k < 32; ++k)
      if (OBERE[k] == u) b = static_cast<char>(0x80 + k);
    // A surrogate pair is one character: one "?" for both halves.
    if (QChar::isHighSurrogate(u) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
    r.push_back(b);
  }
  return r;
}

std::string feldZuCp1252(const QString& s) {
  std::string r = zuCp1252(s);
  for (char& c : r)
    if (zeilenZeichen(static_cast<unsigned char>(c))) c = ' ';
  return r;
}

QString einzeiligAnzeigen(QString s) {
  const QChar* p = std::as_const(s).constData();
  qsizetype i = 0;
  while (i < s.size() && !zeilenZeichen(p[i].unicode())) ++i;
  if (i == s.size()) return s;  // nothing to replace: no copy of a shared text
  QChar* z = s.data();
  for (; i < s.size(); ++i)
    if (zeilenZeichen(z[i].unicode())) z[i] = QChar(u' ');
  return s;
}

QString einzeiligVonCp1252(std::initializer_list<std::string_view> teile) {
  std::size_t laenge = 0;
  for (const std::string_view t : teile) laenge += t.size();
  QString r(static_cast<qsizetype>(laenge), Qt::Uninitialized);
  QChar* z = r.data();
  for (const std::string_view t : teile)
    for (const unsigned char c : t) *z++ = QChar(zeilenZeichen(zeichen(c)) ? u' ' : zeichen(c));
  return r;
}
