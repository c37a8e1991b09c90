#include "csv/UFCsvImport.h"

#include <QComboBox>
#include <algorithm>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UCodepage.h"
#include "core/UDatbas.h"

QPointer<TFCsvImport> FCsvImport;

namespace {

const char* const SPALTEN_NAMEN[FELD_ANZAHL] = {"combobox_spalte_interpret", "combobox_spalte_titel",
                                                "combobox_spalte_label",     "combobox_spalte_release",
                                                "combobox_spalte_typ",       "combobox_spalte_genre",
                                                "combobox_spalte_kommentar"};
const char* const LABEL_NAMEN[FELD_ANZAHL] = {"L_interpret", "L_titel", "L_label",    "L_release",
                                              "L_typ",       "L_genre", "L_kommentar"};

}  // namespace

TFCsvImport::TFCsvImport(QWidget* parent) : QDialog(parent) {
  setObjectName("FCsvImport");
  setWindowTitle("CSV-Datei importieren");
}

void TFCsvImport::vorbereiten(const QString& name, TCsvDaten daten, int platz) {
  name_ = name;
  daten_ = std::move(daten);
  zuordnung_ = csvZuordnungErkennen(daten_.kopf);
  platz_ = platz;
  if (B_importieren) fuellen();
}

void TFCsvImport::showEvent(QShowEvent* e) {
  if (!B_importieren) {
    aufbauen();
    fuellen();
  }
  QDialog::showEvent(e);
}

void TFCsvImport::aufbauen() {
  setFont(standardSchrift());
  auto* raster = new QGridLayout(this);
  L_datei = mitName(new QLabel(this), "L_datei");
  L_datei->setTextFormat(Qt::PlainText);
  raster->addWidget(L_datei, 0, 0, 1, 2);

  auto* gruppe = mitName(new QGroupBox("Zuordnung der Spalten:", this), "GroupBox_zuordnung");
  auto* felder = new QGridLayout(gruppe);
  for (int f = 1; f <= FELD_ANZAHL; ++f) {
    auto* l = mitName(new QLabel(QString(feldName(f)) + ":", gruppe), LABEL_NAMEN[f - 1]);
    QComboBox*& cb = combobox_spalte[f - 1];
    cb = mitName(new QComboBox(gruppe), SPALTEN_NAMEN[f - 1]);
    cb->setMinimumWidth(180);
    l->setBuddy(cb);
    felder->addWidget(l, f - 1, 0);
    felder->addWidget(cb, f - 1, 1);
    connect(cb, &QComboBox::activated, this, [this, f](int i) {
      zuordnung_.fuer(f) = i - 1;
      aktualisieren();
    });
  }
  felder->setRowStretch(FELD_ANZAHL, 1);
  raster->addWidget(gruppe, 1, 0);

  SG_vorschau = mitName(new QTableWidget(0, FELD_ANZAHL, this), "SG_vorschau");
  QStringList koepfe;
  for (int f = 1; f <= FELD_ANZAHL; ++f) koepfe << feldName(f);
  SG_vorschau->setHorizontalHeaderLabels(koepfe);
  SG_vorschau->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SG_vorschau->setSelectionMode(QAbstractItemView::NoSelection);
  SG_vorschau->verticalHeader()->setDefaultSectionSize(18);
  SG_vorschau->horizontalHeader()->setDefaultSectionSize(110);
  SG_vorschau->setMinimumSize(560, 300);
  raster->addWidget(SG_vorschau, 1, 1);

  L_ergebnis = mitName(new QLabel(this), "L_ergebnis");
  L_ergebnis->setWordWrap(true);
  raster->addWidget(L_ergebnis, 2, 0, 1, 2);

  auto* knoepfe = new QHBoxLayout();
  knoepfe->addStretch(1);
  B_importieren = mitName(new QPushButton("&Importieren", this), "B_importieren");
  B_abbrechen = mitName(new QPushButton("Abbre&chen", this), "B_abbrechen");
  B_importieren->setDefault(true);
  knoepfe->addWidget(B_importieren);
  knoepfe->addWidget(B_abbrechen);
  raster->addLayout(knoepfe, 3, 0, 1, 2);
  raster->setColumnStretch(1, 1);
  connect(B_importieren, &QPushButton::clicked, this, [this] { B_importierenClick(); });
  connect(B_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  resize(940, 460);
}

void TFCsvImport::fuellen() {
  QString art = QString("%1, Trennzeichen %2").arg(kodierungsName(daten_.kodierung), trennerName(daten_.trenner));
  if (zuordnung_.discogs) art += ", Discogs-Sammlungsexport";
  L_datei->setText("Datei: " + name_ + "  (" + art + ")");
  for (int f = 1; f <= FELD_ANZAHL; ++f) {
    QComboBox* cb = combobox_spalte[f - 1];
    cb->clear();
    cb->addItem("(keine)");
    for (const std::string& k : daten_.kopf) cb->addItem(einzeiligAnzeigen(vonCp1252(k)));
    cb->setCurrentIndex(zuordnung_.fuer(f) + 1);
  }
  aktualisieren();
}

void TFCsvImport::aktualisieren() {
  const TCsvErgebnis e = ergebnis();
  const int n = std::min<int>(VORSCHAU_ZEILEN, static_cast<int>(e.saetze.size()));
  SG_vorschau->setRowCount(n);
  for (int r = 0; r < n; ++r)
    for (int f = 1; f <= FELD_ANZAHL; ++f)
      SG_vorschau->setItem(r, f - 1, new QTableWidgetItem(einzeiligAnzeigen(vonCp1252(e.saetze[r].feld(f).sicht()))));
  // Columns as wide as their texts, but none wider than a third of the table.
  SG_vorschau->resizeColumnsToContents();
  for (int c = 0; c < FELD_ANZAHL; ++c)
    SG_vorschau->setColumnWidth(c, std::clamp(SG_vorschau->columnWidth(c), 60, 220));
  QString text = QString("%1 Zeilen werden hinzugefügt, %2 gekürzt (länger als 255 Zeichen), %3 geändert "
                         "(Zeichen außerhalb von Windows-1252), %4 übersprungen (Interpret oder Titel leer).")
                     .arg(e.saetze.size())
                     .arg(e.gekuerzt)
                     .arg(e.geaendert)
                     .arg(e.uebersprungen);
  if (e.ueberGrenze > 0)
    text += QString(" %1 Zeilen haben keinen Platz mehr: Vemla kann maximal %2 Datensätze verwalten.")
                .arg(e.ueberGrenze)
                .arg(MAX_DATENSAETZE);
  L_ergebnis->setText(text);
}

void TFCsvImport::B_importierenClick() {
  if (zuordnung_.fuer(FELD_INTERPRET) < 0 || zuordnung_.fuer(FELD_TITEL) < 0) {
    meldungOk("Fehler:", "Bitte ordnen Sie den Feldern Interpret und Titel je eine Spalte zu!", TSymbol::Warnung);
    return;
  }
  accept();
}
