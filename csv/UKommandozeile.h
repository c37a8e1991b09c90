#pragma once
// The program's command line without a window: export a collection, import a
// CSV file into one, check one. Needs no display and no Qt.
//
//   vemla --export csv|txt|html|dif SAMMLUNG.vem ZIEL
//   vemla --import-csv QUELLE.csv SAMMLUNG.vem
//   vemla --check SAMMLUNG.vem
//   vemla --help
//
// Exit codes: 0 done, 1 input refused (or a file could not be read or
// written), 2 wrong use. Messages go to standard error, in German.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

enum TEndeCode : int { ENDE_OK = 0, ENDE_ABGELEHNT = 1, ENDE_AUFRUF = 2 };

// Runs the mode the arguments (without the program name) ask for and returns
// its exit code; nothing when they ask for none (no argument, or a file to
// open in the window).
std::optional<int> kommandozeile(const std::vector<std::string>& argumente, std::ostream& aus,
                                 std::ostream& fehler);
// The same for main's arguments, with standard output and standard error.
std::optional<int> kommandozeile(int argc, char** argv);
