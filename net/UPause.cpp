#include "net/UPause.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>

void pause(int millisekunden) {
  using namespace std::chrono;
  const auto ende = steady_clock::now() + milliseconds(millisekunden);
  // A timer may fire a little early: the clock decides when the wait is over.
  for (auto rest = ende - steady_clock::now(); rest > steady_clock::duration::zero();
       rest = ende - steady_clock::now()) {
    QEventLoop schleife;
    QTimer::singleShot(ceil<milliseconds>(rest), Qt::PreciseTimer, &schleife, &QEventLoop::quit);
    schleife.exec();
  }
}
