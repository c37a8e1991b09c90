#include "angaben/fenster/UFVerliehen.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "angaben/UAngaben.h"
#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"

TFVerliehen* FVerliehen = nullptr;

namespace {

constexpr int ROLLE_POS = Qt::UserRole;
enum TSpalte { TITEL, AN, SEIT, BIS, HINWEIS, SPALTEN };

std::string heuteIso() { return QDate::currentDate().toString(Qt::ISODate).toStdString(); }

bool ueberfaellig(const TAngaben& a, const std::string& heute) { return !a.zurueckBis.empty() && a.zurueckBis < heute; }

}  // namespace

std::vector<TLeihe> leihenListe(const std::string& heute) {
  std::vector<TLeihe> l;
  std::vector<std::string> bis;
  for (int pos = 1; pos <= DatBas->get_anzahl(); ++pos) {
    if (DatBas->get_beilage(pos).empty()) continue;  // nothing recorded: not lent
    const TAngaben a = Connect->angaben(pos);
    if (!a.verliehen()) continue;
    l.push_back({pos, ueberfaellig(a, heute)});
    bis.push_back(a.zurueckBis);
  }
  std::vector<size_t> ordnung(l.size());
  for (size_t i = 0; i < ordnung.size(); ++i) ordnung[i] = i;
  std::stable_sort(ordnung.begin(), ordnung.end(), [&](size_t x, size_t y) {
    if (l[x].ueberfaellig != l[y].ueberfaellig) return l[x].ueberfaellig;
    return l[x].ueberfaellig && bis[x] < bis[y];
  });
  std::vector<TLeihe> sortiert;
  for (size_t i : ordnung) sortiert.push_back(l[i]);
  return sortiert;
}

QString verliehenMenueText() {
  const auto l = leihenListe(heuteIso());
  const auto n = std::count_if(l.begin(), l.end(), [](const TLeihe& x) { return x.ueberfaellig; });
  return n == 0 ? QStringLiteral("&Verliehen...") : "&Verliehen (" + QString::number(n) + " überfällig)...";
}

TFVerliehen::TFVerliehen(QWidget* parent) : QDialog(parent) {
  setObjectName("FVerliehen");
  setWindowTitle("Vemla - Verliehen");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(standardSchrift());
}

