#include "online/fenster/UFOnline.h"

#include <QGroupBox>
#include <algorithm>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <utility>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "dialogs/UF_add.h"
#include "online/fenster/UErgebnisZeile.h"
#include "online/UZuordnung.h"

TFOnline* FOnline = nullptr;

namespace {

// The smallest size of the window; a larger one gives the extra room to the result list.
constexpr int BREITE = ONLINE_BREITE;
constexpr int HOEHE = ONLINE_HOEHE;
constexpr const char* TITEL_HINWEIS = "Hinweis:";

static_assert(TFOnline::SPALTEN == ONLINE_SPALTEN);

// The hint column's lines as high as their wrapped text needs in the column's width.
class THinweisDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o(option);
    o.rect.setWidth(static_cast<const QTreeView*>(parent())->columnWidth(index.column()));
    o.rect.setHeight(1 << 20);
    o.features |= QStyleOptionViewItem::WrapText;
    return QStyledItemDelegate::sizeHint(o, index);
  }
};

QPushButton* knopf(QWidget* eltern, const char* name, const QString& text, int x, int y, int b) {
  QPushButton* k = mitName(new QPushButton(text, eltern), name);
  k->setGeometry(x, y, b, 25);
  k->setAutoDefault(false);  // Enter acts only where this window says so
  return k;
}

}  // namespace

TFOnline::TFOnline(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("FOnline");
  setWindowTitle("CD online nachschlagen");
  setMinimumSize(BREITE, HOEHE);
  resize(BREITE, HOEHE);
  setFont(standardSchrift());
}

TFOnline::~TFOnline() = default;

void TFOnline::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
  if (suche_) suche_->setBereit(isVisible());
}

