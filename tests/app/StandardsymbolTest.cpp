// The tool buttons' symbols are read without the icon theme only where the
// theme's cache shows that it has none of them; a theme that has one, or whose
// cache cannot tell, gives its own picture as the style does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include "app/UStandardsymbol.h"
#include "tests/support/TempOrdner.h"

namespace {

void u32(QByteArray& b, quint32 wert) {
  char teil[4];
  qToBigEndian(wert, teil);
  b.append(teil, 4);
}
void setzen(QByteArray& b, int stelle, quint32 wert) { qToBigEndian(wert, b.data() + stelle); }

// A name, ended and padded to a whole number of words as in a cache.
QByteArray wortweise(QByteArray text) {
  text.append('\0');
  while (text.size() % 4) text.append('\0');
  return text;
}

// An icon cache of one folder naming "namen", all in one chain.
QByteArray iconCache(const QList<QByteArray>& namen, const QByteArray& ordner) {
  QByteArray b;
  u32(b, 0x00010000);
  u32(b, 12);
  u32(b, 0);  // folder list, set below
  u32(b, 1);
  u32(b, namen.isEmpty() ? 0xffffffff : 20);
  for (int i = 0; i < namen.size(); ++i) {
    const int eintrag = static_cast<int>(b.size());
    u32(b, i + 1 < namen.size() ? eintrag + 24 + static_cast<quint32>(wortweise(namen[i]).size()) : 0xffffffff);
    u32(b, eintrag + 24);  // name
    u32(b, eintrag + 12);  // its pictures: one PNG in folder 0
    u32(b, 1);
    u32(b, 0x00000004);
    u32(b, 0);
    b.append(wortweise(namen[i]));
  }
  setzen(b, 8, static_cast<quint32>(b.size()));
  u32(b, 1);
  u32(b, static_cast<quint32>(b.size() + 4));
  b.append(wortweise(ordner));
  return b;
}

void schreiben(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

class Standardsymbol : public ::testing::Test {
 protected:
  void SetUp() override {
    suchpfade_ = QIcon::themeSearchPaths();
    thema_ = QIcon::themeName();
    ordner_ = QString::fromStdString(tmp_.pfad("hicolor"));
    ASSERT_TRUE(QDir().mkpath(ordner_ + "/16x16/actions"));
    schreiben(ordner_ + "/index.theme",
              "[Icon Theme]\nName=Hicolor\nDirectories=16x16/actions\n\n[16x16/actions]\nSize=16\nType=Fixed\n");
    QImage rot(16, 16, QImage::Format_ARGB32);
    rot.fill(Qt::red);
    rot.save(ordner_ + "/16x16/actions/document-save.png");
    QImage blau(16, 16, QImage::Format_ARGB32);
    blau.fill(Qt::blue);
    blau.save(ordner_ + "/16x16/actions/document.png");
  }
  void TearDown() override {
    QIcon::setThemeSearchPaths(suchpfade_);
    QIcon::setThemeName(thema_);
  }
  void themaAktivieren() {
    QIcon::setThemeSearchPaths({QString::fromStdString(tmp_.pfad())});
    QIcon::setThemeName("hicolor");
  }

  TempOrdner tmp_;
  QString ordner_;
  QStringList suchpfade_;
  QString thema_;
};

TEST_F(Standardsymbol, WieDerStilMitUndOhneSymbolImThema) {
  const QStyle& stil = *QApplication::style();
  ASSERT_STREQ(stil.metaObject()->className(), "QFusionStyle");
  const struct {
    const char* fall;
    QList<QByteArray> imCache;
    bool cacheVeraltet;
    QColor bildDesThemas;  // none: the style's own picture
  } faelle[] = {
      {"im Cache", {"folder-new", "document-save"}, false, Qt::red},
      {"nicht im Cache", {"folder-new"}, false, QColor()},
      {"kürzere Form im Cache", {"folder-new", "document"}, false, Qt::blue},
      {"veralteter Cache", {}, true, Qt::red},
  };
  for (const auto& f : faelle) {
    schreiben(ordner_ + "/icon-theme.cache", iconCache(f.imCache, "16x16/actions"));
    if (f.cacheVeraltet) {
      QFile cache(ordner_ + "/icon-theme.cache");
      ASSERT_TRUE(cache.open(QIODevice::ReadWrite));
      cache.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    }
    themaAktivieren();
    const QImage eigen = standardsymbol(stil, QStyle::SP_DialogSaveButton).pixmap(16).toImage();
    const QImage vomStil = stil.standardIcon(QStyle::SP_DialogSaveButton).pixmap(16).toImage();
    EXPECT_EQ(eigen, vomStil) << f.fall;
    if (f.bildDesThemas.isValid()) {
      EXPECT_EQ(eigen.pixelColor(8, 8), f.bildDesThemas) << f.fall;
    } else {
      EXPECT_NE(eigen.pixelColor(8, 8), QColor(Qt::red)) << f.fall;
      EXPECT_NE(eigen.pixelColor(8, 8), QColor(Qt::blue)) << f.fall;
    }
  }
}

TEST_F(Standardsymbol, BeschaedigterCacheSagtNichts) {
  const QByteArray gut = iconCache({"folder-new", "document-save"}, "16x16/actions");
  QByteArray kreis = gut;
  setzen(kreis, 20 + 24 + 12, 20);  // the second entry leads back to the first
  QByteArray ausserhalb = gut;
  setzen(ausserhalb, 16, 0x7ffffff0);
  QByteArray schief = gut;
  setzen(schief, 16, 21);
  const struct {
    const char* fall;
    QByteArray inhalt;
  } faelle[] = {{"leer", ""}, {"abgeschnitten", gut.left(30)}, {"Kette im Kreis", kreis},
                {"Stelle ausserhalb", ausserhalb},
                {"Stelle nicht auf einem Wort", schief}};
  schreiben(ordner_ + "/icon-theme.cache", gut);
  EXPECT_EQ(imSymbolCache(ordner_, "document-save"), std::optional<bool>(true));
  EXPECT_EQ(imSymbolCache(ordner_, "go-down"), std::optional<bool>(false));
  EXPECT_EQ(imSymbolCache(ordner_ + "/fehlt", "document-save"), std::nullopt);
  for (const auto& f : faelle) {
    schreiben(ordner_ + "/icon-theme.cache", f.inhalt);
    EXPECT_EQ(imSymbolCache(ordner_, "go-down"), std::nullopt) << f.fall;
  }
}

}  // namespace
