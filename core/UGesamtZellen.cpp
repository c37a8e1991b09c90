#include "core/UGesamtZellen.h"

#include <algorithm>

#include "core/UCodepage.h"
#include "core/UDatbas.h"

const char* const GESAMT_KOPF[GESAMT_SPALTEN] = {"#",       "Interpret", "Titel", "Label",
                                                 "Release", "Typ",       "Genre", "Kommentar"};

QList<QString> gesamtZellen(const TDatBas& sammlung) {
  const int anzahl = sammlung.get_anzahl();
  QList<QString> zellen;
  zellen.reserve(static_cast<qsizetype>(std::max(anzahl, 1)) * GESAMT_SPALTEN);
  TDatensatz d;
  for (int pos = 1; pos <= anzahl; ++pos) {
    sammlung.get_datensatz(pos, d);
    zellen << QString::number(pos);
    for (int nr = 1; nr <= FELD_ANZAHL; ++nr) zellen << vonCp1252(d.feld(nr).sicht());
  }
  if (anzahl == 0) zellen.resize(GESAMT_SPALTEN);  // one empty data row
  return zellen;
}
