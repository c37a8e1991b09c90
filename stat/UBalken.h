#pragma once
// The bars of the statistics window: one row per bar with its label, a bar as
// long as its share of the longest, and its count and share in per cent. The
// same drawing serves the window's list and the saved image. Colours come from
// the palette.
#include <QPalette>
#include <QString>
#include <QStyledItemDelegate>
#include <vector>

class QPainter;

// One bar as shown.
struct TBalken {
  QString name;
  int anzahl = 0;
  QString zahl;  // count and share: "120 (12,5 %)"
};

// Roles of a bar in the window's list: its count and the first entry of its group.
constexpr int ROLLE_ANZAHL = Qt::UserRole + 1;
constexpr int ROLLE_ERSTER = Qt::UserRole + 2;

// The share of "anzahl" in "gesamt" as German per cent with one decimal: "12,5 %".
QString anteilText(int anzahl, int gesamt);
// "120 (12,5 %)".
QString zahlText(int anzahl, int gesamt);
// What a screen reader says of a bar: "Rock: 120 Einträge, 12,5 %".
QString vorleseText(const QString& name, int anzahl, int gesamt);

// One row in "r": the label in a column "nameBreite" wide, the bar, the count at the right end.
// "laenge" is the bar's share of the longest bar (0..1).
void balkenZeichnen(QPainter& p, const QRect& r, const TBalken& b, double laenge, int nameBreite,
                    const QPalette& palette, bool markiert);

// The saved image of a chart: a title line, then one row per bar.
constexpr int BILD_BREITE = 640;
constexpr int BILD_RAND = 12;
constexpr int BILD_KOPF = 28;
constexpr int BILD_ZEILE = 24;
QSize diagrammGroesse(std::size_t balken);
void diagrammZeichnen(QPainter& p, const QString& titel, const std::vector<TBalken>& balken,
                      const QPalette& palette);
// The colours of a saved image: light, whatever the desktop's theme, as a
// chart for printing or sharing should be.
QPalette bildFarben();

// Paints the rows of the window's bar list; the list's items carry the label
// (display role), ROLLE_ANZAHL and the count text (ROLLE_ZAHL).
class TBalkenDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  static constexpr int ROLLE_ZAHL = Qt::UserRole + 3;
  using QStyledItemDelegate::QStyledItemDelegate;
  // The longest bar of the chart shown and the width its longest label needs.
  void setzeMasse(int hoechstAnzahl, int nameBreite) {
    hoechst_ = hoechstAnzahl;
    nameBreite_ = nameBreite;
  }
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int hoechst_ = 1;
  int nameBreite_ = 0;
};
