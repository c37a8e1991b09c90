// Arbitrary bytes as the update description fetched from the update server.
//
// Every key the update reads is read as the update does; the version read is
// compared with the program's own and with a second version taken from the
// input. Checked: no version is newer than itself, of two versions at most
// one is the newer, and an empty version is never newer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/UIniFile.h"
#include "net/UVersion.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_update: %s\n", was);
    std::abort();
  }
}

void vergleiche(const std::string& a, const std::string& b) {
  pruefe(!versionNeuer(a, a), "a version newer than itself");
  pruefe(!(versionNeuer(a, b) && versionNeuer(b, a)), "each of two versions newer than the other");
  pruefe(!versionNeuer("", a), "an empty version newer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  FuzzedDataProvider fdp(daten, groesse);
  const std::string zweite = fdp.ConsumeRandomLengthString(64);
  const std::string text = fdp.ConsumeRemainingBytesAsString();
  const std::string version = iniWertLesen(text, "programmversion", "version", "");
  for (const char* schluessel : {"filename", "groesse", "link"}) iniWertLesen(text, "downloadfile", schluessel, "x");
  for (const char* schluessel : {"336modem", "56modem", "64isdn", "128dualisd", "384dsl"})
    iniWertLesen(text, "downloadtime", schluessel, "[ unbekannt ]");
  vergleiche(version, "1.0.6");
  vergleiche(version, zweite);
  vergleiche(zweite, "1.0.6");
  return 0;
}
