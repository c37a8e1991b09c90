#pragma once
// A temporary folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string>

class TempOrdner {
 public:
  TempOrdner();
  ~TempOrdner();
  TempOrdner(const TempOrdner&) = delete;
  TempOrdner& operator=(const TempOrdner&) = delete;
  std::string pfad(const std::string& name = "") const;

 private:
  std::filesystem::path ordner_;
};

std::string dateiInhalt(const std::string& pfad);
void dateiSchreiben(const std::string& pfad, const std::string& inhalt);

// Drops root's override of permission bits for its lifetime (effective user
// "nobody"), so tests of write-protected files and folders mean the same for root.
class OhneRootRechte {
 public:
  OhneRootRechte();
  ~OhneRootRechte();

 private:
  bool gewechselt_ = false;
};
