#pragma once
// Sorting the collection by one of six fields, ascending or descending.
//
// Ascending is stable (equal keys keep their order); descending is exactly the
// ascending result read backwards, so equal keys come out reversed.
#include <string_view>

#include "core/UDatbas.h"

// Compares two keys: only A..Z fold to a..z, then unsigned byte order, a
// shorter prefix first. Positive when a > b, zero when equal, negative when a < b.
int schluesselVergleich(std::string_view a, std::string_view b);

// Reorders the collection by key 1..6 (Interpret .. Genre).
void datbasSortieren(TDatBas& db, int key, bool aufsteigend);

// What the window side does around a sort (please-wait window, list rebuild,
// selection, changed mark, refresh).
class ISortAnzeige {
 public:
  virtual ~ISortAnzeige() = default;
  virtual void sortierungBeginnt(int anzahl) = 0;
  virtual void sortierungBeendet(int anzahl) = 0;
};

class TDBSortTree {
 public:
  explicit TDBSortTree(TDatBas& db, ISortAnzeige* anzeige = nullptr) : db_(db), anzeige_(anzeige) {}
  void setAnzeige(ISortAnzeige* anzeige) { anzeige_ = anzeige; }
  void sortieren(int key, bool aufsteigend);

 private:
  TDatBas& db_;
  ISortAnzeige* anzeige_;
};
