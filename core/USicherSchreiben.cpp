#include "core/USicherSchreiben.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/UFehler.h"

namespace {

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

// Writes straight into the target, truncating it first.
void direktSchreiben(const std::string& pfad, std::string_view daten) {
  Deskriptor f;
  f.fd = ::open(pfad.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (f.fd < 0) throw eaFehlerAusErrno(errno);
  allesSchreiben(f.fd, daten);
  f.schliessen();
}

}  // namespace

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

void dateiSicherSchreiben(const std::string& pfad, std::string_view daten) {
  if (pfad.empty()) throw eaFehler(EA_DATEI_NICHT_GEFUNDEN);
  const std::string ziel = schreibZiel(pfad);

  struct stat st;
  const bool vorhanden = ::stat(ziel.c_str(), &st) == 0;
  if (vorhanden) {
    if (S_ISDIR(st.st_mode)) throw eaFehler(EA_ZUGRIFF_VERWEIGERT);
    if (!S_ISREG(st.st_mode)) return direktSchreiben(ziel, daten);
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
    if (vorhanden && (fehler == EACCES || fehler == EPERM)) return direktSchreiben(ziel, daten);
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
      const mode_t maske = ::umask(0);
      ::umask(maske);
      ::fchmod(f.fd, 0666 & ~maske);
    }
    allesSchreiben(f.fd, daten);
    if (::fsync(f.fd) != 0) throw eaFehlerAusErrno(errno);
    f.schliessen();
    if (::rename(vorlage.c_str(), ziel.c_str()) != 0) throw eaFehlerAusErrno(errno);
  } catch (...) {
    ::unlink(vorlage.c_str());
    throw;
  }
}
