#pragma once
// Conversion between the program's Windows-1252 texts and Qt's QString.
#include <QString>
#include <initializer_list>
#include <string>
#include <string_view>

// Windows-1252 bytes to QString. The five unassigned bytes map to the C1 controls of the same value.
QString vonCp1252(std::string_view s);
// QString to Windows-1252 bytes, composed first (NFC); a character the code page cannot hold becomes "?".
std::string zuCp1252(const QString& s);
// The text of a one-line field as stored in an entry: like zuCp1252, with every
// CR, LF and TAB (typed or pasted) replaced by a blank.
std::string feldZuCp1252(const QString& s);
// A text for one line of a list: CR, LF and TAB shown as blanks.
QString einzeiligAnzeigen(QString s);
// The Windows-1252 pieces one after the other as one line of a list, in one
// pass: vonCp1252, then einzeiligAnzeigen.
QString einzeiligVonCp1252(std::initializer_list<std::string_view> teile);
