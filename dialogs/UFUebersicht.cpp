#include "dialogs/UFUebersicht.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UFarbnamen.h"
#include "app/UFenstermass.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "core/UGesamtZellen.h"
#include "dialogs/UFworking.h"

namespace {

constexpr int ZEILENHOEHE = 18;
constexpr int RAND = 6;
constexpr int KNOPF_HOEHE = 25;
// Applying shows the please-wait window above this many entries.
constexpr int WARTEN_UEBERNEHMEN_AB = 500;

using Option = TEinstellungen::Option;
using Stil = TEinstellungen::Schriftstil;

// Whether the overview's view is stored and restored.
bool ansichtGespeichert() { return Einstellungen && Einstellungen->option(Option::UebersichtSpeichern); }

QFont standardRasterSchrift() { return QFont(SCHRIFT_VERDANA, 7); }

}  // namespace

// ---------------------------------------------------------------- model

void TUebersichtModell::fuellen(QList<QString> zellen) {
  beginResetModel();
  zellen_ = std::move(zellen);
  endResetModel();
}

QVariant TUebersichtModell::data(const QModelIndex& i, int rolle) const {
  if (!i.isValid()) return {};
  // A line break loaded from a file stays in the cell and shows as a blank, as in the main list.
  if (rolle == Qt::DisplayRole) return einzeiligAnzeigen(zelle(i.column(), i.row()));
  if (rolle == Qt::EditRole) return zelle(i.column(), i.row());
  if (rolle == Qt::BackgroundRole && i.column() == 0) return QApplication::palette().color(QPalette::Button);
  return {};
}

bool TUebersichtModell::setData(const QModelIndex& i, const QVariant& wert, int rolle) {
  if (!i.isValid() || rolle != Qt::EditRole || i.column() == 0) return false;
  QString& z = zellen_[i.row() * SPALTEN + i.column()];
  const QString neu = wert.toString();
  if (neu == z) return true;
  z = neu;
  emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
  emit bearbeitet();
  return true;
}

QVariant TUebersichtModell::headerData(int abschnitt, Qt::Orientation o, int rolle) const {
  if (o == Qt::Horizontal && rolle == Qt::DisplayRole && abschnitt >= 0 && abschnitt < SPALTEN)
    return QString(GESAMT_KOPF[abschnitt]);
  return QAbstractTableModel::headerData(abschnitt, o, rolle);
}

