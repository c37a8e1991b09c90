// Focus, titles and placement under a real X server with the openbox window
// manager (run through mitFenstermanager.sh): what the offscreen platform
// cannot show.
#include <QFile>
#include <QMessageBox>
#include <filesystem>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include "app/UFStartbildschirm.h"
#include "app/UOrte.h"
#include "dialogs/UFOptionen.h"
#include "online/fenster/UFOnline.h"
#include "sicherung/UWiederherstellen.h"
#include "tests/support/GuiTest.h"

namespace {

constexpr const char* OHNE_STARTFENSTER = "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n";

class X11 : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "nur unter X11";
  }
  // Starts as the program does: showing, the window manager's activation or the fallback.
  void wieDasProgramm(const QStringList& argumente = {}) {
    H().ablauf().programmStart(argumente);
  }
  bool hauptfensterHatFokus() { return QGuiApplication::focusWindow() == H().windowHandle(); }
  // The window manager may take a moment to hand the focus around; it must then stay.
  void fokusBleibtBeimHauptfenster(QWidget* control) {
    QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
    QTest::qWait(400);
    EXPECT_TRUE(hauptfensterHatFokus());
    EXPECT_EQ(QApplication::focusWidget(), control);
  }
  // Closes every modal box or dialog of the Qt platform shortly after it opens.
  void boxenSchliessen() {
    auto* t = new QTimer(&H());
    QObject::connect(t, &QTimer::timeout, [] {
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(0);
    });
    t->start(150);
  }
  // The outer frame, title bar included, is centred on the free part of the screen.
  void rahmenMittig() {
    const QRect frei = QGuiApplication::primaryScreen()->availableGeometry();
    auto abstand = [&] { return H().frameGeometry().center() - frei.center(); };
    const bool mittig = QTest::qWaitFor([&] {
      return !H().windowHandle()->frameMargins().isNull() && std::abs(abstand().x()) <= 1 && std::abs(abstand().y()) <= 1;
    }, 6000);  // the program itself waits up to 5 s for the frame
    EXPECT_TRUE(mittig) << abstand().x() << "," << abstand().y();
  }
  QString xEigenschaft(QWidget* w, const char* name) {
    QProcess p;
    p.start("xprop", {"-id", QString::number(w->winId()), name});
    p.waitForFinished(3000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  }
};

TEST_F(X11, FokusNachDemBitteWartenFenster) {
  starten(OHNE_STARTFENSTER);
  for (int i = 1; i <= 760; ++i) DatBas->add_datensatz(datensatzAus("I" + std::to_string(i), "T", "", "", "", "", ""));
  Connect->liste_neu_aufbauen();
  wieDasProgramm();
  QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
  markieren(3);
  H().listbox->setFocus();
  for (auto befehl : {&TConnect::datensatz_loeschen, &TConnect::nach_unten, &TConnect::nach_oben}) {
    (Connect->*befehl)();
    fokusBleibtBeimHauptfenster(H().listbox);
  }
  H().e_titel->setFocus();
  Connect->datensatz_aendern("neu", "T", "", "", "", "", "");
  fokusBleibtBeimHauptfenster(H().e_titel);
  // Shortcuts reach the window again: F4 deletes once more.
  const int vorher = DatBas->get_anzahl();
  QTest::keyClick(H().listbox, Qt::Key_F4);
  EXPECT_EQ(DatBas->get_anzahl(), vorher - 1);
}

TEST_F(X11, FokusNachMeldungUndDialog) {
  starten(OHNE_STARTFENSTER);
  eintragen(3);
  wieDasProgramm();
  QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
  setzePlattform(nullptr);  // the real message boxes and dialogs
  boxenSchliessen();
  H().listbox->setFocus();
  allgemeinerFehler(std::runtime_error("Versuch hinter dem Dateiende zu lesen"));
  fokusBleibtBeimHauptfenster(H().listbox);
  plattform().fensterModal(*FOptionen);
  fokusBleibtBeimHauptfenster(H().listbox);
  // A failed load: the file dialog closes and at once the error box opens,
  // before the window manager has handed the focus back.
  plattform().fensterModal(*FOptionen);
  allgemeinerFehler(std::runtime_error("Versuch hinter dem Dateiende zu lesen"));
  fokusBleibtBeimHauptfenster(H().listbox);
  setzePlattform(&plattform_);
}

