#include "report/UReportXls.h"

#include <exception>

#include "app/UPlattform.h"
#include "core/UFehler.h"
#include "report/UAutomation.h"

bool report_xls(const TZellen& grid, QString dateiname, QString* grund) {
  bool ergebnis = false;
  std::unique_ptr<ITabellenAnwendung> excel = plattform().automationsObjekt(EXCEL_ANWENDUNG);
  if (!excel) return false;
  // Whatever happens from here on, the application is asked to end quietly.
  struct TAufraeumen {
    ITabellenAnwendung& anwendung;
    ~TAufraeumen() {
      try {
        anwendung.setDisplayAlerts(false);
        anwendung.Quit();
      } catch (const std::exception&) {
        // an application that cannot even quit is released all the same
      }
    }
  } aufraeumen{*excel};

  excel->setVisible(false);
  excel->WorkbooksAdd(XL_WBAT_WORKSHEET);
  ITabellenblatt& sheet = excel->WorksheetsVon(1, 1);
  sheet.setName("My Sheet Name");
  for (int i = 0; i < grid.spalten; ++i)
    for (int j = 0; j < grid.zeilen; ++j) sheet.setCells(j + 1, i + 1, grid.text(i, j));
  try {
    excel->saveas(1, dateiname);
    ergebnis = true;
  } catch (const EEAFehler& e) {
    // a workbook that could not be saved is answered with false
    if (grund) *grund = QString::fromUtf8(e.what()) + ".";
  } catch (const std::exception&) {
    // the same
  }
  return ergebnis;
}
