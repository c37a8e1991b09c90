#pragma once
// Blocking download of one address into one file, through the network client.
#include <chrono>
#include <cstdint>
#include <string>

#include "net/UNetzClient.h"

// The bounds of one download; a transfer beyond any of them fails like any
// other failed transfer.
struct TDownloadGrenzen {
  std::int64_t hoechstBytes = 0;                   // the largest file accepted
  std::chrono::milliseconds gesamtZeit{0};         // the whole transfer, redirects included; 0 = no limit
  long mindestBytesProSekunde = 0;                 // an average speed below this ...
  std::chrono::seconds langsamZeit{0};             // ... over this long ends the transfer; 0 = no limit
  bool operator==(const TDownloadGrenzen&) const = default;
};

// True when the program may fetch "adresse": an https address, or an http
// address of this computer (loopback): the network client's rule.
bool downloadErlaubt(const std::string& adresse);

// Downloads "adresse" into the file "ziel" and returns true when the whole
// resource arrived within "grenzen". HTTP errors count as failures. Redirects
// are followed by the network client's rule, at most ten of them. The data go
// to a temporary file beside "ziel", which replaces "ziel" only on success: a
// failed download leaves no file behind and an existing one as it was.
// Temporary files that a killed run left beside "ziel" are removed first.
// "fortschritt", when set, hears of the progress now and then.
bool dateiHerunterladen(const std::string& adresse, const std::string& ziel, const TDownloadGrenzen& grenzen,
                        const TFortschritt& fortschritt = {});
