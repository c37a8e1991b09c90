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

