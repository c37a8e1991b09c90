#include "report/UDrucken.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include "app/UGlobal.h"
#include "core/UCodepage.h"
#include "core/UFehler.h"

namespace {

// Empty, or exactly one space.
bool leer(const TFeld& f) { return f.laenge == 0 || f.sicht() == " "; }

QString text(const TFeld& f) { return vonCp1252(f.sicht()); }

}  // namespace

QString druckzeile(int n, const TDatensatz& d, const TReportOptionen& optionen) {
  QString zeile;
  if (optionen.nummerierung) zeile = QString::number(n) + ".  ";
  zeile += text(d.Interpret) + " - " + text(d.Titel);
  if (optionen.genre && !leer(d.Genre)) zeile += "  [ Genre: " + text(d.Genre) + " ]";
  if (optionen.label && !leer(d.Label)) zeile += "  [ Label: " + text(d.Label) + " ]";
  if (optionen.release && !leer(d.Release)) zeile += "  [ Release: " + text(d.Release) + " ]";
  return zeile;
}

QStringList umbrechen(const QString& zeile, const QFont& schrift, int breite) {
  QTextLayout layout(zeile, schrift);
  QTextOption option;
  // At word boundaries; a single word wider than the box is broken where it has to be.
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList teile;
  layout.beginLayout();
  for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
    l.setLineWidth(breite);
    teile << zeile.mid(l.textStart(), l.textLength());
  }
  layout.endLayout();
  if (teile.isEmpty()) teile << QString();
  return teile;
}

void zeilenDrucken(QPrinter& drucker, const QStringList& zeilen) {
  drucker.setDocName("CD-Sammlung");
  QPainter p;
  if (!p.begin(&drucker)) throw EVemlaFehler("Der Drucker hat den Druckauftrag nicht angenommen");
  // The printing surface's default font is the standard window font, the same
  // the line buffer wraps in: a wrapped piece fits on the paper.
  p.setFont(standardSchrift());
  const QFontMetrics metrik = p.fontMetrics();
  const int seitenhoehe = drucker.height();
  int y = 0;
  for (qsizetype i = 0; i < zeilen.size(); ++i) {
    // Drawn from the top of the text, as the desktop's text output does.
    p.drawText(DRUCK_LINKS, y + DRUCK_OBEN + metrik.ascent(), zeilen[i]);
    y += metrik.height();
    // A new page only when another line follows: a full last page leaves no blank sheet behind.
    if (y >= seitenhoehe - DRUCK_UNTERER_RAND && i + 1 < zeilen.size()) {
      if (!drucker.newPage()) {
        p.end();
        throw EVemlaFehler("Der Drucker hat keine neue Seite angenommen");
      }
      y = 0;
    }
  }
  if (!p.end()) throw EVemlaFehler("Der Druckauftrag konnte nicht abgeschlossen werden");
}
