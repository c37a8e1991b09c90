#pragma once
// What every benchmark of windows does around its measurements: Qt on the
// offscreen platform, a platform that asks nobody, every window created as at
// program start; then the registered benchmarks run, and everything goes again.
#include <benchmark/benchmark.h>

#include "app/UAnwendung.h"
#include "app/UPlattform.h"
#include "bench/gui/StillePlattform.h"

class TFensterBench {
 public:
  TFensterBench(int& argc, char** argv) : app_(offscreen(argc), argv) {
    setzePlattform(&still_);
    fensterErzeugen();
  }
  ~TFensterBench() {
    fensterFreigeben();
    setzePlattform(nullptr);
  }
  // Runs the registered benchmarks; the program's exit code.
  static int laufen(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
  }

 private:
  static int& offscreen(int& argc) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
  }
  TVemlaApplication app_;
  StillePlattform still_;
};
