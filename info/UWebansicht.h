#pragma once
// The browser view of the web page window. The web engine behind it is large
// and starts slowly, so it lives in a module of its own ("vemla_web") that is
// loaded only when a page is first shown; the program itself never links it.
#include <QUrl>
#include <QVariant>
#include <QtPlugin>
#include <functional>

class QWidget;

class IWebansicht {
 public:
  virtual ~IWebansicht() = default;
  // The view as a control; its parent owns it.
  virtual QWidget* widget() = 0;
  // Navigates to "adresse"; a page that cannot be reached shows the engine's own error page.
  virtual void laden(const QUrl& adresse) = 0;
  // Runs a script in the page shown; "ergebnis" receives its value later.
  virtual void skript(const QString& quelltext, std::function<void(const QVariant&)> ergebnis) = 0;
  // "fertig" runs each time a page has finished loading (false: it could not be loaded).
  virtual void beiLadeende(std::function<void(bool)> fertig) = 0;
  // Ends the page shown, as its window closes: none of its scripts, timers or
  // connections runs on, and the engine gives back what the page took. The
  // view stays empty until the next laden().
  virtual void beenden() = 0;
};

// What the module offers.
class IWebModul {
 public:
  virtual ~IWebModul() = default;
  virtual IWebansicht* ansichtErzeugen(QWidget* eltern) = 0;
};
#define IWebModul_iid "de.vemla.IWebModul/2"
Q_DECLARE_INTERFACE(IWebModul, IWebModul_iid)

// Loads the module the first time and creates a browser view in "eltern";
// nullptr when the module cannot be loaded.
IWebansicht* webansichtLaden(QWidget* eltern);
