#pragma once
// Writing a report from its option dialog: the file name's extension, the
// please-wait window for large collections, the file in one piece, the
// question whether to open it, and closing the option dialog. A failed write
// raises its error (for the general error box) and leaves the dialog open.
#include <QString>
#include <optional>

#include "app/UPlattform.h"
#include "report/UReport.h"

// The save dialog "d" of a report of kind "art"; it refuses a name that would
// write over the open collection. The chosen name, or nothing when cancelled.
std::optional<QString> reportZielWaehlen(TReportArt art, const TDateiDialog& d);

void report_txt(const QString& dateiname);
void report_html(const QString& dateiname);
void report_dif(const QString& dateiname);
