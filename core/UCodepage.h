#pragma once
// Conversion between the program's Windows-1252 texts and Qt's QString.
#include <QString>
#include <string>
#include <string_view>

// Windows-1252 bytes to QString. The five unassigned bytes map to the C1 controls of the same value.
QString vonCp1252(std::string_view s);
// QString to Windows-1252 bytes; a character the code page cannot hold becomes "?".
std::string zuCp1252(const QString& s);
