#include "report/UFprint.h"

#include <QLabel>

#include "app/UGlobal.h"
#include "core/UConnect.h"

TFprint::TFprint(QWidget* parent)
    : TF_print_export(parent, "Fprint", "Drucken der CD-Sammlung", "Druckformat:", "&drucken") {}

void TFprint::zusatzAufbauen() { L_Seiten->show(); }

void TFprint::B_actionClick() {
  TF_print_export::B_actionClick();
  Connect->liste_drucken();
}
