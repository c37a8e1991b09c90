#include "angaben/UAngabenDatei.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <set>

#include "core/UDatbas.h"
#include "core/UDateiWache.h"
#include "core/USicherSchreiben.h"

namespace {

std::string nameOhneOrdner(const std::string& pfad) {
  const auto p = pfad.find_last_of('/');
  return p == std::string::npos ? pfad : pfad.substr(p + 1);
}

bool gibt(const std::string& pfad) {
  struct stat st {};
  return ::lstat(pfad.c_str(), &st) == 0;
}

}  // namespace

std::uint64_t sammlungsPruefsumme(const TDatBas& db) {
  TPruefsumme p;
  TDatensatz d;
  for (int i = 1; i <= db.get_anzahl(); ++i) {
    db.get_datensatz(i, d);
    p.dazu(reinterpret_cast<const char*>(&d), DATENSATZ_GROESSE);
  }
  return p.wert();
}

std::string dateiBeiseitelegen(const std::string& pfad, const std::string& wort) {
  const std::time_t jetzt = std::time(nullptr);
  std::tm t {};
  localtime_r(&jetzt, &t);
  char datum[32];
  std::strftime(datum, sizeof datum, "%Y%m%d-%H%M%S", &t);
  const std::string ordner = ordnerVon(pfad);
  const std::string basis = wort + "-" + datum + "-" + nameOhneOrdner(pfad);
  for (int n = 0; n < 100; ++n) {
    const std::string ziel = ordner + "/" + (n ? std::to_string(n) + "-" : "") + basis;
    if (gibt(ziel)) continue;
    if (std::rename(pfad.c_str(), ziel.c_str()) == 0) return ziel;
    return {};
  }
  return {};
}

TAngabenDatei::TAngabenDatei() = default;
TAngabenDatei::~TAngabenDatei() = default;

void TAngabenDatei::schliessen() {
  db_.reset();
  dbPfad_.clear();
  fremd_ = false;
}

void TAngabenDatei::vergessen() {
  schliessen();
  ohneEintrag_.clear();
  gemerktPfad_.clear();
  gemerkt_.reset();
}

void TAngabenDatei::merken() {
  gemerktPfad_ = dbPfad_;
  gemerkt_ = dbPfad_.empty() ? std::nullopt : dateiKennung(dbPfad_);
}

bool TAngabenDatei::fremdGeaendert(const std::string& vemPfad) const {
  const std::string pfad = angabenPfad(vemPfad);
  if (gemerktPfad_.empty() || !gleichesZiel(pfad, gemerktPfad_)) return false;
  // None when last seen: one made since is another program's.
  if (!gemerkt_) return gibt(gemerktPfad_);
  return seitherGeaendert(gemerktPfad_, *gemerkt_);
}

bool TAngabenDatei::dbOeffnen(const std::string& vemPfad, const TAngabenDatei* offen, TGeladen& g) {
  dbPfad_ = angabenPfad(vemPfad);
  try {
    if (offen && offen->db_ && offen->dbPfad_ == dbPfad_) db_ = offen->db_;
    else db_ = TAngabenDb::oeffnen(dbPfad_, false);
  } catch (const EAngabenDbFehler& e) {
    db_.reset();
    const std::string weg = dateiBeiseitelegen(dbPfad_);
    g.hinweis = std::string(e.what()) + ".\r" +
                (weg.empty() ? "Sie wird nicht verwendet."
                             : "Sie wurde als \"" + nameOhneOrdner(weg) + "\" beiseitegelegt.");
    return false;
  }
  if (!db_) return false;
  if (db_->nurLesen())
    g.hinweis = "Die Sammlerangaben stammen von einer neueren Version von Vemla.\rSie werden nur gelesen.";
  return true;
}

TAngabenDatei::TGeladen TAngabenDatei::laden(const std::string& vemPfad, TDatBas& db, const TAngabenDatei* offen) {
  TGeladen g = ladenOhneMerken(vemPfad, db, offen);
  merken();
  return g;
}

TAngabenDatei::TGeladen TAngabenDatei::uebernehmen(const std::string& vemPfad, TDatBas& db) {
  vergessen();
  TGeladen g;
  if (dbOeffnen(vemPfad, nullptr, g)) {
    const auto staende = db_->staende();
    const auto aufDatei = dateiKennung(vemPfad);
    bool passt = staende.empty() || db_->sammlung() == nameOhneOrdner(vemPfad);
    for (auto s : staende) passt = passt || (aufDatei && s == aufDatei->pruefsumme);
    if (!passt) {
      g.hinweis = "Die Sammlerangaben in \"" + nameOhneOrdner(dbPfad_) +
                  "\" gehören zu einer anderen Sammlung.\rSie werden nicht verwendet.";
      db_.reset();
      fremd_ = true;
    } else {
      // New identities above every set in the file: a save then never writes
      // an entry's details under a set the kept mapping names for another.
      const auto angaben = db_->angaben();
      long long hoechste = 0;
      for (const auto& [id, a] : angaben) hoechste = std::max(hoechste, id);
      db.kennungenAb(static_cast<std::uint64_t>(hoechste) + 1);
      for (int i = 1; i <= db.get_anzahl(); ++i) db.neueKennung(i);
      for (long long id : db_->nichtZugeordnet())
        if (const auto it = angaben.find(id); it != angaben.end() && !it->second.leer()) ohneEintrag_[id] = it->second;
    }
  }
  merken();
  return g;
}

