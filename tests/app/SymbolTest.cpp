// Symbols and pictures of windows that are created at the start but seldom
// opened are made when the window is first shown, and are there once it is.
#include <QLabel>
#include <QToolButton>

#include "app/UFHaupt.h"
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
  auto knopfVon = [this](const char* fenster, const char* name) {
    QToolButton* k = finde(fenster)->findChild<QToolButton*>(name);
    EXPECT_NE(k, nullptr) << name;
    return k;
  };
  for (const auto& f : faelle) {
    QToolButton* knopf = knopfVon(f.fenster, f.knopf);
    ASSERT_NE(knopf, nullptr);
    EXPECT_TRUE(knopf->icon().isNull()) << f.knopf << " vor dem Zeigen";
  }
  for (const auto& f : faelle) {
    QToolButton* knopf = knopfVon(f.fenster, f.knopf);
    finde(f.fenster)->show();
    EXPECT_FALSE(knopf->icon().isNull()) << f.knopf;
    finde(f.fenster)->hide();
    // Shown again: still the one symbol.
    const qint64 symbol = knopf->icon().cacheKey();
    finde(f.fenster)->show();
    EXPECT_EQ(knopf->icon().cacheKey(), symbol) << f.knopf;
    finde(f.fenster)->hide();
  }
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
