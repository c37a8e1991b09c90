#pragma once
// The details' database beside a collection file (SQLite, "NAME.vemx" beside
// "NAME.vem"). It holds the detail sets and, for the last saves, the mapping
// of the collection's entries to them, tagged by a checksum of the whole
// collection file each mapping belongs to. A save commits the new mapping
// while keeping the one before, so whatever moment a save is cut off at, the
// collection file on disk finds its mapping.
//
// One connection per file; the rollback journal (network shares handle WAL
// badly) with synchronous=FULL. Everything read from the file is checked: a
// database is untrusted input.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "angaben/UAngaben.h"
#include "angaben/UZuordnen.h"
#include "core/UFehler.h"

struct sqlite3;

// A database that cannot be used as details: not SQLite, of another program,
// damaged. The text says so in German.
class EAngabenDbFehler : public EVemlaFehler {
 public:
  using EVemlaFehler::EVemlaFehler;
};

// The details' file of a collection file: its name with "x" appended.
std::string angabenPfad(const std::string& vemPfad);

// Everything one save writes.
struct TAngabenStand {
  std::string sammlung;       // the collection file's name (without its folder)
  std::uint64_t vemPruefsumme = 0;  // of the whole collection file as written
  std::vector<TGespeicherterEintrag> zuordnung;
  std::map<long long, TAngaben> angaben;  // every detail set of the collection's entries
  std::vector<long long> nichtZugeordnet; // detail sets kept without an entry
};

class TAngabenDb {
 public:
  static constexpr std::int32_t ANWENDUNG = 0x56454d58;  // "VEMX"
  static constexpr int SCHEMA = 1;

  // Opens the database at "pfad"; with "anlegen" a missing file is created.
  // Nothing when the file does not exist and "anlegen" is false. A database of
  // a newer version opens read-only (nurLesen()). Raises EAngabenDbFehler when
  // the file is no details' database or is damaged.
  static std::unique_ptr<TAngabenDb> oeffnen(const std::string& pfad, bool anlegen);
  ~TAngabenDb();
  TAngabenDb(const TAngabenDb&) = delete;
  TAngabenDb& operator=(const TAngabenDb&) = delete;

  bool nurLesen() const { return nurLesen_; }
  const std::string& pfad() const { return pfad_; }

  // The collection's name as last saved ("" in a new database).
  std::string sammlung() const;
  // The checksums of the collection files whose mappings are kept, newest first.
  std::vector<std::uint64_t> staende() const;
  std::vector<TGespeicherterEintrag> zuordnung(std::uint64_t vemPruefsumme) const;
  std::map<long long, TAngaben> angaben() const;
  std::vector<long long> nichtZugeordnet() const;

  // One transaction: the new mapping beside the newest one before it (older
  // ones go), the detail sets of both, the sets without an entry.
  void speichern(const TAngabenStand& stand);
  // SQLite's quick check: "ok", or what it found.
  std::string schnellPruefen() const;
  // A copy of the whole database at "ziel" (which must not exist), made by SQLite.
  void kopieren(const std::string& ziel) const;
  // Read back for tests: the connection's synchronous setting (2: FULL) and journal mode.
  int synchronModus() const;
  std::string journalModus() const;

 private:
  TAngabenDb(sqlite3* db, std::string pfad, bool nurLesen);
  void ausfuehren(const char* sql) const;
  void einrichten();

  sqlite3* db_ = nullptr;
  std::string pfad_;
  bool nurLesen_ = false;
  struct TBekannt;
  std::unique_ptr<TBekannt> bekannt_;
  long long datenVersion_ = -1;
};
