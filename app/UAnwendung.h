#pragma once
// The application: its title, the German standard dialogs, the general error
// box, and the creation of every window in its fixed order.
#include <QApplication>
#include <exception>
#include <type_traits>

#include "app/UOrte.h"

class TVemlaApplication : public QApplication {
  Q_OBJECT
 public:
  TVemlaApplication(int& argc, char** argv);
  // Every event goes through here: an error raised by a handler ends that
  // handler and is shown in the general error box; the program goes on.
  bool notify(QObject* empfaenger, QEvent* e) override;
};

// Shows an error in the general error box: stop icon, the application title,
// the error's text followed by a full stop.
void allgemeinerFehler(const std::exception& e);

// Wraps a command handler: an error it raises ends the handler and goes to the
// general error box right there, so it never unwinds through the toolkit.
template <typename F>
auto sicher(F f) {
  return [f](auto... argumente) {
    try {
      // A handler may leave out what the signal passes (the "checked" of clicked()).
      if constexpr (std::is_invocable_v<F, decltype(argumente)...>) f(argumente...);
      else f();
    } catch (const std::exception& e) {
      allgemeinerFehler(e);
    }
  };
}

// Creates the main window first, then one instance of every other window.
void fensterErzeugen();
// Frees every window; the main window last.
void fensterFreigeben();
