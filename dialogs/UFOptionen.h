#pragma once
// The options dialog: eight check boxes, each showing one option's running
// state kept by the settings (TEinstellungen) and setting that option when it
// changes. The settings store it at once and the main window applies it
// (THauptOptionen); an option set elsewhere shows in its box.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QToolButton;

class TFOptionen : public QDialog {
  Q_OBJECT
 public:
  explicit TFOptionen(QWidget* parent = nullptr);

  QGroupBox *GroupBox1, *GroupBox2;
  QCheckBox *cb_schaltflaechenvisible, *cb_statusleiste, *cb_detailansicht, *cb_startbildschirm, *CBQuickbuttons;
  QCheckBox *cb_startposition, *cb_loadlastfile, *cb_saveview_gesamt;
  QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SBquickbuttons;
  QToolButton *SpeedButton5, *SpeedButton6, *SpeedButton7, *SpeedButton8;
  QPushButton *SBReg, *B_ok;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;
};
