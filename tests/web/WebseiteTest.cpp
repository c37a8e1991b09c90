// The web page window with the real web engine: a local page is shown, an
// address that cannot be reached shows the engine's error page, and the window
// stays usable. The engine is a module that is loaded only now.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <unistd.h>

#include "info/UFWebbrowser.h"
#include "info/UWebansicht.h"
#include "tests/support/GuiTest.h"

namespace {

constexpr int LADEZEIT_MS = 60000;  // the engine's first start is slow on a loaded machine

bool webEngineGeladen() {
  QFile f("/proc/self/maps");
  return f.open(QIODevice::ReadOnly) && f.readAll().contains("libQt6WebEngineCore");
}

// Waits until the window's page has finished loading.
bool ladeendeAbwarten(TFWebbrowser& w) {
  bool geladen = false;
  w.WebBrowser1->beiLadeende([&](bool) { geladen = true; });
  const bool fertig = QTest::qWaitFor([&] { return geladen; }, LADEZEIT_MS);
  w.WebBrowser1->beiLadeende({});
  return fertig;
}

class Webseite : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    plattform_.echteWebansicht = true;
    starten();
  }
  TFWebbrowser& W() { return *FWebbrowser; }

  // Shows "adresse"; while the window is open, waits for the page and reads
  // "title|text" through the page's script, then runs "danach".
  struct Ergebnis {
    bool geladen = false, ok = false;
    QString inhalt, knopf;
    bool offenNachSchliessen = true;
  };
  Ergebnis zeigen(const QString& adresse) {
    Ergebnis e;
    plattform_.fensterSkripte.push_back([&](QDialog& d) {
      e.knopf = W().B_webbrowser->text();
      if (!W().WebBrowser1) return;
      W().WebBrowser1->beiLadeende([&](bool ok) {
        e.geladen = true;
        e.ok = ok;
      });
      if (!QTest::qWaitFor([&] { return e.geladen; }, LADEZEIT_MS)) return;
      bool fertig = false;
      W().WebBrowser1->skript("document.title + '|' + document.body.innerText", [&](const QVariant& v) {
        e.inhalt = v.toString();
        fertig = true;
      });
      if (!QTest::qWaitFor([&] { return fertig; }, LADEZEIT_MS)) return;
      QTest::mouseClick(W().B_close, Qt::LeftButton);
      e.offenNachSchliessen = d.isVisible();
    });
    W().seiteZeigen(adresse);
    return e;
  }
};

TEST_F(Webseite, LokaleSeiteWirdAngezeigtUndFehlerseiteOhneNetz) {
  EXPECT_FALSE(webEngineGeladen());

  const std::string pfad = tmp_.pfad("seite.html");
  dateiSchreiben(pfad,
                 "<html><head><meta charset=\"utf-8\"><title>Vemla Testseite</title></head>"
                 "<body><p>Grüße aus der Sammlung</p></body></html>");
  const QString adresse = QUrl::fromLocalFile(QString::fromStdString(pfad)).toString();
  Ergebnis e = zeigen(adresse);
  ASSERT_NE(W().WebBrowser1, nullptr) << "web module not loaded";
  EXPECT_TRUE(webEngineGeladen());
  EXPECT_TRUE(e.geladen);
  EXPECT_TRUE(e.ok);
  EXPECT_EQ(e.inhalt, "Vemla Testseite|Grüße aus der Sammlung");
  EXPECT_EQ(e.knopf, "Seite  [ " + adresse + " ]  im Standardbrowser öffnen");
  EXPECT_FALSE(e.offenNachSchliessen);

  // Nothing listens on port 9 of this machine: the engine shows its own error page.
  e = zeigen("http://127.0.0.1:9/");
  EXPECT_TRUE(e.geladen);
  EXPECT_FALSE(e.ok);
  EXPECT_TRUE(e.inhalt.contains("127.0.0.1")) << e.inhalt.toStdString();
  EXPECT_FALSE(e.offenNachSchliessen);
  EXPECT_EQ(plattform_.webansichten, 1);

  // The button still hands the address to the default browser.
  plattform_.fensterSkripte.push_back([&](QDialog&) { QTest::mouseClick(W().B_webbrowser, Qt::LeftButton); });
  W().seiteZeigen(adresse);
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{adresse});
}

