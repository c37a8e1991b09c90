#pragma once
// What a line of the online look-up's result list says about a release: its
// columns, and the hints on what storing it changes ("Zeichen ersetzt",
// "Name aus Alias", "gekürzt") or that the collection holds it already.
#include <QString>
#include <QStringList>
#include <array>

#include "online/UMBAntwort.h"

// The list's columns before the hint: Interpret, Titel, "Label / Katalognr.",
// Jahr, Format, Land, Strichcode; each on one line.
QStringList ergebnisSpalten(const TVeroeffentlichung& v);

// For each of the seven fields (Interpret, Titel, Label, Release, Typ, Genre,
// Kommentar), what storing the release changes in it; empty when nothing.
std::array<QStringList, 7> feldHinweise(const TVeroeffentlichung& v);

struct THinweise {
  QString kurz;        // the hint column: "bereits in der Sammlung, Zeichen ersetzt"
  QString erklaerung;  // one sentence per hint, for the tooltip
};
// "inSammlung": the collection has an entry with the release's Interpret and Titel.
THinweise ergebnisHinweise(const TVeroeffentlichung& v, bool inSammlung);
