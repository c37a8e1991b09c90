#include "net/UDownload.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/USicherSchreiben.h"
#include "net/UCurl.h"

namespace {

constexpr long VERBINDEN_SEKUNDEN = 30;
constexpr int HOECHSTENS_UMLEITUNGEN = 10;
// The temporary file of a download is the target's name with this and six characters.
constexpr std::string_view TEMP_ZUSATZ = ".download-";

struct UrlFrei {
  void operator()(CURLU* u) const { curl()->url_cleanup(u); }
};
struct CurlFrei {
  void operator()(CURL* c) const { curl()->easy_cleanup(c); }
};

// Scheme and host of an address, lower case; false when it cannot be parsed.
bool schemaUndHost(const std::string& adresse, std::string& schema, std::string& host) {
  const TCurl* cu = curl();
  if (!cu) return false;
  std::unique_ptr<CURLU, UrlFrei> url(cu->url());
  if (!url || cu->url_set(url.get(), CURLUPART_URL, adresse.c_str(), 0) != CURLUE_OK) return false;
  char* s = nullptr;
  char* h = nullptr;
  const bool ok = cu->url_get(url.get(), CURLUPART_SCHEME, &s, 0) == CURLUE_OK &&
                  cu->url_get(url.get(), CURLUPART_HOST, &h, 0) == CURLUE_OK;
  if (ok) {
    schema = s;
    host = h;
  }
  cu->free(s);
  cu->free(h);
  for (std::string* t : {&schema, &host})
    for (char& c : *t)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ok;
}

bool loopback(const std::string& host) {
  if (host == "localhost" || host == "[::1]") return true;
  // 127.0.0.0/8 as four decimal parts.
  unsigned teile[4];
  char rest;
  if (std::sscanf(host.c_str(), "%u.%u.%u.%u%c", &teile[0], &teile[1], &teile[2], &teile[3], &rest) != 4) return false;
  if (host.find_first_not_of("0123456789.") != std::string::npos) return false;
  return teile[0] == 127 && teile[1] <= 255 && teile[2] <= 255 && teile[3] <= 255;
}

struct Ziel {
  int fd;
  std::int64_t hoechstBytes;
  std::int64_t geschrieben = 0;
  bool fehler = false;
  const TFortschritt* fortschritt = nullptr;
};

int fortschrittMelden(void* nutzer, curl_off_t gesamt, curl_off_t geladen, curl_off_t, curl_off_t) {
  const auto* z = static_cast<const Ziel*>(nutzer);
  (*z->fortschritt)(static_cast<std::int64_t>(geladen), static_cast<std::int64_t>(gesamt));
  return 0;
}

size_t schreiben(char* daten, size_t groesse, size_t anzahl, void* nutzer) {
  auto* z = static_cast<Ziel*>(nutzer);
  const size_t n = groesse * anzahl;
  if (z->geschrieben + static_cast<std::int64_t>(n) > z->hoechstBytes) {
    z->fehler = true;
    return 0;  // too large: ends the transfer with an error
  }
  size_t geschrieben = 0;
  while (geschrieben < n) {
    const ssize_t w = ::write(z->fd, daten + geschrieben, n - geschrieben);
    if (w < 0) {
      if (errno == EINTR) continue;
      z->fehler = true;
      return 0;
    }
    geschrieben += static_cast<size_t>(w);
  }
  z->geschrieben += static_cast<std::int64_t>(n);
  return n;
}

// Empties the temporary file for the next answer (the body of a redirect is not kept).
bool leeren(Ziel& z) {
  z.geschrieben = 0;
  return ::ftruncate(z.fd, 0) == 0 && ::lseek(z.fd, 0, SEEK_SET) == 0;
}

// Fetches "adresse" into the file, following redirects one by one, each checked
// like the first address.
bool uebertragen(const std::string& adresse, const TDownloadGrenzen& grenzen, Ziel& ziel) {
  const TCurl* cu = curl();
  if (!cu) return false;
  std::unique_ptr<CURL, CurlFrei> handle(cu->easy_init());
  if (!handle) return false;
  CURL* c = handle.get();
  const auto setopt = cu->easy_setopt;
  setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  setopt(c, CURLOPT_FAILONERROR, 1L);
  setopt(c, CURLOPT_NOSIGNAL, 1L);
  setopt(c, CURLOPT_CONNECTTIMEOUT, VERBINDEN_SEKUNDEN);
  setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(grenzen.hoechstBytes));
  if (grenzen.mindestBytesProSekunde > 0 && grenzen.langsamZeit.count() > 0) {
    setopt(c, CURLOPT_LOW_SPEED_LIMIT, grenzen.mindestBytesProSekunde);
    setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(grenzen.langsamZeit.count()));
  }
  setopt(c, CURLOPT_USERAGENT, "Vemla-AutoUpdate/1.2");
  setopt(c, CURLOPT_WRITEFUNCTION, schreiben);
  setopt(c, CURLOPT_WRITEDATA, &ziel);
  if (ziel.fortschritt && *ziel.fortschritt) {
    setopt(c, CURLOPT_XFERINFOFUNCTION, fortschrittMelden);
    setopt(c, CURLOPT_XFERINFODATA, &ziel);
    setopt(c, CURLOPT_NOPROGRESS, 0L);
  }

  using Uhr = std::chrono::steady_clock;
  const auto frist = Uhr::now() + grenzen.gesamtZeit;
  std::string url = adresse;
  bool warSicher = false;
  for (int schritt = 0; schritt <= HOECHSTENS_UMLEITUNGEN; ++schritt) {
    std::string schema, host;
    if (!schemaUndHost(url, schema, host) || !downloadErlaubt(url)) return false;
    // A secure address is never followed to an insecure one.
    if (warSicher && schema != "https") return false;
    warSicher = schema == "https";
    if (!leeren(ziel)) return false;
    if (grenzen.gesamtZeit.count() > 0) {
      const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(frist - Uhr::now()).count();
      if (rest <= 0) return false;
      setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(rest));
    }
    setopt(c, CURLOPT_URL, url.c_str());
    if (cu->easy_perform(c) != CURLE_OK || ziel.fehler) return false;
    long status = 0;
    char* weiter = nullptr;
    if (cu->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) return false;
    if (status < 300 || status > 399) return status >= 200 && status <= 299;
    if (cu->easy_getinfo(c, CURLINFO_REDIRECT_URL, &weiter) != CURLE_OK || !weiter) return false;
    url = weiter;
  }
  return false;  // too many redirects
}

