#pragma once
// The spreadsheet application driven by automation, reduced to the operations
// the spreadsheet export uses. The installed application is LibreOffice: the
// cells are collected here, written as a workbook and saved by
// "soffice --headless --convert-to xls" as an Excel 97 file.
#include <QString>
#include <memory>

// The programmatic name under which the export asks for the application.
inline const QString EXCEL_ANWENDUNG = QStringLiteral("Excel.Application");
// Asks for a new workbook with exactly one worksheet.
constexpr int XL_WBAT_WORKSHEET = -4167;

class ITabellenblatt {
 public:
  virtual ~ITabellenblatt() = default;
  // Property "Name".
  virtual void setName(const QString& name) = 0;
  // Property "Cells(zeile, spalte)", both counted from 1; the cell holds the text.
  virtual void setCells(int zeile, int spalte, const QString& text) = 0;
};

class ITabellenAnwendung {
 public:
  virtual ~ITabellenAnwendung() = default;
  // Property "Visible".
  virtual void setVisible(bool sichtbar) = 0;
  // "Workbooks.Add(vorlage)".
  virtual void WorkbooksAdd(int vorlage) = 0;
  // "Workbooks(mappe).WorkSheets(blatt)"; the object lives as long as the application.
  virtual ITabellenblatt& WorksheetsVon(int mappe, int blatt) = 0;
  // "Workbooks(mappe).saveas(dateiname)"; raises an error when the file could not be written.
  virtual void saveas(int mappe, QString& dateiname) = 0;
  // Property "DisplayAlerts".
  virtual void setDisplayAlerts(bool anzeigen) = 0;
  virtual void Quit() = 0;
};

// Creates the application registered under "name". Raises an error when there
// is none: no such name, or no LibreOffice ("soffice") on the search path.
std::unique_ptr<ITabellenAnwendung> automationErzeugen(const QString& name);
