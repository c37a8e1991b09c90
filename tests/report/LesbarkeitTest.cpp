// The reports read back by real readers: the HTML page by Python's HTML parser,
// the DIF table by LibreOffice Calc.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include "core/UCodepage.h"
#include "core/UDatbas.h"
#include "report/UReport.h"
#include "tests/support/TempOrdner.h"

namespace {

// Prints the text of every table cell (entities resolved) and the names of all start tags.
const char* HTML_LESER = R"(
import html.parser, json, sys
class Leser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.zellen, self.tags, self.in_zelle = [], set(), False
    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        if tag == 'td':
            self.zellen.append('')
            self.in_zelle = True
    def handle_endtag(self, tag):
        if tag == 'td':
            self.in_zelle = False
    def handle_data(self, data):
        if self.in_zelle:
            self.zellen[-1] += data
leser = Leser()
leser.feed(open(sys.argv[1], encoding='cp1252').read())
print(json.dumps({'zellen': leser.zellen, 'tags': sorted(leser.tags)}))
)";

QString ausfuehren(const QString& programm, const QStringList& argumente, int sekunden = 120) {
  QProcess p;
  p.start(programm, argumente);
  EXPECT_TRUE(p.waitForFinished(sekunden * 1000)) << programm.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Splits CSV text into rows of cells ("" doubled inside quotes).
std::vector<QStringList> csv(const QString& text) {
  std::vector<QStringList> zeilen(1);
  QString zelle;
  bool inAnf = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (inAnf) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        zelle += '"';
        ++i;
      } else if (c == '"') {
        inAnf = false;
      } else {
        zelle += c;
      }
    } else if (c == '"') {
      inAnf = true;
    } else if (c == ',') {
      zeilen.back() << zelle;
      zelle.clear();
    } else if (c == '\n') {
      zeilen.back() << zelle;
      zelle.clear();
      zeilen.emplace_back();
    } else if (c != '\r') {
      zelle += c;
    }
  }
  if (!zelle.isEmpty() || !zeilen.back().isEmpty()) zeilen.back() << zelle;
  if (zeilen.back().isEmpty()) zeilen.pop_back();
  // Trailing empty cells say nothing about the table's content.
  for (auto& z : zeilen)
    while (!z.isEmpty() && z.back().isEmpty()) z.removeLast();
  return zeilen;
}

}  // namespace

TEST(Lesbarkeit, HtmlZeigtFeldwerteAlsText) {
  TDatBas db;
  db.add_datensatz(datensatzAus("<script>alert(1)</script>", "<b>Fett</b> & Co", "a>b", " ", "", "R&amp;B", ""));
  db.add_datensatz(datensatzAus(" ", "Ger\xE4usch \x80", "", "1999", "", "  ", ""));
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("seite.html");
  reportSchreiben(pfad, reportHtml(db, TReportOptionen{}, THEMA_BLAU));
  const QString aus = ausfuehren("/usr/bin/python3", {"-c", HTML_LESER, QString::fromStdString(pfad)});
  const QJsonObject o = QJsonDocument::fromJson(aus.toUtf8()).object();
  QStringList zellen;
  for (const auto& z : o["zellen"].toArray()) zellen << z.toString();
  const QString nbsp(QChar(0xA0));
  const QStringList soll = {
      "Die CD-Sammlung enthält 2 Einträge." + nbsp,
      "#", "Interpret", "Titel", "Genre", "Label", "Release",
      "1", "<script>alert(1)</script>", "<b>Fett</b> & Co", "R&amp;B", "a>b", " " + nbsp + " ",
      "2", " " + nbsp, "Geräusch €", "  ", " " + nbsp, "1999 "};
  ASSERT_GE(zellen.size(), soll.size());
  EXPECT_EQ(zellen.mid(0, soll.size()), soll);
  for (const auto& t : o["tags"].toArray()) EXPECT_NE(t.toString(), "script");
}

TEST(Lesbarkeit, DifInLibreOffice) {
  const QString soffice = QStandardPaths::findExecutable("soffice");
  ASSERT_FALSE(soffice.isEmpty()) << "LibreOffice (soffice) fehlt: Paket libreoffice-calc-nogui";
  TDatBas db;
  db.add_datensatz(datensatzAus("Die \xC4rzte", "Ger\xE4usch", "Hot & <Action>", "2003", "", "Punk Rock", ""));
  db.add_datensatz(datensatzAus(" ", " ", "", " ", "", "  ", ""));
  db.add_datensatz(datensatzAus("", "  ", "Preis 5 \x80", "1991", "", "Say \"hi\" there", ""));
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("tabelle.dif");
  reportSchreiben(pfad, reportDif(db, TReportOptionen{}));
  // A profile of its own, so that parallel runs do not share one. The character set is
  // named "ANSI": LibreOffice takes the number "1252" as an encoding number of its own
  // and then reads the byte 0x80 as a control character instead of "€".
  ausfuehren(soffice, {"-env:UserInstallation=file://" + QString::fromStdString(tmp.pfad("profil")), "--headless",
                       "--infilter=DIF:ANSI", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1",
                       "--outdir", QString::fromStdString(tmp.pfad()), QString::fromStdString(pfad)});
  // soffice ends with 0 also when it failed: the output file tells.
  ASSERT_TRUE(std::filesystem::exists(tmp.pfad("tabelle.csv")));
  const auto zeilen = csv(QString::fromUtf8(dateiInhalt(tmp.pfad("tabelle.csv"))));
  const std::vector<QStringList> soll = {
      {" ", "Die CD-Sammlung enthaelt 3 Einträge"},
      {},
      {"Nummer", "Interpret", "Titel", "Genre", "Label", "Release"},
      {},
      {"1 ", "Die Ärzte ", "Geräusch ", "Punk Rock ", "Hot & <Action> ", "2003 "},
      {"2 ", "  ", "  ", "   ", " ", "  "},
      {"3 ", " ", "   ", "Say \"hi\" there ", "Preis 5 € ", "1991 "},
      {" "},
      {" ", "Diese CD-Sammlung wurde erstellt mit: Vemla  [ https://www.vemla.de ]"},
  };
  ASSERT_EQ(zeilen.size(), soll.size());
  for (std::size_t i = 0; i < soll.size(); ++i) EXPECT_EQ(zeilen[i], soll[i]) << "Zeile " << i + 1;
}
