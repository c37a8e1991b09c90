// The search dialog, opened as the main window opens it: the three levels and
// their states after every step, searching each field, the messages, the
// count line, showing a hit, the bold searched field, keys and mouse, what
// survives closing, and a collection at the entry limit.
#include <QFrame>
#include <QGroupBox>
#include <QEnterEvent>
#include <functional>

#include "dialogs/UFSuche.h"
#include "dialogs/UFworking.h"
#include "tests/support/GuiTest.h"

namespace {

const QString KEINE_AUSWAHL =
    "Fehler:|Es wurde keine Auswahl getroffen!\rBitte geben Sie an, wonach Sie suchen wollen!\r"
    "( Interpret, Titel, Label etc...";
const QString KEIN_WERT = "Fehler:|Es wurde kein Wert eingegeben!\rBitte überprüfen Sie Ihre Eingaben!";
const QString SCHADE = "Schade..|Es konnten leider keine Übereinstimmungen gefunden werden!";

class Suche : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
  TFSuche& S() { return *FSuche; }

  // Opens the dialog from the menu and runs "schritte" while it is open.
  void imDialog(const std::function<void()>& schritte) {
    imModalenFenster([this] { H().menue_suche->trigger(); }, schritte);
  }
  void sammlung() {
    struct E {
      const char* f[7];
    } const eintraege[] = {
        {{"The Beatles", "Help", "Parlophone", "1965", "CD - Album (1 CD)", "Beat", "gut"}},
        {{"Die Ärzte", "Jazz ist anders", "Hot Action", "2007", "CD - Album (2 CDs)", "Punk", "beat it"}},
        {{"BEAT Club", "Beat it", "Epic", "1982", "12'' Vinyl - Single (1 Vinyl)", "Pop", ""}},
    };
    for (const E& e : eintraege)
      ASSERT_TRUE(Connect->datensatz_hinzufuegen(e.f[0], e.f[1], e.f[2], e.f[3], e.f[4], e.f[5], e.f[6]));
  }
  // Chooses the field and goes on to level 2.
  void feldWaehlen(int feld) {
    S().cb_suche->setCurrentIndex(feld);
    S().SBsuchoption->click();
  }
  void suchen(const QString& text) {
    S().E_suche->setText(text);
    S().SB_suche->click();
  }
  QStringList treffer() {
    QStringList r;
    for (int i = 0; i < S().ComboBox_Suchergebnis->count(); ++i) r << S().ComboBox_Suchergebnis->itemText(i);
    return r;
  }
  // "an" shown and enabled, "grau" shown and disabled, "weg" hidden, else "gemischt".
  static QString stand(const QList<QWidget*>& ws) {
    QSet<QString> s;
    for (QWidget* w : ws) s << (w->isHidden() ? "weg" : w->isEnabled() ? "an" : "grau");
    return s.size() == 1 ? *s.begin() : "gemischt";
  }
  // The states of the three levels, e.g. "grau/an/weg".
  QString stufen() {
    TFSuche& s = S();
    const QString r = stand({s.Label1, s.cb_suche, s.SBsuchoption}) + "/" +
                      stand({s.L_Suche, s.L_Info, s.E_suche, s.SB_suche, s.SB_back1}) + "/" +
                      stand({s.L_Suchergebnis, s.L_Suchergebnis2, s.L_Auswahl, s.ComboBox_Suchergebnis, s.SB_back2,
                             s.GroupBox});
    EXPECT_FALSE(s.bevel1->isHidden());
    EXPECT_EQ(s.bevel2->isHidden(), s.L_Suche->isHidden()) << "bevel2 gehört zu Stufe 2";
    return r;
  }
  QStringList fett() {
    QStringList r;
    for (QWidget* w : S().findChildren<QWidget*>())
      if (w->font().bold()) r << w->objectName();
    r.sort();
    return r;
  }
  QStringList feldtexte() {
    QStringList r;
    for (QLineEdit* e : S().eingabefelder()) r << e->text();
    return r;
  }
};

