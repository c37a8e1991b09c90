#pragma once
// Where the program finds the files that come with it and where it keeps the
// files it writes itself. Every other unit asks here; nothing else builds
// such paths.
#include <QString>

// The folder of the running program.
QString programmOrdner();
// The path of a file that comes with the program ("blau.html", "help/format.css").
QString mitgelieferteDatei(const QString& name);
// The path of a file the program writes for itself ("suchergebnis.html", "download.ini").
QString eigeneDatei(const QString& name);
// The path of the settings file "vemla.ini".
QString iniPfad();
// The web engine module: beside the program, else in the folder it was built in.
QString webModul();
