// A Yes/No question under a real window manager: Esc and Alt+F4 (the window
// manager's close) leave it open; only "Ja" or "Nein" ends it.
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include "tests/support/GuiTest.h"

namespace {

class JaNeinFrage : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "nur unter X11";
  }
};

TEST_F(JaNeinFrage, EscUndAltF4LassenDieFrageBeimBeendenOffen) {
  starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  H().ablauf().programmStart({});
  QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == H().windowHandle(), 3000);
  eintragen(2);
  setzePlattform(nullptr);  // the real boxes
  QStringList gesehen;
  QTimer::singleShot(0, &H(), [&] {
    QMessageBox* box = nullptr;
    const bool offen = QTest::qWaitFor([&] {
      box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      return box && box->isActiveWindow();
    }, 5000);
    if (!offen) {
      if (box) box->button(QMessageBox::No)->click();
      return;
    }
    for (const char* taste : {"Escape", "alt+F4"}) {
      QProcess::execute("xdotool", {"key", taste});
      QTest::qWait(600);
      gesehen << QString(taste) + (box->isVisible() ? " offen" : " zu");
    }
    box->button(QMessageBox::No)->click();
  });
  H().close();
  setzePlattform(&plattform_);
  EXPECT_EQ(gesehen, (QStringList{"Escape offen", "alt+F4 offen"}));
  EXPECT_FALSE(H().isVisible());  // "Nein" ended the program
}

}  // namespace
