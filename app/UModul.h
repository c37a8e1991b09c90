#pragma once
// The program's modules: libraries of Qt that most runs never need, loaded
// the first time a command needs them (printing, SVG images).
#include <QObject>
#include <QString>
#include <string>

#include "core/UFehler.h"

// The object of module "datei" ("vemla_druck.so"); an error (EVemlaFehler)
// naming "was" ("Die Druckunterstützung") when it is missing or cannot be loaded.
QObject& modulObjekt(const QString& datei, const std::string& was);

// The module's interface "I", loaded on the first call.
template <class I>
I& modulLaden(const QString& datei, const std::string& was) {
  static I* modul = nullptr;
  if (!modul) {
    modul = qobject_cast<I*>(&modulObjekt(datei, was));
    if (!modul) throw EVemlaFehler(was + " kann nicht geladen werden: " + datei.toStdString() + " ist kein passendes Modul");
  }
  return *modul;
}
