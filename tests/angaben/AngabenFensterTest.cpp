// The collector's details and the loans as a user meets them: fields edited
// and applied one step each, the marking moved from the window, input refused,
// and the list of lent entries with its overdue ones first.
#include <QMenu>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "angaben/fenster/UFSammlerangaben.h"
#include "angaben/fenster/UFVerliehen.h"
#include "angaben/fenster/USterne.h"
#include "tests/support/GuiTest.h"

namespace {

class AngabenFenster : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
    eintragen({{"ABBA", "Gold"}, {"Queen", "Jazz"}, {"Can", "Tago Mago"}, {"Blümchen", "Herz"}});
    H().show();
  }
  // Opens the window from the menu; "schritte" run while it is shown and active.
  void imFenster(const char* befehl, QDialog* f, const std::function<void()>& schritte) {
    imModalenFenster([&] { aktion(befehl)->trigger(); }, [&] {
      f->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(f));
      schritte();
    });
  }
  TFSammlerangaben& S() { return *FSammlerangaben; }
  static void neuTippen(QLineEdit* e, const QString& text) {
    e->setFocus(Qt::TabFocusReason);
    e->clear();
    tippen(e, text);
  }
  void verleihen(int pos, const char* an, const char* bis) {
    TAngaben a = Connect->angaben(pos);
    a.verliehenAn = an;
    a.verliehenSeit = "2020-03-01";
    a.zurueckBis = bis;
    Connect->angabenAendern(pos, a);
  }
  QString verliehenText() {
    emit finde<QMenu>("menue_gesamtbersicht_menue")->aboutToShow();
    return aktion("menue_verliehen")->text();
  }
  static QStringList zeilen(const QTreeWidget* l) {
    QStringList z;
    for (int i = 0; i < l->topLevelItemCount(); ++i) {
      QStringList spalten;
      for (int s = 0; s < l->columnCount(); ++s) spalten << l->topLevelItem(i)->text(s);
      z << spalten.join("|");
    }
    return z;
  }
};

TEST_F(AngabenFenster, FelderEinzelnUebernommenUndBlaettern) {
  EXPECT_EQ(aktion("menue_sammlerangaben")->shortcut(), QKeySequence("Ctrl+F5"));
  markieren(1);
  imFenster("menue_sammlerangaben", FSammlerangaben, [&] {
    EXPECT_EQ(S().windowTitle(), "Vemla - Sammlerangaben");
    EXPECT_EQ(S().L_eintrag->text(), "Queen - Jazz");
    EXPECT_EQ(S().combobox_zustandTontraeger->count(), 9);  // empty and eight grades
    EXPECT_EQ(S().combobox_zustandHuelle->itemText(11), "nicht bewertet");
    EXPECT_EQ(S().combobox_zustandTontraeger->itemData(1, Qt::ToolTipRole), "Mint: neuwertig, ungespielt");
    neuTippen(S().e_standort, "Regal 3");
    neuTippen(S().e_preis, "12,5");  // the shelf applied as the focus left it
    EXPECT_EQ(Connect->angaben(2).standort, "Regal 3");
    neuTippen(S().e_gekauftAm, "1.2.2024");
    EXPECT_EQ(S().e_preis->text(), "12,50");  // shown as kept
    taste(S().e_gekauftAm, Qt::Key_PageDown);  // the date applied before the marking moves
    EXPECT_EQ(H().listbox->currentRow(), 2);
    EXPECT_EQ(S().L_eintrag->text(), "Can - Tago Mago");
    EXPECT_EQ(S().e_standort->text(), "");
    S().combobox_zustandHuelle->setFocus(Qt::TabFocusReason);
    S().combobox_zustandHuelle->setCurrentIndex(3);  // VG+
    taste(S().e_bewertung, Qt::Key_4);
    S().e_notizen->setFocus(Qt::TabFocusReason);
    S().e_notizen->setPlainText(QString(300, QChar(u'ä')));
    taste(S().e_notizen, Qt::Key_Escape);  // applies the notes, then closes
    EXPECT_FALSE(S().isVisible());
  });
  EXPECT_EQ(Connect->angaben(2).preisCent, 1250);
  EXPECT_EQ(Connect->angaben(2).gekauftAm, "2024-02-01");
  TAngaben a = Connect->angaben(3);
  EXPECT_EQ(a.zustandHuelle, TZustand::VGplus);
  EXPECT_EQ(a.bewertung, 4);
  EXPECT_EQ(a.notizen, QString(300, QChar(u'ä')).toStdString());
  EXPECT_EQ(Connect->rueckgaengig_name(), "Sammlerangaben ändern");
  // Each field was one step: undo takes back the notes alone, then the rating.
  Connect->rueckgaengig();
  EXPECT_EQ(Connect->angaben(3).notizen, "");
  EXPECT_EQ(Connect->angaben(3).bewertung, 4);
  Connect->rueckgaengig();
  EXPECT_EQ(Connect->angaben(3).bewertung, 0);
  EXPECT_EQ(Connect->angaben(3).zustandHuelle, TZustand::VGplus);
  Connect->rueckgaengig();
  Connect->rueckgaengig();
  EXPECT_EQ(Connect->angaben(2).gekauftAm, "");
  EXPECT_EQ(Connect->angaben(2).preisCent, 1250);
  Connect->rueckgaengig();
  EXPECT_EQ(Connect->angaben(2).preisCent, std::nullopt);
  EXPECT_EQ(Connect->angaben(2).standort, "Regal 3");
  EXPECT_TRUE(Connect->angaben(1).leer());
}

