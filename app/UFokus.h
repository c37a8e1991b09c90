#pragma once
// Keyboard focus across the program's own windows: whoever shows a window for
// a while (the please-wait window, a message box, a dialog) remembers the
// active window and the control with the focus first, and gives both back
// when that window is gone. Without this a window manager may leave no window
// of the program active, and every shortcut is dead until the user clicks.
#include <QPointer>
#include <QWidget>

class TFokusMerker {
 public:
  // Remembers the active window and its focus control as they are now.
  TFokusMerker();
  // Makes the remembered window active again with the focus where it was; when
  // it is gone (or there was none), the program's main window.
  void zurueckgeben() const;

 private:
  QPointer<QWidget> fenster_;
  QPointer<QWidget> fokus_;
};

// The program's main window while it is shown, else nullptr.
QWidget* sichtbaresHauptfenster();
