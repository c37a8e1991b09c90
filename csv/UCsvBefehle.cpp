#include "csv/UCsvBefehle.h"

#include <QAction>
#include <QDate>
#include <QMenu>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UFehler.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UFCsvImport.h"

namespace {

const std::vector<TDateityp> CSV_TYPEN = {{"CSV-Dateien (*.csv)", "*.csv"}, {"alle Dateien (*.*)", "*.*"}};

}  // namespace

void csvBefehleAnlegen(THauptFormular& h) {
  FCsvImport = new TFCsvImport(&h);
  QMenu* datei = h.findChild<QMenu*>("Datei1");
  if (!datei) return;
  const QList<QAction*> punkte = datei->actions();
  const qsizetype nach = punkte.indexOf(h.menue_hinzufgen);
  QAction* vor = nach >= 0 && nach + 1 < punkte.size() ? punkte[nach + 1] : nullptr;
  auto punkt = [&](const char* name, const QString& text, void (*befehl)()) {
    auto* a = new QAction(text, datei);
    a->setObjectName(name);
    datei->insertAction(vor, a);
    QObject::connect(a, &QAction::triggered, &h, sicher(befehl));
  };
  punkt("menue_csvimport", "CSV-Datei &importieren...", &csvImportieren);
  punkt("menue_csvexport", "CSV-Datei &exportieren...", &csvExportieren);
}

void csvImportieren() {
  const auto name = plattform().oeffnenDialog({"CSV-Datei importieren", CSV_TYPEN, "", "csv"});
  if (!name || !FCsvImport) return;
  TCsvDaten daten;
  try {
    daten = csvLesen(dateiPfad(*name));
    // Interpret and Titel may still be chosen in the preview.
    csvZuordnungPruefen(csvZuordnungErkennen(daten.kopf), false);
  } catch (const ECsvFehler& e) {
    meldungOk("Fehler:", "Die CSV-Datei kann nicht importiert werden:\r" + QString::fromUtf8(e.what()) + ".",
              TSymbol::Warnung);
    return;
  }
  FCsvImport->vorbereiten(*name, std::move(daten), MAX_DATENSAETZE - DatBas->get_anzahl());
  if (plattform().fensterModal(*FCsvImport) != QDialog::Accepted) return;
  TCsvErgebnis e = FCsvImport->ergebnis();
  bool mitAngaben = false;
  for (int i = 1; i <= DatBas->get_anzahl() && !mitAngaben; ++i) mitAngaben = !DatBas->get_beilage(i).empty();
  csvAufnahmedatum(e, FCsvImport->zuordnung(), mitAngaben,
                   QDate::currentDate().toString(Qt::ISODate).toStdString());
  Connect->datensaetze_anhaengen(e.saetze, e.ueberGrenze, "CSV-Import", &e.angaben);
}

void csvExportieren() {
  const auto mitEndung = [](const QString& n) { return n.endsWith(".csv", Qt::CaseInsensitive) ? n : n + ".csv"; };
  auto name = plattform().speichernDialog(HauptFormular->exportDialog(
      {"CD-Sammlung als CSV-Datei exportieren", CSV_TYPEN, "CD-Sammlung1.csv", "csv"}, mitEndung));
  if (!name) return;
  *name = mitEndung(*name);
  try {
    csvSchreiben(dateiPfad(*name), *DatBas);
  } catch (const EVemlaFehler& e) {
    // An existing file of that name is still whole; the reason as the file system gave it.
    meldungOk("Fehler:",
              "Die CSV-Datei konnte nicht gespeichert werden!\r" + *name + "\r" + QString::fromUtf8(e.what()) + ".",
              TSymbol::Warnung);
    return;
  }
  meldungOk("Hinweis", "Die CD-Sammlung wurde erfolgreich als CSV-Datei gespeichert!");
}
