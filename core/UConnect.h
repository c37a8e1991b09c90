#pragma once
// The controller of the collection: the one place where the collection
// changes (add, change, delete, move, sort, append, load, save). It keeps
// what belongs to the collection being worked on (its file name, the mark of
// unsaved changes, the marked entry) and tells the main window, its view,
// what to show. It shows nothing itself: outcomes that the user is to read
// are handed to the view.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "angaben/UAngaben.h"
#include "angaben/UAngabenDatei.h"
#include "core/UDBSortTree.h"
#include "core/UDateiWache.h"
#include "verlauf/UVerlauf.h"

// The list line of an entry as the list shows it: records from a file keep
// their bytes, so a line break inside a field is shown as a blank.
QString listenzeileAnzeigen(const TDatensatz& d);

// An entry needs its Interpret and its Titel: adding, changing and the
// overview's apply refuse one without.
inline bool pflichtfelderGefuellt(const QString& interpret, const QString& titel) {
  return !interpret.isEmpty() && !titel.isEmpty();
}

// What a command of the controller has to tell the user.
enum class TConnectMeldung {
  SammlungVoll,          // adding one entry to a full collection
  PflichtfelderNeu,      // a new entry without Interpret or Titel
  PflichtfelderAendern,  // a changed entry without Interpret or Titel
  NichtVollstaendig,     // appending stopped at the limit of the collection
  Gespeichert,           // the file was written
  FalscherTyp,           // a file that is no collection file
};

// The view of the controller: the main window.
class IConnectAnsicht {
 public:
  virtual ~IConnectAnsicht() = default;
  // The list: every line anew, or lines added at its end.
  virtual void listeNeu(const QStringList& zeilen) = 0;
  virtual void zeilenAnhaengen(const QStringList& zeilen) = 0;
  // Shows line "zeile" (from 0; -1: none) as the marked one.
  virtual void markierungZeigen(int zeile) = 0;
  // Detail fields, counters and commands as the collection now stands.
  virtual void aktualisieren() = 0;
  // The window title and whether "Speichern" can write to the current file.
  virtual void dateiZeigen(const QString& titel, bool speichernMoeglich) = 0;
  // The please-wait window of long operations.
  virtual void warten(bool an) = 0;
  virtual void melden(TConnectMeldung meldung) = 0;
  // Asked before a file changed outside the program is written over.
  virtual bool ueberschreibenErlaubt(const QString& pfad) = 0;
  // Printing: the print dialog (false: cancelled), the line of an entry, then the lines printed.
  virtual bool druckBeginnen() = 0;
  virtual QString druckzeile(int n, const TDatensatz& d) = 0;
  virtual void drucken(const QStringList& zeilen) = 0;
  virtual void druckBeendet() = 0;
  // The list's first visible line (from 0), and scrolling the list so that "zeile" is its first visible line.
  virtual int obersteZeile() const = 0;
  virtual void obersteZeileSetzen(int zeile) = 0;
  // What undo and redo would act on has changed.
  virtual void verlaufZeigen() = 0;
  // A notice for the user (lines separated by CR), e.g. about the details kept beside a file.
  virtual void hinweis(const QString& /*text*/) {}
};

class TConnect : public ISortAnzeige {
 public:
  void setAnsicht(IConnectAnsicht* ansicht) { ansicht_ = ansicht; }

  // --- the collection being worked on
  QString get_filename() const { return dateiname_; }
  void set_filename(const QString& pfad) { dateiname_ = pfad; }
  bool file_changed() const { return geaendert_; }
  void file_was_changed();
  void file_wasnot_changed();
  // Told whenever the collection or its changed mark may have changed (after
  // or shortly before the change itself: a listener that reads the collection
  // does so later, not inside the call).
  void beobachterSetzen(std::function<void()> beobachter) { beobachter_ = std::move(beobachter); }
  // The marked line of the list (from 0), -1 when none.
  int markiert() const { return markiert_; }
  // Marks line "zeile" and shows it so.
  void markieren(int zeile);
  // The line the user marked in the list.
  void markierungUebernehmen(int zeile) { markiert_ = zeile; }

  // --- refresh and list
  void anzeigen_aktualisieren();
  void liste_neu_aufbauen();

  // --- entry commands
  bool datensatz_hinzufuegen(const QString& interpret, const QString& titel, const QString& label,
                             const QString& release, const QString& typ, const QString& genre,
                             const QString& kommentar);
  void datensatz_aendern(const QString& interpret, const QString& titel, const QString& label,
                         const QString& release, const QString& typ, const QString& genre,
                         const QString& kommentar);
  void datensatz_loeschen();
  void nach_oben();
  void nach_unten();
  void neue_sammlung();
  // Appends "saetze" as far as the collection has room, marks the first of
  // them, and says when some were left out ("ausgelassen" more were already
  // left out before). "angaben": the details of each of "saetze", at the
  // same index (none when null). The number appended.
  int datensaetze_anhaengen(const std::vector<TDatensatz>& saetze, int ausgelassen = 0,
                            const QString& schritt_name = "CSV-Import", const std::vector<TAngaben>* angaben = nullptr);
  // Every entry of the collection replaced by "saetze" (one per entry, in order).
  void alle_ersetzen(const std::vector<TDatensatz>& saetze);

