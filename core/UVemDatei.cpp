#include "core/UVemDatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/UFehler.h"

namespace {

// Closes a descriptor when the scope ends.
struct Deskriptor {
  int fd = -1;
  ~Deskriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads up to n bytes; returns the count read (less only at the end of the file).
std::size_t allesLesen(int fd, char* ziel, std::size_t n) {
  std::size_t gelesen = 0;
  while (gelesen < n) {
    const ssize_t r = ::read(fd, ziel + gelesen, n - gelesen);
    if (r < 0) {
      if (errno == EINTR) continue;
      throw eaFehlerAusErrno(errno);
    }
    if (r == 0) break;
    gelesen += static_cast<std::size_t>(r);
  }
  return gelesen;
}

void allesSchreiben(int fd, const char* daten, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, daten, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      throw eaFehlerAusErrno(errno);
    }
    daten += w;
    n -= static_cast<std::size_t>(w);
  }
}

std::vector<char> datenVon(const TDatBas& db) {
  const int n = db.get_anzahl();
  std::vector<char> puffer(static_cast<std::size_t>(n) * DATENSATZ_GROESSE);
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    db.get_datensatz(i, d);
    std::memcpy(puffer.data() + static_cast<std::size_t>(i - 1) * DATENSATZ_GROESSE, &d, DATENSATZ_GROESSE);
  }
  return puffer;
}

// Writes straight into a target that is no regular file (a device, a pipe).
void direktSchreiben(const std::string& pfad, const std::vector<char>& daten) {
  Deskriptor f;
  f.fd = ::open(pfad.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (f.fd < 0) throw eaFehlerAusErrno(errno);
  allesSchreiben(f.fd, daten.data(), daten.size());
  const int fd = f.fd;
  f.fd = -1;
  if (::close(fd) != 0) throw eaFehlerAusErrno(errno);
}

}  // namespace

bool dateiExistiert(const std::string& pfad) {
  struct stat st;
  return !pfad.empty() && ::stat(pfad.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

int vemAnhaengen(const std::string& pfad, TDatBas& db, int grenze,
                 const std::function<void(const TDatensatz&)>& beiDatensatz) {
  Deskriptor f;
  f.fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (f.fd < 0) throw eaFehlerAusErrno(errno);
  struct stat st;
  if (::fstat(f.fd, &st) != 0) throw eaFehlerAusErrno(errno);
  if (S_ISDIR(st.st_mode)) throw eaFehler(EA_ZUGRIFF_VERWEIGERT);

  const int platz = grenze - db.get_anzahl();
  if (platz <= 0) return 0;
  // Never read more than can be taken in: the records that fit plus one more
  // byte, which tells a trailing partial record from the end of the file.
  const std::size_t hoechstens = static_cast<std::size_t>(platz) * DATENSATZ_GROESSE + 1;
  std::vector<char> puffer(hoechstens);
  const std::size_t gelesen = allesLesen(f.fd, puffer.data(), hoechstens);

  int angehaengt = 0;
  std::size_t pos = 0;
  TDatensatz d;
  while (pos < gelesen && db.get_anzahl() < grenze) {
    if (gelesen - pos < DATENSATZ_GROESSE) throw eaFehler(EA_DATEIENDE);
    std::memcpy(&d, puffer.data() + pos, DATENSATZ_GROESSE);
    pos += DATENSATZ_GROESSE;
    db.add_datensatz(d);
    ++angehaengt;
    if (beiDatensatz) beiDatensatz(d);
  }
  return angehaengt;
}

void vemSchreiben(const std::string& pfad, const TDatBas& db) {
  if (pfad.empty()) throw eaFehler(EA_DATEI_NICHT_GEFUNDEN);
  const std::vector<char> daten = datenVon(db);

  // Follow a symbolic link, so the file it points to is replaced, not the link.
  std::string ziel = pfad;
  struct stat st;
  const bool vorhanden = ::stat(pfad.c_str(), &st) == 0;
  if (vorhanden) {
    if (S_ISDIR(st.st_mode)) throw eaFehler(EA_ZUGRIFF_VERWEIGERT);
    if (!S_ISREG(st.st_mode)) return direktSchreiben(pfad, daten);
    // A write-protected file stays protected, as when it is opened for writing.
    if (::faccessat(AT_FDCWD, pfad.c_str(), W_OK, AT_EACCESS) != 0) throw eaFehlerAusErrno(errno);
    char echt[PATH_MAX];
    if (::realpath(pfad.c_str(), echt)) ziel = echt;
  } else if (errno != ENOENT) {
    throw eaFehlerAusErrno(errno);
  }

  std::string vorlage = ziel + ".vem-XXXXXX";
  Deskriptor f;
  f.fd = ::mkostemp(vorlage.data(), O_CLOEXEC);
  if (f.fd < 0) throw eaFehlerAusErrno(errno);
  try {
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ::fchmod(f.fd, vorhanden ? (st.st_mode & 07777) : (0666 & ~maske));
    allesSchreiben(f.fd, daten.data(), daten.size());
    if (::fsync(f.fd) != 0) throw eaFehlerAusErrno(errno);
    const int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0) throw eaFehlerAusErrno(errno);
    if (::rename(vorlage.c_str(), ziel.c_str()) != 0) throw eaFehlerAusErrno(errno);
  } catch (...) {
    ::unlink(vorlage.c_str());
    throw;
  }
}
