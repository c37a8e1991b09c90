#pragma once
// The please-wait window, shown while long operations run on many entries.
#include <QWidget>
#include <optional>

#include "app/UFokus.h"

class QLabel;

class TFworking : public QWidget {
  Q_OBJECT
 public:
  explicit TFworking(QWidget* parent = nullptr);
  // Shows the window centred on the desktop and lets it paint at once. It
  // never takes the keyboard focus away from the window that has it.
  void zeigen();
  // Hides it; the window that was active before is active again, with the
  // focus where it was, and the main window runs its activation as after
  // any window of the program that was shown without being modal.
  void verbergen();

 private:
  QLabel* Memo1;
  std::optional<TFokusMerker> vorher_;
};

// The one way to show or hide the please-wait window (nothing while it does not exist).
void bitteWarten(bool an);

// The please-wait window shown while this object lives, when "zeigen" holds,
// and hidden again when it ends, also when the work ends with an error.
class TBitteWarten {
 public:
  explicit TBitteWarten(bool zeigen = true) : gezeigt_(zeigen) {
    if (gezeigt_) bitteWarten(true);
  }
  ~TBitteWarten() { beenden(); }
  // Hides it now, when the work is done before this object ends.
  void beenden() {
    if (gezeigt_) bitteWarten(false);
    gezeigt_ = false;
  }
  TBitteWarten(const TBitteWarten&) = delete;
  TBitteWarten& operator=(const TBitteWarten&) = delete;

 private:
  bool gezeigt_;
};

