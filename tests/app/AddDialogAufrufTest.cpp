// The main window opens the add-entry dialog from its three places, and what
// is typed there arrives in the main window's list.
#include <functional>

#include "dialogs/UF_add.h"
#include "tests/support/GuiTest.h"

namespace {

class AddDialogAufruf : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
};

TEST_F(AddDialogAufruf, DreiWegeOeffnenDenDialog) {
  struct Fall {
    const char* weg;
    int eintraege;  // the commands work on an empty and on a filled collection
    std::function<void()> ausloesen;
  } const faelle[] = {
      {"F2", 0, [this] { QTest::keyClick(H().listbox, Qt::Key_F2); }},
      {"F2", 3, [this] { QTest::keyClick(H().listbox, Qt::Key_F2); }},
      {"b_add", 0, [this] { QTest::mouseClick(H().b_add, Qt::LeftButton); }},
      {"b_add", 3, [this] { QTest::mouseClick(H().b_add, Qt::LeftButton); }},
      {"neuerEintrag2", 0, [this] { aktion("neuerEintrag2")->trigger(); }},
      {"neuerEintrag2", 3, [this] { aktion("neuerEintrag2")->trigger(); }},
  };
  for (const Fall& f : faelle) {
    Connect->neue_sammlung();
    eintragen(f.eintraege);
    aktivieren();
    plattform_.modaleFenster.clear();
    bool offen = false;
    plattform_.fensterSkripte.push_back([&offen](QDialog& d) { offen = d.isVisible(); });
    f.ausloesen();
    EXPECT_EQ(plattform_.modaleFenster, std::vector<QString>{"F_add"}) << f.weg << " " << f.eintraege;
    EXPECT_TRUE(offen) << f.weg;
    EXPECT_FALSE(F_add->isVisible()) << f.weg;
    EXPECT_EQ(DatBas->get_anzahl(), f.eintraege) << f.weg;  // opening alone adds nothing
  }
}

TEST_F(AddDialogAufruf, EingetippterEintragErscheintInDerListe) {
  eintragen({{"Beatles", "Help"}});
  Connect->file_wasnot_changed();
  aktivieren();
  plattform_.fensterSkripte.push_back([](QDialog&) {
    tippen(F_add->e_interpret, "Ärzte");
    tippen(F_add->e_titel, "Jazz ist anders");
    tippen(F_add->e_genre, "Punk");
    QTest::keyClick(F_add->e_genre, Qt::Key_Return);
  });
  QTest::keyClick(H().listbox, Qt::Key_F2);
  EXPECT_EQ(listenzeilen(), (QStringList{"Beatles - Help", "Ärzte - Jazz ist anders"}));
  EXPECT_EQ(H().listbox->markiert(), 1);
  EXPECT_EQ(H().e_genre->text(), "Punk");
  EXPECT_EQ(H().L_anzahl->text(), "2");
  EXPECT_TRUE(Connect->file_changed());
}

}  // namespace
