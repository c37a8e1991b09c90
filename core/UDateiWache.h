#pragma once
// Guards the collection file the window holds open against other writers. It
// remembers the file's state when the program last read or wrote it, so that a
// save notices changes someone else made meanwhile, and holds a shared
// advisory lock on it, which the command line's writers respect.
#include <optional>
#include <string>
#include <vector>

#include "core/USicherSchreiben.h"

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
  // The remembered file and its state then (nothing: no file remembered).
  const std::string& pfad() const { return pfad_; }
  const std::optional<TDateiKennung>& kennung() const { return kennung_; }

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

// True when the file at "pfad" exists and is no longer what it was in the state
// "kennung": written since with other bytes, or replaced by another file.
bool seitherGeaendert(const std::string& pfad, const TDateiKennung& kennung);

// True when "a" and "b" name the same file, existing or not (links followed).
bool gleichesZiel(const std::string& a, const std::string& b);

// The one guard before a file the user named is written (an export or report, a
// printed file, a saved chart, a download, the command line's target): true
// when writing "ziel" would replace one of "geschuetzt" (the open collection and
// the files that belong to it), as the same file under any name (a symbolic or
// hard link, "/proc/self/fd/N": same device and inode) or, for a file that does
// not exist yet, the same path. Empty paths protect nothing.
bool ueberschreibtGeschuetzte(const std::string& ziel, const std::vector<std::string>& geschuetzt);
// The same for the file, pipe or device open on descriptor "fd" (the command
// line's standard output).
bool ueberschreibtGeschuetzte(int fd, const std::vector<std::string>& geschuetzt);
// True when "pfad" leads to what descriptor "fd" is open on (same device and inode).
bool istDeskriptor(const std::string& pfad, int fd);