// What a process has used: processor seconds and resident memory (bytes); zero when it has ended.
struct TVerbrauch {
  double sekunden = 0, rss = 0;
};
TVerbrauch verbrauch(const QString& pid) {
  QFile stat("/proc/" + pid + "/stat");
  if (!stat.open(QIODevice::ReadOnly)) return {};
  const QList<QByteArray> f = stat.readAll().split(')').last().trimmed().split(' ');  // from field 3 on
  const double takt = double(sysconf(_SC_CLK_TCK));
  return {(f[11].toDouble() + f[12].toDouble()) / takt, f[21].toDouble() * double(sysconf(_SC_PAGESIZE))};
}
QString elternteil(const QString& pid) {
  QFile stat("/proc/" + pid + "/stat");
  return stat.open(QIODevice::ReadOnly) ? QString(stat.readAll().split(')').last().trimmed().split(' ').value(1)) : QString();
}
// The web engine's renderers: the processes its zygotes (children of this program) fork.
QStringList renderer() {
  QStringList pids;
  for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
    QFile cmd("/proc/" + pid + "/cmdline");
    if (cmd.open(QIODevice::ReadOnly) && cmd.readAll().contains("QtWebEngineProcess") &&
        elternteil(elternteil(pid)) == QString::number(getpid()))
      pids << pid;
  }
  return pids;
}
// Processor share of the renderers (or of this program, "ich") over "ms" milliseconds.
double auslastung(const QStringList& pids, int ms) {
  auto summe = [&] {
    double s = 0;
    for (const QString& pid : pids) s += verbrauch(pid).sekunden;
    return s;
  };
  const double vorher = summe();
  QTest::qWait(ms);
  return (summe() - vorher) * 1000 / ms;
}

// A page that keeps computing and taking memory: closing its window ends it.
// The renderer then runs nothing and has given its memory back, and the
// window shows the page afresh when opened again.
TEST_F(Webseite, SchliessenBeendetDieSeite) {
  const std::string pfad = tmp_.pfad("schleife.html");
  dateiSchreiben(pfad,
                 "<html><head><title>Schleife</title></head><body><p>rechnet</p><script>var halde = [];"
                 "function schritt() { var t = Date.now(); while (Date.now() - t < 300) {}"
                 "  if (halde.length < 40) halde.push(new Array(1000000).fill(Math.random()));"
                 "  setTimeout(schritt, 0); }"
                 "schritt();</script></body></html>");
  const QString adresse = QUrl::fromLocalFile(QString::fromStdString(pfad)).toString();
  QStringList pids;
  double lastOffen = 0, rssOffen = 0;
  plattform_.fensterSkripte.push_back([&](QDialog&) {
    ASSERT_NE(W().WebBrowser1, nullptr) << "web module not loaded";
    ASSERT_TRUE(ladeendeAbwarten(W()));
    QTest::qWait(4000);
    pids = renderer();
    lastOffen = auslastung(pids, 1000);
    for (const QString& pid : pids) rssOffen += verbrauch(pid).rss;
    QTest::mouseClick(W().B_close, Qt::LeftButton);
  });
  W().seiteZeigen(adresse);
  ASSERT_FALSE(pids.isEmpty());
  EXPECT_GT(lastOffen, 0.3);  // the page ran while its window was open
  QTest::qWait(10000);
  double rssZu = 0;
  for (const QString& pid : pids) rssZu += verbrauch(pid).rss;
  EXPECT_LT(auslastung(pids, 2000), 0.05);
  EXPECT_LT(rssZu, rssOffen / 2) << rssOffen / 1e6 << " MB offen, " << rssZu / 1e6 << " MB geschlossen";
  EXPECT_LT(auslastung({QString::number(getpid())}, 2000), 0.1);  // nor does the program run on for it

  const Ergebnis e = zeigen(adresse);
  EXPECT_TRUE(e.ok);
  EXPECT_EQ(e.inhalt, "Schleife|rechnet");
}

}  // namespace

// The web page window as a user meets it on a desktop with a window manager:
// real keys and clicks (xdotool), the real modal loop and the real engine.
// It owns the keyboard from the moment it shows, and whatever the page does,
// Esc, the close button and the close box close it.

namespace {

QString xdotool(const QStringList& argumente) {
  QProcess p;
  p.start("xdotool", argumente);
  p.waitForFinished(5000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

WId aktivesXFenster() { return xdotool({"getactivewindow"}).toULongLong(); }

// Counts the message boxes that show and closes each a moment later, so that
// no box can hold a test for good.
class Boxen : public QObject {
 public:
  int gezeigt = 0;
  QStringList titel;
  Boxen() {
    qApp->installEventFilter(this);
    connect(&takt_, &QTimer::timeout, this, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) b->done(0);
    });
    takt_.start(100);
  }
  ~Boxen() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show && qobject_cast<QMessageBox*>(o)) {
      ++gezeigt;
      titel << static_cast<QWidget*>(o)->windowTitle();
    }
    return false;
  }

 private:
  QTimer takt_;
};

