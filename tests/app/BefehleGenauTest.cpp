// Entry commands where positions matter, the order of the add checks, the
// preset drop-downs as a user picks from them, and the preset lists compared
// with their fixed contents.
#include <QAbstractItemView>

#include "dialogs/UF_add.h"
#include "tests/support/GuiTest.h"

namespace {

class BefehleGenau : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
};

// Picks line "zeile" of a drop-down as a user does: open the list, move there, Enter.
void waehlen(QComboBox* liste, int zeile) {
  liste->showPopup();
  QAbstractItemView* v = liste->view();
  v->setCurrentIndex(v->model()->index(zeile, 0));
  QTest::keyClick(v, Qt::Key_Return);
}

TEST_F(BefehleGenau, AendernUndVerschiebenBehaltenDieZeile) {
  eintragen({{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}});
  markieren(2);
  H().e_titel->setText("drei");
  H().b_change->click();
  EXPECT_EQ(listenzeilen(), (QStringList{"A - 1", "B - 2", "C - drei", "D - 4"}));
  EXPECT_EQ(H().listbox->markiert(), 2);
  EXPECT_EQ(H().L_index->text(), "3");
  EXPECT_EQ(H().e_interpret->text(), "C");

  H().b_down->click();
  EXPECT_EQ(listenzeilen(), (QStringList{"A - 1", "B - 2", "D - 4", "C - drei"}));
  EXPECT_EQ(H().listbox->markiert(), 3);
  markieren(1);
  H().b_up->click();
  EXPECT_EQ(listenzeilen(), (QStringList{"B - 2", "A - 1", "D - 4", "C - drei"}));
  EXPECT_EQ(H().listbox->markiert(), 0);
  markieren(1);
  H().b_down->click();
  EXPECT_EQ(listenzeilen(), (QStringList{"B - 2", "D - 4", "A - 1", "C - drei"}));
  EXPECT_EQ(H().listbox->markiert(), 2);
  EXPECT_EQ(H().e_interpret->text(), "A");
}

TEST_F(BefehleGenau, GrenzeWirdVorDenPflichtfeldernGeprueft) {
  for (int n = 1; n <= MAX_DATENSAETZE; ++n)
    DatBas->add_datensatz(datensatzAus("I" + std::to_string(n), "T", "", "", "", "", ""));
  Connect->liste_neu_aufbauen();
  F_add->show();
  EXPECT_FALSE(Connect->datensatz_hinzufuegen("Interpret", "", "", "", "", "", ""));
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{"Hinweis:|Es können keine weiteren Datensätze eingetragen werden!\r"});
  EXPECT_FALSE(F_add->isVisible());
  EXPECT_EQ(DatBas->get_anzahl(), MAX_DATENSAETZE);
}

TEST_F(BefehleGenau, GleicheVorgabeNachDemTippenNochmalGewaehlt) {
  eintragen({{"A", "1"}});
  aktivieren();
  struct Fall {
    QComboBox* liste;
    QLineEdit* feld;
    int zeile;
    QString text;
  } faelle[] = {{H().combobox_release, H().e_release, 3, "1999"},
                {H().combobox_typ, H().e_typ, 1, "CD - Album (2 CDs)"},
                {H().combobox_genre, H().e_genre, 86, "Rock"}};
  for (const Fall& f : faelle) {
    waehlen(f.liste, f.zeile);
    QTRY_COMPARE(f.feld->text(), f.text);
    f.feld->setText("getippt");
    waehlen(f.liste, f.zeile);  // the same item again
    QTRY_COMPARE(f.feld->text(), f.text);
  }
}

QStringList typen() {
  // Medium, kinds with their largest count, unit: as the fixed list names them.
  QStringList r;
  auto medium = [&](const QString& m, const QString& einheit, int alben, int compilations) {
    const std::pair<QString, int> arten[] = {{"Album", alben}, {"Compilation", compilations}, {"EP", 2}, {"Single", 2}};
    for (const auto& [art, bis] : arten)
      for (int n = 1; n <= bis; ++n)
        r << m + " - " + art + " (" + QString::number(n) + " " + einheit + (n == 1 ? "" : "s") + ")";
  };
  medium("CD", "CD", 4, 5);
  medium("7'' Vinyl", "Vinyl", 4, 4);
  medium("10'' Vinyl", "Vinyl", 4, 4);
  medium("12'' Vinyl", "Vinyl", 4, 4);
  return r;
}

const QStringList GENRES = {
    "[ unbekannt ]", "50's", "60's", "70's", "80's", "90's", "A Capella", "Acid", "Acid Rock", "Acoustic",
    "Alben - Top 10", "Alben - Top 20", "Alben - Top 50", "Alben - Top 100", "Alternative", "Alternative Rock",
    "Ambient", "Ballad", "Bass", "Beat", "Blues", "BritPop", "Classic", "Classic Rock", "Club", "Club - House",
    "Club - Techno", "Club - Trance", "Comedy", "Country", "Crossover", "Cult", "Dance", "Death Metal", "Deep House",
    "Disco", "Dream", "Drum 'n' Bass", "Drum Solo", "Easy Listening", "Electronic", "Euro-Dance", "Euro-House",
    "Euro-Techno", "Film / Video", "Folk", "Freestyle", "Funk", "Goa Trance", "Gospel", "Gothic", "Gothic Rock",
    "Grunge", "Hard Rock", "Hardcore", "Heavy Metal", "Hip-Hop", "House", "Indie", "Industrial", "Instrumental",
    "Instrumental Pop", "Instrumental Rock", "Jazz", "Jungle", "Metal", "Modern Rock", "Musical", "New Age",
    "New School", "Old School", "Oldies", "Opera", "Pop", "Progressive Rock", "Psychedelic", "Psychedelic Rock",
    "Psychedelic Trance", "Punk", "Punk Rock", "R&B", "Rap", "Rave", "Reggae", "Retro", "Rock", "Rock 'n' Roll",
    "Singles - Top 10", "Singles - Top 20", "Singles - Top 50", "Singles - Top 100", "Ska", "Slow Jam", "Slow Rock",
    "Soul", "Soundtrack", "Symphonic", "Techno", "Trailer", "Trance", "Tribal", "Trip-Hop", "Vocal"};

TEST_F(BefehleGenau, VorgabelistenMitIhremFestenInhalt) {
  QStringList jahre;
  for (int j = 2002; j >= 1950; --j) jahre << QString::number(j);
  const QStringList typListe = typen();
  ASSERT_EQ(typListe.size(), 49);
  EXPECT_EQ(typListe.first(), "CD - Album (1 CD)");
  EXPECT_EQ(typListe.last(), "12'' Vinyl - Single (2 Vinyls)");
  ASSERT_EQ(GENRES.size(), 103);
  auto inhalt = [](QComboBox* c) {
    QStringList r;
    for (int i = 0; i < c->count(); ++i) r << c->itemText(i);
    return r;
  };
  F_add->aufbauen();
  for (auto* fenster : std::initializer_list<QWidget*>{&H(), F_add}) {
    const std::string name = fenster->objectName().toStdString();
    EXPECT_EQ(inhalt(fenster->findChild<QComboBox*>("combobox_release")), jahre) << name;
    EXPECT_EQ(inhalt(fenster->findChild<QComboBox*>("combobox_typ")), typListe) << name;
    EXPECT_EQ(inhalt(fenster->findChild<QComboBox*>("combobox_genre")), GENRES) << name;
  }
}

}  // namespace
