#pragma once
// Helpers of the installation tests: running programs, one installation of
// this build tree into a temporary DESTDIR, and folders for another user.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>

#include "tests/support/TempOrdner.h"

struct TLauf {
  int rc = -1;
  QString ausgabe;  // standard output and error together
};
// Runs a program to its end (at most "sekunden").
TLauf ausfuehren(const QString& programm, const QStringList& argumente,
                 const QProcessEnvironment& umgebung = QProcessEnvironment::systemEnvironment(),
                 const QString& ordner = QString(), int sekunden = 120);

// "cmake --install" of this build tree with prefix /usr/local into a temporary DESTDIR,
// done once per test run. Its bin and share folders are read-only.
struct TInstallation {
  TempOrdner destdir;
  TLauf lauf;
  std::string pfad(const std::string& unterPrefix) const { return destdir.pfad("usr/local/" + unterPrefix); }
  QString qpfad(const std::string& unterPrefix) const { return QString::fromStdString(pfad(unterPrefix)); }
};
const TInstallation& installation();

// Sets the permission bits of a path (root's override aside, these are what a user meets).
void rechte(const std::string& pfad, std::filesystem::perms p);
// The names in a folder (recursively, relative, sorted); empty when it does not exist.
QStringList ordnerInhalt(const std::string& pfad);
// One record of a collection file: seven fields of a length byte and 255 characters.
std::string datensatz(const std::string& interpret, const std::string& titel);
// When run as root: "nobody" is the ordinary user the installed program runs as.
bool alsRoot();
