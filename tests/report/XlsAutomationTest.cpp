// The spreadsheet export against the installed LibreOffice: the Excel file it
// leaves behind, read back with xlrd, and what happens when saving fails.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "core/UFehler.h"
#include "report/UAutomation.h"
#include "report/UReportXls.h"
#include "tests/report/Werkzeuge.h"
#include "tests/support/TempOrdner.h"
#include "tests/support/TestPlattform.h"

namespace {

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

using Tabelle = std::vector<std::vector<QString>>;  // [row][column]

TZellen zellenAus(const Tabelle& t) {
  return {static_cast<int>(t.front().size()), static_cast<int>(t.size()),
          [t](int spalte, int zeile) { return t[zeile][spalte]; }};
}

const std::vector<QString> KOPF = {"#", "Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"};

class XlsExport : public ::testing::Test {
 protected:
  QString pfad(const std::string& name) { return QString::fromStdString(tmp_.pfad(name)); }
  TTestPlattform plattform_;
  TempOrdner tmp_;
};

TEST_F(XlsExport, DreiEintraegeAlsExcel97Mappe) {
  const Tabelle t = {KOPF,
                     {"1", "Ärzte", "Geräusch", "Hot Action", "2003", "CD", "Punk", "Preis 12 €"},
                     {"2", "ABBA", " ", "", "1976", "LP", "", ""},
                     {"3", "Björk", "Homogenic", "One Little Indian", "1997", "CD", "Elektronik", "ß «»"}};
  const QString datei = pfad("sammlung.xls");
  ASSERT_TRUE(report_xls(zellenAus(t), datei));
  EXPECT_EQ(plattform_.automationen, std::vector<QString>{"Excel.Application"});

  const TXlsMappe m = xlsLesen(datei);
  EXPECT_EQ(m.biffVersion, 80);  // BIFF8: Excel 97 and later
  EXPECT_EQ(m.blaetter, QStringList{"My Sheet Name"});
  ASSERT_EQ(m.zellen.size(), 4u);
  for (std::size_t r = 0; r < 4; ++r) {
    ASSERT_EQ(m.zellen[r].size(), 8u) << r;
    for (std::size_t s = 0; s < 8; ++s) {
      EXPECT_EQ(m.zellen[r][s].second, t[r][s]) << r << "," << s;
      // Text values throughout, the numbers of column "#" too; nothing in empty cells.
      EXPECT_EQ(m.zellen[r][s].first, t[r][s].isEmpty() ? 0 : 1) << r << "," << s;
    }
  }
}

TEST_F(XlsExport, VierTausendEintraege) {
  Tabelle t = {KOPF};
  for (int n = 1; n <= 4000; ++n) {
    std::vector<QString> reihe = {QString::number(n)};
    for (int s = 1; s < 8; ++s) reihe.push_back(QString("F%1 Nr %2 äö€").arg(s).arg(n));
    t.push_back(reihe);
  }
  const QString datei = pfad("gross.xls");
  ASSERT_TRUE(report_xls(zellenAus(t), datei));
  const TXlsMappe m = xlsLesen(datei);
  ASSERT_EQ(m.zellen.size(), 4001u);
  EXPECT_EQ(m.zellen[1][0].second, "1");
  EXPECT_EQ(m.zellen[4000][0].second, "4000");
  EXPECT_EQ(m.zellen[4000][7].second, "F7 Nr 4000 äö€");
  EXPECT_EQ(m.zellen[2345][3].second, "F3 Nr 2345 äö€");
}

TEST_F(XlsExport, AlteDateiWirdErsetzt) {
  const QString datei = pfad("alt.xls");
  dateiSchreiben(datei.toStdString(), "alter Inhalt");
  ASSERT_TRUE(report_xls(zellenAus({KOPF, {"1", "A", "B", "", "", "", "", ""}}), datei));
  EXPECT_EQ(xlsLesen(datei).zellen.at(1).at(2).second, "B");
  EXPECT_EQ(QDir(pfad("")).entryList(QDir::Files), QStringList{"alt.xls"});  // no temporary file left behind
}

TEST_F(XlsExport, OhneLibreOfficeKeineAnwendung) {
  QDir().mkdir(pfad("leer"));
  UmgebungSetzen pfadOhneSoffice("PATH", QFile::encodeName(pfad("leer")));
  try {
    report_xls(zellenAus({KOPF}), pfad("x.xls"));
    FAIL() << "no error";
  } catch (const EVemlaFehler& e) {
    EXPECT_STREQ(e.what(), "Ungültige Klassenzeichenfolge");
  }
  EXPECT_FALSE(QFile::exists(pfad("x.xls")));
  EXPECT_THROW(automationErzeugen("Word.Application"), EVemlaFehler);
}

// soffice says it succeeded but left nothing, or half a file: the save fails, the old file stays.
TEST_F(XlsExport, UnvollstaendigeAusgabeIstKeinErfolg) {
  for (const QString art : {"nichts", "halb"}) {
    const QString ordner = pfad(art.toStdString());
    QDir().mkdir(ordner);
    sofficeAttrappe(ordner, art);
    UmgebungSetzen nurAttrappe("PATH", QFile::encodeName(ordner));
    const QString datei = pfad("bestand.xls");
    dateiSchreiben(datei.toStdString(), "alte Mappe");
    EXPECT_FALSE(report_xls(zellenAus({KOPF}), datei)) << art.toStdString();
    EXPECT_EQ(dateiInhalt(datei.toStdString()), "alte Mappe") << art.toStdString();
  }
}

TEST_F(XlsExport, SchreibgeschuetzterOrdner) {
  ::chmod(tmp_.pfad().c_str(), 0755);  // the unprivileged user may look inside
  const QString ordner = pfad("attrappe");
  QDir().mkdir(ordner);
  ::chmod(ordner.toLocal8Bit().constData(), 0755);
  sofficeAttrappe(ordner, "ganz");
  UmgebungSetzen nurAttrappe("PATH", QFile::encodeName(ordner));
  const QString geschuetzt = pfad("geschuetzt");
  QDir().mkdir(geschuetzt);
  const QString datei = geschuetzt + "/bestand.xls";
  dateiSchreiben(datei.toStdString(), "alte Mappe");
  ::chmod(datei.toLocal8Bit().constData(), 0644);
  ::chmod(geschuetzt.toLocal8Bit().constData(), 0555);
  bool gespeichert = true;
  {
    OhneRootRechte ohneRoot;
    gespeichert = report_xls(zellenAus({KOPF}), datei);
  }
  EXPECT_FALSE(gespeichert);
  EXPECT_EQ(dateiInhalt(datei.toStdString()), "alte Mappe");
  // The same stand-in saves into a writable folder: the refusal above came from the folder.
  EXPECT_TRUE(report_xls(zellenAus({KOPF}), pfad("frei.xls")));
}

}  // namespace
