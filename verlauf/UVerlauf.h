#pragma once
// The collection's change history, for undo and redo. A step keeps what it
// changed, not a copy of the collection: the entries it replaced, removed or
// added, or, when it only put the entries in another order (a sort, a move),
// that order. Undo gives back the entries byte for byte; redo repeats the step.
// The collection is compared before and after each command, so a command
// needs to say nothing about what it did.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class TDatBas;

// Where the list stood: its marked line and its first visible line (from 0; -1: none).
struct TListenStand {
  int markiert = -1;
  int oben = -1;
};

class TVerlauf {
 public:
  // Steps kept at least; older ones are dropped.
  static constexpr std::size_t MAX_SCHRITTE = 200;

  // Notes the collection before a command.
  void beginnen(const TDatBas& db, TListenStand stand);
  // Compares with the collection after the command: a step named "name" when
  // something changed (the steps that could have been redone are dropped).
  // True when a step was kept.
  bool abschliessen(const TDatBas& db, std::string name, TListenStand stand);

  bool kannRueckgaengig() const { return aktuell_ > 0; }
  bool kannWiederherstellen() const { return aktuell_ < schritte_.size(); }
  // The name of the step undo or redo would act on ("" when none).
  std::string rueckgaengigName() const;
  std::string wiederherstellenName() const;
  // The list as it stood before the step undone / after the step redone.
  TListenStand rueckgaengig(TDatBas& db);
  TListenStand wiederherstellen(TDatBas& db);

  // A new or newly loaded collection: no steps, and its state is the saved one
  // (with "dateiStand" false: a collection that no file holds as it stands).
  void leeren(bool dateiStand = true);
  // The collection as it stands now is what its file holds.
  void gespeichert();
  // True when the collection stands where it was last saved (or loaded).
  bool amGespeicherten() const { return gespeichert_ == static_cast<long>(aktuell_); }

  std::size_t anzahl() const { return schritte_.size(); }
  // Bytes the kept steps take, roughly.
  std::size_t speicherbedarf() const;

 private:
  struct TErsetzt {
    std::uint32_t pos;
    std::string alt, neu;
  };
  struct TSchritt {
    std::string name;
    TListenStand vorher, nachher;
    // Either the entries at some positions replaced (same count) ...
    std::vector<TErsetzt> ersetzt;
    // ... or the same entries in another order: entry i after the step was entry reihenfolge[i] before ...
    std::vector<std::uint32_t> reihenfolge;
    // ... or a stretch from "ab" on: "alt" before, "neu" after.
    std::uint32_t ab = 0;
    std::vector<std::string> alt, neu;
    bool umgeordnet = false;
    bool bereich = false;
  };
  static bool vergleichen(const std::vector<std::string>& vor, const std::vector<std::string>& nach, TSchritt& s);
  static void anwenden(const TSchritt& s, std::vector<std::string>& e, bool vorwaerts);

  std::deque<TSchritt> schritte_;
  std::size_t aktuell_ = 0;  // steps done: undo acts on schritte_[aktuell_ - 1]
  long gespeichert_ = 0;     // the step count the file holds; -1 when no kept state is saved
  std::vector<std::string> vorher_;
  TListenStand standVorher_;
};
