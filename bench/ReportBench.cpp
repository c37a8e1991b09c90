// Timings of the three report writers at the entry limit (4000 entries), each
// beside a floor: the same number of bytes written the same safe way (new file,
// flushed, renamed over the target) with nothing to build.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/Arbeitsordner.h"
#include "core/UDatbas.h"
#include "report/UReport.h"

namespace {

// Entries with fields of mixed length, some blank, a few umlauts and markup characters.
TDatBas berichtSammlung() {
  const std::string teile[] = {"Muster-Band", "Beispiel-Album", "Gr\xFC\xDF" "e & <Freunde>", "1991", " ", "",
                               "CD - Album (2 CDs)", "Rock 'n' Roll", std::string(120, 'x'), std::string(255, 'y')};
  TDatBas db;
  db.reserve(MAX_DATENSAETZE);
  for (int i = 0; i < MAX_DATENSAETZE; ++i) {
    auto f = [&](int k) { return teile[(i * 7 + k * 3) % std::size(teile)] + std::to_string(i % 97); };
    db.add_datensatz(datensatzAus(f(0), f(1), f(2), f(3), f(4), f(5), f(6)));
  }
  return db;
}

const TDatBas& sammlung() {
  static const TDatBas db = berichtSammlung();
  return db;
}

const Arbeitsordner& ordner() {
  static Arbeitsordner o("vemla-report-bench");
  return o;
}

std::string bericht(TReportArt art) {
  switch (art) {
    case TReportArt::Txt: return reportTxt(sammlung(), TReportOptionen{});
    case TReportArt::Html: return reportHtml(sammlung(), TReportOptionen{}, THEMA_BLAU);
    case TReportArt::Dif: return reportDif(sammlung(), TReportOptionen{});
  }
  return {};
}

// The writer: the report built from the collection and written to its file.
void BM_Report(benchmark::State& state, TReportArt art) {
  const std::string pfad = ordner().pfad("bericht");
  const std::size_t bytes = bericht(art).size();
  for (auto _ : state) reportSchreiben(pfad, bericht(art));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["Bytes"] = static_cast<double>(bytes);
}

// Only building the report in memory.
void BM_Report_nurBauen(benchmark::State& state, TReportArt art) {
  for (auto _ : state) {
    std::string s = bericht(art);
    benchmark::DoNotOptimize(s.data());
  }
}

// Floor: the same number of bytes to a new file, flushed, renamed over the target.
void BM_Report_Boden(benchmark::State& state, TReportArt art) {
  const std::string daten(bericht(art).size(), 'd');
  const std::string pfad = ordner().pfad("boden"), temp = pfad + ".tmp";
  for (auto _ : state) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0;
    std::size_t geschrieben = 0;
    while (ok && geschrieben < daten.size()) {
      const ssize_t w = ::write(fd, daten.data() + geschrieben, daten.size() - geschrieben);
      ok = w > 0;
      if (ok) geschrieben += static_cast<std::size_t>(w);
    }
    ok = ok && ::fsync(fd) == 0;
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), pfad.c_str()) == 0;
    if (!ok) {
      state.SkipWithError("Schreiben fehlgeschlagen");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * daten.size()));
}

}  // namespace

BENCHMARK_CAPTURE(BM_Report, Txt, TReportArt::Txt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Report_Boden, Txt, TReportArt::Txt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Report, Html, TReportArt::Html)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Report_Boden, Html, TReportArt::Html)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Report, Dif, TReportArt::Dif)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Report_Boden, Dif, TReportArt::Dif)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Report_nurBauen, Txt, TReportArt::Txt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report_nurBauen, Html, TReportArt::Html)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report_nurBauen, Dif, TReportArt::Dif)->Unit(benchmark::kMillisecond);
