#include "verlauf/UVerlauf.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/UDatbas.h"

namespace {

std::size_t bytes(const std::vector<std::string>& v) {
  std::size_t n = v.capacity() * sizeof(std::string);
  for (const std::string& s : v) n += s.capacity();
  return n;
}

}  // namespace

void TVerlauf::beginnen(const TDatBas& db, TListenStand stand) {
  vorher_ = db.eintraege_;
  standVorher_ = stand;
}

bool TVerlauf::vergleichen(const std::vector<std::string>& vor, const std::vector<std::string>& nach, TSchritt& s) {
  const std::size_t nv = vor.size(), nn = nach.size();
  if (nv != nn) {
    std::size_t p = 0;
    while (p < nv && p < nn && vor[p] == nach[p]) ++p;
    std::size_t e = 0;
    while (e < nv - p && e < nn - p && vor[nv - 1 - e] == nach[nn - 1 - e]) ++e;
    s.bereich = true;
    s.ab = static_cast<std::uint32_t>(p);
    s.alt.assign(vor.begin() + static_cast<long>(p), vor.end() - static_cast<long>(e));
    s.neu.assign(nach.begin() + static_cast<long>(p), nach.end() - static_cast<long>(e));
    return true;
  }
  std::vector<std::uint32_t> anders;
  std::size_t ersetztBytes = 0;
  for (std::size_t i = 0; i < nv; ++i)
    if (vor[i] != nach[i]) {
      anders.push_back(static_cast<std::uint32_t>(i));
      ersetztBytes += vor[i].size() + nach[i].size() + sizeof(TErsetzt);
    }
  if (anders.empty()) return false;
  // The same entries in another order: kept as that order when it takes less room.
  if (ersetztBytes > nv * sizeof(std::uint32_t)) {
    std::unordered_map<std::string_view, std::vector<std::uint32_t>> woVorher;
    for (std::uint32_t i : anders) woVorher[vor[i]].push_back(i);
    std::vector<std::uint32_t> reihe(nv);
    for (std::size_t i = 0; i < nv; ++i) reihe[i] = static_cast<std::uint32_t>(i);
    bool umordnung = true;
    for (std::uint32_t i : anders) {
      auto it = woVorher.find(nach[i]);
      if (it == woVorher.end() || it->second.empty()) {
        umordnung = false;
        break;
      }
      reihe[i] = it->second.back();
      it->second.pop_back();
    }
    if (umordnung) {
      s.umgeordnet = true;
      s.reihenfolge = std::move(reihe);
      return true;
    }
  }
  s.ersetzt.reserve(anders.size());
  for (std::uint32_t i : anders) s.ersetzt.push_back({i, vor[i], nach[i]});
  return true;
}

bool TVerlauf::abschliessen(const TDatBas& db, std::string name, TListenStand stand,
                            std::optional<TDateiWechsel> datei) {
  TSchritt s;
  const bool geaendert = vergleichen(vorher_, db.eintraege_, s);
  std::vector<std::string>().swap(vorher_);
  if (!geaendert && !datei) return false;
  s.name = std::move(name);
  s.vorher = standVorher_;
  s.nachher = stand;
  s.datei = std::move(datei);
  schritte_.erase(schritte_.begin() + static_cast<long>(aktuell_), schritte_.end());
  // States on the dropped steps can no longer be reached.
  std::erase_if(gespeichert_, [this](const TGespeichert& g) { return g.schritt > static_cast<long>(aktuell_); });
  schritte_.push_back(std::move(s));
  ++aktuell_;
  if (schritte_.size() > MAX_SCHRITTE) {
    schritte_.pop_front();
    --aktuell_;
    for (TGespeichert& g : gespeichert_) --g.schritt;
    std::erase_if(gespeichert_, [](const TGespeichert& g) { return g.schritt < 0; });
  }
  return true;
}

void TVerlauf::anwenden(const TSchritt& s, std::vector<std::string>& e, bool vorwaerts) {
  if (s.bereich) {
    const auto ab = e.begin() + s.ab;
    const std::vector<std::string>& weg = vorwaerts ? s.alt : s.neu;
    const std::vector<std::string>& hin = vorwaerts ? s.neu : s.alt;
    e.insert(e.erase(ab, ab + static_cast<long>(weg.size())), hin.begin(), hin.end());
  } else if (s.umgeordnet) {
    std::vector<std::string> neu(e.size());
    for (std::size_t i = 0; i < e.size(); ++i) {
      if (vorwaerts) neu[i] = std::move(e[s.reihenfolge[i]]);
      else neu[s.reihenfolge[i]] = std::move(e[i]);
    }
    e.swap(neu);
  } else {
    for (const TErsetzt& r : s.ersetzt) e[r.pos] = vorwaerts ? r.neu : r.alt;
  }
}

std::string TVerlauf::rueckgaengigName() const { return kannRueckgaengig() ? schritte_[aktuell_ - 1].name : ""; }

std::string TVerlauf::wiederherstellenName() const { return kannWiederherstellen() ? schritte_[aktuell_].name : ""; }

TListenStand TVerlauf::rueckgaengig(TDatBas& db, const TDateiWechsel** datei) {
  if (!kannRueckgaengig()) return {};
  const TSchritt& s = schritte_[--aktuell_];
  anwenden(s, db.eintraege_, false);
  if (datei) *datei = s.datei ? &*s.datei : nullptr;
  return s.vorher;
}

TListenStand TVerlauf::wiederherstellen(TDatBas& db, const TDateiWechsel** datei) {
  if (!kannWiederherstellen()) return {};
  const TSchritt& s = schritte_[aktuell_++];
  anwenden(s, db.eintraege_, true);
  if (datei) *datei = s.datei ? &*s.datei : nullptr;
  return s.nachher;
}

void TVerlauf::leeren(bool dateiStand, const std::string& datei) {
  schritte_.clear();
  aktuell_ = 0;
  gespeichert_.clear();
  if (dateiStand) gespeichert_.push_back({0, datei});
}

void TVerlauf::gespeichert(const std::string& datei) {
  std::erase_if(gespeichert_, [&](const TGespeichert& g) { return g.datei == datei; });
  gespeichert_.push_back({static_cast<long>(aktuell_), datei});
}

bool TVerlauf::amGespeicherten(const std::string& datei) const {
  return std::any_of(gespeichert_.begin(), gespeichert_.end(), [&](const TGespeichert& g) {
    return g.schritt == static_cast<long>(aktuell_) && g.datei == datei;
  });
}

std::size_t TVerlauf::speicherbedarf() const {
  std::size_t n = 0;
  for (const TSchritt& s : schritte_) {
    n += sizeof(TSchritt) + s.name.capacity() + bytes(s.alt) + bytes(s.neu) +
         s.reihenfolge.capacity() * sizeof(std::uint32_t) + s.ersetzt.capacity() * sizeof(TErsetzt);
    for (const TErsetzt& r : s.ersetzt) n += r.alt.capacity() + r.neu.capacity();
    if (s.datei) n += s.datei->vorher.name.capacity() + s.datei->nachher.name.capacity();
  }
  return n;
}
