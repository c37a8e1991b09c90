#include "net/UDownload.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "net/UCurl.h"

namespace {

constexpr long VERBINDEN_SEKUNDEN = 30;
// A transfer slower than this many bytes per second for that long is given up.
constexpr long MINDEST_BYTES = 1;
constexpr long STILLSTAND_SEKUNDEN = 60;

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
  bool fehler = false;
};

size_t schreiben(char* daten, size_t groesse, size_t anzahl, void* nutzer) {
  auto* z = static_cast<Ziel*>(nutzer);
  const size_t n = groesse * anzahl;
  size_t geschrieben = 0;
  while (geschrieben < n) {
    const ssize_t w = ::write(z->fd, daten + geschrieben, n - geschrieben);
    if (w < 0) {
      if (errno == EINTR) continue;
      z->fehler = true;
      return 0;  // ends the transfer with an error
    }
    geschrieben += static_cast<size_t>(w);
  }
  return n;
}

bool uebertragen(const std::string& adresse, bool sicher, Ziel& ziel) {
  const TCurl* cu = curl();
  if (!cu) return false;
  std::unique_ptr<CURL, CurlFrei> handle(cu->easy_init());
  if (!handle) return false;
  CURL* c = handle.get();
  const auto setopt = cu->easy_setopt;
  setopt(c, CURLOPT_URL, adresse.c_str());
  setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  // A secure address is never followed to an insecure one.
  setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, sicher ? "https" : "http,https");
  setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  setopt(c, CURLOPT_MAXREDIRS, 10L);
  setopt(c, CURLOPT_FAILONERROR, 1L);
  setopt(c, CURLOPT_NOSIGNAL, 1L);
  setopt(c, CURLOPT_CONNECTTIMEOUT, VERBINDEN_SEKUNDEN);
  setopt(c, CURLOPT_LOW_SPEED_LIMIT, MINDEST_BYTES);
  setopt(c, CURLOPT_LOW_SPEED_TIME, STILLSTAND_SEKUNDEN);
  setopt(c, CURLOPT_USERAGENT, "Vemla-AutoUpdate/1.2");
  setopt(c, CURLOPT_WRITEFUNCTION, schreiben);
  setopt(c, CURLOPT_WRITEDATA, &ziel);
  return cu->easy_perform(c) == CURLE_OK && !ziel.fehler;
}

}  // namespace

bool downloadErlaubt(const std::string& adresse) {
  std::string schema, host;
  if (!schemaUndHost(adresse, schema, host)) return false;
  return schema == "https" || (schema == "http" && loopback(host));
}

bool dateiHerunterladen(const std::string& adresse, const std::string& ziel) {
  if (ziel.empty()) return false;
  std::string schema, host;
  if (!schemaUndHost(adresse, schema, host)) return false;

  std::string vorlage = ziel + ".download-XXXXXX";
  Ziel z{::mkostemp(vorlage.data(), O_CLOEXEC)};
  if (z.fd < 0) return false;
  bool ok = uebertragen(adresse, schema == "https", z);
  if (ok) {
    // The permissions of a file newly created by the user.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ok = ::fchmod(z.fd, 0666 & ~maske) == 0 && ::fsync(z.fd) == 0;
  }
  ok = ::close(z.fd) == 0 && ok;
  ok = ok && ::rename(vorlage.c_str(), ziel.c_str()) == 0;
  if (!ok) ::unlink(vorlage.c_str());
  return ok;
}
