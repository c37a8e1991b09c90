#pragma once
// Where the program finds the files that come with it and where it keeps the
// files it writes itself. Every other unit asks here; nothing else builds
// such paths.
//
// Which folders these are is decided once at start (orteFestlegen):
// - The program's folder holds a "vemla.ini" (a portable copy): everything
//   stays beside the program.
// - Otherwise an installed program (its data folder ../share/vemla exists)
//   always uses the user's folders, whoever runs it, root included.
// - A build folder or a copy unpacked somewhere uses its own folder when the
//   user may write into it, else the user's folders.
// The user's folders: "vemla.ini" lives in $XDG_CONFIG_HOME/vemla (default
// ~/.config/vemla), and the written pages and "download.ini" in
// $XDG_CACHE_HOME/vemla (default ~/.cache/vemla), where the files a written
// page refers to ("help/format.css", "copyright.js") are linked in.
// Files that come with the program lie beside it, or else in the installed
// data folder <prefix>/share/vemla.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The folder of the running program.
QString programmOrdner();
// The path of a file that comes with the program ("blau.html", "help/format.css").
QString mitgelieferteDatei(const QString& name);
// The path of a file the program writes for itself ("suchergebnis.html", "download.ini").
QString eigeneDatei(const QString& name);
// The path of the settings file "vemla.ini".
QString iniPfad();
// The folder of the recovery copies: $XDG_STATE_HOME/vemla (default
// ~/.local/state/vemla), or "sicherung" beside a portable program. Created
// only when the first change is to be copied.
QString zustandsOrdner();

// The folders the rule above gives.
struct TOrte {
  QString programm;       // the program's folder
  QString daten;          // the installed data folder <prefix>/share/vemla
  QString einstellungen;  // where "vemla.ini" lies
  QString geschrieben;    // where written pages and "download.ini" lie
  QString zustand;        // where the recovery copies lie
  bool imBenutzerordner = false;  // true when the last two are the user's config and cache folders
};

// Applies the rule to a program folder and an environment (XDG_CONFIG_HOME,
// XDG_CACHE_HOME, HOME), looking at the folder as the running user sees it.
TOrte orteBestimmen(const QString& programmOrdner, const QProcessEnvironment& umgebung);
// Decides for this run, from the running executable's folder (or the given
// one) and the process environment; the program does this once at start, and
// any function above that is asked first decides just the same. In the user's
// folders it creates them and links in the files a written page refers to.
void orteFestlegen(const QString& programmOrdner = QString());
// The files that come with the program and that a written page refers to.
QStringList seitenBegleitdateien();
// A module of the program ("vemla_web.so"): beside the program, else in the
// installed module folder <prefix>/lib/<multiarch>/vemla; empty when neither has it.
QString modulPfad(const QString& datei);
// The web engine module.
QString webModul();
// One more folder to look in for modules after those two (programs that run
// away from the program's folder, as the test programs do); empty: none.
void moduleAuchSuchenIn(const QString& ordner);
