#include "report/UFprint.h"

#include <QLabel>

TFprint::TFprint(QWidget* parent)
    : TF_print_export(parent, "Fprint", "Drucken der CD-Sammlung", "Druckformat:", "&drucken") {
  L_Seiten->show();
}

void TFprint::B_actionClick() {
  TF_print_export::B_actionClick();
  // Printing the list is started here once the printer output exists.
}
