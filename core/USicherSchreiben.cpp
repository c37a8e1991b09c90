#include "core/USicherSchreiben.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/UFehler.h"

namespace {

// The process's file creation mask, read once while the program starts on its
// one thread: reading it means setting it, and a mask changed for a moment
// would give a file that another thread creates meanwhile the wrong permissions.
const mode_t startMaske = [] {
  const mode_t maske = ::umask(0);
  ::umask(maske);
  return maske;
}();

// Closes a descriptor when the scope ends.
struct Deskriptor {
  int fd = -1;
  ~Deskriptor() {
    if (fd >= 0) ::close(fd);
  }
  // Closes now and reports a failed close.
  void schliessen() {
    const int f = fd;
    fd = -1;
    if (::close(f) != 0) throw eaFehlerAusErrno(errno);
  }
};

void allesSchreiben(int fd, std::string_view daten) {
  const char* p = daten.data();
  std::size_t n = daten.size();
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      throw eaFehlerAusErrno(errno);
    }
    p += w;
    n -= static_cast<std::size_t>(w);
  }
}

// Writes straight into a device or pipe, which has no length to keep.
// Fills "kennung" (when asked for) with the state of the file open as "fd" after writing "daten".
void kennungFuellen(int fd, std::string_view daten, TDateiKennung* kennung) {
  if (!kennung) return;
  struct stat st;
  if (::fstat(fd, &st) != 0) throw eaFehlerAusErrno(errno);
  *kennung = kennungAus(st);
  TPruefsumme p;
  p.dazu(daten.data(), daten.size());
  kennung->pruefsumme = p.wert();
}

void direktSchreiben(const std::string& pfad, std::string_view daten, TDateiKennung* kennung) {
  Deskriptor f;
  f.fd = ::open(pfad.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (f.fd < 0) throw eaFehlerAusErrno(errno);
  allesSchreiben(f.fd, daten);
  kennungFuellen(f.fd, daten, kennung);
  f.schliessen();
}

// Writes a regular file in place. The room for the new length is reserved
// before any byte changes, so a full disk leaves the old content whole; only
// a failure in the middle of the write itself can leave it incomplete.
void anOrtSchreiben(const std::string& pfad, std::string_view daten, TDateiKennung* kennung) {
  Deskriptor f;
  f.fd = ::open(pfad.c_str(), O_WRONLY | O_CLOEXEC);
  if (f.fd < 0) throw eaFehlerAusErrno(errno);
  struct stat st;
  if (::fstat(f.fd, &st) != 0) throw eaFehlerAusErrno(errno);
  if (static_cast<std::size_t>(st.st_size) < daten.size()) {
    const int fehler = ::posix_fallocate(f.fd, 0, static_cast<off_t>(daten.size()));
    // A file system that cannot reserve is written as before.
    if (fehler != 0 && fehler != EOPNOTSUPP && fehler != ENOSYS && fehler != EINVAL) {
      // Whatever the reservation added beyond the old end is given back.
      if (::ftruncate(f.fd, st.st_size) != 0) {
        // the old bytes are untouched either way
      }
      throw eaFehlerAusErrno(fehler);
    }
  }
  allesSchreiben(f.fd, daten);
  if (::ftruncate(f.fd, static_cast<off_t>(daten.size())) != 0) throw eaFehlerAusErrno(errno);
  if (::fsync(f.fd) != 0) throw eaFehlerAusErrno(errno);
  kennungFuellen(f.fd, daten, kennung);
  f.schliessen();
}

}  // namespace

TDateiKennung kennungAus(const struct stat& st) {
  TDateiKennung k;
  k.geraet = st.st_dev;
  k.knoten = st.st_ino;
  k.groesse = static_cast<unsigned long long>(st.st_size);
  k.geaendertNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return k;
}

// FNV-1a over 8-byte words: fast enough for a whole collection at every load and save.
void TPruefsumme::dazu(const char* daten, std::size_t n) {
  laenge_ += n;
  auto wort = [this](const unsigned char* b) {
    std::uint64_t w;
    std::memcpy(&w, b, 8);
    h_ = (h_ ^ w) * 0x100000001b3ull;
  };
  const auto* p = reinterpret_cast<const unsigned char*>(daten);
  while (n > 0 && restLaenge_ > 0) {
    rest_[restLaenge_++] = *p++;
    --n;
    if (restLaenge_ == 8) {
      wort(rest_);
      restLaenge_ = 0;
    }
  }
  for (; n >= 8; n -= 8, p += 8) wort(p);
  while (n-- > 0) rest_[restLaenge_++] = *p++;
}

