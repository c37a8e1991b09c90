// The SVG module: Qt's SVG writer, loaded at run time by stat/USvgModul.
#include <QBuffer>
#include <QObject>
#include <QPainter>
#include <QSvgGenerator>

#include "stat/USvgModul.h"

class TSvgModul : public QObject, public ISvgModul {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID ISvgModul_iid)
  Q_INTERFACES(ISvgModul)
 public:
  QByteArray svg(QSize groesse, const QString& titel, const std::function<void(QPainter&)>& zeichnen) override {
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&puffer);
    svg.setSize(groesse);
    svg.setViewBox(QRect(QPoint(0, 0), groesse));
    svg.setTitle(titel);
    {
      QPainter p(&svg);
      zeichnen(p);
    }
    return puffer.data();
  }
};

#include "USvgModulQt.moc"
