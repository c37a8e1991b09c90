#include "dialogs/UFadd_einzeluebersicht.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "app/UVorgaben.h"
#include "core/UCodepage.h"
#include "core/UDatbas.h"

namespace {

constexpr int GRUPPE_BREITE = 424;
constexpr int GRUPPE_HOEHE = 228;
constexpr int LABEL_LINKS = 12;
constexpr int LABEL_BREITE = 76;

}  // namespace

TFadd_einzeluebersicht::TFadd_einzeluebersicht(QWidget* parent) : QDialog(parent) {
  setObjectName("Fadd_einzeluebersicht");
  setWindowTitle("Einzelansicht");
  setFont(standardSchrift());
}

void TFadd_einzeluebersicht::aufbauen() {
  if (aufgebaut_) return;
  aufgebaut_ = true;
  steuerelementeAnlegen();
}

void TFadd_einzeluebersicht::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFadd_einzeluebersicht::steuerelementeAnlegen() {
  GroupBox = mitName(new QGroupBox("- Eingabe  /  Ausgabe -", this), "GroupBox");
  GroupBox->setGeometry(8, 8, GRUPPE_BREITE, GRUPPE_HOEHE);

  QFont feldSchrift(SCHRIFT_VERDANA);
  feldSchrift.setPointSize(8);
  QFont listenSchrift(SCHRIFT_VERDANA);
  listenSchrift.setPointSize(7);

  struct Zeile {
    QLabel** label;
    const char* labelName;
    const char* text;
    QLineEdit** feld;
    const char* feldName;
  } const zeilen[] = {
      {&L_Interpret, "L_Interpret", "Interpret:", &e_interpret, "e_interpret"},
      {&L_Titel, "L_Titel", "Titel:", &e_titel, "e_titel"},
      {&L_Label, "L_Label", "Label:", &e_label, "e_label"},
      {&L_Release, "L_Release", "Release:", &e_release, "e_release"},
      {&L_Typ, "L_Typ", "Typ:", &e_typ, "e_typ"},
      {&L_Genre, "L_Genre", "Genre:", &e_genre, "e_genre"},
      {&L_Kommentar, "L_Kommentar", "Kommentar:", &e_kommentar, "e_kommentar"},
  };

  // The preset lists are created before the edits, so that each edit lies
  // above its list and only the list's drop-down button shows beside it.
  auto vorgabe = [&](const char* name, int zeile, const QStringList& items) {
    QComboBox* cb = mitName(new QComboBox(GroupBox), name);
    cb->setGeometry(FELD_LINKS, ZEILE_OBEN + zeile * ZEILE_ABSTAND, FELD_BREITE, FELD_HOEHE);
    cb->setFont(listenSchrift);
    cb->addItems(items);
    cb->setCurrentIndex(-1);
    cb->setMaxVisibleItems(7);
    // A plain drop-down list: the style's own pop-up would ignore the limit of 7 items.
    cb->setStyleSheet("QComboBox { combobox-popup: 0; }");
    cb->setFocusPolicy(Qt::ClickFocus);  // Tab passes them by
    return cb;
  };
  combobox_release = vorgabe("combobox_release", 3, vorgabenRelease());
  combobox_typ = vorgabe("combobox_typ", 4, vorgabenTyp());
  combobox_genre = vorgabe("combobox_genre", 5, vorgabenGenre());

  for (int i = 0; i < 7; ++i) {
    const Zeile& z = zeilen[i];
    const int oben = ZEILE_OBEN + i * ZEILE_ABSTAND;
    *z.label = mitName(new QLabel(z.text, GroupBox), z.labelName);
    (*z.label)->setGeometry(LABEL_LINKS, oben, LABEL_BREITE, FELD_HOEHE);
    (*z.label)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    *z.feld = mitName(new QLineEdit(GroupBox), z.feldName);
    (*z.feld)->setGeometry(FELD_LINKS, oben, FELD_BREITE, FELD_HOEHE);
    (*z.feld)->setFont(feldSchrift);
    (*z.feld)->raise();
    (*z.label)->setBuddy(*z.feld);
  }
  for (QLineEdit* e : {e_release, e_typ, e_genre}) e->resize(FELD_BREITE - KNOPF_BREITE, FELD_HOEHE);

  B_close = mitName(new QPushButton("&beenden", this), "B_close");
  B_close->setGeometry(8 + GRUPPE_BREITE - 88, 8 + GRUPPE_HOEHE + 8, 88, 25);
  B_close->setAutoDefault(false);
  setFixedSize(8 + GRUPPE_BREITE + 8, B_close->geometry().bottom() + 1 + 8);

  connect(combobox_release, &QComboBox::activated, this, sicher([this](int i) { combobox_releaseChange(i); }));
  connect(combobox_typ, &QComboBox::activated, this, sicher([this](int i) { combobox_typChange(i); }));
  connect(combobox_genre, &QComboBox::activated, this, sicher([this](int i) { combobox_genreChange(i); }));
  connect(B_close, &QPushButton::clicked, this, sicher([this] { B_closeClick(); }));
}

QList<QLineEdit*> TFadd_einzeluebersicht::eingabefelder() const {
  const_cast<TFadd_einzeluebersicht*>(this)->aufbauen();
  return {e_interpret, e_titel, e_label, e_release, e_typ, e_genre, e_kommentar};
}

void TFadd_einzeluebersicht::Anzeigen(int number) {
  aufbauen();
  TDatensatz d;
  DatBas->get_datensatz(number, d);
  const QList<QLineEdit*> felder = eingabefelder();
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) {
    felder[nr - 1]->setText(vonCp1252(d.feld(nr).sicht()));
    felder[nr - 1]->setCursorPosition(0);  // a long text shows its start
  }
  GroupBox->setTitle(" Einzelansicht: Datensatz  " + QString::number(number) + " ");
}

void TFadd_einzeluebersicht::leere_eingabefenster() {
  for (QLineEdit* e : eingabefelder()) e->setText("");
}

void TFadd_einzeluebersicht::vorgabeUebernehmen(const QComboBox* liste, int index, QLineEdit* feld) {
  const QString text = liste->itemText(index);
  if (!text.isEmpty()) feld->setText(text);
}

void TFadd_einzeluebersicht::combobox_releaseChange(int index) {
  vorgabeUebernehmen(combobox_release, index, e_release);
}

void TFadd_einzeluebersicht::combobox_typChange(int index) { vorgabeUebernehmen(combobox_typ, index, e_typ); }

void TFadd_einzeluebersicht::combobox_genreChange(int index) { vorgabeUebernehmen(combobox_genre, index, e_genre); }

void TFadd_einzeluebersicht::B_closeClick() { close(); }
