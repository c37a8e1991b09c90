// The single-entry window on its own: showing an entry, emptying the fields,
// the preset drop-downs and the layout of its controls.
#include <QAbstractItemView>
#include <QFontInfo>
#include <QGroupBox>

#include "app/UVorgaben.h"
#include "core/UCodepage.h"
#include "dialogs/UFadd_einzeluebersicht.h"
#include "tests/support/GuiTest.h"

namespace {

class Einzeluebersicht : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
    fenster_ = std::make_unique<TFadd_einzeluebersicht>();
    fenster_->aufbauen();
  }
  void TearDown() override {
    fenster_.reset();
    GuiTest::TearDown();
  }
  TFadd_einzeluebersicht& F() { return *fenster_; }
  QStringList feldtexte() {
    QStringList r;
    for (QLineEdit* e : F().eingabefelder()) r << e->text();
    return r;
  }
  void feldtexteSetzen(const QStringList& texte) {
    for (int i = 0; i < 7; ++i) F().eingabefelder()[i]->setText(texte[i]);
  }

  std::unique_ptr<TFadd_einzeluebersicht> fenster_;
};

// Picks line "zeile" of a drop-down as a user does: open the list, move there, Enter.
void waehlen(QComboBox* liste, int zeile) {
  liste->showPopup();
  QAbstractItemView* v = liste->view();
  v->setCurrentIndex(v->model()->index(zeile, 0));
  QTest::keyClick(v, Qt::Key_Return);
  ASSERT_FALSE(v->isVisible());
}

const QStringList GETIPPT = {"i", "t", "l", "r", "y", "g", "k"};

TEST_F(Einzeluebersicht, AnzeigenZeigtEintragUndNummer) {
  const std::string umlaute(255, '\xFC');
  struct Fall {
    const char* was;
    TDatensatz eintrag;
    QStringList felder;
  } faelle[] = {
      {"alle Felder", datensatzAus("ABBA", "Gold", "Polar", "1992", "CD - Album (1 CD)", "Pop", "gut"),
       {"ABBA", "Gold", "Polar", "1992", "CD - Album (1 CD)", "Pop", "gut"}},
      {"leere Felder", TDatensatz{}, {"", "", "", "", "", "", ""}},
      {"255 Zeichen", datensatzAus(std::string(255, 'x'), umlaute, "", "", "", "", std::string(254, 'y') + "\x80"),
       {QString(255, 'x'), QString(255, QChar(0xFC)), "", "", "", "", QString(254, 'y') + QChar(0x20AC)}},
  };
  for (const auto& f : faelle) DatBas->add_datensatz(f.eintrag);
  for (int i = 0; i < 9; ++i) DatBas->add_datensatz(datensatzAus("A", "B", "", "", "", "", ""));

  int nummer = 1;
  for (const auto& f : faelle) {
    feldtexteSetzen(GETIPPT);  // everything in the fields is replaced
    F().Anzeigen(nummer);
    EXPECT_EQ(feldtexte(), f.felder) << f.was;
    EXPECT_EQ(F().GroupBox->title(), " Einzelansicht: Datensatz  " + QString::number(nummer) + " ") << f.was;
    ++nummer;
  }
  F().Anzeigen(12);
  EXPECT_EQ(F().GroupBox->title(), " Einzelansicht: Datensatz  12 ");
  EXPECT_EQ(feldtexte(), (QStringList{"A", "B", "", "", "", "", ""}));
}

TEST_F(Einzeluebersicht, LeereEingabefensterLeertNurDieFelder) {
  DatBas->add_datensatz(datensatzAus("ABBA", "Gold", "Polar", "1992", "Typ", "Pop", "gut"));
  F().Anzeigen(1);
  F().combobox_genre->setCurrentIndex(3);
  F().leere_eingabefenster();
  EXPECT_EQ(feldtexte(), (QStringList{"", "", "", "", "", "", ""}));
  EXPECT_EQ(F().GroupBox->title(), " Einzelansicht: Datensatz  1 ");
  EXPECT_EQ(F().combobox_genre->currentIndex(), 3);
  TDatensatz d;
  DatBas->get_datensatz(1, d);
  EXPECT_EQ(d.Interpret.text(), "ABBA");  // the entry itself is not touched
}

