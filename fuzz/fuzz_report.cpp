// Arbitrary collection contents through the three report writers.
//
// The first input byte chooses the options (bits 0-3: numbering, genre, label,
// release) and the HTML theme (bits 4-7, also outside the seven themes); the
// rest is a collection file's bytes, whole records only. Every report must end
// with its closing line, and no field value may add markup to the HTML page:
// the page holds as many "<" as the page of the same number of plain entries.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/UDatbas.h"
#include "report/UReport.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_report: %s\n", was);
    std::abort();
  }
}

bool endetMit(const std::string& s, const std::string& ende) {
  return s.size() >= ende.size() && s.compare(s.size() - ende.size(), ende.size(), ende) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 1) return 0;
  const TReportOptionen o{(daten[0] & 1) != 0, (daten[0] & 2) != 0, (daten[0] & 4) != 0, (daten[0] & 8) != 0};
  const int thema = (daten[0] >> 4) - 4;
  const std::size_t saetze = std::min<std::size_t>((groesse - 1) / DATENSATZ_GROESSE, MAX_DATENSAETZE);
  TDatBas db, schlicht;
  for (std::size_t i = 0; i < saetze; ++i) {
    TDatensatz d;
    std::memcpy(&d, daten + 1 + i * DATENSATZ_GROESSE, DATENSATZ_GROESSE);
    db.add_datensatz(d);
    schlicht.add_datensatz(datensatzAus("x", "x", "x", "x", "x", "x", "x"));
  }
  const std::string txt = reportTxt(db, o), html = reportHtml(db, o, thema), dif = reportDif(db, o);
  pruefe(endetMit(txt, "\r\n \r\n \r\n"), "Textreport ohne Schluss");
  pruefe(endetMit(html, "</body>\r\n</html>\r\n"), "HTML-Seite ohne Schluss");
  pruefe(endetMit(dif, "-1,0\r\nEOD\r\n"), "DIF-Tabelle ohne Schluss");
  const std::string vergleich = reportHtml(schlicht, o, thema);
  pruefe(std::count(html.begin(), html.end(), '<') == std::count(vergleich.begin(), vergleich.end(), '<'),
         "Feldwert als Markup in der HTML-Seite");
  return 0;
}
