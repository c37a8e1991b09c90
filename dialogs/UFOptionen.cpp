#include "dialogs/UFOptionen.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UEinstellungen.h"

namespace {

using Option = TEinstellungen::Option;

// One row of the dialog: an option's check box with its caption, the option
// it sets (its key: TEinstellungen; what it does to the main window:
// THauptOptionen), and the information button beside it.
struct TOptionsZeile {
  QCheckBox* TFOptionen::*box;
  const char* name;
  Option option;
  bool weiteres;  // in " Weiteres ", else in " Ansicht "
  int y;
  const char* text;
  QToolButton* TFOptionen::*info;
  const char* infoName;
  const char* infoText;
  bool escSchliesst;  // Esc on the box closes the dialog
};

const TOptionsZeile ZEILEN[] = {
    {&TFOptionen::cb_schaltflaechenvisible, "cb_schaltflaechenvisible", Option::Schaltflaechen, false, 20,
     "Standard&schaltflächen (load, save, add...) anzeigen", &TFOptionen::SpeedButton1, "SpeedButton1",
     "Diese Option blendet die Standard-Schaltflächen (new, load,  \r"
     "save, add, del, change, up, down) wahlweise ein oder aus.",
     true},
    {&TFOptionen::cb_statusleiste, "cb_statusleiste", Option::Statusleiste, false, 42,
     "St&atusleiste (erweiterte Informationen) anzeigen", &TFOptionen::SpeedButton2, "SpeedButton2",
     "Diese Optionen blendet die Statusleiste (im  \rHauptfenster) wahlweise ein oder aus.", true},
    {&TFOptionen::cb_detailansicht, "cb_detailansicht", Option::Detailansicht, false, 64, "&Detailansicht anzeigen",
     &TFOptionen::SpeedButton3, "SpeedButton3",
     "Diese Option blendet die Detailansicht [=Eingabemaske für Inter-\r"
     "pret, Titel, Label usw. (im Hauptfenster)] wahlweise ein oder aus.  ",
     true},
    {&TFOptionen::cb_startbildschirm, "cb_startbildschirm", Option::Startbildschirm, false, 86,
     "Start&bildschirm anzeigen", &TFOptionen::SpeedButton4, "SpeedButton4",
     "Ist diese Option aktiviert, so wird beim Start des  \r"
     "Programmes der Vemla-Startbildschirm angezeigt.",
     true},
    {&TFOptionen::CBQuickbuttons, "CBQuickbuttons", Option::Quickbuttons, false, 108, "Quickbuttons anzeigen",
     &TFOptionen::SBquickbuttons, "SBquickbuttons",
     "Diese Option blendet die \"Quickbuttons\" Quick-Print, Quick-Report\r"
     "Quick-Tab, Quick-Sort, Quick-Search sowie Min-View ein bzw. aus.",
     false},
    {&TFOptionen::cb_startposition, "cb_startposition", Option::Startposition, true, 52,
     "S&tartposition des Hauptfensters speichern", &TFOptionen::SpeedButton6, "SpeedButton6",
     "Ist diese Option aktiviert, startet Vemla beim nächsten\r"
     "Mal in der zuletzt angezeigten Position auf dem Desktop.  ",
     true},
    {&TFOptionen::cb_loadlastfile, "cb_loadlastfile", Option::LetzteDateiLaden, true, 76,
     "zuletzt angezeigte Datei beim nächsten Start &laden", &TFOptionen::SpeedButton7, "SpeedButton7",
     "Ist diese Option aktiviert, lädt Vemla beim nächsten Start die zuletzt angezeigte Datei.  ", true},
    {&TFOptionen::cb_saveview_gesamt, "cb_saveview_gesamt", Option::UebersichtSpeichern, true, 100,
     "Ansicht der &Gesamtübersicht speichern", &TFOptionen::SpeedButton8, "SpeedButton8",
     "Ist diese Option aktiviert, so werden die Einstellungen (Schriftart, -Farbe,  \r"
     "-Grösse, Fenstergrösse etc.) der Gesamtübersicht (F8) gespeichert.",
     true},
};

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

  // Each box shows its option's running state and sets the option when it is
  // toggled; the settings store it and the main window applies it.
  auto zeilen = [this, &info](bool weiteres) {
    for (const TOptionsZeile& z : ZEILEN) {
      if (z.weiteres != weiteres) continue;
      QGroupBox* g = weiteres ? GroupBox2 : GroupBox1;
      QCheckBox* c = new QCheckBox(z.text, g);
      c->setObjectName(z.name);
      c->setGeometry(12, z.y, 360, 18);
      c->setChecked(Einstellungen->option(z.option));
      connect(c, &QCheckBox::toggled, this, sicher([o = z.option](bool an) { Einstellungen->optionSetzen(o, an); }));
      if (z.escSchliesst) c->installEventFilter(this);
      this->*z.box = c;
      this->*z.info = info(g, z.infoName, z.y - 1, z.infoText);
    }
  };
  // Created in the order of the Tab key: " Ansicht ", the first row of " Weiteres ", its boxes, the button.
  zeilen(false);
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
  SpeedButton5 = info(GroupBox2, "SpeedButton5", 21,
                      "Vemla erstellt Ihnen auf Wunsch einen Eintrag in der Registry.\r"
                      "Weitere Informationen erfahren Sie bei Klick auf den Button");
  zeilen(true);

  B_ok = new QPushButton("&zurück", this);
  B_ok->setObjectName("B_ok");
  B_ok->setGeometry(340, 288, 88, 25);
  B_ok->setToolTip("( schliesst diese Ansicht )");
  B_ok->setAutoDefault(false);
  connect(B_ok, &QPushButton::clicked, this, &QDialog::accept);
  B_ok->installEventFilter(this);

  // An option set elsewhere (the activation, Min-view) shows in its box.
  connect(Einstellungen, &TEinstellungen::geaendert, this, [this](Option o, bool an) {
    for (const TOptionsZeile& z : ZEILEN)
      if (z.option == o) (this->*z.box)->setChecked(an);
  });
}

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
