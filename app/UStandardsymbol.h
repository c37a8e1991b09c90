#pragma once
// The style's standard symbols for the tool buttons of the main window.
//
// The style first asks the desktop's icon theme for a symbol and else draws
// its own picture. Without a desktop theme the theme is "hicolor", which holds
// application icons only: asking it still reads and keeps its whole index
// (half a megabyte at start) and probes every image format module for each
// picture. Where the theme's icon cache shows that it has none of the names,
// the style's own pictures are read here directly, which gives the very same
// symbol; everywhere else the style is asked as usual.
#include <QIcon>
#include <QIconEngine>
#include <QPixmap>
#include <QStyle>
#include <optional>

QIcon standardsymbol(const QStyle& stil, QStyle::StandardPixmap symbol);

// An icon that draws what another icon draws, fetched only when a picture is
// first asked for.
class TSymbolBeiBedarf : public QIconEngine {
 public:
  void paint(QPainter* p, const QRect& r, QIcon::Mode modus, QIcon::State zustand) override;
  QPixmap pixmap(const QSize& groesse, QIcon::Mode modus, QIcon::State zustand) override;
  QSize actualSize(const QSize& groesse, QIcon::Mode modus, QIcon::State zustand) override;
  bool isNull() override { return false; }
  void virtual_hook(int id, void* daten) override;

 protected:
  // The icon that draws the pictures of "groesse" (in device pixels).
  virtual const QIcon& fuer(const QSize& groesse) = 0;
};

// A PNG picture, read without asking every image format module whether it
// knows the format (which loads them all).
QPixmap pngBild(const QString& datei);

// Whether the icon cache "icon-theme.cache" of the theme folder "ordner" is
// current and names "name": true or false; empty when the cache cannot tell
// (missing, older than its folders, damaged), as the icon loader then reads
// the folders themselves.
std::optional<bool> imSymbolCache(const QString& ordner, const QByteArray& name);
