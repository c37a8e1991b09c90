#pragma once
// The printed list of the collection: one line per entry, lines wider than
// the line buffer broken at word boundaries, laid out on the printer's pages.
#include <QFont>
#include <QString>
#include <QStringList>

#include "core/UDatentypen.h"
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

// Prints "zeilen" as the job "CD-Sammlung" in the surface's default font, one
// below the other; a page ends once the lines on it reach the page height
// minus 100. Raises an error when the printer cannot take the job.
void zeilenDrucken(QPrinter& drucker, const QStringList& zeilen);
