#pragma once
// The in-memory collection: an ordered sequence of entries addressed by
// 1-based position. Records are copied in and out; no reference leaves it.
// The entry limit is not applied here but by the operations that add entries.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/UDatentypen.h"

class TDatBas {
 public:
  int get_anzahl() const { return static_cast<int>(eintraege_.size()); }
  // Copies entry "pos" into d, all 1792 bytes; outside 1..get_anzahl d stays untouched.
  void get_datensatz(int pos, TDatensatz& d) const;
  // Appends a copy of "d" as a new entry with an identity of its own and "beilage".
  void add_datensatz(const TDatensatz& d, std::string_view beilage = {});
  // Overwrites entry "pos"; a position below 1 addresses the first entry,
  // one above the count (or an empty collection) changes nothing. The entry
  // keeps its identity and its attached bytes.
  void set_datensatz(int pos, const TDatensatz& d);
  // Removes entry "pos"; outside 1..get_anzahl nothing happens.
  void del_datensatz(int pos);
  void clear_all() { eintraege_.clear(); }

  void reserve(int n) { eintraege_.reserve(static_cast<std::size_t>(n)); }

  // Every entry has an identity, given when it joins the collection and kept
  // through every change, move and sort (and the history, which keeps entries
  // whole), and may carry attached bytes that travel with it: the collector's
  // details, whose meaning this class does not know. 0 / "" outside 1..get_anzahl.
  std::uint64_t get_kennung(int pos) const;
  std::string get_beilage(int pos) const;
  void set_beilage(int pos, std::string_view beilage);
  // Gives entry "pos" the identity "kennung" (when loading details kept with
  // it); new entries get identities above every identity given so far.
  void set_kennung(int pos, std::uint64_t kennung);
  // Identities given from now on are at least "kennung".
  void kennungenAb(std::uint64_t kennung) {
    if (kennung > naechsteKennung_) naechsteKennung_ = kennung;
  }
  // Gives entry "pos" a new identity of its own.
  void neueKennung(int pos) { set_kennung(pos, naechsteKennung_); }
  // Puts the entries in a new order: entry i (from 0) is then the entry that
  // stood at reihenfolge[i]. "reihenfolge" must be a permutation of 0..n-1.
  void umordnen(const std::vector<int>& reihenfolge);
  // Swaps the entries at positions "a" and "b" (1-based) with all they carry.
  void tauschen(int a, int b);

 private:
  // The change history compares and gives back the entries as they are kept.
  friend class TVerlauf;
  // An entry as kept in memory: a mark, the record, the identity (8 bytes) and
  // the attached bytes. When every byte behind the seven texts is zero (as in
  // every record the program makes itself) the record is kept as the seven
  // length bytes and their texts, one after the other; otherwise all 1792
  // bytes. Both come back byte for byte; a full collection so takes a tenth of the room.
  static std::string gepackt(const TDatensatz& d, std::uint64_t kennung, std::string_view beilage);
  static void entpacken(const std::string& e, TDatensatz& d);
  // Where the identity starts in "e".
  static std::size_t satzLaenge(const std::string& e);

  std::vector<std::string> eintraege_;
  std::uint64_t naechsteKennung_ = 1;
};

// Largest number of entries a collection may hold.
constexpr int MAX_DATENSAETZE = 4000;

// The collection of the program, created by the main window.
extern TDatBas* DatBas;