const QString L1 = "an/weg/weg", L2 = "grau/an/weg", L3 = "grau/grau/an";

TEST_F(Suche, StufenNachJedemSchritt) {
  sammlung();
  imDialog([&] {
    EXPECT_EQ(stufen(), L1);
    EXPECT_EQ(S().cb_suche->currentIndex(), 0);
    EXPECT_EQ(S().cb_suche->count(), 8);
    S().SBsuchoption->click();  // no field chosen
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{KEINE_AUSWAHL});
    EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Warnung);
    EXPECT_EQ(stufen(), L1);

    feldWaehlen(6);
    EXPECT_EQ(stufen(), L2);
    EXPECT_EQ(S().cb_suche->currentText(), "Genre");
    EXPECT_EQ(S().focusWidget(), S().E_suche);

    S().SB_back1->click();
    EXPECT_EQ(stufen(), L1);
    EXPECT_EQ(S().cb_suche->currentIndex(), 0);  // the chosen field is reset

    feldWaehlen(1);
    suchen("");
    EXPECT_EQ(plattform_.meldungsTexte().last(), KEIN_WERT);
    EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Warnung);
    EXPECT_EQ(stufen(), L2);
    suchen("xyz");
    EXPECT_EQ(plattform_.meldungsTexte().last(), SCHADE);
    EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Keins);
    EXPECT_EQ(stufen(), L2);
    EXPECT_EQ(S().E_suche->text(), "xyz");  // the input stays

    suchen("beat");
    EXPECT_EQ(stufen(), L3);
    EXPECT_EQ(plattform_.meldungen.size(), 3u);
    S().SB_back2->click();
    EXPECT_EQ(stufen(), L2);
    EXPECT_EQ(S().cb_suche->currentText(), "Interpret");  // still chosen and greyed
    EXPECT_EQ(S().E_suche->text(), "beat");
    EXPECT_EQ(S().focusWidget(), S().E_suche);
    suchen("beat");
    EXPECT_EQ(stufen(), L3);
  });
}

TEST_F(Suche, JedesFeld) {
  sammlung();
  struct Fall {
    int feld;
    QString text;
    QStringList treffer;
  } const faelle[] = {
      {1, "beat", {"1", "3"}},      {1, "ärzte", {}},          {1, "Ärzte", {"2"}},
      {1, "Die Ärzte ", {}},        {2, "BEAT", {"3"}},        {2, " beat", {}},
      {3, "o", {"1", "2"}},         {3, "EPIC", {"3"}},        {4, "19", {"1", "3"}},
      {5, "(1 ", {"1", "3"}},       {6, "p", {"2", "3"}},      {6, "Beat", {"1"}},
      {7, "BEAT", {"2"}},           {7, "x", {}},              {7, "gut", {"1"}},
  };
  Connect->file_wasnot_changed();
  const QStringList felder = {"", "interpret", "titel", "label", "release", "typ", "genre", "kommentar"};
  for (const Fall& f : faelle) {
    const std::string wo = std::to_string(f.feld) + " " + f.text.toStdString();
    plattform_.meldungen.clear();
    imDialog([&] {
      feldWaehlen(f.feld);
      suchen(f.text);
      EXPECT_EQ(treffer(), f.treffer) << wo;
      if (f.treffer.isEmpty()) {
        EXPECT_EQ(plattform_.meldungsTexte(), QStringList{SCHADE}) << wo;
        EXPECT_EQ(stufen(), L2) << wo;
        return;
      }
      EXPECT_TRUE(plattform_.meldungen.empty()) << wo;
      EXPECT_EQ(stufen(), L3) << wo;
      EXPECT_EQ(S().L_Suchergebnis2->text(), f.treffer.size() == 1
                                                 ? QString("Es wurde 1 Übereinstimmung gefunden")
                                                 : QString("Es wurden 2 Übereinstimmungen gefunden."))
          << wo;
      EXPECT_EQ(S().ComboBox_Suchergebnis->currentIndex(), -1) << wo;
      EXPECT_EQ(S().GroupBox->title(), "") << wo;
      EXPECT_EQ(feldtexte(), QStringList(7, "")) << wo;
      EXPECT_EQ(fett(), (QStringList{"L_" + felder[f.feld].left(1).toUpper() + felder[f.feld].mid(1),
                                     "e_" + felder[f.feld]}))
          << wo;
    });
  }
  EXPECT_EQ(DatBas->get_anzahl(), 3);
  EXPECT_FALSE(Connect->file_changed());  // searching changes nothing
}

