#pragma once
// The program's one way onto the network: one blocking request with libcurl.
// Every request of the program, the update's downloads as the online look-up's
// questions, goes through here and keeps the same rules: the same User-Agent,
// only addresses the program may fetch, and redirects followed one by one,
// each hop checked by the same rule. What differs from caller to caller are
// the bounds, given with each request.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Told during a transfer, on the thread that runs it: the bytes received so
// far and the size the server announced (0 while it is not known).
using TFortschritt = std::function<void(std::int64_t geladen, std::int64_t gesamt)>;

enum class TNetzErgebnis {
  Ok,                   // a 2xx answer arrived whole
  KeineVerbindung,      // no server, a broken connection, no libcurl
  Zeitueberschreitung,  // the whole time, or too slow for too long
  ZuGross,              // the body is larger than allowed
  HttpFehler,           // any other answer: see "status" and "warteZeit"
  NichtErlaubt,         // an address (or a hop to one) the program may not fetch
  Umleitungen,          // redirected in a circle or more often than allowed
  Unbestaetigt,         // the secure connection's certificate is not trusted
  Abgebrochen,
  Schreibfehler,  // the sink refused the data
};

// Where the body of an answer goes when it is not kept in memory. Called on
// the thread that runs the request.
class TNetzSenke {
 public:
  virtual ~TNetzSenke() = default;
  // A new answer begins (after a redirect): what was written before goes.
  virtual bool neu() = 0;
  virtual bool schreiben(const char* daten, std::size_t laenge) = 0;
};

struct TNetzAnfrage {
  std::string adresse;
  std::int64_t hoechstBytes = 0;                   // the largest body accepted
  std::chrono::milliseconds gesamtZeit{0};         // name look-up, every hop and every wait; 0 = no limit
  long mindestBytesProSekunde = 0;                 // an average speed below this ...
  std::chrono::seconds langsamZeit{0};             // ... over this long ends the transfer; 0 = no limit
  int umleitungen = 0;                             // hops followed at most
  std::chrono::milliseconds abstand{0};            // after this request, before the program's next one
  std::string zertifikate;                         // trusted in place of the system's (PEM); empty: the system's
  std::chrono::steady_clock::time_point nichtVor;  // the request waits for this moment (a retry)
  const std::atomic<bool>* abbrechen = nullptr;    // set: the request ends within moments
  TFortschritt fortschritt;
  std::vector<std::string> kopfzeilen;  // further header lines ("Accept: application/json")
  TNetzSenke* senke = nullptr;          // nullptr: the body is kept in "koerper"
  // Set: the address is asked for only when the first request may go out
  // (after "nichtVor" and the spacing), so that it can name what is waiting
  // by then; an empty address ends the request as cancelled. "adresse" is
  // not used then.
  std::function<std::string()> adresseBeimSenden;
  // Plain http is allowed to an address of the home network too (a mirror of
  // a service run there), not only to this computer.
  bool heimnetz = false;
};

struct TNetzAntwort {
  TNetzErgebnis ergebnis = TNetzErgebnis::KeineVerbindung;
  long status = 0;        // of the last answer
  std::string warteZeit;  // its Retry-After value
  std::string koerper;    // its body, unless a sink took it
};

// The User-Agent of every request: "Vemla/<version> ( <e-mail> )".
std::string netzBenutzerAgent();

// True when the program may fetch "adresse": an https address, or an http
// address of this computer (loopback), or with "heimnetz" also of the home
// network. Only literal addresses count as such (127.0.0.0/8, ::1,
// "localhost"; with "heimnetz" also 10.0.0.0/8, 172.16.0.0/12,
// 192.168.0.0/16, 169.254.0.0/16, fc00::/7, fe80::/10): a host name could
// resolve to anywhere.
bool netzAdresseErlaubt(const std::string& adresse, bool heimnetz = false);

// True when a request with the spacing "abstand" would go out at once, with no
// wait for an earlier request of the program.
bool netzJetztFrei(std::chrono::milliseconds abstand);

// Fetches "anfrage.adresse"; blocks until the answer, a failure or "abbrechen".
// Each redirect is a request of its own (with the spacing) and is followed only
// to an address the program may fetch, never from https back to http, never
// back to an earlier address on the way (a circle), and no more often than
// "umleitungen". A redirect to the very address just asked is the server
// asking again: it only counts.
TNetzAntwort netzAbfragen(const TNetzAnfrage& anfrage);