void TFOnline::aufbauen() {
  if (GB_strichcode) return;
  sucheVerbinden();
  auto gruppe = [this](const char* name, const char* text, int x, int b) {
    QGroupBox* g = mitName(new QGroupBox(QString::fromUtf8(text), this), name);
    g->setGeometry(x, 8, b, 98);
    return g;
  };
  auto label = [](QWidget* eltern, const char* name, const char* text, int x, int y, int b) {
    QLabel* l = mitName(new QLabel(QString::fromUtf8(text), eltern), name);
    l->setGeometry(x, y, b, 16);
    return l;
  };
  auto edit = [](QWidget* eltern, const char* name, int x, int y, int b) {
    QLineEdit* e = mitName(new QLineEdit(eltern), name);
    e->setGeometry(x, y, b, 22);
    return e;
  };

  GB_strichcode = gruppe("GB_strichcode", "Strichcode", 8, 206);
  L_strichcode = label(GB_strichcode, "L_strichcode", "&EAN / UPC (8 bis 14 Ziffern):", 10, 20, 186);
  e_strichcode = edit(GB_strichcode, "e_strichcode", 10, 38, 186);
  e_strichcode->setMaxLength(32);
  b_strichcode = knopf(GB_strichcode, "b_strichcode", "&Suchen", 106, 66, 90);
  L_strichcode->setBuddy(e_strichcode);

  GB_name = gruppe("GB_name", "Interpret und Titel", 222, 336);
  L_interpret = label(GB_name, "L_interpret", "&Interpret:", 10, 22, 66);
  e_interpret = edit(GB_name, "e_interpret", 78, 19, 248);
  L_titel = label(GB_name, "L_titel", "&Titel:", 10, 48, 66);
  e_titel = edit(GB_name, "e_titel", 78, 45, 248);
  b_name = knopf(GB_name, "b_name", "S&uchen", 236, 70, 90);
  L_interpret->setBuddy(e_interpret);
  L_titel->setBuddy(e_titel);
  // Read out on their own, not only as part of the group's title.
  e_strichcode->setAccessibleName("Strichcode");
  e_interpret->setAccessibleName("Interpret");
  e_titel->setAccessibleName("Titel");

  GB_laufwerk = gruppe("GB_laufwerk", "CD im Laufwerk", 566, 186);
  L_laufwerk = label(GB_laufwerk, "L_laufwerk", "Liest die Audio-CD im Laufwerk und sucht sie anhand ihrer Disc-ID.",
                     10, 20, 166);
  L_laufwerk->setGeometry(10, 20, 166, 42);
  L_laufwerk->setWordWrap(true);
  b_laufwerk = knopf(GB_laufwerk, "b_laufwerk", "&CD lesen", 86, 66, 90);

  pb_warten = mitName(new QProgressBar(this), "pb_warten");
  pb_warten->setGeometry(8, 118, 120, 18);
  pb_warten->setRange(0, 0);  // no end known: it just moves
  pb_warten->setTextVisible(false);
  L_status = mitName(new QLabel(this), "L_status");
  L_status->setGeometry(136, 118, 520, 18);
  L_status->setTextFormat(Qt::PlainText);
  b_abbrechen = knopf(this, "b_abbrechen", "&Abbrechen", 662, 114, 90);

  lv_ergebnisse = mitName(new QTreeWidget(this), "lv_ergebnisse");
  lv_ergebnisse->setAccessibleName("Ergebnisse");
  lv_ergebnisse->setRootIsDecorated(false);
  lv_ergebnisse->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lv_ergebnisse->setHeaderLabels(
      {"Interpret", "Titel", "Label / Katalognr.", "Jahr", "Format", "Land", "Strichcode", "Hinweis"});
  for (int s = 0; s < SPALTEN; ++s)
    lv_ergebnisse->setColumnWidth(s, Einstellungen ? Einstellungen->onlineSpaltenbreite(s) : ONLINE_SPALTENBREITEN[s]);
  // The hint column reaches to the list's right edge, and a hint longer than
  // it wraps within its line: it is read without scrolling sideways.
  lv_ergebnisse->header()->setStretchLastSection(true);
  lv_ergebnisse->setWordWrap(true);
  lv_ergebnisse->setUniformRowHeights(false);
  lv_ergebnisse->setItemDelegateForColumn(S_HINWEIS, new THinweisDelegate(lv_ergebnisse));
  connect(lv_ergebnisse->header(), &QHeaderView::sectionResized, this, [this](int spalte) {
    if (spalte == S_HINWEIS) lv_ergebnisse->doItemsLayout();
  });

  b_uebernehmen = knopf(this, "b_uebernehmen", "Ü&bernehmen", 8, 442, 110);
  b_eingabemaske = knopf(this, "b_eingabemaske", "In Eingabe&maske übernehmen", 126, 442, 190);
  b_leeren = knopf(this, "b_leeren", "Liste lee&ren", 446, 442, 100);
  b_leeren->setToolTip("entfernt alle Zeilen aus der Ergebnisliste");
  b_weitere = knopf(this, "b_weitere", "&Weitere laden", 554, 442, 100);
  b_weitere->setToolTip("lädt die nächsten Veröffentlichungen der letzten Suche");
  b_schliessen = knopf(this, "b_schliessen", "Sch&liessen", 662, 442, 90);
  b_uebernehmen->setToolTip("fügt jede markierte Veröffentlichung als neuen Datensatz hinzu");
  b_eingabemaske->setToolTip("öffnet die Eingabemaske mit den Daten der markierten Veröffentlichung");

  connect(b_strichcode, &QPushButton::clicked, this, sicher([this] { b_strichcodeClick(); }));
  connect(e_strichcode, &QLineEdit::returnPressed, this, sicher([this] { strichcodeEingegeben(); }));
  connect(b_name, &QPushButton::clicked, this, sicher([this] { b_nameClick(); }));
  for (QLineEdit* e : {e_interpret, e_titel})
    connect(e, &QLineEdit::returnPressed, this, sicher([this] {
      if (!sucht()) b_nameClick();
    }));
  connect(b_laufwerk, &QPushButton::clicked, this, sicher([this] { b_laufwerkClick(); }));
  connect(b_abbrechen, &QPushButton::clicked, this, sicher([this] { b_abbrechenClick(); }));
  connect(b_uebernehmen, &QPushButton::clicked, this, sicher([this] { b_uebernehmenClick(); }));
  connect(b_eingabemaske, &QPushButton::clicked, this, sicher([this] { b_eingabemaskeClick(); }));
  connect(b_weitere, &QPushButton::clicked, this, sicher([this] { b_weitereClick(); }));
  connect(b_leeren, &QPushButton::clicked, this, sicher([this] { b_leerenClick(); }));
  connect(b_schliessen, &QPushButton::clicked, this, sicher([this] { close(); }));
  connect(lv_ergebnisse, &QTreeWidget::itemSelectionChanged, this, [this] { zustandSetzen(); });
  lv_ergebnisse->installEventFilter(this);

  // Each way of searching, then the results and what can be done with them:
  // "Übernehmen" is one Tab away from the list.
  QWidget* const reihe[] = {e_strichcode, b_strichcode, e_interpret, e_titel, b_name, b_laufwerk,
                                  b_abbrechen, lv_ergebnisse, b_uebernehmen, b_eingabemaske, b_leeren, b_weitere, b_schliessen};
  for (std::size_t i = 1; i < std::size(reihe); ++i)
    setTabOrder(reihe[i - 1], reihe[i]);
  if (Einstellungen) resize(QSize(Einstellungen->onlineBreite(), Einstellungen->onlineHoehe()));
  else resize(BREITE, HOEHE);
  layoutAnpassen();
  zustandSetzen();
}