TEST_F(Suche, TrefferAnzeigenUndZaehlzeile) {
  for (int i = 1; i <= 14; ++i)
    ASSERT_TRUE(Connect->datensatz_hinzufuegen(i % 7 == 0 ? "Solo" : "Band " + QString::number(i),
                                               "T" + QString::number(i), "L", "", "", "", "K" + QString::number(i)));
  imDialog([&] {
    feldWaehlen(1);
    suchen("BAND");
    EXPECT_EQ(S().L_Suchergebnis2->text(), "Es wurden 12 Übereinstimmungen gefunden.");
    EXPECT_EQ(treffer(), (QStringList{"1", "2", "3", "4", "5", "6", "8", "9", "10", "11", "12", "13"}));
    S().ComboBox_Suchergebnis->setCurrentIndex(6);
    emit S().ComboBox_Suchergebnis->activated(6);
    EXPECT_EQ(S().GroupBox->title(), " Einzelansicht: Datensatz  8 ");
    EXPECT_EQ(feldtexte(), (QStringList{"Band 8", "T8", "L", "", "", "", "K8"}));
    for (QLineEdit* e : S().eingabefelder()) EXPECT_TRUE(e->isReadOnly());
    // Picking by keyboard in the closed list shows the next hit.
    S().ComboBox_Suchergebnis->setFocus();
    QTest::keyClick(S().ComboBox_Suchergebnis, Qt::Key_Down);
    EXPECT_EQ(S().GroupBox->title(), " Einzelansicht: Datensatz  9 ");

    // Back, the bold marking goes; a new search replaces the hits.
    S().SB_back2->click();
    EXPECT_TRUE(fett().isEmpty());
    suchen("solo");
    EXPECT_EQ(treffer(), (QStringList{"7", "14"}));
    S().SB_back2->click();
    suchen("band 1");
    EXPECT_EQ(treffer(), (QStringList{"1", "10", "11", "12", "13"}));
    S().SB_back2->click();
    S().SB_back1->click();
    feldWaehlen(7);
    suchen("k14");
    EXPECT_EQ(S().L_Suchergebnis2->text(), "Es wurde 1 Übereinstimmung gefunden");
    EXPECT_EQ(fett(), (QStringList{"L_Kommentar", "e_kommentar"}));
  });
}

TEST_F(Suche, LeereSammlungUndLangerSuchtext) {
  // The main window offers no search then; the dialog itself still answers.
  plattform_.fensterSkripte.push_back([&](QDialog&) {
    feldWaehlen(1);
    suchen("a");
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{SCHADE});
  });
  plattform().fensterModal(S());
  ASSERT_TRUE(Connect->datensatz_hinzufuegen(QString(255, 'a'), "t", "", "", "", "", ""));
  imDialog([&] {
    feldWaehlen(1);
    suchen(QString(300, 'A'));  // only the first 255 count
    EXPECT_EQ(treffer(), QStringList{"1"});
  });
}

