#include "core/UVemDatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "core/UFehler.h"
#include "core/USicherSchreiben.h"

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

std::string datenVon(const TDatBas& db) {
  const int n = db.get_anzahl();
  std::string puffer(static_cast<std::size_t>(n) * DATENSATZ_GROESSE, '\0');
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    db.get_datensatz(i, d);
    std::memcpy(puffer.data() + static_cast<std::size_t>(i - 1) * DATENSATZ_GROESSE, &d, DATENSATZ_GROESSE);
  }
  return puffer;
}

}  // namespace

bool dateiExistiert(const std::string& pfad) {
  struct stat st;
  return !pfad.empty() && ::stat(pfad.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

int vemAnhaengen(const std::string& pfad, TDatBas& db, int grenze,
                 const std::function<void(const TDatensatz&)>& beiDatensatz, TDateiKennung* kennung) {
  Deskriptor f;
  f.fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (f.fd < 0) throw eaFehlerAusErrno(errno);
  struct stat st;
  if (::fstat(f.fd, &st) != 0) throw eaFehlerAusErrno(errno);
  if (S_ISDIR(st.st_mode)) throw eaFehler(EA_ZUGRIFF_VERWEIGERT);
  TPruefsumme summe;
  if (kennung) *kennung = kennungAus(st);

  const int platz = grenze - db.get_anzahl();
  if (platz <= 0) return 0;  // nothing read: no checksum either
  // Room for the records the file holds, at once instead of step by step.
  if (S_ISREG(st.st_mode) && st.st_size > 0) {
    const auto imDatei = static_cast<std::size_t>(st.st_size) / DATENSATZ_GROESSE;
    db.reserve(db.get_anzahl() + static_cast<int>(std::min(imDatei, static_cast<std::size_t>(platz))));
  }

  // The file is read a block of records at a time, never further than the
  // records that fit, so a partial tail behind them is never reached. A whole
  // file in one buffer would need as much memory again as the collection.
  constexpr std::size_t BLOCK_SAETZE = 64;
  const std::unique_ptr<TDatensatz[]> block(new TDatensatz[BLOCK_SAETZE]);
  char* const puffer = reinterpret_cast<char*>(block.get());
  int angehaengt = 0;
  while (db.get_anzahl() < grenze) {
    const auto frei = static_cast<std::size_t>(grenze - db.get_anzahl());
    const std::size_t wunsch = std::min(frei, BLOCK_SAETZE) * DATENSATZ_GROESSE;
    const std::size_t gelesen = allesLesen(f.fd, puffer, wunsch);
    if (kennung) {
      summe.dazu(puffer, gelesen);
      kennung->pruefsumme = summe.wert();
    }
    const std::size_t ganze = gelesen / DATENSATZ_GROESSE;
    std::size_t i = 0;
    for (; i < ganze && db.get_anzahl() < grenze; ++i) {
      db.add_datensatz(block[i]);
      ++angehaengt;
      if (beiDatensatz) beiDatensatz(block[i]);
    }
    if (gelesen < wunsch) {
      // End of the file: whatever is left over is a partial record.
      if (i * DATENSATZ_GROESSE < gelesen && db.get_anzahl() < grenze) throw eaFehler(EA_DATEIENDE);
      break;
    }
  }
  return angehaengt;
}

std::string vemDaten(const TDatBas& db) { return datenVon(db); }

void vemSchreiben(const std::string& pfad, const TDatBas& db, TDateiKennung* kennung) {
  dateiSicherSchreiben(pfad, datenVon(db), kennung);
}
