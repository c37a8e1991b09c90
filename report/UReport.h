#pragma once
// The report writers: the whole collection as a text file, an HTML page in
// one of seven colour themes, or a DIF table. Each builds the report's bytes
// (Windows-1252, CR LF after every line) from the collection and the options;
// reportSchreiben puts them into the file in one piece.
#include <string>

class TDatBas;

// Which optional parts go into each entry's line or row.
struct TReportOptionen {
  bool nummerierung = true;
  bool genre = true;
  bool label = true;
  bool release = true;
};

// The colour themes of the HTML report, in the order of the theme list.
enum THtmlThema : int {
  THEMA_BLAU = 0,
  THEMA_GELB = 1,
  THEMA_GRAU = 2,
  THEMA_GRUEN = 3,
  THEMA_ROT = 4,
  THEMA_SCHWARZ = 5,
  THEMA_WEISS = 6,
};
constexpr int THEMEN_ANZAHL = 7;
// The theme's name as in the theme list ("blau" .. "weiss"); an index outside 0..6 gives "weiss".
const char* themaName(int thema);

enum class TReportArt { Txt, Html, Dif };

std::string reportTxt(const TDatBas& db, const TReportOptionen& o);
// An index outside 0..6 is taken as "weiss".
std::string reportHtml(const TDatBas& db, const TReportOptionen& o, int thema);
std::string reportDif(const TDatBas& db, const TReportOptionen& o);

// The file name a report is written to: "name" unless it ends exactly (with
// case) in the report's extension (".txt"; ".html" or ".htm"; ".dif"), in
// which case that extension is appended.
std::string reportDateiname(TReportArt art, const std::string& name);

// Writes "inhalt" as the whole file "pfad"; a failed write leaves an existing
// file of that name as it was. Raises EEAFehler with the German text.
void reportSchreiben(const std::string& pfad, const std::string& inhalt);

// Above this number of entries the reports show the please-wait window.
constexpr int REPORT_WARTEN_AB = 600;
