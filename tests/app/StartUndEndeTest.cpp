// Start-up, activation and exit of the main window with the settings file.
#include <QProgressBar>
#include <QTimer>

#include "app/UFStartbildschirm.h"
#include "app/UFfirststart.h"
#include "dialogs/UFOptionen.h"
#include "dialogs/UFworking.h"
#include "tests/support/GuiTest.h"

namespace {

class StartUndEnde : public GuiTest {};

constexpr const char* OHNE_STARTFENSTER = "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n";

TEST_F(StartUndEnde, ErsterStartOhneEinstellungsdatei) {
  starten();
  anzeigen();
  EXPECT_EQ(plattform_.modaleFenster, (std::vector<QString>{"FStartbildschirm", "Ffirststart"}));
  EXPECT_TRUE(H().statusbar->isHidden());
  EXPECT_EQ(iniWert("Programm", "firststart"), "false");
  EXPECT_EQ(iniWert("Ansicht", "statusleiste"), "false");
  EXPECT_EQ(H().aussenmass(), QSize(673, 415));
  EXPECT_FALSE(H().b_load->isHidden());
  EXPECT_FALSE(H().SBQuicksort->isHidden());
  EXPECT_FALSE(H().combobox_genre->isHidden());
  EXPECT_FALSE(H().ablauf().show_startbildschirm);
  // A second activation shows neither window again.
  plattform_.modaleFenster.clear();
  H().ablauf().FormActivate();
  EXPECT_TRUE(plattform_.modaleFenster.empty());
}

TEST_F(StartUndEnde, AnsichtsschalterAusDerDatei) {
  struct Fall {
    std::string ini;
    std::function<void(GuiTest&, THauptFormular&)> pruefen;
  } faelle[] = {
      {"[Ansicht]\nstatusleiste=True\n",
       [](GuiTest&, THauptFormular& h) {
         EXPECT_TRUE(h.statusbar->isHidden());
         EXPECT_FALSE(FOptionen->cb_statusleiste->isChecked());
       }},
      {"[Ansicht]\nstatusleiste=true\n",
       [](GuiTest&, THauptFormular& h) {
         EXPECT_FALSE(h.statusbar->isHidden());
         EXPECT_EQ(h.aussenmass(), QSize(673, 435));
       }},
      {"[Ansicht]\nquickbuttons=no\n", [](GuiTest&, THauptFormular& h) { EXPECT_FALSE(h.SBQuickprint->isHidden()); }},
      {"[ansicht]\nQuickButtons=false\n",
       [](GuiTest&, THauptFormular& h) {
         EXPECT_TRUE(h.SBQuickprint->isHidden());
         EXPECT_TRUE(h.SBminview->isHidden());
         EXPECT_FALSE(FOptionen->CBQuickbuttons->isChecked());
       }},
      {"[Ansicht]\nshowcombobox=false\n",
       [](GuiTest&, THauptFormular& h) {
         EXPECT_TRUE(h.combobox_release->isHidden());
         EXPECT_EQ(h.e_release->width(), 225);
         EXPECT_EQ(h.e_genre->width(), 225);
       }},
      {"[Ansicht]\nschaltflaechen=false\n",
       [](GuiTest&, THauptFormular& h) {
         EXPECT_FALSE(FOptionen->cb_schaltflaechenvisible->isChecked());
         EXPECT_EQ(h.aussenmass().height(), 375);  // no buttons, no status bar
         EXPECT_LT(h.client()->height(), h.b_load->geometry().bottom());
       }},
      {"[Ansicht]\ndetailansicht=false\n",
       [](GuiTest&, THauptFormular& h) {
         EXPECT_EQ(h.aussenmass().width(), 280);
         EXPECT_FALSE(FOptionen->cb_detailansicht->isChecked());
       }},
      {"[Ansicht]\nstartbildschirm=false\n",
       [](GuiTest& t, THauptFormular&) {
         EXPECT_FALSE(FOptionen->cb_startbildschirm->isChecked());
         EXPECT_EQ(static_cast<StartUndEnde&>(t).modale(), std::vector<QString>{"Ffirststart"});
       }},
      {"[Gesamtuebersicht]\nsaved=true\n[Optionen]\nloadlastfile=true\n",
       [](GuiTest&, THauptFormular&) {
         EXPECT_TRUE(FOptionen->cb_saveview_gesamt->isChecked());
         EXPECT_TRUE(FOptionen->cb_loadlastfile->isChecked());
       }},
  };
  for (auto& f : faelle) {
    SCOPED_TRACE(f.ini);
    plattform_.modaleFenster.clear();
    starten(f.ini);
    anzeigen();
    f.pruefen(*this, H());
    fensterFreigeben();
    std::remove(iniPfad_.c_str());
  }
}

TEST_F(StartUndEnde, StartpositionWirdWiederhergestellt) {
  struct Fall {
    std::string links, oben;
    QPoint erwartet;
  } faelle[] = {{"120", "80", {120, 80}}, {"x", "80", {-1, -1}}};
  for (const auto& f : faelle) {
    starten(std::string(OHNE_STARTFENSTER) + "[Optionen]\r\nstartposition=true\r\nstartpositionleft=" + f.links +
            "\r\nstartpositiontop=" + f.oben + "\r\n");
    H().move(7, 9);
    anzeigen();
    EXPECT_EQ(H().pos(), f.erwartet.x() < 0 ? QPoint(7, 9) : f.erwartet);
    EXPECT_TRUE(FOptionen->cb_startposition->isChecked());
    H().move(33, 44);
    H().close();
    EXPECT_EQ(iniWert("Optionen", "startpositionleft"), "33");
    EXPECT_EQ(iniWert("Optionen", "startpositiontop"), "44");
    fensterFreigeben();
    std::remove(iniPfad_.c_str());
  }
}

TEST_F(StartUndEnde, DateiAusDerBefehlszeileVorLetzterDatei) {
  const std::string a = tmp_.pfad("a.vem"), b = tmp_.pfad("b.vem");
  sammlungsdatei(a, 2, "A");
  sammlungsdatei(b, 3, "B");
  starten(std::string(OHNE_STARTFENSTER) + "[Optionen]\r\nloadlastfile=true\r\n[Initiation]\r\nfilename=" + b + "\r\n");
  anzeigen({QString::fromStdString(a)});
  EXPECT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(Connect->get_filename(), QString::fromStdString(a));
  EXPECT_FALSE(Connect->file_changed());
  fensterFreigeben();

  // Loading stored the file just opened as the last one.
  EXPECT_EQ(iniWert("Initiation", "filename"), a);
  // A missing file as argument is ignored silently; then the last file is opened.
  dateiSchreiben(iniPfad_, std::string(OHNE_STARTFENSTER) + "[Optionen]\r\nloadlastfile=true\r\n[Initiation]\r\nfilename=" + b + "\r\n");
  starten();
  anzeigen({QString::fromStdString(tmp_.pfad("fehlt.vem"))});
  EXPECT_EQ(DatBas->get_anzahl(), 3);
  EXPECT_EQ(H().windowTitle(), "Vemla   [ " + kleinAZ(QString::fromStdString(b)) + " ]");
  fensterFreigeben();

  dateiSchreiben(iniPfad_, std::string(OHNE_STARTFENSTER) + "[Optionen]\r\nloadlastfile=true\r\n[Initiation]\r\nfilename=" +
                               tmp_.pfad("weg.vem") + "\r\n");
  starten();
  anzeigen();
  EXPECT_EQ(DatBas->get_anzahl(), 0);
  EXPECT_TRUE(plattform_.meldungen.empty());
}

TEST_F(StartUndEnde, BeendenFragtNurBeiGeaendertenEintraegen) {
  struct Fall {
    const char* name;
    std::function<void(GuiTest&)> vorher;
    std::deque<TAntwort> antworten;
    std::deque<std::optional<QString>> namen;
    QStringList erwarteteMeldungen;
    bool gespeichert;
  };
  const QString frage = "Sicherheitsabfrage|Die Datei wurde geändert.\rWollen Sie diese Änderungen speichern?";
  const QString ziel = QString::fromStdString(tmp_.pfad("ende.vem"));
  Fall faelle[] = {
      {"unverändert", [](GuiTest&) {}, {}, {}, {}, false},
      {"Ja, dann abgebrochen", [](GuiTest& t) { t.eintragenOeffentlich(2); }, {TAntwort::Ja}, {std::nullopt}, {frage}, false},
      {"Nein", [](GuiTest& t) { t.eintragenOeffentlich(2); }, {TAntwort::Nein}, {}, {frage}, false},
      {"Ja und gespeichert",
       [](GuiTest& t) { t.eintragenOeffentlich(2); },
       {TAntwort::Ja},
       {ziel},
       {frage, "Hinweis|Die Datei wurde erfolgreich gespeichert!",
        "Hinweis|Die Änderungen wurden gespeichert\rDas Programm wird nun beendet."},
       true},
      {"alles gelöscht",
       [](GuiTest& t) {
         t.eintragenOeffentlich(1);
         Connect->datensatz_loeschen();
       },
       {},
       {},
       {},
       false},
  };
  for (auto& f : faelle) {
    SCOPED_TRACE(f.name);
    std::remove(tmp_.pfad("ende.vem").c_str());
    starten(OHNE_STARTFENSTER);
    anzeigen();
    f.vorher(*this);
    plattform_.meldungen.clear();
    plattform_.antworten = f.antworten;
    plattform_.dateinamen = f.namen;
    EXPECT_TRUE(H().close());
    EXPECT_EQ(plattform_.meldungsTexte(), f.erwarteteMeldungen);
    EXPECT_EQ(dateiExistiertOeffentlich(tmp_.pfad("ende.vem")), f.gespeichert);
    fensterFreigeben();
  }
}

TEST_F(StartUndEnde, BeendenMerktDieAktuelleDatei) {
  starten(OHNE_STARTFENSTER);
  anzeigen();
  Connect->set_filename("/irgendwo/Liste.vem");
  H().close();
  EXPECT_EQ(iniWert("Initiation", "filename"), "/irgendwo/Liste.vem");
}

TEST_F(StartUndEnde, RegistrierteEndungErgaenztDieDateitypen) {
  struct Fall {
    std::string endung;
    int typen;
  } faelle[] = {{".abc", 3}, {".vem", 2}, {"", 2}, {".langeendung", 3}};
  for (const auto& f : faelle) {
    starten("[Optionen]\nvem-dateien_endung=" + f.endung + "\n");
    ASSERT_EQ(H().datei().oeffnenDialog().typen.size(), static_cast<std::size_t>(f.typen)) << f.endung;
    EXPECT_EQ(H().datei().speicherDialog().typen.size(), static_cast<std::size_t>(f.typen));
    if (f.typen == 3 && f.endung == ".abc") {
      EXPECT_EQ(H().datei().oeffnenDialog().typen[2].beschreibung, "abc-Dateien (*.abc)");
      EXPECT_EQ(H().datei().oeffnenDialog().typen[2].muster, "*.abc");
    }
    if (f.endung == ".langeendung") {
      EXPECT_EQ(H().datei().speicherDialog().typen[2].beschreibung, "langeend-Dateien (*.langeendung)");
    }
    fensterFreigeben();
  }
}

TEST_F(StartUndEnde, AktivierungNachNichtModalemFensterAberNichtNachModalem) {
  starten(OHNE_STARTFENSTER);
  anzeigen();
  aktivieren();
  dateiSchreiben(iniPfad_, std::string(OHNE_STARTFENSTER) + "[Ansicht]\r\nquickbuttons=false\r\n");
  // Back from the please-wait window: the settings are applied again.
  Fworking->zeigen();
  Fworking->verbergen();
  QTRY_VERIFY(H().SBQuicksort->isHidden());

  dateiSchreiben(iniPfad_, std::string(OHNE_STARTFENSTER) + "[Ansicht]\r\nquickbuttons=true\r\n");
  QDialog modal(&H());
  modal.setModal(true);
  QTimer::singleShot(0, &modal, [&] { modal.accept(); });
  modal.exec();
  H().activateWindow();
  QApplication::processEvents();
  QTest::qWait(50);
  EXPECT_TRUE(H().SBQuicksort->isHidden());
}

TEST_F(StartUndEnde, ErststartfensterSchliesstPerKlick) {
  starten(OHNE_STARTFENSTER);
  const QStringList zeilen = Ffirststart->Memo1->text().split('\n');
  ASSERT_EQ(zeilen.size(), 22);
  EXPECT_EQ(zeilen[2], "Sie starten (diese Version von) Vemla zum ersten Mal!");
  EXPECT_EQ(zeilen[20], "  ");
  EXPECT_EQ(zeilen[21], " ..klicken Sie nun in dieses Fenster, um es zu schliessen..");
  EXPECT_EQ(Ffirststart->size(), QSize(505, 329));
  EXPECT_EQ(Ffirststart->Memo1->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(Ffirststart->Memo1->palette().color(QPalette::Window), QColor(44, 67, 105));
  Ffirststart->show();
  QTest::mouseClick(Ffirststart->Memo1, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_FALSE(Ffirststart->isVisible());
}

TEST_F(StartUndEnde, SplashSchliesstNachVollemBalken) {
  starten(OHNE_STARTFENSTER);
  FStartbildschirm->timerbar->stop();
  FStartbildschirm->show();
  for (int i = 0; i < 24; ++i) FStartbildschirm->timerbarTimer();
  EXPECT_TRUE(FStartbildschirm->isVisible());
  EXPECT_EQ(FStartbildschirm->loading->value(), 96);
  FStartbildschirm->timerbarTimer();
  EXPECT_FALSE(FStartbildschirm->isVisible());
  // Shown later than that, the next tick closes it at once.
  FStartbildschirm->show();
  FStartbildschirm->timerbarTimer();
  EXPECT_FALSE(FStartbildschirm->isVisible());
}

}  // namespace
