#pragma once
// The options dialog: eight check boxes that store their setting and apply it
// at the moment they change. The boxes show the options' running state kept
// by the settings (TEinstellungen): an option set there shows in its box.
#include <QDialog>

#include "core/UEinstellungen.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QToolButton;

class TFOptionen : public QDialog {
  Q_OBJECT
 public:
  explicit TFOptionen(QWidget* parent = nullptr);

  void schaltflaechen_ein();
  void schaltflaechen_aus();
  void detailansicht_ein();
  void detailansicht_aus();
  // The main window's outer height from the button-row and status-bar options.
  int hauptfensterHoehe() const;
  // Stores the main window's left and top edge.
  void startpositionSpeichern();

  QGroupBox *GroupBox1, *GroupBox2;
  QCheckBox *cb_schaltflaechenvisible, *cb_statusleiste, *cb_detailansicht, *cb_startbildschirm, *CBQuickbuttons;
  QCheckBox *cb_startposition, *cb_loadlastfile, *cb_saveview_gesamt;
  QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SBquickbuttons;
  QToolButton *SpeedButton5, *SpeedButton6, *SpeedButton7, *SpeedButton8;
  QPushButton *SBReg, *B_ok;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  void cb_schaltflaechenvisibleClick(bool an);
  void cb_statusleisteClick(bool an);
  void cb_detailansichtClick(bool an);
  void CBQuickbuttonsClick(bool an);
  void cb_startpositionClick(bool an);
  void cb_startbildschirmClick(bool an);
  void cb_loadlastfileClick(bool an);
  void cb_saveview_gesamtClick(bool an);
  QCheckBox* kasten(TEinstellungen::Option o) const;
};
