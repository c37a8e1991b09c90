#include "report/UReportAblauf.h"

#include <functional>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "dialogs/UFworking.h"
#include "report/UFexportdif.h"
#include "report/UFexporthtml.h"
#include "report/UFexporttxt.h"
#include "report/UReport.h"

namespace {

// "merken": the save dialog that offers the extended name next time (none for HTML).
void schreiben(TF_print_export& dialog, TReportArt art, const QString& dateiname, TDateiDialog* merken,
               const std::function<std::string()>& inhalt) {
  const QString name = QString::fromStdString(reportDateiname(art, dateiname.toStdString()));
  if (merken && name != dateiname) merken->vorschlag = name;
  {
    TBitteWarten warten(DatBas->get_anzahl() > REPORT_WARTEN_AB);
    reportSchreiben(dateiPfad(name), inhalt());
  }
  if (frageJa("Export erfolgreich beendet",
              "Die Daten der CD-Sammlungen wurden erfolgreich in den Report geschrieben!\r"
              "Wollen Sie die Datei nun mit der Standardanwendung öffnen?"))
    plattform().dokumentOeffnen(name);
  dialog.close();
}

}  // namespace

std::optional<QString> reportZielWaehlen(TReportArt art, const TDateiDialog& d) {
  return plattform().speichernDialog(HauptFormular->exportDialog(
      d, [art](const QString& n) { return QString::fromStdString(reportDateiname(art, n.toStdString())); }));
}

void report_txt(const QString& dateiname) {
  schreiben(*Fexporttxt, TReportArt::Txt, dateiname, &HauptFormular->reports().savedialog_txt,
            [] { return reportTxt(*DatBas, Fexporttxt->optionen()); });
}

void report_html(const QString& dateiname) {
  schreiben(*Fexporthtml, TReportArt::Html, dateiname, nullptr,
            [] { return reportHtml(*DatBas, Fexporthtml->optionen(), Fexporthtml->thema()); });
}

void report_dif(const QString& dateiname) {
  schreiben(*Fexportdif, TReportArt::Dif, dateiname, &HauptFormular->reports().savedialog_dif,
            [] { return reportDif(*DatBas, Fexportdif->optionen()); });
}
