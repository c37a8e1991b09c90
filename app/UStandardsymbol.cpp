#include "app/UStandardsymbol.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QtEndian>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>

namespace {

// A symbol: the name the style looks for in the icon theme (none: it never
// looks) and its own picture in the sizes it has.
struct TSymbolBild {
  QStyle::StandardPixmap symbol;
  const char* themenname;
  const char* bild;
  int groessen[3];
};

constexpr TSymbolBild BILDER[] = {
    {QStyle::SP_FileDialogContentsView, nullptr, "filecontents", {16, 32, 128}},
    {QStyle::SP_FileDialogNewFolder, "folder-new", "newdirectory", {16, 32, 128}},
    {QStyle::SP_DialogSaveButton, "document-save", "standardbutton-save", {16, 32, 128}},
    {QStyle::SP_TitleBarShadeButton, nullptr, "titlebar-shade", {16, 32, 48}},
    {QStyle::SP_FileIcon, "text-x-generic", "file", {16, 32, 128}},
    {QStyle::SP_FileDialogDetailedView, "view-list-details", "viewdetailed", {16, 32, 128}},
    {QStyle::SP_FileDialogListView, "view-list-icons", "viewlist", {16, 32, 128}},
    {QStyle::SP_ArrowDown, "go-down", "down", {16, 32, 128}},
};

// The hash of the icon cache's table (that of GLib's icon theme).
quint32 cacheHash(const QByteArray& name) {
  if (name.isEmpty()) return 0;
  quint32 h = static_cast<quint32>(static_cast<signed char>(name[0]));
  for (qsizetype i = 1; i < name.size(); ++i) h = (h << 5) - h + static_cast<quint32>(static_cast<signed char>(name[i]));
  return h;
}

// The icon cache of a theme folder, checked once as the icon loader checks it.
class TSymbolCache {
 public:
  explicit TSymbolCache(const QString& ordner) : datei_(ordner + "/icon-theme.cache") {
    if (!datei_.open(QIODevice::ReadOnly)) return;
    const QDateTime stand = QFileInfo(datei_).lastModified();
    if (stand < QFileInfo(ordner).lastModified()) return;
    groesse_ = static_cast<quint64>(datei_.size());
    if (groesse_ < 12) return;
    d_ = datei_.map(0, static_cast<qint64>(groesse_));
    if (!d_ || qFromBigEndian<quint16>(d_) != 1) return;  // a version it does not read
    // Every folder it lists must be older than the cache.
    const auto liste = u32(8);
    const auto ordnerAnzahl = liste ? u32(*liste) : std::nullopt;
    if (!ordnerAnzahl || *ordnerAnzahl > groesse_ / 4) return;
    for (quint32 i = 0; i < *ordnerAnzahl; ++i) {
      const auto stelle = u32(*liste + 4 + 4ull * i);
      const auto unterordner = stelle ? text(*stelle) : std::nullopt;
      if (!unterordner) return;
      if (stand < QFileInfo(ordner + "/" + QString::fromUtf8(*unterordner)).lastModified()) return;
    }
    gueltig_ = true;
  }

  bool gueltig() const { return gueltig_; }

  // Whether it names "name"; empty where it is damaged.
  std::optional<bool> enthaelt(const QByteArray& name) const {
    const auto tabelle = u32(4);
    const auto faecher = tabelle ? u32(*tabelle) : std::nullopt;
    if (!faecher || *faecher == 0) return std::nullopt;
    // A chain ends with all bits set.
    constexpr quint32 ENDE = 0xffffffff;
    auto eintrag = u32(*tabelle + 4 + 4ull * (cacheHash(name) % *faecher));
    for (quint64 schritte = 0; eintrag && *eintrag != ENDE; ++schritte) {
      if (schritte > groesse_ / 12) return std::nullopt;  // a chain that runs in a circle
      const auto nameStelle = u32(*eintrag + 4);
      const auto eintragName = nameStelle ? text(*nameStelle) : std::nullopt;
      if (!eintragName) return std::nullopt;
      if (*eintragName == name) return true;
      eintrag = u32(*eintrag);
    }
    if (!eintrag) return std::nullopt;
    return false;
  }

 private:
  // The icon loader takes a cache with a value out of the file or out of line for damaged.
  std::optional<quint32> u32(quint64 stelle) const {
    if (stelle + 4 > groesse_ || stelle % 4 != 0) return std::nullopt;
    return qFromBigEndian<quint32>(d_ + stelle);
  }
  // A text at "stelle", ending inside the file.
  std::optional<QByteArray> text(quint32 stelle) const {
    if (stelle >= groesse_) return std::nullopt;
    const char* anfang = reinterpret_cast<const char*>(d_ + stelle);
    const std::size_t laenge = strnlen(anfang, groesse_ - stelle);
    if (laenge == groesse_ - stelle) return std::nullopt;
    return QByteArray(anfang, static_cast<qsizetype>(laenge));
  }

