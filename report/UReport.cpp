#include "report/UReport.h"

#include <string_view>

#include "app/UAdressen.h"
#include "core/UDatbas.h"
#include "core/UVemDatei.h"

namespace {

constexpr std::string_view ZEILENENDE = "\r\n";

// The report text, line by line.
class TZeilen {
 public:
  explicit TZeilen(std::size_t erwartet) { text_.reserve(erwartet); }
  // Appends one whole line.
  void zeile(std::string_view z) {
    text_ += z;
    text_ += ZEILENENDE;
  }
  // Builds a line piece by piece: teil(...) ... ende().
  TZeilen& teil(std::string_view t) {
    text_ += t;
    return *this;
  }
  TZeilen& zahl(int n) {
    text_ += std::to_string(n);
    return *this;
  }
  void ende() { text_ += ZEILENENDE; }
  std::string fertig() { return std::move(text_); }

 private:
  std::string text_;
};

// Empty or exactly one space.
bool leer(std::string_view f) { return f.empty() || f == " "; }

std::size_t schaetzung(const TDatBas& db, std::size_t jeEintrag) {
  return 2048 + static_cast<std::size_t>(db.get_anzahl()) * jeEintrag;
}

std::string ohneSchema(std::string_view adresse) {
  const auto p = adresse.find("://");
  return std::string(p == std::string_view::npos ? adresse : adresse.substr(p + 3));
}

// --- HTML ------------------------------------------------------------------

// Field values are text on the page: markup characters are written as entities.
void htmlText(TZeilen& z, std::string_view wert) {
  std::size_t von = 0;
  for (std::size_t i = 0; i < wert.size(); ++i) {
    const char* ersatz = nullptr;
    switch (wert[i]) {
      case '&': ersatz = "&amp;"; break;
      case '<': ersatz = "&lt;"; break;
      case '>': ersatz = "&gt;"; break;
      default: continue;
    }
    z.teil(wert.substr(von, i - von)).teil(ersatz);
    von = i + 1;
  }
  z.teil(wert.substr(von));
}

struct TThema {
  const char* name;
  // L, AC, AB, H, T, B, S1..S8, BL, BD
  const char* farben[16];
};

enum { L, AC, AB, H, T, B, S1, S2, S3, S4, S5, S6, S7, S8, BL, BD };

const TThema THEMEN[THEMEN_ANZAHL] = {
    {"blau", {"FFFFFF", "FFFF00", "000000", "FFFF00", "15C5F5", "101060", "102070", "192979", "102070", "253585",
              "253585", "000858", "000858", "AFDFFF", "102070", "100050"}},
    {"gelb", {"000000", "FF0000", "FFFF00", "FF0000", "0060E5", "FFD520", "F2E206", "FFEA12", "FFD815", "FFEA1A",
              "FFEA1A", "DA9A10", "DA9A10", "C08000", "F2E206", "F0B000"}},
    {"grau", {"BFCFCF", "000000", "609090", "000000", "00151F", "768380", "96A096", "738278", "96A096", "96A096",
              "9AB6C4", "20253A", "96A096", "000000", "7F8985", "707A79"}},
    {"gruen", {"00FF00", "FFFF00", "006000", "FFFF00", "AFFFCF", "108030", "108A35", "18923B", "108A35", "289F48",
               "289F48", "006012", "006012", "AAFFFF", "108A35", "107528"}},
    {"rot", {"FFEF20", "00FFAF", "603020", "00FFAF", "FFEEDD", "C04040", "C84848", "D15151", "C84848", "E05A5A",
             "E05A5A", "B92929", "B92929", "FAAAAA", "C84848", "B23232"}},
    {"schwarz", {"FFFFFF", "FFFFFF", "153565", "FFDC00", "20B5FF", "000000", "20C0F0", "000010", "000010", "001060",
                 "001060", "107090", "001060", "00FFFF", "0A1A2A", "09091A"}},
    {"weiss", {"001030", "FFFFFF", "00ACFF", "2040FF", "2050D0", "FFFFFF", "FFFFFF", "FFFFFF", "F9F9F9", "DFDFDF",
               "98AABC", "98AABC", "DFDFDF", "5099C5", "F7F7FF", "DFDFE5"}},
};

const TThema& thema(int index) { return THEMEN[index >= 0 && index < THEMEN_ANZAHL ? index : THEMA_WEISS]; }

std::string farbe(const TThema& t, int spalte) { return std::string("#") + t.farben[spalte]; }

void themenblock(TZeilen& z, int index) {
  const TThema& t = thema(index);
  const bool rot = index == THEMA_ROT;
  // "rot" is spaced wider in its link, cell and table rules.
  const std::string schrift = std::string("{ text-decoration: none;  font-family: Verdana;") + (rot ? "   " : "  ") +
                              "font-size: x-small;" + (rot ? "    " : "  ") + "color: ";
  z.zeile(" <style type=\"text/css\">");
  z.teil(" <!-- A:link     ").teil(schrift).teil(farbe(t, L)).teil("; }").ende();
  z.teil("      A:visited  ").teil(schrift).teil(farbe(t, L)).teil("; }").ende();
  z.teil("      A:active   ").teil(schrift).teil(farbe(t, AC)).teil("; background: ").teil(farbe(t, AB)).teil("; }").ende();
  z.teil("      A:hover    ").teil(schrift).teil(farbe(t, H)).teil("; font weight: bold; }").ende();
  z.teil("      td         ").teil(schrift).teil(farbe(t, T)).teil("; }").ende();
  z.teil("      table      ").teil(schrift).teil(farbe(t, T)).teil("; }").ende();
  z.teil("      body       { background=\"").teil(farbe(t, B)).teil(index == THEMA_SCHWARZ ? "\"" : "\";").ende();
  z.teil("                   text-decoration: none;  font-family: Verdana;  font-size: x-small;")
      .teil(rot ? "     " : "  ").teil("color: ").teil(farbe(t, T)).teil(";").ende();
  const std::string_view einzug = "                   ";
  z.teil(einzug).teil("scrollbar-base-color:     ").teil(farbe(t, S1))
      .teil(";             scrollbar-track-color:      ").teil(farbe(t, S2)).teil(";").ende();
  z.teil(einzug).teil("scrollbar-face-color:     ").teil(farbe(t, S3))
      .teil(";             scrollbar-highlight-color:  ").teil(farbe(t, S4)).teil(";").ende();
  z.teil(einzug).teil("scrollbar-3d-light-color: ").teil(farbe(t, S5))
      .teil(";             scrollbar-darkshadow-color: ").teil(farbe(t, S6)).teil(";").ende();
  z.teil(einzug).teil("scrollbar-shadow-color:   ").teil(farbe(t, S7))
      .teil(";             scrollbar-arrow-color:      ").teil(farbe(t, S8)).teil("; } -->  </style>").ende();
  z.teil("<body bgcolor=\"").teil(farbe(t, B)).teil("\">").ende();
}

// One cell after the first: a blank value shows as a non-breaking space.
void htmlZelle(TZeilen& z, std::string_view wert, bool leerErsetzen) {
  if (leerErsetzen ? leer(wert) : wert == " ") {
    z.teil("</td>  <td> &nbsp;");
  } else {
    z.teil("</td>  <td>");
    htmlText(z, wert);
  }
}

// --- DIF -------------------------------------------------------------------

void difZelle(TZeilen& z, std::string_view wert) {
  z.zeile("1,0");
  z.teil("\"").teil(wert).teil(" \"").ende();
}

void difZeile(TZeilen& z) {
  z.zeile("-1,0");
  z.zeile("BOT");
}

// A cell holding one space. Written in quotes like every other string value:
// spreadsheet programs reject an unquoted value line and with it the whole file.
void difLeerzelle(TZeilen& z) {
  z.zeile("1,0");
  z.zeile("\" \"");
}

}  // namespace