void TFOnline::layoutAnpassen() {
  if (!lv_ergebnisse) return;  // not built yet
  // The searches keep their place; the list takes what the window has beyond its smallest size.
  const int mehrBreit = width() - BREITE, mehrHoch = height() - HOEHE;
  L_status->setGeometry(136, 118, 520 + mehrBreit, 18);
  b_abbrechen->move(662 + mehrBreit, 114);
  lv_ergebnisse->setGeometry(8, 146, BREITE - 16 + mehrBreit, 286 + mehrHoch);
  b_uebernehmen->move(8, 442 + mehrHoch);
  b_eingabemaske->move(126, 442 + mehrHoch);
  b_leeren->move(446 + mehrBreit, 442 + mehrHoch);
  b_weitere->move(554 + mehrBreit, 442 + mehrHoch);
  b_schliessen->move(662 + mehrBreit, 442 + mehrHoch);
}

void TFOnline::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  layoutAnpassen();
}

void TFOnline::hideEvent(QHideEvent* e) {
  QDialog::hideEvent(e);
  if (e->spontaneous() || !lv_ergebnisse || !Einstellungen) return;
  sicher([this] {
    // The size and the column widths the user chose are there again next time.
    const QSize mass = isMaximized() ? normalGeometry().size() : size();
    Einstellungen->onlineBreiteSetzen(mass.width());
    Einstellungen->onlineHoeheSetzen(mass.height());
    for (int s = 0; s < SPALTEN; ++s) Einstellungen->onlineSpaltenbreiteSetzen(s, lv_ergebnisse->columnWidth(s));
  })();
}

bool TFOnline::sucht() const { return suche_ && suche_->sucht(); }

TOnlineSuche& TFOnline::suche() {
  if (!suche_)
    suche_ = new TOnlineSuche(quelleErzeugen("MusicBrainz", [] { return plattform().musikDienst(); }), Connect, this);
  return *suche_;
}

