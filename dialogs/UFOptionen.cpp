#include "dialogs/UFOptionen.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UFenstermass.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UEinstellungen.h"

namespace {

using Option = TEinstellungen::Option;

}  // namespace

TFOptionen::TFOptionen(QWidget* parent) : QDialog(parent) {
  setObjectName("FOptionen");
  setWindowTitle("Optionen");
  setFixedSize(436, 322);
  setFont(standardSchrift());

  auto gruppe = [this](const char* name, const char* text, int y, int h) {
    QGroupBox* g = new QGroupBox(text, this);
    g->setObjectName(name);
    g->setGeometry(8, y, 420, h);
    return g;
  };
  GroupBox1 = gruppe("GroupBox1", " Ansicht ", 8, 136);
  GroupBox2 = gruppe("GroupBox2", " Weiteres ", 150, 128);

  auto box = [](QGroupBox* g, const char* name, const char* text, int y, bool an) {
    QCheckBox* c = new QCheckBox(text, g);
    c->setObjectName(name);
    c->setGeometry(12, y, 360, 18);
    c->setChecked(an);
    return c;
  };
  auto info = [this](QGroupBox* g, const char* name, int y, const QString& text) {
    QToolButton* t = new QToolButton(g);
    t->setObjectName(name);
    t->setGeometry(390, y, 20, 20);
    t->setAutoRaise(true);
    t->setText("?");
    t->setToolTip("erweiterte Informationen anzeigen");
    t->setFocusPolicy(Qt::NoFocus);
    connect(t, &QToolButton::clicked, this, [text] { meldungOk("Information:", text, TSymbol::Frage); });
    return t;
  };

  cb_schaltflaechenvisible =
      box(GroupBox1, "cb_schaltflaechenvisible", "Standard&schaltflächen (load, save, add...) anzeigen", 20, true);
  cb_statusleiste = box(GroupBox1, "cb_statusleiste", "St&atusleiste (erweiterte Informationen) anzeigen", 42, true);
  cb_detailansicht = box(GroupBox1, "cb_detailansicht", "&Detailansicht anzeigen", 64, true);
  cb_startbildschirm = box(GroupBox1, "cb_startbildschirm", "Start&bildschirm anzeigen", 86, true);
  CBQuickbuttons = box(GroupBox1, "CBQuickbuttons", "Quickbuttons anzeigen", 108, true);
  SpeedButton1 = info(GroupBox1, "SpeedButton1", 19,
                      "Diese Option blendet die Standard-Schaltflächen (new, load,  \r"
                      "save, add, del, change, up, down) wahlweise ein oder aus.");
  SpeedButton2 = info(GroupBox1, "SpeedButton2", 41,
                      "Diese Optionen blendet die Statusleiste (im  \rHauptfenster) wahlweise ein oder aus.");
  SpeedButton3 = info(GroupBox1, "SpeedButton3", 63,
                      "Diese Option blendet die Detailansicht [=Eingabemaske für Inter-\r"
                      "pret, Titel, Label usw. (im Hauptfenster)] wahlweise ein oder aus.  ");
  SpeedButton4 = info(GroupBox1, "SpeedButton4", 85,
                      "Ist diese Option aktiviert, so wird beim Start des  \r"
                      "Programmes der Vemla-Startbildschirm angezeigt.");
  SBquickbuttons = info(GroupBox1, "SBquickbuttons", 107,
                        "Diese Option blendet die \"Quickbuttons\" Quick-Print, Quick-Report\r"
                        "Quick-Tab, Quick-Sort, Quick-Search sowie Min-View ein bzw. aus.");

  SBReg = new QPushButton("Dateiendung registrieren", GroupBox2);
  SBReg->setObjectName("SBReg");
  SBReg->setGeometry(12, 20, 170, 22);
  SBReg->setFlat(true);
  connect(SBReg, &QPushButton::clicked, this, [] {
    meldungOk("Sorry",
              "Die Dateiregistrierung wurde entfernt.\r"
              "Bitte werfen Sie einen Blick in die Readme-Datei, um nach-  \r"
              "zulesen, wie sie die Dateiendung manuell registrieren.");
  });
  cb_startposition = box(GroupBox2, "cb_startposition", "S&tartposition des Hauptfensters speichern", 52, false);
  cb_loadlastfile = box(GroupBox2, "cb_loadlastfile", "zuletzt angezeigte Datei beim nächsten Start &laden", 76, false);
  cb_saveview_gesamt = box(GroupBox2, "cb_saveview_gesamt", "Ansicht der &Gesamtübersicht speichern", 100, false);
  SpeedButton5 = info(GroupBox2, "SpeedButton5", 21,
                      "Vemla erstellt Ihnen auf Wunsch einen Eintrag in der Registry.\r"
                      "Weitere Informationen erfahren Sie bei Klick auf den Button");
  SpeedButton6 = info(GroupBox2, "SpeedButton6", 51,
                      "Ist diese Option aktiviert, startet Vemla beim nächsten\r"
                      "Mal in der zuletzt angezeigten Position auf dem Desktop.  ");
  SpeedButton7 = info(GroupBox2, "SpeedButton7", 75,
                      "Ist diese Option aktiviert, lädt Vemla beim nächsten Start die zuletzt angezeigte Datei.  ");
  SpeedButton8 = info(GroupBox2, "SpeedButton8", 99,
                      "Ist diese Option aktiviert, so werden die Einstellungen (Schriftart, -Farbe,  \r"
                      "-Grösse, Fenstergrösse etc.) der Gesamtübersicht (F8) gespeichert.");

  B_ok = new QPushButton("&zurück", this);
  B_ok->setObjectName("B_ok");
  B_ok->setGeometry(340, 288, 88, 25);
  B_ok->setToolTip("( schliesst diese Ansicht )");
  B_ok->setAutoDefault(false);
  connect(B_ok, &QPushButton::clicked, this, &QDialog::accept);

  // Each box shows its option's running state. Toggling it sets that state
  // first, so the state follows the box even when the file refuses the write.
  auto option = [this](QCheckBox* box, Option o, auto klick) {
    box->setChecked(Einstellungen->option(o));
    connect(box, &QCheckBox::toggled, this, sicher([this, o, klick](bool an) {
      Einstellungen->optionSetzen(o, an);
      (this->*klick)(an);
    }));
  };
  option(cb_schaltflaechenvisible, Option::Schaltflaechen, &TFOptionen::cb_schaltflaechenvisibleClick);
  option(cb_statusleiste, Option::Statusleiste, &TFOptionen::cb_statusleisteClick);
  option(cb_detailansicht, Option::Detailansicht, &TFOptionen::cb_detailansichtClick);
  option(cb_startbildschirm, Option::Startbildschirm, &TFOptionen::cb_startbildschirmClick);
  option(CBQuickbuttons, Option::Quickbuttons, &TFOptionen::CBQuickbuttonsClick);
  option(cb_startposition, Option::Startposition, &TFOptionen::cb_startpositionClick);
  option(cb_loadlastfile, Option::LetzteDateiLaden, &TFOptionen::cb_loadlastfileClick);
  option(cb_saveview_gesamt, Option::UebersichtSpeichern, &TFOptionen::cb_saveview_gesamtClick);
  // An option set from code shows in its box, whose handler then applies it.
  connect(Einstellungen, &TEinstellungen::geaendert, this, [this](Option o, bool an) { kasten(o)->setChecked(an); });

  for (QWidget* w :
       std::initializer_list<QWidget*>{cb_schaltflaechenvisible, cb_statusleiste, cb_detailansicht, cb_startbildschirm,
                                       cb_startposition, cb_loadlastfile, cb_saveview_gesamt, B_ok})
    w->installEventFilter(this);
}