const char* themaName(int index) { return thema(index).name; }

std::string reportTxt(const TDatBas& db, const TReportOptionen& o) {
  const int n = db.get_anzahl();
  TZeilen z(schaetzung(db, 160));
  z.zeile(" ");
  if (n == 1) z.zeile(" Die CD-Sammlung enth\xE4lt 1 Eintrag.");
  else z.teil(" Die CD-Sammlung enth\xE4lt ").zahl(n).teil(" Eintr\xE4ge.").ende();
  z.zeile(" ");
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    db.get_datensatz(i, d);
    z.teil(" ");
    if (o.nummerierung) z.zahl(i).teil(" ");
    z.teil(d.Interpret.sicht());
    if (!leer(d.Titel.sicht())) z.teil(" - ").teil(d.Titel.sicht());
    if (o.genre && !leer(d.Genre.sicht())) z.teil(" [Genre: ").teil(d.Genre.sicht()).teil(" ]");
    if (o.label && !leer(d.Label.sicht())) z.teil(" [Label: ").teil(d.Label.sicht()).teil(" ]");
    if (o.release && !leer(d.Release.sicht())) z.teil(" [Release ").teil(d.Release.sicht()).teil(" ]");
    z.ende();
  }
  z.zeile(" ");
  z.zeile(" ");
  z.teil(" ").teil(std::string(66, '_')).teil(" ").ende();
  z.teil(" Diese CD-Sammlung wurde erstellt mit: Vemla [").teil(PROGRAMM_HOMEPAGE).teil("]").ende();
  z.teil(" ").teil(CREDIT_VORSPANN).teil(MACHER_NAME).teil(" [").teil(MACHER_ADRESSE).teil("]").ende();
  z.teil(" ").teil(std::string(57, '\xAF')).teil(" ").ende();
  z.zeile(" ");
  z.zeile(" ");
  return z.fertig();
}