TEST_F(X11, TitelOhneProgrammnamen) {
  if (QProcess::execute("xprop", {"-version"}) != 0) GTEST_SKIP() << "xprop fehlt";
  starten(OHNE_STARTFENSTER);
  wieDasProgramm();
  QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
  EXPECT_EQ(xEigenschaft(&H(), "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = \"Vemla  [ v 1.0.6 ]\"");
  QMessageBox box(&H());
  box.setWindowTitle("Sicherheitsabfrage");
  box.show();
  QTRY_VERIFY_WITH_TIMEOUT(box.windowHandle() && box.windowHandle()->isExposed(), 3000);
  EXPECT_EQ(xEigenschaft(&box, "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = \"Sicherheitsabfrage\"");
}

TEST_F(X11, StartpositionWandertNicht) {
  starten(std::string(OHNE_STARTFENSTER) +
          "[Optionen]\r\nstartposition=true\r\nstartpositionleft=200\r\nstartpositiontop=150\r\n");
  wieDasProgramm();
  QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
  QTRY_COMPARE_WITH_TIMEOUT(H().frameGeometry().topLeft(), QPoint(200, 150), 3000);
  EXPECT_NE(H().geometry().topLeft(), QPoint(200, 150));  // the window manager drew a frame
  H().close();
  EXPECT_EQ(iniWert("Optionen", "startpositionleft"), "200");
  EXPECT_EQ(iniWert("Optionen", "startpositiontop"), "150");
}

TEST_F(X11, HauptfensterMittigUndSplashbalkenInSchritten) {
  starten("[Programm]\r\nfirststart=false\r\n");
  // The bar as it is drawn while the splash shows.
  std::vector<int> gemalt;
  struct Maler : QObject {
    std::vector<int>* werte;
    QProgressBar* balken;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) {
        werte->push_back(balken->value());
      }
      return false;
    }
  } maler;
  maler.werte = &gemalt;
  maler.balken = FStartbildschirm->loading;
  FStartbildschirm->loading->installEventFilter(&maler);
  setzePlattform(nullptr);
  wieDasProgramm();
  // Shown at the first activation, closed when full; then the main window has the focus.
  QTRY_VERIFY_WITH_TIMEOUT(!gemalt.empty() && !FStartbildschirm->isVisible() && hauptfensterHatFokus(), 8000);
  setzePlattform(&plattform_);
  rahmenMittig();
  // The bar grows step by step and is seen full before the window closes.
  ASSERT_FALSE(gemalt.empty());
  EXPECT_EQ(gemalt.back(), 100);
  int schritte = 0;
  for (std::size_t i = 1; i < gemalt.size(); ++i) schritte += gemalt[i] > gemalt[i - 1];
  EXPECT_GE(schritte, 20);
}

// The online look-up owns the keyboard as soon as it shows, with the focus in
// the barcode line, and its message box stands above it.
TEST_F(X11, OnlineFensterHatDieTastatur) {
  starten(OHNE_STARTFENSTER);
  wieDasProgramm();
  QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
  setzePlattform(nullptr);
  QWidget* fokusBeimZeigen = nullptr;
  bool boxOben = false;
  QTimer::singleShot(0, [&] {
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == FOnline->windowHandle(), 3000);
    fokusBeimZeigen = QApplication::focusWidget();
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QTRY_VERIFY_WITH_TIMEOUT(box && QGuiApplication::focusWindow() == box->windowHandle(), 3000);
      boxOben = box->parentWidget() && box->parentWidget()->window() == FOnline;
      box->done(0);
    });
    FOnline->b_strichcodeClick();  // nothing typed: the box says what is missing
    FOnline->reject();
  });
  QTest::keyClick(H().listbox, Qt::Key_F3, Qt::ControlModifier);
  setzePlattform(&plattform_);
  EXPECT_EQ(fokusBeimZeigen, FOnline->e_strichcode);
  EXPECT_TRUE(boxOben);
}

