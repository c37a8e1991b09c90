#include "app/UModul.h"

#include <QPluginLoader>

#include "app/UOrte.h"

QObject& modulObjekt(const QString& datei, const std::string& was) {
  const QString pfad = modulPfad(datei);
  if (pfad.isEmpty()) throw EVemlaFehler(was + " fehlt: " + datei.toStdString() + " ist nicht installiert");
  QPluginLoader lader(pfad);
  QObject* objekt = lader.instance();
  if (!objekt) throw EVemlaFehler(was + " kann nicht geladen werden: " + lader.errorString().toStdString());
  return *objekt;
}
