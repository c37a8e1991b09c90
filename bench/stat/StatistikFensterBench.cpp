// The statistics window's first opening at the entry limit (4000 entries) on
// Qt's offscreen platform: a new window built, the collection counted, the
// first chart filled and drawn; beside the floor of one pass over the records.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include "app/UGlobal.h"
#include "bench/gui/FensterBench.h"
#include "bench/gui/Zufallssammlung.h"
#include "stat/UFStatistik.h"

namespace {

void BM_ErstesOeffnen(benchmark::State& state) {
  for (auto _ : state) {
    auto* f = new TFStatistik(HauptFormular);
    f->show();
    f->repaint();
    QApplication::processEvents();
    state.PauseTiming();
    if (f->L_eintraege->text() != "Einträge: 4000") state.SkipWithError("falsch gezaehlt");
    f->hide();
    delete f;
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

// Floor: every record copied out once.
void BM_Boden(benchmark::State& state) {
  for (auto _ : state) {
    TDatensatz d;
    unsigned summe = 0;
    for (int pos = 1; pos <= DatBas->get_anzahl(); ++pos) {
      DatBas->get_datensatz(pos, d);
      summe += d.Interpret.laenge + d.Label.laenge + d.Release.laenge + d.Typ.laenge + d.Genre.laenge;
    }
    benchmark::DoNotOptimize(summe);
  }
}

}  // namespace

int main(int argc, char** argv) {
  TFensterBench fenster(argc, argv);
  sammlungFuellen();
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Statistik/erstes_Oeffnen_4000", BM_ErstesOeffnen)->Unit(kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Statistik/Boden_ein_Durchgang_4000", BM_Boden)->Unit(kMillisecond)->UseRealTime();
  return TFensterBench::laufen(argc, argv);
}
