#pragma once
// Colours as the settings file names them: "clWindowText" for the system's
// window text colour, the sixteen standard colours by name, any other colour
// as "$" and eight hexadecimal digits 00BBGGRR.
#include <QColor>
#include <QString>
#include <string>

struct TFarbname {
  const char* name;     // "clMaroon"
  const char* deutsch;  // as a colour list shows it: "Dunkelrot"
  unsigned wert;        // 0x00BBGGRR
};
// The sixteen standard colours in their usual order, black first.
extern const TFarbname STANDARDFARBEN[16];

// The stored form of "farbe"; an invalid colour stands for the window text colour.
QString farbName(const QColor& farbe);
// Reads a stored colour: a name (A..Z without regard to case), "$" hex or a
// decimal number. False for anything else; "farbe" is then left as it was.
// "clWindowText" gives an invalid colour.
bool farbeLesen(const std::string& text, QColor& farbe);
