#pragma once
// A folder of its own for the files of one benchmark run, removed at the end.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

class Arbeitsordner {
 public:
  explicit Arbeitsordner(const std::string& praefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string vorlage = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + praefix + "-XXXXXX";
    if (!::mkdtemp(vorlage.data())) throw std::runtime_error("kein Arbeitsordner");
    ordner_ = vorlage;
  }
  ~Arbeitsordner() {
    std::error_code ec;
    std::filesystem::remove_all(ordner_, ec);
  }
  Arbeitsordner(const Arbeitsordner&) = delete;
  Arbeitsordner& operator=(const Arbeitsordner&) = delete;
  std::string pfad(const std::string& name) const { return ordner_ + "/" + name; }

 private:
  std::string ordner_;
};