void TFVerliehen::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFVerliehen::aufbauen() {
  if (LV_verliehen) return;
  L_anzahl = mitName(new QLabel(this), "L_anzahl");
  LV_verliehen = mitName(new QTreeWidget(this), "LV_verliehen");
  LV_verliehen->setAccessibleName("Verliehene Einträge");
  LV_verliehen->setColumnCount(SPALTEN);
  LV_verliehen->setHeaderLabels({"Interpret - Titel", "Verliehen an", "seit", "zurück bis", ""});
  LV_verliehen->setRootIsDecorated(false);
  LV_verliehen->setUniformRowHeights(true);
  LV_verliehen->setAllColumnsShowFocus(true);
  LV_verliehen->setSelectionMode(QAbstractItemView::SingleSelection);
  LV_verliehen->setEditTriggers(QAbstractItemView::NoEditTriggers);
  B_zurueckgegeben = mitName(new QPushButton("&Zurückgegeben", this), "B_zurueckgegeben");
  B_schliessen = mitName(new QPushButton("&Schließen", this), "B_schliessen");
  // Enter belongs to the list: no button takes it.
  B_zurueckgegeben->setAutoDefault(false);
  B_schliessen->setAutoDefault(false);

  const QFontMetrics fm(font());
  const int datum = fm.horizontalAdvance("00.00.00000") + 2 * fm.averageCharWidth();
  // The title takes the room left; the others keep their width.
  QHeaderView* kopf = LV_verliehen->header();
  kopf->setStretchLastSection(false);
  kopf->setSectionResizeMode(TITEL, QHeaderView::Stretch);
  LV_verliehen->setColumnWidth(AN, fm.averageCharWidth() * 18);
  LV_verliehen->setColumnWidth(SEIT, datum);
  LV_verliehen->setColumnWidth(BIS, datum);
  QFont fett = font();
  fett.setBold(true);
  LV_verliehen->setColumnWidth(HINWEIS, QFontMetrics(fett).horizontalAdvance("überfällig") + 3 * fm.averageCharWidth());
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(L_anzahl);
  haupt->addWidget(LV_verliehen, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(B_zurueckgegeben);
  knoepfe->addStretch(1);
  knoepfe->addWidget(B_schliessen);
  haupt->addLayout(knoepfe);
  resize(fm.averageCharWidth() * 100, fm.height() * 24);

  connect(LV_verliehen, &QAbstractItemView::activated, this, sicher([this](const QModelIndex& i) { gewaehlt(i); }));
  connect(B_zurueckgegeben, &QPushButton::clicked, this, sicher([this] { B_zurueckgegebenClick(); }));
  connect(B_schliessen, &QPushButton::clicked, this, [this] { reject(); });
}

void TFVerliehen::showEvent(QShowEvent* e) {
  // Over the main window at every opening, where the user looks.
  if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
  QDialog::showEvent(e);
  sicher([this] { FormShow(); })();
}

void TFVerliehen::FormShow() {
  const int zeile = std::max(0, LV_verliehen->currentIndex().row());
  LV_verliehen->clear();
  const std::vector<TLeihe> leihen = leihenListe(heuteIso());
  int ueber = 0;
  for (const TLeihe& l : leihen) {
    TDatensatz d;
    DatBas->get_datensatz(l.pos, d);
    const TAngaben a = Connect->angaben(l.pos);
    auto* item = new QTreeWidgetItem(LV_verliehen);
    item->setText(TITEL, listenzeileAnzeigen(d));
    item->setText(AN, QString::fromStdString(a.verliehenAn));
    item->setText(SEIT, QString::fromStdString(datumAnzeige(a.verliehenSeit)));
    item->setText(BIS, QString::fromStdString(datumAnzeige(a.zurueckBis)));
    item->setData(TITEL, ROLLE_POS, l.pos);
    if (l.ueberfaellig) {
      ++ueber;
      item->setText(HINWEIS, "überfällig");
      for (int s = 0; s < SPALTEN; ++s) item->setForeground(s, QColor(0xB0, 0x00, 0x00));
      QFont fett = item->font(HINWEIS);
      fett.setBold(true);
      item->setFont(HINWEIS, fett);
    }
  }
  QString text = leihen.size() == 1 ? QStringLiteral("1 Eintrag verliehen")
                                    : QString::number(leihen.size()) + " Einträge verliehen";
  if (ueber > 0) text += ", " + QString::number(ueber) + " überfällig";
  L_anzahl->setText(text);
  if (LV_verliehen->topLevelItemCount() > 0)
    LV_verliehen->setCurrentItem(LV_verliehen->topLevelItem(std::min(zeile, LV_verliehen->topLevelItemCount() - 1)));
  B_zurueckgegeben->setEnabled(LV_verliehen->topLevelItemCount() > 0);
  LV_verliehen->setFocus();
}

void TFVerliehen::B_zurueckgegebenClick() {
  const QTreeWidgetItem* item = LV_verliehen->currentItem();
  if (!item) return;
  const int pos = item->data(TITEL, ROLLE_POS).toInt();
  TAngaben a = Connect->angaben(pos);
  a.verliehenAn.clear();
  a.verliehenSeit.clear();
  a.zurueckBis.clear();
  Connect->angabenAendern(pos, a);
  FormShow();
}

void TFVerliehen::gewaehlt(const QModelIndex& index) {
  if (!index.isValid()) return;
  const int pos = index.siblingAtColumn(TITEL).data(ROLLE_POS).toInt();
  accept();
  Connect->markieren(pos - 1);
  Connect->anzeigen_aktualisieren();
}
