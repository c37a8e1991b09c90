#include "app/UHauptAblauf.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UFStartbildschirm.h"
#include "app/UFenstermass.h"
#include "app/UFfirststart.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "core/UFehler.h"
#include "core/UVemDatei.h"
#include "sicherung/USicherung.h"
#include "sicherung/UWiederherstellen.h"

namespace {

using Option = TEinstellungen::Option;

// Sets an option from code, stored and applied as on a click in the options
// dialog; an error (a refused write) goes on to the caller.
void optionSetzen(Option o, bool an) {
  THandlerFehler fehler;
  Einstellungen->optionSetzen(o, an);
  fehler.weiterwerfen();
}

// Runs "tun" once, right after the first paint of "fenster" has ended (work
// that must not delay the first view of the window).
class TNachErstemBild : public QObject {
 public:
  TNachErstemBild(QWidget& fenster, std::function<void()> tun) : QObject(&fenster), tun_(std::move(tun)) {
    fenster.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objekt, QEvent* e) override {
    if (e->type() == QEvent::Paint && !geplant_) {
      geplant_ = true;
      objekt->removeEventFilter(this);
      QTimer::singleShot(0, objekt, [this] {
        const auto tun = std::move(tun_);
        deleteLater();
        tun();
      });
    }
    return false;
  }

 private:
  std::function<void()> tun_;
  bool geplant_ = false;
};

}  // namespace

THauptAblauf::THauptAblauf(THauptFormular& h) : h_(h) {
  fokus_ = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &h_, [this](QWindow* w) {
    if (w && (w->type() == Qt::Popup || w->type() == Qt::ToolTip)) return;
    if (w && w == h_.windowHandle()) {
      aktivierungPruefen();
      vorherigesFenster_ = w;
      vorherigesModal_ = false;
      return;
    }
    vorherigesFenster_ = w;
    vorherigesModal_ = w && w->modality() != Qt::NonModal;
  });
}

// The window's handle goes after this object: its last focus change must not reach here.
THauptAblauf::~THauptAblauf() { QObject::disconnect(fokus_); }

// ---------------------------------------------------------------- showing and activation

void THauptAblauf::programmStart(const QStringList& argumente) {
  // Asked to end by a signal (logging out, shutting down), the program ends
  // without a question once the recovery copy is written.
  if (TSicherung* s = sicherung()) s->beiSignalSetzen([this] { endeDurchSignal(); });
  // Changes a program left unsaved are offered above the shown window before
  // any file is loaded; a restored copy is not loaded over. No activation
  // runs while the question is open.
  bool wiederhergestellt = false;
  startFrage_ = true;
  try {
    wiederhergestellt = kopienAnbieten(&h_, [this] {
      h_.show();
      h_.activateWindow();
    });
  } catch (const std::exception& e) {
    allgemeinerFehler(e);
  }
  startFrage_ = false;
  // The collector's details are read once the window shows the collection
  // (below): they do not delay the start.
  Connect->angabenSpaeter(true);
  try {
    if (!wiederhergestellt) FormShow(argumente);
  } catch (const std::exception& e) {
    allgemeinerFehler(e);
  }
  Connect->angabenSpaeter(false);
  // After the first paint: the details held back, and the quick check of their file.
  new TNachErstemBild(h_, [] {
    try {
      if (!Connect) return;
      Connect->angabenNachladen();
      Connect->angabenPruefen();
    } catch (const std::exception& e) {
      allgemeinerFehler(e);
    }
  });
  h_.show();
  h_.activateWindow();
  // The first activation also comes without a window manager that hands out the focus.
  erstesAktivierenAnmelden();
}

