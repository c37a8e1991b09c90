// Test entry point: one QApplication for the whole run, then every test.
#include <gtest/gtest.h>

#include "app/UAnwendung.h"
#include "app/UOrte.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  TVemlaApplication app(argc, argv);
  // Each test program runs in a folder of its own; the modules stay in the build folder.
  moduleAuchSuchenIn(VEMLA_BAUORDNER);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
