#include "app/UFHaupt.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "app/UAnwendung.h"
#include "app/UFenstermass.h"
#include "app/UGlobal.h"
#include "app/UHauptMenue.h"
#include "app/UIniFile.h"
#include "app/UOrte.h"
#include "app/USymbol.h"
#include "app/UVorgaben.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDBSortTree.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFSuche.h"
#include "dialogs/UFUebersicht.h"
#include "info/UFTastaturkrzl.h"
#include "net/UFInternetZugriff.h"

namespace {

constexpr int CLIENT_BREITE = 667;
constexpr int CLIENT_HOEHE = 393;
constexpr int STATUS_HOEHE = 20;
constexpr const char* VORGABELISTE_STIL = "QComboBox { combobox-popup: 0; }";
constexpr const char* STATUSLEISTE_STIL = "QStatusBar { border-top: 1px solid palette(mid); }";

// A preset list drops down as a plain list of at most its visible items (the
// style's own pop-up would show them all). The style sheet that says so is set
// when the list first drops down: the closed list looks the same either way,
// and the start does without style sheets.
class TVorgabeliste : public QComboBox {
 public:
  using QComboBox::QComboBox;
  void showPopup() override {
    if (styleSheet().isEmpty()) setStyleSheet(VORGABELISTE_STIL);
    QComboBox::showPopup();
  }
};

// The status bar with a line along its top edge, set when the bar is first shown.
class TStatusleiste : public QStatusBar {
 public:
  using QStatusBar::QStatusBar;

 protected:
  void showEvent(QShowEvent* e) override {
    if (styleSheet().isEmpty()) setStyleSheet(STATUSLEISTE_STIL);
    QStatusBar::showEvent(e);
  }
};

}  // namespace

// ---------------------------------------------------------------- TListBox

int TListBox::markiert() const {
  const QModelIndexList zeilen = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
  return zeilen.isEmpty() ? -1 : zeilen.first().row();
}

void TListBox::markieren(int zeile) {
  QSignalBlocker sperre(this);
  if (zeile < 0 || zeile >= count()) {
    clearSelection();
    setCurrentRow(-1);
  } else {
    setCurrentRow(zeile);
  }
}

QItemSelectionModel::SelectionFlags TListBox::selectionCommand(const QModelIndex& index, const QEvent* e) const {
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  const QItemSelectionModel::SelectionFlags f = QListWidget::selectionCommand(index, e);
  // Ctrl+click or Ctrl+Space on the selected line would deselect it; a click beside the lines would clear it.
  if (f.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle | QItemSelectionModel::Clear) &&
      !f.testFlag(QItemSelectionModel::Select))
    return QItemSelectionModel::NoUpdate;
  return f;
}

void TListBox::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton) {
    e->accept();  // the pop-up menu leaves the selection as it is
    return;
  }
  QListWidget::mousePressEvent(e);
}

// ---------------------------------------------------------------- helpers

// ---------------------------------------------------------------- layout

THauptFormular::THauptFormular(QWidget* parent) : QMainWindow(parent) {
  HauptFormular = this;  // the controller works on this window while it is being created
  setObjectName("HauptFormular");
  setWindowTitle(STARTTITEL);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFont(standardSchrift());

  client_ = new QWidget(this);
  client_->setObjectName("client");
  client_->setMouseTracking(true);
  client_->installEventFilter(this);
  setCentralWidget(client_);
  steuerelementeAnlegen();
  hauptMenueAnlegen(*this);
  verbinden();
  setzeAussenBreite(aussenMitMenue({CLIENT_BREITE, CLIENT_HOEHE}).width());
  setzeAussenHoehe(aussenMitMenue({CLIENT_BREITE, CLIENT_HOEHE}).height());
  ansicht_ = std::make_unique<THauptAnsicht>(*this);
  FormCreate();
}

