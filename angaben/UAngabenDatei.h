#pragma once
// The details of a collection on disk: read after the collection file was
// loaded and attached to its entries, written before the collection file is
// saved. The collection file itself never changes for them; without details
// no details' file is ever made.
//
// A save first commits the details with the mapping of the collection file
// about to be written (tagged by its checksum), keeping the mapping before,
// and only then the collection file is put in place: a save cut off at any
// moment leaves a collection file whose mapping is in the database.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "angaben/UAngabenDb.h"
#include "core/USicherSchreiben.h"

class TDatBas;

// The checksum of a collection file holding the entries of "db".
std::uint64_t sammlungsPruefsumme(const TDatBas& db);

class TAngabenDatei {
 public:
  TAngabenDatei();
  ~TAngabenDatei();

  // What loading found, for the user (UTF-8 lines; empty: nothing to tell).
  struct TGeladen {
    std::string hinweis;
    int nachNamen = 0;
    int nichtZugeordnet = 0;
  };
  // Attaches the details kept beside "vemPfad" to the entries of "db", just
  // loaded from it, and gives every other entry a new identity. A damaged
  // details' file is set aside (renamed with the date), one that belongs to
  // another collection is left alone; either way the collection loads.
  // "offen": a details' file open already, used instead of a second
  // connection when it is the one beside "vemPfad" (SQLite's locks do not
  // survive a second descriptor on one file in one process).
  TGeladen laden(const std::string& vemPfad, TDatBas& db, const TAngabenDatei* offen = nullptr);
  // The details' file beside "vemPfad" becomes this collection's (the next
  // save writes into it), but the entries of "db" keep the details they carry
  // (a restored copy holds its own): they only get identities of their own,
  // none of which the file knows. Sets the file keeps without an entry stay so.
  TGeladen uebernehmen(const std::string& vemPfad, TDatBas& db);
  // True when the details' file beside "vemPfad" is the one loaded or saved
  // last and another program changed, made or replaced it since.
  bool fremdGeaendert(const std::string& vemPfad) const;
  // Writes the details of "db" beside "vemPfad" before "db" is written there.
  // Nothing when there are none and no details' file is there. Raises EVemlaFehler.
  void speichern(const std::string& vemPfad, const TDatBas& db);
  // A new collection: no details file, nothing without an entry.
  void vergessen();

  // Detail sets that belong to no entry (by identity).
  const std::map<long long, TAngaben>& nichtZugeordnet() const { return ohneEintrag_; }
  void nichtZugeordnetEntfernen(long long id) { ohneEintrag_.erase(id); }
  // The open database (for the quick check after the first paint), or null.
  TAngabenDb* datenbank() const { return db_.get(); }

 private:
  void schliessen();
  // Opens the details' file beside "vemPfad"; false when there is none or it cannot be used ("g" says why).
  bool dbOeffnen(const std::string& vemPfad, const TAngabenDatei* offen, TGeladen& g);
  TGeladen ladenOhneMerken(const std::string& vemPfad, TDatBas& db, const TAngabenDatei* offen);
  // Remembers the details' file's state now (nothing: it does not exist).
  void merken();

  std::shared_ptr<TAngabenDb> db_;
  std::string dbPfad_;
  // The details' file beside the collection belongs to another collection: it is set aside before a save.
  bool fremd_ = false;
  std::map<long long, TAngaben> ohneEintrag_;
  // The details' file as last loaded or saved: its path ("": none known) and its state then.
  std::string gemerktPfad_;
  std::optional<TDateiKennung> gemerkt_;
};

// Renames a file that cannot be used with a word and the date in front
// ("beschaedigt-20261208-061500-NAME"); never deletes. The new path, "" on failure.
std::string dateiBeiseitelegen(const std::string& pfad, const std::string& wort = "beschaedigt");
