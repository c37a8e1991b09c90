#pragma once
// Printers and the print dialog come from Qt's print support, a library that
// would otherwise be loaded and relocated at every start although most runs
// never print. It lives in a module of its own ("vemla_druck") that is loaded
// when a printer is first needed; the program itself never links it and draws
// the pages on the printer as on any paged surface.
#include <QPageLayout>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QString>
#include <QtPlugin>

class QPrinter;
class QWidget;

// What the print dialog chose beyond the printer: which pages of the list, how
// many copies the program makes itself (none beyond the first when the printer
// system makes them), whether copies come whole one after the other, and
// whether the last page comes first.
struct TSeitenwahl {
  QPageRanges seiten;  // empty: every page
  int kopien = 1;
  bool sortiert = true;
  bool rueckwaerts = false;
};

// A print job as the printer is set up for it.
struct TDruckauftrag {
  TSeitenwahl wahl;
  QString datei;  // the printer writes a PDF file of this name; empty: a real printer
  QString titel;
  QString ersteller;
  QPagedPaintDevice::PdfVersion pdfVersion = QPagedPaintDevice::PdfVersion_1_4;
  int aufloesung = 1200;
  QPageLayout seite;
};

// What the module offers.
class IDruckModul {
 public:
  virtual ~IDruckModul() = default;
  // A printer at high resolution; give it back with druckerLoeschen.
  virtual QPrinter* druckerErzeugen() = 0;
  virtual void druckerLoeschen(QPrinter* drucker) = 0;
  // The system's print dialog on "drucker"; true when the user chose to print.
  virtual bool dialog(QPrinter& drucker, QWidget* eltern) = 0;
  // Names the job "titel" and reads what it is to print.
  virtual TDruckauftrag auftrag(QPrinter& drucker, const QString& titel) = 0;
  // The printer as a surface to draw the pages on.
  virtual QPagedPaintDevice& geraet(QPrinter& drucker) = 0;
};
#define IDruckModul_iid "de.vemla.IDruckModul/1"
Q_DECLARE_INTERFACE(IDruckModul, IDruckModul_iid)

// The module, loaded the first time; an error when it cannot be loaded.
IDruckModul& druckModul();