TEST_F(AngabenFenster, UngueltigeEingabeBehaeltDenFokus) {
  struct Fall {
    const char* feld;
    const char* text;
  } faelle[] = {{"e_gekauftAm", "31.02.2020"}, {"e_preis", "-3"}, {"e_zurueckBis", "2020-01-01"}};
  markieren(0);
  imFenster("menue_sammlerangaben", FSammlerangaben, [&] {
    for (const Fall& f : faelle) {
      auto* e = S().findChild<QLineEdit*>(f.feld);
      neuTippen(e, f.text);
      S().e_standort->setFocus(Qt::TabFocusReason);
      EXPECT_EQ(QApplication::focusWidget(), e) << f.feld;
      S().b_naechster->click();
      EXPECT_EQ(H().listbox->currentRow(), 0) << f.feld;
      ASSERT_EQ(plattform_.meldungen.size(), 2u) << f.feld;
      EXPECT_EQ(plattform_.meldungen[0].titel, "Fehler:");
      EXPECT_EQ(plattform_.meldungen[0].symbol, TSymbol::Warnung);
      plattform_.meldungen.clear();
      e->clear();
    }
    neuTippen(S().e_gekauftAm, "1.2.2020");
    S().b_naechster->click();
  });
  EXPECT_EQ(Connect->angaben(1).gekauftAm, "2020-02-01");
  EXPECT_EQ(H().listbox->currentRow(), 1);
  EXPECT_TRUE(Connect->angaben(2).leer());
}

TEST_F(AngabenFenster, VerliehenUeberfaelligeZuerst) {
  EXPECT_EQ(verliehenText(), "&Verliehen...");
  verleihen(1, "Anna", "9998-01-01");
  verleihen(3, "Bernd", "2001-05-01");
  verleihen(4, "Carla", "2000-01-01");
  TAngaben a = Connect->angaben(4);
  a.standort = "Kiste";
  Connect->angabenAendern(4, a);
  EXPECT_EQ(verliehenText(), "&Verliehen (2 überfällig)...");
  EXPECT_EQ(aktion("menue_verliehen")->shortcut(), QKeySequence("Ctrl+Alt+V"));

  imFenster("menue_verliehen", FVerliehen, [&] {
    QTreeWidget* l = FVerliehen->LV_verliehen;
    EXPECT_EQ(FVerliehen->windowTitle(), "Vemla - Verliehen");
    EXPECT_EQ(zeilen(l), (QStringList{"Blümchen - Herz|Carla|01.03.2020|01.01.2000|überfällig",
                                      "Can - Tago Mago|Bernd|01.03.2020|01.05.2001|überfällig",
                                      "ABBA - Gold|Anna|01.03.2020|01.01.9998|"}));
    FVerliehen->B_zurueckgegeben->click();  // the first line is chosen
    EXPECT_EQ(zeilen(l).size(), 2);
    EXPECT_EQ(verliehenText(), "&Verliehen (1 überfällig)...");
    l->setCurrentItem(l->topLevelItem(1));
    taste(l, Qt::Key_Return);
    EXPECT_FALSE(FVerliehen->isVisible());
  });
  EXPECT_EQ(H().listbox->currentRow(), 0);
  a.verliehenAn = a.verliehenSeit = a.zurueckBis = "";
  EXPECT_EQ(Connect->angaben(4), a);
  Connect->rueckgaengig();  // the return was one step
  EXPECT_EQ(Connect->angaben(4).verliehenAn, "Carla");
  EXPECT_EQ(verliehenText(), "&Verliehen (2 überfällig)...");
}

}  // namespace
