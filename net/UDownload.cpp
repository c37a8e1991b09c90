#include "net/UDownload.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "core/USicherSchreiben.h"

namespace {

// Redirects followed at most on the way to the file.
constexpr int HOECHSTENS_UMLEITUNGEN = 10;
// The temporary file of a download is the target's name with this and six characters.
constexpr std::string_view TEMP_ZUSATZ = ".download-";

// The temporary file the body is written to.
class DateiSenke : public TNetzSenke {
 public:
  explicit DateiSenke(int fd) : fd_(fd) {}
  bool neu() override { return ::ftruncate(fd_, 0) == 0 && ::lseek(fd_, 0, SEEK_SET) == 0; }
  bool schreiben(const char* daten, std::size_t laenge) override {
    std::size_t geschrieben = 0;
    while (geschrieben < laenge) {
      const ssize_t w = ::write(fd_, daten + geschrieben, laenge - geschrieben);
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return false;
      geschrieben += static_cast<std::size_t>(w);
    }
    return true;
  }

 private:
  int fd_;
};

bool uebertragen(const std::string& adresse, const TDownloadGrenzen& grenzen, const TFortschritt& fortschritt, int fd) {
  DateiSenke senke(fd);
  TNetzAnfrage anfrage;
  anfrage.adresse = adresse;
  anfrage.hoechstBytes = grenzen.hoechstBytes;
  anfrage.gesamtZeit = grenzen.gesamtZeit;
  anfrage.mindestBytesProSekunde = grenzen.mindestBytesProSekunde;
  anfrage.langsamZeit = grenzen.langsamZeit;
  anfrage.umleitungen = HOECHSTENS_UMLEITUNGEN;
  anfrage.fortschritt = fortschritt;
  anfrage.senke = &senke;
  return netzAbfragen(anfrage).ergebnis == TNetzErgebnis::Ok;
}

// Removes the temporary files that a killed download into "ziel" left behind.
// A running download holds a lock on its own file, which is left alone.
void resteEntfernen(const std::string& ziel) {
  const std::string ordner = ordnerVon(ziel);
  const std::size_t schnitt = ziel.rfind('/');
  const std::string praefix =
      (schnitt == std::string::npos ? ziel : ziel.substr(schnitt + 1)) + std::string(TEMP_ZUSATZ);
  DIR* d = ::opendir(ordner.c_str());
  if (!d) return;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name = e->d_name;
    if (name.size() != praefix.size() + 6 || !name.starts_with(praefix)) continue;
    const std::string pfad = ordner + "/" + std::string(name);
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(pfad.c_str());
    ::close(fd);
  }
  ::closedir(d);
}

}  // namespace

bool downloadErlaubt(const std::string& adresse) { return netzAdresseErlaubt(adresse); }

bool dateiHerunterladen(const std::string& adresse, const std::string& ziel, const TDownloadGrenzen& grenzen,
                        const TFortschritt& fortschritt) {
  if (ziel.empty() || !downloadErlaubt(adresse)) return false;
  resteEntfernen(ziel);

  std::string vorlage = ziel + std::string(TEMP_ZUSATZ) + "XXXXXX";
  const int fd = ::mkostemp(vorlage.data(), O_CLOEXEC);
  if (fd < 0) return false;
  // Marks the file as in use for the next run's clean-up; released on close.
  bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && uebertragen(adresse, grenzen, fortschritt, fd);
  if (ok) {
    // The permissions of a file newly created by the user.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ok = ::fchmod(fd, 0666 & ~maske) == 0 && ::fsync(fd) == 0;
  }
  // Renamed while still locked, so that no clean-up can take it away in between.
  ok = ok && ::rename(vorlage.c_str(), ziel.c_str()) == 0;
  if (!ok) ::unlink(vorlage.c_str());
  ok = ::close(fd) == 0 && ok;
  return ok;
}
