// The print module: printers and the print dialog of Qt's print support,
// loaded at run time by report/UDruckmodul when a printer is first needed.
#include <QObject>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "report/UDruckmodul.h"

class TDruckModul : public QObject, public IDruckModul {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID IDruckModul_iid)
  Q_INTERFACES(IDruckModul)
 public:
  QPrinter* druckerErzeugen() override { return new QPrinter(QPrinter::HighResolution); }
  void druckerLoeschen(QPrinter* drucker) override { delete drucker; }

  bool dialog(QPrinter& drucker, QWidget* eltern) override {
    QPrintDialog dlg(&drucker, eltern);
    dlg.setObjectName("printdialog");
    const bool drucken = dlg.exec() == QDialog::Accepted;
    dlg.hide();
    return drucken;
  }

  TDruckauftrag auftrag(QPrinter& drucker, const QString& titel) override {
    drucker.setDocName(titel);
    TDruckauftrag a;
    if (drucker.printRange() == QPrinter::PageRange) a.wahl.seiten = drucker.pageRanges();
    // A printer system that makes the copies itself gets the document once.
    a.wahl.kopien = drucker.supportsMultipleCopies() ? 1 : std::max(1, drucker.copyCount());
    a.wahl.sortiert = drucker.collateCopies();
    a.wahl.rueckwaerts = drucker.pageOrder() == QPrinter::LastPageFirst;
    a.datei = drucker.outputFileName();
    a.titel = drucker.docName();
    a.ersteller = drucker.creator();
    a.pdfVersion = drucker.pdfVersion();
    a.aufloesung = drucker.resolution();
    a.seite = drucker.pageLayout();
    return a;
  }

  QPagedPaintDevice& geraet(QPrinter& drucker) override { return drucker; }
};

#include "UDruckmodulQt.moc"
