#include "angaben/UZuordnen.h"

#include <algorithm>
#include <deque>
#include <map>
#include <utility>

#include "core/UDatbas.h"
#include "core/USicherSchreiben.h"

std::uint64_t eintragPruefsumme(const TDatensatz& d) {
  TPruefsumme p;
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) {
    const TFeld& f = d.feld(nr);
    const char laenge = static_cast<char>(f.laenge);
    p.dazu(&laenge, 1);
    p.dazu(f.zeichen, f.laenge);
  }
  return p.wert();
}

TZuordnung zuordnen(const TDatBas& db, const std::vector<TGespeicherterEintrag>& gespeichert) {
  const int n = db.get_anzahl();
  TZuordnung z;
  z.jeEintrag.assign(static_cast<std::size_t>(n), -1);
  std::vector<std::uint64_t> summe(static_cast<std::size_t>(n));
  std::vector<std::pair<std::string, std::string>> namen(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    TDatensatz d;
    db.get_datensatz(i + 1, d);
    summe[static_cast<std::size_t>(i)] = eintragPruefsumme(d);
    namen[static_cast<std::size_t>(i)] = {d.Interpret.text(), d.Titel.text()};
  }

  // The saved lines in position order; a line is used at most once.
  std::vector<const TGespeicherterEintrag*> zeilen;
  zeilen.reserve(gespeichert.size());
  for (const auto& g : gespeichert) zeilen.push_back(&g);
  std::stable_sort(zeilen.begin(), zeilen.end(),
                   [](const auto* a, const auto* b) { return a->position < b->position; });
  std::vector<bool> benutzt(zeilen.size(), false);

  // 1. Same place, same checksum.
  std::map<std::uint32_t, std::size_t> anStelle;
  for (std::size_t k = 0; k < zeilen.size(); ++k) anStelle.emplace(zeilen[k]->position, k);
  for (int i = 0; i < n; ++i) {
    const auto it = anStelle.find(static_cast<std::uint32_t>(i));
    if (it == anStelle.end() || benutzt[it->second]) continue;
    if (zeilen[it->second]->pruefsumme != summe[static_cast<std::size_t>(i)]) continue;
    z.jeEintrag[static_cast<std::size_t>(i)] = zeilen[it->second]->angaben;
    benutzt[it->second] = true;
  }

  // 2. Moved: the same checksum elsewhere, equal entries in their order.
  std::map<std::uint64_t, std::deque<std::size_t>> nachSumme;
  for (std::size_t k = 0; k < zeilen.size(); ++k)
    if (!benutzt[k]) nachSumme[zeilen[k]->pruefsumme].push_back(k);
  for (int i = 0; i < n; ++i) {
    auto& ziel = z.jeEintrag[static_cast<std::size_t>(i)];
    if (ziel != -1) continue;
    const auto it = nachSumme.find(summe[static_cast<std::size_t>(i)]);
    if (it == nachSumme.end() || it->second.empty()) continue;
    const std::size_t k = it->second.front();
    it->second.pop_front();
    ziel = zeilen[k]->angaben;
    benutzt[k] = true;
  }

  // 3. Changed elsewhere: Interpret and Titel shared by exactly one of each side.
  using TName = std::pair<std::string, std::string>;
  std::map<TName, std::vector<int>> offeneEintraege;
  for (int i = 0; i < n; ++i) {
    if (z.jeEintrag[static_cast<std::size_t>(i)] != -1) continue;
    offeneEintraege[namen[static_cast<std::size_t>(i)]].push_back(i);
  }
  std::map<TName, std::vector<std::size_t>> offeneZeilen;
  for (std::size_t k = 0; k < zeilen.size(); ++k)
    if (!benutzt[k]) offeneZeilen[{zeilen[k]->interpret, zeilen[k]->titel}].push_back(k);
  for (const auto& [name, ks] : offeneZeilen) {
    const auto it = offeneEintraege.find(name);
    if (ks.size() != 1 || it == offeneEintraege.end() || it->second.size() != 1) continue;
    z.jeEintrag[static_cast<std::size_t>(it->second.front())] = zeilen[ks.front()]->angaben;
    benutzt[ks.front()] = true;
    ++z.nachNamen;
  }

  for (std::size_t k = 0; k < zeilen.size(); ++k)
    if (!benutzt[k]) z.nichtZugeordnet.push_back(zeilen[k]->angaben);
  return z;
}
