// CSV import and export at the entry limit (4000 lines), each beside a floor:
// reading the same bytes from the file, or writing them the same safe way.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/Arbeitsordner.h"
#include "core/UDatbas.h"
#include "core/USicherSchreiben.h"
#include "csv/UCsvLesen.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UCsvZuordnung.h"

namespace {

const Arbeitsordner& ordner() {
  static Arbeitsordner o("vemla-csv-bench");
  return o;
}

// A Discogs collection export of 4000 lines: quoted formats, numbered names, umlauts, dates.
const std::string& discogsDatei() {
  static const std::string pfad = [] {
    std::string s =
        "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,Date Added,"
        "Collection Media Condition,Collection Sleeve Condition,Collection Notes\r\n";
    const char* formate[] = {"\"CD, Album\"", "\"2xLP, Album, RE\"", "\"7\"\", Single\"", "\"CD, Comp\"", "Cass"};
    for (int i = 0; i < 4000; ++i) {
      const std::string n = std::to_string(i);
      s += "CAT " + n + ",Die \xC3\x84rzte (" + std::to_string(i % 7 + 2) + "),Album Nummer " + n +
           " mit etwas l\xC3\xA4ngerem Titel,\"Label " + n + ", Vertrieb (3)\"," + formate[i % 5] + ",4,19" +
           std::to_string(60 + i % 40) + "-05-14," + n + ",Uncategorized,2021-03-04 18:22:10,Near Mint (NM or M-),"
           "Very Good Plus (VG+),\"Anmerkung " + n + ", \"\"gut\"\"\"\r\n";
    }
    const std::string p = ordner().pfad("discogs.csv");
    dateiSicherSchreiben(p, s);
    return p;
  }();
  return pfad;
}

std::string dateiLesen(const std::string& pfad) {
  std::string s;
  FILE* f = std::fopen(pfad.c_str(), "rb");
  char puffer[1 << 16];
  for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, f)) > 0;) s.append(puffer, n);
  std::fclose(f);
  return s;
}

// Read, parse, map and convert to entries.
void BM_CsvImport(benchmark::State& state) {
  const std::string& pfad = discogsDatei();
  for (auto _ : state) {
    const TCsvDaten d = csvLesen(pfad);
    const TCsvErgebnis e = csvUmwandeln(d, csvZuordnungErkennen(d.kopf), MAX_DATENSAETZE);
    if (e.saetze.size() != 4000) state.SkipWithError("nicht 4000 Einträge");
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond);

void BM_CsvImportBoden(benchmark::State& state) {
  const std::string& pfad = discogsDatei();
  for (auto _ : state) benchmark::DoNotOptimize(dateiLesen(pfad));
}
BENCHMARK(BM_CsvImportBoden)->Unit(benchmark::kMillisecond);

const TDatBas& sammlung() {
  static const TDatBas db = [] {
    const TCsvDaten d = csvLesen(discogsDatei());
    TDatBas r;
    for (const TDatensatz& s : csvUmwandeln(d, csvZuordnungErkennen(d.kopf), MAX_DATENSAETZE).saetze) r.add_datensatz(s);
    return r;
  }();
  return db;
}

// Build the text and write it safely.
void BM_CsvExport(benchmark::State& state) {
  const std::string pfad = ordner().pfad("export.csv");
  for (auto _ : state) csvSchreiben(pfad, sammlung());
  state.counters["Bytes"] = static_cast<double>(csvText(sammlung()).size());
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

void BM_CsvExportBoden(benchmark::State& state) {
  const std::string pfad = ordner().pfad("boden.csv");
  const std::string text = csvText(sammlung());
  for (auto _ : state) dateiSicherSchreiben(pfad, text);
}
BENCHMARK(BM_CsvExportBoden)->Unit(benchmark::kMillisecond);

}  // namespace
