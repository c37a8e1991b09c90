// The update run under a window manager: its window stays on top, so every box
// and the save dialog of the run must stand above it and get the keyboard.
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include "net/UFAutopatcher.h"
#include "tests/net/TestServer.h"
#include "tests/support/GuiTest.h"

namespace {

QString xprop(const QString& eigenschaft) {
  QProcess p;
  p.start("xprop", {"-root", eigenschaft});
  p.waitForFinished(3000);
  const QString aus = QString::fromUtf8(p.readAllStandardOutput());
  return aus.mid(aus.indexOf('#') + 1);
}

// The managed windows from bottom to top.
std::vector<WId> stapel() {
  std::vector<WId> r;
  for (const QString& teil : xprop("_NET_CLIENT_LIST_STACKING").split(',', Qt::SkipEmptyParts))
    r.push_back(teil.trimmed().toULongLong(nullptr, 16));
  return r;
}

WId aktivesFenster() { return xprop("_NET_ACTIVE_WINDOW").trimmed().toULongLong(nullptr, 16); }

struct Gesehen {
  QString art;
  bool gehoertZumUpdate, oben, aktiv;
};

class UpdateX11 : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "nur unter X11";
    if (QProcess::execute("xprop", {"-version"}) != 0) GTEST_SKIP() << "xprop fehlt";
  }
};

TEST_F(UpdateX11, MeldungenUndDialogStehenUeberDemUpdatefenster) {
  starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  H().FormShow({});
  H().show();
  H().activateWindow();
  H().erstesAktivierenAnmelden();
  QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == H().windowHandle(), 3000);

  TTestServer server;
  server.setze("/dl.txt", {200, "[programmversion]\r\nversion=1.0.7\r\n[downloadfile]\r\nlink=" + server.adresse() +
                                    "setup.exe\r\n",
                           "", false});
  server.setze("/setup.exe", {200, "MZ", "", false});
  plattform_.updateAdresse = QString::fromStdString(server.adresse());
  plattform_.echteMeldungen = plattform_.echteDateiDialoge = true;
  const QString ziel = QString::fromStdString(tmp_.pfad("neu.exe"));

  // Answers each box and the dialog once the window manager has placed it (or gave up on it).
  std::vector<Gesehen> gesehen;
  QPointer<QWidget> offen;
  QElapsedTimer seit;
  QTimer beobachter;
  QObject::connect(&beobachter, &QTimer::timeout, [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == FAutopatcher || !w->isVisible()) return;
    if (w != offen) {
      offen = w;
      seit.start();
    }
    const auto s = stapel();
    const auto oberhalb = std::find(s.begin(), s.end(), FAutopatcher->winId());
    const bool oben = oberhalb != s.end() && std::find(oberhalb, s.end(), w->winId()) != s.end();
    const bool aktiv = aktivesFenster() == w->winId();
    if (!(oben && aktiv) && seit.elapsed() < 3000) return;
    gesehen.push_back({w->metaObject()->className(), w->parentWidget() == FAutopatcher, oben, aktiv});
    offen = nullptr;
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      box->done(QMessageBox::Yes);
    } else if (auto* d = qobject_cast<QFileDialog*>(w)) {
      // Typed as the user does: selectFile leaves a focused name field as it is.
      if (auto* name = d->findChild<QLineEdit*>("fileNameEdit")) name->setText(ziel);
      static_cast<QDialog*>(d)->accept();  // QFileDialog::accept checks the name as the button does
    }
  });
  beobachter.start(100);
  QTimer::singleShot(300, FAutopatcher->SBgo, &QToolButton::click);
  systemPlattform().fensterModal(*FAutopatcher);
  beobachter.stop();

  // Seven boxes and the save dialog between the fifth and the sixth.
  ASSERT_EQ(gesehen.size(), 8u);
  EXPECT_EQ(gesehen[5].art, "QFileDialog");
  for (std::size_t i = 0; i < gesehen.size(); ++i) {
    EXPECT_TRUE(gesehen[i].gehoertZumUpdate) << i;
    EXPECT_TRUE(gesehen[i].oben) << i;
    EXPECT_TRUE(gesehen[i].aktiv) << i;
  }
  EXPECT_EQ(dateiInhalt(ziel.toStdString()), "MZ");
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{ziel});
}

}  // namespace
