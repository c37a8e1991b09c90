// The options dialog: each box stores its key at once and applies its effect.
#include <QToolButton>

#include "dialogs/UFOptionen.h"
#include "tests/support/GuiTest.h"

namespace {

class Optionen : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
  TFOptionen& O() { return *FOptionen; }
  void klick(QCheckBox* c) { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, c->height() / 2)); }
};

TEST_F(Optionen, AnfangszustandSchreibtNichts) {
  for (QCheckBox* c : {O().cb_schaltflaechenvisible, O().cb_statusleiste, O().cb_detailansicht,
                       O().cb_startbildschirm, O().CBQuickbuttons})
    EXPECT_TRUE(c->isChecked()) << c->objectName().toStdString();
  for (QCheckBox* c : {O().cb_startposition, O().cb_loadlastfile, O().cb_saveview_gesamt})
    EXPECT_FALSE(c->isChecked()) << c->objectName().toStdString();
  O().cb_statusleiste->setChecked(true);  // the state it already has: no handler
  EXPECT_FALSE(dateiExistiertOeffentlich(iniPfad_));
}

TEST_F(Optionen, FensterhoeheAusKnoepfenUndStatusleiste) {
  O().show();
  struct Schritt {
    QCheckBox* TFOptionen::*box;
    int hoehe;
    const char* schluessel;
    const char* wert;
  } schritte[] = {
      {&TFOptionen::cb_schaltflaechenvisible, 395, "schaltflaechen", "false"},
      {&TFOptionen::cb_schaltflaechenvisible, 435, "schaltflaechen", "true"},
      {&TFOptionen::cb_statusleiste, 415, "statusleiste", "false"},
      {&TFOptionen::cb_schaltflaechenvisible, 375, "schaltflaechen", "false"},
      {&TFOptionen::cb_statusleiste, 395, "statusleiste", "true"},
  };
  for (const auto& s : schritte) {
    klick(O().*s.box);
    EXPECT_EQ(H().aussenmass(), QSize(673, s.hoehe)) << s.schluessel << "=" << s.wert;
    EXPECT_EQ(iniWert("Ansicht", s.schluessel), s.wert);
  }
  EXPECT_FALSE(H().statusbar->isHidden());
  EXPECT_EQ(H().statusbar->geometry().bottom() + 1, H().client()->height());
}

TEST_F(Optionen, JederKlickSchreibtSofort) {
  O().show();
  struct Fall {
    QCheckBox* TFOptionen::*box;
    const char *sektion, *schluessel, *nachKlick;
  } faelle[] = {
      {&TFOptionen::cb_startbildschirm, "Ansicht", "startbildschirm", "false"},
      {&TFOptionen::cb_loadlastfile, "Optionen", "loadlastfile", "true"},
      {&TFOptionen::cb_saveview_gesamt, "Gesamtuebersicht", "saved", "true"},
      {&TFOptionen::CBQuickbuttons, "Ansicht", "quickbuttons", "false"},
      {&TFOptionen::cb_detailansicht, "Ansicht", "detailansicht", "false"},
  };
  for (const auto& f : faelle) {
    klick(O().*f.box);
    EXPECT_EQ(iniWert(f.sektion, f.schluessel), f.nachKlick) << f.schluessel;
  }
  EXPECT_TRUE(H().SBQuicksearch->isHidden());
  EXPECT_EQ(H().aussenmass().width(), 280);
}

TEST_F(Optionen, MinViewSchaltetDieDetailansicht) {
  H().SBminview->click();
  EXPECT_EQ(H().aussenmass().width(), 280);
  EXPECT_EQ(iniWert("Ansicht", "detailansicht"), "false");
  EXPECT_FALSE(O().cb_detailansicht->isChecked());
  H().e_titel->setFocusPolicy(Qt::NoFocus);
  H().SBminview->click();
  EXPECT_EQ(H().aussenmass().width(), 673);
  EXPECT_EQ(iniWert("Ansicht", "detailansicht"), "true");
  EXPECT_EQ(H().e_titel->focusPolicy(), Qt::StrongFocus);
}

TEST_F(Optionen, StartpositionWirdBeimAnkreuzenGespeichert) {
  H().move(50, 60);
  O().cb_startposition->setChecked(true);
  EXPECT_EQ(iniWert("Optionen", "startposition"), "true");
  EXPECT_EQ(iniWert("Optionen", "startpositionleft"), "50");
  EXPECT_EQ(iniWert("Optionen", "startpositiontop"), "60");
  O().cb_startposition->setChecked(false);
  H().move(70, 80);
  O().cb_startposition->setChecked(true);
  EXPECT_EQ(iniWert("Optionen", "startpositionleft"), "70");
}

