// The report writers against hand-written expected files, line by line and
// byte for byte, and the file they write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/UDatbas.h"
#include "core/UFehler.h"
#include "report/UReport.h"
#include "tests/support/TempOrdner.h"

namespace {

std::string erwartet(const std::string& name) {
  const auto pfad = std::filesystem::path(VEMLA_QUELLORDNER) / "tests/report/erwartet" / name;
  std::ifstream f(pfad, std::ios::binary);
  EXPECT_TRUE(f.good()) << pfad;
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TDatBas sammlung(std::initializer_list<TDatensatz> eintraege) {
  TDatBas db;
  for (const auto& d : eintraege) db.add_datensatz(d);
  return db;
}

// One entry as in the examples of the reports.
TDatBas eins() { return sammlung({datensatzAus("Muster-Band", "Beispiel-Album", "Eigenlabel", "1991", "", "Rock", "")}); }

// Blank, one-space and two-space fields, umlauts, "€" (0x80), a quote and markup characters.
TDatBas drei() {
  return sammlung({
      datensatzAus("Die \xC4rzte", "Ger\xE4usch", "Hot & <Action>", "2003", "CD - Album (2 CDs)", "Punk Rock", "K"),
      datensatzAus(" ", " ", "", " ", "", "  ", ""),
      datensatzAus("", "  ", "Preis 5 \x80", "1991", "", "Say \"hi\" there", ""),
  });
}

constexpr TReportOptionen ALLE{true, true, true, true};
constexpr TReportOptionen KEINE{false, false, false, false};

// Splits at CR LF; a line ending in anything else shows up as a failure.
std::vector<std::string> zeilen(const std::string& text) {
  std::vector<std::string> r;
  std::size_t von = 0;
  while (von < text.size()) {
    const auto p = text.find("\r\n", von);
    if (p == std::string::npos) {
      r.push_back("<ohne CR LF>" + text.substr(von));
      break;
    }
    r.push_back(text.substr(von, p - von));
    von = p + 2;
  }
  return r;
}

// Compares line by line first, so a failure names the line.
void gleich(const std::string& ist, const std::string& soll, const std::string& was) {
  const auto a = zeilen(ist), b = zeilen(soll);
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) EXPECT_EQ(a[i], b[i]) << was << " Zeile " << i + 1;
  EXPECT_EQ(a.size(), b.size()) << was;
  EXPECT_TRUE(ist == soll) << was;
}

}  // namespace

TEST(Report, ByteGenauWieErwartet) {
  struct Fall {
    const char* datei;
    std::function<std::string()> bericht;
  } faelle[] = {
      {"txt_leer.txt", [] { return reportTxt(TDatBas(), ALLE); }},
      {"txt_eins.txt", [] { return reportTxt(eins(), ALLE); }},
      {"txt_drei_alle.txt", [] { return reportTxt(drei(), ALLE); }},
      {"txt_drei_keine.txt", [] { return reportTxt(drei(), KEINE); }},
      {"html_leer_weiss.html", [] { return reportHtml(TDatBas(), ALLE, THEMA_WEISS); }},
      {"html_eins_blau.html", [] { return reportHtml(eins(), ALLE, THEMA_BLAU); }},
      {"html_drei_alle_gelb.html", [] { return reportHtml(drei(), ALLE, THEMA_GELB); }},
      {"html_drei_keine_rot.html", [] { return reportHtml(drei(), KEINE, THEMA_ROT); }},
      {"html_drei_gen_rel_schwarz.html", [] { return reportHtml(drei(), {false, true, false, true}, THEMA_SCHWARZ); }},
      {"dif_leer.dif", [] { return reportDif(TDatBas(), ALLE); }},
      {"dif_eins_num_gen.dif", [] { return reportDif(eins(), {true, true, false, false}); }},
      {"dif_drei_alle.dif", [] { return reportDif(drei(), ALLE); }},
      {"dif_drei_keine.dif", [] { return reportDif(drei(), KEINE); }},
  };
  for (const auto& f : faelle) gleich(f.bericht(), erwartet(f.datei), f.datei);
}

TEST(Report, ThemenblockJedesThemas) {
  const char* namen[] = {"blau", "gelb", "grau", "gruen", "rot", "schwarz", "weiss"};
  for (int i = 0; i < THEMEN_ANZAHL; ++i) {
    EXPECT_STREQ(themaName(i), namen[i]);
    const auto seite = zeilen(reportHtml(eins(), ALLE, i));
    ASSERT_GT(seite.size(), 23u);
    std::string block;
    for (std::size_t z = 9; z < 23; ++z) block += seite[z] + "\r\n";
    gleich(block, erwartet(std::string("thema_") + namen[i] + ".txt"), namen[i]);
  }
  // An index outside the list is taken as "weiss", never read past the table.
  EXPECT_EQ(reportHtml(eins(), ALLE, 7), reportHtml(eins(), ALLE, THEMA_WEISS));
  EXPECT_EQ(reportHtml(eins(), ALLE, -1), reportHtml(eins(), ALLE, THEMA_WEISS));
}

