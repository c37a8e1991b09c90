#include "report/UFexportdif.h"

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "report/UReportAblauf.h"

TFexportdif::TFexportdif(QWidget* parent)
    : TF_print_export(parent, "Fexportdif", "CD-Sammlung exportieren (Report schreiben)  [DIF-Datei]",
                      "Ausgabeformat:", "&exportieren") {}

void TFexportdif::B_actionClick() {
  TF_print_export::B_actionClick();
  if (const auto name = reportZielWaehlen(TReportArt::Dif, HauptFormular->reports().savedialog_dif)) report_dif(*name);
}
