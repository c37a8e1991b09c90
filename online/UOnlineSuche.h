#pragma once
// The online look-up's work, without a window: the searches of a source of
// releases (by name with further pages, by the disc in the drive, and the
// scanned barcodes, which wait in a queue and go out together), the releases
// found, their look-up for genres, and adding the picked ones to the
// collection through the controller. The look-ups run on worker threads; a
// window shows what the signals tell and asks through the methods.
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "online/UDiscId.h"
#include "online/UMBAntwort.h"
#include "online/UMBDienst.h"
#include "online/UQuelle.h"
#include "online/UScanSchlange.h"

class TConnect;
class THintergrund;

class TOnlineSuche : public QObject {
  Q_OBJECT
 public:
  // A release found; the lines that only name a barcode are not among them.
  struct TErgebnis {
    TVeroeffentlichung v;
    bool ausScan = false;  // found by a scan: stays until taken over or the list is cleared
    bool uebernommen = false;
    bool uebersprungen = false;  // already in the collection and left out once: the next take-over takes it
  };

  // Adds the releases taken over to the collection of "sammlung" (none without one).
  TOnlineSuche(std::unique_ptr<TQuelle> quelle, TConnect* sammlung, QObject* parent = nullptr);
  ~TOnlineSuche() override;

  // Bounds of each request; reading the disc in the drive.
  TDienstGrenzen grenzen;
  std::function<TDiscId()> discLesen = [] { return discIdLesen(); };

  bool sucht() const;
  const std::vector<TErgebnis>& ergebnisse() const { return ergebnisse_; }
  const QString& status() const { return status_; }
  // The last search by name has more releases than are listed.
  bool weitereMoeglich() const;
  // Scans are looked up only while this is set (the window is open).
  void setBereit(bool bereit) { bereit_ = bereit; }

  // A barcode (8 to 14 digits) joins the queue of scans.
  void scannen(const QString& code);
  void nameSuchen(const QString& interpret, const QString& titel);
  void discSuchen();
  // Fetches the next releases of the last search by name and adds them.
  void weitereLaden();
  // Cancels what runs: a genre look-up goes on with what is ready, a search ends with its scans.
  void abbrechen();
  // Ends everything that runs; nothing of it is added.
  void beenden();
  // Empties the list.
  void leeren();
  // Takes over the picked releases "gewaehlt" (numbers in ergebnisse()) as
  // new entries, as one step of undo, each looked up first for its genres. A
  // release taken over once is not added again; one already in the
  // collection is left out once and said in the status line. "danach" hears
  // whether entries were to be added, once the adding is over.
  void uebernehmen(const std::vector<int>& gewaehlt, std::function<void(bool versucht)> danach);
  // Looks the release "nr" up for its genres; "weiter" hears whether it is ready.
  void genresLaden(int nr, std::function<void(bool fertig)> weiter);
  void statusSetzen(const QString& text);

 signals:
  void statusGeaendert(const QString& text);
  // A new release at the end of ergebnisse(); "inSammlung": the collection holds its Interpret and Titel.
  void ergebnisNeu(int nr, bool inSammlung);
  // A new search kept these releases (their numbers before), in order; the others are gone.
  void ergebnisseBehalten(const QList<int>& vorher);
  void ergebnisseGeleert();
  // A line naming a barcode without releases, and why.
  void meldungNeu(const QString& text);
  void ergebnisUebernommen(int nr);
  // The first release of an answer, to be the current line.
  void erstesNeues(int nr);
  // An answer of a search or scan arrived: the barcode line may take the next scan.
  void strichcodeFrei();
  // A failure the user must confirm (lines separated by "\r").
  void fehler(const QString& text);
  void zustandGeaendert();

 private:
  using TArbeit = TQuelle::TArbeit;
  struct TGenreAuftrag;

  void suchen(const QString& status, TArbeit arbeit, bool anhaengen);
  void antwortErhalten(const TDienstAntwort& a);
  void fehlerMelden(TDienstFehler f);
  void ergebnisseZeigen(TAntwortSeite seite);
  void ergebnisHinzufuegen(const TVeroeffentlichung& v, const std::set<std::string>& vorhanden, bool ausScan);
  void naechsteScans();
  void scansErhalten(const QStringList& codes, const TDienstAntwort& a);
  void scansAbbrechen();
  // Looks up each release of "zeilen" the search gave without genres (one
  // request each, a release picked twice once), takes the genres of the
  // answers, then runs "weiter" with the lines that are ready: all of them,
  // or when cancelled those looked up by then and those that needed no look-up.
  // A release the source does not give keeps what the list knows: a pick is
  // never lost. The status line counts the look-ups ("Genres: 5 von 17").
  void genresNachschlagen(const std::vector<int>& zeilen, std::function<void(const std::vector<int>&)> weiter);
  // Cancels the running genre look-up: what is ready goes on.
  void genresAbbrechen();
  void hinzufuegen(const std::vector<int>& zeilen);

  std::unique_ptr<TQuelle> quelle_;
  TConnect* sammlung_;
  THintergrund* hintergrund_;
  std::vector<TErgebnis> ergebnisse_;
  // Shared with the worker of a scan search, which takes its stack from it.
  std::shared_ptr<TScanSchlange> scans_ = std::make_shared<TScanSchlange>();
  int scanSuche_ = 0;  // counts the scan searches, so that a late word of an ended one is dropped
  std::shared_ptr<TGenreAuftrag> genreAuftrag_;
  TQuelle::TSeitenArbeit weitere_;  // the last search by name; empty for a disc look-up
  int seitenTreffer_ = 0;           // releases of the last search by name or disc in the list
  int gesamt_ = 0;                  // releases that search found in all
  bool anhaengen_ = false;
  bool bereit_ = false;
  QString status_;
};
