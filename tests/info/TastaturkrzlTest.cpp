// The keyboard shortcut table: its fixed rows, selection, layout and keys.
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <functional>

#include "info/UFTastaturkrzl.h"
#include "tests/support/GuiTest.h"

namespace {

class Tastaturkrzl : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
  TFTastaturkrzl& T() { return *FTastaturkrzl; }
  void imFenster(const std::function<void()>& schritte) {
    imModalenFenster([this] { aktion("Tastaturkrzel1")->trigger(); }, schritte);
  }
};

// Every row of the table as "key|effect"; empty rows as "|".
const QStringList TABELLE = {
    "Tastenkombination|Wirkung",
    "|",
    " Strg + N|neue Datei anlegen",
    " Strg + L|Datei laden",
    " Strg + Alt + L|Datei hinzufügen",
    " Strg + S|Datei speichern",
    " Strg + Alt + S|Datei speichern unter",
    "|",
    " Strg + D|CD-Sammlung drucken",
    "|",
    " Alt + F4|Programm beenden",
    "|",
    " Esc|schließt fast überall das aktuelle Fenster",
    "|",
    " Strg + H|Report  [ Export: HTML-Datei (*.html) ]",
    " Strg + T|Report  [ Export: Textdatei (*.txt) ]",
    " Strg + X|Report  [ Export: Excel-Dokument (*.xl) ]",
    " Strg + I|Report  [ Export: Excel-Dokument (*.dif) ]",
    "|",
    " F2|neuen Datensatz einfügen",
    " F4|markierten Datensatz löschen",
    " F5|markierten Datensatz ändern",
    "|",
    " F3|Suche",
    "|",
    " Strg + Alt + A|markierten Datensatz nach oben verschieben",
    " Strg + Alt + Y|markierten Datensatz nach unten verschieben",
    "|",
    " F6|nach Interpret sortieren (aufsteigend)",
    " F7|nach Titel sortieren (aufsteigend)",
    "|",
    " Strg + F6|nach Interpret sortieren (absteigend)",
    " Strg + F7|nach Titel sortieren (absteigend)",
    "|",
    " F8|Gesamtansicht",
    "|",
    " Umsch + F3|Internetsuche",
    "|",
    " F9|Einstellungen",
    "|",
    " F12|Programminformationen",
    "|",
    " Strg + Alt + U|Updateüberprüfung",
    "|",
    " Strg + Alt + T|Tastaturkürzel (dieses Fenster)",
    "|",
    " F1|Hilfe",
    "|",
    " Strg + F3|CD online nachschlagen",
    "|",
    " Strg + Z|Rückgängig",
    " Strg + Y|Wiederherstellen",
    " Strg + Umsch + Z|Wiederherstellen",
    "|",
    " Strg + F8|Statistik",
    "|",
    " Strg + F5|Sammlerangaben",
    " Strg + Alt + V|Verliehen",
};

TEST_F(Tastaturkrzl, ZweimalGeoeffnetDieselbeTabelle) {
  for (int mal = 0; mal < 2; ++mal) {
    imFenster([&] {
      QStringList zeilen;
      for (int z = 0; z < TFTastaturkrzl::ZEILEN; ++z) zeilen << T().zelle(0, z) + "|" + T().zelle(1, z);
      EXPECT_EQ(zeilen, TABELLE);
      EXPECT_EQ(T().SGTastaturkrzl->rowCount() + 1, 58);  // the header row is the table's own header
      EXPECT_EQ(T().SGTastaturkrzl->columnCount(), 2);
      // No shortcut is highlighted: the selection is on the empty row 1.
      EXPECT_EQ(T().SGTastaturkrzl->currentRow(), 0);
      const auto markiert = T().SGTastaturkrzl->selectedItems();
      for (QTableWidgetItem* i : markiert) EXPECT_EQ(i->text(), "");
      EXPECT_EQ(markiert.size(), 2);  // the whole row
    });
  }
  EXPECT_EQ(plattform_.modaleFenster, (std::vector<QString>{"FTastaturkrzl", "FTastaturkrzl"}));
}

TEST_F(Tastaturkrzl, Aussehen) {
  imFenster([&] {
    EXPECT_EQ(T().windowTitle(), "Tastaturkürzel:");
    QTableWidget* g = T().SGTastaturkrzl;
    EXPECT_EQ(g->columnWidth(0), 125);
    EXPECT_EQ(g->columnWidth(1), 260);
    EXPECT_EQ(g->rowHeight(5), 20);
    EXPECT_FALSE(g->showGrid());
    EXPECT_EQ(g->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(g->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(g->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(g->verticalHeader()->isHidden());
    EXPECT_EQ(T().BitBtn1->text(), "Fenster schliessen");
    EXPECT_EQ(T().BitBtn1->font().family(), SCHRIFT_VERDANA);
    // Scrolling moves the rows under the header, which stays.
    const int kopfOben = g->horizontalHeader()->y();
    g->scrollToBottom();
    EXPECT_GT(g->verticalScrollBar()->value(), 0);
    EXPECT_EQ(g->horizontalHeader()->y(), kopfOben);
  });
}

TEST_F(Tastaturkrzl, EscUndKnopfSchliessen) {
  struct Fall {
    const char* wie;
    std::function<void(TFTastaturkrzl&)> schliessen;
  } const faelle[] = {
      {"Esc im Raster", [](TFTastaturkrzl& t) { QTest::keyClick(t.SGTastaturkrzl, Qt::Key_Escape); }},
      {"Esc auf dem Knopf", [](TFTastaturkrzl& t) { QTest::keyClick(t.BitBtn1, Qt::Key_Escape); }},
      {"Klick", [](TFTastaturkrzl& t) { QTest::mouseClick(t.BitBtn1, Qt::LeftButton); }},
  };
  for (const Fall& f : faelle) {
    imFenster([&] {
      QTest::keyClick(T().SGTastaturkrzl, Qt::Key_Down);  // other keys only move the selection
      EXPECT_TRUE(T().isVisible()) << f.wie;
      f.schliessen(T());
      EXPECT_FALSE(T().isVisible()) << f.wie;
    });
  }
}

}  // namespace
