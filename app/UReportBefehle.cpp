#include "app/UReportBefehle.h"

#include <QPlainTextEdit>
#include <QTextBlock>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "core/UDatbas.h"
#include "core/UGesamtZellen.h"
#include "dialogs/UFUebersicht.h"
#include "dialogs/UFworking.h"
#include "report/UDrucken.h"
#include "report/UFexportdif.h"
#include "report/UFexporthtml.h"
#include "report/UFexporttxt.h"
#include "report/UFprint.h"
#include "report/UReportXls.h"

QPrinter& TReportBefehle::drucker() {
  if (!drucker_) {
    IDruckModul& modul = druckModul();
    drucker_ = std::shared_ptr<QPrinter>(modul.druckerErzeugen(), [&modul](QPrinter* d) { modul.druckerLoeschen(d); });
  }
  return *drucker_;
}

void TReportBefehle::print() {
  // The buffer wraps at its width in the window font: each piece is a line of its own.
  QStringList zeilen;
  const QFont schrift = h_.memo->font();
  for (QTextBlock b = h_.memo->document()->begin(); b.isValid(); b = b.next()) {
    if (b == h_.memo->document()->begin() && h_.memo->document()->isEmpty()) break;
    zeilen << umbrechen(b.text(), schrift);
  }
  zeilenDrucken(drucker(), zeilen);
}

void TReportBefehle::xls1Click() {
  // The dialog keeps the name, with ".xls" appended unless it ends in exactly that.
  const auto mitEndung = [](const QString& n) { return n.endsWith(".xls", Qt::CaseSensitive) ? n : n + ".xls"; };
  const auto gewaehlt = plattform().speichernDialog(h_.exportDialog(savedialog_xls, mitEndung));
  if (!gewaehlt) return;
  const QString name = mitEndung(*gewaehlt);
  savedialog_xls.vorschlag = name;

  // The cells the overview shows; its view settings are stored as if it had been opened and closed.
  FUebersicht->ansichtSichern();
  const QList<QString> zellen = gesamtZellen(*DatBas);
  const TZellen grid{GESAMT_SPALTEN, static_cast<int>(zellen.size() / GESAMT_SPALTEN) + 1,
                     [&zellen](int spalte, int zeile) {
                       return zeile == 0 ? QString(GESAMT_KOPF[spalte])
                                         : zellen[(zeile - 1) * GESAMT_SPALTEN + spalte];
                     }};

  // An existing file of that name stays until the new workbook is complete.
  TBitteWarten warten;
  QString grund;
  const bool gespeichert = report_xls(grid, name, &grund);
  warten.beenden();
  if (!gespeichert) {
    // The old file of that name is still there; the reason is named when the file system gave one.
    meldungOk("Fehler:", "Die Excel-Datei konnte nicht gespeichert werden!\r" + name + (grund.isEmpty() ? "" : "\r" + grund),
              TSymbol::Warnung);
    return;
  }
  if (frageJa("Export erfolgreich beendet",
              "Die Daten der CD-Sammlungen wurden erfolgreich in den Report geschrieben!\r"
              "Sie können den Report mit Excel formatieren und bearbeiten.\r"
              "Wollen Sie die Datei jetzt mit der Standardanwendung öffnen?"))
    plattform().dokumentOeffnen(name);
}

void TReportBefehle::drucken() { modalZeigen(Fprint); }
void TReportBefehle::reportHtml() { modalZeigen(Fexporthtml); }
void TReportBefehle::reportTxt() { modalZeigen(Fexporttxt); }
void TReportBefehle::reportDif() { modalZeigen(Fexportdif); }