TAngabenDatei::TGeladen TAngabenDatei::ladenOhneMerken(const std::string& vemPfad, TDatBas& db,
                                                       const TAngabenDatei* offen) {
  vergessen();
  TGeladen g;
  if (!dbOeffnen(vemPfad, offen, g)) return g;

  const std::uint64_t summe = sammlungsPruefsumme(db);
  const auto staende = db_->staende();
  std::vector<TGespeicherterEintrag> gespeichert;
  bool passt = false;
  for (auto s : staende)
    if (s == summe) {
      gespeichert = db_->zuordnung(s);
      passt = true;
      break;
    }
  if (!passt && !staende.empty()) {
    if (db_->sammlung() != nameOhneOrdner(vemPfad)) {
      g.hinweis = "Die Sammlerangaben in \"" + nameOhneOrdner(dbPfad_) +
                  "\" gehören zu einer anderen Sammlung.\rSie werden nicht verwendet.";
      db_.reset();
      fremd_ = true;
      return g;
    }
    // Edited elsewhere: the newest mapping, and what only the one before knows
    // (a save cut off after its details leaves the newest one unused).
    gespeichert = db_->zuordnung(staende.front());
    std::set<long long> bekannt;
    for (const auto& e : gespeichert) bekannt.insert(e.angaben);
    if (staende.size() > 1)
      for (auto& e : db_->zuordnung(staende[1]))
        if (!bekannt.count(e.angaben)) gespeichert.push_back(std::move(e));
  }

  const auto angaben = db_->angaben();
  long long hoechste = 0;
  for (const auto& [id, a] : angaben) hoechste = std::max(hoechste, id);
  db.kennungenAb(static_cast<std::uint64_t>(hoechste) + 1);
  const TZuordnung z = zuordnen(db, gespeichert);
  for (int i = 0; i < db.get_anzahl(); ++i) {
    const long long id = z.jeEintrag[static_cast<std::size_t>(i)];
    const auto it = id > 0 ? angaben.find(id) : angaben.end();
    if (it == angaben.end()) {
      db.neueKennung(i + 1);
      continue;
    }
    db.set_kennung(i + 1, static_cast<std::uint64_t>(id));
    db.set_beilage(i + 1, angabenBytes(it->second));
  }
  std::set<long long> ohne(z.nichtZugeordnet.begin(), z.nichtZugeordnet.end());
  for (long long id : db_->nichtZugeordnet()) ohne.insert(id);
  for (long long id : ohne)
    if (const auto it = angaben.find(id); it != angaben.end() && !it->second.leer()) ohneEintrag_[id] = it->second;
  g.nachNamen = z.nachNamen;
  g.nichtZugeordnet = static_cast<int>(ohneEintrag_.size());
  std::string zeilen;
  if (g.nachNamen)
    zeilen += std::to_string(g.nachNamen) +
              " Einträge wurden außerhalb von Vemla geändert; ihre Sammlerangaben wurden über Interpret und Titel zugeordnet.";
  if (g.nichtZugeordnet) {
    if (!zeilen.empty()) zeilen += "\r";
    zeilen += std::to_string(g.nichtZugeordnet) + " Sammlerangaben gehören zu keinem Eintrag mehr (nicht zugeordnet).";
  }
  if (!zeilen.empty()) g.hinweis += (g.hinweis.empty() ? "" : "\r") + zeilen;
  return g;
}

void TAngabenDatei::speichern(const std::string& vemPfad, const TDatBas& db) {
  const std::string ziel = angabenPfad(vemPfad);
  TAngabenStand stand;
  stand.sammlung = nameOhneOrdner(vemPfad);
  stand.vemPruefsumme = sammlungsPruefsumme(db);
  TDatensatz d;
  for (int i = 1; i <= db.get_anzahl(); ++i) {
    const std::string b = db.get_beilage(i);
    if (b.empty()) continue;
    const TAngaben a = angabenAusBytes(b);
    if (a.leer()) continue;
    db.get_datensatz(i, d);
    const auto id = static_cast<long long>(db.get_kennung(i));
    stand.zuordnung.push_back({static_cast<std::uint32_t>(i - 1), eintragPruefsumme(d), d.Interpret.text(),
                               d.Titel.text(), id});
    stand.angaben[id] = a;
  }
  for (const auto& [id, a] : ohneEintrag_) {
    stand.angaben[id] = a;
    stand.nichtZugeordnet.push_back(id);
  }
  const bool andereDatei = ziel != dbPfad_;
  if (andereDatei || fremd_) {
    // Another name (save as) or a details' file that belongs to another collection.
    db_.reset();
    if (stand.angaben.empty()) {
      // Nothing to keep: no details' file is made, and a foreign one stays as it is.
      dbPfad_ = ziel;
      fremd_ = gibt(ziel);
      merken();
      return;
    }
    // What lies there belongs to another collection, or to the file this save
    // replaces: kept under another name, never written into.
    if (gibt(ziel) && dateiBeiseitelegen(ziel, fremd_ && !andereDatei ? "fremd" : "ersetzt").empty())
      throw EAngabenDbFehler("Die Datei der Sammlerangaben \"" + ziel + "\" kann nicht beiseitegelegt werden");
    fremd_ = false;
    dbPfad_ = ziel;
  }
  if (!db_) {
    if (stand.angaben.empty() && !gibt(ziel)) {
      merken();
      return;
    }
    db_ = TAngabenDb::oeffnen(ziel, true);
  }
  db_->speichern(stand);
  merken();
}
