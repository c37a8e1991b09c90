#pragma once
// The main window's reports: the printed list, the text, HTML and DIF
// reports through their option dialogs, and the spreadsheet export; with the
// save dialogs and the printer, whose state lives for the whole run.
#include <memory>

#include "app/UPlattform.h"

class QPrinter;
class THauptFormular;

class TReportBefehle {
 public:
  explicit TReportBefehle(THauptFormular& h) : h_(h) {}

  void drucken();
  void reportHtml();
  void reportTxt();
  void reportDif();
  void xls1Click();
  // Prints the lines of the main window's line buffer "memo" on the printer chosen last.
  void print();
  // The printer of the run: the print dialog starts from the last choice.
  QPrinter& drucker();

  TDateiDialog savedialog_xls{"CD-Sammlung exportieren: Report schreiben (Excel-Dokument)",
                              {{"Excel-Dokument (*.xls)", "*.xls"}, {"alle Dateien", "*.*"}}, "CD-Sammlung1.xls", "xls"};
  // The save dialogs of the reports; the text and DIF dialogs remember an extended name.
  TDateiDialog savedialog_txt{"CD-Sammlung exportieren: Report schreiben (Textdatei)",
                              {{"Textdateien  (*.txt)", "*.txt"}, {"alle Dateien", "*.*"}}, "CD-Sammlung1.txt", "txt"};
  TDateiDialog savedialog_html{"CD-Sammlung exportieren: Report schreiben (HTML-Datei)",
                               {{"HTML - Datei  (*.html  /  *.htm )", "*.htm*"}, {"alle Dateien", "*.*"}},
                               "CD-Sammlung1.html", "html"};
  TDateiDialog savedialog_dif{"CD-Sammlung exportieren: Report schreiben (Excel-Dokument)",
                              {{"Excel-Dokument (*.dif)", "*.dif"}, {"alle Dateien", "*.*"}}, "CD-Sammlung1.dif", "dif"};

 private:
  THauptFormular& h_;
  std::shared_ptr<QPrinter> drucker_;
};
