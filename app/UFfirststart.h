#pragma once
// The window shown once per settings file at the first start; a click closes it.
#include <QDialog>

class QLabel;

class TFfirststart : public QDialog {
  Q_OBJECT
 public:
  explicit TFfirststart(QWidget* parent = nullptr);
  QLabel* Memo1;
  static QStringList zeilen();

 protected:
  bool eventFilter(QObject* objekt, QEvent* e) override;
  void showEvent(QShowEvent* e) override;
};
