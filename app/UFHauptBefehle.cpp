// The main window's life (creation, activation, closing) and its commands.
#include <QAction>
#include <algorithm>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UFStartbildschirm.h"
#include "app/UFenstermass.h"
#include "app/UFfirststart.h"
#include "app/UGlobal.h"
#include "app/UIniFile.h"
#include "app/UPlattform.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDBSortTree.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "core/UFehler.h"
#include "core/UVemDatei.h"
#include "dialogs/UFOptionen.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFSuche.h"
#include "net/UFInternetZugriff.h"

namespace {

using Option = TEinstellungen::Option;

// Sets an option's running state from code: the options dialog's handler runs
// as on a click, and an error it raises (a refused write) goes on to the caller.
void optionSetzen(Option o, bool an) {
  THandlerFehler fehler;
  Einstellungen->optionSetzen(o, an);
  fehler.weiterwerfen();
}

}  // namespace

// ---------------------------------------------------------------- creation

void THauptFormular::FormCreate() {
  show_startbildschirm = true;
  DatBas = new TDatBas();
  IniFile = new TIniFile(QFile::encodeName(iniPfad()).toStdString());
  Einstellungen = new TEinstellungen(*IniFile);
  Connect = new TConnect();
  Connect->setAnsicht(ansicht_.get());
  SortTree = new TDBSortTree(*DatBas, Connect);
  Connect->set_filename("");
  Connect->anzeigen_aktualisieren();
  const QString endung = vonCp1252(Einstellungen->vemDateiendung());
  if (!endung.isEmpty() && endung != ".vem") datei_.endungsTyp = endung;

  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* w) {
    if (w && (w->type() == Qt::Popup || w->type() == Qt::ToolTip)) return;
    if (w && w == windowHandle()) {
      aktivierungPruefen();
      vorherigesFenster_ = w;
      vorherigesModal_ = false;
      return;
    }
    vorherigesFenster_ = w;
    vorherigesModal_ = w && w->modality() != Qt::NonModal;
  });
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

// ---------------------------------------------------------------- showing and activation

void THauptFormular::programmStart(const QStringList& argumente) {
  try {
    FormShow(argumente);
  } catch (const std::exception& e) {
    allgemeinerFehler(e);
  }
  show();
  activateWindow();
  // The first activation also comes without a window manager that hands out the focus.
  erstesAktivierenAnmelden();
}

void THauptFormular::FormShow(const QStringList& argumente) {
  auto oeffnen = [this](const QString& pfad) {
    try {
      Connect->datei_oeffnen(pfad);
    } catch (const std::exception& e) {
      // The collection is open and only the settings refused to note it: the
      // first activation reports that, once, above the window.
      if (Connect->get_filename().isEmpty()) throw;
      startFehler_ = e.what();
    }
  };
  if (!argumente.isEmpty() && dateiExistiert(dateiPfad(argumente.first()))) {
    oeffnen(QFileInfo(argumente.first()).absoluteFilePath());
    Connect->file_wasnot_changed();
    return;
  }
  if (Einstellungen->letzteDateiLaden()) {
    const QString letzte = pfadAusDatei(Einstellungen->letzteDatei());
    if (dateiExistiert(dateiPfad(letzte))) oeffnen(letzte);
  }
  Connect->file_wasnot_changed();
}

void THauptFormular::aktivierungPruefen() {
  // Runs the first time, and when the focus comes back from a non-modal window
  // of the program; not after a modal dialog, not when coming from another program.
  const bool ausProgrammfenster = vorherigesFenster_ && !vorherigesModal_ && vorherigesFenster_ != windowHandle();
  if (!erstesAktivieren_ && !ausProgrammfenster) return;
  aktivierungPlanen();
}

void THauptFormular::aktivierungPlanen() {
  // The first activation is reported twice on a desktop with a window manager
  // (its focus change and the fallback below), and a box shown by a running
  // activation hands the focus back to the main window: each runs it once.
  if (aktivierungGeplant_ || aktivierungLaeuft_) return;
  erstesAktivieren_ = false;
  aktivierungGeplant_ = true;
  // Later, not inside the focus change: the activation may open modal windows.
  QTimer::singleShot(0, this, [this] {
    aktivierungGeplant_ = false;
    aktivierungLaeuft_ = true;
    // A write refused while the window was still hidden is reported now; the
    // same refusal once, however often the activation meets it again.
    const std::string vorher = std::exchange(startFehler_, {});
    try {
      FormActivate();
    } catch (const std::exception& e) {
      // A refused write stops the activation there; the window then shows what the option boxes hold.
      ansichtAngleichen();
      if (vorher != e.what()) allgemeinerFehler(e);
    }
    if (!vorher.empty()) allgemeinerFehler(EVemlaFehler(vorher));
    aktivierungLaeuft_ = false;
  });
}

void THauptFormular::aktivierungNachFenster() {
  if (!isVisible() || erstesAktivieren_) return;
  // Whether or not that window had taken the focus, its return is handled here.
  vorherigesFenster_ = windowHandle();
  vorherigesModal_ = false;
  aktivierungPlanen();
}

void THauptFormular::erstesAktivierenAnmelden() {
  QTimer::singleShot(0, this, [this] {
    if (erstesAktivieren_) aktivierungPlanen();
  });
}