std::uint64_t TPruefsumme::wert() const {
  std::uint64_t h = h_;
  for (std::size_t i = 0; i < restLaenge_; ++i) h = (h ^ rest_[i]) * 0x100000001b3ull;
  return (h ^ laenge_) * 0x100000001b3ull;
}

std::string ordnerVon(const std::string& pfad) {
  const std::size_t trenner = pfad.rfind('/');
  if (trenner == std::string::npos) return ".";
  if (trenner == 0) return "/";
  return pfad.substr(0, trenner);
}

std::string schreibZiel(const std::string& pfad) {
  std::string ziel = pfad;
  for (int tiefe = 0; tiefe < 40; ++tiefe) {  // as many links as the system itself follows
    struct stat st;
    if (::lstat(ziel.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    char puffer[PATH_MAX];
    const ssize_t n = ::readlink(ziel.c_str(), puffer, sizeof puffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof puffer) break;
    std::string verweis(puffer, static_cast<std::size_t>(n));
    ziel = verweis.front() == '/' ? verweis : ordnerVon(ziel) + "/" + verweis;
  }
  return ziel;
}

void dateiSicherSchreiben(const std::string& pfad, std::string_view daten, TDateiKennung* kennung) {
  if (pfad.empty()) throw eaFehler(EA_DATEI_NICHT_GEFUNDEN);
  // A pipe or device (also behind a link the system resolves itself, as
  // /dev/stdout) is written directly: it has no folder to hold a temporary file.
  struct stat vorab;
  if (::stat(pfad.c_str(), &vorab) == 0 && !S_ISREG(vorab.st_mode) && !S_ISDIR(vorab.st_mode))
    return direktSchreiben(pfad, daten, kennung);
  const std::string ziel = schreibZiel(pfad);

  struct stat st;
  const bool vorhanden = ::stat(ziel.c_str(), &st) == 0;
  if (vorhanden) {
    if (S_ISDIR(st.st_mode)) throw eaFehler(EA_ZUGRIFF_VERWEIGERT);
    if (!S_ISREG(st.st_mode)) return direktSchreiben(ziel, daten, kennung);
    // A write-protected file stays protected, as when it is opened for writing.
    if (::faccessat(AT_FDCWD, ziel.c_str(), W_OK, AT_EACCESS) != 0) throw eaFehlerAusErrno(errno);
  } else if (errno != ENOENT) {
    throw eaFehlerAusErrno(errno);
  }

  std::string vorlage = ordnerVon(ziel) + "/.vemla-XXXXXX";
  Deskriptor f;
  f.fd = ::mkostemp(vorlage.data(), O_CLOEXEC);
  if (f.fd < 0) {
    const int fehler = errno;
    // The folder takes no new file, but the file itself may be written.
    if (vorhanden && (fehler == EACCES || fehler == EPERM)) return anOrtSchreiben(ziel, daten, kennung);
    throw eaFehlerAusErrno(fehler);
  }
  try {
    if (vorhanden) {
      // Owner and group first: a change of owner may clear the set-id bits.
      if (::fchown(f.fd, st.st_uid, st.st_gid) != 0) {
        // Not allowed for this process: the file then belongs to it, as any file it creates.
      }
      ::fchmod(f.fd, st.st_mode & 07777);
    } else {
      ::fchmod(f.fd, 0666 & ~startMaske);
    }
    allesSchreiben(f.fd, daten);
    if (::fsync(f.fd) != 0) throw eaFehlerAusErrno(errno);
    kennungFuellen(f.fd, daten, kennung);
    f.schliessen();
    if (::rename(vorlage.c_str(), ziel.c_str()) != 0) throw eaFehlerAusErrno(errno);
  } catch (...) {
    ::unlink(vorlage.c_str());
    throw;
  }
}

bool dieselbeDatei(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (a.empty() || b.empty() || ::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
