// The spreadsheet export of 4000 entries end to end (cells handed over one by
// one, workbook written, LibreOffice saving the Excel file), beside the floor:
// LibreOffice alone converting a ready workbook of the same cells.
//
// Wall-clock time: most of the cost is spent in the LibreOffice process.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <random>
#include <stdexcept>

#include "report/UAutomation.h"
#include "report/UReportXls.h"

namespace {

constexpr int ANZAHL = 4000;

// 4001 rows of 8 columns: a header, then the number and seven fields.
std::vector<std::vector<QString>> tabelle(bool volleFelder) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> buchstabe('a', 'z');
  std::vector<std::vector<QString>> t = {{"#", "Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"}};
  for (int n = 1; n <= ANZAHL; ++n) {
    std::vector<QString> reihe = {QString::number(n)};
    for (int s = 1; s < 8; ++s) {
      QString text = volleFelder ? QString(255, ' ') : QString("Feld %1 Nr %2 Ärzte").arg(s).arg(n);
      if (volleFelder)
        for (QChar& c : text) c = QChar(buchstabe(rng));
      reihe.push_back(text);
    }
    t.push_back(std::move(reihe));
  }
  return t;
}

TZellen zellen(const std::vector<std::vector<QString>>& t) {
  return {8, static_cast<int>(t.size()), [&t](int s, int z) { return t[z][s]; }};
}

void BM_Export(benchmark::State& state) {
  const auto t = tabelle(state.range(0));
  QTemporaryDir ordner;
  for (auto _ : state)
    if (!report_xls(zellen(t), ordner.filePath("sammlung.xls"))) throw std::runtime_error("nicht gespeichert");
}

void BM_Boden_NurLibreOffice(benchmark::State& state) {
  const auto t = tabelle(state.range(0));
  QTemporaryDir ordner;
  // The same cells as a ready workbook: only LibreOffice's start and conversion are timed.
  const QString xlsx = ordner.filePath("mappe.xlsx");
  lxw_workbook* wb = workbook_new(QFile::encodeName(xlsx).constData());
  lxw_worksheet* ws = workbook_add_worksheet(wb, "My Sheet Name");
  for (std::size_t z = 0; z < t.size(); ++z)
    for (std::size_t s = 0; s < t[z].size(); ++s)
      worksheet_write_string(ws, z, s, t[z][s].toUtf8().constData(), nullptr);
  if (workbook_close(wb) != LXW_NO_ERROR) throw std::runtime_error("xlsx");
  const QString soffice = QStandardPaths::findExecutable("soffice");
  int lauf = 0;
  QTemporaryDir profil;  // kept across runs, as the export keeps its own
  for (auto _ : state) {
    const QString aus = ordner.filePath(QString("aus%1").arg(++lauf));
    QProcess::execute(soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(profil.path()).toString(),
                                "--headless", "--norestore", "--nologo", "--nolockcheck", "--convert-to",
                                "xls:MS Excel 97", "--outdir", aus, xlsx});
    if (!QFile::exists(aus + "/mappe.xls")) throw std::runtime_error("nicht konvertiert");
  }
}

BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Boden_NurLibreOffice)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