// Removes the temporary files that a killed download into "ziel" left behind.
// A running download holds a lock on its own file, which is left alone.
void resteEntfernen(const std::string& ziel) {
  const std::string ordner = ordnerVon(ziel);
  const std::size_t schnitt = ziel.rfind('/');
  const std::string praefix = (schnitt == std::string::npos ? ziel : ziel.substr(schnitt + 1)) + std::string(TEMP_ZUSATZ);
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

bool downloadErlaubt(const std::string& adresse) {
  std::string schema, host;
  if (!schemaUndHost(adresse, schema, host)) return false;
  return schema == "https" || (schema == "http" && loopback(host));
}

bool dateiHerunterladen(const std::string& adresse, const std::string& ziel, const TDownloadGrenzen& grenzen,
                        const TFortschritt& fortschritt) {
  if (ziel.empty() || !downloadErlaubt(adresse)) return false;
  resteEntfernen(ziel);

  std::string vorlage = ziel + std::string(TEMP_ZUSATZ) + "XXXXXX";
  Ziel z{::mkostemp(vorlage.data(), O_CLOEXEC), grenzen.hoechstBytes, 0, false, &fortschritt};
  if (z.fd < 0) return false;
  // Marks the file as in use for the next run's clean-up; released on close.
  bool ok = ::flock(z.fd, LOCK_EX | LOCK_NB) == 0 && uebertragen(adresse, grenzen, z);
  if (ok) {
    // The permissions of a file newly created by the user.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ok = ::fchmod(z.fd, 0666 & ~maske) == 0 && ::fsync(z.fd) == 0;
  }
  // Renamed while still locked, so that no clean-up can take it away in between.
  ok = ok && ::rename(vorlage.c_str(), ziel.c_str()) == 0;
  if (!ok) ::unlink(vorlage.c_str());
  ok = ::close(z.fd) == 0 && ok;
  return ok;
}
