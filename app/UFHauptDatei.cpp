// The main window's commands on entries and the windows it opens.
#include <QAction>
#include <QLineEdit>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDBSortTree.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFSuche.h"
#include "dialogs/UFUebersicht.h"
#include "info/UFTastaturkrzl.h"

void THauptFormular::aendern() {
  Connect->datensatz_aendern(e_interpret->text(), e_titel->text(), e_label->text(), e_release->text(), e_typ->text(),
                             e_genre->text(), e_kommentar->text());
}

void THauptFormular::loeschenMitFrage() {
  if (frageJa("Sicherheitsabfrage", "Wollen Sie den markierten Eintrag wirklich löschen?"))
    Connect->datensatz_loeschen();
}

void THauptFormular::sortieren(int key, bool aufsteigend) { SortTree->sortieren(key, aufsteigend); }

void THauptFormular::quicksort() { sortieren(FELD_INTERPRET, true); }

void THauptFormular::quickbutton(QAction* menuepunkt, const QString& titel, const std::function<void()>& befehl) {
  if (menuepunkt->isEnabled()) befehl();
  else meldungOk(titel, "Diese Option ist z.Z. nicht verfügbar");
}

void THauptFormular::minview() {
  using Option = TEinstellungen::Option;
  Einstellungen->optionSetzen(Option::Detailansicht, !Einstellungen->option(Option::Detailansicht));
}

void THauptFormular::hilfe() {
  meldungOk("Sorry..",
            "Die Hilfe ist in dieser Version von Vemla nicht verfügbar, da noch nicht vollständig!\r"
            "Nutzen Sie bitte die online-Hilfe oder senden Sie mir gegebenenfalls eine E-Mail!");
}

void THauptFormular::neuerEintrag() {
  if (F_add) plattform().fensterModal(*F_add);
}

void THauptFormular::suche() {
  if (FSuche) plattform().fensterModal(*FSuche);
}

void THauptFormular::uebersicht() {
  if (FUebersicht) plattform().fensterModal(*FUebersicht);
}

void THauptFormular::tastaturkuerzel() {
  if (FTastaturkrzl) plattform().fensterModal(*FTastaturkrzl);
}
