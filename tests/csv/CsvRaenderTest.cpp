// Blanks at the ends of cells, and texts a spreadsheet would run as formulas:
// read back by this program and by LibreOffice Calc.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <filesystem>
#include <optional>

#include "core/UDatbas.h"
#include "csv/UCsvLesen.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UCsvZuordnung.h"
#include "tests/support/TempOrdner.h"

namespace {

TEST(CsvLesen, BlankeAnDenEndenDerZellen) {
  const std::pair<const char*, const char*> faelle[] = {
      {" Rasta Mission", "Rasta Mission"},
      {"Rasta Mission  ", "Rasta Mission"},
      {"\tTab\t", "Tab"},
      {"   ", ""},
      {"\" Rand \"", " Rand "},
      {"\"zitiert\"  ", "zitiert"},
      {"\" \"", " "},
      {"a  b", "a  b"},
      {"\xE2\x81\xA0= x", "= x"},
  };
  for (const auto& [zelle, soll] : faelle) {
    const TCsvDaten d = csvAuswerten(std::string("Titel,Jahr\r\n") + zelle + ",1\r\n");
    ASSERT_EQ(d.zeilen(), 1) << zelle;
    EXPECT_EQ(d.zelle(0, 0), soll) << zelle;
  }
}

// The cells of a flat ODF spreadsheet: whether each is a text (not a formula,
// not a number), and its text (paragraphs joined by line breaks).
std::vector<std::vector<std::pair<bool, QString>>> odsZellen(const QString& datei) {
  QFile f(datei);
  std::vector<std::vector<std::pair<bool, QString>>> r;
  if (!f.open(QIODevice::ReadOnly)) return r;
  QXmlStreamReader x(&f);
  bool alsText = false, absatz = false, imAbsatz = false;
  QString text;
  while (!x.atEnd()) {
    x.readNext();
    const QStringView n = x.name();
    if (x.isStartElement() && n == u"table-row") {
      r.emplace_back();
    } else if (x.isStartElement() && n == u"table-cell") {
      alsText = !x.attributes().hasAttribute("table:formula") && x.attributes().value("office:value-type") == u"string";
      text.clear();
      absatz = false;
    } else if (x.isStartElement() && n == u"p") {
      if (absatz) text += '\n';
      absatz = imAbsatz = true;
    } else if (x.isEndElement() && n == u"p") {
      imAbsatz = false;
    } else if (x.isStartElement() && n == u"tab") {
      text += '\t';
    } else if (x.isStartElement() && n == u"s") {
      text += QString(qMax(1, x.attributes().value("text:c").toInt()), ' ');
    } else if (x.isCharacters() && imAbsatz) {
      text += x.text();
    } else if (x.isEndElement() && n == u"table-cell" && !r.empty()) {
      r.back().emplace_back(alsText, text);
    }
  }
  return r;
}

// LibreOffice Calc reads "csv" with the import options "optionen" into a flat
// ODF spreadsheet; its cells, or nothing when LibreOffice is missing.
std::optional<std::vector<std::vector<std::pair<bool, QString>>>> calcLiest(const TempOrdner& tmp, const std::string& csv,
                                                                           const QString& optionen) {
  const QString soffice = QStandardPaths::findExecutable("soffice");
  if (soffice.isEmpty()) return std::nullopt;
  const std::string fods = csv.substr(0, csv.rfind('.')) + ".fods";
  QProcess p;
  p.start(soffice, {"-env:UserInstallation=file://" + QString::fromStdString(tmp.pfad("profil")), "--headless",
                    "--infilter=CSV:" + optionen, "--convert-to", "fods", "--outdir", QString::fromStdString(tmp.pfad()),
                    QString::fromStdString(csv)});
  EXPECT_TRUE(p.waitForFinished(120000));
  // soffice ends with 0 also when it failed: the output file tells.
  EXPECT_TRUE(std::filesystem::exists(fods)) << fods;
  return odsZellen(QString::fromStdString(fods));
}

TEST(CsvSchreiben, FormelnBleibenText) {
  struct Fall {
    const char* titel;    // Windows-1252
    const char* zeile;    // the line of the export, UTF-8
    const char* zurueck;  // what this program reads back
    const char* calc;     // what LibreOffice Calc shows, UTF-8
  };
  const Fall faelle[] = {
      {"= (Equals)", "x,\xE2\x81\xA0= (Equals),,,,,", "= (Equals)", "= (Equals)"},
      {"=HYPERLINK(\"http://127.0.0.1/\";\"klick\")",
       "x,\"\xE2\x81\xA0=HYPERLINK(\"\"http://127.0.0.1/\"\";\"\"klick\"\")\",,,,,",
       "=HYPERLINK(\"http://127.0.0.1/\";\"klick\")", "=HYPERLINK(\"http://127.0.0.1/\";\"klick\")"},
      {"-5", "x,\xE2\x81\xA0-5,,,,,", "-5", "-5"},
      {"+5", "x,\xE2\x81\xA0+5,,,,,", "+5", "+5"},
      {"@SUMME(1)", "x,\xE2\x81\xA0@SUMME(1),,,,,", "@SUMME(1)", "@SUMME(1)"},
      {"\t=1+2", "x,\"\xE2\x81\xA0\t\xE2\x81\xA0=1+2\",,,,,", " =1+2", "\t=1+2"},
      {"\r=1+2", "x,\"\xE2\x81\xA0\r\xE2\x81\xA0=1+2\",,,,,", " =1+2", "\n=1+2"},
      {"1=1 \xC4", "x,1=1 \xC3\x84,,,,,", "1=1 \xC4", "1=1 \xC3\x84"},
  };
  TDatBas db;
  std::string soll = "\xEF\xBB\xBFInterpret,Titel,Label,Release,Typ,Genre,Kommentar\r\n";
  for (const Fall& f : faelle) {
    db.add_datensatz(datensatzAus("x", f.titel, "", "", "", "", ""));
    soll += std::string(f.zeile) + "\r\n";
  }
  EXPECT_EQ(csvText(db), soll);
  const TCsvDaten d = csvAuswerten(csvText(db));
  const TCsvErgebnis e = csvUmwandeln(d, csvZuordnungErkennen(d.kopf), MAX_DATENSAETZE);
  ASSERT_EQ(e.saetze.size(), std::size(faelle));
  EXPECT_EQ(e.geaendert, 0);
  for (std::size_t i = 0; i < e.saetze.size(); ++i) EXPECT_EQ(e.saetze[i].Titel.text(), faelle[i].zurueck) << i;

  // LibreOffice Calc with its default settings for a UTF-8 CSV file.
  TempOrdner tmp;
  csvSchreiben(tmp.pfad("f.csv"), db);
  const auto gelesen = calcLiest(tmp, tmp.pfad("f.csv"), "44,34,76");
  if (!gelesen) GTEST_SKIP() << "LibreOffice (soffice) fehlt";
  const auto& zellen = *gelesen;
  ASSERT_GT(zellen.size(), std::size(faelle));
  for (std::size_t i = 0; i < std::size(faelle); ++i) {
    ASSERT_GE(zellen[i + 1].size(), 2u);
    const auto& [alsText, text] = zellen[i + 1][1];
    EXPECT_TRUE(alsText) << i;
    // The word joiner before the text is invisible.
    EXPECT_EQ(QString(text).remove(QChar(0x2060)), QString::fromUtf8(faelle[i].calc)) << i;
  }
}

// A spreadsheet that splits the lines at the semicolon or the tab (as German
// ones do for .csv) starts a cell wherever one of them stands, quotes in the
// middle of a cell read as plain text. Every such piece of an exported text
// stays text in LibreOffice Calc with its most dangerous import options
// (formulas evaluated, special numbers detected, blanks trimmed), split at
// comma, semicolon and tab, and this program reads every text back unchanged.
TEST(CsvSchreiben, FormelnInJedemStueckBleibenText) {
  struct Fall {
    const char* titel;    // Windows-1252
    const char* zeile;    // the line of the export, UTF-8 ("~" for the word joiner)
  };
  const Fall faelle[] = {
      {"x;=1+1", "x,x;~=1+1,,,,,"},
      {"x;=HYPERLINK(\"http://127.0.0.1/\")", "x,\"x;~=HYPERLINK(\"\"http://127.0.0.1/\"\")\",,,,,"},
      {"x,=1+1", "x,\"x,~=1+1\",,,,,"},
      {"x\t=1+1", "x,\"x\t~=1+1\",,,,,"},
      {"x;  =1+1", "x,x;~  =1+1,,,,,"},
      {"x;\"=1+1\"", "x,\"x;~\"\"=1+1\"\"\",,,,,"},
      {"x; \" +5", "x,\"x;~ \"\" +5\",,,,,"},
      {"a;-5;@SUMME(1)", "x,a;~-5;~@SUMME(1),,,,,"},
      {" =1+1", "x,\"~ =1+1\",,,,,"},
      {"\"=1+1\"", "x,\"~\"\"=1+1\"\"\",,,,,"},
      {"1;2 = 3", "x,1;2 = 3,,,,,"},
  };
  TDatBas db;
  std::string soll = "\xEF\xBB\xBFInterpret,Titel,Label,Release,Typ,Genre,Kommentar\r\n";
  for (const Fall& f : faelle) {
    db.add_datensatz(datensatzAus("x", f.titel, "", "", "", "", ""));
    soll += QString::fromUtf8(f.zeile).replace('~', QChar(0x2060)).toStdString() + "\r\n";
  }
  EXPECT_EQ(csvText(db), soll);
  const TCsvDaten d = csvAuswerten(csvText(db));
  const TCsvErgebnis e = csvUmwandeln(d, csvZuordnungErkennen(d.kopf), MAX_DATENSAETZE);
  ASSERT_EQ(e.saetze.size(), std::size(faelle));
  EXPECT_EQ(e.geaendert, 0);
  // A tab in a text is a blank after the round trip, as ever.
  for (std::size_t i = 0; i < e.saetze.size(); ++i)
    EXPECT_EQ(e.saetze[i].Titel.text(), QString(faelle[i].titel).replace('\t', ' ').toStdString()) << i;

  TempOrdner tmp;
  for (const char* trenner : {"44", "59", "9"}) {
    const std::string csv = tmp.pfad(std::string("t") + trenner + ".csv");
    csvSchreiben(csv, db);
    const auto zellen = calcLiest(tmp, csv, QString(trenner) + ",34,76,1,,1031,false,true,false,false,true,,true");
    if (!zellen) GTEST_SKIP() << "LibreOffice (soffice) fehlt";
    ASSERT_GT(zellen->size(), std::size(faelle)) << trenner;
    for (std::size_t i = 1; i < zellen->size(); ++i)
      for (const auto& [alsText, text] : (*zellen)[i])
        EXPECT_TRUE(alsText || text.isEmpty()) << "Trenner " << trenner << ", Zeile " << i << ": " << text.toStdString();
  }
}

}  // namespace
