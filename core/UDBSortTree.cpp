#include "core/UDBSortTree.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

inline unsigned char klein(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

}  // namespace

int schluesselVergleich(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = klein(static_cast<unsigned char>(a[i]));
    const int cb = klein(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

void datbasSortieren(TDatBas& db, int key, bool aufsteigend) {
  const int n = db.get_anzahl();
  if (key < 1 || key > 6) return;
  std::vector<TDatensatz> saetze(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) db.get_datensatz(i + 1, saetze[static_cast<std::size_t>(i)]);

  // Fold the keys once; after folding, plain unsigned byte order is the key order.
  struct Eintrag {
    std::string schluessel;
    int index;
  };
  std::vector<Eintrag> ordnung(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    std::string s(saetze[static_cast<std::size_t>(i)].feld(key).sicht());
    for (char& c : s) c = static_cast<char>(klein(static_cast<unsigned char>(c)));
    ordnung[static_cast<std::size_t>(i)] = {std::move(s), i};
  }
  std::stable_sort(ordnung.begin(), ordnung.end(), [](const Eintrag& x, const Eintrag& y) {
    // std::string compares chars as unsigned via char_traits<char>::compare (memcmp).
    return x.schluessel.compare(y.schluessel) < 0;
  });
  if (!aufsteigend) std::reverse(ordnung.begin(), ordnung.end());

  // The entries move whole, with their identities and what they carry.
  std::vector<int> reihenfolge;
  reihenfolge.reserve(ordnung.size());
  for (const Eintrag& e : ordnung) reihenfolge.push_back(e.index);
  db.umordnen(reihenfolge);
}

void TDBSortTree::sortieren(int key, bool aufsteigend) {
  const int n = db_.get_anzahl();
  if (anzeige_) anzeige_->sortierungBeginnt(n);
  datbasSortieren(db_, key, aufsteigend);
  if (anzeige_) anzeige_->sortierungBeendet(db_.get_anzahl());
}
