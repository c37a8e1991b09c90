#include "stat/UFStatistik.h"

#include <QBuffer>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "angaben/UAngaben.h"
#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "app/UVorgaben.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UFehler.h"
#include "core/USicherSchreiben.h"
#include "stat/USvgModul.h"

TFStatistik* FStatistik = nullptr;

namespace {

// The charts as the list on the left names them, and their titles in a saved image.
const char* const DIAGRAMME[DIAGRAMM_ANZAHL] = {"Typ",         "Genre",  "Jahrzehnt",
                                                "Interpreten", "Labels", "Zustand Tonträger",
                                                "Zustand Hülle", "Standort"};
const char* const TITEL[DIAGRAMM_ANZAHL] = {"Typ",
                                            "Genre",
                                            "Jahrzehnt der Veröffentlichung",
                                            "Die häufigsten Interpreten",
                                            "Die häufigsten Labels",
                                            "Zustand des Tonträgers",
                                            "Zustand der Hülle",
                                            "Die häufigsten Standorte"};
const char* const DATEINAMEN[DIAGRAMM_ANZAHL] = {"Statistik-Typ",           "Statistik-Genre",
                                                 "Statistik-Jahrzehnt",     "Statistik-Interpreten",
                                                 "Statistik-Labels",        "Statistik-Zustand-Tonträger",
                                                 "Statistik-Zustand-Hülle", "Statistik-Standort"};

const std::vector<TDateityp> BILD_TYPEN = {{"PNG-Bild (*.png)", "*.png"}, {"SVG-Grafik (*.svg)", "*.svg"}};

bool istSvg(const QString& name) { return name.endsWith(".svg", Qt::CaseInsensitive); }
QString mitEndung(const QString& name) {
  return istSvg(name) || name.endsWith(".png", Qt::CaseInsensitive) ? name : name + ".png";
}

std::string heuteIso() { return QDate::currentDate().toString(Qt::ISODate).toStdString(); }

// The loans and the purchase prices, in a line under the number of entries.
QString angabenText(const TStatistik& s) {
  QString t = "Verliehen: " + QString::number(s.verliehen);
  if (s.ueberfaellig > 0) t += ", davon " + QString::number(s.ueberfaellig) + " überfällig";
  t += "    Summe der Kaufpreise: " + QString::fromStdString(preisAnzeige(s.preisSumme)) + " € (" +
       QString::number(s.mitPreis) + (s.mitPreis == 1 ? " Eintrag" : " Einträge") + " mit Preis)";
  return t;
}

std::vector<std::string> typVorgaben() {
  std::vector<std::string> v;
  for (const QString& t : vorgabenTyp()) v.push_back(zuCp1252(t));
  return v;
}

}  // namespace

TFStatistik::TFStatistik(QWidget* parent) : QDialog(parent) {
  setObjectName("FStatistik");
  setWindowTitle("Vemla - Statistik");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(standardSchrift());
}

