#include "report/UDruckmodul.h"

#include <QPluginLoader>

#include "app/UOrte.h"
#include "core/UFehler.h"

IDruckModul& druckModul() {
  static IDruckModul* modul = nullptr;
  if (!modul) {
    const QString pfad = modulPfad("vemla_druck.so");
    if (pfad.isEmpty()) throw EVemlaFehler("Die Druckunterstützung fehlt: vemla_druck.so ist nicht installiert");
    QPluginLoader lader(pfad);
    modul = qobject_cast<IDruckModul*>(lader.instance());
    if (!modul) throw EVemlaFehler("Die Druckunterstützung kann nicht geladen werden: " + lader.errorString().toStdString());
  }
  return *modul;
}
