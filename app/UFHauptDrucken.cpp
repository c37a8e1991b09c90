// The main window's part of printing and of the spreadsheet export.
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextBlock>

#include "app/UFHaupt.h"
#include "report/UDrucken.h"

QPrinter& THauptFormular::drucker() {
  if (!drucker_) drucker_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
  return *drucker_;
}

void THauptFormular::print() {
  // The buffer wraps at its width in the window font: each piece is a line of its own.
  QStringList zeilen;
  const QFont schrift = memo->font();
  for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
    if (b == memo->document()->begin() && memo->document()->isEmpty()) break;
    zeilen << umbrechen(b.text(), schrift);
  }
  zeilenDrucken(drucker(), zeilen);
}
