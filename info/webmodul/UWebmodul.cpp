// The web engine module: a browser view over Qt WebEngine, loaded at run time
// by info/UWebansicht when the web page window first shows a page.
#include <QCoreApplication>
#include <QObject>
#include <QOpenGLContext>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "info/UWebansicht.h"

// Qt's own hook for the context that every OpenGL context of the program shares.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace {

// The engine shares its textures through one OpenGL context for the whole program.
// Programs that link the engine get it before the application starts; this
// module is loaded later, so it sets it up itself. False when there is no
// OpenGL: the engine cannot run then.
bool engineVorbereiten() {
  if (QOpenGLContext::globalShareContext()) return true;
  auto* kontext = new QOpenGLContext(QCoreApplication::instance());
  if (!kontext->create()) {
    delete kontext;
    return false;
  }
  qt_gl_set_global_share_context(kontext);
  return true;
}

// A page may not open windows of its own over the web page window: alert(),
// confirm() and prompt() are answered at once without a box, so that a page
// that calls them without end can never hold the user in the window.
class TStilleSeite : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  void javaScriptAlert(const QUrl&, const QString&) override {}
  bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
  bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }
  QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override { return {}; }
};

class TWebEngineAnsicht : public QWebEngineView, public IWebansicht {
 public:
  explicit TWebEngineAnsicht(QWidget* eltern) : QWebEngineView(eltern) {
    setPage(new TStilleSeite(this));
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
  // The page goes, and with it its renderer process; a fresh page that has
  // loaded nothing takes its place.
  void beenden() override {
    QPointer<QWebEnginePage> alt = page();
    setPage(new TStilleSeite(this));
    delete alt;
  }

 private:
  std::function<void(bool)> fertig_;
};

}  // namespace

class TWebModul : public QObject, public IWebModul {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID IWebModul_iid)
  Q_INTERFACES(IWebModul)
 public:
  IWebansicht* ansichtErzeugen(QWidget* eltern) override {
    if (!engineVorbereiten()) return nullptr;
    return new TWebEngineAnsicht(eltern);
  }
};

#include "UWebmodul.moc"
