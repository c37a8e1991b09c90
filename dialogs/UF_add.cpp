#include "dialogs/UF_add.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "core/UConnect.h"

namespace {

constexpr int MEMO_HOEHE = 46;
constexpr int KNOPF_OBEN = 318;
constexpr int KNOPF_HOEHE = 25;

}  // namespace

TF_add::TF_add(QWidget* parent) : TFadd_einzeluebersicht(parent) {
  setObjectName("F_add");
  setWindowTitle("Einen neuen Datensatz einfügen..");
}

void TF_add::steuerelementeAnlegen() {
  TFadd_einzeluebersicht::steuerelementeAnlegen();
  Memo1 = mitName(new QPlainTextEdit(this), "Memo1");
  Memo1->setGeometry(8, 6, GroupBox->width(), MEMO_HOEHE);
  Memo1->setPlainText(
      "Die mit * markierte Felder müssen ausgefüllt werden. Drücken Sie\n"
      "in einem der Eingabefelder auf ENTER um die Funktion \"eintragen &\n"
      "neu\" auszuführen. Drücken Sie ESC um dieses Fenster zu schliessen.");
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->viewport()->setCursor(Qt::ArrowCursor);
  QPalette p = Memo1->palette();
  p.setColor(QPalette::Base, p.color(QPalette::Window));  // reads as text on the window, not as a field
  Memo1->setPalette(p);

  GroupBox->move(8, Memo1->geometry().bottom() + 1 + 4);
  GroupBox->setTitle(" neuer Eintrag: ");
  L_Interpret->setText("Interpret:*");
  L_Titel->setText("Titel:*");

  cb_del = mitName(new QCheckBox("Eingabefelder nach erfolgreichem Eintrag löschen", this), "cb_del");
  cb_del->setGeometry(16, GroupBox->geometry().bottom() + 1 + 8, GroupBox->width() - 16, 18);
  cb_del->setChecked(false);

  B_add_new = mitName(new QPushButton("&eintragen && neu", this), "B_add_new");
  B_add_new->setGeometry(8, KNOPF_OBEN, 136, KNOPF_HOEHE);
  B_add_new->setToolTip("trägt die Daten ein & ermöglicht eine weitere Eingabe");
  B_close->setText("eintragen && &beenden");
  B_close->setGeometry(150, KNOPF_OBEN, 150, KNOPF_HOEHE);
  B_close->setToolTip("trägt die eingebenen Daten ein und beendet diese Ansicht");
  B_cancel = mitName(new QPushButton("&abbrechen", this), "B_cancel");
  B_cancel->setGeometry(GroupBox->geometry().right() + 1 - 88, KNOPF_OBEN, 88, KNOPF_HOEHE);
  // Enter belongs to the key handler alone: no button is ever the dialog's default.
  for (QPushButton* b : {B_add_new, B_close, B_cancel}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  setFixedSize(GroupBox->geometry().right() + 1 + 8, KNOPF_OBEN + KNOPF_HOEHE + 8);

  setTabOrder(e_interpret, e_titel);
  setTabOrder(e_titel, e_label);
  setTabOrder(e_label, e_release);
  setTabOrder(e_release, e_typ);
  setTabOrder(e_typ, e_genre);
  setTabOrder(e_genre, e_kommentar);
  setTabOrder(e_kommentar, cb_del);
  setTabOrder(cb_del, B_add_new);
  setTabOrder(B_add_new, B_close);
  setTabOrder(B_close, B_cancel);

  connect(B_add_new, &QPushButton::clicked, this, sicher([this] { B_add_newClick(); }));
  connect(B_cancel, &QPushButton::clicked, this, sicher([this] { B_cancelClick(); }));

  for (QWidget* w : eingabefelder()) w->installEventFilter(this);
  for (QWidget* w : std::initializer_list<QWidget*>{cb_del, B_add_new, B_close, B_cancel}) w->installEventFilter(this);
}

void TF_add::showEvent(QShowEvent* e) {
  TFadd_einzeluebersicht::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TF_add::FormShow() { e_interpret->setFocus(); }

bool TF_add::eventFilter(QObject* objekt, QEvent* e) {
  if (e->type() == QEvent::KeyPress && cb_delKeyPress(static_cast<QKeyEvent*>(e))) return true;
  return TFadd_einzeluebersicht::eventFilter(objekt, e);
}

bool TF_add::cb_delKeyPress(QKeyEvent* e) {
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (e->key()) {
    case Qt::Key_Escape:
      close();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Used up here, so that a focused button does not click itself as well.
      sicher([this] { B_add_newClick(); })();
      return true;
    default:
      return false;
  }
}

bool TF_add::eintragen() {
  const bool ok = Connect->datensatz_hinzufuegen(e_interpret->text(), e_titel->text(), e_label->text(),
                                                 e_release->text(), e_typ->text(), e_genre->text(),
                                                 e_kommentar->text());
  if (ok && cb_del->isChecked()) leere_eingabefenster();
  return ok;
}

void TF_add::B_add_newClick() {
  eintragen();
  e_interpret->setFocus();
}

void TF_add::B_closeClick() {
  if (eintragen()) close();
  else e_interpret->setFocus();
}

void TF_add::B_cancelClick() { close(); }
