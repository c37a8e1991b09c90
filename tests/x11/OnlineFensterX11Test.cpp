// The online look-up window under a real X server and window manager: the
// user can make it larger, and the access keys come through the keyboard.
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include "online/UFOnline.h"
#include "tests/support/GuiTest.h"

namespace {

class OnlineX11 : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "nur unter X11";
  }
};

TEST_F(OnlineX11, VergroessernUndZugriffstasten) {
  starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  H().programmStart({});
  QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == H().windowHandle(), 3000);
  setzePlattform(nullptr);  // the window runs as in the program
  auto xdotool = [](const QStringList& argumente) { return QProcess::execute("xdotool", argumente); };
  QRect liste;
  QWidget* nachAltT = nullptr;
  QTimer::singleShot(0, [&] {
    // Whatever happens, the window closes again.
    if (QTest::qWaitFor([] { return QGuiApplication::focusWindow() == FOnline->windowHandle(); }, 3000)) {
      xdotool({"key", "alt+t"});
      QTest::qWaitFor([] { return QApplication::focusWidget() != FOnline->e_strichcode; }, 3000);
      nachAltT = QApplication::focusWidget();
      // Larger, as a user drags its frame.
      xdotool({"windowsize", QString::number(FOnline->winId()), "1000", "600"});
      QTest::qWaitFor([] { return FOnline->size() == QSize(1000, 600); }, 3000);
      liste = FOnline->lv_ergebnisse->geometry();
    }
    FOnline->reject();
  });
  QTest::keyClick(H().listbox, Qt::Key_F3, Qt::ControlModifier);
  setzePlattform(&plattform_);
  EXPECT_EQ(nachAltT, FOnline->e_titel);
  EXPECT_EQ(liste, QRect(8, 146, 984, 408));
}

}  // namespace
