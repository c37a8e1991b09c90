#pragma once
// The preview of a CSV import: the file's first 20 lines as they are, which
// column fills which field (changeable), the first 20 entries as they will be
// stored, and how many lines will be added, cut, changed or skipped. A file
// with a line of more cells than its header is shown but not imported.
// "Importieren" closes it with Accepted.
#include <QDialog>
#include <QPointer>

#include "csv/UCsvLesen.h"
#include "csv/UCsvZuordnung.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class TFCsvImport : public QDialog {
  Q_OBJECT
 public:
  explicit TFCsvImport(QWidget* parent);

  // The file to show: its name, its contents, and room left in the collection.
  void vorbereiten(const QString& name, TCsvDaten daten, int platz);
  const TCsvZuordnung& zuordnung() const { return zuordnung_; }
  // The entries the current mapping gives.
  TCsvErgebnis ergebnis() const { return csvUmwandeln(daten_, zuordnung_, platz_); }

  static constexpr int VORSCHAU_ZEILEN = 20;

  QLabel *L_datei = nullptr, *L_ergebnis = nullptr;
  QComboBox* combobox_spalte[FELD_ANZAHL] = {};
  QTableWidget *SG_datei = nullptr, *SG_vorschau = nullptr;
  QPushButton *B_importieren = nullptr, *B_abbrechen = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void aufbauen();
  void fuellen();
  void dateiZeigen();
  void aktualisieren();
  void B_importierenClick();

  QString name_;
  QString fehlerZeile_;  // why the file is not imported; empty when it can be
  TCsvDaten daten_;
  TCsvZuordnung zuordnung_;
  int platz_ = 0;
};

extern QPointer<TFCsvImport> FCsvImport;