class Webfenster : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "nur unter X11";
    starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
    eintragen(2);  // unsaved changes: closing the main window would ask
    H().show();
    H().activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return aktivesXFenster() == H().winId(); }, 5000));
    H().e_interpret->setFocus();
    setzePlattform(nullptr);  // the real modal loop and the real engine
  }
  void TearDown() override {
    setzePlattform(&plattform_);
    GuiTest::TearDown();
  }
  TFWebbrowser& W() { return *FWebbrowser; }

  QString seite(const std::string& name, const std::string& html) {
    const std::string pfad = tmp_.pfad(name);
    dateiSchreiben(pfad, "<html><head><meta charset=\"utf-8\"><title>Test</title></head><body>" + html + "</body></html>");
    return QUrl::fromLocalFile(QString::fromStdString(pfad)).toString();
  }
  // Shows "adresse" in the window and runs "schritte" while it is open; the
  // window is closed afterwards in any case.
  void imFenster(const QString& adresse, const std::function<void()>& schritte) {
    QTimer::singleShot(0, &H(), [this, schritte] {
      schritte();
      for (int i = 0; i < 100 && W().isVisible(); ++i) {
        W().reject();
        QTest::qWait(50);
      }
    });
    W().seiteZeigen(adresse);
  }
  bool schliesstSich() { return QTest::qWaitFor([this] { return !W().isVisible(); }, 5000); }
};

TEST_F(Webfenster, BehaeltDieTastaturUndEscSchliesstNurEs) {
  Boxen boxen;
  const QString adresse = seite("modal.html", "<p>Nur eine Seite</p>");
  bool sofortAktiv = false, aktivNachLaden = false, geschlossen = false;
  imFenster(adresse, [&] {
    sofortAktiv = QTest::qWaitFor([this] { return aktivesXFenster() == W().winId(); }, 5000);
    ASSERT_NE(W().WebBrowser1, nullptr) << "web module not loaded";
    EXPECT_TRUE(ladeendeAbwarten(W()));
    QTest::qWait(300);
    aktivNachLaden = aktivesXFenster() == W().winId() && QGuiApplication::focusWindow() == W().windowHandle();
    xdotool({"type", "--delay", "50", "QQQ"});
    QTest::qWait(300);
    xdotool({"key", "Escape"});
    geschlossen = schliesstSich();
  });
  EXPECT_TRUE(sofortAktiv);
  EXPECT_TRUE(aktivNachLaden);
  EXPECT_TRUE(geschlossen);
  // The letters did not reach the main window, and Esc did not close it.
  EXPECT_EQ(H().e_interpret->text(), "I2");
  EXPECT_TRUE(H().isVisible());
  EXPECT_EQ(boxen.gezeigt, 0) << boxen.titel.join("|").toStdString();
  // Afterwards the main window has the keyboard again.
  EXPECT_TRUE(QTest::qWaitFor([this] { return aktivesXFenster() == H().winId(); }, 5000));
}

TEST_F(Webfenster, SeiteMitAlertSchleifeHaeltDasFensterNicht) {
  Boxen boxen;
  // A page that swallows every key and calls alert() again and again.
  const QString adresse =
      seite("falle.html",
            "<input autofocus><script>document.addEventListener('keydown', function (e) { e.preventDefault(); "
            "e.stopPropagation(); }, true); setTimeout(function () { for (var i = 0; i < 40; ++i) alert('Falle ' + i); "
            "}, 200);</script>");
  struct Weg {
    const char* name;
    std::function<void()> schliessen;
  } const wege[] = {
      {"Esc", [] { xdotool({"key", "Escape"}); }},
      {"Fenster schliessen",
       [this] {
         const QPoint p = W().B_close->mapToGlobal(W().B_close->rect().center());
         xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "1"});
       }},
      // The close box: the rightmost button of the window manager's title bar.
      {"Schliessfeld",
       [this] {
         const QRect f = W().frameGeometry();
         const QMargins m = W().windowHandle()->frameMargins();
         xdotool({"mousemove", "--sync", QString::number(f.right() - m.right() - 8),
                  QString::number(f.top() + m.top() / 2), "click", "1"});
       }},
  };
  for (const Weg& weg : wege) {
    boxen.gezeigt = 0;
    bool geschlossen = false;
    imFenster(adresse, [&] {
      EXPECT_TRUE(QTest::qWaitFor([this] { return aktivesXFenster() == W().winId(); }, 10000)) << weg.name;
      QTest::qWait(1500);  // the page has started its alerts
      weg.schliessen();
      geschlossen = schliesstSich();
    });
    EXPECT_TRUE(geschlossen) << weg.name;
    EXPECT_LE(boxen.gezeigt, 1) << weg.name;
    EXPECT_TRUE(H().isVisible()) << weg.name;
  }
}

}  // namespace
