#include "dialogs/UFSuche.h"

#include <QComboBox>
#include <QShowEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "app/USymbol.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/USuche.h"
#include "dialogs/UFworking.h"

namespace {

constexpr int BREITE = 424;      // of the group box and the separators
constexpr int GRUPPE_OBEN = 168;
constexpr int KNOPF = 24;        // the flat buttons are square

void setzeAn(const QList<QWidget*>& widgets, bool an) {
  for (QWidget* w : widgets) w->setEnabled(an);
}
void zeige(const QList<QWidget*>& widgets, bool sichtbar) {
  for (QWidget* w : widgets) w->setVisible(sichtbar);
}

}  // namespace

TFSuche::TFSuche(QWidget* parent) : TFadd_einzeluebersicht(parent) {
  setObjectName("FSuche");
  setWindowTitle("Suche..");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
}

void TFSuche::steuerelementeAnlegen() {
  TFadd_einzeluebersicht::steuerelementeAnlegen();
  auto flach = [this](const char* name, const char* hinweis, QStyle::StandardPixmap bild, int x, int y) {
    QToolButton* b = mitName(new QToolButton(this), name);
    b->setGeometry(x, y, KNOPF, KNOPF);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    symbolBeimZeigen(b, bild);
    b->setToolTip(hinweis);
    return b;
  };
  auto linie = [this](const char* name, int y) {
    QFrame* f = mitName(new QFrame(this), name);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(8, y, BREITE, 2);
    return f;
  };
  auto label = [this](const char* name, const QString& text, int x, int y) {
    QLabel* l = mitName(new QLabel(text, this), name);
    l->move(x, y);
    l->adjustSize();
    return l;
  };

  // Level 1: the field.
  Label1 = label("Label1", "Wonach möchten Sie suchen?", 12, 12);
  cb_suche = mitName(new QComboBox(this), "cb_suche");
  cb_suche->setGeometry(200, 8, 190, 22);
  cb_suche->addItems({"", "Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"});
  SBsuchoption = flach("SBsuchoption", "weiter (Suchtext eingeben)", QStyle::SP_ArrowRight, 400, 7);
  bevel1 = linie("bevel1", 40);

  // Level 2: the search text.
  L_Suche = label("L_Suche", "Geben Sie hier ihren kompletten Suchtext ein:", 12, 48);
  E_suche = mitName(new QLineEdit(this), "E_suche");
  E_suche->setGeometry(12, 66, 346, 22);
  SB_suche = flach("SB_suche", "Suche starten", QStyle::SP_FileDialogContentsView, 364, 65);
  SB_back1 = flach("SB_back1", "zurück", QStyle::SP_ArrowUp, 400, 65);
  L_Info = label("L_Info", "[ Gross- und Kleinschreibung muss nicht beachtet werden ]", 12, 92);
  L_Info->setFont(QFont(SCHRIFT_VERDANA, 7));
  L_Info->adjustSize();
  bevel2 = linie("bevel2", 112);

  // Level 3: the hits and the detail panel.
  L_Suchergebnis = label("L_Suchergebnis", "Suchergebnis:", 12, 120);
  QFont unterstrichen = L_Suchergebnis->font();
  unterstrichen.setUnderline(true);
  L_Suchergebnis->setFont(unterstrichen);
  L_Suchergebnis2 = mitName(new QLabel(this), "L_Suchergebnis2");
  L_Suchergebnis2->setGeometry(110, 120, BREITE - 102, 16);
  L_Auswahl = label("L_Auswahl", "Wählen Sie einen Datensatz aus:", 12, 142);
  ComboBox_Suchergebnis = mitName(new QComboBox(this), "ComboBox_Suchergebnis");
  ComboBox_Suchergebnis->setGeometry(200, 138, 100, 22);
  SB_back2 = flach("SB_back2", "zurück", QStyle::SP_ArrowUp, 310, 137);

  GroupBox->move(8, GRUPPE_OBEN);
  GroupBox->setTitle(" Detailansicht: ");
  for (QComboBox* cb : {combobox_release, combobox_typ, combobox_genre}) cb->hide();
  for (QLineEdit* e : eingabefelder()) {
    e->setReadOnly(true);
    e->resize(FELD_BREITE, FELD_HOEHE);
  }
  B_close->setText("Suche &beenden");
  B_close->setGeometry(8 + BREITE - 110, GroupBox->geometry().bottom() + 1 + 8, 110, 25);
  B_close->setAutoDefault(false);
  B_close->setDefault(false);
  setFixedSize(8 + BREITE + 8, B_close->geometry().bottom() + 1 + 8);

  setTabOrder(cb_suche, E_suche);
  setTabOrder(E_suche, ComboBox_Suchergebnis);
  setTabOrder(ComboBox_Suchergebnis, e_interpret);
  setTabOrder(e_kommentar, B_close);

  connect(SBsuchoption, &QToolButton::clicked, this, sicher([this] { SBsuchoptionClick(); }));
  connect(SB_suche, &QToolButton::clicked, this, sicher([this] { SB_sucheClick(); }));
  connect(SB_back1, &QToolButton::clicked, this, sicher([this] { SB_back1Click(); }));
  connect(SB_back2, &QToolButton::clicked, this, sicher([this] { SB_back2Click(); }));
  connect(ComboBox_Suchergebnis, &QComboBox::activated, this,
          sicher([this](int i) { ComboBox_SuchergebnisChange(i); }));
  E_suche->installEventFilter(this);
}

