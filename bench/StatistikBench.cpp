// Counting the statistics of a full collection (4000 entries), beside the least
// any count costs: one pass over the records, copying each out of the collection.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/UDatbas.h"
#include "core/UStatistik.h"

namespace {

// 4000 entries as a collection holds them: 600 artists in varying case, 150
// labels, years in assorted Release texts, a dozen types and 60 genres.
const TDatBas& sammlung() {
  static const TDatBas db = [] {
    std::mt19937 rng(7);
    auto zahl = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    TDatBas d;
    d.reserve(MAX_DATENSAETZE);
    for (int i = 0; i < MAX_DATENSAETZE; ++i) {
      std::string interpret = "Interpret \xC4" + std::to_string(zahl(600));
      if (zahl(4) == 0) interpret[0] = 'i';
      const std::string release = (zahl(3) ? "" : "Remaster ") + std::to_string(1950 + zahl(70)) + (zahl(5) ? "" : " (2011)");
      d.add_datensatz(datensatzAus(interpret, "Titel " + std::to_string(i), "Label " + std::to_string(zahl(150)),
                                   release, "Typ " + std::to_string(zahl(12)), "Genre " + std::to_string(zahl(60)),
                                   "Kommentar"));
    }
    return d;
  }();
  return db;
}

const std::vector<std::string> VORGABEN = {"Typ 3", "Typ 1", "CD - Album (1 CD)"};

void BM_StatistikZaehlen(benchmark::State& state) {
  const TDatBas& db = sammlung();
  for (auto _ : state) {
    TStatistik s = statistikZaehlen(db, VORGABEN);
    benchmark::DoNotOptimize(s.diagramme.data());
  }
}

// Floor: every record copied out once and its bytes touched.
void BM_StatistikBoden(benchmark::State& state) {
  const TDatBas& db = sammlung();
  for (auto _ : state) {
    TDatensatz d;
    unsigned summe = 0;
    for (int pos = 1; pos <= db.get_anzahl(); ++pos) {
      db.get_datensatz(pos, d);
      summe += d.Interpret.laenge + d.Label.laenge + d.Release.laenge + d.Typ.laenge + d.Genre.laenge;
    }
    benchmark::DoNotOptimize(summe);
  }
}

}  // namespace

BENCHMARK(BM_StatistikZaehlen)->Name("Statistik/Zaehlen_4000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatistikBoden)->Name("Statistik/Boden_ein_Durchgang_4000")->Unit(benchmark::kMillisecond);