// The online look-up can be made larger by the user (the list grows), and its
// access keys come through the keyboard.
TEST_F(X11, OnlineFensterVergroessernUndZugriffstasten) {
  starten(OHNE_STARTFENSTER);
  wieDasProgramm();
  QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
  setzePlattform(nullptr);  // the window runs as in the program
  auto xdotool = [](const QStringList& argumente) { return QProcess::execute("xdotool", argumente); };
  QRect liste;
  QWidget* nachAltT = nullptr;
  QTimer::singleShot(0, [&] {
    // Whatever happens, the window closes again.
    if (QTest::qWaitFor([] { return QGuiApplication::focusWindow() == FOnline->windowHandle(); }, 3000)) {
      xdotool({"key", "alt+t"});
      (void)QTest::qWaitFor([] { return QApplication::focusWidget() != FOnline->e_strichcode; }, 3000);
      nachAltT = QApplication::focusWidget();
      // Larger, as a user drags its frame.
      xdotool({"windowsize", QString::number(FOnline->winId()), "1000", "600"});
      (void)QTest::qWaitFor([] { return FOnline->size() == QSize(1000, 600); }, 3000);
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

namespace {

// Without the splash, the first activation shortens the window (no status bar)
// while the window manager may still be framing it: it stays centred.
TEST_F(X11, HauptfensterMittigOhneStartfenster) {
  starten(OHNE_STARTFENSTER);
  eintragen({{"A", "1"}, {"B", "2"}});
  wieDasProgramm();
  QTRY_VERIFY_WITH_TIMEOUT(hauptfensterHatFokus(), 3000);
  QTest::qWait(300);
  rahmenMittig();
  EXPECT_GE(H().frameGeometry().top(), QGuiApplication::primaryScreen()->availableGeometry().top());
}

}  // namespace

namespace {

// Settings beside the program in a folder the user may not write: the first
// refused write stops the activation with one message, and closing that box
// (a modal one) does not run the activation again. A collection named on the
// command line opens as usual, and the refusal to note it in the settings is
// that same one message, above the main window.
TEST_F(X11, VerweigertesSchreibenBeimStartEinmalGemeldet) {
  for (const bool mitSammlung : {false, true}) {
    TempOrdner ordner;
    std::filesystem::permissions(ordner.pfad(), std::filesystem::perms(0755));
    const std::string bin = ordner.pfad("bin");
    std::filesystem::create_directories(bin);
    // Three view options that the activation stores again, and the status bar it hides.
    dateiSchreiben(bin + "/vemla.ini",
                   std::string(OHNE_STARTFENSTER) + "detailansicht=false\r\nschaltflaechen=false\r\n");
    std::filesystem::permissions(bin, std::filesystem::perms(0555));
    const QString sammlung = QString::fromStdString(ordner.pfad("x.vem"));
    sammlungsdatei(sammlung.toStdString(), 3);
    struct Zurueck {
      std::string bin;
      ~Zurueck() {
        if (HauptFormular) fensterFreigeben();
        std::filesystem::permissions(bin, std::filesystem::perms(0755));
        orteFestlegen();
      }
    } zurueck{bin};
    orteFestlegen(QString::fromStdString(bin));
    const std::string ini = QFile::encodeName(iniPfad()).toStdString();
    ASSERT_EQ(ini, bin + "/vemla.ini");
    starten();
    QStringList texte;
    struct Zaehler : QObject {
      QStringList* texte;
      bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show)
          if (auto* b = qobject_cast<QMessageBox*>(o))
            *texte << (HauptFormular->isVisible() ? "" : "vor dem Hauptfenster: ") + b->text();
        return false;
      }
    } zaehler;
    zaehler.texte = &texte;
    qApp->installEventFilter(&zaehler);
    setzePlattform(nullptr);
    boxenSchliessen();
    {
      OhneRootRechte ohne;
      wieDasProgramm(mitSammlung ? QStringList{sammlung} : QStringList{});
      QTRY_VERIFY_WITH_TIMEOUT(!texte.isEmpty() && hauptfensterHatFokus(), 5000);
      QTest::qWait(1500);  // the focus has come back from the box: nothing more
    }
    setzePlattform(&plattform_);
    qApp->removeEventFilter(&zaehler);
    EXPECT_EQ(texte, QStringList{"nach " + QString::fromStdString(ini) + " kann nicht geschrieben werden."})
        << mitSammlung;
    EXPECT_EQ(H().windowTitle(), mitSammlung ? "Vemla   [ " + sammlung.toLower() + " ]" : "Vemla  [ v 1.0.6 ]");
    EXPECT_EQ(H().menue_filesave->isEnabled(), mitSammlung);
    EXPECT_EQ(H().listbox->count(), mitSammlung ? 3 : 0);
    EXPECT_FALSE(Connect->file_changed());
  }
}

// The notice that the recovery copy cannot be written shows beside the main
// window and leaves the keyboard there: what is typed goes on into the field.
TEST_F(X11, SicherungsHinweisLaesstDieTastatur) {
  starten(OHNE_STARTFENSTER);
  const std::string datei = tmp_.pfad("zustand");
  dateiSchreiben(datei, "x");  // a file where the folder of the copies should be
  sicherungStarten(QString::fromStdString(datei), 0);
  wieDasProgramm();
  ASSERT_TRUE(QTest::qWaitFor([&] { return hauptfensterHatFokus(); }, 3000));
  Connect->datensatz_hinzufuegen("I", "T", "", "", "", "", "");
  H().e_kommentar->setFocus();
  auto* hinweis = H().findChild<QWidget*>("FSicherungHinweis");
  ASSERT_NE(hinweis, nullptr);
  QTest::qWait(500);
  EXPECT_TRUE(hinweis->isVisible());
  QProcess::execute("xdotool", {"type", "--delay", "30", "123"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return H().e_kommentar->text() == "123"; }, 3000)) << H().e_kommentar->text().toStdString();
  EXPECT_TRUE(hauptfensterHatFokus());
  // Beside the main window, not over it.
  EXPECT_FALSE(hinweis->frameGeometry().intersects(H().frameGeometry()))
      << hinweis->frameGeometry().top() << " " << H().frameGeometry().bottom();
}

}  // namespace

namespace {

// A window as the X server shows it: the client area, or with "mitRahmen" the
// frame the window manager put around it (_NET_FRAME_EXTENTS).
QRect xRechteck(WId fenster, bool mitRahmen) {
  auto ausgabe = [](const QString& programm, const QStringList& argumente) {
    QProcess p;
    p.start(programm, argumente);
    p.waitForFinished(3000);
    return QString::fromUtf8(p.readAllStandardOutput());
  };
  const QString id = QString::number(fenster);
  const QString info = ausgabe("xwininfo", {"-id", id});
  auto wert = [&info](const QString& name) {
    const qsizetype i = info.indexOf(name + ":");
    return i < 0 ? 0 : info.mid(i + name.size() + 1).section('\n', 0, 0).trimmed().toInt();
  };
  QRect r(wert("Absolute upper-left X"), wert("Absolute upper-left Y"), wert("Width"), wert("Height"));
  if (mitRahmen) {
    const QStringList m = ausgabe("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    if (m.size() == 4) r.adjust(-m[0].toInt(), -m[2].toInt(), m[1].toInt(), m[3].toInt());
  }
  return r;
}

// The splash stands centred on the main window's outer frame as the X server
// shows it, at the start and when the main window moves while it is up (as
// the centring by the frame does once the window manager reports it).
TEST_F(X11, StartbildschirmMittigUeberDemRahmen) {
  for (const QPoint verschiebung : {QPoint(0, 0), QPoint(-40, 30)}) {
    starten("[Programm]\r\nfirststart=false\r\n");
    QRect splash, rahmen;
    QTimer messen;
    int schritt = 0;
    QObject::connect(&messen, &QTimer::timeout, [&] {
      if (!FStartbildschirm->isVisible()) return;
      ++schritt;
      if (schritt == 2 && !verschiebung.isNull()) H().move(H().pos() + verschiebung);
      if (schritt == 8) {  // 400 ms after the splash appeared, before it closes
        splash = xRechteck(FStartbildschirm->winId(), false);
        rahmen = xRechteck(H().winId(), true);
      }
    });
    messen.start(50);
    setzePlattform(nullptr);  // the splash shows as long as it does in the program
    wieDasProgramm();
    QTRY_VERIFY_WITH_TIMEOUT(schritt >= 8 && !FStartbildschirm->isVisible(), 5000);
    setzePlattform(&plattform_);
    ASSERT_EQ(splash.size(), QSize(270, 168));
    const QPoint abstand =
        splash.topLeft() + QPoint(135, 84) - rahmen.topLeft() - QPoint(rahmen.width() / 2, rahmen.height() / 2);
    EXPECT_LE(std::abs(abstand.x()), 1) << verschiebung.y() << ": " << abstand.x() << "," << abstand.y();
    EXPECT_LE(std::abs(abstand.y()), 1) << verschiebung.y() << ": " << abstand.x() << "," << abstand.y();
    fensterFreigeben();
  }
}

}  // namespace
