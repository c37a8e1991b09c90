#pragma once
// The automatic update: fetches the update description from the update
// server, compares its version with the program's own, downloads the new
// installer to a place the user chooses and starts it.
#include <QDialog>
#include <QString>

#include "app/UPlattform.h"

class QLabel;
class QProgressBar;
class QToolButton;

class TFAutopatcher : public QDialog {
  Q_OBJECT
 public:
  explicit TFAutopatcher(QWidget* parent = nullptr);

  void SBgoClick();
  void SBcloseClick();
  // Downloads "adresse" into "dateiname"; true exactly when the whole file arrived within "grenzen".
  // The transfer runs beside the window, which meanwhile repaints and shows the progress.
  bool DownloadFile(const QString& adresse, const QString& dateiname, const TDownloadGrenzen& grenzen);

  QLabel *Image1, *Label1, *Label2;
  QToolButton *SBgo, *SBclose;
  // The progress of a running download; hidden otherwise.
  QProgressBar* ProgressBar1;
  // The save dialog; its file name keeps the folder chosen last.
  TDateiDialog SaveDialog;

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  // While a download runs the window stays open.
  bool laedt_ = false;
};

// The picture behind the update window.
QPixmap autopatcherBild();
