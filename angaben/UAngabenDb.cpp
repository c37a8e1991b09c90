#include "angaben/UAngabenDb.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

const char* const SCHEMA_SQL =
    "CREATE TABLE IF NOT EXISTS info(schluessel TEXT PRIMARY KEY, wert) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS angaben(id INTEGER PRIMARY KEY, zustand_tontraeger TEXT, zustand_huelle TEXT,"
    " aufgenommen_am TEXT, gekauft_am TEXT, preis_cent INTEGER, gekauft_bei TEXT, standort TEXT,"
    " bewertung INTEGER, notizen TEXT, verliehen_an TEXT, verliehen_seit TEXT, zurueck_bis TEXT,"
    " zugeordnet INTEGER NOT NULL DEFAULT 1);"
    "CREATE TABLE IF NOT EXISTS stand(vem INTEGER PRIMARY KEY, folge INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS zuordnung(vem INTEGER NOT NULL, position INTEGER NOT NULL,"
    " pruefsumme INTEGER NOT NULL, interpret BLOB, titel BLOB, angaben INTEGER NOT NULL,"
    " PRIMARY KEY(vem, position)) WITHOUT ROWID;";

// At most this many entries and detail sets are read: more than any collection holds.
constexpr int HOECHSTENS = 100000;

[[noreturn]] void fehler(sqlite3* db, const std::string& wobei) {
  const int code = db ? sqlite3_extended_errcode(db) : SQLITE_ERROR;
  const int grund = code & 0xff;
  if (grund == SQLITE_NOTADB || grund == SQLITE_CORRUPT)
    throw EAngabenDbFehler("Die Datei der Sammlerangaben ist beschädigt oder keine Datenbank");
  if (grund == SQLITE_FULL) throw EAngabenDbFehler("Zu wenig Speicherplatz für die Sammlerangaben");
  if (grund == SQLITE_READONLY || grund == SQLITE_PERM || grund == SQLITE_CANTOPEN)
    throw EAngabenDbFehler("Auf die Datei der Sammlerangaben kann nicht zugegriffen werden");
  throw EAngabenDbFehler("Fehler in der Datei der Sammlerangaben (" + wobei + ": " +
                         (db ? sqlite3_errmsg(db) : "") + ")");
}

class TAnweisung {
 public:
  TAnweisung(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK) fehler(db, "vorbereiten");
  }
  ~TAnweisung() { sqlite3_finalize(st_); }
  TAnweisung(const TAnweisung&) = delete;
  TAnweisung& operator=(const TAnweisung&) = delete;

  TAnweisung& zahl(int i, long long v) {
    sqlite3_bind_int64(st_, i, v);
    return *this;
  }
  TAnweisung& text(int i, const std::string& s) {
    sqlite3_bind_text(st_, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    return *this;
  }
  TAnweisung& bytes(int i, const std::string& s) {
    sqlite3_bind_blob(st_, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    return *this;
  }
  TAnweisung& leer(int i) {
    sqlite3_bind_null(st_, i);
    return *this;
  }
  // True while there is a row.
  bool schritt() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) fehler(db_, "lesen");
    return false;
  }
  void fertig() {
    while (schritt()) {
    }
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
  }
  long long spalteZahl(int i) const { return sqlite3_column_int64(st_, i); }
  bool spalteLeer(int i) const { return sqlite3_column_type(st_, i) == SQLITE_NULL; }
  // Any column as bytes (text or blob); NULL is "".
  std::string spalteText(int i, std::size_t hoechstens = 1 << 20) const {
    const void* p = sqlite3_column_blob(st_, i);
    const int n = sqlite3_column_bytes(st_, i);
    if (!p || n <= 0) return {};
    return std::string(static_cast<const char*>(p), std::min<std::size_t>(static_cast<std::size_t>(n), hoechstens));
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
};

std::string datumOderLeer(std::string s) { return isoDatumGueltig(s) ? s : std::string(); }

}  // namespace

std::string angabenPfad(const std::string& vemPfad) { return vemPfad + "x"; }

