// Arbitrary bytes as an answer of the online music database.
//
// The answer is read as the look-up window reads it and every release is
// mapped to the seven fields. Checked: at most 100 releases, a Typ that is
// either a preset or the formats with their counts, a Genre that is empty or a
// preset, a Release of four digits or empty, and the Windows-1252 conversion
// of every field.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/UVorgaben.h"
#include "core/UCodepage.h"
#include "online/UMBAntwort.h"
#include "online/UZuordnung.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_online: %s\n", was);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  const QByteArray json(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse));
  const auto liste = veroeffentlichungenLesen(json);
  if (!liste) return 0;
  pruefe(liste->size() <= static_cast<std::size_t>(MAX_VEROEFFENTLICHUNGEN), "more releases than allowed");
  for (const TVeroeffentlichung& v : *liste) {
    const TFelder f = felderZuordnen(v);
    pruefe(f[6].isEmpty(), "a comment from the service");
    bool jahr = f[3].isEmpty() || f[3].size() == 4;
    for (QChar c : f[3]) jahr = jahr && c >= '0' && c <= '9';
    pruefe(jahr, "a year that is no year");
    pruefe(f[5].isEmpty() || vorgabenGenre().contains(f[5]), "a genre that is no preset");
    pruefe(vorgabenTyp().contains(f[4]) || f[4] == formateMitAnzahl(v.formate), "a medium of neither kind");
    for (const QString& feld : f) {
      const std::string bytes = zuCp1252(feld);
      pruefe(verliertZeichen(feld) || vonCp1252(bytes) == feld.normalized(QString::NormalizationForm_C),
             "a text changed without notice");
    }
  }
  return 0;
}
