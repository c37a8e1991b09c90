// The main window opens the search dialog, the overall overview and the
// keyboard shortcut table from every one of their places.
#include <functional>

#include "dialogs/UFSuche.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFUebersicht.h"
#include "info/UFTastaturkrzl.h"
#include "net/UFInternetZugriff.h"
#include "tests/support/GuiTest.h"

namespace {

class FensterAufruf : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
};

TEST_F(FensterAufruf, JederWegOeffnetSeinFenster) {
  struct Fall {
    const char* weg;
    std::function<void()> ausloesen;
    const char* fenster;
    QString leerMeldung;  // with an empty collection: this box, or nothing opens (empty text)
    bool leerOffen;       // the window opens also with an empty collection
  } const faelle[] = {
      {"F3", [this] { QTest::keyClick(H().listbox, Qt::Key_F3); }, "FSuche", "", false},
      {"menue_suche", [this] { aktion("menue_suche")->trigger(); }, "FSuche", "", false},
      {"popupmenue_suche", [this] { aktion("popupmenue_suche")->trigger(); }, "FSuche", "", false},
      {"SBQuicksearch", [this] { H().SBQuicksearch->click(); }, "FSuche",
       "Fehler_|Diese Option ist z.Z. nicht verfügbar", false},
      {"F8", [this] { QTest::keyClick(H().e_kommentar, Qt::Key_F8); }, "FUebersicht", "", false},
      {"menue_gesamtbersicht1", [this] { aktion("menue_gesamtbersicht1")->trigger(); },
       "FUebersicht", "", false},
      {"SBQuicktab", [this] { H().SBQuicktab->click(); }, "FUebersicht",
       "Fehler:|Diese Option ist z.Z. nicht verfügbar", false},
      {"Strg+Alt+T", [this] { QTest::keyClick(H().listbox, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier); },
       "FTastaturkrzl", "", true},
      {"Tastaturkrzel1", [this] { aktion("Tastaturkrzel1")->trigger(); }, "FTastaturkrzl", "", true},
  };
  for (const Fall& f : faelle) {
    for (int eintraege : {0, 3}) {
      Connect->neue_sammlung();
      eintragen(eintraege);
      aktivieren();
      plattform_.modaleFenster.clear();
      plattform_.meldungen.clear();
      bool offen = false;
      plattform_.fensterSkripte.clear();
      plattform_.fensterSkripte.push_back([&offen](QDialog& d) { offen = d.isVisible(); });
      f.ausloesen();
      const bool erwartetOffen = eintraege > 0 || f.leerOffen;
      EXPECT_EQ(plattform_.modaleFenster,
                erwartetOffen ? std::vector<QString>{f.fenster} : std::vector<QString>{})
          << f.weg << " " << eintraege;
      EXPECT_EQ(offen, erwartetOffen) << f.weg;
      const QStringList meldungen =
          eintraege == 0 && !f.leerMeldung.isEmpty() ? QStringList{f.leerMeldung} : QStringList{};
      EXPECT_EQ(plattform_.meldungsTexte(), meldungen) << f.weg << " " << eintraege;
      EXPECT_EQ(DatBas->get_anzahl(), eintraege) << f.weg;
    }
  }
  EXPECT_FALSE(FSuche->isVisible());
  EXPECT_FALSE(FUebersicht->isVisible());
  EXPECT_FALSE(FTastaturkrzl->isVisible());
}

// Every window but the main window is an empty shell until it is first shown;
// the controls built then stay for every later opening.
TEST_F(FensterAufruf, FensterBauenSichBeimErstenZeigenAufUndBehaltenIhrenInhalt) {
  eintragen(3);
  aktivieren();
  struct Fall {
    QDialog* fenster;
    std::function<void()> oeffnen;
  } const faelle[] = {
      {FSuche, [this] { aktion("menue_suche")->trigger(); }},
      {F_add, [this] { H().b_add->click(); }},
      {FTastaturkrzl, [this] { aktion("Tastaturkrzel1")->trigger(); }},
      {FInternetZugriff, [this] { aktion("Internetsuche1")->trigger(); }},
  };
  for (const Fall& f : faelle) {
    const std::string name = f.fenster->objectName().toStdString();
    EXPECT_TRUE(f.fenster->findChildren<QWidget*>().isEmpty()) << name;
    f.oeffnen();
    const QList<QWidget*> kinder = f.fenster->findChildren<QWidget*>();
    EXPECT_GT(kinder.size(), 2) << name;
    f.oeffnen();
    EXPECT_EQ(f.fenster->findChildren<QWidget*>(), kinder) << name;
  }
  EXPECT_EQ(plattform_.modaleFenster, (std::vector<QString>{"FSuche", "FSuche", "F_add", "F_add", "FTastaturkrzl",
                                                            "FTastaturkrzl", "FInternetZugriff", "FInternetZugriff"}));
}

}  // namespace
