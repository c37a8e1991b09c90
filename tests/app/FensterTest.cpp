// Window titles, placement and the one activation at start-up, checked through
// the properties that decide them on a desktop with a window manager.
#include <sys/stat.h>

#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "app/UFStartbildschirm.h"
#include "dialogs/UFOptionen.h"
#include "tests/support/GuiTest.h"

namespace {

class Fenster : public GuiTest {
 protected:
  QRect frei() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

constexpr const char* OHNE_STARTFENSTER = "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n";

TEST_F(Fenster, KeinAnzeigenameHinterDenFenstertiteln) {
  // Only a display name set by the program is appended to titles; without one it follows the name.
  const QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName("Probe");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Probe");
  QCoreApplication::setApplicationName(name);
  starten(OHNE_STARTFENSTER);
  anzeigen();
  EXPECT_EQ(H().windowHandle()->title(), "Vemla  [ v 1.0.6 ]");
}

TEST_F(Fenster, HauptfensterMittigOhneMaximierenKnopf) {
  starten(OHNE_STARTFENSTER);
  H().ablauf().FormShow({});
  H().show();
  const QPoint abstand = H().frameGeometry().center() - frei().center();
  EXPECT_LE(abstand.manhattanLength(), 8) << abstand.x() << "," << abstand.y();
  const Qt::WindowFlags f = H().windowFlags();
  EXPECT_TRUE(f & Qt::CustomizeWindowHint);
  EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
  EXPECT_EQ(H().minimumSize(), H().maximumSize());
}

TEST_F(Fenster, SplashMittigAufDemHauptfenster) {
  starten(OHNE_STARTFENSTER);
  anzeigen();
  H().move(frei().topLeft() + QPoint(40, 30));
  QTest::qWait(20);
  FStartbildschirm->timerbar->stop();
  FStartbildschirm->show();
  EXPECT_EQ(FStartbildschirm->geometry().center(), H().frameGeometry().center());
  FStartbildschirm->hide();
}

TEST_F(Fenster, StartpositionGespeichertWieWiederhergestelltUndAufDemSchirm) {
  const QRect f = frei();
  struct Fall {
    int links, oben;
    bool bleibt;
  } faelle[] = {
      {f.left() + 50, f.top() + 40, true},
      {f.left() - 5000, f.top() - 5000, false},
      {f.right() + 5000, f.bottom() + 5000, false},
      {f.right() - 300, f.top() + 10, true},  // partly off the right edge: the title bar still shows
  };
  for (const Fall& fall : faelle) {
    starten(std::string(OHNE_STARTFENSTER) + "[Optionen]\r\nstartposition=true\r\nstartpositionleft=" +
            std::to_string(fall.links) + "\r\nstartpositiontop=" + std::to_string(fall.oben) + "\r\n");
    anzeigen();
    QTest::qWait(20);
    const QRect r = H().frameGeometry();
    if (fall.bleibt) {
      EXPECT_EQ(r.topLeft(), QPoint(fall.links, fall.oben));
    }
    EXPECT_GE(r.top(), f.top()) << fall.links;
    EXPECT_LE(r.top(), f.bottom() - 20) << fall.links;
    EXPECT_GE(r.right(), f.left() + 20) << fall.links;
    EXPECT_LE(r.left(), f.right() - 20) << fall.links;
    // What the exit stores is the point the next start restores.
    const QPoint vorher = r.topLeft();
    H().close();
    EXPECT_EQ(iniWert("Optionen", "startpositionleft"), std::to_string(vorher.x()));
    EXPECT_EQ(iniWert("Optionen", "startpositiontop"), std::to_string(vorher.y()));
    fensterFreigeben();
    std::remove(iniPfad_.c_str());
  }
}

TEST_F(Fenster, AktivierungLaeuftBeimStartNurEinmal) {
  // A settings file that cannot be written: every write is refused with a message.
  std::remove(iniPfad_.c_str());
  ASSERT_EQ(::mkdir(iniPfad_.c_str(), 0755), 0);
  starten();
  H().ablauf().FormShow({});
  H().show();
  H().activateWindow();
  H().ablauf().erstesAktivierenAnmelden();
  QTest::qWait(200);
  int splash = 0;
  for (const QString& n : modale()) splash += n == "FStartbildschirm";
  EXPECT_EQ(splash, 1);
  const QString verweigert = "nach " + QString::fromStdString(iniPfad_) + " kann nicht geschrieben werden.";
  int meldungen = 0;
  for (const auto& m : plattform_.meldungen) meldungen += m.text == verweigert;
  // The first refused write (the status bar option) stops the activation: one
  // message, and the first-start window that comes later is not shown.
  EXPECT_EQ(meldungen, 1) << plattform_.meldungsTexte().join("\n").toStdString();
  EXPECT_EQ(plattform_.meldungen.size(), 1u);
  for (const QString& n : modale()) EXPECT_NE(n, "Ffirststart");
  // The window shows what the option boxes hold.
  EXPECT_FALSE(FOptionen->cb_statusleiste->isChecked());
  EXPECT_FALSE(H().statusbar->isVisible());
  fensterFreigeben();
  ::rmdir(iniPfad_.c_str());
}

}  // namespace
