// Arbitrary bytes as a recovery copy's file and as an older version's
// companion file. Whatever reads as a copy is written back to the same data
// and records (and details); whatever reads as companion data likewise; and
// any path, time, file state, records and details, written, read back as themselves.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/UDatbas.h"
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
    const std::string_view hinten = k->beilagenDaten.value_or(std::string_view());
    pruefe(k->saetze.data() + k->saetze.size() + hinten.size() == text.data() + text.size(),
           "records and details are not the end of the file");
    pruefe(!k->beilagenDaten || k->beilagen.size() * DATENSATZ_GROESSE == k->saetze.size(),
           "not one set of details per record");
    const std::string neu = kopieKopf(k->angaben, k->saetze, k->beilagenDaten) + std::string(k->saetze) + std::string(hinten);
    const auto wieder = kopieLesen(neu);
    pruefe(wieder && wieder->angaben == k->angaben && wieder->saetze == k->saetze &&
               wieder->beilagenDaten == k->beilagenDaten && wieder->beilagen == k->beilagen,
           "read copy does not survive writing");
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
  const std::size_t anzahl = fdp.ConsumeIntegralInRange<std::size_t>(0, 3);
  const std::string saetze(anzahl * DATENSATZ_GROESSE, static_cast<char>(fdp.ConsumeIntegral<std::uint8_t>()));
  const bool mitBeilagen = fdp.ConsumeBool();
  TDatBas db;
  std::vector<std::string> je;
  for (std::size_t i = 0; i < anzahl; ++i) {
    je.push_back(fdp.ConsumeRandomLengthString(300));
    db.add_datensatz(TDatensatz{}, je.back());
  }
  const std::string beilagen = kopieBeilagen(db);
  b.datei = fdp.ConsumeRemainingBytesAsString();
  const std::string kopf = mitBeilagen ? kopieKopf(b, saetze, beilagen) : kopieKopf(b, saetze);
  if (kopf.size() <= KOPIE_ANGABEN_HOECHSTENS) {
    const std::string datei = kopf + saetze + (mitBeilagen ? beilagen : "");
    const auto k = kopieLesen(datei);
    pruefe(k && k->angaben == b && k->saetze == saetze && k->beilagenDaten.has_value() == mitBeilagen,
           "copy round trip");
    pruefe(!mitBeilagen || std::vector<std::string>(k->beilagen.begin(), k->beilagen.end()) == je,
           "details round trip");
  }
  b.original.reset();
  const std::string geschrieben = kopieAngabenText(b);
  if (geschrieben.size() <= KOPIE_ANGABEN_HOECHSTENS) pruefe(kopieAngabenLesen(geschrieben) == b, "round trip");
  return 0;
}
