// From a key press in the main window to its window being on screen and
// drawn, at the entry limit (4000 entries), on Qt's offscreen platform: the
// first opening of each window (which builds its controls) and every later one.
// Keys: F3 search, F8 overall overview (filled from the collection), Ctrl+H
// HTML report options, F9 options, F12 program information.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <chrono>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UIniFile.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "bench/gui/StillePlattform.h"
#include "bench/gui/Zufallssammlung.h"
#include "report/UAutomation.h"

namespace {

using Uhr = std::chrono::steady_clock;

// Windows are shown and drawn, then closed again at once.
class MessPlattform : public StillePlattform {
 public:
  Uhr::time_point gezeigt{};
  QString fenster;

  int fensterModal(QDialog& f) override {
    f.show();
    f.grab();  // everything in it drawn once, as for the first frame on screen
    gezeigt = Uhr::now();
    fenster = f.objectName();
    f.hide();
    return 0;
  }
};

MessPlattform* mess = nullptr;

struct Taste {
  const char* name;
  Qt::Key taste;
  Qt::KeyboardModifiers mod;
  const char* fenster;
};

const Taste TASTEN[] = {
    {"F3", Qt::Key_F3, Qt::NoModifier, "FSuche"},
    {"F8", Qt::Key_F8, Qt::NoModifier, "FUebersicht"},
    {"Ctrl+H", Qt::Key_H, Qt::ControlModifier, "Fexporthtml"},
    {"F9", Qt::Key_F9, Qt::NoModifier, "FOptionen"},
    {"F12", Qt::Key_F12, Qt::NoModifier, "F_Programminformation"},
};

void BM_Oeffnen(benchmark::State& state, const Taste& t) {
  for (auto _ : state) {
    // Shortcuts act in the active window: the main window has the focus back, outside the timing.
    HauptFormular->activateWindow();
    QApplication::setActiveWindow(HauptFormular);
    if (!QTest::qWaitForWindowActive(HauptFormular)) {
      state.SkipWithError("Hauptfenster nicht aktiv");
      return;
    }
    mess->fenster.clear();
    const auto start = Uhr::now();
    QTest::keyClick(HauptFormular, t.taste, t.mod);
    if (mess->fenster != t.fenster) {
      state.SkipWithError("Fenster nicht gezeigt");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(mess->gezeigt - start).count());
    QApplication::processEvents();  // what the closing left behind, outside the timing
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TVemlaApplication app(argc, argv);
  MessPlattform plattformMessung;
  mess = &plattformMessung;
  setzePlattform(mess);
  fensterErzeugen();
  sammlungFuellen();
  // The splash and first-start windows stay out of the way, as for a user who knows the program.
  HauptFormular->ablauf().show_startbildschirm = false;
  IniFile->WriteString("Programm", "firststart", "false");
  HauptFormular->show();

  using benchmark::kMillisecond;
  // The first opening of every window, once each, then the later openings.
  for (const Taste& t : TASTEN)
    benchmark::RegisterBenchmark((std::string("Oeffnen/erstes/") + t.name).c_str(), BM_Oeffnen, t)
        ->Iterations(1)->UseManualTime()->Unit(kMillisecond);
  for (const Taste& t : TASTEN)
    benchmark::RegisterBenchmark((std::string("Oeffnen/weiteres/") + t.name).c_str(), BM_Oeffnen, t)
        ->UseManualTime()->Unit(kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fensterFreigeben();
  setzePlattform(nullptr);
  return 0;
}
