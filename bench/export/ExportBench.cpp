// The spreadsheet export of 4000 entries end to end, as the menu entry runs
// it (save dialog answered at once, the overview filling its grid, the cells
// handed over one by one, the workbook written, LibreOffice saving the Excel
// file), beside the floor: LibreOffice alone converting a ready workbook of
// the same cells with the same options.
//
// Wall-clock time: most of the cost is spent in the LibreOffice process.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <random>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "bench/gui/StillePlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "dialogs/UFUebersicht.h"
#include "report/UAutomation.h"

namespace {

constexpr int ANZAHL = MAX_DATENSAETZE;

// The save dialog names the file; every box answers at once, the file is not opened.
class ExportPlattform : public StillePlattform {
 public:
  QString ziel;
  int meldungen = 0;
  TAntwort meldung(const QString&, const QString&, TSymbol, TKnoepfe, QWidget*) override {
    ++meldungen;
    return TAntwort::Nein;
  }
  std::optional<QString> speichernDialog(const TDateiDialog&) override { return ziel; }
  std::unique_ptr<ITabellenAnwendung> automationsObjekt(const QString& name) override {
    return automationErzeugen(name);
  }
};
ExportPlattform* plattform_ = nullptr;

std::string zufallsText(std::mt19937& rng, std::size_t laenge) {
  std::uniform_int_distribution<int> buchstabe('a', 'z');
  std::string s(laenge, ' ');
  for (char& c : s) c = static_cast<char>(buchstabe(rng));
  return s;
}

// 4000 entries: fields of typical length (0), or every field full with 255 characters (1).
void sammlungFuellen(bool voll) {
  std::mt19937 rng(11);
  DatBas->clear_all();
  for (int i = 0; i < ANZAHL; ++i) {
    if (voll) {
      std::string t[FELD_ANZAHL];
      for (auto& s : t) s = zufallsText(rng, TFeld::KAPAZITAET);
      DatBas->add_datensatz(datensatzAus(t[0], t[1], t[2], t[3], t[4], t[5], t[6]));
    } else {
      DatBas->add_datensatz(datensatzAus(zufallsText(rng, 20), zufallsText(rng, 25), zufallsText(rng, 12), "1999",
                                         "CD - Album (1 CD)", "Pop", zufallsText(rng, 30)));
    }
  }
  Connect->liste_neu_aufbauen();
  Connect->anzeigen_aktualisieren();
}

void BM_Export(benchmark::State& state) {
  sammlungFuellen(state.range(0));
  QTemporaryDir ordner;
  plattform_->ziel = ordner.filePath("sammlung.xls");
  for (auto _ : state) HauptFormular->xls1Click();
  // One box per run: the question after a successful export.
  if (plattform_->meldungen != static_cast<int>(state.iterations()) || !QFile::exists(plattform_->ziel))
    state.SkipWithError("nicht gespeichert");
  plattform_->meldungen = 0;
}

// Floor: the same cells as a ready workbook; only LibreOffice's conversion is timed.
void BM_Boden_NurLibreOffice(benchmark::State& state) {
  sammlungFuellen(state.range(0));
  FUebersicht->show();
  FUebersicht->close();
  QTemporaryDir ordner;
  const QString xlsx = ordner.filePath("mappe.xlsx");
  lxw_workbook* wb = workbook_new(QFile::encodeName(xlsx).constData());
  lxw_worksheet* ws = workbook_add_worksheet(wb, "My Sheet Name");
  for (int z = 0; z < FUebersicht->zeilenAnzahl(); ++z)
    for (int s = 0; s < FUebersicht->spaltenAnzahl(); ++s)
      worksheet_write_string(ws, z, s, FUebersicht->zelle(s, z).toUtf8().constData(), nullptr);
  workbook_close(wb);
  const QString soffice = QStandardPaths::findExecutable("soffice");
  QTemporaryDir profil;  // kept across runs, as the export keeps its own
  int lauf = 0;
  for (auto _ : state) {
    const QString aus = ordner.filePath(QString("aus%1").arg(++lauf));
    QProcess p;
    p.start(soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(profil.path()).toString(), "--headless",
                      "--norestore", "--nologo", "--nolockcheck", "--convert-to", "xls:MS Excel 97", "--outdir",
                      aus, xlsx});
    p.waitForFinished(-1);
    if (!QFile::exists(aus + "/mappe.xls")) state.SkipWithError("nicht konvertiert");
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TVemlaApplication app(argc, argv);
  ExportPlattform p;
  plattform_ = &p;
  setzePlattform(&p);
  fensterErzeugen();

  using benchmark::kMillisecond;
  for (int voll : {0, 1}) {
    const std::string art = voll ? "_volleFelder" : "_typisch";
    benchmark::RegisterBenchmark(("Excel/Export_4000" + art).c_str(), BM_Export)
        ->Arg(voll)->Iterations(3)->Unit(kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark(("Excel/Boden_NurLibreOffice" + art).c_str(), BM_Boden_NurLibreOffice)
        ->Arg(voll)->Iterations(3)->Unit(kMillisecond)->UseRealTime();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fensterFreigeben();
  setzePlattform(nullptr);
  return 0;
}
