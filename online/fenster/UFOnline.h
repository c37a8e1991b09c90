#pragma once
// The online look-up's window: shows what the look-up (TOnlineSuche) finds in
// the online music database by barcode, by artist and title, or by the disc in
// the drive, and asks it to turn the picked releases into entries, directly or
// through the add-entry dialog. The look-ups run on worker threads; the window
// stays responsive and can cancel them at once.
#include <QDialog>
#include <vector>

#include "online/UOnlineSuche.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

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
  // Fetches the next releases of the last search and adds them to the list.
  void b_weitereClick();
  // Empties the result list.
  void b_leerenClick();

  bool sucht() const;
  // The look-up behind the window, made when first needed.
  TOnlineSuche& suche();

  QGroupBox *GB_strichcode = nullptr, *GB_name = nullptr, *GB_laufwerk = nullptr;
  QLabel *L_strichcode = nullptr, *L_interpret = nullptr, *L_titel = nullptr, *L_laufwerk = nullptr,
         *L_status = nullptr;
  QLineEdit *e_strichcode = nullptr, *e_interpret = nullptr, *e_titel = nullptr;
  QPushButton *b_strichcode = nullptr, *b_name = nullptr, *b_laufwerk = nullptr, *b_abbrechen = nullptr;
  QProgressBar* pb_warten = nullptr;
  QTreeWidget* lv_ergebnisse = nullptr;
  // The columns of the result list.
  enum Spalte { S_INTERPRET, S_TITEL, S_LABEL, S_JAHR, S_FORMAT, S_LAND, S_STRICHCODE, S_HINWEIS, SPALTEN };

  QPushButton *b_uebernehmen = nullptr, *b_eingabemaske = nullptr, *b_leeren = nullptr, *b_weitere = nullptr,
              *b_schliessen = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void done(int r) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  void FormShow();
  // Places the controls for the window's size.
  void layoutAnpassen();
  // Connects the look-up's signals to the controls.
  void sucheVerbinden();
  void ergebnisZeigen(int nr, bool inSammlung);
  void ergebnisseBehalten(const QList<int>& vorher);
  // A line that names a barcode without releases, and why.
  void meldungszeile(const QString& text);
  // Scanning: Enter in the barcode line; a barcode joins the look-up's queue.
  void strichcodeEingegeben();
  void scanAnnehmen(const QString& code);
  // The hint of a line, in its column (wrapped where the column is too narrow),
  // and with its explanation on hovering it and for screen readers.
  void hinweisSetzen(QTreeWidgetItem* z, const QString& kurz, const QString& erklaerung);
  // Selects the barcode line's text unless it changed from "textVorher".
  void strichcodeBereit(const QString& textVorher);
  void zustandSetzen();
  std::vector<int> gewaehlteZeilen() const;
  void inEingabemaske(int zeile);

  // The line of a release of the look-up, in the look-up's order.
  struct TZeile {
    QTreeWidgetItem* zeile = nullptr;  // owned by the list
    QString erklaerung;                // of its hints
  };

  TOnlineSuche* suche_ = nullptr;
  std::vector<TZeile> zeilen_;
  QString letzterScan_;  // the barcode line's text at the last scan
};

extern TFOnline* FOnline;
