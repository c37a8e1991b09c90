// The main window's commands on whole collection files and on entries.
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
#include "report/UFexportdif.h"
#include "report/UFexporthtml.h"
#include "report/UFexporttxt.h"
#include "report/UFprint.h"

namespace {

std::vector<TDateityp> dateitypen(const QString& endung) {
  std::vector<TDateityp> typen = {{"CD-Sammlungen (Vemla-Dateien) (*.vem)", "*.vem"}, {"alle Dateien (*.*)", "*.*"}};
  if (!endung.isEmpty()) {
    // "abc-Dateien (*.abc)": the name is the extension without its dot, at most 8 characters.
    const QString name = endung.mid(1, 8);
    typen.push_back({name + "-Dateien (*" + endung + ")", "*" + endung});
  }
  return typen;
}

}  // namespace

TDateiDialog THauptFormular::oeffnenDialog() const {
  return {oeffnenTitel, dateitypen(endungsTyp), "CD-Sammlung1.vem", "vem"};
}

TDateiDialog THauptFormular::speicherDialog() const {
  return {"Speichern einer CD-Sammlung (Vemla-Datei) *.vem", dateitypen(endungsTyp), speichernVorschlag, "vem"};
}

TDateiDialog THauptFormular::exportDialog(TDateiDialog d, std::function<QString(const QString&)> ziel) const {
  d.geschuetzt = Connect->get_filename();
  d.ziel = std::move(ziel);
  return d;
}

void THauptFormular::neu() {
  if (!frageJa("Sicherheitsabfrage",
               "Sie wollen eine neue CD-Sammlung anlegen.\rDabei gehen alle zur Zeit eingetragenen Daten verloren!\r"
               "Wollen Sie fortfahren?"))
    return;
  Connect->neue_sammlung();
  Connect->file_wasnot_changed();
  Connect->set_filename("");
}

void THauptFormular::laden() {
  oeffnenTitel = "Öffnen einer CD-Sammlung (Vemla-Datei) *.vem";
  if (Connect->file_changed()) {
    if (frageJa("Sicherheitsabfrage", "Die Datei wurde geändert.\rWollen Sie diese Änderungen speichern?")) {
      const auto ziel = plattform().speichernDialog(speicherDialog());
      if (!ziel || !Connect->datei_speichern(*ziel)) return;
      meldungOk("Hinweis", "Die Änderungen wurden gespeichert.\rSie können nun eine Datei laden!");
      Connect->file_wasnot_changed();
    }
  }
  const auto name = plattform().oeffnenDialog(oeffnenDialog());
  if (!name || !Connect->dateityp_pruefen(*name)) return;
  Connect->datei_oeffnen(*name);
  // A name of a file that does not exist loads nothing, but is taken like any
  // accepted name: it is proposed for saving and the changed mark is cleared.
  speichernVorschlag = *name;
  Connect->file_wasnot_changed();
}

void THauptFormular::hinzufuegen(bool buttonVariante) {
  oeffnenTitel = "Hinzufügen einer CD-Sammlung (Vemla-Datei) *.vem";
  const auto name = plattform().oeffnenDialog(oeffnenDialog());
  if (!name) return;
  if (DatBas->get_anzahl() >= 1) Connect->file_was_changed();
  Connect->datei_hinzuladen(*name);
  if (buttonVariante) speichernVorschlag = *name;
}

void THauptFormular::speichern() {
  const QString datei = Connect->get_filename();
  if (!datei.endsWith(".vem", Qt::CaseSensitive)) {
    // Only the file name is lower-cased: on this system a lower-cased folder
    // would be another folder, or none.
    const int trenner = datei.lastIndexOf('/') + 1;
    const QString name = datei.mid(trenner);
    Connect->set_filename(datei.left(trenner) + kleinAZ(name.left(std::max<qsizetype>(0, name.size() - 4))) + ".vem");
  }
  if (Connect->datei_speichern(Connect->get_filename())) Connect->file_wasnot_changed();
}

void THauptFormular::speichernUnter() {
  const auto name = plattform().speichernDialog(speicherDialog());
  if (name && Connect->datei_speichern(*name)) Connect->file_wasnot_changed();
}

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

void THauptFormular::quickbutton(QAction* menuepunkt, const QString& titel, void (THauptFormular::*befehl)()) {
  if (menuepunkt->isEnabled()) (this->*befehl)();
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

void THauptFormular::drucken() {
  if (Fprint) plattform().fensterModal(*Fprint);
}

void THauptFormular::reportHtml() {
  if (Fexporthtml) plattform().fensterModal(*Fexporthtml);
}

void THauptFormular::reportTxt() {
  if (Fexporttxt) plattform().fensterModal(*Fexporttxt);
}

void THauptFormular::reportDif() {
  if (Fexportdif) plattform().fensterModal(*Fexportdif);
}
