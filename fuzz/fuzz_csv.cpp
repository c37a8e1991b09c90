// Arbitrary bytes through the CSV reader and the mapping. Malformed input may
// only be refused with its German message; whatever is read must give entries
// that an export and a new import bring back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/UDatbas.h"
#include "csv/UCsvLesen.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UCsvZuordnung.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_csv: %s\n", was);
    std::abort();
  }
}

// Line breaks and tabs in a field are blanks after a round trip, and entries
// without Interpret or Titel are left out: both are rules of the import.
bool rundreisefest(const TDatensatz& d) {
  for (int f = 1; f <= FELD_ANZAHL; ++f)
    for (const char c : d.feld(f).sicht())
      if (c == '\r' || c == '\n' || c == '\t' || c == '\0') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  TCsvDaten d;
  try {
    d = csvAuswerten(std::string(reinterpret_cast<const char*>(daten), groesse));
  } catch (const ECsvFehler& e) {
    pruefe(std::strlen(e.what()) > 0, "Fehler ohne Text");
    return 0;
  }
  TCsvZuordnung z = csvZuordnungErkennen(d.kopf);
  // Also every column into a field, whatever the header says.
  if (!z.irgendeine())
    for (int f = 1; f <= FELD_ANZAHL && f <= d.spalten(); ++f) z.fuer(f) = f - 1;
  const TCsvErgebnis e = csvUmwandeln(d, z, MAX_DATENSAETZE);
  pruefe(e.saetze.size() <= static_cast<std::size_t>(MAX_DATENSAETZE), "mehr als die Grenze");
  pruefe(static_cast<int>(e.saetze.size()) + e.uebersprungen + e.ueberGrenze == d.zeilen(), "Zeilen verloren");

  TDatBas db;
  for (const TDatensatz& s : e.saetze)
    if (rundreisefest(s)) db.add_datensatz(s);
  const TCsvDaten zurueck = csvAuswerten(csvText(db));
  const TCsvErgebnis wieder = csvUmwandeln(zurueck, csvZuordnungErkennen(zurueck.kopf), MAX_DATENSAETZE);
  pruefe(static_cast<int>(wieder.saetze.size()) == db.get_anzahl(), "Rundreise: andere Zahl");
  pruefe(wieder.geaendert == 0 && wieder.gekuerzt == 0, "Rundreise: geändert");
  TDatensatz a;
  for (int i = 1; i <= db.get_anzahl(); ++i) {
    db.get_datensatz(i, a);
    for (int f = 1; f <= FELD_ANZAHL; ++f)
      pruefe(a.feld(f).sicht() == wieder.saetze[static_cast<std::size_t>(i - 1)].feld(f).sicht(), "Rundreise: Feld");
  }
  return 0;
}