Qt::ItemFlags TUebersichtModell::flags(const QModelIndex& i) const {
  if (!i.isValid()) return Qt::NoItemFlags;
  if (i.column() == 0) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

// ---------------------------------------------------------------- grid

void TUebersichtRaster::editorUebernehmen() {
  QWidget* editor = indexWidget(currentIndex());
  if (!editor) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QModelIndex TUebersichtRaster::moveCursor(CursorAction aktion, Qt::KeyboardModifiers tasten) {
  const QModelIndex ziel = QTableView::moveCursor(aktion, tasten);
  if (!ziel.isValid() || ziel.column() != 0) return ziel;
  // Backwards from the first field goes to the last field of the row above
  // (from the top row round to the bottom one); every other move stops at the first field.
  if (aktion == MovePrevious) {
    const int zeile = ziel.row() > 0 ? ziel.row() - 1 : model()->rowCount() - 1;
    return model()->index(zeile, model()->columnCount() - 1);
  }
  return model()->index(ziel.row(), 1);
}

// ---------------------------------------------------------------- window

TFUebersicht::TFUebersicht(QWidget* parent) : QDialog(parent) {
  setObjectName("FUebersicht");
  setWindowTitle("Vemla - Gesamtübersicht");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(standardSchrift());
}

void TFUebersicht::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFUebersicht::aufbauen() {
  if (SG) return;
  modell_ = new TUebersichtModell(this);
  SG = mitName(new TUebersichtRaster(this), "SG");
  SG->setModel(modell_);
  SG->verticalHeader()->hide();
  SG->verticalHeader()->setMinimumSectionSize(1);
  SG->verticalHeader()->setDefaultSectionSize(ZEILENHOEHE);
  SG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SG->horizontalHeader()->setHighlightSections(false);
  SG->horizontalHeader()->setSectionsClickable(false);
  SG->horizontalHeader()->setMinimumSectionSize(1);
  SG->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int s = 0; s < TUebersichtModell::SPALTEN; ++s) SG->setColumnWidth(s, UEBERSICHT_SPALTENBREITEN[s]);
  SG->setSelectionMode(QAbstractItemView::ExtendedSelection);
  SG->setSelectionBehavior(QAbstractItemView::SelectItems);
  SG->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                      QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  SG->setTabKeyNavigation(true);
  SG->setWordWrap(false);
  // A text wider than its cell is cut at the cell's edge, as in the main list.
  SG->setTextElideMode(Qt::ElideNone);
  setzeSchrift(standardRasterSchrift(), QColor());
  SG->installEventFilter(this);
  connect(modell_, &TUebersichtModell::bearbeitet, this, [this] { geaendert_ = true; });

  B_close = mitName(new QPushButton("Ansicht &schliessen", this), "B_close");
  B_font = mitName(new QPushButton("Schriftart auswählen", this), "B_font");
  B_change = mitName(new QPushButton("Ä&nderungen übernehmen", this), "B_change");
  int links = RAND;
  for (QPushButton* b : {B_close, B_font}) {
    b->setGeometry(links, 0, b->sizeHint().width() + 16, KNOPF_HOEHE);
    links += b->width() + 6;
  }
  B_change->resize(183 - RAND - 8, KNOPF_HOEHE);
  for (QPushButton* b : {B_close, B_font, B_change}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(B_close, &QPushButton::clicked, this, sicher([this] { close(); }));
  connect(B_font, &QPushButton::clicked, this, sicher([this] { B_fontClick(); }));
  connect(B_change, &QPushButton::clicked, this, sicher([this] { B_changeClick(); }));

  setMinimumSize(clientGrossrahmen(UEBERSICHT_MINDESTENS.width(), UEBERSICHT_MINDESTENS.height()));
  resize(clientGrossrahmen(791, 414));
  modell_->fuellen(QList<QString>(TUebersichtModell::SPALTEN));
}

QString TFUebersicht::zelle(int spalte, int zeile) const {
  const_cast<TFUebersicht*>(this)->aufbauen();
  if (spalte < 0 || spalte >= TUebersichtModell::SPALTEN || zeile < 0 || zeile >= zeilenAnzahl()) return {};
  return zeile == 0 ? QString(GESAMT_KOPF[spalte]) : modell_->zelle(spalte, zeile - 1);
}

int TFUebersicht::zeilenAnzahl() const {
  const_cast<TFUebersicht*>(this)->aufbauen();
  return modell_->rowCount() + 1;
}

QSize TFUebersicht::aussenmass() const { return aussenGrossrahmen(size()); }

void TFUebersicht::setzeAussenmass(QSize aussen) {
  resize(clientGrossrahmen(aussen.width(), aussen.height()).expandedTo(minimumSize()));
}

void TFUebersicht::layoutAnpassen() {
  if (!B_change) return;  // not built yet
  const TUebersichtMass m = uebersichtMass(aussenmass());
  SG->setGeometry(RAND, RAND, m.raster.width(), m.raster.height());
  B_close->move(B_close->x(), m.knopfOben);
  B_font->move(B_font->x(), m.knopfOben);
  B_change->move(m.uebernehmenLinks, m.knopfOben);
}

void TFUebersicht::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  layoutAnpassen();
}

void TFUebersicht::setzeSchrift(const QFont& schrift, const QColor& farbe) {
  aufbauen();
  SG->setFont(schrift);
  SG->horizontalHeader()->setFont(schrift);
  schriftfarbe_ = farbe;
  QPalette p = SG->palette();
  const QColor text = farbe.isValid() ? farbe : QApplication::palette().color(QPalette::Text);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::ButtonText, text);
  SG->setPalette(p);
  SG->horizontalHeader()->setPalette(p);
}

// ---------------------------------------------------------------- showing

void TFUebersicht::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  gezeigt_ = true;
  sicher([this] { FormShow(); })();
}

void TFUebersicht::FormShow() {
  aufbauen();
  geaendert_ = false;
  TBitteWarten warten(DatBas->get_anzahl() > WARTEN_AB);
  modell_->fuellen(gesamtZellen(*DatBas));
  warten.beenden();

  SG->setCurrentIndex(modell_->index(0, 1));
  beiEigenemDialog_ = false;
  maximiert_ = isMaximized();
  if (ansichtGespeichert()) ansichtLaden();
  B_close->setFocus();
}

void TFUebersicht::ansichtLaden() {
  const TEinstellungen& e = *Einstellungen;
  setzeAussenmass(QSize(e.uebersichtBreite(), e.uebersichtHoehe()));
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
  for (int s = 0; s < TUebersichtModell::SPALTEN; ++s)
    SG->setColumnWidth(s, e.uebersichtSpaltenbreite(s));

  QColor farbe = schriftfarbe_;
  if (!farbeLesen(e.uebersichtSchriftfarbe(), farbe)) farbe = QColor();
  QFont schrift = SG->font();
  schriftname_ = e.uebersichtSchriftname();
  schrift.setFamily(schriftname_ == "Verdana" ? QString(SCHRIFT_VERDANA) : vonCp1252(schriftname_));
  schrift.setPointSize(e.uebersichtSchriftgroesse());
  // Styles are only ever added here.
  if (e.uebersichtSchriftstil(Stil::Fett)) schrift.setBold(true);
  if (e.uebersichtSchriftstil(Stil::Kursiv)) schrift.setItalic(true);
  if (e.uebersichtSchriftstil(Stil::Unterstrichen)) schrift.setUnderline(true);
  if (e.uebersichtSchriftstil(Stil::Durchgestrichen)) schrift.setStrikeOut(true);
  setzeSchrift(schrift, farbe);
  // Stored as maximised, it stays so until the user restores it.
  if (e.uebersichtMaximiert()) maximiert_ = true;
}

