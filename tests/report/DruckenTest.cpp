// The printed list: the line of an entry, the word wrap of the line buffer,
// and the pages a PDF printer gets, read back with poppler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QPrinter>

#include "app/UGlobal.h"
#include "core/UCodepage.h"
#include "core/UFehler.h"
#include "report/UDrucken.h"
#include "tests/report/Werkzeuge.h"
#include "tests/support/TempOrdner.h"

namespace {

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join("|").toStdString() << ']'; }

TDatensatz eintrag(const QString& interpret, const QString& titel, const QString& label, const QString& release,
                   const QString& genre) {
  return datensatzAus(zuCp1252(interpret), zuCp1252(titel), zuCp1252(label), zuCp1252(release), "CD",
                      zuCp1252(genre), "Kommentar");
}

TEST(Druckzeile, OptionenUndLeereFelder) {
  const TReportOptionen alle, keine{false, false, false, false};
  struct Fall {
    int n;
    TDatensatz d;
    TReportOptionen o;
    QString zeile;
  } faelle[] = {
      {12, eintrag("Muster-Band", "Beispiel-Album", "Eigenlabel", "1991", "Rock"), alle,
       "12.  Muster-Band - Beispiel-Album  [ Genre: Rock ]  [ Label: Eigenlabel ]  [ Release: 1991 ]"},
      {12, eintrag("Muster-Band", "Beispiel-Album", "Eigenlabel", "1991", "Rock"), keine,
       "Muster-Band - Beispiel-Album"},
      {1, eintrag("A", "B", "L", "R", "G"), {true, false, false, false}, "1.  A - B"},
      {7, eintrag("A", "B", "L", "R", "G"), {false, true, false, true}, "A - B  [ Genre: G ]  [ Release: R ]"},
      {3, eintrag("A", "B", "L", "R", "G"), {false, false, true, false}, "A - B  [ Label: L ]"},
      // One space counts as blank and leaves its part out; Interpret and Titel are printed as they are.
      {2, eintrag("A", " ", " ", "", " "), alle, "2.  A -  "},
      // Two spaces are not blank.
      {4000, eintrag("Ärzte", "Geräusch €", "  ", "2003", "Punk"), alle,
       "4000.  Ärzte - Geräusch €  [ Genre: Punk ]  [ Label:    ]  [ Release: 2003 ]"},
  };
  for (const auto& f : faelle) EXPECT_EQ(druckzeile(f.n, f.d, f.o), f.zeile);
}

TEST(Umbruch, KurzeZeileBleibtLangeWirdAnWortgrenzenGeteilt) {
  const QFont schrift = standardSchrift();
  const QFontMetrics m(schrift);
  EXPECT_EQ(umbrechen("1.  A - B", schrift), QStringList{"1.  A - B"});

  QString lang = "1.  Interpret";
  for (int i = 0; lang.size() < 400; ++i) lang += " Wort" + QString::number(i);
  ASSERT_GT(m.horizontalAdvance(lang), 2 * PUFFER_BREITE);
  const QStringList teile = umbrechen(lang, schrift);
  ASSERT_GE(teile.size(), 3);
  EXPECT_EQ(teile.join(""), lang);  // nothing lost or doubled
  for (const QString& t : teile) {
    EXPECT_LE(m.horizontalAdvance(t.trimmed()), PUFFER_BREITE) << t.toStdString();
    EXPECT_TRUE(t.trimmed().startsWith("Wort") || t == teile.front()) << t.toStdString();  // words stay whole
  }
  // A word wider than the buffer is cut where it has to be.
  const QString wort(300, 'W');
  const QStringList stuecke = umbrechen(wort, schrift);
  EXPECT_GE(stuecke.size(), 2);
  EXPECT_EQ(stuecke.join(""), wort);
}

class PdfDruck : public ::testing::Test {
 protected:
  void SetUp() override {
    drucker_.setOutputFormat(QPrinter::PdfFormat);
    drucker_.setOutputFileName(pdf_);
  }
  // Lines that fill one page exactly: the page ends after the line that reaches page height - 100.
  int zeilenProSeite() {
    const int h = QFontMetrics(standardSchrift(), &drucker_).height();
    return (drucker_.height() - DRUCK_UNTERER_RAND + h - 1) / h;
  }
  static QStringList nummeriert(int anzahl) {
    QStringList r;
    for (int i = 1; i <= anzahl; ++i) r << QString("%1.  Zeile").arg(i);
    return r;
  }
  TempOrdner tmp_;
  QString pdf_ = QString::fromStdString(tmp_.pfad("liste.pdf"));
  QPrinter drucker_{QPrinter::HighResolution};
};

TEST_F(PdfDruck, ZeilenInReihenfolgeUndAuftragstitel) {
  zeilenDrucken(drucker_, {"1.  Ärzte - Geräusch  [ Genre: Punk ]", "2.  ABBA - Gold", "3.  Björk - € -  "});
  EXPECT_EQ(pdfSeiten(pdf_), 1);
  EXPECT_EQ(pdfTitel(pdf_), "CD-Sammlung");
  EXPECT_EQ(pdfZeilen(pdf_), ohneLeerzeichen(QStringList{"1.  Ärzte - Geräusch  [ Genre: Punk ]", "2.  ABBA - Gold",
                                                 "3.  Björk - € -  "}));
}