std::string reportHtml(const TDatBas& db, const TReportOptionen& o, int themaIndex) {
  const int n = db.get_anzahl();
  const TThema& t = thema(themaIndex);
  const std::string hp = PROGRAMM_HOMEPAGE, ap = MACHER_ADRESSE;
  TZeilen z(schaetzung(db, 220));
  const std::string trenner = "    <!-- " + std::string(88, '-') + " -->";
  z.zeile("<html>");
  z.zeile(trenner);
  z.teil("    <!-- This file was done with:         Vemla [ ").teil(hp).teil("  ,  ").teil(ap).teil(" ] -->").ende();
  z.teil("    <!-- Diese Datei wurde erstellt mit:  Vemla [ ").teil(hp).teil("  ,  ").teil(ap).teil(" ] -->").ende();
  z.zeile(trenner);
  z.zeile(" <head>");
  z.zeile("  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
  z.zeile("  <title>CD-Sammlung (Vemla - Dokument)</title>");
  z.zeile(" </head>");
  themenblock(z, themaIndex >= 0 && themaIndex < THEMEN_ANZAHL ? themaIndex : THEMA_WEISS);
  z.zeile("<center>");
  z.zeile(" [ <a href=\"javascript:window.close()\">Fenster schliessen</a> ]<br>");
  z.zeile(" [ <a href=\"#ende\" title=\"zum Ende der Seite\">nach unten</a> ]");
  z.zeile("<br>");
  z.zeile(" ");
  z.zeile(" ");
  z.zeile("<table width=980 border=0>");
  z.zeile(" ");
  if (n == 1) z.zeile(" <tr><td>Die CD-Sammlung enth\xE4lt 1 Eintrag.<br>&nbsp;<br></td></tr> ");
  else z.teil(" <tr><td>Die CD-Sammlung enth\xE4lt ").zahl(n).teil(" Eintr\xE4ge.<br>&nbsp;<br></td></tr> ").ende();
  z.teil(" <table width=985 border=1 cellspacing=1 cellpadding=1 bordercolorlight=\"")
      .teil(farbe(t, BL)).teil("\" bordercolordark=\"").teil(farbe(t, BD)).teil("\">").ende();

  if (o.nummerierung) z.zeile(" <tr><td><b><u>#</u></b></td> ");
  z.zeile(o.nummerierung ? " <td><b><u>Interpret</u></b></td> " : " <tr><td><b><u>Interpret</u></b></td> ");
  z.zeile(" <td><b><u>Titel</u></b></td> ");
  if (o.genre) z.zeile(" <td><b><u>Genre</u></b></td> ");
  if (o.label) z.zeile(" <td><b><u>Label</u></b></td> ");
  if (o.release) z.zeile(" <td><b><u>Release</u></b></td> ");
  z.zeile(" </tr> ");

  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    db.get_datensatz(i, d);
    z.teil("<tr>");
    if (o.nummerierung) z.teil(" <td>").zahl(i).teil("</td>");
    if (d.Interpret.sicht() == " ") {
      z.teil("  <td> &nbsp;");
    } else {
      z.teil("  <td>");
      htmlText(z, d.Interpret.sicht());
    }
    htmlZelle(z, d.Titel.sicht(), false);
    if (o.genre) htmlZelle(z, d.Genre.sicht(), true);
    if (o.label) htmlZelle(z, d.Label.sicht(), true);
    if (o.release) htmlZelle(z, d.Release.sicht(), true);
    z.teil(" </td></tr> ").ende();
  }

  z.zeile(" ");
  z.zeile(" </table><br>");
  z.zeile(" ");
  z.zeile(" ");
  z.zeile(" <table><tr><td>");
  z.zeile("    Diese CD-Sammlung wurde erstellt mit: ");
  z.teil("    <a href=\"").teil(hp).teil("\" target=\"_blank\" title=\"").teil(ohneSchema(hp)).teil("\">Vemla</a>").ende();
  z.teil("    [ ").teil(CREDIT_VORSPANN).teil("<a href=\"").teil(ap).teil("\" target=\"_blank\" title=\"")
      .teil(ohneSchema(ap)).teil("\">").teil(MACHER_NAME).teil("</a> ]<br>").ende();
  z.zeile(" </td></tr></table>");
  z.zeile("<br>");
  z.zeile(" [ <a href=\"#top\" title=\"zum Anfang der Seite\">nach oben</a> ]<br>");
  z.zeile(" [ <a href=\"javascript:window.close()\">Fenster schliessen</a> ]");
  z.zeile("</center><br>");
  z.zeile("<a name=\"ende\"></a>");
  z.zeile("<br>");
  z.zeile("<table><tr><td>");
  z.zeile(" <font size=\"-2\">");
  z.zeile(" Die Ansicht dieser Seite wurde f&uuml;r folgende Einstellungen optimiert: <br>");
  z.zeile(" <u>Browser</u>:&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Internet Explorer (ab 4.x), Opera (ab 4.x)<br>");
  z.zeile(" <u>Aufl&ouml;sung</u>:&nbsp;&nbsp;1024*768 Pixel");
  z.zeile(" </font>");
  z.zeile("</td></tr></table>");
  z.zeile("<br>");
  z.zeile("</body>");
  z.zeile("</html>");
  return z.fertig();
}