// Every combination of the four options on one entry's line.
TEST(Report, TextzeileJeOptionen) {
  const char* soll[16] = {
      " Muster-Band - Beispiel-Album",
      " Muster-Band - Beispiel-Album [Release 1991 ]",
      " Muster-Band - Beispiel-Album [Label: Eigenlabel ]",
      " Muster-Band - Beispiel-Album [Label: Eigenlabel ] [Release 1991 ]",
      " Muster-Band - Beispiel-Album [Genre: Rock ]",
      " Muster-Band - Beispiel-Album [Genre: Rock ] [Release 1991 ]",
      " Muster-Band - Beispiel-Album [Genre: Rock ] [Label: Eigenlabel ]",
      " Muster-Band - Beispiel-Album [Genre: Rock ] [Label: Eigenlabel ] [Release 1991 ]",
      " 1 Muster-Band - Beispiel-Album",
      " 1 Muster-Band - Beispiel-Album [Release 1991 ]",
      " 1 Muster-Band - Beispiel-Album [Label: Eigenlabel ]",
      " 1 Muster-Band - Beispiel-Album [Label: Eigenlabel ] [Release 1991 ]",
      " 1 Muster-Band - Beispiel-Album [Genre: Rock ]",
      " 1 Muster-Band - Beispiel-Album [Genre: Rock ] [Release 1991 ]",
      " 1 Muster-Band - Beispiel-Album [Genre: Rock ] [Label: Eigenlabel ]",
      " 1 Muster-Band - Beispiel-Album [Genre: Rock ] [Label: Eigenlabel ] [Release 1991 ]",
  };
  for (int m = 0; m < 16; ++m) {
    const TReportOptionen o{(m & 8) != 0, (m & 4) != 0, (m & 2) != 0, (m & 1) != 0};
    EXPECT_EQ(zeilen(reportTxt(eins(), o)).at(3), soll[m]) << m;
  }
  // Titel and Genre blank, the rest on: the example of a short line; an empty Interpret keeps its line.
  TDatBas db = sammlung({datensatzAus("a", "b", "", "", "", "", ""), datensatzAus("c", "d", "", "", "", "", ""),
                         datensatzAus("", "x", "", "", "", "", ""), datensatzAus("e", "f", "", "", "", "", ""),
                         datensatzAus("g", "h", "", "", "", "", ""), datensatzAus("i", "j", "", "", "", "", ""),
                         datensatzAus("Muster-Band", " ", "Eigenlabel", "1991", "", " ", "")});
  const auto z = zeilen(reportTxt(db, ALLE));
  EXPECT_EQ(z.at(5), " 3  - x");
  EXPECT_EQ(z.at(9), " 7 Muster-Band [Label: Eigenlabel ] [Release 1991 ]");
}

TEST(Report, HtmlZeilenJeOptionen) {
  // Numbering, genre and release on, label off, Genre "Rock", Release blank.
  const TDatBas db = sammlung({datensatzAus("Muster-Band", "Beispiel-Album", "L", " ", "", "Rock", "")});
  const auto z = zeilen(reportHtml(db, {true, true, false, true}, THEMA_WEISS));
  const std::vector<std::string> kopf(z.begin() + 33, z.begin() + 39);
  EXPECT_EQ(kopf, (std::vector<std::string>{" <tr><td><b><u>#</u></b></td> ", " <td><b><u>Interpret</u></b></td> ",
                                            " <td><b><u>Titel</u></b></td> ", " <td><b><u>Genre</u></b></td> ",
                                            " <td><b><u>Release</u></b></td> ", " </tr> "}));
  EXPECT_EQ(z.at(39), "<tr> <td>1</td>  <td>Muster-Band</td>  <td>Beispiel-Album</td>  <td>Rock</td>  <td> &nbsp; </td></tr> ");
}

