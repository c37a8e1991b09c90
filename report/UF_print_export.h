#pragma once
// The common window of the report and print option dialogs: how many entries
// there are, which optional parts go into each line, an example line, and the
// button that starts the action. The dialogs keep their choices for the run.
#include <QDialog>
#include <QLabel>

#include "report/UReport.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

// "Es befinden sich {N} Einträge in Ihrer CD-Sammlung." (singular for one).
QString anzahlText(int anzahl);
// The page estimate of printing: 78 entries per page, rounded up.
QString seitenText(int anzahl);

// A line of the example. Its number prefix takes a column of fixed width, so
// that the text after it stands exactly where it stands without the prefix,
// whatever the font makes of the prefix. text() is the whole line.
class TBeispielzeile : public QLabel {
 public:
  TBeispielzeile(QWidget* eltern, int praefixBreite) : QLabel(eltern), praefixBreite_(praefixBreite) {}
  void setzen(const QString& praefix, const QString& rest);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  int praefixBreite_;
  qsizetype praefixLaenge_ = 0;
};

class TF_print_export : public QDialog {
  Q_OBJECT
 public:
  TF_print_export(QWidget* parent, const char* name, const QString& titel, const QString& gruppe,
                  const QString& aktion);

  // The options as the boxes show them now.
  TReportOptionen optionen() const;
  bool nummerierung() const;
  bool genre() const;
  bool label() const;
  bool release() const;

  virtual void FormShow();
  void beispiel();
  virtual void B_actionClick() {}
  void B_closeClick() { close(); }

  QLabel *L_Anzahl, *L_Seiten, *L_Beisp;
  TBeispielzeile *L_Bsp, *L_Bsp2;
  QGroupBox* groupbox_print;
  QCheckBox *cb_num, *checkbox_interpret, *checkbox_titel, *cb_gen, *cb_lab, *cb_rel;
  QPushButton *B_action, *B_close;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;
  // Esc pressed in "w" closes the dialog.
  void escSchliesst(QWidget* w);
  // Moves the two buttons to "oben" and makes the client area "hoehe" high.
  void untenAb(int oben, int hoehe);
};
