#pragma once
// Before Qt starts: is there a screen to show the window on? Without one Qt
// would end the program with an English message and an abort; Vemla says so
// in German and ends with the exit code of a wrong use.
#include <functional>
#include <optional>
#include <string>

// Nothing when the window can be shown (or another platform than X is asked
// for: Wayland, "offscreen", a "-platform" argument); otherwise why not, in
// German. "umgebung" reads the environment; "verbinden" tries the X server of
// a DISPLAY value and says whether it answered.
std::optional<std::string> bildschirmFehlt(int argc, char** argv,
                                           const std::function<const char*(const char*)>& umgebung,
                                           const std::function<bool(const char*)>& verbinden);

// The same for this process, with its environment and a real connection
// (through libxcb, which Qt's X platform loads anyway: the check costs one
// connection). Writes the message to standard error and returns 2 when there
// is no screen.
std::optional<int> bildschirmPruefen(int argc, char** argv);
