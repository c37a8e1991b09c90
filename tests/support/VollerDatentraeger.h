#pragma once
// A small file system of its own (tmpfs) for tests of a full disk. It can be
// mounted only by root; tests skip when it is not ready.
#include <string>

class VollerDatentraeger {
 public:
  // Mounts a file system of "kib" KiB on the empty folder "ordner".
  VollerDatentraeger(const std::string& ordner, int kib = 64);
  ~VollerDatentraeger();
  VollerDatentraeger(const VollerDatentraeger&) = delete;
  VollerDatentraeger& operator=(const VollerDatentraeger&) = delete;

  bool bereit() const { return bereit_; }
  std::string pfad(const std::string& name) const { return ordner_ + "/" + name; }
  // Fills the free space, leaving "frei" bytes (whole pages of 4 KiB) for whatever comes next.
  void fuellen(long frei = 0);

 private:
  std::string ordner_;
  bool bereit_ = false;
};
