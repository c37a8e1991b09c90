#include "net/UNetzClient.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "app/UAdressen.h"
#include "net/UCurl.h"

namespace {

using Uhr = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Connecting to a server never takes longer than this, whatever else is left.
constexpr milliseconds VERBINDEN{30000};

struct UrlFrei {
  void operator()(CURLU* u) const { curl()->url_cleanup(u); }
};
struct CurlFrei {
  void operator()(CURL* c) const { curl()->easy_cleanup(c); }
};
struct ListeFrei {
  void operator()(curl_slist* l) const { curl()->slist_free_all(l); }
};
struct MultiFrei {
  void operator()(CURLM* m) const { curl()->multi_cleanup(m); }
};

void klein(std::string& s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

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
  klein(schema);
  klein(host);
  return ok;
}

// A literal address of this computer, or with "heimnetz" also one of the home network.
bool hostErlaubt(const std::string& host, bool heimnetz) {
  if (host == "localhost") return true;
  unsigned char a[16];
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    const std::string ip = host.substr(1, host.size() - 2);
    if (ip.find('%') != std::string::npos || ::inet_pton(AF_INET6, ip.c_str(), a) != 1) return false;
    static const unsigned char eins[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    if (std::equal(a, a + 16, eins)) return true;
    return heimnetz && ((a[0] & 0xFE) == 0xFC || (a[0] == 0xFE && (a[1] & 0xC0) == 0x80));
  }
  // Four decimal parts only: curl reads "127.1" or "0x7f.1" too, as its resolver would.
  if (host.find_first_not_of("0123456789.") != std::string::npos || ::inet_pton(AF_INET, host.c_str(), a) != 1)
    return false;
  if (a[0] == 127) return true;
  return heimnetz && (a[0] == 10 || (a[0] == 172 && (a[1] & 0xF0) == 16) || (a[0] == 192 && a[1] == 168) ||
                      (a[0] == 169 && a[1] == 254));
}

bool sicher(const std::string& adresse) {
  std::string schema, host;
  return schemaUndHost(adresse, schema, host) && schema == "https";
}

// The moment the next request may go out: with a spacing, each request takes
// the next free moment, whichever thread sends it.
std::mutex terminSperre;
Uhr::time_point terminFrei;

Uhr::time_point naechsterTermin(milliseconds abstand) {
  auto& sperre = terminSperre;
  auto& frei = terminFrei;
  if (abstand.count() <= 0) return Uhr::now();
  std::lock_guard<std::mutex> g(sperre);
  const Uhr::time_point t = std::max(Uhr::now(), frei);
  frei = t + abstand;
  return t;
}

// Waits until "t"; false when cancelled first.
bool wartenBis(Uhr::time_point t, const std::atomic<bool>& abbrechen) {
  while (Uhr::now() < t) {
    if (abbrechen) return false;
    std::this_thread::sleep_for(std::min<Uhr::duration>(t - Uhr::now(), milliseconds(20)));
  }
  return !abbrechen;
}

// One answer as it arrives.
struct Empfang {
  const TNetzAnfrage* anfrage;
  TNetzAntwort* antwort;
  std::int64_t bytes = 0;
  bool zuGross = false;
  bool schreibfehler = false;
};

size_t datenEmpfangen(char* daten, size_t groesse, size_t anzahl, void* nutzer) {
  auto* e = static_cast<Empfang*>(nutzer);
  const size_t n = groesse * anzahl;
  if (e->bytes + static_cast<std::int64_t>(n) > e->anfrage->hoechstBytes) {
    e->zuGross = true;
    return 0;  // ends the transfer
  }
  if (e->anfrage->senke) {
    if (!e->anfrage->senke->schreiben(daten, n)) {
      e->schreibfehler = true;
      return 0;
    }
  } else {
    e->antwort->koerper.append(daten, n);
  }
  e->bytes += static_cast<std::int64_t>(n);
  return n;
}

size_t kopfEmpfangen(char* daten, size_t groesse, size_t anzahl, void* nutzer) {
  auto* e = static_cast<Empfang*>(nutzer);
  const std::string_view zeile(daten, groesse * anzahl);
  if (zeile.starts_with("HTTP/")) e->antwort->warteZeit.clear();  // a new answer begins
  const std::size_t p = zeile.find(':');
  if (p == std::string_view::npos || p == 0) return groesse * anzahl;
  std::string name(zeile.substr(0, p));
  klein(name);
  if (name == "retry-after") {
    const std::string_view leer = " \t\r\n";
    std::string_view wert = zeile.substr(p + 1);
    wert.remove_prefix(std::min(wert.size(), wert.find_first_not_of(leer)));
    wert = wert.substr(0, wert.find_last_not_of(leer) + 1);
    e->antwort->warteZeit = wert;
  }
  return groesse * anzahl;
}

int fortschrittMelden(void* nutzer, curl_off_t gesamt, curl_off_t geladen, curl_off_t, curl_off_t) {
  const auto* e = static_cast<const Empfang*>(nutzer);
  e->anfrage->fortschritt(static_cast<std::int64_t>(geladen), static_cast<std::int64_t>(gesamt));
  return 0;
}

// Runs the transfer of "c", looking at "abbrechen" every few milliseconds.
// "frist" holds whatever the library does with a name look-up.
CURLcode ausfuehren(const TCurl& cu, CURL* c, Uhr::time_point frist, const std::atomic<bool>& abbrechen) {
  std::unique_ptr<CURLM, MultiFrei> multi(cu.multi_init());
  if (!multi || cu.multi_add_handle(multi.get(), c) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
  CURLcode ergebnis = CURLE_ABORTED_BY_CALLBACK;
  int laufend = 1;
  while (!abbrechen) {
    if (cu.multi_perform(multi.get(), &laufend) != CURLM_OK) {
      ergebnis = CURLE_RECV_ERROR;
      break;
    }
    int rest = 0;
    if (CURLMsg* m = cu.multi_info_read(multi.get(), &rest); m && m->msg == CURLMSG_DONE) {
      ergebnis = m->data.result;
      break;
    }
    if (Uhr::now() >= frist) {
      ergebnis = CURLE_OPERATION_TIMEDOUT;
      break;
    }
    cu.multi_poll(multi.get(), nullptr, 0, 25, nullptr);
  }
  cu.multi_remove_handle(multi.get(), c);
  return ergebnis;
}

// The options every request of the program is sent with, and the caller's bounds.
void einrichten(const TCurl& cu, CURL* c, const TNetzAnfrage& anfrage, const std::string& agent, curl_slist* kopf,
                Empfang& empfang) {
  const auto setopt = cu.easy_setopt;
  setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  // Redirects are followed here, one request at a time.
  setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  setopt(c, CURLOPT_NOSIGNAL, 1L);
  // A name look-up that hangs is left behind, not waited for.
  setopt(c, CURLOPT_QUICK_EXIT, 1L);
  setopt(c, CURLOPT_USERAGENT, agent.c_str());
  if (kopf) setopt(c, CURLOPT_HTTPHEADER, kopf);
  setopt(c, CURLOPT_ACCEPT_ENCODING, "");  // whatever the library can unpack
  if (!anfrage.zertifikate.empty()) {
    curl_blob zertifikate{const_cast<char*>(anfrage.zertifikate.data()), anfrage.zertifikate.size(), CURL_BLOB_COPY};
    setopt(c, CURLOPT_CAINFO_BLOB, &zertifikate);
  }
  if (anfrage.hoechstBytes > 0) setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(anfrage.hoechstBytes));
  if (anfrage.mindestBytesProSekunde > 0 && anfrage.langsamZeit.count() > 0) {
    setopt(c, CURLOPT_LOW_SPEED_LIMIT, anfrage.mindestBytesProSekunde);
    setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(anfrage.langsamZeit.count()));
  }
  setopt(c, CURLOPT_WRITEFUNCTION, datenEmpfangen);
  setopt(c, CURLOPT_WRITEDATA, &empfang);
  setopt(c, CURLOPT_HEADERFUNCTION, kopfEmpfangen);
  setopt(c, CURLOPT_HEADERDATA, &empfang);
  if (anfrage.fortschritt) {
    setopt(c, CURLOPT_XFERINFOFUNCTION, fortschrittMelden);
    setopt(c, CURLOPT_XFERINFODATA, &empfang);
    setopt(c, CURLOPT_NOPROGRESS, 0L);
  }
}

