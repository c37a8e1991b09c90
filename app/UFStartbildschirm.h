#pragma once
// The splash window: the logo with a progress bar that fills within about
// 1.25 s of program start and then closes the window.
#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

class TFStartbildschirm : public QDialog {
  Q_OBJECT
 public:
  explicit TFStartbildschirm(QWidget* parent = nullptr);
  // One 50 ms tick: 4 more, and closing once the bar is full.
  void timerbarTimer();

  QLabel* Image1;
  QLabel* L_loading;
  QLabel* Label1;
  QProgressBar* loading;
  QTimer* timerbar;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  // Centred on the main window's outer frame, also when that frame moves or
  // becomes known while the splash is shown.
  void ausrichten();
};

// The program's logo, 270 by 150 pixels.
QPixmap vemlaLogo();