TEST(Report, Dateinamen) {
  struct Fall {
    TReportArt art;
    const char* name;
    const char* soll;
  } faelle[] = {
      {TReportArt::Txt, "liste", "liste.txt"},           {TReportArt::Txt, "liste.txt", "liste.txt"},
      {TReportArt::Txt, "liste.TXT", "liste.TXT.txt"},   {TReportArt::Txt, "/a.b/liste", "/a.b/liste.txt"},
      {TReportArt::Html, "liste", "liste.html"},         {TReportArt::Html, "liste.htm", "liste.htm"},
      {TReportArt::Html, "liste.html", "liste.html"},    {TReportArt::Html, "liste.HTML", "liste.HTML.html"},
      {TReportArt::Html, "liste.txt", "liste.txt.html"}, {TReportArt::Dif, "liste", "liste.dif"},
      {TReportArt::Dif, "liste.dif", "liste.dif"},       {TReportArt::Dif, "liste.DIF", "liste.DIF.dif"},
      {TReportArt::Txt, "", ".txt"},
  };
  for (const auto& f : faelle) EXPECT_EQ(reportDateiname(f.art, f.name), f.soll) << f.name;
}

// The limit of 4000 entries, each field full: every line is there, in order.
TEST(Report, VolleSammlung) {
  TDatBas db;
  const std::string voll(255, 'x');
  for (int i = 1; i <= MAX_DATENSAETZE; ++i)
    db.add_datensatz(datensatzAus("I" + std::to_string(i), voll, voll, voll, voll, voll, voll));
  const auto txt = zeilen(reportTxt(db, ALLE));
  ASSERT_EQ(txt.size(), 3u + 4000u + 8u);
  EXPECT_EQ(txt[1], " Die CD-Sammlung enth\xE4lt 4000 Eintr\xE4ge.");
  EXPECT_EQ(txt[4002], " 4000 I4000 - " + voll + " [Genre: " + voll + " ] [Label: " + voll + " ] [Release " + voll + " ]");
  const auto html = zeilen(reportHtml(db, ALLE, THEMA_BLAU));
  ASSERT_EQ(html.size(), 40u + 4000u + 25u);
  EXPECT_EQ(html[40 + 3999].substr(0, 26), "<tr> <td>4000</td>  <td>I4");
  const auto dif = zeilen(reportDif(db, ALLE));
  ASSERT_EQ(dif.size(), 12u + 6u + 2u + 14u + 2u + 4000u * 14u + 4u + 6u + 2u);
  EXPECT_EQ(dif[dif.size() - 14 - 12 + 3], "\"4000 \"");
}

TEST(Report, SchreibenErsetztGanz) {
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("r.txt");
  dateiSchreiben(pfad, std::string(100000, 'a'));
  reportSchreiben(pfad, "neu\r\n");
  EXPECT_EQ(dateiInhalt(pfad), "neu\r\n");
  EXPECT_EQ(std::filesystem::directory_iterator(tmp.pfad()) != std::filesystem::directory_iterator(), true);
  int dateien = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(tmp.pfad())) ++dateien;
  EXPECT_EQ(dateien, 1);  // no temporary file left behind
}

TEST(Report, SchreibfehlerLassenDateiUnveraendert) {
  TempOrdner tmp;
  const std::string ordner = tmp.pfad("nur-lesen");
  std::filesystem::create_directory(ordner);
  const std::string pfad = ordner + "/r.html";
  dateiSchreiben(pfad, "alt");
  ::chmod(ordner.c_str(), 0555);
  {
    OhneRootRechte ohne;
    try {
      reportSchreiben(pfad, "neu");
      ADD_FAILURE() << "kein Fehler";
    } catch (const EEAFehler& e) {
      EXPECT_STREQ(e.what(), "Dateizugriff verweigert");
    }
  }
  ::chmod(ordner.c_str(), 0755);
  EXPECT_EQ(dateiInhalt(pfad), "alt");

  std::filesystem::create_symlink("/dev/full", tmp.pfad("voll.dif"));
  try {
    reportSchreiben(tmp.pfad("voll.dif"), reportDif(drei(), ALLE));
    ADD_FAILURE() << "kein Fehler";
  } catch (const EEAFehler& e) {
    EXPECT_STREQ(e.what(), "Zu wenig Speicherplatz");
  }
}

// The build places one example page per theme beside the program, written by the HTML writer.
TEST(Report, BeispielseitenBeimProgramm) {
  const char* hintergrund[] = {"101060", "FFD520", "768380", "108030", "C04040", "000000", "FFFFFF"};
  for (int i = 0; i < THEMEN_ANZAHL; ++i) {
    const std::string pfad = std::string(VEMLA_BAUORDNER) + "/" + themaName(i) + ".html";
    const auto z = zeilen(dateiInhalt(pfad));
    ASSERT_EQ(z.size() > 40, true) << pfad;
    EXPECT_EQ(z.front(), "<html>") << pfad;
    // The character set right after the head line, as in every report.
    EXPECT_EQ(z.at(6), "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">") << pfad;
    EXPECT_EQ(z.at(22), std::string("<body bgcolor=\"#") + hintergrund[i] + "\">") << pfad;
    EXPECT_EQ(z.back(), "</html>") << pfad;
  }
}