TNetzErgebnis ergebnisVon(CURLcode code, const Empfang& e) {
  if (e.zuGross || code == CURLE_FILESIZE_EXCEEDED) return TNetzErgebnis::ZuGross;
  if (e.schreibfehler) return TNetzErgebnis::Schreibfehler;
  switch (code) {
    case CURLE_OK:
      return TNetzErgebnis::Ok;
    case CURLE_OPERATION_TIMEDOUT:
      return TNetzErgebnis::Zeitueberschreitung;
    case CURLE_UNSUPPORTED_PROTOCOL:
      return TNetzErgebnis::NichtErlaubt;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ISSUER_ERROR:
      return TNetzErgebnis::Unbestaetigt;
    default:
      return TNetzErgebnis::KeineVerbindung;
  }
}

// The rule for every hop from "von" to "nach", after "besucht" on the way.
// A hop to the very address just asked is the server asking again (as some do
// while a file is being made ready) and only counts; one back to an address
// asked earlier is a circle.
TNetzErgebnis hopPruefen(const std::string& von, const std::string& nach, const std::vector<std::string>& besucht,
                         int erlaubt, bool heimnetz) {
  if (!netzAdresseErlaubt(nach, heimnetz) || (sicher(von) && !sicher(nach))) return TNetzErgebnis::NichtErlaubt;
  const bool kreis = nach != von && std::find(besucht.begin(), besucht.end(), nach) != besucht.end();
  if (kreis || static_cast<int>(besucht.size()) > erlaubt) return TNetzErgebnis::Umleitungen;
  return TNetzErgebnis::Ok;
}

}  // namespace

