#pragma once
// The printed list of the collection: one line per entry, lines wider than
// the line buffer broken at word boundaries, laid out on the printer's pages.
#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

#include "core/UDatentypen.h"
#include "report/UDruckmodul.h"
#include "report/UReport.h"

class QPrinter;

// The line of entry number "n": "12.  Interpret - Titel  [ Genre: Rock ]  [ Label: X ]  [ Release: 1991 ]".
QString druckzeile(int n, const TDatensatz& d, const TReportOptionen& optionen);

// Width of the line buffer in pixels of the window font.
constexpr int PUFFER_BREITE = 668;
// Breaks "zeile" into the pieces a word-wrapping text box "breite" pixels wide shows.
QStringList umbrechen(const QString& zeile, const QFont& schrift, int breite = PUFFER_BREITE);

// Page geometry in the printer's device units.
constexpr int DRUCK_LINKS = 80;
constexpr int DRUCK_OBEN = 70;
constexpr int DRUCK_UNTERER_RAND = 100;

// The numbers (from 1) of the pages printed, in the order they are printed,
// for a list of "seiten" pages.
std::vector<int> seitenfolge(int seiten, const TSeitenwahl& wahl);

// The file the printer writes (a PDF file chosen in the print dialog), empty for a real printer.
QString druckDatei(QPrinter& drucker);

// Prints "zeilen" as the job "CD-Sammlung" in the surface's default font, one
// below the other; a page ends once the lines on it reach the page height
// minus 100. Only the pages, copies and order the dialog chose are printed.
// A printer that writes into a file gets the whole document at once, written
// like every file of the program: a full disk is reported and an earlier file
// stays as it was. Raises an error when the job cannot be done.
void zeilenDrucken(QPrinter& drucker, const QStringList& zeilen);
