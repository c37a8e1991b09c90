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
#include <optional>
#include <string>
#include <vector>

#include "core/UDateiWache.h"

class TDatBas;

// Where the list stood: its marked line and its first visible line (from 0; -1: none).
struct TListenStand {
  int markiert = -1;
  int oben = -1;
};

// The collection's file as a step found and left it: its name (the path's
// bytes, "" when none), what the guard against other writers remembered of it,
// and the settings' last-file entry when the step wrote it.
struct TDateiStand {
  std::string name;
  TWachStand wache;
  std::optional<std::string> letzte;
};
// A step that made another file the collection's file (appending a file).
struct TDateiWechsel {
  TDateiStand vorher, nachher;
};

class TVerlauf {
 public:
  // Steps kept at least; older ones are dropped.
  static constexpr std::size_t MAX_SCHRITTE = 200;

  // Notes the collection before a command.
  void beginnen(const TDatBas& db, TListenStand stand);
  // Compares with the collection after the command: a step named "name" when
  // something changed, the entries or (with "datei") the collection's file
  // (the steps that could have been redone are dropped). True when a step was kept.
  bool abschliessen(const TDatBas& db, std::string name, TListenStand stand,
                    std::optional<TDateiWechsel> datei = std::nullopt);

  bool kannRueckgaengig() const { return aktuell_ > 0; }
  bool kannWiederherstellen() const { return aktuell_ < schritte_.size(); }
  // The name of the step undo or redo would act on ("" when none).
  std::string rueckgaengigName() const;
  std::string wiederherstellenName() const;
  // The list as it stood before the step undone / after the step redone;
  // "datei" (when given) is set to the step's change of file, if it made one.
  TListenStand rueckgaengig(TDatBas& db, const TDateiWechsel** datei = nullptr);
  TListenStand wiederherstellen(TDatBas& db, const TDateiWechsel** datei = nullptr);

  // A new or newly loaded collection: no steps, and its state is what the file
  // "datei" holds (with "dateiStand" false: a collection that no file holds as it stands).
  void leeren(bool dateiStand = true, const std::string& datei = {});
  // The collection as it stands now is what the file "datei" holds; an older
  // state that file held is no longer in it.
  void gespeichert(const std::string& datei = {});
  // True when the collection stands where the file "datei" holds it (saved or loaded).
  bool amGespeicherten(const std::string& datei = {}) const;

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
    std::optional<TDateiWechsel> datei;
  };
  // The state after "schritt" steps is what the file "datei" holds.
  struct TGespeichert {
    long schritt;
    std::string datei;
  };
  static bool vergleichen(const std::vector<std::string>& vor, const std::vector<std::string>& nach, TSchritt& s);
  static void anwenden(const TSchritt& s, std::vector<std::string>& e, bool vorwaerts);

  std::deque<TSchritt> schritte_;
  std::size_t aktuell_ = 0;  // steps done: undo acts on schritte_[aktuell_ - 1]
  // The states that files hold (each file one state at most); several when
  // steps changed the collection's file (the appended file holds another state
  // than the one loaded before).
  std::vector<TGespeichert> gespeichert_{{0, {}}};
  std::vector<std::string> vorher_;
  TListenStand standVorher_;
};