void TFOnline::sucheVerbinden() {
  TOnlineSuche* s = &suche();
  connect(s, &TOnlineSuche::statusGeaendert, this, [this](const QString& text) { L_status->setText(text); });
  connect(s, &TOnlineSuche::ergebnisNeu, this, &TFOnline::ergebnisZeigen);
  connect(s, &TOnlineSuche::ergebnisseBehalten, this, &TFOnline::ergebnisseBehalten);
  connect(s, &TOnlineSuche::ergebnisseGeleert, this, [this] {
    zeilen_.clear();
    lv_ergebnisse->clear();
  });
  connect(s, &TOnlineSuche::meldungNeu, this, &TFOnline::meldungszeile);
  connect(s, &TOnlineSuche::ergebnisUebernommen, this, [this](int nr) {
    const TZeile& z = zeilen_[static_cast<std::size_t>(nr)];
    const QString vorher = z.zeile->text(S_HINWEIS);
    hinweisSetzen(z.zeile, vorher.isEmpty() ? QString("übernommen") : "übernommen, " + vorher, z.erklaerung);
  });
  connect(s, &TOnlineSuche::erstesNeues, this,
          [this](int nr) { lv_ergebnisse->setCurrentItem(zeilen_[static_cast<std::size_t>(nr)].zeile); });
  connect(s, &TOnlineSuche::strichcodeFrei, this, [this] { strichcodeBereit(letzterScan_); });
  connect(s, &TOnlineSuche::fehler, this, [](const QString& text) { meldungOk(TITEL_HINWEIS, text); });
  connect(s, &TOnlineSuche::zustandGeaendert, this, &TFOnline::zustandSetzen);
}

void TFOnline::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TFOnline::FormShow() {
  // Artist and title of the current entry, as a start for the search by name.
  const int pos = Connect ? Connect->markiert() + 1 : 0;
  if (DatBas && pos >= 1 && pos <= DatBas->get_anzahl()) {
    TDatensatz d;
    DatBas->get_datensatz(pos, d);
    e_interpret->setText(vonCp1252(d.Interpret.sicht()));
    e_titel->setText(vonCp1252(d.Titel.sicht()));
  }
  e_strichcode->setFocus();
  e_strichcode->selectAll();
}

void TFOnline::done(int r) {
  // Closing the window ends a running look-up; nothing of it is added.
  suche().beenden();
  QDialog::done(r);
}

bool TFOnline::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == lv_ergebnisse && e->type() == QEvent::KeyPress) {
    const int k = static_cast<QKeyEvent*>(e)->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
      sicher([this] { b_uebernehmenClick(); })();
      return true;
    }
    // A scan while the list has the focus: its digits belong to the barcode line.
    const auto* taste = static_cast<QKeyEvent*>(e);
    const QString t = taste->text();
    if (t.size() == 1 && t[0] >= '0' && t[0] <= '9' &&
        !(taste->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))) {
      if (focusWidget() != e_strichcode) {
        e_strichcode->setFocus();
        e_strichcode->selectAll();  // a new barcode replaces the last one
      }
      QCoreApplication::sendEvent(e_strichcode, e);
      return true;
    }
  }
  return QDialog::eventFilter(objekt, e);
}

void TFOnline::b_strichcodeClick() {
  const QString code = strichcodeAus(e_strichcode->text());
  if (code.isEmpty()) {
    meldungOk(TITEL_HINWEIS, "Bitte geben Sie einen Strichcode (EAN / UPC) aus 8 bis 14 Ziffern ein.");
    e_strichcode->setFocus();
    return;
  }
  scanAnnehmen(code);
}

void TFOnline::strichcodeEingegeben() {
  // A barcode scanner types the digits and Enter; letters are no scan (the button says why).
  const QString ziffern = e_strichcode->text().trimmed();
  if (!nurZiffern(ziffern)) return;
  const QString code = strichcodeAus(ziffern);
  if (code.isEmpty()) {
    // No box: the scanner's next Enter would close it, and its digits would be lost.
    meldungszeile("Strichcode " + ziffern + ": kein gültiger Strichcode (8 bis 14 Ziffern)");
    letzterScan_ = e_strichcode->text();
    e_strichcode->selectAll();
    return;
  }
  scanAnnehmen(code);
}

void TFOnline::scanAnnehmen(const QString& code) {
  // The next scan replaces the text, even while this one is still being looked up.
  letzterScan_ = e_strichcode->text();
  e_strichcode->selectAll();
  suche().scannen(code);
}

void TFOnline::strichcodeBereit(const QString& textVorher) {
  // Selected, the text is replaced by the next scan; a scan being typed is left alone.
  if (e_strichcode->text() == textVorher) e_strichcode->selectAll();
}

