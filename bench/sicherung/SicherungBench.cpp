// The recovery copy at the entry limit (4000 entries): what its write costs the
// main thread (copying the entries and handing them to the writer thread, which
// turns them into bytes), the whole write until the copy lies on disk, and the floors beside
// them (copying the bytes once; write, fsync and rename of the same bytes).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "bench/Arbeitsordner.h"
#include "app/UGlobal.h"
#include "bench/gui/Zufallssammlung.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UVemDatei.h"
#include "sicherung/USicherung.h"

namespace {

Arbeitsordner& ordner() {
  static Arbeitsordner o("vemla-bench-sicherung");
  return o;
}

const TDatBas& sammlung() {
  static const TDatBas db = [] {
    std::mt19937 rng(11);
    TDatBas d;
    for (int i = 0; i < MAX_DATENSAETZE; ++i)
      d.add_datensatz(datensatzAus(zufallsText(rng, 30), zufallsText(rng, 40), zufallsText(rng, 20), "1999",
                                   "CD - Album (1 CD)", "Pop", zufallsText(rng, 60)));
    return d;
  }();
  return db;
}

using Uhr = std::chrono::steady_clock;

// "gesamt": until the copy is on disk; otherwise the main thread's part alone.
void kopieMessen(benchmark::State& state, bool gesamt) {
  TConnect connect;
  TSicherung sicherung(QString::fromStdString(ordner().pfad("zustand")), connect, sammlung(), 0);
  connect.beobachterSetzen([&] { sicherung.geaendert(); });
  for (auto _ : state) {
    const auto anfang = Uhr::now();
    connect.file_was_changed();        // a change: the entries handed over, the timer starts
    QCoreApplication::processEvents();  // the timer fires: the write is asked for
    if (gesamt) sicherung.kopieDa();
    state.SetIterationTime(std::chrono::duration<double>(Uhr::now() - anfang).count());
    if (!sicherung.kopieDa()) state.SkipWithError("keine Kopie");
  }
  connect.beobachterSetzen({});
}

void BM_Hauptthread(benchmark::State& state) { kopieMessen(state, false); }
void BM_Gesamt(benchmark::State& state) { kopieMessen(state, true); }

void BM_Boden_memcpy(benchmark::State& state) {
  const std::string daten = vemDaten(sammlung());
  for (auto _ : state) {
    std::string kopie = daten;
    benchmark::DoNotOptimize(kopie.data());
  }
}

void BM_Boden_write_fsync_rename(benchmark::State& state) {
  const std::string daten = vemDaten(sammlung());
  const std::string tmp = ordner().pfad("boden.tmp"), ziel = ordner().pfad("boden.vem");
  for (auto _ : state) {
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 && ::write(fd, daten.data(), daten.size()) == static_cast<ssize_t>(daten.size()) &&
                    ::fsync(fd) == 0 && ::close(fd) == 0 && std::rename(tmp.c_str(), ziel.c_str()) == 0;
    if (!ok) state.SkipWithError("Schreiben misslungen");
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  sammlung();
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Sicherung/Hauptthread_4000", BM_Hauptthread)->Unit(kMillisecond)->UseManualTime();
  benchmark::RegisterBenchmark("Sicherung/Gesamt_4000", BM_Gesamt)->Unit(kMillisecond)->UseManualTime();
  benchmark::RegisterBenchmark("Sicherung/Boden_memcpy_4000", BM_Boden_memcpy)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Sicherung/Boden_write_fsync_rename_4000", BM_Boden_write_fsync_rename)
      ->Unit(kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
