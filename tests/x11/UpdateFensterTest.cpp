// The update run under a window manager: its window stays on top, so every box
// and the save dialog of the run must stand above it and get the keyboard.
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
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
  H().ablauf().programmStart({});
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

// Share of the pixels of "w" that the screen shows as the window draws them.
// The X server is asked for the window's own area, wherever the window manager put it.
double bildschirmGleich(QWidget* w) {
  const QImage soll = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage ist = QGuiApplication::primaryScreen()
                         ->grabWindow(w->winId(), 0, 0, w->width(), w->height())
                         .toImage()
                         .convertToFormat(QImage::Format_RGB32);
  if (ist.size() != soll.size()) return 0;
  qint64 gleich = 0;
  for (int y = 0; y < soll.height(); ++y)
    for (int x = 0; x < soll.width(); ++x) gleich += soll.pixel(x, y) == ist.pixel(x, y);
  return double(gleich) / (soll.width() * soll.height());
}

// Both downloads trickle in right after a box closed over the window:
// meanwhile the screen shows the window as it draws itself (not the box's
// picture) and its progress bar advances.
TEST_F(UpdateX11, FensterZeigtWaehrendJedesDownloadsDenFortschritt) {
  starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  H().ablauf().programmStart({});
  QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == H().windowHandle(), 3000);

  TTestServer server;
  const std::string ini =
      "[programmversion]\r\nversion=1.0.7\r\n[downloadfile]\r\nlink=" + server.adresse() + "setup.exe\r\n";
  server.setze("/dl.txt", {200, ini, "", false, false, 8});  // about 1.2 s
  server.setze("/setup.exe", {200, std::string(400, 'x'), "", false, false, 40});  // 1 s
  plattform_.updateAdresse = QString::fromStdString(server.adresse());
  plattform_.echteMeldungen = true;
  plattform_.dateinamen = {QString::fromStdString(tmp_.pfad("neu.exe"))};

  struct Probe {
    int gesamt, wert;
    double gleich;
  };
  std::vector<Probe> proben;
  // Each box stays long enough to be painted over the update window, then is answered.
  QTimer beobachter;
  QObject::connect(&beobachter, &QTimer::timeout, [&, box = QPointer<QWidget>(), gezeigt = QElapsedTimer()]() mutable {
    if (auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); b && b->isVisible()) {
      if (b != box) {
        box = b;
        gezeigt.start();
      } else if (gezeigt.elapsed() > 300) {  // painted over the update window by now
        b->done(QMessageBox::Yes);
      }
    }
    QProgressBar* balken = FAutopatcher->findChild<QProgressBar*>("ProgressBar1");
    if (balken && balken->isVisible() && balken->maximum() > 0)
      proben.push_back({balken->maximum(), balken->value(), bildschirmGleich(FAutopatcher)});
  });
  beobachter.start(100);
  QTimer::singleShot(300, FAutopatcher->SBgo, &QToolButton::click);
  systemPlattform().fensterModal(*FAutopatcher);
  beobachter.stop();

  ASSERT_EQ(dateiInhalt(tmp_.pfad("neu.exe")), std::string(400, 'x'));
  for (const int gesamt : {int(ini.size()), 400}) {
    std::vector<Probe> zu;
    for (const Probe& p : proben)
      if (p.gesamt == gesamt) zu.push_back(p);
    ASSERT_GE(zu.size(), 4u) << gesamt;
    EXPECT_LT(zu.front().wert, zu.back().wert) << gesamt;
    EXPECT_GT(zu.back().wert, 0) << gesamt;
    // The window has repainted within a moment of the transfer's start.
    for (std::size_t i = 2; i < zu.size(); ++i) EXPECT_GT(zu[i].gleich, 0.98) << gesamt << " " << i;
  }
}

}  // namespace