TEST_F(Einzeluebersicht, VorgabeErsetztNurIhrFeld) {
  struct Fall {
    QComboBox* liste;
    int feld;  // index in the field order
    int zeile;
    QString erwartet;
  } faelle[] = {
      {F().combobox_release, 3, 10, "1992"},
      {F().combobox_release, 3, 52, "1950"},
      {F().combobox_typ, 4, 13, "7'' Vinyl - Album (1 Vinyl)"},
      {F().combobox_genre, 5, static_cast<int>(vorgabenGenre().indexOf("R&B")), "R&B"},
      {F().combobox_genre, 5, 0, "[ unbekannt ]"},
  };
  for (const auto& f : faelle) {
    feldtexteSetzen(GETIPPT);
    F().eingabefelder()[f.feld]->setText("vom Benutzer getippt");
    waehlen(f.liste, f.zeile);
    QStringList erwartet = GETIPPT;
    erwartet[f.feld] = f.erwartet;
    EXPECT_EQ(feldtexte(), erwartet) << f.liste->objectName().toStdString() << " " << f.zeile;
  }
}

TEST_F(Einzeluebersicht, LeereVorgabeLaesstDasFeld) {
  for (QComboBox* liste : {F().combobox_release, F().combobox_typ, F().combobox_genre}) {
    feldtexteSetzen(GETIPPT);
    liste->addItem("");
    waehlen(liste, liste->count() - 1);
    EXPECT_EQ(feldtexte(), GETIPPT) << liste->objectName().toStdString();
  }
}

TEST_F(Einzeluebersicht, VorgabelistenSindDieGemeinsamen) {
  struct Fall {
    QComboBox* liste;
    const QStringList& vorgaben;
    QLineEdit* feld;
  } faelle[] = {
      {F().combobox_release, vorgabenRelease(), F().e_release},
      {F().combobox_typ, vorgabenTyp(), F().e_typ},
      {F().combobox_genre, vorgabenGenre(), F().e_genre},
  };
  for (const auto& f : faelle) {
    const std::string name = f.liste->objectName().toStdString();
    QStringList items;
    for (int i = 0; i < f.liste->count(); ++i) items << f.liste->itemText(i);
    EXPECT_EQ(items, f.vorgaben) << name;
    EXPECT_FALSE(f.liste->isEditable()) << name;
    EXPECT_EQ(f.liste->maxVisibleItems(), 7) << name;
    EXPECT_FALSE(f.liste->focusPolicy() & Qt::TabFocus) << name;
    EXPECT_EQ(QFontInfo(f.liste->font()).family(), "DejaVu Sans") << name;  // the font really used
    EXPECT_EQ(f.liste->font().pointSize(), 7) << name;
    EXPECT_EQ(f.liste->view()->font().pointSize(), 7) << name;
    // The opened list shows 7 items at a time, whatever the style.
    f.liste->showPopup();
    const QAbstractItemView* v = f.liste->view();
    const int oben = v->indexAt(QPoint(2, 1)).row();
    const int unten = v->indexAt(QPoint(2, v->viewport()->height() - 2)).row();
    EXPECT_EQ(unten - oben + 1, 7) << name;
    f.liste->hidePopup();
  }
  EXPECT_EQ(vorgabenRelease().size(), 53);
  EXPECT_EQ(vorgabenTyp().size(), 49);
  EXPECT_EQ(vorgabenGenre().size(), 103);
}

