#pragma once
// The collection as one table of texts: what the overall overview shows and
// the spreadsheet export writes. Row 0 holds the column titles; row n the
// position n and the seven fields of entry n.
#include <QList>
#include <QString>

class TDatBas;

inline constexpr int GESAMT_SPALTEN = 8;
// "#", "Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"
extern const char* const GESAMT_KOPF[GESAMT_SPALTEN];

// The rows below the titles, GESAMT_SPALTEN texts each, row by row; for an
// empty collection one row of empty texts.
QList<QString> gesamtZellen(const TDatBas& sammlung);
