// The web engine module: a browser view over Qt WebEngine, loaded at run time
// by info/UWebansicht when the web page window first shows a page.
#include <QObject>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "info/UWebansicht.h"

namespace {

class TWebEngineAnsicht : public QWebEngineView, public IWebansicht {
 public:
  explicit TWebEngineAnsicht(QWidget* eltern) : QWebEngineView(eltern) {
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
      if (fertig_) fertig_(ok);
    });
  }
  QWidget* widget() override { return this; }
  void laden(const QUrl& adresse) override { load(adresse); }
  void skript(const QString& quelltext, std::function<void(const QVariant&)> ergebnis) override {
    page()->runJavaScript(quelltext, [ergebnis](const QVariant& v) {
      if (ergebnis) ergebnis(v);
    });
  }
  void beiLadeende(std::function<void(bool)> fertig) override { fertig_ = std::move(fertig); }

 private:
  std::function<void(bool)> fertig_;
};

}  // namespace

class TWebModul : public QObject, public IWebModul {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID IWebModul_iid)
  Q_INTERFACES(IWebModul)
 public:
  IWebansicht* ansichtErzeugen(QWidget* eltern) override { return new TWebEngineAnsicht(eltern); }
};

#include "UWebmodul.moc"