void THauptAblauf::FormShow(const QStringList& argumente) {
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

void THauptAblauf::aktivierungPruefen() {
  // Runs the first time, and when the focus comes back from a non-modal window
  // of the program; not after a modal dialog, not when coming from another program.
  const bool ausProgrammfenster = vorherigesFenster_ && !vorherigesModal_ && vorherigesFenster_ != h_.windowHandle();
  if (!erstesAktivieren_ && !ausProgrammfenster) return;
  aktivierungPlanen();
}

void THauptAblauf::aktivierungPlanen() {
  // The first activation is reported twice on a desktop with a window manager
  // (its focus change and the fallback below), and a box shown by a running
  // activation hands the focus back to the main window: each runs it once.
  if (aktivierungGeplant_ || aktivierungLaeuft_ || startFrage_) return;
  erstesAktivieren_ = false;
  aktivierungGeplant_ = true;
  // Later, not inside the focus change: the activation may open modal windows.
  QTimer::singleShot(0, &h_, [this] {
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

void THauptAblauf::aktivierungNachFenster() {
  if (!h_.isVisible() || erstesAktivieren_) return;
  // Whether or not that window had taken the focus, its return is handled here.
  vorherigesFenster_ = h_.windowHandle();
  vorherigesModal_ = false;
  aktivierungPlanen();
}

void THauptAblauf::erstesAktivierenAnmelden() {
  QTimer::singleShot(0, &h_, [this] {
    if (erstesAktivieren_) aktivierungPlanen();
  });
}

void THauptAblauf::FormActivate() {
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

void THauptAblauf::ansichtsGroesseVorab() {
  // Resizing a window the window manager is still framing can throw it into
  // the screen's corner on X11; the activation then finds the size already set.
  try {
    const std::optional<bool> knoepfe = Einstellungen->schaltflaechen();
    const std::optional<bool> detail = Einstellungen->detailansicht();
    const bool status = Einstellungen->statusleiste();
    const bool mitKnoepfen = knoepfe.value_or(Einstellungen->option(Option::Schaltflaechen));
    h_.setzeAussenHoehe(hauptfensterAussenHoehe(mitKnoepfen, status));
    if (detail) h_.setzeAussenBreite(hauptfensterAussenBreite(*detail));
  } catch (const std::exception&) {
    // An unreadable settings file: the activation reports it.
  }
}

void THauptAblauf::ansichtAngleichen() {
  h_.zeigeStatusleiste(Einstellungen->option(Option::Statusleiste));
  h_.setzeAussenHoehe(hauptfensterAussenHoehe(Einstellungen->option(Option::Schaltflaechen),
                                           Einstellungen->option(Option::Statusleiste)));
  h_.setzeAussenBreite(hauptfensterAussenBreite(Einstellungen->option(Option::Detailansicht)));
}

void THauptAblauf::init_startposition() {
  if (!Einstellungen->startposition()) return;
  // A stored position that is not a number moves nothing.
  if (const std::optional<QPoint> p = Einstellungen->startpunkt()) h_.startpositionSetzen(*p);
  optionSetzen(Option::Startposition, true);
}

void THauptAblauf::init_quickbuttons() {
  const bool sichtbar = Einstellungen->quickbuttons();
  for (QToolButton* b : {h_.SBQuickprint, h_.SBQuickreport, h_.SBQuicktab, h_.SBQuicksort, h_.SBQuicksearch, h_.SBminview})
    b->setVisible(sichtbar);
  if (!sichtbar) optionSetzen(Option::Quickbuttons, false);
}

void THauptAblauf::init_startbildschirm() {
  if (Einstellungen->startbildschirm()) return;
  show_startbildschirm = false;
  optionSetzen(Option::Startbildschirm, false);
}

void THauptAblauf::init_statusleiste() {
  if (Einstellungen->statusleiste()) {
    optionSetzen(Option::Statusleiste, true);
  } else {
    optionSetzen(Option::Statusleiste, false);
    h_.zeigeStatusleiste(false);
  }
}

void THauptAblauf::init_saveview_gesamt() {
  optionSetzen(Option::UebersichtSpeichern, Einstellungen->uebersichtSpeichern());
}

void THauptAblauf::init_detailansicht() {
  const std::optional<bool> wert = Einstellungen->detailansicht();
  if (!wert) return;
  if (*wert) {
    h_.optionen().detailansicht_ein();
    optionSetzen(Option::Detailansicht, true);
  } else {
    h_.optionen().detailansicht_aus();
    optionSetzen(Option::Detailansicht, false);
  }
}

void THauptAblauf::init_schaeltflaechen() {
  const std::optional<bool> wert = Einstellungen->schaltflaechen();
  if (!wert) return;
  if (*wert) {
    optionSetzen(Option::Schaltflaechen, true);
    h_.optionen().schaltflaechen_ein();
  } else {
    optionSetzen(Option::Schaltflaechen, false);
    h_.optionen().schaltflaechen_aus();
  }
}

void THauptAblauf::init_loadlastfile() {
  if (Einstellungen->letzteDateiLaden()) optionSetzen(Option::LetzteDateiLaden, true);
}

void THauptAblauf::init_showcombobox() {
  const bool zeigen = Einstellungen->vorgabelisten();
  for (QLineEdit* e : {h_.e_release, h_.e_typ, h_.e_genre}) e->resize(zeigen ? 209 : 225, 22);
  for (QComboBox* c : {h_.combobox_release, h_.combobox_typ, h_.combobox_genre}) c->setVisible(zeigen);
}

// ---------------------------------------------------------------- closing

bool THauptAblauf::FormClose() {
  if (!Connect->get_filename().isEmpty()) Einstellungen->letzteDateiSetzen(dateiPfad(Connect->get_filename()));
  // The recovery copy stays only when "Ja" did not end in a save.
  bool aufgeben = true;
  if (DatBas->get_anzahl() >= 1 && Connect->file_changed()) {
    const TAntwort antwort =
        frageJaNein("Sicherheitsabfrage", "Die Datei wurde geändert.\rWollen Sie diese Änderungen speichern?");
    // The question went away without an answer (the session ends): the copy keeps the changes.
    if (antwort == TAntwort::Abgebrochen) aufgeben = false;
    if (antwort == TAntwort::Ja) {
      aufgeben = false;
      TDateiDialog d = h_.datei().speicherDialog();
      if (auto name = plattform().speichernDialog(d); name && Connect->datei_speichern(*name)) {
        aufgeben = true;
        meldungOk("Hinweis", "Die Änderungen wurden gespeichert\rDas Programm wird nun beendet.");
      }
    }
  }
  if (aufgeben) kopieAufgeben();
  else if (!endeOhneVerlust()) return false;
  if (Einstellungen->option(Option::Startposition)) h_.optionen().startpositionSpeichern();
  return true;
}

bool THauptAblauf::endeOhneVerlust() {
  if (!kopieFehlt()) return true;
  meldungOk("Hinweis",
            "Die Änderungen konnten weder gespeichert noch gesichert werden.\r"
            "Das Programm bleibt geöffnet, damit Sie die Sammlung an einem anderen Ort speichern können.",
            TSymbol::Warnung, &h_);
  return false;
}

void THauptAblauf::endeDurchSignal() {
  // The exit's settings writes, without its question: the changes stay in the recovery copy.
  if (!Connect->get_filename().isEmpty()) Einstellungen->letzteDateiSetzen(dateiPfad(Connect->get_filename()));
  if (Einstellungen->option(Option::Startposition)) h_.optionen().startpositionSpeichern();
}