void TFStatistik::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFStatistik::aufbauen() {
  if (LB_balken) return;
  L_eintraege = mitName(new QLabel(this), "L_eintraege");
  L_angaben = mitName(new QLabel(this), "L_angaben");
  LB_diagramme = mitName(new QListWidget(this), "LB_diagramme");
  for (const char* d : DIAGRAMME) LB_diagramme->addItem(d);
  LB_diagramme->setAccessibleName("Diagramm");
  LB_balken = mitName(new QListWidget(this), "LB_balken");
  LB_balken->setAccessibleName("Balken");
  LB_balken->setUniformItemSizes(true);
  // Long names are cut short with "…" (whole in the tooltip and for screen
  // readers), so that every bar and count shows without scrolling sideways.
  LB_balken->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  LB_balken->setSelectionMode(QAbstractItemView::SingleSelection);
  LB_balken->setEditTriggers(QAbstractItemView::NoEditTriggers);
  delegate_ = new TBalkenDelegate(LB_balken);
  LB_balken->setItemDelegate(delegate_);
  B_bild = mitName(new QPushButton("Als &Bild speichern...", this), "B_bild");
  B_schliessen = mitName(new QPushButton("&Schließen", this), "B_schliessen");
  // Enter belongs to the bars: no button takes it.
  B_bild->setAutoDefault(false);
  B_schliessen->setAutoDefault(false);

  const QFontMetrics fm(font());
  int breitester = 0;
  for (const char* d : DIAGRAMME) breitester = std::max(breitester, fm.horizontalAdvance(d));
  LB_diagramme->setFixedWidth(breitester + 6 * fm.averageCharWidth());
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(L_eintraege);
  haupt->addWidget(L_angaben);
  auto* mitte = new QHBoxLayout;
  mitte->addWidget(LB_diagramme);
  mitte->addWidget(LB_balken, 1);
  haupt->addLayout(mitte, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch(1);
  knoepfe->addWidget(B_bild);
  knoepfe->addWidget(B_schliessen);
  haupt->addLayout(knoepfe);
  // Sized in lines and characters of its font, so that it grows with the desktop's scale.
  resize(fm.averageCharWidth() * 90, fm.height() * 28);

  connect(LB_diagramme, &QListWidget::currentRowChanged, this, sicher([this](int nr) { diagrammZeigen(nr); }));
  connect(LB_balken, &QAbstractItemView::activated, this,
          sicher([this](const QModelIndex& i) { balkenGewaehlt(i); }));
  connect(B_bild, &QPushButton::clicked, this, sicher([this] { B_bildClick(); }));
  connect(B_schliessen, &QPushButton::clicked, this, [this] { reject(); });
  LB_diagramme->setCurrentRow(0);
}

void TFStatistik::showEvent(QShowEvent* e) {
  // Over the main window at every opening, where the user looks.
  if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
  QDialog::showEvent(e);
  sicher([this] { FormShow(); })();
}

void TFStatistik::FormShow() {
  statistik_ = statistikZaehlen(*DatBas, typVorgaben(), heuteIso());
  L_eintraege->setText("Einträge: " + QString::number(statistik_.eintraege));
  L_angaben->setText(angabenText(statistik_));
  diagrammZeigen(LB_diagramme->currentRow());
  LB_diagramme->setFocus();
}

void TFStatistik::diagrammZeigen(int nr) {
  if (nr < 0 || nr >= DIAGRAMM_ANZAHL || !LB_balken) return;
  LB_balken->clear();
  const int gesamt = statistik_.eintraege;
  int hoechst = 1, nameBreite = 0;
  const QFontMetrics fm(LB_balken->font());
  for (const TGruppe& g : statistik_.diagramme[nr]) {
    const QString name = diagrammInUtf8(nr) ? QString::fromStdString(g.name) : vonCp1252(g.name);
    auto* item = new QListWidgetItem(name, LB_balken);
    item->setData(ROLLE_ANZAHL, g.anzahl);
    item->setData(ROLLE_ERSTER, g.erster);
    item->setData(TBalkenDelegate::ROLLE_ZAHL, zahlText(g.anzahl, gesamt));
    item->setData(Qt::AccessibleTextRole, vorleseText(name, g.anzahl, gesamt));
    item->setToolTip(vorleseText(name, g.anzahl, gesamt));
    hoechst = std::max(hoechst, g.anzahl);
    nameBreite = std::max(nameBreite, fm.horizontalAdvance(name));
  }
  delegate_->setzeMasse(hoechst, nameBreite);
  if (LB_balken->count() > 0) LB_balken->setCurrentRow(0);
  LB_balken->viewport()->update();
}

void TFStatistik::balkenGewaehlt(const QModelIndex& index) {
  if (!index.isValid()) return;
  const int erster = index.data(ROLLE_ERSTER).toInt();
  if (erster < 0) return;  // an empty decade leads nowhere
  accept();
  Connect->markieren(erster);
  Connect->anzeigen_aktualisieren();
}

QString TFStatistik::diagrammTitel() const {
  const int nr = LB_diagramme ? LB_diagramme->currentRow() : 0;
  const int gesamt = statistik_.eintraege;
  return QString(TITEL[nr < 0 ? 0 : nr]) + " (" + QString::number(gesamt) + (gesamt == 1 ? " Eintrag)" : " Einträge)");
}

std::vector<TBalken> TFStatistik::balken() const {
  std::vector<TBalken> b;
  for (int i = 0; LB_balken && i < LB_balken->count(); ++i) {
    const QListWidgetItem* item = LB_balken->item(i);
    b.push_back({item->text(), item->data(ROLLE_ANZAHL).toInt(), item->data(TBalkenDelegate::ROLLE_ZAHL).toString()});
  }
  return b;
}

QImage TFStatistik::bild() const {
  const std::vector<TBalken> b = balken();
  QImage bild(diagrammGroesse(b.size()), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&bild);
  diagrammZeichnen(p, diagrammTitel(), b, bildFarben());
  return bild;
}

void TFStatistik::B_bildClick() {
  const int nr = std::max(0, LB_diagramme->currentRow());
  TDateiDialog d{"Diagramm als Bild speichern", BILD_TYPEN, QString(DATEINAMEN[nr]) + ".png", "png", this};
  auto name = plattform().speichernDialog(HauptFormular->exportDialog(d, mitEndung));
  if (!name) return;
  *name = mitEndung(*name);
  try {
    QByteArray daten;
    if (istSvg(*name)) {
      const std::vector<TBalken> b = balken();
      const QString titel = diagrammTitel();
      const QPalette farben = bildFarben();
      daten = svgModul().svg(diagrammGroesse(b.size()), titel,
                             [&](QPainter& p) { diagrammZeichnen(p, titel, b, farben); });
    } else {
      QBuffer puffer(&daten);
      puffer.open(QIODevice::WriteOnly);
      if (!bild().save(&puffer, "PNG")) throw EVemlaFehler("Das Bild kann nicht erzeugt werden");
    }
    // Written beside the target first: an existing file of that name stays whole on a failure.
    dateiSicherSchreiben(dateiPfad(*name), daten.constData(), static_cast<std::size_t>(daten.size()));
  } catch (const EVemlaFehler& e) {
    meldungOk("Fehler:",
              "Das Bild konnte nicht gespeichert werden!\r" + *name + "\r" + QString::fromUtf8(e.what()) + ".",
              TSymbol::Warnung, this);
  }
}