std::string netzBenutzerAgent() { return std::string("Vemla/") + PROGRAMMVERSION + " ( " + KONTAKT_EMAIL + " )"; }

bool netzAdresseErlaubt(const std::string& adresse, bool heimnetz) {
  std::string schema, host;
  if (!schemaUndHost(adresse, schema, host)) return false;
  return schema == "https" || (schema == "http" && hostErlaubt(host, heimnetz));
}

bool netzJetztFrei(std::chrono::milliseconds abstand) {
  if (abstand.count() <= 0) return true;
  std::lock_guard<std::mutex> g(terminSperre);
  return Uhr::now() >= terminFrei;
}

TNetzAntwort netzAbfragen(const TNetzAnfrage& anfrage) {
  static const std::atomic<bool> nie{false};
  const std::atomic<bool>& abbrechen = anfrage.abbrechen ? *anfrage.abbrechen : nie;
  TNetzAntwort antwort;
  if (!anfrage.adresseBeimSenden && !netzAdresseErlaubt(anfrage.adresse, anfrage.heimnetz)) {
    antwort.ergebnis = TNetzErgebnis::NichtErlaubt;
    return antwort;
  }
  const TCurl* cu = curl();
  std::unique_ptr<CURL, CurlFrei> handle(cu ? cu->easy_init() : nullptr);
  if (!handle) return antwort;
  std::unique_ptr<curl_slist, ListeFrei> kopf;
  for (const std::string& zeile : anfrage.kopfzeilen) {
    curl_slist* l = cu->slist_append(kopf.get(), zeile.c_str());
    if (!l) return antwort;
    if (!kopf) kopf.reset(l);  // later lines are appended behind the first
  }
  const std::string agent = netzBenutzerAgent();
  Empfang empfang{&anfrage, &antwort};
  CURL* c = handle.get();
  einrichten(*cu, c, anfrage, agent, kopf.get(), empfang);

  const bool begrenzt = anfrage.gesamtZeit.count() > 0;
  const Uhr::time_point frist = begrenzt ? Uhr::now() + anfrage.gesamtZeit : Uhr::time_point::max();
  std::vector<std::string> besucht{anfrage.adresse};
  if (!wartenBis(anfrage.nichtVor, abbrechen)) {
    antwort.ergebnis = TNetzErgebnis::Abgebrochen;
    return antwort;
  }
  for (bool erste = true;; erste = false) {
    if (!wartenBis(naechsterTermin(anfrage.abstand), abbrechen)) {
      antwort.ergebnis = TNetzErgebnis::Abgebrochen;
      return antwort;
    }
    if (erste && anfrage.adresseBeimSenden) {
      // Now the request goes out: it names what is there to ask for by now.
      besucht = {anfrage.adresseBeimSenden()};
      if (besucht.back().empty()) {
        antwort.ergebnis = TNetzErgebnis::Abgebrochen;
        return antwort;
      }
      if (!netzAdresseErlaubt(besucht.back(), anfrage.heimnetz)) {
        antwort.ergebnis = TNetzErgebnis::NichtErlaubt;
        return antwort;
      }
    }
    const std::string& url = besucht.back();
    const auto rest = std::chrono::duration_cast<milliseconds>(frist - Uhr::now());
    if (begrenzt && rest.count() <= 0) {
      antwort.ergebnis = TNetzErgebnis::Zeitueberschreitung;
      return antwort;
    }
    // Each answer starts empty: the body of a redirect is not kept.
    antwort = {};
    empfang.bytes = 0;
    if (anfrage.senke && !anfrage.senke->neu()) {
      antwort.ergebnis = TNetzErgebnis::Schreibfehler;
      return antwort;
    }
    cu->easy_setopt(c, CURLOPT_URL, url.c_str());
    cu->easy_setopt(c, CURLOPT_TIMEOUT_MS, begrenzt ? static_cast<long>(rest.count()) : 0L);
    cu->easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS,
                    static_cast<long>(begrenzt ? std::min(rest, VERBINDEN).count() : VERBINDEN.count()));
    const CURLcode code = ausfuehren(*cu, c, frist, abbrechen);
    cu->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &antwort.status);
    antwort.ergebnis = abbrechen ? TNetzErgebnis::Abgebrochen : ergebnisVon(code, empfang);
    if (antwort.ergebnis != TNetzErgebnis::Ok || (antwort.status >= 200 && antwort.status <= 299)) return antwort;
    char* weiter = nullptr;
    antwort.ergebnis = TNetzErgebnis::HttpFehler;
    if (antwort.status < 300 || antwort.status > 399 ||
        cu->easy_getinfo(c, CURLINFO_REDIRECT_URL, &weiter) != CURLE_OK || !weiter)
      return antwort;
    const std::string nach = weiter;
    antwort.ergebnis = hopPruefen(url, nach, besucht, anfrage.umleitungen, anfrage.heimnetz);
    if (antwort.ergebnis != TNetzErgebnis::Ok) return antwort;
    besucht.push_back(nach);
  }
}
