// Symbols and pictures of windows that are created at the start but seldom
// opened are made when the window is first shown, and are there once it is;
// the main window's symbols are fetched when they are first drawn.
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "app/UFHaupt.h"
#include "app/UFStartbildschirm.h"
#include "app/UGlobal.h"
#include "tests/support/GuiTest.h"

namespace {

class SymbolTest : public GuiTest {};

TEST_F(SymbolTest, KnoepfeBekommenIhrSymbolBeimErstenZeigen) {
  starten();
  const struct {
    const char* fenster;
    const char* knopf;
  } faelle[] = {{"FSuche", "SBsuchoption"}, {"FInternetZugriff", "SBInterpret"},
                {"FInternetZugriff", "SBTitel"}, {"FAutopatcher", "SBgo"},
                {"FAutopatcher", "SBclose"}, {"Fexporthtml", "SBblau"}};
  for (const auto& f : faelle) {
    // A window still to be built has no buttons yet; one that is built shows no symbol yet.
    QToolButton* knopf = finde(f.fenster)->findChild<QToolButton*>(f.knopf);
    if (knopf) {
      EXPECT_TRUE(knopf->icon().isNull()) << f.knopf << " vor dem Zeigen";
    }
  }
  for (const auto& f : faelle) {
    finde(f.fenster)->show();
    QToolButton* knopf = finde(f.fenster)->findChild<QToolButton*>(f.knopf);
    ASSERT_NE(knopf, nullptr) << f.knopf;
    EXPECT_FALSE(knopf->icon().isNull()) << f.knopf;
    finde(f.fenster)->hide();
    // Shown again: still the one symbol.
    const qint64 symbol = knopf->icon().cacheKey();
    finde(f.fenster)->show();
    EXPECT_EQ(knopf->icon().cacheKey(), symbol) << f.knopf;
    finde(f.fenster)->hide();
  }
}

// The main window's buttons fetch their symbols when first drawn, and draw the
// very pictures of the style's symbols, at every size the buttons use.
TEST_F(SymbolTest, HauptfensterSymboleSindDieDesStils) {
  starten();
  const struct {
    const char* knopf;
    QStyle::StandardPixmap symbol;
  } faelle[] = {{"SB_AG_Interpret", QStyle::SP_FileDialogContentsView}, {"B_loadandadd", QStyle::SP_FileDialogNewFolder},
                {"SBquicksave", QStyle::SP_DialogSaveButton},         {"SBminview", QStyle::SP_TitleBarShadeButton},
                {"SBQuickprint", QStyle::SP_FileIcon},                {"SBQuicksort", QStyle::SP_ArrowDown},
                {"SBQuickreport", QStyle::SP_FileDialogDetailedView}, {"SBQuicktab", QStyle::SP_FileDialogListView}};
  for (const auto& f : faelle) {
    QToolButton* knopf = H().findChild<QToolButton*>(f.knopf);
    ASSERT_NE(knopf, nullptr) << f.knopf;
    const QIcon stil = knopf->style()->standardIcon(f.symbol);
    EXPECT_FALSE(knopf->icon().isNull()) << f.knopf;
    for (int groesse : {16, 22, 32}) {
      EXPECT_EQ(knopf->icon().actualSize(QSize(groesse, groesse)), stil.actualSize(QSize(groesse, groesse)))
          << f.knopf << " " << groesse;
      EXPECT_EQ(knopf->icon().pixmap(groesse).toImage(), stil.pixmap(groesse).toImage()) << f.knopf << " " << groesse;
      EXPECT_EQ(knopf->icon().pixmap(groesse, QIcon::Disabled).toImage(), stil.pixmap(groesse, QIcon::Disabled).toImage())
          << f.knopf << " " << groesse;
    }
  }
}

TEST_F(SymbolTest, StartbildBeimErstenZeigen) {
  starten();
  QLabel* bild = finde<QWidget>("FStartbildschirm")->findChild<QLabel*>("Image1");
  ASSERT_NE(bild, nullptr);
  EXPECT_TRUE(bild->pixmap().isNull());
  FStartbildschirm->timerbar->stop();
  FStartbildschirm->show();
  EXPECT_EQ(bild->pixmap().toImage(), vemlaLogo().toImage());
  FStartbildschirm->hide();
}

TEST_F(SymbolTest, AutoUpdateBildBeimErstenZeigen) {
  starten();
  QLabel* bild = finde<QWidget>("FAutopatcher")->findChild<QLabel*>("Image1");
  ASSERT_NE(bild, nullptr);
  EXPECT_TRUE(bild->pixmap().isNull());
  finde("FAutopatcher")->show();
  EXPECT_EQ(bild->pixmap().size(), QSize(bild->width(), bild->height()));
  EXPECT_FALSE(bild->pixmap().toImage().allGray());  // the coloured picture, not an empty one
  finde("FAutopatcher")->hide();
}

}  // namespace