  QFile datei_;
  const uchar* d_ = nullptr;
  quint64 groesse_ = 0;
  bool gueltig_ = false;
};

// The cache of a theme folder, read once for all symbols while the file stays the same.
const TSymbolCache& symbolCache(const QString& ordner) {
  struct TStand {
    QDateTime geaendert;
    qint64 groesse;
    std::unique_ptr<TSymbolCache> cache;
  };
  static std::map<QString, TStand> caches;
  const QFileInfo info(ordner + "/icon-theme.cache");
  TStand& stand = caches[ordner];
  if (!stand.cache || stand.geaendert != info.lastModified() || stand.groesse != info.size())
    stand = {info.lastModified(), info.size(), std::make_unique<TSymbolCache>(ordner)};
  return *stand.cache;
}

// Whether the theme, or a folder of loose pictures, might give "name". The
// icon loader also takes the name's shorter forms ("document-save", then
// "document"), and looks for loose pictures in the theme folders, the
// fallback folders and /usr/share/pixmaps.
bool vielleichtImThema(const QString& thema, const QByteArray& name) {
  QList<QByteArray> formen{name};
  for (qsizetype strich = name.lastIndexOf('-'); strich > 0; strich = name.lastIndexOf('-', strich - 1))
    formen << name.left(strich);
  for (const QString& pfad : QIcon::themeSearchPaths()) {
    const QString ordner = pfad + "/" + thema;
    if (!QFileInfo(ordner).isDir()) continue;
    if (pfad.startsWith(':')) return true;  // pictures built into the program: no cache to ask
    const TSymbolCache& cache = symbolCache(ordner);
    if (!cache.gueltig()) return true;
    for (const QByteArray& form : formen) {
      const auto drin = cache.enthaelt(form);
      if (!drin || *drin) return true;
    }
  }
  const QStringList lose = QIcon::themeSearchPaths() + QIcon::fallbackSearchPaths() + QStringList{"/usr/share/pixmaps"};
  for (const QString& pfad : lose)
    for (const QByteArray& form : formen)
      for (const char* endung : {".png", ".svg", ".xpm"})
        if (QFileInfo::exists(pfad + "/" + QString::fromLatin1(form) + endung)) return true;
  return false;
}

QString bildDatei(const TSymbolBild& bild, int groesse) {
  return QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(QLatin1String(bild.bild)).arg(groesse);
}

// The style's own picture of a symbol, read size by size when a size is first
// needed: a button drawn at 16 or 22 pixels never reads the 128-pixel picture.
// Of a set of sizes the icon draws the smallest at least as large as asked,
// else the largest; the sizes read so far always include that one.
class TEingebautesSymbol : public TSymbolBeiBedarf {
 public:
  explicit TEingebautesSymbol(const TSymbolBild& bild) : bild_(bild) {}

  QList<QSize> availableSizes(QIcon::Mode modus, QIcon::State zustand) override {
    QList<QSize> groessen;
    if (modus == QIcon::Normal && zustand == QIcon::Off)
      for (const int g : bild_.groessen) groessen << QSize(g, g);
    return groessen;
  }
  QString key() const override { return QStringLiteral("TEingebautesSymbol"); }
  QIconEngine* clone() const override { return new TEingebautesSymbol(*this); }

 private:
  const QIcon& fuer(const QSize& groesse) override {
    std::size_t bis = 0;
    while (bis + 1 < std::size(bild_.groessen) &&
           bild_.groessen[bis] * bild_.groessen[bis] < groesse.width() * groesse.height())
      ++bis;
    for (; gelesen_ <= bis; ++gelesen_) icon_.addPixmap(pngBild(bildDatei(bild_, bild_.groessen[gelesen_])));
    return icon_;
  }

  const TSymbolBild& bild_;
  QIcon icon_;
  std::size_t gelesen_ = 0;
};

}  // namespace

void TSymbolBeiBedarf::paint(QPainter* p, const QRect& r, QIcon::Mode modus, QIcon::State zustand) {
  const qreal dpr = p->device() ? p->device()->devicePixelRatio() : qApp->devicePixelRatio();
  fuer(r.size() * dpr).paint(p, r, Qt::AlignCenter, modus, zustand);
}

QPixmap TSymbolBeiBedarf::pixmap(const QSize& groesse, QIcon::Mode modus, QIcon::State zustand) {
  return fuer(groesse).pixmap(groesse, modus, zustand);
}

QSize TSymbolBeiBedarf::actualSize(const QSize& groesse, QIcon::Mode modus, QIcon::State zustand) {
  return fuer(groesse).actualSize(groesse, modus, zustand);
}

void TSymbolBeiBedarf::virtual_hook(int id, void* daten) {
  if (id == QIconEngine::ScaledPixmapHook) {
    auto& a = *static_cast<QIconEngine::ScaledPixmapArgument*>(daten);
    a.pixmap = fuer(a.size).pixmap(a.size / a.scale, a.scale, a.mode, a.state);
    return;
  }
  QIconEngine::virtual_hook(id, daten);
}

QIcon standardsymbol(const QStyle& stil, QStyle::StandardPixmap symbol) {
  const TSymbolBild* bild = nullptr;
  for (const TSymbolBild& b : BILDER)
    if (b.symbol == symbol) bild = &b;
  if (!bild || std::strcmp(stil.metaObject()->className(), "QFusionStyle") != 0) return stil.standardIcon(symbol);
  // The style asks the theme only where the desktop's settings count and a theme is set.
  const QString thema = QIcon::themeName();
  if (bild->themenname && QGuiApplication::desktopSettingsAware() && !thema.isEmpty()) {
    if (thema != "hicolor" || vielleichtImThema(thema, bild->themenname)) return stil.standardIcon(symbol);
  }
  for (const int g : bild->groessen)
    if (!QFile::exists(bildDatei(*bild, g))) return stil.standardIcon(symbol);  // a Qt with other pictures
  return QIcon(new TEingebautesSymbol(*bild));
}

QPixmap pngBild(const QString& datei) {
  QImageReader leser(datei, "png");
  leser.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(leser.read());
}

std::optional<bool> imSymbolCache(const QString& ordner, const QByteArray& name) {
  const TSymbolCache cache(ordner);
  return cache.gueltig() ? cache.enthaelt(name) : std::nullopt;
}
