#pragma once
// Guards the collection file the window holds open against other writers. It
// remembers the file's state when the program last read or wrote it, so that a
// save notices changes someone else made meanwhile, and holds a shared
// advisory lock on it, which the command line's writers respect.
#include <optional>
#include <string>

#include "core/USicherSchreiben.h"

// What the guard remembers: the file and its state then (no state: nothing remembered).
struct TWachStand {
  std::string pfad;
  std::optional<TDateiKennung> kennung;
};

class TDateiWache {
 public:
  TDateiWache() = default;
  ~TDateiWache();
  TDateiWache(const TDateiWache&) = delete;
  TDateiWache& operator=(const TDateiWache&) = delete;

  // "pfad" was just read or written and was then in the state "kennung".
  // The lock is taken anew: a save replaces the file.
  void merken(const std::string& pfad, const TDateiKennung& kennung);
  // No file any more (a new collection, or one that failed to load).
  void vergessen();
  // True when writing "pfad" would replace changes that someone else made to
  // the remembered file since the program last read or wrote it.
  bool fremdGeaendert(const std::string& pfad) const;
  // What is remembered now, and remembering that again (undo and redo give
  // the collection's file back with the state it had then).
  TWachStand stand() const { return {pfad_, kennung_}; }
  void standSetzen(const TWachStand& stand);

 private:
  std::string pfad_;
  std::optional<TDateiKennung> kennung_;
  int sperre_ = -1;
};

// The hold of a writer without a window on a collection file: exclusive, so
// it is refused while a running Vemla holds the file open.
class TExklusivSperre {
 public:
  explicit TExklusivSperre(const std::string& pfad);
  ~TExklusivSperre();
  TExklusivSperre(const TExklusivSperre&) = delete;
  TExklusivSperre& operator=(const TExklusivSperre&) = delete;
  // False when the file is open in a running Vemla. A file that does not exist yet is free.
  bool frei() const { return frei_; }

 private:
  int fd_ = -1;
  bool frei_ = true;
};

// The state of the file at "pfad" now, with the checksum of all its bytes; nothing when it cannot be read.
std::optional<TDateiKennung> dateiKennung(const std::string& pfad);

// True when "a" and "b" name the same file, existing or not (links followed).
bool gleichesZiel(const std::string& a, const std::string& b);
