#include "stat/UBalken.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <algorithm>

#include "app/UGlobal.h"

QString anteilText(int anzahl, int gesamt) {
  const double anteil = gesamt > 0 ? 100.0 * anzahl / gesamt : 0.0;
  return QLocale(QLocale::German, QLocale::Germany).toString(anteil, 'f', 1) + " %";
}

QString zahlText(int anzahl, int gesamt) { return QString::number(anzahl) + " (" + anteilText(anzahl, gesamt) + ")"; }

QString vorleseText(const QString& name, int anzahl, int gesamt) {
  return name + ": " + QString::number(anzahl) + (anzahl == 1 ? " Eintrag, " : " Einträge, ") +
         anteilText(anzahl, gesamt);
}

void balkenZeichnen(QPainter& p, const QRect& r, const TBalken& b, double laenge, int nameBreite,
                    const QPalette& palette, bool markiert) {
  p.save();
  if (markiert) p.fillRect(r, palette.brush(QPalette::Highlight));
  const QColor schrift = palette.color(markiert ? QPalette::HighlightedText : QPalette::Text);
  const QFontMetrics fm = p.fontMetrics();
  const int luft = fm.averageCharWidth();
  const int zahlBreite = fm.horizontalAdvance("4000 (100,0 %)") + luft;
  // Some room beyond the label's measured width, so that rounding never cuts it short.
  QRect name(r.left() + luft, r.top(), std::max(0, nameBreite) + luft, r.height());
  p.setPen(schrift);
  p.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(b.name, Qt::ElideRight, name.width()));
  const int balkenLinks = name.right() + 1 + luft;
  const int platz = std::max(0, r.right() - zahlBreite - balkenLinks);
  const int breite = std::max(b.anzahl > 0 ? 1 : 0, static_cast<int>(platz * std::clamp(laenge, 0.0, 1.0) + 0.5));
  const int hoehe = std::max(2, r.height() * 3 / 5);
  const QRect balken(balkenLinks, r.top() + (r.height() - hoehe) / 2, breite, hoehe);
  p.fillRect(balken, palette.color(markiert ? QPalette::HighlightedText : QPalette::Highlight));
  p.drawText(QRect(balken.right() + 1 + luft, r.top(), zahlBreite, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
             b.zahl);
  p.restore();
}

QSize diagrammGroesse(std::size_t balken) {
  return QSize(BILD_BREITE, 2 * BILD_RAND + BILD_KOPF + static_cast<int>(balken) * BILD_ZEILE);
}

void diagrammZeichnen(QPainter& p, const QString& titel, const std::vector<TBalken>& balken,
                      const QPalette& palette) {
  const QSize groesse = diagrammGroesse(balken.size());
  p.fillRect(QRect(QPoint(0, 0), groesse), palette.brush(QPalette::Base));
  QFont schrift(SCHRIFT_STANDARD);
  schrift.setPixelSize(13);
  QFont fett = schrift;
  fett.setBold(true);
  p.setFont(fett);
  p.setPen(palette.color(QPalette::Text));
  p.drawText(QRect(BILD_RAND, BILD_RAND, groesse.width() - 2 * BILD_RAND, BILD_KOPF), Qt::AlignLeft | Qt::AlignTop,
             titel);
  p.setFont(schrift);
  int hoechst = 1, nameBreite = 0;
  for (const TBalken& b : balken) {
    hoechst = std::max(hoechst, b.anzahl);
    nameBreite = std::max(nameBreite, p.fontMetrics().horizontalAdvance(b.name));
  }
  nameBreite = std::min(nameBreite, (groesse.width() - 2 * BILD_RAND) * 2 / 5);
  int y = BILD_RAND + BILD_KOPF;
  for (const TBalken& b : balken) {
    balkenZeichnen(p, QRect(BILD_RAND, y, groesse.width() - 2 * BILD_RAND, BILD_ZEILE), b,
                   static_cast<double>(b.anzahl) / hoechst, nameBreite, palette, false);
    y += BILD_ZEILE;
  }
}

QPalette bildFarben() {
  QPalette p;
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::Text, Qt::black);
  p.setColor(QPalette::Highlight, QColor(0x30, 0x6c, 0xc4));
  p.setColor(QPalette::HighlightedText, Qt::white);
  return p;
}

void TBalkenDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const TBalken b{index.data(Qt::DisplayRole).toString(), index.data(ROLLE_ANZAHL).toInt(),
                  index.data(ROLLE_ZAHL).toString()};
  p->save();
  p->setFont(option.font);
  const int breite = std::min(nameBreite_, option.rect.width() * 2 / 5);
  balkenZeichnen(*p, option.rect, b, static_cast<double>(b.anzahl) / std::max(1, hoechst_), breite, option.palette,
                 option.state.testFlag(QStyle::State_Selected));
  p->restore();
}

QSize TBalkenDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  // As wide as the list: a long name is cut short in painting, never widens the row.
  const QFontMetrics fm(option.font);
  const auto* liste = qobject_cast<const QAbstractItemView*>(parent());
  return QSize(liste ? liste->viewport()->width() : fm.horizontalAdvance("4000 (100,0 %)") + 30 * fm.averageCharWidth(),
               fm.height() * 8 / 5);
}
