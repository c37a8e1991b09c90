// Colours as the settings file names them.
#include <gtest/gtest.h>

#include "app/UFarbnamen.h"
#include "tests/support/GuiTest.h"

namespace {

TEST(Farbnamen, SchreibenUndLesen) {
  struct Fall {
    QColor farbe;
    QString name;
  } const faelle[] = {
      {QColor(), "clWindowText"},          {QColor(0, 0, 0), "clBlack"},
      {QColor(0x80, 0, 0), "clMaroon"},    {QColor(0, 0x80, 0), "clGreen"},
      {QColor(0x80, 0x80, 0), "clOlive"},  {QColor(0, 0, 0x80), "clNavy"},
      {QColor(0x80, 0, 0x80), "clPurple"}, {QColor(0, 0x80, 0x80), "clTeal"},
      {QColor(0x80, 0x80, 0x80), "clGray"}, {QColor(0xC0, 0xC0, 0xC0), "clSilver"},
      {QColor(0xFF, 0, 0), "clRed"},       {QColor(0, 0xFF, 0), "clLime"},
      {QColor(0xFF, 0xFF, 0), "clYellow"}, {QColor(0, 0, 0xFF), "clBlue"},
      {QColor(0xFF, 0, 0xFF), "clFuchsia"}, {QColor(0, 0xFF, 0xFF), "clAqua"},
      {QColor(0xFF, 0xFF, 0xFF), "clWhite"}, {QColor(0x12, 0x34, 0x56), "$00563412"},
      {QColor(0xAB, 0xCD, 0xEF), "$00EFCDAB"}, {QColor(1, 0, 0), "$00000001"},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(farbName(f.farbe), f.name);
    QColor gelesen(1, 2, 3);
    ASSERT_TRUE(farbeLesen(f.name.toStdString(), gelesen)) << f.name.toStdString();
    EXPECT_EQ(gelesen, f.farbe) << f.name.toStdString();
  }
}

TEST(Farbnamen, AndereSchreibweisenUndUnsinn) {
  struct Fall {
    std::string text;
    bool ok;
    QColor farbe;
  } const faelle[] = {
      {"CLRED", true, QColor(255, 0, 0)},   {"clwindowtext", true, QColor()},
      {"255", true, QColor(255, 0, 0)},     {"$FF0000", true, QColor(0, 0, 255)},
      {"0x00008000", true, QColor(0, 128, 0)}, {"", false, {}},
      {"clRot", false, {}},                 {"clRedx", false, {}},
      {"$80000008", false, {}},             {"-1", false, {}},
      {"$1000000", false, {}},              {"12abc", false, {}},
  };
  for (const Fall& f : faelle) {
    QColor c(1, 2, 3);
    EXPECT_EQ(farbeLesen(f.text, c), f.ok) << f.text;
    EXPECT_EQ(c, f.ok ? f.farbe : QColor(1, 2, 3)) << f.text;  // left as it was when unknown
  }
}

}  // namespace