  // --- the collector's details of entry "pos" (1-based), kept beside the collection file
  TAngaben angaben(int pos) const;
  // Changes them: one step of the history; the collection counts as changed.
  void angabenAendern(int pos, const TAngaben& a);
  // The details' file of the collection: read at load, written at every save before the collection file.
  const TAngabenDatei& angabenDatei() const { return angabenDatei_; }
  // At start-up the details are attached only once the window shows the
  // collection: a load while this is on holds them back for angabenNachladen.
  void angabenSpaeter(bool an) { angabenSpaeter_ = an; }
  // Attaches the details held back at the load (nothing when none are).
  void angabenNachladen();
  // The quick check of the details' file (after the first paint at start-up):
  // a damaged one is set aside and the user told; the details stay, and the
  // collection counts as changed so that they are written anew.
  void angabenPruefen();

  // --- undo and redo
  // One command of the user: what it changes in the collection until it ends
  // is one step of the history, named "name". Commands inside it add no step
  // of their own. With no name, the collection is new (a file is loaded) and
  // its history starts anew.
  class TSchritt {
   public:
    TSchritt(TConnect& c, const QString& name);
    ~TSchritt();
    TSchritt(const TSchritt&) = delete;
    TSchritt& operator=(const TSchritt&) = delete;

   private:
    TConnect& c_;
  };
  bool kann_rueckgaengig() const { return verlauf_.kannRueckgaengig(); }
  bool kann_wiederherstellen() const { return verlauf_.kannWiederherstellen(); }
  // The name of the step undo / redo would act on.
  QString rueckgaengig_name() const;
  QString wiederherstellen_name() const;
  void rueckgaengig();
  void wiederherstellen();
  // Sorts by field "key" (1..6: Interpret..Genre), one step.
  void sortieren(int key, bool aufsteigend);
  const TVerlauf& verlauf() const { return verlauf_; }

  // --- collection files
  void datei_hinzuladen(const QString& pfad);
  void datei_oeffnen(const QString& pfad);
  // False when the user declined to write over changes made outside the program.
  bool datei_speichern(const QString& pfad);
  bool dateityp_pruefen(const QString& pfad);
  // The collection read from a recovery copy's records "saetze", under the
  // name of the file it belongs to (empty: a collection never saved), and
  // marked changed. "stand": that file's state when the copy's collection was
  // last loaded or saved, so that a save asks before it writes over what was
  // changed since (nothing: its state now). "beilagen": each entry's details
  // as the copy holds them (null: it holds none, they come from the details'
  // file beside the original, as at a load).
  void kopie_laden(std::string_view saetze, const QString& originalName,
                   const std::optional<TDateiKennung>& stand = std::nullopt,
                   const std::vector<std::string>* beilagen = nullptr);
  // The collection file's state as remembered at the last load or save.
  const TDateiWache& dateiWache() const { return wache_; }

  // --- printing: the print dialog, then every entry as a line, then their print
  void liste_drucken();

  // --- sorting (the window side around TDBSortTree::sortieren)
  void sortierungBeginnt(int anzahl) override;
  void sortierungBeendet(int anzahl) override;

 private:
  void nachLesefehler();
  // New entries "von".."bis" (1-based; one when "bis" is left out) get today's
  // date as "Aufgenommen am" where they carry none, once the collection has details.
  void heuteAufgenommen(int von, int bis = -1);
  // At least one entry carries details.
  bool hatAngaben() const;
  // Attaches the details kept beside "datei" to its entries, appended from position "vorher" + 1 on.
  void angabenAnhaengen(const std::string& datei, int vorher);
  void verlaufAnwenden(bool zurueck);
  // The collection's file as a step of the history keeps it, and giving it back.
  TDateiStand dateiStand() const;
  void dateiStandSetzen(const TDateiStand& stand);
  void schrittBeenden();
  TListenStand listenStand() const;
  void dateiZeigen(const QString& titel, bool speichernMoeglich);

  IConnectAnsicht* ansicht_ = nullptr;
  TDateiWache wache_;
  TAngabenDatei angabenDatei_;
  bool angabenSpaeter_ = false;
  // The collection file whose details are still to be attached.
  std::string angabenAusstehend_;
  QString dateiname_;
  bool geaendert_ = false;
  int markiert_ = -1;
  std::function<void()> beobachter_;
  TVerlauf verlauf_;
  int schrittTiefe_ = 0;
  QString schrittName_;
  // The collection was saved (or found unchanged) during the running step.
  bool gespeichertImSchritt_ = false;
  // The collection's file when the running step began, and the settings'
  // last-file entry before the step wrote it (nothing: it did not).
  TDateiStand dateiVorSchritt_;
  std::optional<std::string> letzteVorSchritt_;
};

// Threshold above which long entry and file operations show the please-wait window.
constexpr int WARTEN_AB = 700;
constexpr int WARTEN_SORTIEREN_AB = 200;

// A path as the file layer takes it (the exact bytes that name the file on this
// system; also the form "filename" is stored in the settings), and back.
std::string dateiPfad(const QString& pfad);
QString pfadAusDatei(const std::string& bytes);
// Lower-cases the letters A..Z only; every other character stays.
QString kleinAZ(const QString& s);
// The window title for a collection file: "Vemla   [ " + path lower-cased + " ]".
QString titelFuerDatei(const QString& pfad);

// The controller of the program, created by the main window.
extern TConnect* Connect;
inline const QString STARTTITEL = QStringLiteral("Vemla  [ v 1.0.6 ]");
