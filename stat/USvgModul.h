#pragma once
// Qt's SVG writer lives in a library of its own that most runs never need: it
// is reached through a module ("vemla_svg") loaded when an image is first
// saved as SVG, so that the program does not load it at every start.
#include <QByteArray>
#include <QSize>
#include <QString>
#include <QtPlugin>
#include <functional>

class QPainter;

class ISvgModul {
 public:
  virtual ~ISvgModul() = default;
  // An SVG document of "groesse" (pixels) titled "titel", drawn by "zeichnen".
  virtual QByteArray svg(QSize groesse, const QString& titel, const std::function<void(QPainter&)>& zeichnen) = 0;
};
#define ISvgModul_iid "de.vemla.ISvgModul/1"
Q_DECLARE_INTERFACE(ISvgModul, ISvgModul_iid)

// The module, loaded the first time; an error (EVemlaFehler) when it cannot be loaded.
ISvgModul& svgModul();
