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
  raster->addWidget(gruppe, 1, 0, 2, 1);

  auto tabelle = [this](const char* name, int spalten) {
    auto* t = mitName(new QTableWidget(0, spalten, this), name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->verticalHeader()->setDefaultSectionSize(18);
    t->horizontalHeader()->setDefaultSectionSize(110);
    t->setMinimumSize(560, 180);
    return t;
  };
  // The file as it is beside the mapping, so that each column can be told by its contents.
  raster->addWidget(mitName(new QLabel("Die ersten Zeilen der Datei:", this), "L_dateizeilen"), 1, 1);
  SG_datei = tabelle("SG_datei", 0);
  raster->addWidget(SG_datei, 2, 1);
  raster->addWidget(mitName(new QLabel("So werden die Einträge gespeichert:", this), "L_vorschau"), 3, 0, 1, 2);
  SG_vorschau = tabelle("SG_vorschau", FELD_ANZAHL);
  QStringList koepfe;
  for (int f = 1; f <= FELD_ANZAHL; ++f) koepfe << feldName(f);
  SG_vorschau->setHorizontalHeaderLabels(koepfe);
  raster->addWidget(SG_vorschau, 4, 0, 1, 2);

  L_ergebnis = mitName(new QLabel(this), "L_ergebnis");
  L_ergebnis->setWordWrap(true);
  L_ergebnis->setTextFormat(Qt::PlainText);
  raster->addWidget(L_ergebnis, 5, 0, 1, 2);

  auto* knoepfe = new QHBoxLayout();
  knoepfe->addStretch(1);
  B_importieren = mitName(new QPushButton("&Importieren", this), "B_importieren");
  B_abbrechen = mitName(new QPushButton("Abbre&chen", this), "B_abbrechen");
  B_importieren->setDefault(true);
  knoepfe->addWidget(B_importieren);
  knoepfe->addWidget(B_abbrechen);
  raster->addLayout(knoepfe, 6, 0, 1, 2);
  raster->setColumnStretch(1, 1);
  connect(B_importieren, &QPushButton::clicked, this, [this] { B_importierenClick(); });
  connect(B_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  resize(940, 680);
}

void TFCsvImport::fuellen() {
  QString art = QString("%1, Trennzeichen %2")
                    .arg(QString::fromStdString(kodierungsText(daten_)), trennerName(daten_.trenner));
  if (zuordnung_.discogs) art += ", Discogs-Sammlungsexport";
  L_datei->setText("Datei: " + name_ + "  (" + art + ")");
  for (int f = 1; f <= FELD_ANZAHL; ++f) {
    QComboBox* cb = combobox_spalte[f - 1];
    cb->clear();
    cb->addItem("(keine)");
    for (const std::string& k : daten_.kopf) cb->addItem(einzeiligAnzeigen(vonCp1252(k)));
    cb->setCurrentIndex(zuordnung_.fuer(f) + 1);
  }
  dateiZeigen();
  aktualisieren();
}

void TFCsvImport::dateiZeigen() {
  auto text = [this](std::string_view t) {
    return einzeiligAnzeigen(daten_.utf8() ? QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()))
                                           : vonCp1252(t));
  };
  QStringList koepfe;
  for (const std::string& k : daten_.kopf) koepfe << einzeiligAnzeigen(vonCp1252(k));
  const int n = std::min(VORSCHAU_ZEILEN, daten_.zeilen());
  SG_datei->setColumnCount(daten_.spalten());
  SG_datei->setHorizontalHeaderLabels(koepfe);
  SG_datei->setRowCount(n);
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < daten_.spalten(); ++c) SG_datei->setItem(r, c, new QTableWidgetItem(text(daten_.zelle(r, c))));
  SG_datei->resizeColumnsToContents();
  for (int c = 0; c < daten_.spalten(); ++c) SG_datei->setColumnWidth(c, std::clamp(SG_datei->columnWidth(c), 60, 220));
  fehlerZeile_ = daten_.zuVieleZellen > 0 ? QString("Zeile %1 hat mehr Zellen als die Kopfzeile: %2\n"
                                                   "So kann die Datei nicht importiert werden: eine Zelle, die das "
                                                   "Trennzeichen enthält, muss in Anführungszeichen stehen.")
                                                .arg(daten_.zuVieleZellen)
                                                .arg(text(daten_.zuVieleZellenText))
                                          : QString();
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
  B_importieren->setEnabled(fehlerZeile_.isEmpty());
  if (!fehlerZeile_.isEmpty()) return L_ergebnis->setText(fehlerZeile_);
  QString text = QString(e.saetze.size() == 1 ? "%1 Zeile wird hinzugefügt" : "%1 Zeilen werden hinzugefügt")
                     .arg(e.saetze.size()) +
                 QString(", %1 gekürzt (länger als 255 Zeichen), %2 geändert (Zeichen außerhalb von Windows-1252), "
                         "%3 übersprungen (Interpret oder Titel leer).")
                     .arg(e.gekuerzt)
                     .arg(e.geaendert)
                     .arg(e.uebersprungen);
  if (e.ueberGrenze > 0)
    text += QString(e.ueberGrenze == 1 ? " %1 Zeile hat keinen Platz mehr" : " %1 Zeilen haben keinen Platz mehr")
                .arg(e.ueberGrenze) +
            QString(": Vemla kann maximal %1 Datensätze verwalten.").arg(MAX_DATENSAETZE);
  L_ergebnis->setText(text);
}

void TFCsvImport::B_importierenClick() {
  if (!fehlerZeile_.isEmpty()) return;
  if (zuordnung_.fuer(FELD_INTERPRET) < 0 || zuordnung_.fuer(FELD_TITEL) < 0) {
    meldungOk("Fehler:", "Bitte ordnen Sie den Feldern Interpret und Titel je eine Spalte zu!", TSymbol::Warnung);
    return;
  }
  accept();
}
