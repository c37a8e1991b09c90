// The collector's details at the entry limit (4000 entries, details on all
// of them), on Qt's offscreen platform:
// - following the marking in the "Sammlerangaben" window ("Nächster"): the
//   pending fields applied, the main list's marking moved and the next
//   entry's details shown (and then painted);
// - a save of the collection with its details beside a save without any
//   (a real file in the temporary folder; one detail changed before each).
//
// With "--anlegen SAMMLUNG.vem" it instead gives every entry of that
// collection details and saves it (the start-up measurement's collection).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <cstring>
#include <random>
#include <tuple>

#include "angaben/fenster/UFSammlerangaben.h"
#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "bench/Arbeitsordner.h"
#include "bench/gui/StillePlattform.h"
#include "bench/gui/Zufallssammlung.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"

namespace {

// The details' texts are UTF-8: letters and digits only.
std::string zufallsUtf8(std::mt19937& rng, std::size_t hoechstens) {
  std::string s = zufallsText(rng, hoechstens);
  for (char& c : s)
    if (static_cast<unsigned char>(c) >= 0x80) c = 'e';
  return s;
}

TAngaben angabenFuer(int i, std::mt19937& rng) {
  TAngaben a;
  a.zustandTontraeger = i % 2 ? TZustand::NM : TZustand::VGplus;
  a.zustandHuelle = TZustand::VG;
  a.aufgenommenAm = "2019-03-04";
  a.gekauftAm = "2018-11-" + std::to_string(10 + i % 19);
  a.preisCent = 1250 + i;
  a.gekauftBei = "Plattenladen " + zufallsUtf8(rng, 20);
  a.standort = "Regal " + std::to_string(i % 12) + ", Fach " + std::to_string(i % 40);
  a.bewertung = i % 6;
  a.notizen = zufallsUtf8(rng, 300);
  if (i % 10 == 0) {
    a.verliehenAn = "Klaus";
    a.verliehenSeit = "2024-05-01";
    a.zurueckBis = "2024-06-01";
  }
  return a;
}

void alleAngabenSetzen() {
  std::mt19937 rng(5);
  // Straight into the entries: 4000 steps of the history would only slow the set-up.
  for (int i = 1; i <= DatBas->get_anzahl(); ++i) DatBas->set_beilage(i, angabenBytes(angabenFuer(i, rng)));
  Connect->file_was_changed();
}

void BM_Folgen(benchmark::State& state) {
  const bool zeichnen = state.range(0) != 0;
  Connect->markieren(0);
  FSammlerangaben->show();
  QApplication::processEvents();
  int schritt = 1;
  for (auto _ : state) {
    // Forth to the end and back, as Bild ab / Bild auf would.
    if (Connect->markiert() + 1 + schritt > DatBas->get_anzahl() || Connect->markiert() + schritt < 0) schritt = -schritt;
    FSammlerangaben->blaettern(schritt);
    if (zeichnen) QApplication::processEvents();
  }
  if (FSammlerangaben->e_standort->text().toStdString() != Connect->angaben(Connect->markiert() + 1).standort)
    state.SkipWithError("falsche Angaben gezeigt");
  FSammlerangaben->hide();
  QApplication::processEvents();
}

void BM_Speichern(benchmark::State& state) {
  const bool mitAngaben = state.range(0) != 0;
  const bool eintrag = state.range(1) != 0;
  Arbeitsordner ordner("vemla-angaben-bench");
  Connect->neue_sammlung();
  sammlungFuellen();
  if (mitAngaben) alleAngabenSetzen();
  const QString pfad = QString::fromStdString(ordner.pfad("sammlung.vem"));
  Connect->datei_speichern(pfad);
  std::mt19937 rng(9);
  int runde = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // One detail or one entry changed since the last save, as when the user saves after an edit.
    if (eintrag) {
      const int pos = 1 + (runde++ * 37) % DatBas->get_anzahl();
      TDatensatz d;
      DatBas->get_datensatz(pos, d);
      d.Kommentar.setzen(zufallsText(rng, 40));
      DatBas->set_datensatz(pos, d);
      Connect->file_was_changed();
    } else if (mitAngaben) {
      const int pos = 1 + (runde++ * 37) % DatBas->get_anzahl();
      TAngaben a = Connect->angaben(pos);
      a.standort = zufallsUtf8(rng, 12);
      Connect->angabenAendern(pos, a);
    }
    state.ResumeTiming();
    if (!Connect->datei_speichern(pfad)) state.SkipWithError("nicht gespeichert");
  }
  Connect->neue_sammlung();
}

int anlegen(const char* pfad) {
  Connect->datei_oeffnen(QString::fromLocal8Bit(pfad));
  if (DatBas->get_anzahl() == 0) return 1;
  alleAngabenSetzen();
  return Connect->datei_speichern(QString::fromLocal8Bit(pfad)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TVemlaApplication app(argc, argv);
  StillePlattform still;
  setzePlattform(&still);
  fensterErzeugen();
  int rc = 0;
  if (argc == 3 && std::strcmp(argv[1], "--anlegen") == 0) {
    rc = anlegen(argv[2]);
  } else {
    sammlungFuellen();
    alleAngabenSetzen();
    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("Angaben/Folgen_4000", BM_Folgen)->Arg(0)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("Angaben/Folgen_4000_gezeichnet", BM_Folgen)->Arg(1)->Unit(kMillisecond)->UseRealTime();
    // Args: with details, one entry changed (else one detail) before each save.
    for (const auto& [name, mit, eintrag] : {std::tuple{"Angaben/Speichern_4000_ohne", 0, 0},
                                             std::tuple{"Angaben/Speichern_4000_mit_Angabe_geaendert", 1, 0},
                                             std::tuple{"Angaben/Speichern_4000_ohne_Eintrag_geaendert", 0, 1},
                                             std::tuple{"Angaben/Speichern_4000_mit_Eintrag_geaendert", 1, 1}})
      benchmark::RegisterBenchmark(name, BM_Speichern)->Args({mit, eintrag})->Unit(kMillisecond)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) rc = 1;
    else benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  fensterFreigeben();
  setzePlattform(nullptr);
  return rc;
}
