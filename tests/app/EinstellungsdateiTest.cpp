// The settings file through a whole run: what the first run leaves in it, and
// changes made beside the program (by hand or by a second running copy) that
// the next activation applies.
#include <QTest>

#include "core/UEinstellungen.h"
#include "dialogs/UFOptionen.h"
#include "tests/support/GuiTest.h"

namespace {

class Einstellungsdatei : public GuiTest {};

TEST_F(Einstellungsdatei, ErsterLaufHinterlaesstGenauDieseDatei) {
  starten();
  anzeigen();
  H().close();
  // As the program leaves it after its first run, byte for byte.
  EXPECT_EQ(dateiInhalt(iniPfad_), "[Ansicht]\r\nstatusleiste=false\r\n[Programm]\r\nfirststart=false\r\n");
}

TEST_F(Einstellungsdatei, AenderungAmDateiWirktBeiDerNaechstenAktivierung) {
  const std::string basis = "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n";
  starten(basis + "statusleiste=true\r\n");
  anzeigen();
  ASSERT_EQ(H().aussenmass(), QSize(673, 435));
  struct Schritt {
    const char* was;
    std::function<void()> aendern;
    QSize mass;
    bool statusleiste, quickbuttons, vorgabelisten;
  } schritte[] = {
      {"von Hand: Statusleiste und Detailansicht aus",
       [&] { dateiSchreiben(iniPfad_, basis + "statusleiste=false\r\ndetailansicht=false\r\n"); },
       {280, 415}, false, true, true},
      {"eine zweite laufende Vemla: Schaltflächen aus",
       [&] {
         TIniFile ini(iniPfad_);
         TEinstellungen zweite(ini);
         zweite.optionSetzen(TEinstellungen::Option::Schaltflaechen, false);
       },
       {280, 375}, false, true, true},
      {"von Hand: Schaltflächen und Detailansicht an, Quickbuttons und Vorgabelisten aus",
       [&] {
         dateiSchreiben(iniPfad_, basis + "statusleiste=false\r\ndetailansicht=true\r\nschaltflaechen=true\r\n"
                                          "quickbuttons=false\r\nshowcombobox=false\r\n");
       },
       {673, 415}, false, false, false},
  };
  for (const Schritt& s : schritte) {
    SCOPED_TRACE(s.was);
    const QSize vorher = H().aussenmass();
    s.aendern();
    QApplication::processEvents();
    EXPECT_EQ(H().aussenmass(), vorher);  // nothing before the activation
    H().ablauf().aktivierungNachFenster();
    static_cast<void>(QTest::qWaitFor([&] { return H().aussenmass() == s.mass; }, 2000));
    EXPECT_EQ(H().aussenmass(), s.mass);
    EXPECT_EQ(!H().statusbar->isHidden(), s.statusleiste);
    EXPECT_EQ(FOptionen->cb_statusleiste->isChecked(), s.statusleiste);
    EXPECT_EQ(FOptionen->cb_detailansicht->isChecked(), s.mass.width() == 673);
    EXPECT_EQ(FOptionen->cb_schaltflaechenvisible->isChecked(), s.mass.height() != 375);
    EXPECT_EQ(!H().SBQuicksort->isHidden(), s.quickbuttons);
    EXPECT_EQ(!H().combobox_genre->isHidden(), s.vorgabelisten);
    EXPECT_EQ(H().e_genre->width(), s.vorgabelisten ? 209 : 225);
  }
}

}  // namespace
