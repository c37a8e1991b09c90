#pragma once
// The online look-up: finds releases in the online music database by barcode,
// by artist and title, or by the disc in the drive, and turns the picked ones
// into entries, directly or through the add-entry dialog. The look-ups run on
// worker threads; the window stays responsive and can cancel them at once.
#include <QDialog>
#include <functional>
#include <vector>

#include "online/UDiscId.h"
#include "online/UMBAntwort.h"
#include "online/UMBDienst.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class THintergrund;

class TFOnline : public QDialog {
  Q_OBJECT
 public:
  explicit TFOnline(QWidget* parent = nullptr);
  ~TFOnline() override;

  // Builds the controls; runs once, when the window is first shown.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  void b_strichcodeClick();
  void b_nameClick();
  void b_laufwerkClick();
  void b_abbrechenClick();
  void b_uebernehmenClick();
  void b_eingabemaskeClick();

  // The releases of the last look-up, in the order of the result list.
  const std::vector<TVeroeffentlichung>& ergebnisse() const { return ergebnisse_; }
  bool sucht() const;

  // Bounds of each request; reading the disc in the drive.
  TDienstGrenzen grenzen;
  std::function<TDiscId()> discLesen = [] { return discIdLesen(); };

  QGroupBox *GB_strichcode = nullptr, *GB_name = nullptr, *GB_laufwerk = nullptr;
  QLabel *L_strichcode = nullptr, *L_interpret = nullptr, *L_titel = nullptr, *L_laufwerk = nullptr,
         *L_status = nullptr;
  QLineEdit *e_strichcode = nullptr, *e_interpret = nullptr, *e_titel = nullptr;
  QPushButton *b_strichcode = nullptr, *b_name = nullptr, *b_laufwerk = nullptr, *b_abbrechen = nullptr;
  QProgressBar* pb_warten = nullptr;
  QTreeWidget* lv_ergebnisse = nullptr;
  QPushButton *b_uebernehmen = nullptr, *b_eingabemaske = nullptr, *b_schliessen = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int r) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  void FormShow();
  // Starts a look-up: "arbeit" runs on a worker thread.
  void suchen(const QString& status, std::function<TDienstAntwort(const std::atomic<bool>&)> arbeit);
  void antwortErhalten(const TDienstAntwort& a);
  void ergebnisseZeigen(std::vector<TVeroeffentlichung> liste);
  void fehlerMelden(TDienstFehler f);
  void zustandSetzen();
  std::vector<int> gewaehlteZeilen() const;

  THintergrund* hintergrund_ = nullptr;
  std::vector<TVeroeffentlichung> ergebnisse_;
};

extern TFOnline* FOnline;
