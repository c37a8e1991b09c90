#include "app/UDateiBefehle.h"

#include <algorithm>

#include "app/UZielSchutz.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"

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

TDateiDialog TDateiBefehle::oeffnenDialog() const {
  return {oeffnenTitel, dateitypen(endungsTyp), "CD-Sammlung1.vem", "vem"};
}

TDateiDialog TDateiBefehle::speicherDialog() const {
  return {"Speichern einer CD-Sammlung (Vemla-Datei) *.vem", dateitypen(endungsTyp), speichernVorschlag, "vem"};
}

TDateiDialog TDateiBefehle::exportDialog(TDateiDialog d, std::function<QString(const QString&)> ziel) const {
  d.geschuetzt = geschuetzteDateien();
  d.ziel = std::move(ziel);
  return d;
}

void TDateiBefehle::neu() {
  if (!frageJa("Sicherheitsabfrage",
               "Sie wollen eine neue CD-Sammlung anlegen.\rDabei gehen alle zur Zeit eingetragenen Daten verloren!\r"
               "Wollen Sie fortfahren?"))
    return;
  Connect->neue_sammlung();
  Connect->file_wasnot_changed();
  Connect->set_filename("");
}

void TDateiBefehle::laden() {
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

void TDateiBefehle::hinzufuegen(bool buttonVariante) {
  oeffnenTitel = "Hinzufügen einer CD-Sammlung (Vemla-Datei) *.vem";
  const auto name = plattform().oeffnenDialog(oeffnenDialog());
  if (!name) return;
  if (DatBas->get_anzahl() >= 1) Connect->file_was_changed();
  Connect->datei_hinzuladen(*name);
  if (buttonVariante) speichernVorschlag = *name;
}

void TDateiBefehle::speichern() {
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

void TDateiBefehle::speichernUnter() {
  const auto name = plattform().speichernDialog(speicherDialog());
  if (name && Connect->datei_speichern(*name)) Connect->file_wasnot_changed();
}