TEST_F(Einzeluebersicht, BeschriftungenUndSchrift) {
  EXPECT_EQ(F().GroupBox->objectName(), "GroupBox");
  EXPECT_EQ(F().GroupBox->title(), "- Eingabe  /  Ausgabe -");
  const QLabel* labels[] = {F().L_Interpret, F().L_Titel, F().L_Label, F().L_Release,
                            F().L_Typ,       F().L_Genre, F().L_Kommentar};
  QStringList namen, texte;
  for (const QLabel* l : labels) {
    namen << l->objectName();
    texte << l->text();
  }
  EXPECT_EQ(namen, (QStringList{"L_Interpret", "L_Titel", "L_Label", "L_Release", "L_Typ", "L_Genre", "L_Kommentar"}));
  EXPECT_EQ(texte, (QStringList{"Interpret:", "Titel:", "Label:", "Release:", "Typ:", "Genre:", "Kommentar:"}));
  QStringList feldnamen;
  for (QLineEdit* e : F().eingabefelder()) {
    feldnamen << e->objectName();
    EXPECT_EQ(QFontInfo(e->font()).family(), "DejaVu Sans");
    EXPECT_EQ(e->font().pointSize(), 8);
    EXPECT_GE(e->maxLength(), 255);
  }
  EXPECT_EQ(feldnamen,
            (QStringList{"e_interpret", "e_titel", "e_label", "e_release", "e_typ", "e_genre", "e_kommentar"}));
  EXPECT_EQ(F().B_close->objectName(), "B_close");
  EXPECT_EQ(F().B_close->text(), "&beenden");
}

TEST_F(Einzeluebersicht, ZeilenVonObenNachUntenNebenIhremLabel) {
  const QLabel* labels[] = {F().L_Interpret, F().L_Titel, F().L_Label, F().L_Release,
                            F().L_Typ,       F().L_Genre, F().L_Kommentar};
  const QList<QLineEdit*> felder = F().eingabefelder();
  for (int i = 0; i < 7; ++i) {
    const QRect l = labels[i]->geometry(), e = felder[i]->geometry();
    EXPECT_EQ(labels[i]->parentWidget(), F().GroupBox);
    EXPECT_EQ(felder[i]->parentWidget(), F().GroupBox);
    EXPECT_LT(l.right(), e.left()) << i;  // label left of its field
    EXPECT_TRUE(l.center().y() >= e.top() && l.center().y() <= e.bottom()) << i;
    if (i > 0) {
      EXPECT_GT(e.top(), felder[i - 1]->geometry().bottom()) << i;
    }
    EXPECT_TRUE(F().GroupBox->contentsRect().contains(e)) << i;
  }
  EXPECT_GT(F().B_close->geometry().top(), F().GroupBox->geometry().bottom());
}

TEST_F(Einzeluebersicht, VonDerVorgabelisteZeigtNurDerKnopf) {
  F().show();
  struct Fall {
    QComboBox* liste;
    QLineEdit* feld;
  } faelle[] = {{F().combobox_release, F().e_release}, {F().combobox_typ, F().e_typ}, {F().combobox_genre, F().e_genre}};
  for (const auto& f : faelle) {
    const std::string name = f.liste->objectName().toStdString();
    const QRect l = f.liste->geometry(), e = f.feld->geometry();
    EXPECT_EQ(l.top(), e.top()) << name;
    EXPECT_EQ(l.height(), e.height()) << name;
    EXPECT_EQ(l.left(), e.left()) << name;
    // The drop-down button, and only it, sticks out to the right of the field.
    EXPECT_GE(l.right() - e.right(), 14) << name;
    EXPECT_LE(l.right() - e.right(), 24) << name;
    EXPECT_EQ(F().GroupBox->childAt(e.center()), f.feld) << name;
    EXPECT_EQ(F().GroupBox->childAt(QPoint(e.left() + 2, e.center().y())), f.feld) << name;
    EXPECT_EQ(F().GroupBox->childAt(QPoint(l.right() - 4, l.center().y())), f.liste) << name;
    // The button's arrow lies in the part that shows.
    QStyleOptionComboBox opt;
    opt.initFrom(f.liste);
    const QRect pfeil = f.liste->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, f.liste);
    EXPECT_GE(pfeil.translated(l.topLeft()).left(), e.right() - 4) << name;
  }
}

TEST_F(Einzeluebersicht, BeendenSchliesst) {
  F().show();
  ASSERT_TRUE(F().isVisible());
  QTest::mouseClick(F().B_close, Qt::LeftButton);
  EXPECT_FALSE(F().isVisible());
}

}  // namespace
