// Writes the example pages of the HTML report's colour themes ("blau.html" ..
// "weiss.html") into the folder given as the only argument. The build runs it
// and places the pages beside the program, where the HTML option dialog finds them.
#include <cstdio>
#include <exception>
#include <string>

#include "core/UDatbas.h"
#include "report/UReport.h"

namespace {

TDatBas beispielsammlung() {
  const char* eintraege[][5] = {
      // Interpret, Titel, Label, Release, Genre
      {"Selvarin", "for an angel", "MFS", "1995", "Trance"},
      {"Muster-Band", "Beispiel-Album", "Eigenlabel", "1991", "Rock"},
      {"Die Gr\xFCnen Ufer", "Sommerabend", "Nordlicht", "1999", "Pop"},
      {"Nachtfalter", "Lichter der Stadt", "Tiefton", "2001", "Deep House"},
      {"The Quiet Hours", "Slow Motion", "Late Records", "1987", "Slow Rock"},
      {"Orchester am See", "Wassermusik", "Klassikwerk", "1975", "Classic"},
      {"Rhythmusfabrik", "Takt 2000", "Maschinenraum", "2000", "Techno"},
  };
  TDatBas db;
  for (const auto& e : eintraege) db.add_datensatz(datensatzAus(e[0], e[1], e[2], e[3], "CD - Album (1 CD)", e[4], ""));
  return db;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: %s ZIELORDNER\n", argv[0]);
    return 2;
  }
  try {
    const TDatBas db = beispielsammlung();
    for (int t = 0; t < THEMEN_ANZAHL; ++t)
      reportSchreiben(std::string(argv[1]) + "/" + themaName(t) + ".html", reportHtml(db, TReportOptionen{}, t));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