TEST_F(Optionen, InformationsknoepfeUndRegistrierung) {
  struct Fall {
    QToolButton* TFOptionen::*knopf;
    QString text;
  } faelle[] = {
      {&TFOptionen::SpeedButton1,
       "Diese Option blendet die Standard-Schaltflächen (new, load,  \rsave, add, del, change, up, down) wahlweise "
       "ein oder aus."},
      {&TFOptionen::SpeedButton2, "Diese Optionen blendet die Statusleiste (im  \rHauptfenster) wahlweise ein oder aus."},
      {&TFOptionen::SpeedButton3,
       "Diese Option blendet die Detailansicht [=Eingabemaske für Inter-\rpret, Titel, Label usw. (im Hauptfenster)] "
       "wahlweise ein oder aus.  "},
      {&TFOptionen::SpeedButton4,
       "Ist diese Option aktiviert, so wird beim Start des  \rProgrammes der Vemla-Startbildschirm angezeigt."},
      {&TFOptionen::SBquickbuttons,
       "Diese Option blendet die \"Quickbuttons\" Quick-Print, Quick-Report\rQuick-Tab, Quick-Sort, Quick-Search sowie "
       "Min-View ein bzw. aus."},
      {&TFOptionen::SpeedButton5,
       "Vemla erstellt Ihnen auf Wunsch einen Eintrag in der Registry.\rWeitere Informationen erfahren Sie bei Klick "
       "auf den Button"},
      {&TFOptionen::SpeedButton6,
       "Ist diese Option aktiviert, startet Vemla beim nächsten\rMal in der zuletzt angezeigten Position auf dem "
       "Desktop.  "},
      {&TFOptionen::SpeedButton7,
       "Ist diese Option aktiviert, lädt Vemla beim nächsten Start die zuletzt angezeigte Datei.  "},
      {&TFOptionen::SpeedButton8,
       "Ist diese Option aktiviert, so werden die Einstellungen (Schriftart, -Farbe,  \r-Grösse, Fenstergrösse etc.) "
       "der Gesamtübersicht (F8) gespeichert."},
  };
  for (const auto& f : faelle) {
    plattform_.meldungen.clear();
    (O().*f.knopf)->click();
    ASSERT_EQ(plattform_.meldungen.size(), 1u);
    EXPECT_EQ(plattform_.meldungen[0].titel, "Information:");
    EXPECT_EQ(plattform_.meldungen[0].text, f.text);
    EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Frage);
    EXPECT_EQ((O().*f.knopf)->toolTip(), "erweiterte Informationen anzeigen");
  }
  plattform_.meldungen.clear();
  O().SBReg->click();
  ASSERT_EQ(plattform_.meldungen.size(), 1u);
  EXPECT_EQ(plattform_.meldungen[0].titel, "Sorry");
  EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Keins);
  EXPECT_EQ(plattform_.meldungen[0].text,
            "Die Dateiregistrierung wurde entfernt.\rBitte werfen Sie einen Blick in die Readme-Datei, um nach-  \r"
            "zulesen, wie sie die Dateiendung manuell registrieren.");
  EXPECT_FALSE(dateiExistiertOeffentlich(iniPfad_));
}

TEST_F(Optionen, EscSchliesstNurVonDenRichtigenElementen) {
  struct Fall {
    QWidget* element;
    bool schliesst;
  } faelle[] = {{O().cb_statusleiste, true}, {O().B_ok, true}, {O().CBQuickbuttons, false}};
  for (const auto& f : faelle) {
    O().show();
    QTest::keyClick(f.element, Qt::Key_Escape);
    EXPECT_EQ(O().isVisible(), !f.schliesst) << f.element->objectName().toStdString();
    O().hide();
  }
  O().show();
  O().B_ok->click();
  EXPECT_FALSE(O().isVisible());
  EXPECT_EQ(O().B_ok->text(), "&zurück");
  EXPECT_EQ(O().B_ok->toolTip(), "( schliesst diese Ansicht )");
}

TEST_F(Optionen, EinstellungenOeffnetDenDialog) {
  aktivieren();
  QTest::keyClick(H().listbox, Qt::Key_F9);
  EXPECT_EQ(plattform_.modaleFenster, std::vector<QString>{"FOptionen"});
}

}  // namespace