std::unique_ptr<TAngabenDb> TAngabenDb::oeffnen(const std::string& pfad, bool anlegen) {
  struct stat st {};
  const bool da = ::stat(pfad.c_str(), &st) == 0;
  if (!da && !anlegen) return nullptr;
  if (da && !S_ISREG(st.st_mode))
    throw EAngabenDbFehler("Die Datei der Sammlerangaben ist keine gewöhnliche Datei");
  for (int versuch = 0; versuch < 2; ++versuch) {
    const bool lesend = versuch == 1;
    sqlite3* db = nullptr;
    const int flags = (lesend ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | (anlegen ? SQLITE_OPEN_CREATE : 0)) |
                      SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE;
    if (sqlite3_open_v2(pfad.c_str(), &db, flags, nullptr) != SQLITE_OK) {
      const std::string text = db ? sqlite3_errmsg(db) : "";
      sqlite3_close(db);
      if (!lesend && da) continue;  // perhaps a write-protected file: read it at least
      throw EAngabenDbFehler("Die Datei der Sammlerangaben kann nicht geöffnet werden (" + text + ")");
    }
    std::unique_ptr<TAngabenDb> a(new TAngabenDb(db, pfad, lesend));
    sqlite3_extended_result_codes(db, 1);
    // Reading the header tells a file that is no SQLite database.
    TAnweisung kennung(db, "PRAGMA application_id");
    kennung.schritt();
    const long long anwendung = kennung.spalteZahl(0);
    TAnweisung version(db, "PRAGMA user_version");
    version.schritt();
    const long long schema = version.spalteZahl(0);
    TAnweisung tabellen(db, "SELECT count(*) FROM sqlite_schema");
    tabellen.schritt();
    const bool neu = anwendung == 0 && schema == 0 && tabellen.spalteZahl(0) == 0;
    if (!neu && anwendung != ANWENDUNG)
      throw EAngabenDbFehler("Die Datei der Sammlerangaben gehört nicht zu Vemla");
    if (schema > SCHEMA && !lesend) continue;  // from a newer Vemla: read only
    if (neu && lesend) throw EAngabenDbFehler("Die Datei der Sammlerangaben ist leer und schreibgeschützt");
    a->ausfuehren("PRAGMA journal_mode=DELETE");
    a->ausfuehren("PRAGMA synchronous=FULL");
    a->ausfuehren("PRAGMA foreign_keys=OFF");
    a->ausfuehren("PRAGMA trusted_schema=OFF");
    if (!lesend) a->einrichten();
    return a;
  }
  throw EAngabenDbFehler("Die Datei der Sammlerangaben kann nicht geöffnet werden");
}

// What the file holds after this connection's last save: read again only when
// another connection has written since.
struct TAngabenDb::TBekannt {
  std::map<long long, std::vector<TGespeicherterEintrag>> zuordnungen;
  std::map<long long, TAngaben> angaben;
  std::set<long long> ohne;  // rows not given to an entry
};

TAngabenDb::TAngabenDb(sqlite3* db, std::string pfad, bool nurLesen)
    : db_(db), pfad_(std::move(pfad)), nurLesen_(nurLesen) {}

TAngabenDb::~TAngabenDb() { sqlite3_close_v2(db_); }

void TAngabenDb::ausfuehren(const char* sql) const {
  char* text = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &text) != SQLITE_OK) {
    sqlite3_free(text);
    fehler(db_, "ausführen");
  }
}

