#pragma once
// The spreadsheet export: the cells of a grid into a workbook of the installed
// spreadsheet application, saved as an Excel file.
#include <QString>
#include <functional>

// A grid read cell by cell: text(spalte, zeile), both counted from 0.
struct TZellen {
  int spalten = 0;
  int zeilen = 0;
  std::function<QString(int spalte, int zeile)> text;
};

// Grid cell (column i, row j) lands in sheet cell (row j+1, column i+1) of the
// one worksheet "My Sheet Name". True when the workbook was saved. Errors of
// creating the application or filling the sheet are raised to the caller.
// When the file itself could not be written (a full disk, a refused folder),
// "grund" receives the runtime's text for it.
bool report_xls(const TZellen& grid, QString dateiname, QString* grund = nullptr);
