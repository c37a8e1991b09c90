#include "report/UDrucken.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>

#include "app/UGlobal.h"
#include "core/UCodepage.h"
#include "core/UFehler.h"
#include "core/USicherSchreiben.h"

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

std::vector<int> seitenfolge(int seiten, const TSeitenwahl& wahl) {
  std::vector<int> gewaehlt;
  for (int s = 1; s <= seiten; ++s)
    if (wahl.seiten.isEmpty() || wahl.seiten.contains(s)) gewaehlt.push_back(s);
  if (wahl.rueckwaerts) std::reverse(gewaehlt.begin(), gewaehlt.end());
  std::vector<int> folge;
  const int kopien = std::max(1, wahl.kopien);
  if (wahl.sortiert) {
    for (int k = 0; k < kopien; ++k) folge.insert(folge.end(), gewaehlt.begin(), gewaehlt.end());
  } else {
    for (const int s : gewaehlt) folge.insert(folge.end(), static_cast<std::size_t>(kopien), s);
  }
  return folge;
}

namespace {

// Draws the chosen pages of "zeilen" on "geraet".
void seitenDrucken(QPagedPaintDevice& geraet, const QStringList& zeilen, const TSeitenwahl& wahl) {
  // The printing surface's default font is the standard window font, the same
  // the line buffer wraps in: a wrapped piece fits on the paper.
  const QFont schrift = standardSchrift();
  const QFontMetrics metrik(schrift, &geraet);
  // Each line adds its height; a page is full once its lines reach the page
  // height minus 100. A new page only when another line follows: a full last
  // page leaves no blank sheet behind.
  const int voll = geraet.height() - DRUCK_UNTERER_RAND;
  std::vector<qsizetype> anfaenge{0};
  int y = 0;
  for (qsizetype i = 0; i + 1 < zeilen.size(); ++i) {
    y += metrik.height();
    if (y >= voll) {
      anfaenge.push_back(i + 1);
      y = 0;
    }
  }
  const std::vector<int> folge = seitenfolge(static_cast<int>(anfaenge.size()), wahl);
  if (folge.empty()) throw EVemlaFehler("Der gewählte Seitenbereich enthält keine Seite der Liste");

  QPainter p;
  if (!p.begin(&geraet)) throw EVemlaFehler("Der Drucker hat den Druckauftrag nicht angenommen");
  p.setFont(schrift);
  for (std::size_t n = 0; n < folge.size(); ++n) {
    if (n > 0 && !geraet.newPage()) {
      p.end();
      throw EVemlaFehler("Der Drucker hat keine neue Seite angenommen");
    }
    const std::size_t seite = static_cast<std::size_t>(folge[n] - 1);
    const qsizetype bis = seite + 1 < anfaenge.size() ? anfaenge[seite + 1] : zeilen.size();
    int oben = 0;
    for (qsizetype i = anfaenge[seite]; i < bis; ++i) {
      // Drawn from the top of the text, as the desktop's text output does.
      p.drawText(DRUCK_LINKS, oben + DRUCK_OBEN + metrik.ascent(), zeilen[i]);
      oben += metrik.height();
    }
  }
  if (!p.end()) throw EVemlaFehler("Der Druckauftrag konnte nicht abgeschlossen werden");
}

}  // namespace

QString druckDatei(QPrinter& drucker) { return druckModul().auftrag(drucker, "CD-Sammlung").datei; }

void zeilenDrucken(QPrinter& drucker, const QStringList& zeilen) {
  IDruckModul& modul = druckModul();
  const TDruckauftrag auftrag = modul.auftrag(drucker, "CD-Sammlung");
  if (auftrag.datei.isEmpty()) return seitenDrucken(modul.geraet(drucker), zeilen, auftrag.wahl);

  // The printer engine would write the file piece by piece and never notice a
  // failed write: the document is made in memory with the printer's page
  // settings and then written in one piece.
  QBuffer puffer;
  puffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&puffer);
    pdf.setTitle(auftrag.titel);
    pdf.setCreator(auftrag.ersteller);
    pdf.setPdfVersion(auftrag.pdfVersion);
    pdf.setResolution(auftrag.aufloesung);
    pdf.setPageLayout(auftrag.seite);
    seitenDrucken(pdf, zeilen, auftrag.wahl);
  }
  dateiSicherSchreiben(QFile::encodeName(auftrag.datei).toStdString(), puffer.data().constData(),
                       static_cast<std::size_t>(puffer.size()));
}
