#include "core/UDateiWache.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// "pfad" as an absolute path with its folder resolved (the file itself need not exist).
std::string absolut(const std::string& pfad) {
  const std::string ziel = schreibZiel(pfad);
  const std::string ordner = ordnerVon(ziel);
  const std::string name = ziel.substr(ziel.rfind('/') == std::string::npos ? 0 : ziel.rfind('/') + 1);
  char puffer[PATH_MAX];
  if (::realpath(ordner.c_str(), puffer) == nullptr) return ziel;
  return std::string(puffer) + "/" + name;
}

// The state of the file now, with the checksum of all its bytes; nothing when it cannot be read.
std::optional<TDateiKennung> jetzt(const std::string& pfad) {
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<TDateiKennung> k;
  if (::fstat(fd, &st) == 0) {
    k = kennungAus(st);
    TPruefsumme summe;
    char puffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, puffer, sizeof puffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        k.reset();
        break;
      }
      if (n == 0) break;
      summe.dazu(puffer, static_cast<std::size_t>(n));
    }
    if (k) k->pruefsumme = summe.wert();
  }
  ::close(fd);
  return k;
}

}  // namespace

std::optional<TDateiKennung> dateiKennung(const std::string& pfad) { return jetzt(pfad); }

bool gleichesZiel(const std::string& a, const std::string& b) {
  return dieselbeDatei(a, b) || absolut(a) == absolut(b);
}

namespace {

bool dieselbeWie(const struct stat& a, const std::string& pfad) {
  struct stat b;
  return ::stat(pfad.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool ueberschreibtGeschuetzte(const std::string& ziel, const std::vector<std::string>& geschuetzt) {
  if (ziel.empty()) return false;
  for (const std::string& g : geschuetzt)
    if (!g.empty() && gleichesZiel(ziel, g)) return true;
  return false;
}

bool ueberschreibtGeschuetzte(int fd, const std::vector<std::string>& geschuetzt) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return false;
  for (const std::string& g : geschuetzt)
    if (!g.empty() && dieselbeWie(st, g)) return true;
  return false;
}

bool istDeskriptor(const std::string& pfad, int fd) {
  struct stat st;
  return ::fstat(fd, &st) == 0 && dieselbeWie(st, pfad);
}

TDateiWache::~TDateiWache() { vergessen(); }

void TDateiWache::merken(const std::string& pfad, const TDateiKennung& kennung) {
  vergessen();
  pfad_ = pfad;
  kennung_ = kennung;
  sperre_ = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  // Another program's exclusive hold (a writer at work) leaves the file unlocked here.
  if (sperre_ >= 0 && ::flock(sperre_, LOCK_SH | LOCK_NB) != 0) {
    ::close(sperre_);
    sperre_ = -1;
  }
}

void TDateiWache::vergessen() {
  if (sperre_ >= 0) ::close(sperre_);
  sperre_ = -1;
  pfad_.clear();
  kennung_.reset();
}

bool TDateiWache::fremdGeaendert(const std::string& pfad) const {
  return kennung_ && gleichesZiel(pfad, pfad_) && seitherGeaendert(pfad_, *kennung_);
}

bool seitherGeaendert(const std::string& pfad, const TDateiKennung& kennung) {
  struct stat st;
  if (::stat(pfad.c_str(), &st) != 0) return false;  // gone: nothing there to lose
  if (kennungAus(st).gleicheStelle(kennung)) return false;
  // Written since, or replaced: the bytes tell whether it really changed.
  const std::optional<TDateiKennung> k = jetzt(pfad);
  return !k || k->groesse != kennung.groesse || k->pruefsumme != kennung.pruefsumme;
}

TExklusivSperre::TExklusivSperre(const std::string& pfad) {
  fd_ = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return;
  frei_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

TExklusivSperre::~TExklusivSperre() {
  if (fd_ >= 0) ::close(fd_);
}
