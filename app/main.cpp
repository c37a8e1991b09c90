#include "app/UAnwendung.h"
#include "app/UBildschirm.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UOrte.h"
#include "csv/UKommandozeile.h"
#include "sicherung/UWiederherstellen.h"

int main(int argc, char* argv[]) {
  // Export, import and check on the command line need no window, nor a display.
  if (const auto ende = kommandozeile(argc, argv)) return *ende;
  // Without a screen: a German message and exit code 2 instead of Qt's abort.
  if (const auto ende = bildschirmPruefen(argc, argv)) return *ende;
  TVemlaApplication app(argc, argv);
  orteFestlegen();
  fensterErzeugen();
  sicherungStarten(zustandsOrdner());
  HauptFormular->ablauf().programmStart(app.arguments().mid(1));
  const int ergebnis = app.exec();
  fensterFreigeben();
  return ergebnis;
}