void TAngabenDb::einrichten() {
  ausfuehren("BEGIN IMMEDIATE");
  try {
    ausfuehren(SCHEMA_SQL);
    ausfuehren("PRAGMA application_id=1447382360");  // 0x56454d58
    ausfuehren("PRAGMA user_version=1");
    ausfuehren("COMMIT");
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

std::string TAngabenDb::sammlung() const {
  TAnweisung a(db_, "SELECT wert FROM info WHERE schluessel='sammlung'");
  return a.schritt() ? a.spalteText(0, 4096) : std::string();
}

std::vector<std::uint64_t> TAngabenDb::staende() const {
  std::vector<std::uint64_t> s;
  TAnweisung a(db_, "SELECT vem FROM stand ORDER BY folge DESC LIMIT 16");
  while (a.schritt()) s.push_back(static_cast<std::uint64_t>(a.spalteZahl(0)));
  return s;
}

std::vector<TGespeicherterEintrag> TAngabenDb::zuordnung(std::uint64_t vem) const {
  std::vector<TGespeicherterEintrag> z;
  TAnweisung a(db_,
               "SELECT position, pruefsumme, interpret, titel, angaben FROM zuordnung WHERE vem=?1 "
               "ORDER BY position");
  a.zahl(1, static_cast<long long>(vem));
  while (a.schritt() && static_cast<int>(z.size()) < HOECHSTENS) {
    const long long pos = a.spalteZahl(0);
    if (pos < 0 || pos >= HOECHSTENS) continue;
    TGespeicherterEintrag e;
    e.position = static_cast<std::uint32_t>(pos);
    e.pruefsumme = static_cast<std::uint64_t>(a.spalteZahl(1));
    e.interpret = a.spalteText(2, 255);
    e.titel = a.spalteText(3, 255);
    e.angaben = a.spalteZahl(4);
    z.push_back(std::move(e));
  }
  return z;
}

std::map<long long, TAngaben> TAngabenDb::angaben() const {
  std::map<long long, TAngaben> m;
  TAnweisung a(db_,
               "SELECT id, zustand_tontraeger, zustand_huelle, aufgenommen_am, gekauft_am, preis_cent, gekauft_bei,"
               " standort, bewertung, notizen, verliehen_an, verliehen_seit, zurueck_bis FROM angaben");
  while (a.schritt() && static_cast<int>(m.size()) < HOECHSTENS) {
    TAngaben g;
    g.zustandTontraeger = zustandAus(a.spalteText(1, 64));
    if (g.zustandTontraeger >= TZustand::NeutraleHuelle) g.zustandTontraeger = TZustand::Keiner;
    g.zustandHuelle = zustandAus(a.spalteText(2, 64));
    g.aufgenommenAm = datumOderLeer(a.spalteText(3, 16));
    g.gekauftAm = datumOderLeer(a.spalteText(4, 16));
    if (!a.spalteLeer(5) && a.spalteZahl(5) >= 0 && a.spalteZahl(5) < 100000000000000LL)
      g.preisCent = a.spalteZahl(5);
    g.gekauftBei = a.spalteText(6, 4096);
    g.standort = a.spalteText(7, 4096);
    const long long b = a.spalteZahl(8);
    g.bewertung = b < 0 ? 0 : b > 5 ? 5 : static_cast<int>(b);
    g.notizen = a.spalteText(9);
    g.verliehenAn = a.spalteText(10, 4096);
    g.verliehenSeit = datumOderLeer(a.spalteText(11, 16));
    g.zurueckBis = datumOderLeer(a.spalteText(12, 16));
    m.emplace(a.spalteZahl(0), std::move(g));
  }
  return m;
}

std::vector<long long> TAngabenDb::nichtZugeordnet() const {
  std::vector<long long> v;
  TAnweisung a(db_, "SELECT id FROM angaben WHERE zugeordnet=0 ORDER BY id");
  while (a.schritt() && static_cast<int>(v.size()) < HOECHSTENS) v.push_back(a.spalteZahl(0));
  return v;
}

void TAngabenDb::speichern(const TAngabenStand& stand) {
  if (nurLesen_)
    throw EAngabenDbFehler("Die Datei der Sammlerangaben stammt von einer neueren Vemla und wird nicht verändert");
  ausfuehren("BEGIN IMMEDIATE");
  std::unique_ptr<TBekannt> bekannt = std::move(bekannt_);
  try {
    // Another connection's commit changes the data version: then the file is read anew.
    long long version = -1;
    {
      TAnweisung v(db_, "PRAGMA data_version");
      if (v.schritt()) version = v.spalteZahl(0);
    }
    if (version != datenVersion_) bekannt.reset();
    const auto zuordnungVon = [&](long long vem) {
      if (bekannt)
        if (const auto it = bekannt->zuordnungen.find(vem); it != bekannt->zuordnungen.end()) return it->second;
      return zuordnung(static_cast<std::uint64_t>(vem));
    };

    TAnweisung name(db_, "INSERT OR REPLACE INTO info(schluessel, wert) VALUES('sammlung', ?1)");
    name.text(1, stand.sammlung).fertig();

    // The mapping kept beside the new one: the newest before it.
    const auto vorher = staende();
    std::optional<std::uint64_t> behalten;
    for (auto s : vorher)
      if (s != stand.vemPruefsumme) {
        behalten = s;
        break;
      }
    const long long neu = static_cast<long long>(stand.vemPruefsumme);
    const long long alt = behalten ? static_cast<long long>(*behalten) : neu;
    std::vector<TGespeicherterEintrag> behaltene;
    if (behalten) behaltene = zuordnungVon(alt);
    std::set<long long> gebraucht;
    for (const auto& e : behaltene) gebraucht.insert(e.angaben);

    // Only what differs from the file is written: a save after a few changes
    // writes a few rows, not the whole collection's details again.
    std::vector<long long> alteStaende;
    {
      TAnweisung alle(db_, "SELECT vem FROM stand");
      while (alle.schritt())
        if (alle.spalteZahl(0) != neu && alle.spalteZahl(0) != alt) alteStaende.push_back(alle.spalteZahl(0));
    }
    TAnweisung weg(db_, "DELETE FROM zuordnung WHERE vem=?1");
    TAnweisung wegStand(db_, "DELETE FROM stand WHERE vem=?1");
    for (long long v : alteStaende) {
      weg.zahl(1, v).fertig();
      wegStand.zahl(1, v).fertig();
    }
    if (!bekannt) {
      // Rows of no kept state (written by someone else) go too.
      TAnweisung waisen(db_, "DELETE FROM zuordnung WHERE vem NOT IN (SELECT vem FROM stand) AND vem<>?1");
      waisen.zahl(1, neu).fertig();
    }

    TAnweisung folge(db_, "INSERT OR REPLACE INTO stand(vem, folge) VALUES(?1, (SELECT coalesce(max(folge), 0) + 1 FROM stand))");
    folge.zahl(1, neu).fertig();
    const auto gleich = [](const TGespeicherterEintrag& a, const TGespeicherterEintrag& b) {
      return a.position == b.position && a.pruefsumme == b.pruefsumme && a.interpret == b.interpret &&
             a.titel == b.titel && a.angaben == b.angaben;
    };
    const auto bisher = zuordnungVon(neu);
    if (!std::equal(bisher.begin(), bisher.end(), stand.zuordnung.begin(), stand.zuordnung.end(), gleich)) {
      weg.zahl(1, neu).fertig();
      TAnweisung zeile(db_,
                       "INSERT INTO zuordnung(vem, position, pruefsumme, interpret, titel, angaben)"
                       " VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
      for (const auto& e : stand.zuordnung) {
        zeile.zahl(1, neu).zahl(2, e.position).zahl(3, static_cast<long long>(e.pruefsumme));
        zeile.bytes(4, e.interpret).bytes(5, e.titel).zahl(6, e.angaben).fertig();
      }
    }

    // Detail sets: those of the collection as they are now, those without an
    // entry, and those the kept mapping still names.
    std::set<long long> behaltenIds(gebraucht);
    for (const auto& [id, g] : stand.angaben) behaltenIds.insert(id);
    const std::set<long long> ohne(stand.nichtZugeordnet.begin(), stand.nichtZugeordnet.end());
    behaltenIds.insert(ohne.begin(), ohne.end());
    std::map<long long, TAngaben> vorhanden;
    std::set<long long> ohneVorher;
    if (bekannt) {
      vorhanden = std::move(bekannt->angaben);
      ohneVorher = std::move(bekannt->ohne);
    } else {
      vorhanden = angaben();
      const auto o = nichtZugeordnet();
      ohneVorher.insert(o.begin(), o.end());
      // Rows beyond what is read (a file made elsewhere) go as well.
      TAnweisung ids(db_, "SELECT id FROM angaben");
      std::vector<long long> fremde;
      while (ids.schritt())
        if (!vorhanden.count(ids.spalteZahl(0))) fremde.push_back(ids.spalteZahl(0));
      for (long long id : fremde) vorhanden.emplace(id, TAngaben{});
    }
    TAnweisung entf(db_, "DELETE FROM angaben WHERE id=?1");
    for (auto it = vorhanden.begin(); it != vorhanden.end();) {
      if (behaltenIds.count(it->first)) {
        ++it;
        continue;
      }
      entf.zahl(1, it->first).fertig();
      ohneVorher.erase(it->first);
      it = vorhanden.erase(it);
    }
    TAnweisung zuordnen(db_, "UPDATE angaben SET zugeordnet=?2 WHERE id=?1");
    for (long long id : gebraucht)
      if (!stand.angaben.count(id) && vorhanden.count(id) && ohne.count(id) != ohneVorher.count(id)) {
        zuordnen.zahl(1, id).zahl(2, ohne.count(id) ? 0 : 1).fertig();
        if (ohne.count(id)) ohneVorher.insert(id);
        else ohneVorher.erase(id);
      }

    TAnweisung satz(db_,
                    "INSERT OR REPLACE INTO angaben(id, zustand_tontraeger, zustand_huelle, aufgenommen_am, gekauft_am,"
                    " preis_cent, gekauft_bei, standort, bewertung, notizen, verliehen_an, verliehen_seit, zurueck_bis,"
                    " zugeordnet) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)");
    for (const auto& [id, g] : stand.angaben) {
      const auto da = vorhanden.find(id);
      if (da != vorhanden.end() && da->second == g && ohne.count(id) == ohneVorher.count(id)) continue;
      satz.zahl(1, id).text(2, zustandKuerzel(g.zustandTontraeger)).text(3, zustandKuerzel(g.zustandHuelle));
      satz.text(4, g.aufgenommenAm).text(5, g.gekauftAm);
      if (g.preisCent) satz.zahl(6, *g.preisCent); else satz.leer(6);
      satz.text(7, g.gekauftBei).text(8, g.standort).zahl(9, g.bewertung).text(10, g.notizen);
      satz.text(11, g.verliehenAn).text(12, g.verliehenSeit).text(13, g.zurueckBis);
      satz.zahl(14, ohne.count(id) ? 0 : 1).fertig();
      vorhanden[id] = g;
      if (ohne.count(id)) ohneVorher.insert(id);
      else ohneVorher.erase(id);
    }
    ausfuehren("COMMIT");
    bekannt = std::make_unique<TBekannt>();
    bekannt->zuordnungen[neu] = stand.zuordnung;
    if (behalten) bekannt->zuordnungen[alt] = std::move(behaltene);
    bekannt->angaben = std::move(vorhanden);
    bekannt->ohne = std::move(ohneVorher);
    bekannt_ = std::move(bekannt);
    datenVersion_ = version;
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

std::string TAngabenDb::schnellPruefen() const {
  TAnweisung a(db_, "PRAGMA quick_check(1)");
  return a.schritt() ? a.spalteText(0, 4096) : std::string("ok");
}

void TAngabenDb::kopieren(const std::string& ziel) const {
  TAnweisung a(db_, "VACUUM INTO ?1");
  a.text(1, ziel).fertig();
}

int TAngabenDb::synchronModus() const {
  TAnweisung a(db_, "PRAGMA synchronous");
  return a.schritt() ? static_cast<int>(a.spalteZahl(0)) : -1;
}

std::string TAngabenDb::journalModus() const {
  TAnweisung a(db_, "PRAGMA journal_mode");
  return a.schritt() ? a.spalteText(0, 32) : std::string();
}
