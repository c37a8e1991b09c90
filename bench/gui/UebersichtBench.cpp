// Timings of the overall overview at the entry limit (4000 entries) on Qt's
// offscreen platform: filling the grid when it is shown and applying it,
// beside the least the same work could cost: the 4001 x 8 texts of the grid
// converted from the records.
#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QTableView>
#include <random>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "dialogs/UFUebersicht.h"
#include "bench/gui/StillePlattform.h"
#include "bench/gui/Zufallssammlung.h"
#include "report/UAutomation.h"

namespace {

constexpr int ANZAHL = MAX_DATENSAETZE;


void BM_Fuellen(benchmark::State& state) {
  for (auto _ : state) FUebersicht->FormShow();
  if (FUebersicht->zeilenAnzahl() != ANZAHL + 1) state.SkipWithError("falsche Zeilenzahl");
}

void BM_Uebernehmen(benchmark::State& state) {
  FUebersicht->FormShow();
  QAbstractItemModel* m = FUebersicht->SG->model();
  int runde = 0;
  for (auto _ : state) {
    state.PauseTiming();
    m->setData(m->index(ANZAHL - 1, 1), "Interpret " + QString::number(++runde));  // one edited cell
    state.ResumeTiming();
    FUebersicht->B_changeClick();
  }
  TDatensatz d;
  DatBas->get_datensatz(ANZAHL, d);
  if (FUebersicht->geaendert() || d.Interpret.text() != "Interpret " + std::to_string(runde) ||
      HauptFormular->listbox->count() != ANZAHL)
    state.SkipWithError("nicht uebernommen");
}

// Floor: the grid's texts from the records (header, position, seven fields).
void BM_Boden(benchmark::State& state) {
  for (auto _ : state) {
    QList<QString> zellen;
    zellen.reserve((ANZAHL + 1) * 8);
    for (const char* k : {"#", "Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"}) zellen << k;
    TDatensatz d;
    for (int pos = 1; pos <= ANZAHL; ++pos) {
      DatBas->get_datensatz(pos, d);
      zellen << QString::number(pos);
      for (int nr = 1; nr <= FELD_ANZAHL; ++nr) zellen << vonCp1252(d.feld(nr).sicht());
    }
    benchmark::DoNotOptimize(zellen.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TVemlaApplication app(argc, argv);
  StillePlattform still;
  setzePlattform(&still);
  fensterErzeugen();
  sammlungFuellen();
  FUebersicht->show();  // the grid is on screen, as when the user works with it

  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Uebersicht/Fuellen_4000", BM_Fuellen)->Unit(kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Uebersicht/Uebernehmen_4000", BM_Uebernehmen)->Unit(kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Uebersicht/Boden_4001x8_Texte", BM_Boden)->Unit(kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  FUebersicht->hide();
  fensterFreigeben();
  setzePlattform(nullptr);
  return 0;
}