void TFOnline::meldungszeile(const QString& text) {
  auto* z = new QTreeWidgetItem(lv_ergebnisse, {text});
  z->setFlags(Qt::ItemIsEnabled);  // nothing to take over
  z->setFirstColumnSpanned(true);
  z->setToolTip(0, text);
  zustandSetzen();
}

void TFOnline::b_nameClick() {
  if (e_interpret->text().trimmed().isEmpty() && e_titel->text().trimmed().isEmpty()) {
    meldungOk(TITEL_HINWEIS, "Bitte geben Sie einen Interpreten oder einen Titel ein.");
    e_interpret->setFocus();
    return;
  }
  suche().nameSuchen(e_interpret->text(), e_titel->text());
}

void TFOnline::b_laufwerkClick() { suche().discSuchen(); }

void TFOnline::b_abbrechenClick() { suche().abbrechen(); }

void TFOnline::b_weitereClick() { suche().weitereLaden(); }

void TFOnline::ergebnisseBehalten(const QList<int>& vorher) {
  std::vector<TZeile> alle = std::exchange(zeilen_, {});
  std::vector<QTreeWidgetItem*> weg;
  for (std::size_t i = 0, k = 0; i < alle.size(); ++i) {
    if (k < static_cast<std::size_t>(vorher.size()) && vorher[static_cast<qsizetype>(k)] == static_cast<int>(i)) {
      zeilen_.push_back(alle[i]);
      ++k;
    } else {
      weg.push_back(alle[i].zeile);
    }
  }
  qDeleteAll(weg);  // after: removing a line tells the window that the selection changed
}

void TFOnline::ergebnisZeigen(int nr, bool inSammlung) {
  const TVeroeffentlichung& v = suche().ergebnisse()[static_cast<std::size_t>(nr)].v;
  auto* z = new QTreeWidgetItem(lv_ergebnisse, ergebnisSpalten(v) << QString());
  const TFelder f = felderZuordnen(v);
  const QString zuordnung = "Typ: " + f[4] + "\nGenre: " + f[5] + "\nKommentar: " + f[6];
  for (int s = 0; s < SPALTEN; ++s) z->setToolTip(s, zuordnung);
  const THinweise h = ergebnisHinweise(v, inSammlung);
  hinweisSetzen(z, h.kurz, h.erklaerung);
  zeilen_.push_back({z, h.erklaerung});
}

void TFOnline::hinweisSetzen(QTreeWidgetItem* z, const QString& kurz, const QString& erklaerung) {
  z->setText(S_HINWEIS, kurz);
  const QString ganz = erklaerung.isEmpty() ? kurz : kurz + ":\n" + erklaerung;
  z->setToolTip(S_HINWEIS, ganz);
  z->setData(S_HINWEIS, Qt::AccessibleTextRole, kurz);
  z->setData(S_HINWEIS, Qt::AccessibleDescriptionRole, erklaerung);
}

std::vector<int> TFOnline::gewaehlteZeilen() const {
  std::vector<int> r;
  for (std::size_t i = 0; i < zeilen_.size(); ++i)
    if (zeilen_[i].zeile->isSelected()) r.push_back(static_cast<int>(i));
  return r;
}

void TFOnline::zustandSetzen() {
  if (!b_schliessen) return;
  const bool laeuft = sucht();
  pb_warten->setVisible(laeuft);
  b_abbrechen->setEnabled(laeuft);
  for (QPushButton* k : {b_strichcode, b_name, b_laufwerk}) k->setEnabled(!laeuft);
  const bool gewaehlt = !laeuft && !gewaehlteZeilen().empty();
  b_uebernehmen->setEnabled(gewaehlt);
  b_eingabemaske->setEnabled(gewaehlt);
  b_weitere->setEnabled(!laeuft && suche().weitereMoeglich());
  b_leeren->setEnabled(!laeuft && lv_ergebnisse->topLevelItemCount() > 0);
}

void TFOnline::b_leerenClick() { suche().leeren(); }
