#pragma once
// The recovery copy: while the collection holds unsaved changes, a copy of it
// lies in the state folder (its records and what belongs to them: the
// entries' details, the original file's name and state, the time;
// sicherung/UKopieAngaben.h), so
// that a program killed, a machine without power or a failed save at the exit
// loses nothing. The copy is written at most "verzoegerung" after a change:
// the collection's entries are copied on the calling (main) thread at each
// change and handed to a writer thread, which turns them into bytes and writes
// them into a new file of its own that then replaces the copy in one rename,
// and writes at once when the process is asked to end by a signal (the main
// thread then makes the exit's settings writes and the process ends, without
// a question). Copies are for the user alone (the folder 0700, every file 0600).
//
// Every running program keeps its files under an id of its own: the copy
// "kopie-<id>.sicherung", while it is written "kopie-<id>.neu", and
// "kopie-<id>.sperre", on which it holds an exclusive lock (flock) for its
// whole life: files whose lock can be taken belong to a program that no longer
// runs. (An older version kept "kopie-<id>.vem" beside "kopie-<id>.angaben".)
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sicherung/UKopieAngaben.h"
#include "sicherung/UKopieSchreiber.h"

class TConnect;
class TDatBas;

// A copy left by a program that no longer runs, locked by this one while the object lives.
class TVerwaisteKopie {
 public:
  TVerwaisteKopie(QString ordner, QString id, int sperre);
  ~TVerwaisteKopie();
  TVerwaisteKopie(TVerwaisteKopie&& k) noexcept;
  TVerwaisteKopie& operator=(TVerwaisteKopie&&) = delete;

  // The file that holds the copy's records.
  QString pfad() const;
  // What belongs to the copy; nothing when it is damaged (unreadable, its
  // records not those its data name, no whole number of records or above the limit).
  const std::optional<TKopieAngaben>& angaben() const { return angaben_; }
  // The copy's records (empty when damaged).
  const std::string& saetze() const { return saetze_; }
  // The details of each entry in order; nothing: the copy carries none (an earlier version's).
  const std::optional<std::vector<std::string>>& beilagen() const { return beilagen_; }
  // True when the copy holds exactly the bytes its collection file holds now:
  // there is nothing to restore.
  bool wieGespeichert() const;
  // Removes the copy and every file of its program.
  void entfernen();
  // Renames the copy (and an older version's companion) with the date in
  // front ("beschaedigt-20261208-061500-kopie-<id>.sicherung"); never
  // deletes. The copy's new path.
  QString beiseitelegen();

 private:
  QString ordner_, id_;
  int sperre_ = -1;
  std::optional<TKopieAngaben> angaben_;
  std::string saetze_;
  std::optional<std::vector<std::string>> beilagen_;
};

class TSicherung {
 public:
  // Keeps copies of the collection of "connect" and "db" in "ordner".
  TSicherung(QString ordner, TConnect& connect, const TDatBas& db, int verzoegerungMs = 2000);
  // At the end: unsaved changes that were not given up are written once more
  // and stay; otherwise the copy goes. The lock is released either way.
  ~TSicherung();
  TSicherung(const TSicherung&) = delete;
  TSicherung& operator=(const TSicherung&) = delete;

  const QString& ordner() const { return ordner_; }
  // The collection or its changed mark may have changed (the controller's listener).
  void geaendert();
  // Writes the copy now and waits for it (after a restore, at the end); true
  // when it lies on disk with the collection as it is.
  bool jetztSchreiben();
  // At the exit, after a failed or cancelled save: writes the copy now; true
  // when no copy holds the unsaved changes (ending would lose them).
  bool kopieFehlt();
  // Hears the notices about the copy: it cannot be written (once, with the
  // folder and the reason; "bleibt" true), and it is written again.
  void hinweisSetzen(std::function<void(const QString& text, bool bleibt)> hinweis) { hinweis_ = std::move(hinweis); }
  // Runs on the main thread when a signal ends the process, after the copy is
  // written: the exit's settings writes. The process then ends.
  void beiSignalSetzen(std::function<void()> beiSignal) { beiSignal_ = std::move(beiSignal); }
  // The process ends by exit() without the program's end (Qt does so when the
  // display goes away): the newest state handed over goes to disk. Touches
  // nothing of Qt.
  void prozessEndet();
  // The user gave the unsaved changes up or saved them at the exit: the copy
  // goes, and none is written for the rest of the run.
  void aufgeben();
  // Whether this program's copy lies on disk now (after any running write).
  bool kopieDa();
  QString eigeneKopie() const;

  // The copies of programs that no longer run, each locked for this program
  // (one folder listing; nothing when the folder does not exist). On the way,
  // what programs that no longer run left besides copies goes (files half
  // written, lock files, an older version's lone companions and, when no other
  // program runs, its temporary files), and so does a copy that holds exactly
  // what its collection file holds.
  std::vector<TVerwaisteKopie> verwaisteKopien() const;

 private:
  void schreiben();
  bool uebergeben();
  void entfernen();
  void ergebnis(const std::string& fehler);
  void fehlerMelden(const std::string& grund);
  void signalEnde(int signal);
  bool sperreNehmen();

  QString ordner_;
  TConnect& connect_;
  const TDatBas& db_;
  QTimer timer_;
  QString id_;
  int sperre_ = -1;
  bool kopieDa_ = false;
  bool aufgegeben_ = false;
  // The writer holds the collection as it is now.
  bool uebergeben_ = false;
  // The notice that the copy cannot be written stands (said once until it works again).
  bool gemeldet_ = false;
  std::function<void(const QString&, bool)> hinweis_;
  std::function<void()> beiSignal_;
  std::atomic<bool> signalGesehen_{false};
  // Last: it goes first, before the timer its results are sent to.
  std::unique_ptr<TKopieSchreiber> schreiber_;
};
