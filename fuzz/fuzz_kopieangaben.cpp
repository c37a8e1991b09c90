// Arbitrary bytes as a recovery copy's file and as an older version's
// companion file. Whatever reads as a copy is written back to the same data
// and records; whatever reads as companion data likewise; and any path, time,
// file state and records, written, read back as themselves.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/UDatentypen.h"
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
    pruefe(!a->original, "a companion file names no file state");
    pruefe(kopieAngabenLesen(kopieAngabenText(*a)) == a, "read data does not survive writing");
  }
  if (const auto k = kopieLesen(text)) {
    pruefe(k->saetze.size() % DATENSATZ_GROESSE == 0, "no whole number of records");
    pruefe(k->saetze.data() + k->saetze.size() == text.data() + text.size(), "records are not the end of the file");
    const std::string neu = kopieKopf(k->angaben, k->saetze) + std::string(k->saetze);
    const auto wieder = kopieLesen(neu);
    pruefe(wieder && wieder->angaben == k->angaben && wieder->saetze == k->saetze, "read copy does not survive writing");
  }
  FuzzedDataProvider fdp(daten, groesse);
  TKopieAngaben b;
  b.zeit = fdp.ConsumeIntegralInRange<long long>(0, 999999999999999999LL);
  if (fdp.ConsumeBool()) {
    TDateiKennung o;
    o.geraet = fdp.ConsumeIntegral<unsigned long long>();
    o.knoten = fdp.ConsumeIntegral<unsigned long long>();
    o.groesse = fdp.ConsumeIntegral<unsigned long long>();
    o.geaendertNs = fdp.ConsumeIntegral<long long>();
    o.pruefsumme = fdp.ConsumeIntegral<std::uint64_t>();
    b.original = o;
  }
  const std::string saetze(fdp.ConsumeIntegralInRange<std::size_t>(0, 3) * DATENSATZ_GROESSE,
                           static_cast<char>(fdp.ConsumeIntegral<std::uint8_t>()));
  b.datei = fdp.ConsumeRemainingBytesAsString();
  const std::string kopf = kopieKopf(b, saetze);
  if (kopf.size() <= KOPIE_ANGABEN_HOECHSTENS) {
    const std::string datei = kopf + saetze;
    const auto k = kopieLesen(datei);
    pruefe(k && k->angaben == b && k->saetze == saetze, "copy round trip");
  }
  b.original.reset();
  const std::string geschrieben = kopieAngabenText(b);
  if (geschrieben.size() <= KOPIE_ANGABEN_HOECHSTENS) pruefe(kopieAngabenLesen(geschrieben) == b, "round trip");
  return 0;
}
