#include "stat/USvgModul.h"

#include <QPluginLoader>

#include "app/UOrte.h"
#include "core/UFehler.h"

ISvgModul& svgModul() {
  static ISvgModul* modul = nullptr;
  if (!modul) {
    const QString pfad = modulPfad("vemla_svg.so");
    if (pfad.isEmpty()) throw EVemlaFehler("Die SVG-Unterstützung fehlt: vemla_svg.so ist nicht installiert");
    QPluginLoader lader(pfad);
    modul = qobject_cast<ISvgModul*>(lader.instance());
    if (!modul) throw EVemlaFehler("Die SVG-Unterstützung kann nicht geladen werden: " + lader.errorString().toStdString());
  }
  return *modul;
}