bool TFUebersicht::eigenesFenster(const QWidget* w) const {
  if (w == this) return false;
  for (; w; w = w->parentWidget())
    if (w == this) return true;
  return false;
}

void TFUebersicht::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange && isVisible()) maximiert_ = isMaximized();
  if (e->type() != QEvent::ActivationChange) return;
  if (!isActiveWindow()) {
    beiEigenemDialog_ =
        eigenesFenster(QApplication::activeModalWidget()) || eigenesFenster(QApplication::activeWindow());
  } else if (beiEigenemDialog_) {
    beiEigenemDialog_ = false;
  } else {
    sicher([this] { FormActivate(); })();
  }
}

void TFUebersicht::FormActivate() {
  if (ansichtGespeichert() && Einstellungen->uebersichtMaximiert())
    setWindowState(windowState() | Qt::WindowMaximized);
}

// ---------------------------------------------------------------- closing

void TFUebersicht::hideEvent(QHideEvent* e) {
  QDialog::hideEvent(e);
  if (e->spontaneous() || !gezeigt_) return;
  gezeigt_ = false;
  sicher([this] { FormClose(); })();
}

void TFUebersicht::ansichtSichern() {
  if (!ansichtGespeichert()) return;
  aufbauen();
  maximiert_ = isMaximized();
  ansichtLaden();
  FormClose();
}

void TFUebersicht::FormClose() {
  if (!ansichtGespeichert()) return;
  TEinstellungen& e = *Einstellungen;
  e.uebersichtMaximiertSetzen(maximiert_);
  const QSize aussen = aussenmass();
  e.uebersichtBreiteSetzen(aussen.width());
  e.uebersichtHoeheSetzen(aussen.height());
  const QFont schrift = SG->font();
  e.uebersichtSchriftfarbeSetzen(zuCp1252(farbName(schriftfarbe_)));
  e.uebersichtSchriftnameSetzen(schriftname_);
  e.uebersichtSchriftgroesseSetzen(schrift.pointSize());
  for (int s = 0; s < TUebersichtModell::SPALTEN; ++s) e.uebersichtSpaltenbreiteSetzen(s, SG->columnWidth(s));
  e.uebersichtSchriftstilSetzen(Stil::Fett, schrift.bold());
  e.uebersichtSchriftstilSetzen(Stil::Kursiv, schrift.italic());
  e.uebersichtSchriftstilSetzen(Stil::Unterstrichen, schrift.underline());
  e.uebersichtSchriftstilSetzen(Stil::Durchgestrichen, schrift.strikeOut());
}

// ---------------------------------------------------------------- commands

void TFUebersicht::B_changeClick() {
  // An access key clicks without taking the focus from a cell still being edited.
  SG->editorUebernehmen();
  const int anzahl = DatBas->get_anzahl();
  if (!geaendert_) {
    meldungOk("Welche Änderungen?", "Es wurden keine Änderungen vorgenommen!");
    Connect->anzeigen_aktualisieren();
    return;
  }
  for (int zeile = 1; zeile <= anzahl && zeile <= modell_->rowCount(); ++zeile) {
    if (!pflichtfelderGefuellt(zelle(1, zeile), zelle(2, zeile))) {
      meldungOk("Fehler:",
                "Bitte überprüfen Sie Ihre Eingaben!\rBeachten Sie:\r"
                "Die Felder \"Interpret\" und \"Titel\" müssen für jeden Eintrag ausgefüllt werden!",
                TSymbol::Warnung);
      Connect->anzeigen_aktualisieren();
      return;
    }
  }
  TBitteWarten warten(anzahl > WARTEN_UEBERNEHMEN_AB);
  std::vector<TDatensatz> saetze;
  for (int zeile = 1; zeile <= anzahl && zeile <= modell_->rowCount(); ++zeile) {
    std::string f[FELD_ANZAHL];
    for (int nr = 1; nr <= FELD_ANZAHL; ++nr) f[nr - 1] = zuCp1252(modell_->zelle(nr, zeile - 1));
    saetze.push_back(datensatzAus(f[0], f[1], f[2], f[3], f[4], f[5], f[6]));
  }
  Connect->alle_ersetzen(saetze);
  warten.beenden();
  meldungOk("Hinweis:", "Ihre Änderungen wurden übernommen");
  Connect->file_was_changed();
  geaendert_ = false;
  Connect->anzeigen_aktualisieren();
}

void TFUebersicht::B_fontClick() {
  if (auto wahl = plattform().schriftDialog({SG->font(), schriftfarbe_})) {
    setzeSchrift(wahl->schrift, wahl->farbe);
    schriftname_ = zuCp1252(wahl->schrift.family());
  }
}

// ---------------------------------------------------------------- keys and mouse

bool TFUebersicht::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == SG) {
    // Esc in the grid does not close the window.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) return true;
    // The mouse over the grid puts the keyboard there (an open cell editor keeps it).
    if (e->type() == QEvent::Enter) {
      const QWidget* fokus = QApplication::focusWidget();
      if (!(fokus && fokus != SG && SG->isAncestorOf(fokus))) SG->setFocus();
    }
  }
  return QDialog::eventFilter(objekt, e);
}
