#include "app/UOrte.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#ifndef VEMLA_DATEN_RELATIV
#define VEMLA_DATEN_RELATIV "../share/vemla"
#endif
#ifndef VEMLA_MODULE_RELATIV
#define VEMLA_MODULE_RELATIV "../lib/vemla"
#endif

namespace {

std::optional<TOrte> festgelegt;
QString weitererModulOrdner;

const TOrte& orte() {
  if (!festgelegt) orteFestlegen();
  return *festgelegt;
}

// Whether the running user (its effective ids, as every write uses them) may create files in the folder.
bool beschreibbar(const QString& ordner) {
  return ::faccessat(AT_FDCWD, QFile::encodeName(ordner).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

// An XDG base folder: the variable when it holds an absolute path, else the default below the home folder.
QString basisOrdner(const QProcessEnvironment& umgebung, const char* variable, const char* standard) {
  const QString wert = umgebung.value(variable);
  if (!wert.isEmpty() && QDir::isAbsolutePath(wert)) return QDir::cleanPath(wert);
  QString home = umgebung.value("HOME");
  if (home.isEmpty()) home = QDir::homePath();
  return QDir::cleanPath(home + "/" + standard);
}

// Makes "quelle" reachable as "ziel": a symbolic link, or a copy where links are refused.
void verknuepfen(const QString& quelle, const QString& ziel) {
  const QFileInfo q(quelle);
  if (!q.isFile()) return;
  const QString absolut = QDir::cleanPath(q.absoluteFilePath());
  const QFileInfo z(ziel);
  if (z.isSymLink() && QDir::cleanPath(z.symLinkTarget()) == absolut) return;
  QDir().mkpath(z.absolutePath());
  QFile::remove(ziel);  // a stale link or an older copy
  if (!QFile::link(absolut, ziel)) QFile::copy(absolut, ziel);
}

// The user's folders exist, and the written pages find what they refer to.
void bereitstellen(const TOrte& o) {
  if (!o.imBenutzerordner) return;
  QDir().mkpath(o.einstellungen);
  QDir().mkpath(o.geschrieben);
  for (const QString& name : seitenBegleitdateien()) verknuepfen(mitgelieferteDatei(name), o.geschrieben + "/" + name);
}

}  // namespace

TOrte orteBestimmen(const QString& programmOrdner, const QProcessEnvironment& umgebung) {
  TOrte o;
  o.programm = programmOrdner;
  o.daten = QDir::cleanPath(programmOrdner + "/" VEMLA_DATEN_RELATIV);
  // A portable copy keeps its settings with it. An installed program never writes
  // beside itself, not even for root: whatever root left there would be refused to
  // everyone else.
  const bool portabel = QFileInfo::exists(programmOrdner + "/vemla.ini");
  const bool installiert = QFileInfo(o.daten).isDir();
  if (portabel || (!installiert && beschreibbar(programmOrdner))) {
    o.einstellungen = o.geschrieben = programmOrdner;
    o.zustand = programmOrdner + "/sicherung";
    return o;
  }
  o.imBenutzerordner = true;
  o.einstellungen = basisOrdner(umgebung, "XDG_CONFIG_HOME", ".config") + "/vemla";
  o.geschrieben = basisOrdner(umgebung, "XDG_CACHE_HOME", ".cache") + "/vemla";
  o.zustand = basisOrdner(umgebung, "XDG_STATE_HOME", ".local/state") + "/vemla";
  return o;
}

void orteFestlegen(const QString& programmOrdner) {
  festgelegt = orteBestimmen(programmOrdner.isEmpty() ? QCoreApplication::applicationDirPath() : programmOrdner,
                             QProcessEnvironment::systemEnvironment());
  bereitstellen(*festgelegt);
}

QStringList seitenBegleitdateien() { return {"help/format.css", "copyright.js"}; }

QString programmOrdner() { return orte().programm; }

QString mitgelieferteDatei(const QString& name) {
  const QString daneben = orte().programm + "/" + name;
  if (QFileInfo::exists(daneben)) return daneben;
  const QString installiert = orte().daten + "/" + name;
  return QFileInfo::exists(installiert) ? installiert : daneben;
}

QString eigeneDatei(const QString& name) {
  // The user's cache folder may have been cleared while the program runs.
  bereitstellen(orte());
  return orte().geschrieben + "/" + name;
}

QString iniPfad() { return orte().einstellungen + "/vemla.ini"; }

QString zustandsOrdner() { return orte().zustand; }

void moduleAuchSuchenIn(const QString& ordner) { weitererModulOrdner = ordner; }

QString modulPfad(const QString& datei) {
  for (const QString& ordner : {orte().programm, QDir::cleanPath(orte().programm + "/" VEMLA_MODULE_RELATIV),
                                weitererModulOrdner}) {
    if (ordner.isEmpty()) continue;
    const QString pfad = ordner + "/" + datei;
    if (QFile::exists(pfad)) return pfad;
  }
  return QString();
}

QString webModul() { return modulPfad("vemla_web.so"); }
