// The controller's part of printing: the lines of the list into the main
// window's line buffer, then the main window prints them.
#include <QPlainTextEdit>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "report/UDrucken.h"
#include "report/UFprint.h"

void TConnect::liste_drucken() {
  THauptFormular& h = *HauptFormular;
  if (!plattform().druckDialog(h.drucker())) return;  // the option dialog stays open
  h.memo->clear();
  const int anzahl = DatBas->get_anzahl();
  const bool warten = anzahl > WARTEN_AB;
  if (warten) wartenZeigen();
  // A failed print reaches the general error box; the please-wait window goes all the same.
  struct TVerbergen {
    bool aktiv;
    TConnect* c;
    ~TVerbergen() {
      if (aktiv) c->wartenVerbergen();
    }
  } verbergen{warten, this};

  const TReportOptionen optionen = Fprint->optionen();
  QStringList zeilen;
  zeilen.reserve(anzahl);
  TDatensatz d;
  for (int n = 1; n <= anzahl; ++n) {
    DatBas->get_datensatz(n, d);
    zeilen << druckzeile(n, d, optionen);
  }
  h.memo->setPlainText(zeilen.join('\n'));
  h.print();
  verbergen.aktiv = false;
  if (warten) wartenVerbergen();
  Fprint->close();
  meldungOk("Druckauftrag erteilt", "Der Druckauftrag wurde an den von Ihnen gewählten Drucker weitergeleitet.");
}
