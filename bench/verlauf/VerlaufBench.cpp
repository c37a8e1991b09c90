// Undo and redo at the entry limit (4000 entries) on Qt's offscreen platform,
// list and fields shown anew included, beside the floor of the list rebuilt
// from the records; and the room 200 sorts in a row take in the history.
#include <benchmark/benchmark.h>

#include <QListWidget>
#include <malloc.h>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "bench/gui/FensterBench.h"
#include "bench/gui/Zufallssammlung.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"

namespace {

struct Art {
  const char* name;
  void (*befehl)();
};

const Art ARTEN[] = {
    {"Sortieren", [] { Connect->sortieren(FELD_TITEL, true); }},
    {"Loeschen", [] { Connect->datensatz_loeschen(); }},
    {"Aendern", [] { Connect->datensatz_aendern("I", "T", "L", "1999", "CD", "Pop", "K"); }},
    {"NachUnten", [] { Connect->nach_unten(); }},
};

void BM_Schritt(benchmark::State& state, const Art& art, bool zurueck) {
  sammlungFuellen();
  Connect->markieren(10);
  art.befehl();
  if (!zurueck) Connect->rueckgaengig();
  for (auto _ : state) {
    if (zurueck) Connect->rueckgaengig();
    else Connect->wiederherstellen();
    state.PauseTiming();
    if (zurueck) Connect->wiederherstellen();
    else Connect->rueckgaengig();
    state.ResumeTiming();
  }
  if (HauptFormular->listbox->count() != DatBas->get_anzahl()) state.SkipWithError("Liste falsch");
}

// Floor: the list rebuilt from the records, as any command of the list does.
void BM_Boden(benchmark::State& state) {
  sammlungFuellen();
  for (auto _ : state) Connect->liste_neu_aufbauen();
}

// Every sort changes the order: Interpret, Titel, Label, up and down in turn.
void BM_200Sortierungen(benchmark::State& state) {
  double heap = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Connect->neue_sammlung();
    sammlungFuellen();
    const std::size_t vorher = mallinfo2().uordblks;
    state.ResumeTiming();
    for (int i = 0; i < 200; ++i) Connect->sortieren(1 + i % 3, (i / 3) % 2 == 0);
    heap = static_cast<double>(mallinfo2().uordblks - vorher) / 1e6;
  }
  state.counters["Schritte"] = static_cast<double>(Connect->verlauf().anzahl());
  state.counters["MB_Verlauf"] = static_cast<double>(Connect->verlauf().speicherbedarf()) / 1e6;
  state.counters["MB_Heap"] = heap;
}

}  // namespace

int main(int argc, char** argv) {
  TFensterBench fenster(argc, argv);
  HauptFormular->show();
  using benchmark::kMillisecond;
  for (const Art& a : ARTEN) {
    benchmark::RegisterBenchmark((std::string("Verlauf/Rueckgaengig/") + a.name).c_str(), BM_Schritt, a, true)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark((std::string("Verlauf/Wiederherstellen/") + a.name).c_str(), BM_Schritt, a, false)
        ->Unit(kMillisecond);
  }
  benchmark::RegisterBenchmark("Verlauf/Boden_Liste_4000", BM_Boden)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Verlauf/200_Sortierungen", BM_200Sortierungen)->Unit(kMillisecond)->Iterations(1);
  return TFensterBench::laufen(argc, argv);
}