std::string reportDif(const TDatBas& db, const TReportOptionen& o) {
  const int n = db.get_anzahl();
  TZeilen z(schaetzung(db, 120));
  for (const char* k : {"TABLE", "0,1", "\"EXCEL\"", "VECTORS", "0,18", "\"\"", "TUPLES", "0,8", "\"\"", "DATA", "0,0",
                        "\"\""})
    z.zeile(k);
  difZeile(z);
  difLeerzelle(z);
  z.zeile("1,0");
  z.teil("\"Die CD-Sammlung enthaelt ").zahl(n).teil(" Eintr\xE4ge\"").ende();
  difZeile(z);
  difZeile(z);
  auto titel = [&z](const char* t) {
    z.zeile("1,0");
    z.teil("\"").teil(t).teil("\"").ende();
  };
  if (o.nummerierung) titel("Nummer");
  titel("Interpret");
  titel("Titel");
  if (o.genre) titel("Genre");
  if (o.label) titel("Label");
  if (o.release) titel("Release");
  difZeile(z);
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    db.get_datensatz(i, d);
    difZeile(z);
    if (o.nummerierung) difZelle(z, std::to_string(i));
    difZelle(z, d.Interpret.sicht());
    difZelle(z, d.Titel.sicht());
    if (o.genre) difZelle(z, d.Genre.sicht());
    if (o.label) difZelle(z, d.Label.sicht());
    if (o.release) difZelle(z, d.Release.sicht());
  }
  difZeile(z);
  difLeerzelle(z);
  difZeile(z);
  difLeerzelle(z);
  z.zeile("1,0");
  z.teil("\"Diese CD-Sammlung wurde erstellt mit: Vemla  [ ").teil(PROGRAMM_HOMEPAGE).teil(" ]\"").ende();
  z.zeile("-1,0");
  z.zeile("EOD");
  return z.fertig();
}

std::string reportDateiname(TReportArt art, const std::string& name) {
  auto endet = [&name](std::string_view e) {
    return name.size() >= e.size() && std::string_view(name).substr(name.size() - e.size()) == e;
  };
  switch (art) {
    case TReportArt::Txt: return endet(".txt") ? name : name + ".txt";
    case TReportArt::Html: return endet(".html") || endet(".htm") ? name : name + ".html";
    case TReportArt::Dif: return endet(".dif") ? name : name + ".dif";
  }
  return name;
}

void reportSchreiben(const std::string& pfad, const std::string& inhalt) {
  dateiSicherSchreiben(pfad, inhalt.data(), inhalt.size());
}