TEST_F(PdfDruck, EineVolleSeiteUndEineZeileMehr) {
  const int k = zeilenProSeite();
  ASSERT_GT(k, 20);
  zeilenDrucken(drucker_, nummeriert(k));
  EXPECT_EQ(pdfSeiten(pdf_), 1);  // no blank sheet after a full last page
  EXPECT_EQ(pdfZeilen(pdf_).back(), QString("%1.Zeile").arg(k));

  zeilenDrucken(drucker_, nummeriert(k + 1));
  EXPECT_EQ(pdfSeiten(pdf_), 2);
  EXPECT_EQ(pdfZeilen(pdf_, 1).size(), k);
  EXPECT_EQ(pdfZeilen(pdf_, 2), QStringList{QString("%1.Zeile").arg(k + 1)});

  zeilenDrucken(drucker_, nummeriert(2 * k));
  EXPECT_EQ(pdfSeiten(pdf_), 2);
  EXPECT_EQ(pdfZeilen(pdf_, 2).front(), QString("%1.Zeile").arg(k + 1));
}

TEST(Seitenfolge, BereichKopienUndReihenfolge) {
  auto bereich = [](int von, int bis) {
    QPageRanges r;
    r.addRange(von, bis);
    return r;
  };
  const struct {
    TSeitenwahl wahl;
    std::vector<int> folge;
  } faelle[] = {
      {{}, {1, 2, 3, 4}},
      {{bereich(2, 2)}, {2}},
      {{bereich(3, 9)}, {3, 4}},
      {{bereich(5, 6)}, {}},
      {{{}, 1, true, true}, {4, 3, 2, 1}},
      {{bereich(2, 3), 2, true, false}, {2, 3, 2, 3}},
      {{bereich(2, 3), 2, false, false}, {2, 2, 3, 3}},
      {{bereich(1, 2), 2, false, true}, {2, 2, 1, 1}},
      {{bereich(1, 2), 3, true, true}, {2, 1, 2, 1, 2, 1}},
  };
  for (const auto& f : faelle) EXPECT_EQ(seitenfolge(4, f.wahl), f.folge) << f.wahl.seiten.toString().toStdString();
}

// What the print dialog sets on a PDF printer: the pages, copies and order it names.
TEST_F(PdfDruck, SeitenKopienUndReihenfolgeDesDialogs) {
  const int k = zeilenProSeite();
  const QStringList zeilen = nummeriert(3 * k);
  auto erste = [k](int seite) { return QString("%1.Zeile").arg((seite - 1) * k + 1); };
  const struct {
    int von, bis, kopien;
    bool sortiert, rueckwaerts;
    std::vector<int> seiten;
  } faelle[] = {
      {2, 2, 1, true, false, {2}},
      {2, 3, 2, true, false, {2, 3, 2, 3}},
      {1, 2, 2, false, true, {2, 2, 1, 1}},
      {0, 0, 1, true, true, {3, 2, 1}},
  };
  for (const auto& f : faelle) {
    drucker_.setPrintRange(f.von ? QPrinter::PageRange : QPrinter::AllPages);
    drucker_.setFromTo(f.von, f.bis);
    drucker_.setCopyCount(f.kopien);
    drucker_.setCollateCopies(f.sortiert);
    drucker_.setPageOrder(f.rueckwaerts ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
    zeilenDrucken(drucker_, zeilen);
    ASSERT_EQ(pdfSeiten(pdf_), static_cast<int>(f.seiten.size())) << f.von << "-" << f.bis;
    for (std::size_t i = 0; i < f.seiten.size(); ++i) {
      const QStringList seite = pdfZeilen(pdf_, static_cast<int>(i) + 1);
      ASSERT_EQ(seite.size(), k);
      EXPECT_EQ(seite.front(), erste(f.seiten[i])) << "Blatt " << i + 1;
    }
  }
  // A range beyond the list prints nothing and says so.
  drucker_.setPrintRange(QPrinter::PageRange);
  drucker_.setFromTo(4, 4);
  dateiSchreiben(pdf_.toStdString(), "alt");
  EXPECT_THROW(zeilenDrucken(drucker_, zeilen), EVemlaFehler);
  EXPECT_EQ(dateiInhalt(pdf_.toStdString()), "alt");
}

TEST_F(PdfDruck, LinksAchtzigObenSiebzig) {
  drucker_.setFullPage(true);  // device position 0 is the paper's edge
  zeilenDrucken(drucker_, {"Erste", "Zweite", "Dritte", "1.  Zeile"});
  const double punkte = 72.0 / drucker_.resolution();
  std::vector<TWortBox> w = pdfWoerter(pdf_);
  ASSERT_EQ(w.size(), 5u);
  // The two spaces behind the number: the gap between "1." and "Zeile".
  const double leerzeichen = QFontMetricsF(standardSchrift(), &drucker_).horizontalAdvance(' ') * punkte;
  EXPECT_EQ(w[3].wort, "1.");
  EXPECT_NEAR(w[4].links - w[3].rechts, 2 * leerzeichen, 0.3 * leerzeichen);
  w.pop_back();
  const double zeilenhoehe = QFontMetrics(standardSchrift(), &drucker_).height() * punkte;
  for (std::size_t i = 0; i < w.size(); ++i) {
    EXPECT_NEAR(w[i].links, 80 * punkte, 1.0) << w[i].wort.toStdString();
    EXPECT_NEAR(w[i].oben, 70 * punkte + i * zeilenhoehe, 1.5) << w[i].wort.toStdString();
  }
}

}  // namespace
