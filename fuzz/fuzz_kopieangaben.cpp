// Arbitrary bytes as the companion file of a recovery copy. Whatever reads as
// companion data is written back to the same data; and any path and time,
// written, read back as themselves.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sicherung/UKopieAngaben.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_kopieangaben: %s\n", was);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  const std::string text(reinterpret_cast<const char*>(daten), groesse);
  if (const auto a = kopieAngabenLesen(text)) {
    pruefe(a->zeit >= 0, "negative time");
    pruefe(kopieAngabenLesen(kopieAngabenText(*a)) == a, "read data does not survive writing");
  }
  FuzzedDataProvider fdp(daten, groesse);
  TKopieAngaben b;
  b.zeit = fdp.ConsumeIntegralInRange<long long>(0, 999999999999999999LL);
  b.datei = fdp.ConsumeRemainingBytesAsString();
  const std::string geschrieben = kopieAngabenText(b);
  if (geschrieben.size() <= KOPIE_ANGABEN_HOECHSTENS) pruefe(kopieAngabenLesen(geschrieben) == b, "round trip");
  return 0;
}
