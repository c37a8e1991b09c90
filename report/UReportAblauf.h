#pragma once
// Writing a report from its option dialog: the file name's extension, the
// please-wait window for large collections, the file in one piece, the
// question whether to open it, and closing the option dialog. A failed write
// raises its error (for the general error box) and leaves the dialog open.
#include <QString>

void report_txt(const QString& dateiname);
void report_html(const QString& dateiname);
void report_dif(const QString& dateiname);
