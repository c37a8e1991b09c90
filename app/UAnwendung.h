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

// Code that sets off a handler itself (setting an option's box runs its
// handler as a click would) keeps one of these while it does: an error of the
// handler then is not shown there but kept, and weiterwerfen() raises it again
// in that code, which stops at that point as the handler did.
class THandlerFehler {
 public:
  THandlerFehler();
  ~THandlerFehler();
  THandlerFehler(const THandlerFehler&) = delete;
  THandlerFehler& operator=(const THandlerFehler&) = delete;
  // Raises the first error kept, if any.
  void weiterwerfen();
  // The innermost one alive, else nullptr.
  static THandlerFehler* aktiv();
  std::exception_ptr fehler;

 private:
  THandlerFehler* vorher_;
};

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
      if (THandlerFehler* h = THandlerFehler::aktiv()) {
        if (!h->fehler) h->fehler = std::current_exception();
      } else {
        allgemeinerFehler(e);
      }
    }
  };
}

// Creates the main window first, then one instance of every other window.
void fensterErzeugen();
// Frees every window; the main window last.
void fensterFreigeben();
