#pragma once
// Reading back what the printing and the spreadsheet export produced, with the
// tools of the system: poppler for PDF files, xlrd for Excel files.
#include <QByteArray>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

// Runs a program and returns what it wrote to standard output ("" when it failed).
QByteArray ausfuehren(const QString& programm, const QStringList& argumente);

// The text of a PDF file as "pdftotext -layout" gives it, empty lines and the form feeds
// between pages left out. Page "seite" only when given. The spaces are left out too:
// pdftotext guesses them from the gaps between glyphs (see pdfWoerter for the gaps).
QStringList pdfZeilen(const QString& pdf, int seite = 0);
int pdfSeiten(const QString& pdf);
QString pdfTitel(const QString& pdf);
// Left, top and right edge in points of every word on page 1 ("pdftotext -bbox"), in reading order.
struct TWortBox {
  QString wort;
  double links, oben, rechts;
};
// "s" without its spaces, to compare with pdfZeilen.
QString ohneLeerzeichen(const QString& s);
QStringList ohneLeerzeichen(const QStringList& l);
std::vector<TWortBox> pdfWoerter(const QString& pdf);

// An Excel file as xlrd reads it.
struct TXlsMappe {
  int biffVersion = 0;
  QStringList blaetter;
  // Cells of the first sheet, [row][column]: the cell type of xlrd (0 empty, 1 text, ...) and the text.
  std::vector<std::vector<std::pair<int, QString>>> zellen;
};
TXlsMappe xlsLesen(const QString& datei);

// Sets an environment variable for the lifetime of the object.
class UmgebungSetzen {
 public:
  UmgebungSetzen(const char* name, const QByteArray& wert);
  ~UmgebungSetzen();

 private:
  const char* name_;
  QByteArray alt_;
  bool hatteWert_;
};

// Writes a stand-in "soffice" into folder "ordner" that reports success and
// writes, for "art": "nichts" nothing, "halb" a cut-off Excel file, "ganz" a
// formally complete one, "gross" a complete one of 16 KiB.
void sofficeAttrappe(const QString& ordner, const QString& art);

// Counts how often the windows it watches are shown.
struct TZeigeZaehler : QObject {
  int gezeigt = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) ++gezeigt;
    return false;
  }
};
