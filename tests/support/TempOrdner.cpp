#include "tests/support/TempOrdner.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

TempOrdner::TempOrdner() {
  std::string vorlage = (std::filesystem::temp_directory_path() / "vemla-test-XXXXXX").string();
  ordner_ = ::mkdtemp(vorlage.data());
}

TempOrdner::~TempOrdner() {
  std::error_code ec;
  // Folders made read-only by a test must be writable again to be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(ordner_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(ordner_, ec);
}

std::string TempOrdner::pfad(const std::string& name) const {
  return name.empty() ? ordner_.string() : (ordner_ / name).string();
}

std::string dateiInhalt(const std::string& pfad) {
  std::ifstream f(pfad, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void dateiSchreiben(const std::string& pfad, const std::string& inhalt) {
  std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
  f << inhalt;
}

OhneRootRechte::OhneRootRechte() {
  if (::geteuid() == 0) gewechselt_ = ::seteuid(65534) == 0;
}

OhneRootRechte::~OhneRootRechte() {
  if (gewechselt_ && ::seteuid(0) != 0) std::abort();
}
