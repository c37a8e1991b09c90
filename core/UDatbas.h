#pragma once
// The in-memory collection: an ordered sequence of entries addressed by
// 1-based position. Records are copied in and out; no reference leaves it.
// The entry limit is not applied here but by the operations that add entries.
#include <string>
#include <vector>

#include "core/UDatentypen.h"

class TDatBas {
 public:
  int get_anzahl() const { return static_cast<int>(eintraege_.size()); }
  // Copies entry "pos" into d, all 1792 bytes; outside 1..get_anzahl d stays untouched.
  void get_datensatz(int pos, TDatensatz& d) const;
  void add_datensatz(const TDatensatz& d) { eintraege_.push_back(gepackt(d)); }
  // Overwrites entry "pos"; a position below 1 addresses the first entry,
  // one above the count (or an empty collection) changes nothing.
  void set_datensatz(int pos, const TDatensatz& d);
  // Removes entry "pos"; outside 1..get_anzahl nothing happens.
  void del_datensatz(int pos);
  void clear_all() { eintraege_.clear(); }

  void reserve(int n) { eintraege_.reserve(static_cast<std::size_t>(n)); }

 private:
  // The change history compares and gives back the entries as they are kept.
  friend class TVerlauf;
  // An entry as kept in memory. When every byte behind the seven texts is zero
  // (as in every record the program makes itself) only the seven length bytes
  // and their texts are kept, one after the other; otherwise all 1792 bytes.
  // Both come back byte for byte; a full collection so takes a tenth of the room.
  static std::string gepackt(const TDatensatz& d);
  static void entpacken(const std::string& e, TDatensatz& d);

  std::vector<std::string> eintraege_;
};

// Largest number of entries a collection may hold.
constexpr int MAX_DATENSAETZE = 4000;

// The collection of the program, created by the main window.
extern TDatBas* DatBas;
