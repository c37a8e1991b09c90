// Arbitrary bytes as the details' database beside a collection: opening and
// reading it either works or raises the program's own error; every value read
// is within its bounds; the database then takes a save.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "angaben/UAngabenDb.h"
#include "core/UDatbas.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_angabendb: %s\n", was);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  static const std::string pfad = "/tmp/fuzz_angabendb-" + std::to_string(getpid()) + ".vemx";
  std::FILE* f = std::fopen(pfad.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(daten, 1, groesse, f);
  std::fclose(f);
  try {
    auto db = TAngabenDb::oeffnen(pfad, false);
    db->schnellPruefen();
    db->sammlung();
    for (const auto& [id, g] : db->angaben()) {
      pruefe(g.bewertung >= 0 && g.bewertung <= 5, "rating out of range");
      pruefe(g.aufgenommenAm.empty() || isoDatumGueltig(g.aufgenommenAm), "invalid date");
      pruefe(!g.preisCent || *g.preisCent >= 0, "negative price");
      (void)id;
    }
    TDatBas leer;
    for (auto s : db->staende()) zuordnen(leer, db->zuordnung(s));
    if (!db->nurLesen()) db->speichern(TAngabenStand{"x.vem", 1, {}, {}, {}});
  } catch (const EVemlaFehler&) {
  }
  unlink(pfad.c_str());
  return 0;
}