TEST_F(Suche, EscSchliesstEnterTutNichts) {
  sammlung();
  struct Fall {
    const char* name;
    std::function<QWidget*(TFSuche&)> widget;
    int feld;  // with a hit shown when > 0
  } const faelle[] = {
      {"cb_suche", [](TFSuche& s) { return s.cb_suche; }, 0},
      {"E_suche", [](TFSuche& s) { return s.E_suche; }, -1},
      {"ComboBox_Suchergebnis", [](TFSuche& s) { return s.ComboBox_Suchergebnis; }, 1},
      {"B_close", [](TFSuche& s) { return s.B_close; }, 0},
      {"e_interpret", [](TFSuche& s) { return s.e_interpret; }, 1},
      {"e_titel", [](TFSuche& s) { return s.e_titel; }, 1},
      {"e_label", [](TFSuche& s) { return s.e_label; }, 1},
      {"e_release", [](TFSuche& s) { return s.e_release; }, 1},
      {"e_typ", [](TFSuche& s) { return s.e_typ; }, 1},
      {"e_genre", [](TFSuche& s) { return s.e_genre; }, 1},
      {"e_kommentar", [](TFSuche& s) { return s.e_kommentar; }, 1},
  };
  for (const Fall& f : faelle) {
    plattform_.meldungen.clear();
    imDialog([&] {
      if (f.feld != 0) {
        feldWaehlen(1);
        S().E_suche->setText("beat");
      }
      if (f.feld > 0) {
        S().SB_suche->click();
        emit S().ComboBox_Suchergebnis->activated(0);
      }
      const QString vorher = stufen();
      QWidget* w = f.widget(S());
      w->setFocus();
      QTest::keyClick(w, Qt::Key_Return);
      QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
      EXPECT_TRUE(S().isVisible()) << f.name;
      EXPECT_EQ(stufen(), vorher) << f.name;  // Enter neither searches nor goes on
      EXPECT_TRUE(plattform_.meldungen.empty()) << f.name;
      QTest::keyClick(w, Qt::Key_Escape);
      EXPECT_FALSE(S().isVisible()) << f.name;
    });
  }
}

TEST_F(Suche, SuchtextBleibtUndJedesOeffnenBeginntBeiStufe1) {
  sammlung();
  imDialog([&] {
    feldWaehlen(2);
    tippen(S().E_suche, "Jazz");
    S().SB_suche->click();
    emit S().ComboBox_Suchergebnis->activated(0);
    QTest::mouseClick(S().B_close, Qt::LeftButton);
    EXPECT_FALSE(S().isVisible());
  });
  imDialog([&] {
    EXPECT_EQ(stufen(), L1);
    EXPECT_EQ(S().cb_suche->currentIndex(), 0);
    EXPECT_EQ(S().E_suche->text(), "Jazz");
    EXPECT_TRUE(fett().isEmpty());
    feldWaehlen(2);
    EXPECT_EQ(S().E_suche->text(), "Jazz");
  });
}

TEST_F(Suche, MausUeberSuchtextSetztDenFokus) {
  imDialog([&] {
    S().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&S()));
    feldWaehlen(3);
    S().B_close->setFocus();
    ASSERT_NE(S().focusWidget(), S().E_suche);
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), S().E_suche->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(S().E_suche, &e);
    EXPECT_EQ(S().focusWidget(), S().E_suche);
  });
}

// At the entry limit the please-wait window shows while the search runs.
TEST_F(Suche, VierTausendEintraege) {
  struct Fall {
    int anzahl;
    bool warten;
  } const faelle[] = {{700, false}, {701, true}, {4000, true}};
  for (const Fall& f : faelle) {
    Connect->neue_sammlung();
    for (int i = 1; i <= f.anzahl; ++i)
      DatBas->add_datensatz(datensatzAus("I" + std::to_string(i), i % 1000 == 0 ? "Treffer" : "x", "", "", "", "", ""));
    Connect->liste_neu_aufbauen();
    Connect->anzeigen_aktualisieren();
    ZeigenZaehler beobachter;
    Fworking->installEventFilter(&beobachter);
    imDialog([&] {
      feldWaehlen(2);
      suchen("TREFFER");
      EXPECT_FALSE(Fworking->isVisible());
    });
    Fworking->removeEventFilter(&beobachter);
    EXPECT_EQ(beobachter.gezeigt, f.warten ? 1 : 0) << f.anzahl;
    QStringList erwartet;
    for (int i = 1000; i <= f.anzahl; i += 1000) erwartet << QString::number(i);
    EXPECT_EQ(treffer(), erwartet) << f.anzahl;
  }
}

}  // namespace
