// The online look-up: reading and mapping an answer of 100 releases, beside
// reading the same JSON alone; the window's shell made at every start; opening
// the window for the first time (its controls are built then) and again,
// beside showing an empty dialog of the same size. Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTreeWidget>

#include "app/UAnwendung.h"
#include "app/UPlattform.h"
#include "online/fenster/UFOnline.h"
#include "online/UMBAntwort.h"
#include "online/UZuordnung.h"

namespace {

// An answer of 100 releases of the kinds the service sends, each a little different.
QByteArray hundertVeroeffentlichungen() {
  QByteArray j = "{\"created\":\"2026-11-02T10:15:00.000Z\",\"count\":100,\"offset\":0,\"releases\":[";
  const char* formate[] = {"CD", "12\\\" Vinyl", "Enhanced CD", "CD\"},{\"format\":\"DVD-Video"};
  const char* typen[] = {"\"Album\"", "\"Single\"", "\"EP\"", "\"Album\",\"secondary-types\":[\"Compilation\"]"};
  for (int i = 0; i < 100; ++i) {
    const QByteArray n = QByteArray::number(i);
    j += (i ? "," : "") + QByteArray(
        "{\"id\":\"6f1e7c1a-0b1d-4c47-9a59-2b1c9e0e4a") + n.rightJustified(2, '0') + "\",\"score\":" + n +
        ",\"title\":\"Titel Nummer " + n + " (Remastered Edition)\",\"status\":\"Official\","
        "\"text-representation\":{\"language\":\"eng\",\"script\":\"Latn\"},"
        "\"artist-credit\":[{\"name\":\"K\\u00fcnstler " + n + "\",\"joinphrase\":\" feat. \",\"artist\":{\"id\":"
        "\"a74b1b7f-71a5-4011-9441-d0b5e4122711\",\"name\":\"K\\u00fcnstler\",\"sort-name\":\"K\\u00fcnstler\"}},"
        "{\"name\":\"Dvo\\u0159\\u00e1k\",\"artist\":{\"id\":\"x\",\"name\":\"Dvo\\u0159\\u00e1k\"}}],"
        "\"release-group\":{\"id\":\"b1392450-e666-3926-a536-22c65f834433\",\"type-id\":\"x\",\"primary-type\":" +
        typen[i % 4] + "},\"date\":\"19" + QByteArray::number(70 + i % 30) + "-05-21\",\"country\":\"GB\","
        "\"release-events\":[{\"date\":\"1997-05-21\",\"area\":{\"id\":\"x\",\"name\":\"United Kingdom\"}}],"
        "\"barcode\":\"724385522925\",\"asin\":\"B000002UJQ\",\"label-info\":[{\"catalog-number\":\"NODATA " + n +
        "\",\"label\":{\"id\":\"df7d1c7f\",\"name\":\"Parlophone\"}}],\"track-count\":12,"
        "\"media\":[{\"format\":\"" + formate[i % 4] + "\",\"disc-count\":1,\"track-count\":12}],"
        "\"tags\":[{\"count\":1,\"name\":\"britpop\"},{\"count\":4,\"name\":\"alternative rock\"},"
        "{\"count\":6,\"name\":\"art rock\"},{\"count\":2,\"name\":\"english\"}]}";
  }
  return j + "]}";
}

void BM_LesenUndZuordnen(benchmark::State& state) {
  const QByteArray json = hundertVeroeffentlichungen();
  std::size_t anzahl = 0;
  for (auto _ : state) {
    const auto liste = veroeffentlichungenLesen(json);
    anzahl = liste ? liste->size() : 0;
    for (const TVeroeffentlichung& v : *liste) {
      const TFelder f = felderZuordnen(v);
      bool verlust = false;
      for (const QString& feld : f) verlust = verliertZeichen(feld) || verlust;
      benchmark::DoNotOptimize(verlust);
    }
  }
  if (anzahl != 100) state.SkipWithError("nicht 100 Veroeffentlichungen");
  state.counters["bytes"] = static_cast<double>(json.size());
}

// Floor: the JSON read into Qt's document, nothing more.
void BM_Boden_JsonLesen(benchmark::State& state) {
  const QByteArray json = hundertVeroeffentlichungen();
  for (auto _ : state) benchmark::DoNotOptimize(QJsonDocument::fromJson(json).object().size());
}

void zeigen(QDialog& d) {
  d.show();
  QApplication::processEvents();
  d.hide();
}

// What every start of the program pays for the window: its empty shell.
void BM_FensterhuelleBeimStart(benchmark::State& state) {
  for (auto _ : state) {
    TFOnline fenster;
    benchmark::DoNotOptimize(fenster.lv_ergebnisse);
  }
}

// A new window each time: its first opening, the controls built.
void BM_FensterErstesOeffnen(benchmark::State& state) {
  for (auto _ : state) {
    TFOnline fenster;
    zeigen(fenster);
    if (!fenster.lv_ergebnisse) state.SkipWithError("nicht aufgebaut");
  }
}

void BM_FensterWiederOeffnen(benchmark::State& state) {
  TFOnline fenster;
  zeigen(fenster);
  for (auto _ : state) zeigen(fenster);
}

// Floor: an empty dialog of the same size.
void BM_Boden_LeererDialog(benchmark::State& state) {
  for (auto _ : state) {
    QDialog d;
    d.setFixedSize(760, 478);
    zeigen(d);
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TVemlaApplication app(argc, argv);
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Online/Lesen_und_Zuordnen_100", BM_LesenUndZuordnen)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Online/Boden_nur_JSON_100", BM_Boden_JsonLesen)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Online/Fensterhuelle_beim_Start", BM_FensterhuelleBeimStart)->Unit(kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Online/Fenster_erstes_Oeffnen", BM_FensterErstesOeffnen)->Unit(kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Online/Fenster_wieder_Oeffnen", BM_FensterWiederOeffnen)->Unit(kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Online/Boden_leerer_Dialog", BM_Boden_LeererDialog)->Unit(kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
