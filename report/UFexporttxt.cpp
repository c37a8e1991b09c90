#include "report/UFexporttxt.h"

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "report/UReportAblauf.h"

TFexporttxt::TFexporttxt(QWidget* parent)
    : TF_print_export(parent, "Fexporttxt", "CD-Sammlung exportieren (Report schreiben)  [TXT-Datei]",
                      "Ausgabeformat:", "&exportieren") {}

void TFexporttxt::B_actionClick() {
  TF_print_export::B_actionClick();
  if (const auto name = reportZielWaehlen(TReportArt::Txt, HauptFormular->reports().savedialog_txt)) report_txt(*name);
}