QList<QWidget*> TFSuche::stufe1() const { return {Label1, cb_suche, SBsuchoption}; }
QList<QWidget*> TFSuche::stufe2() const { return {L_Suche, L_Info, E_suche, SB_suche, SB_back1}; }
QList<QWidget*> TFSuche::stufe3() const {
  return {L_Suchergebnis, L_Suchergebnis2, L_Auswahl, ComboBox_Suchergebnis, SB_back2, GroupBox};
}

QList<QWidget*> TFSuche::feldUndLabel(int nr) const {
  QLabel* const labels[] = {L_Interpret, L_Titel, L_Label, L_Release, L_Typ, L_Genre, L_Kommentar};
  if (nr < 1 || nr > FELD_ANZAHL) return {};
  return {labels[nr - 1], eingabefelder()[nr - 1]};
}

void TFSuche::level1_on() {
  zeige(stufe1(), true);
  setzeAn(stufe1(), true);
  cb_suche->setCurrentIndex(0);
}

void TFSuche::level1_disable() { setzeAn(stufe1(), false); }

void TFSuche::level2_on() {
  zeige(stufe2(), true);
  setzeAn(stufe2(), true);
  bevel2->show();
  E_suche->setFocus();
}

void TFSuche::level2_disable() { setzeAn(stufe2(), false); }

void TFSuche::level2_off() {
  zeige(stufe2(), false);
  bevel2->hide();
}

void TFSuche::level3_on() { zeige(stufe3(), true); }

void TFSuche::level3_off() { zeige(stufe3(), false); }

void TFSuche::level3_shownormal() {
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr)
    for (QWidget* w : feldUndLabel(nr)) {
      QFont f = w->font();
      f.setBold(false);
      w->setFont(f);
    }
}

void TFSuche::showEvent(QShowEvent* e) {
  TFadd_einzeluebersicht::showEvent(e);
  if (!e->spontaneous()) sicher([this] { FormShow(); })();
}

void TFSuche::FormShow() {
  level3_shownormal();
  level3_off();
  level2_off();
  level1_on();
}

bool TFSuche::eventFilter(QObject* objekt, QEvent* e) {
  // The mouse over the search text puts the keyboard there.
  if (objekt == E_suche && e->type() == QEvent::Enter && E_suche->isEnabled()) E_suche->setFocus();
  return TFadd_einzeluebersicht::eventFilter(objekt, e);
}

void TFSuche::SBsuchoptionClick() {
  if (cb_suche->currentIndex() <= 0) {
    meldungOk("Fehler:",
              "Es wurde keine Auswahl getroffen!\rBitte geben Sie an, wonach Sie suchen wollen!\r"
              "( Interpret, Titel, Label etc...",
              TSymbol::Warnung);
    return;
  }
  level1_disable();
  level2_on();
}

void TFSuche::SB_sucheClick() {
  ComboBox_Suchergebnis->clear();
  if (E_suche->text().isEmpty()) {
    meldungOk("Fehler:", "Es wurde kein Wert eingegeben!\rBitte überprüfen Sie Ihre Eingaben!", TSymbol::Warnung);
    return;
  }
  const int feld = cb_suche->currentIndex();
  const TSuchtext suchtext(zuCp1252(E_suche->text()).substr(0, SUCHTEXT_LAENGE));
  const int anzahl = DatBas->get_anzahl();
  TBitteWarten warten(anzahl > WARTEN_AB);
  QStringList treffer;
  TDatensatz d;
  for (int pos = 1; pos <= anzahl; ++pos) {
    DatBas->get_datensatz(pos, d);
    if (suchtext.enthalten(d.feld(feld).sicht())) treffer << QString::number(pos);
  }
  warten.beenden();

  if (treffer.isEmpty()) {
    meldungOk("Schade..", "Es konnten leider keine Übereinstimmungen gefunden werden!");
    return;
  }
  ComboBox_Suchergebnis->addItems(treffer);
  ComboBox_Suchergebnis->setCurrentIndex(-1);  // no hit is shown yet
  L_Suchergebnis2->setText(treffer.size() == 1
                               ? QString("Es wurde 1 Übereinstimmung gefunden")
                               : "Es wurden " + QString::number(treffer.size()) + " Übereinstimmungen gefunden.");
  level2_disable();
  level3_on();
  GroupBox->setTitle("");
  leere_eingabefenster();
  for (QWidget* w : feldUndLabel(feld)) {
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
  }
}

void TFSuche::SB_back1Click() {
  level2_off();
  level1_on();
}

void TFSuche::SB_back2Click() {
  level3_off();
  level2_on();
  level3_shownormal();
}

void TFSuche::ComboBox_SuchergebnisChange(int index) {
  const QString text = ComboBox_Suchergebnis->itemText(index);
  if (!text.isEmpty()) Anzeigen(text.toInt());
}
