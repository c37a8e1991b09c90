#pragma once
// The online look-up: finds releases in the online music database by barcode,
// by artist and title, or by the disc in the drive, and turns the picked ones
// into entries, directly or through the add-entry dialog. The look-ups run on
// worker threads; the window stays responsive and can cancel them at once.
#include <QDialog>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "online/UDiscId.h"
#include "online/UMBAntwort.h"
#include "online/UMBDienst.h"
#include "online/UScanSchlange.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
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
  // Fetches the next releases of the last search and adds them to the list.
  void b_weitereClick();
  // Empties the result list.
  void b_leerenClick();

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
  // Starts a look-up: "arbeit" runs on a worker thread. A new search clears the
  // list; fetching more of the last search ("anhaengen") adds to it.
  void suchen(const QString& status, std::function<TDienstAntwort(const std::atomic<bool>&)> arbeit,
              bool anhaengen = false);
  // A search of the service at "adresse", which can be continued with "Weitere laden".
  void dienstSuchen(const QString& status, const QString& adresse);
  void antwortErhalten(const TDienstAntwort& a);
  void ergebnisseZeigen(TAntwortSeite seite);
  void zeileHinzufuegen(const TVeroeffentlichung& v, const std::set<std::string>& vorhanden, bool ausScan);
  // A line that names a barcode without releases, and why.
  void meldungszeile(const QString& text);
  // Scanning: Enter in the barcode line; a barcode joins the queue, which is
  // looked up whenever no other look-up runs.
  void strichcodeEingegeben();
  void scanAnnehmen(const QString& code);
  // Starts the search for the waiting scans: its worker takes what waits when
  // the request may really go out, after the wait for the service.
  void naechsteScans();
  void scansErhalten(const QStringList& codes, const TDienstAntwort& a);
  // Ends the scans not yet looked up, each with its line in the list.
  void scansAbbrechen();
  // The hint of a line, in its column (wrapped where the column is too narrow),
  // and with its explanation on hovering it and for screen readers.
  void hinweisSetzen(QTreeWidgetItem* z, const QString& kurz, const QString& erklaerung);
  // Selects the barcode line's text unless it changed from "textVorher".
  void strichcodeBereit(const QString& textVorher);
  void fehlerMelden(TDienstFehler f);
  void zustandSetzen();
  std::vector<int> gewaehlteZeilen() const;
  // Looks up each release of "zeilen" the search gave without genres (one
  // request each, a release picked twice once), takes the genres of the
  // answers, then runs "weiter" with the lines that are ready: all of them,
  // or when cancelled those looked up by then and those that needed no look-up.
  // A release the service does not give keeps what the list knows: a pick is
  // never lost. The status line counts the look-ups ("Genres: 5 von 17").
  void genresLaden(const std::vector<int>& zeilen, std::function<void(const std::vector<int>&)> weiter);
  // Cancels the running genre look-up: what is ready goes on.
  void genresAbbrechen();
  void hinzufuegen(const std::vector<int>& zeilen);
  void inEingabemaske(int zeile);

  // A release of the result list; lines that only name a barcode have none.
  struct TErgebnis {
    TVeroeffentlichung v;
    QTreeWidgetItem* zeile = nullptr;  // owned by the list
    bool ausScan = false;              // found by a scan: stays until taken over or the list is cleared
    bool uebernommen = false;
    bool uebersprungen = false;  // already in the collection and left out once: the next "Übernehmen" takes it
    QString erklaerung;          // of its hints
  };
  // The genre look-up running now.
  struct TGenreAuftrag {
    std::vector<int> zeilen;                 // all the lines to go on with
    std::vector<std::vector<int>> fehlend;   // per look-up, the lines of that release
    std::vector<char> fertig;                // per look-up: answered
    int erhalten = 0;
    std::function<void(const std::vector<int>&)> weiter;
  };

  THintergrund* hintergrund_ = nullptr;
  std::vector<TErgebnis> ergebnisse_;  // in the order of the list
  // Shared with the worker of a scan search, which takes its stack from it.
  std::shared_ptr<TScanSchlange> scans_ = std::make_shared<TScanSchlange>();
  int scanSuche_ = 0;  // counts the scan searches, so that a late word of an ended one is dropped
  std::shared_ptr<TGenreAuftrag> genreAuftrag_;
  QString letzterScan_;        // the barcode line's text at the last scan
  QString suchadresse_;  // of the last search by name; empty for a disc look-up
  int seitenTreffer_ = 0;  // releases of the last search by name or disc in the list
  int gesamt_ = 0;         // releases that search found in all
  bool anhaengen_ = false;
};

extern TFOnline* FOnline;
