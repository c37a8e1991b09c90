#pragma once
// The please-wait window, shown while long operations run on many entries.
#include <QWidget>

class QLabel;

class TFworking : public QWidget {
  Q_OBJECT
 public:
  explicit TFworking(QWidget* parent = nullptr);
  // Shows the window centred on the desktop and lets it paint at once.
  void zeigen();
  // Hides it; the main window takes the focus back.
  void verbergen();

 private:
  QLabel* Memo1;
};