void THauptFormular::FormActivate() {
  erstesAktivieren_ = false;
  init_startposition();
  init_quickbuttons();
  init_startbildschirm();
  if (show_startbildschirm) {
    if (FStartbildschirm) plattform().fensterModal(*FStartbildschirm);
    show_startbildschirm = false;
  }
  init_statusleiste();
  init_saveview_gesamt();
  init_detailansicht();
  init_schaeltflaechen();
  if (Einstellungen->ersterStart()) {
    if (Ffirststart) plattform().fensterModal(*Ffirststart);
    Einstellungen->ersterStartSetzen(false);
  }
  init_loadlastfile();
  init_showcombobox();
}

void THauptFormular::ansichtsGroesseVorab() {
  // Resizing a window the window manager is still framing can throw it into
  // the screen's corner on X11; the activation then finds the size already set.
  try {
    const std::optional<bool> knoepfe = Einstellungen->schaltflaechen();
    const std::optional<bool> detail = Einstellungen->detailansicht();
    const bool status = Einstellungen->statusleiste();
    const bool mitKnoepfen = knoepfe.value_or(Einstellungen->option(Option::Schaltflaechen));
    setzeAussenHoehe(hauptfensterAussenHoehe(mitKnoepfen, status));
    if (detail) setzeAussenBreite(hauptfensterAussenBreite(*detail));
  } catch (const std::exception&) {
    // An unreadable settings file: the activation reports it.
  }
}

void THauptFormular::ansichtAngleichen() {
  zeigeStatusleiste(Einstellungen->option(Option::Statusleiste));
  setzeAussenHoehe(hauptfensterAussenHoehe(Einstellungen->option(Option::Schaltflaechen),
                                           Einstellungen->option(Option::Statusleiste)));
  setzeAussenBreite(hauptfensterAussenBreite(Einstellungen->option(Option::Detailansicht)));
}

void THauptFormular::init_startposition() {
  if (!Einstellungen->startposition()) return;
  // A stored position that is not a number moves nothing.
  if (const std::optional<QPoint> p = Einstellungen->startpunkt()) startpositionSetzen(*p);
  optionSetzen(Option::Startposition, true);
}

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

void THauptFormular::init_quickbuttons() {
  const bool sichtbar = Einstellungen->quickbuttons();
  for (QToolButton* b : {SBQuickprint, SBQuickreport, SBQuicktab, SBQuicksort, SBQuicksearch, SBminview})
    b->setVisible(sichtbar);
  if (!sichtbar) optionSetzen(Option::Quickbuttons, false);
}

void THauptFormular::init_startbildschirm() {
  if (Einstellungen->startbildschirm()) return;
  show_startbildschirm = false;
  optionSetzen(Option::Startbildschirm, false);
}

void THauptFormular::init_statusleiste() {
  if (Einstellungen->statusleiste()) {
    optionSetzen(Option::Statusleiste, true);
  } else {
    optionSetzen(Option::Statusleiste, false);
    zeigeStatusleiste(false);
  }
}

void THauptFormular::init_saveview_gesamt() {
  optionSetzen(Option::UebersichtSpeichern, Einstellungen->uebersichtSpeichern());
}

void THauptFormular::init_detailansicht() {
  const std::optional<bool> wert = Einstellungen->detailansicht();
  if (!wert) return;
  if (*wert) {
    FOptionen->detailansicht_ein();
    optionSetzen(Option::Detailansicht, true);
  } else {
    FOptionen->detailansicht_aus();
    optionSetzen(Option::Detailansicht, false);
  }
}

void THauptFormular::init_schaeltflaechen() {
  const std::optional<bool> wert = Einstellungen->schaltflaechen();
  if (!wert) return;
  if (*wert) {
    optionSetzen(Option::Schaltflaechen, true);
    FOptionen->schaltflaechen_ein();
  } else {
    optionSetzen(Option::Schaltflaechen, false);
    FOptionen->schaltflaechen_aus();
  }
}

void THauptFormular::init_loadlastfile() {
  if (Einstellungen->letzteDateiLaden()) optionSetzen(Option::LetzteDateiLaden, true);
}

void THauptFormular::init_showcombobox() {
  const bool zeigen = Einstellungen->vorgabelisten();
  for (QLineEdit* e : {e_release, e_typ, e_genre}) e->resize(zeigen ? 209 : 225, 22);
  for (QComboBox* c : {combobox_release, combobox_typ, combobox_genre}) c->setVisible(zeigen);
}

void THauptFormular::zeigeStatusleiste(bool sichtbar) {
  statusbar->setVisible(sichtbar);
  statusleisteAusrichten();
}

// ---------------------------------------------------------------- closing

void THauptFormular::closeEvent(QCloseEvent* e) {
  if (!geschlossen_) {
    geschlossen_ = true;
    try {
      FormClose();
    } catch (const std::exception& fehler) {
      allgemeinerFehler(fehler);
    }
  }
  e->accept();  // the exit cannot be cancelled
}

void THauptFormular::FormClose() {
  if (!Connect->get_filename().isEmpty()) Einstellungen->letzteDateiSetzen(dateiPfad(Connect->get_filename()));
  if (DatBas->get_anzahl() >= 1 && Connect->file_changed()) {
    if (frageJa("Sicherheitsabfrage", "Die Datei wurde geändert.\rWollen Sie diese Änderungen speichern?")) {
      TDateiDialog d = datei_.speicherDialog();
      if (auto name = plattform().speichernDialog(d); name && Connect->datei_speichern(*name)) {
        meldungOk("Hinweis", "Die Änderungen wurden gespeichert\rDas Programm wird nun beendet.");
      }
    }
  }
  if (Einstellungen->option(Option::Startposition)) FOptionen->startpositionSpeichern();
}
