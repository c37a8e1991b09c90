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
#include "report/UAutomation.h"

namespace {

constexpr int ANZAHL = MAX_DATENSAETZE;

// Message boxes answer at once; nothing waits on a person.
class StillePlattform : public IPlattform {
 public:
  TAntwort meldung(const QString&, const QString&, TSymbol, TKnoepfe, QWidget*) override { return TAntwort::Ok; }
  std::optional<QString> oeffnenDialog(const TDateiDialog&) override { return std::nullopt; }
  std::optional<QString> speichernDialog(const TDateiDialog&) override { return std::nullopt; }
  bool dokumentOeffnen(const QString&) override { return false; }
  int fensterModal(QDialog&) override { return 0; }
  std::optional<TSchriftWahl> schriftDialog(const TSchriftWahl&) override { return std::nullopt; }
  bool herunterladen(const QString&, const QString&, const TDownloadGrenzen&) override { return false; }
  QString updateServer() override { return {}; }
  QString musikDienst() override { return {}; }
  bool druckDialog(QPrinter&) override { return false; }
  IWebansicht* webansicht(QWidget*) override { return nullptr; }
  std::unique_ptr<ITabellenAnwendung> automationsObjekt(const QString&) override { return nullptr; }
};

std::string zufallsText(std::mt19937& rng, std::size_t hoechstens) {
  static const std::string ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,-\xC4\xD6\xDC\xE4";
  std::uniform_int_distribution<std::size_t> laenge(1, hoechstens), zeichen(0, ALPHABET.size() - 1);
  std::string s(laenge(rng), ' ');
  for (char& c : s) c = ALPHABET[zeichen(rng)];
  return s;
}

// A collection of 4000 entries with fields of typical length.
void sammlungFuellen() {
  std::mt19937 rng(11);
  DatBas->clear_all();
  for (int i = 0; i < ANZAHL; ++i)
    DatBas->add_datensatz(datensatzAus(zufallsText(rng, 30), zufallsText(rng, 40), zufallsText(rng, 20), "1999",
                                       "CD - Album (1 CD)", "Pop", zufallsText(rng, 60)));
  Connect->liste_neu_aufbauen();
  Connect->anzeigen_aktualisieren();
}

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
