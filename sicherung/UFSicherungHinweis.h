#pragma once
// The notice about the recovery copy (it cannot be written, it is written
// again): a small window beside the main window that never takes the keyboard,
// so typing and scanning in the main window go on while it shows. The main
// window itself and its status bar stay as they are.
#include <QTimer>
#include <QWidget>

class QLabel;

class TFSicherungHinweis : public QWidget {
  Q_OBJECT
 public:
  explicit TFSicherungHinweis(QWidget* hauptfenster);
  // Shows "text" below the main window (above it when the screen ends there);
  // "bleibt": until closed, else for a few seconds.
  void zeigen(const QString& text, bool bleibt);

  QLabel* L_hinweis;

 protected:
  // Follows the main window when it moves or changes its size.
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  void platzieren();
  QWidget* haupt_;
  QTimer ausblenden_;
};

// Shows a notice of the recovery copy beside the main window (created on first use).
void sicherungHinweisZeigen(const QString& text, bool bleibt);