QCheckBox* TFOptionen::kasten(Option o) const {
  switch (o) {
    case Option::Schaltflaechen: return cb_schaltflaechenvisible;
    case Option::Statusleiste: return cb_statusleiste;
    case Option::Detailansicht: return cb_detailansicht;
    case Option::Startbildschirm: return cb_startbildschirm;
    case Option::Quickbuttons: return CBQuickbuttons;
    case Option::Startposition: return cb_startposition;
    case Option::LetzteDateiLaden: return cb_loadlastfile;
    case Option::UebersichtSpeichern: break;
  }
  return cb_saveview_gesamt;
}

int TFOptionen::hauptfensterHoehe() const {
  return hauptfensterAussenHoehe(Einstellungen->option(Option::Schaltflaechen), Einstellungen->option(Option::Statusleiste));
}

void TFOptionen::schaltflaechen_ein() { HauptFormular->setzeAussenHoehe(hauptfensterHoehe()); }

void TFOptionen::schaltflaechen_aus() { HauptFormular->setzeAussenHoehe(hauptfensterHoehe()); }

void TFOptionen::detailansicht_ein() {
  THauptFormular& h = *HauptFormular;
  for (QLineEdit* e : {h.e_interpret, h.e_titel, h.e_label, h.e_release, h.e_typ, h.e_genre, h.e_kommentar})
    e->setFocusPolicy(Qt::StrongFocus);
  h.setzeAussenBreite(hauptfensterAussenBreite(true));
}

void TFOptionen::detailansicht_aus() { HauptFormular->setzeAussenBreite(hauptfensterAussenBreite(false)); }

void TFOptionen::cb_schaltflaechenvisibleClick(bool an) {
  if (an)
    schaltflaechen_ein();
  else
    schaltflaechen_aus();
  Einstellungen->schaltflaechenSetzen(an);
}

void TFOptionen::cb_statusleisteClick(bool an) {
  Einstellungen->statusleisteSetzen(an);
  HauptFormular->zeigeStatusleiste(an);
  HauptFormular->setzeAussenHoehe(hauptfensterHoehe());
}

void TFOptionen::cb_detailansichtClick(bool an) {
  if (an)
    detailansicht_ein();
  else
    detailansicht_aus();
  Einstellungen->detailansichtSetzen(an);
}

void TFOptionen::CBQuickbuttonsClick(bool an) {
  Einstellungen->quickbuttonsSetzen(an);
  HauptFormular->ablauf().init_quickbuttons();
}

void TFOptionen::startpositionSpeichern() {
  // The frame's corner, the same point the activation restores.
  const QPoint p = HauptFormular->startposition();
  Einstellungen->startpunktSetzen(p);
}

void TFOptionen::cb_startpositionClick(bool an) {
  Einstellungen->startpositionSetzen(an);
  if (an) startpositionSpeichern();
}

void TFOptionen::cb_startbildschirmClick(bool an) { Einstellungen->startbildschirmSetzen(an); }

void TFOptionen::cb_loadlastfileClick(bool an) { Einstellungen->letzteDateiLadenSetzen(an); }

void TFOptionen::cb_saveview_gesamtClick(bool an) { Einstellungen->uebersichtSpeichernSetzen(an); }

bool TFOptionen::eventFilter(QObject* objekt, QEvent* e) {
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QDialog::eventFilter(objekt, e);
}

void TFOptionen::keyPressEvent(QKeyEvent* e) {
  // Esc closes only from the boxes and buttons that handle it (see eventFilter).
  if (e->key() == Qt::Key_Escape) {
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}