void THauptFormular::steuerelementeAnlegen() {
  QWidget* c = client_;
  auto label = [c](const char* name, const QString& text, int x, int y) {
    QLabel* l = mitName(new QLabel(text, c), name);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  L_vorhandeneintraege = label("L_vorhandeneintraege", "vorhandene Einträge:", 8, 16);
  listbox = mitName(new TListBox(c), "listbox");
  listbox->setGeometry(8, 32, 257, 257);
  listbox->setCursor(Qt::PointingHandCursor);
  listbox->setSelectionMode(QAbstractItemView::SingleSelection);
  listbox->setContextMenuPolicy(Qt::CustomContextMenu);
  listbox->setUniformItemSizes(true);
  // Every line is cut at the right edge, as in a classic list box, whatever the
  // count and whenever the list was laid out: no scroll bar, no ellipsis.
  listbox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  listbox->setTextElideMode(Qt::ElideNone);
  Label7 = label("Label7", "Anzahl der eingetragenen Datensätze:", 25, 296);
  L_anzahl = label("L_anzahl", "0", 232, 296);
  Label8 = label("Label8", "Index des markierten Datensatzes:", 25, 315);
  L_index = label("L_index", "0", 232, 315);
  LDatensatznum = label("LDatensatznum", "", 312, 16);

  const char* labelNamen[] = {"Label2", "Label3", "Label4", "Label5", "Label9", "Label10", "Label6"};
  const char* labelTexte[] = {"Interpret:", "Titel:", "Label:", "Release:", "Typ:", "Genre:", "Kommentar:"};
  const int labelTops[] = {40, 80, 120, 160, 200, 240, 280};
  QLabel** labels[] = {&Label2, &Label3, &Label4, &Label5, &Label9, &Label10, &Label6};
  for (int i = 0; i < 7; ++i) *labels[i] = label(labelNamen[i], labelTexte[i], 312, labelTops[i]);

  // Preset lists first, so that the edits lie above them and only their buttons show.
  auto vorgabe = [c](const char* name, int top, const QStringList& items) {
    QComboBox* cb = mitName(new TVorgabeliste(c), name);
    cb->setGeometry(384, top, 225, 22);
    cb->addItems(items);
    cb->setCurrentIndex(-1);
    cb->setMaxVisibleItems(6);
    cb->setFocusPolicy(Qt::ClickFocus);
    QPalette p = cb->palette();
    p.setColor(QPalette::Text, farbe(8932151));
    p.setColor(QPalette::ButtonText, farbe(8932151));
    cb->setPalette(p);
    return cb;
  };
  combobox_release = vorgabe("combobox_release", 160, vorgabenRelease());
  combobox_typ = vorgabe("combobox_typ", 197, vorgabenTyp());
  combobox_genre = vorgabe("combobox_genre", 237, vorgabenGenre());

  const char* editNamen[] = {"e_interpret", "e_titel", "e_label", "e_release", "e_typ", "e_genre", "e_kommentar"};
  const int editTops[] = {37, 77, 117, 160, 197, 237, 277};
  QLineEdit** edits[] = {&e_interpret, &e_titel, &e_label, &e_release, &e_typ, &e_genre, &e_kommentar};
  for (int i = 0; i < 7; ++i) {
    *edits[i] = mitName(new QLineEdit(c), editNamen[i]);
    (*edits[i])->setGeometry(384, editTops[i], 225, 22);
    (*edits[i])->raise();
  }
  for (QLineEdit* e : {e_release, e_typ, e_genre}) e->resize(209, 22);

  auto werkzeug = [c](const char* name, QStyle::StandardPixmap bild, int x, int y, int b, int h) {
    QToolButton* t = mitName(new QToolButton(c), name);
    t->setGeometry(x, y, b, h);
    t->setAutoRaise(true);
    t->setFocusPolicy(Qt::NoFocus);
    t->setIcon(symbolBeimMalen(t, bild));
    return t;
  };
  SB_AG_Interpret = werkzeug("SB_AG_Interpret", QStyle::SP_FileDialogContentsView, 622, 38, 29, 99);
  SB_AG_Interpret->setIconSize(QSize(22, 22));
  SB_AG_Interpret->setCursor(Qt::PointingHandCursor);

  auto knopf = [c](const char* name, const char* text, int x, int b) {
    QPushButton* p = mitName(new QPushButton(text, c), name);
    p->setGeometry(x, 340, b, 25);
    p->setFlat(true);
    p->setFocusPolicy(Qt::NoFocus);
    p->setCursor(Qt::PointingHandCursor);
    return p;
  };
  b_new = knopf("b_new", "new", 10, 60);
  b_load = knopf("b_load", "load", 80, 60);
  B_loadandadd = werkzeug("B_loadandadd", QStyle::SP_FileDialogNewFolder, 142, 340, 27, 25);
  B_loadandadd->setCursor(Qt::PointingHandCursor);
  b_save = knopf("b_save", "save", 179, 60);
  SBquicksave = werkzeug("SBquicksave", QStyle::SP_DialogSaveButton, 241, 340, 27, 25);
  SBquicksave->setCursor(Qt::PointingHandCursor);
  b_add = knopf("b_add", "add", 304, 65);
  b_del = knopf("b_del", "del", 376, 65);
  b_change = knopf("b_change", "change", 448, 73);
  b_up = knopf("b_up", "up", 528, 49);
  b_down = knopf("b_down", "down", 584, 65);

  struct Quick {
    QToolButton** ziel;
    const char* name;
    int x;
    const char* tipp;
    QStyle::StandardPixmap bild;
  } quick[] = {
      {&SBminview, "SBminview", 242, "Min-view", QStyle::SP_TitleBarShadeButton},
      {&SBQuickprint, "SBQuickprint", 500, "Quick-Print", QStyle::SP_FileIcon},
      {&SBQuickreport, "SBQuickreport", 522, "Quick-Report", QStyle::SP_FileDialogDetailedView},
      {&SBQuicktab, "SBQuicktab", 544, "Quick-Tab", QStyle::SP_FileDialogListView},
      {&SBQuicksort, "SBQuicksort", 566, "Quick-Sort", QStyle::SP_ArrowDown},
      {&SBQuicksearch, "SBQuicksearch", 588, "Quick-Search", QStyle::SP_FileDialogContentsView},
  };
  for (const Quick& q : quick) {
    *q.ziel = werkzeug(q.name, q.bild, q.x, 0, 22, 23);
    (*q.ziel)->setToolTip(q.tipp);
    (*q.ziel)->setToolTipDuration(25000);
  }
  LVersion = label("LVersion", "v 1.0.6", 622, 0);

  statusbar = mitName(new TStatusleiste(c), "statusbar");
  statusbar->setSizeGripEnabled(false);
  memo = mitName(new QPlainTextEdit(c), "memo");
  memo->hide();

  // Tab order: the list, then the edits from Kommentar up to Interpret.
  setTabOrder(listbox, e_kommentar);
  setTabOrder(e_kommentar, e_genre);
  setTabOrder(e_genre, e_typ);
  setTabOrder(e_typ, e_release);
  setTabOrder(e_release, e_label);
  setTabOrder(e_label, e_titel);
  setTabOrder(e_titel, e_interpret);

  for (QWidget* w : std::initializer_list<QWidget*>{listbox, e_interpret, e_titel, e_label, e_release, e_typ,
                                                     e_genre, e_kommentar, combobox_release, combobox_typ,
                                                     combobox_genre})
    w->installEventFilter(this);

  hinweisSetzen(b_new, "erstellt eine neue CD-Sammlung  (alle zur Zeit eingetragene Datensätze werden dabei gelöscht)");
  hinweisSetzen(b_load, "lädt eine gespeicherte CD-Sammlung  (alle zur Zeit eingetragene Datensätze werden dabei gelöscht)");
  hinweisSetzen(B_loadandadd, "fügt alle Daten einer gespeicherten Datei zu ihrer bereits vorhandenen CD-Sammlung dazu");
  hinweisSetzen(b_save, "speichert die aktuelle CD-Sammlung in einer Datei");
  hinweisSetzen(SBquicksave, "Qick-Save [Speichert aktuelle Datei, sofern bereits vorhanden]");
  hinweisSetzen(b_add, "fügt einen neuen Datensatz hinzu");
  hinweisSetzen(b_del, "löscht den zur Zeit markierten Datensatz");
  hinweisSetzen(b_change, "übernimmt alle Änderungen des zur Zeit angezeigten Datensatzes");
  hinweisSetzen(b_up, "verschiebt den zur Zeit markierten Datensatz in der Liste nach oben");
  hinweisSetzen(b_down, "verschiebt den zur Zeit markierten Datensatz in der Liste nach unten");
  hinweisSetzen(SB_AG_Interpret, "Suche nach Interpret / Titel / Label im Internet..");
  hinweisSetzen(LVersion, "Vemla-Programmversion: 1.0.6");
  hinweisSetzen(SBminview, "Min-View [blendet die Detailansicht ein bzw. aus]");
  hinweisSetzen(SBQuicktab, "Quick-Tab [Tabellenansicht öffnen]");
  hinweisSetzen(SBQuicksearch, "Quick-Search [Suchformular anzeigen]");
  hinweisSetzen(SBQuicksort, "Quick-Sort [Sortieren der Interpreten nach Alphabet]");
  hinweisSetzen(SBQuickprint, "Quick-Print [Ruft den Drucken-Dialog auf]");
  hinweisSetzen(SBQuickreport, "Quick-Report [Report: Export als HTML-Datei]");
}

void THauptFormular::hinweisSetzen(QWidget* w, const QString& text) {
  w->setProperty("hinweis", text);
  w->installEventFilter(this);
}

// ---------------------------------------------------------------- creation

void THauptFormular::FormCreate() {
  DatBas = new TDatBas();
  IniFile = new TIniFile(QFile::encodeName(iniPfad()).toStdString());
  Einstellungen = new TEinstellungen(*IniFile);
  optionen_.beobachten(*Einstellungen);
  Connect = new TConnect();
  Connect->setAnsicht(ansicht_.get());
  SortTree = new TDBSortTree(*DatBas, Connect);
  Connect->set_filename("");
  Connect->anzeigen_aktualisieren();
  ansicht_->verlaufZeigen();
  const QString endung = vonCp1252(Einstellungen->vemDateiendung());
  if (!endung.isEmpty() && endung != ".vem") datei_.endungsTyp = endung;

}

THauptFormular::~THauptFormular() {
  delete DatBas;
  DatBas = nullptr;
  delete SortTree;
  SortTree = nullptr;
  delete Connect;
  Connect = nullptr;
  delete Einstellungen;
  Einstellungen = nullptr;
  delete IniFile;
  IniFile = nullptr;
}

void THauptFormular::verbinden() {
  connect(listbox, &QListWidget::itemSelectionChanged, this, sicher([this] {
    Connect->markierungUebernehmen(listbox->markiert());
    Connect->anzeigen_aktualisieren();
  }));
  auto vorgabe = [this](QComboBox* cb, QLineEdit* e) {
    connect(cb, &QComboBox::activated, this, [cb, e](int i) {
      const QString text = cb->itemText(i);
      if (!text.isEmpty()) e->setText(text);
    });
  };
  vorgabe(combobox_release, e_release);
  vorgabe(combobox_typ, e_typ);
  vorgabe(combobox_genre, e_genre);

  connect(b_new, &QPushButton::clicked, this, sicher([this] { datei_.neu(); }));
  connect(b_load, &QPushButton::clicked, this, sicher([this] { datei_.laden(); }));
  connect(B_loadandadd, &QToolButton::clicked, this, sicher([this] { datei_.hinzufuegen(true); }));
  connect(b_save, &QPushButton::clicked, this, sicher([this] { datei_.speichernUnter(); }));

  connect(b_add, &QPushButton::clicked, this, sicher([this] { neuerEintrag(); }));
  connect(b_del, &QPushButton::clicked, this, sicher([] { Connect->datensatz_loeschen(); }));
  connect(b_change, &QPushButton::clicked, this, sicher([this] { aendern(); }));
  connect(b_up, &QPushButton::clicked, this, sicher([] { Connect->nach_oben(); }));
  connect(b_down, &QPushButton::clicked, this, sicher([] { Connect->nach_unten(); }));
  connect(SB_AG_Interpret, &QToolButton::clicked, this, sicher([] { plattform().fensterModal(*FInternetZugriff); }));

  connect(SBQuickprint, &QToolButton::clicked, this,
          sicher([this] { quickbutton(menue_drucken, "Fehler:", [this] { reports_.drucken(); }); }));
  connect(SBQuickreport, &QToolButton::clicked, this,
          sicher([this] { quickbutton(menue_reportschreiben, "Fehler:", [this] { reports_.reportHtml(); }); }));
  connect(SBQuicktab, &QToolButton::clicked, this,
          sicher([this] { quickbutton(menue_gesamtbersicht, "Fehler:", [this] { uebersicht(); }); }));
  connect(SBQuicksort, &QToolButton::clicked, this,
          sicher([this] { quickbutton(menue_sort, "Fehler:", [this] { quicksort(); }); }));
  connect(SBQuicksearch, &QToolButton::clicked, this,
          sicher([this] { quickbutton(menue_suche, "Fehler_", [this] { suche(); }); }));
  connect(SBquicksave, &QToolButton::clicked, this,
          sicher([this] { quickbutton(menue_filesave, "Fehler:", [this] { datei_.speichern(); }); }));
  connect(SBminview, &QToolButton::clicked, this, sicher([this] { minview(); }));
}

// ---------------------------------------------------------------- commands

void THauptFormular::aendern() {
  Connect->datensatz_aendern(e_interpret->text(), e_titel->text(), e_label->text(), e_release->text(), e_typ->text(),
                             e_genre->text(), e_kommentar->text());
}

void THauptFormular::loeschenMitFrage() {
  if (frageJa("Sicherheitsabfrage", "Wollen Sie den markierten Eintrag wirklich löschen?"))
    Connect->datensatz_loeschen();
}

void THauptFormular::sortieren(int key, bool aufsteigend) { Connect->sortieren(key, aufsteigend); }

void THauptFormular::quicksort() { sortieren(FELD_INTERPRET, true); }

void THauptFormular::quickbutton(QAction* menuepunkt, const QString& titel, const std::function<void()>& befehl) {
  if (menuepunkt->isEnabled()) befehl();
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

void THauptFormular::neuerEintrag() { modalZeigen(F_add); }
void THauptFormular::suche() { modalZeigen(FSuche); }
void THauptFormular::uebersicht() { modalZeigen(FUebersicht); }
void THauptFormular::tastaturkuerzel() { modalZeigen(FTastaturkrzl); }

// ---------------------------------------------------------------- size

namespace {

// The top-left corner that centres a frame of size "aussen" on the primary screen's free area.
QPoint mittigAufSchirm(QSize aussen) {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return {};
  const QRect frei = s->availableGeometry();
  return frei.topLeft() + QPoint((frei.width() - aussen.width()) / 2, (frei.height() - aussen.height()) / 2);
}

}  // namespace

void THauptFormular::showEvent(QShowEvent* e) {
  // Centred on the desktop when first shown; a stored start position moves it at the first activation.
  if (!gezeigt_) {
    gezeigt_ = true;
    ablauf_.ansichtsGroesseVorab();
    if (!testAttribute(Qt::WA_Moved)) {
      // The frame is not known before the window manager has drawn it: centred
      // by the client area first, by the frame as soon as the frame is there.
      move(mittigAufSchirm(size()));
      rahmenMittigStellen_ = true;
      rahmenAbwarten(0);
    }
  }
  QMainWindow::showEvent(e);
}

void THauptFormular::rahmenAbwarten(int versuch) {
  // The window manager reports its frame a moment after the window appears
  // (or never, without one); until then it is looked for again, for 5 s at
  // most: a busy desktop can take seconds.
  QTimer::singleShot(20, this, [this, versuch] {
    if (!rahmenMittigStellen_) return;
    if (!windowHandle() || windowHandle()->frameMargins().isNull()) {
      if (versuch < 250) rahmenAbwarten(versuch + 1);
      else rahmenMittigStellen_ = false;
      return;
    }
    endgueltigerRahmen();
  });
}

QRect THauptFormular::endgueltigerRahmen() {
  if (!rahmenMittigStellen_ || !windowHandle() || windowHandle()->frameMargins().isNull()) return frameGeometry();
  rahmenMittigStellen_ = false;
  const QRect ziel(mittigAufSchirm(frameGeometry().size()), frameGeometry().size());
  if (frameGeometry().topLeft() != ziel.topLeft()) move(ziel.topLeft());
  return ziel;
}

void THauptFormular::statusleisteAusrichten() {
  statusbar->setGeometry(0, client_->height() - STATUS_HOEHE, client_->width(), STATUS_HOEHE);
  statusbar->raise();
}

void THauptFormular::setzeAussenHoehe(int hoehe) {
  const QSize c = clientMitMenue(aussenmass().width(), hoehe);
  client_->setFixedHeight(c.height());
  setFixedSize(client_->width(), c.height() + menuBar()->sizeHint().height());
  statusleisteAusrichten();
}

void THauptFormular::setzeAussenBreite(int breite) {
  const QSize c = clientMitMenue(breite, aussenmass().height());
  client_->setFixedWidth(c.width());
  setFixedSize(c.width(), client_->height() + menuBar()->sizeHint().height());
  statusleisteAusrichten();
}

QSize THauptFormular::aussenmass() const { return aussenMitMenue(client_->size()); }

// ---------------------------------------------------------------- events

bool befehlErreichbar(const QAction* a) {
  if (!a->isEnabled()) return false;
  for (QObject* o : a->associatedObjects())
    if (auto* m = qobject_cast<QMenu*>(o); m && m->menuAction() != a && !befehlErreichbar(m->menuAction()))
      return false;
  return true;
}

bool THauptFormular::eventFilter(QObject* objekt, QEvent* e) {
  if (e->type() == QEvent::Shortcut && qobject_cast<QAction*>(objekt) &&
      !befehlErreichbar(static_cast<QAction*>(objekt)))
    return true;
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && objekt != client_) {
    // Esc in the list, a field or a preset list closes the main window.
    close();
    return true;
  }
  if (e->type() == QEvent::Enter) {
    const QVariant hinweis = objekt->property("hinweis");
    if (hinweis.isValid()) statusbar->showMessage(hinweis.toString());
  }
  if (objekt == client_ && e->type() == QEvent::MouseMove) {
    // The bare background clears the hint; the list, fields and labels keep it.
    const auto* m = static_cast<QMouseEvent*>(e);
    if (!client_->childAt(m->position().toPoint()) && !statusbar->currentMessage().isEmpty())
      statusbar->clearMessage();
  }
  if (objekt == client_ && e->type() == QEvent::Resize) statusleisteAusrichten();
  return QMainWindow::eventFilter(objekt, e);
}

// ---------------------------------------------------------------- position and closing

QPoint THauptFormular::startposition() const { return frameGeometry().topLeft(); }

void THauptFormular::startpositionSetzen(QPoint p) {
  rahmenMittigStellen_ = false;  // the stored corner wins over the centre
  // Some part of the title bar stays on the screen nearest to the point, so the window can still be moved.
  QScreen* schirm = QGuiApplication::screenAt(p);
  if (!schirm) schirm = screen() ? screen() : QGuiApplication::primaryScreen();
  if (schirm) {
    const QRect frei = schirm->availableGeometry();
    constexpr int RAND = 60;  // of the title bar, at least
    p.setX(std::clamp(p.x(), frei.left() - frameGeometry().width() + RAND, frei.right() - RAND));
    p.setY(std::clamp(p.y(), frei.top(), frei.bottom() - RAND));
  }
  move(p);
  // Until the window manager has reported the frame, move() would put the
  // client area at p; X11 can place the frame's corner there instead.
  if (windowHandle() && windowHandle()->frameMargins().isNull() && QGuiApplication::platformName() == "xcb")
    windowHandle()->setFramePosition(p);
}

void THauptFormular::zeigeStatusleiste(bool sichtbar) {
  statusbar->setVisible(sichtbar);
  statusleisteAusrichten();
}

// ---------------------------------------------------------------- closing

void THauptFormular::closeEvent(QCloseEvent* e) {
  if (!geschlossen_) {
    geschlossen_ = true;
    bool ende = true;
    try {
      ende = ablauf_.FormClose();
    } catch (const std::exception& fehler) {
      // A failed save ("Zu wenig Speicherplatz") or settings write.
      allgemeinerFehler(fehler);
      ende = ablauf_.endeOhneVerlust();
    }
    // Only when ending would lose the unsaved changes does the window stay open.
    if (!ende) {
      geschlossen_ = false;
      e->ignore();
      return;
    }
  }
  e->accept();
}

TDetailTexte THauptFormular::detailTexte() const { return {e_interpret->text(), e_titel->text(), e_label->text()}; }
