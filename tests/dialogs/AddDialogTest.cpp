// The add-entry dialog, opened as the main window opens it: commits by Enter
// and by its buttons, the mandatory fields, emptying after a commit, the
// entry limit, presets and umlauts, Esc, focus, and what survives closing.
#include <QAbstractItemView>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <array>
#include <functional>

#include "app/UVorgaben.h"
#include "core/UCodepage.h"
#include "dialogs/UF_add.h"
#include "tests/support/GuiTest.h"

namespace {

using Felder = std::array<std::string, 7>;  // an entry's fields as stored (Windows-1252)

const QString FEHLER_TEXT =
    "Fehler:|Bitte überprüfen Sie Ihre Eingaben!\rBeachten Sie:\r"
    "Die mit einem * markierten Felder müssen ausgefüllt werden!";
const QString GRENZE_TEXT = "Hinweis:|Es können keine weiteren Datensätze eingetragen werden!\r";

class AddDialog : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
    D().aufbauen();
  }
  TF_add& D() { return *F_add; }

  // Opens the dialog with the main window's button and runs "schritte" while it is open.
  void imDialog(const std::function<void()>& schritte) {
    imModalenFenster([this] { H().b_add->click(); }, schritte);
  }
  void ausfuellen(const QStringList& texte) {
    for (int i = 0; i < 7; ++i) D().eingabefelder()[i]->setText(i < texte.size() ? texte[i] : QString());
  }
  QStringList feldtexte() {
    QStringList r;
    for (QLineEdit* e : D().eingabefelder()) r << e->text();
    return r;
  }
  static Felder felder(int pos) { return gespeicherteFelder(pos); }
  static void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }
  // The widgets whose keys the dialog handles itself.
  std::vector<QWidget*> tastenWidgets() {
    std::vector<QWidget*> r;
    for (QLineEdit* e : D().eingabefelder()) r.push_back(e);
    for (QWidget* w : std::initializer_list<QWidget*>{D().cb_del, D().B_add_new, D().B_close, D().B_cancel})
      r.push_back(w);
    return r;
  }
  bool fokusInInterpret() { return D().focusWidget() == D().e_interpret; }
};

const QStringList ABBA = {"ABBA", "Gold", "Polar", "1992", "CD - Album (1 CD)", "Pop", "gut"};
const Felder ABBA_GESPEICHERT = {"ABBA", "Gold", "Polar", "1992", "CD - Album (1 CD)", "Pop", "gut"};

// ---------------------------------------------------------------- Enter and Esc

TEST_F(AddDialog, EnterTraegtEinUndDerDialogBleibtOffen) {
  struct Taste {
    Qt::Key key;
    Qt::KeyboardModifiers mod;
  } const tasten[] = {{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}};
  int erwartet = 0;
  for (const Taste& t : tasten) {
    for (QWidget* w : tastenWidgets()) {
      const std::string wo = w->objectName().toStdString() + (t.key == Qt::Key_Enter ? " Enter" : " Return");
      imDialog([&] {
        ausfuellen(ABBA);
        D().e_kommentar->setText(QString::fromStdString(wo));
        w->setFocus();
        QTest::keyClick(w, t.key, t.mod);
        ++erwartet;
        EXPECT_EQ(DatBas->get_anzahl(), erwartet) << wo;  // exactly one commit, no extra click
        EXPECT_EQ(felder(erwartet)[6], wo);
        EXPECT_TRUE(D().isVisible()) << wo;                // neither closed nor cancelled
        EXPECT_NE(D().result(), QDialog::Accepted) << wo;
        EXPECT_TRUE(fokusInInterpret()) << wo;
        EXPECT_EQ(feldtexte()[0], "ABBA") << wo;  // cb_del is off: the text stays
      });
    }
  }
  EXPECT_TRUE(plattform_.meldungen.empty());
  EXPECT_EQ(H().listbox->count(), erwartet);
  EXPECT_EQ(H().listbox->markiert(), erwartet - 1);
  EXPECT_TRUE(Connect->file_changed());
}

TEST_F(AddDialog, EscSchliesstOhneEintrag) {
  for (QWidget* w : tastenWidgets()) {
    const std::string wo = w->objectName().toStdString();
    imDialog([&] {
      ausfuellen(ABBA);
      QTest::keyClick(w, Qt::Key_Escape);
      EXPECT_FALSE(D().isVisible()) << wo;
    });
    EXPECT_EQ(DatBas->get_anzahl(), 0) << wo;
  }
  EXPECT_TRUE(plattform_.meldungen.empty());
  EXPECT_FALSE(Connect->file_changed());
}

TEST_F(AddDialog, AndereTastenErreichenDasFeld) {
  imDialog([&] {
    ausfuellen({});
    tippen(D().e_titel, "Abc");
    QTest::keyClick(D().e_titel, Qt::Key_Backspace);
    QTest::keyClick(D().e_titel, Qt::Key_Home);
    tippen(D().e_titel, "x");
    EXPECT_EQ(D().e_titel->text(), "xAb");
    QTest::keyClick(D().cb_del, Qt::Key_Space);
    EXPECT_TRUE(D().cb_del->isChecked());
    EXPECT_TRUE(D().isVisible());
  });
  EXPECT_EQ(DatBas->get_anzahl(), 0);
}

// ---------------------------------------------------------------- mandatory fields and cb_del

TEST_F(AddDialog, PflichtfelderUndLoeschenNachErfolg) {
  struct Fall {
    QString interpret, titel;
    bool loeschen;
    bool eingetragen;
  } const faelle[] = {
      {"ABBA", "", false, false}, {"", "Gold", false, false}, {"", "", true, false},
      {"ABBA", "", true, false},  {" ", " ", false, true},    {"ABBA", "Gold", true, true},
      {"ABBA", "Gold", false, true},
  };
  int anzahl = 0;
  for (const Fall& f : faelle) {
    const std::string fall = "'" + f.interpret.toStdString() + "' '" + f.titel.toStdString() + "' cb_del " +
                             (f.loeschen ? "an" : "aus");
    plattform_.meldungen.clear();
    imDialog([&] {
      D().cb_del->setChecked(f.loeschen);
      ausfuellen({f.interpret, f.titel, "Label", "", "", "", "Kommentar"});
      const QStringList vorher = feldtexte();
      D().e_kommentar->setFocus();
      enter(D().e_kommentar);
      if (f.eingetragen) ++anzahl;
      EXPECT_EQ(DatBas->get_anzahl(), anzahl) << fall;
      EXPECT_EQ(plattform_.meldungsTexte(), f.eingetragen ? QStringList() : QStringList{FEHLER_TEXT}) << fall;
      if (!f.eingetragen) {
        EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Warnung);
      }
      EXPECT_EQ(feldtexte(), f.eingetragen && f.loeschen ? QStringList(7, "") : vorher) << fall;
      EXPECT_TRUE(D().isVisible()) << fall;
      EXPECT_TRUE(fokusInInterpret()) << fall;
    });
  }
  EXPECT_EQ(felder(1)[0], " ");  // blanks count as filled
}

TEST_F(AddDialog, ZweimalEnterTraegtZweimalDasGleicheEin) {
  imDialog([&] {
    ausfuellen(ABBA);
    enter(D().e_kommentar);
    enter(D().e_kommentar);
  });
  ASSERT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(felder(1), ABBA_GESPEICHERT);
  EXPECT_EQ(felder(2), ABBA_GESPEICHERT);
  EXPECT_EQ(listenzeilen(), (QStringList{"ABBA - Gold", "ABBA - Gold"}));
}

TEST_F(AddDialog, AbbrechenNimmtNichtsZurueck) {
  imDialog([&] {
    ausfuellen(ABBA);
    enter(D().e_interpret);
    D().e_titel->setText("Arrival");
    QTest::mouseClick(D().B_add_new, Qt::LeftButton);
    D().e_titel->setText("Waterloo");
    QTest::mouseClick(D().B_cancel, Qt::LeftButton);
    EXPECT_FALSE(D().isVisible());
  });
  ASSERT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(listenzeilen(), (QStringList{"ABBA - Gold", "ABBA - Arrival"}));
  EXPECT_EQ(D().e_titel->text(), "Waterloo");  // kept for the next opening, not committed
}

// ---------------------------------------------------------------- B_close

TEST_F(AddDialog, EintragenUndBeenden) {
  struct Fall {
    QStringList texte;
    bool loeschen;
    bool eingetragen;
  } const faelle[] = {
      {ABBA, false, true},
      {ABBA, true, true},
      {{"ABBA", "", "Polar"}, true, false},
      {{"", "Gold"}, false, false},
  };
  int anzahl = 0;
  for (const Fall& f : faelle) {
    const std::string fall = f.texte.join("|").toStdString() + (f.loeschen ? " cb_del an" : " cb_del aus");
    plattform_.meldungen.clear();
    imDialog([&] {
      D().cb_del->setChecked(f.loeschen);
      ausfuellen(f.texte);
      const QStringList vorher = feldtexte();
      D().e_label->setFocus();
      QTest::mouseClick(D().B_close, Qt::LeftButton);
      if (f.eingetragen) ++anzahl;
      EXPECT_EQ(DatBas->get_anzahl(), anzahl) << fall;
      EXPECT_EQ(D().isVisible(), !f.eingetragen) << fall;
      EXPECT_EQ(plattform_.meldungsTexte(), f.eingetragen ? QStringList() : QStringList{FEHLER_TEXT}) << fall;
      EXPECT_EQ(feldtexte(), f.eingetragen && f.loeschen ? QStringList(7, "") : vorher) << fall;
      if (!f.eingetragen) {
        EXPECT_TRUE(fokusInInterpret()) << fall;
      }
    });
  }
  EXPECT_EQ(felder(2), ABBA_GESPEICHERT);
}

// ---------------------------------------------------------------- the limit of 4000 entries

TEST_F(AddDialog, GrenzeVon4000Eintraegen) {
  for (int n = 1; n <= MAX_DATENSAETZE - 1; ++n)
    DatBas->add_datensatz(datensatzAus("I" + std::to_string(n), "T", "", "", "", "", ""));
  Connect->liste_neu_aufbauen();
  Connect->anzeigen_aktualisieren();

  imDialog([&] {
    ausfuellen({"Letzter", "Eintrag"});
    enter(D().e_kommentar);
    EXPECT_EQ(DatBas->get_anzahl(), MAX_DATENSAETZE);
    EXPECT_TRUE(plattform_.meldungen.empty());
    EXPECT_TRUE(D().isVisible());
    D().e_titel->setText("zu viel");
    enter(D().e_kommentar);
    EXPECT_EQ(DatBas->get_anzahl(), MAX_DATENSAETZE);
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{GRENZE_TEXT});
    EXPECT_FALSE(D().isVisible());
  });
  // Every further attempt repeats the message; B_close as well.
  imDialog([&] {
    QTest::mouseClick(D().B_close, Qt::LeftButton);
    EXPECT_FALSE(D().isVisible());
  });
  EXPECT_EQ(plattform_.meldungsTexte(), (QStringList{GRENZE_TEXT, GRENZE_TEXT}));
  EXPECT_EQ(DatBas->get_anzahl(), MAX_DATENSAETZE);
  EXPECT_EQ(listenzeilen().size(), MAX_DATENSAETZE);
  EXPECT_EQ(listenzeilen().last(), "Letzter - Eintrag");
  EXPECT_EQ(D().e_titel->text(), "zu viel");
}

// ---------------------------------------------------------------- what is committed

TEST_F(AddDialog, GetippteZeichenKommenAlsWindows1252An) {
  struct Fall {
    QString getippt;
    std::string gespeichert;
  } const faelle[] = {
      {"Mötley Crüe", "M\xF6tley Cr\xFC" "e"},
      {"Straße", "Stra\xDF" "e"},
      {"ÄÖÜ äöü", "\xC4\xD6\xDC \xE4\xF6\xFC"},
      {"€ 9,99 – „neu“", "\x80 9,99 \x96 \x84neu\x93"},
      {"Café Señor", "Caf\xE9 Se\xF1or"},
  };
  for (const Fall& f : faelle) {
    imDialog([&] {
      ausfuellen({});
      // Each field gets its own text, so that no field can land in another.
      for (int i = 0; i < 7; ++i) tippen(D().eingabefelder()[i], f.getippt + QString::number(i));
      enter(D().e_genre);
    });
  }
  ASSERT_EQ(DatBas->get_anzahl(), static_cast<int>(std::size(faelle)));
  for (int n = 0; n < DatBas->get_anzahl(); ++n) {
    const Fall& f = faelle[n];
    Felder erwartet;
    for (int i = 0; i < 7; ++i) erwartet[i] = f.gespeichert + std::to_string(i);
    EXPECT_EQ(felder(n + 1), erwartet) << f.getippt.toStdString();
    EXPECT_EQ(listenzeilen()[n], f.getippt + "0 - " + f.getippt + "1");
  }
}

TEST_F(AddDialog, GewaehlteVorgabenWerdenEingetragen) {
  const int rb = static_cast<int>(vorgabenGenre().indexOf("R&B"));
  ASSERT_GE(rb, 0);
  imDialog([&] {
    ausfuellen({"ABBA", "Gold", "", "getippt", "getippt", "getippt"});
    // Picked as a user does: open the list, move to the item, Enter.
    const std::pair<QComboBox*, int> wahl[] = {{D().combobox_release, 10}, {D().combobox_typ, 13}, {D().combobox_genre, rb}};
    for (const auto& [liste, zeile] : wahl) {
      liste->showPopup();
      liste->view()->setCurrentIndex(liste->view()->model()->index(zeile, 0));
      QTest::keyClick(liste->view(), Qt::Key_Return);
    }
    EXPECT_TRUE(D().isVisible());
    EXPECT_EQ(DatBas->get_anzahl(), 0);  // picking alone commits nothing
    enter(D().e_genre);
  });
  ASSERT_EQ(DatBas->get_anzahl(), 1);
  EXPECT_EQ(felder(1), (Felder{"ABBA", "Gold", "", "1992", "7'' Vinyl - Album (1 Vinyl)", "R&B", ""}));
}

TEST_F(AddDialog, LangeTexteWerdenGekuerzt) {
  imDialog([&] {
    ausfuellen({QString(300, 'a'), QString(255, QChar(0xE4)), QString(256, 'l')});
    enter(D().e_interpret);
  });
  ASSERT_EQ(DatBas->get_anzahl(), 1);
  EXPECT_EQ(felder(1)[0], std::string(255, 'a'));
  EXPECT_EQ(felder(1)[1], std::string(255, '\xE4'));
  EXPECT_EQ(felder(1)[2], std::string(255, 'l'));
  EXPECT_EQ(D().e_interpret->text().size(), 300);  // the field itself is not cut
}

// ---------------------------------------------------------------- focus and what survives closing

TEST_F(AddDialog, FokusBeimZeigenUndNachJedemEintrag) {
  imDialog([&] {
    EXPECT_TRUE(fokusInInterpret());
    ausfuellen(ABBA);
    D().e_genre->setFocus();
    enter(D().e_genre);
    EXPECT_TRUE(fokusInInterpret());
    D().B_add_new->setFocus();
    QTest::keyClick(D().B_add_new, Qt::Key_Space);  // a click by keyboard
    EXPECT_EQ(DatBas->get_anzahl(), 2);
    EXPECT_TRUE(fokusInInterpret());
    D().e_kommentar->setFocus();
  });
  imDialog([&] { EXPECT_TRUE(fokusInInterpret()); });
}

TEST_F(AddDialog, TexteUndHakenUeberlebenDasSchliessen) {
  struct Fall {
    const char* wie;
    std::function<void(TF_add&)> schliessen;
  } const faelle[] = {
      {"Esc", [](TF_add& d) { QTest::keyClick(d.e_typ, Qt::Key_Escape); }},
      {"abbrechen", [](TF_add& d) { d.B_cancel->click(); }},
      {"Schliessfeld", [](TF_add& d) { d.close(); }},
      {"eintragen & beenden", [](TF_add& d) { d.B_close->click(); }},
  };
  bool haken = false;
  for (const Fall& f : faelle) {
    haken = !haken;
    const QStringList texte = {"I " + QString(f.wie), "T", "L", "R", "Y", "G", "K"};
    imDialog([&] {
      ausfuellen(texte);
      D().cb_del->setChecked(haken);
      f.schliessen(D());
      EXPECT_FALSE(D().isVisible()) << f.wie;
    });
    imDialog([&] {
      const bool geleert = haken && std::string(f.wie) == "eintragen & beenden";
      EXPECT_EQ(feldtexte(), geleert ? QStringList(7, "") : texte) << f.wie;
      EXPECT_EQ(D().cb_del->isChecked(), haken) << f.wie;
    });
  }
  EXPECT_EQ(DatBas->get_anzahl(), 1);
}

TEST_F(AddDialog, HakenStehtNichtInDenEinstellungen) {
  QFile ini(QString::fromStdString(iniPfad_));
  const QByteArray vorher = ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
  ini.close();
  imDialog([&] {
    EXPECT_FALSE(D().cb_del->isChecked());  // off at program start
    QTest::mouseClick(D().cb_del, Qt::LeftButton);
    EXPECT_TRUE(D().cb_del->isChecked());
  });
  const QByteArray nachher = ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
  EXPECT_EQ(nachher, vorher);
}

// ---------------------------------------------------------------- look

TEST_F(AddDialog, TexteDesDialogs) {
  EXPECT_EQ(D().objectName(), "F_add");
  EXPECT_EQ(D().windowTitle(), "Einen neuen Datensatz einfügen..");
  EXPECT_EQ(D().GroupBox->title(), " neuer Eintrag: ");
  QStringList labels;
  for (const QLabel* l : {D().L_Interpret, D().L_Titel, D().L_Label, D().L_Release, D().L_Typ, D().L_Genre,
                          D().L_Kommentar})
    labels << l->text();
  EXPECT_EQ(labels, (QStringList{"Interpret:*", "Titel:*", "Label:", "Release:", "Typ:", "Genre:", "Kommentar:"}));
  EXPECT_EQ(D().Memo1->objectName(), "Memo1");
  EXPECT_EQ(D().Memo1->toPlainText(),
            "Die mit * markierte Felder müssen ausgefüllt werden. Drücken Sie\n"
            "in einem der Eingabefelder auf ENTER um die Funktion \"eintragen &\n"
            "neu\" auszuführen. Drücken Sie ESC um dieses Fenster zu schliessen.");
  EXPECT_TRUE(D().Memo1->isReadOnly());
  EXPECT_EQ(D().Memo1->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(D().Memo1->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(D().cb_del->objectName(), "cb_del");
  EXPECT_EQ(D().cb_del->text(), "Eingabefelder nach erfolgreichem Eintrag löschen");

  struct Knopf {
    QPushButton* knopf;
    const char* name;
    QString text, hinweis;
  } const knoepfe[] = {
      {D().B_add_new, "B_add_new", "&eintragen && neu", "trägt die Daten ein & ermöglicht eine weitere Eingabe"},
      {D().B_close, "B_close", "eintragen && &beenden", "trägt die eingebenen Daten ein und beendet diese Ansicht"},
      {D().B_cancel, "B_cancel", "&abbrechen", ""},
  };
  int links = -1;
  for (const Knopf& k : knoepfe) {
    EXPECT_EQ(k.knopf->objectName(), k.name);
    EXPECT_EQ(k.knopf->text(), k.text) << k.name;
    EXPECT_EQ(k.knopf->toolTip(), k.hinweis) << k.name;
    EXPECT_FALSE(k.knopf->autoDefault()) << k.name;
    EXPECT_FALSE(k.knopf->isDefault()) << k.name;
    // Left to right along the bottom, below the check box.
    EXPECT_GT(k.knopf->x(), links) << k.name;
    EXPECT_GT(k.knopf->y(), D().cb_del->geometry().bottom()) << k.name;
    links = k.knopf->geometry().right();
  }
  EXPECT_LT(D().Memo1->geometry().bottom(), D().GroupBox->y());
  EXPECT_GT(D().cb_del->y(), D().GroupBox->geometry().bottom());
}

TEST_F(AddDialog, TabReihenfolge) {
  QStringList reihe;
  QWidget* w = D().e_interpret;
  for (int i = 0; i < 11; ++i) {
    reihe << w->objectName();
    do w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden());
  }
  EXPECT_EQ(reihe, (QStringList{"e_interpret", "e_titel", "e_label", "e_release", "e_typ", "e_genre", "e_kommentar",
                                "cb_del", "B_add_new", "B_close", "B_cancel"}));
  EXPECT_EQ(w, D().e_interpret);  // and round again, past Memo1 and the drop-downs
}

TEST_F(AddDialog, NichtsIstAbgeschnitten) {
  D().show();
  for (QWidget* w : D().findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) &&
        !qobject_cast<QComboBox*>(w) && !qobject_cast<QGroupBox*>(w))
      continue;
    const std::string name = w->objectName().toStdString();
    if (name.empty()) continue;  // parts of other controls
    EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << name;
    if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
      EXPECT_GE(w->width(), w->sizeHint().width()) << name;
    }
  }
  // The three lines of Memo1 fit without wrapping or scrolling.
  const QFontMetrics fm(D().Memo1->font());
  for (const QString& zeile : D().Memo1->toPlainText().split('\n'))
    EXPECT_LE(fm.horizontalAdvance(zeile) + 8, D().Memo1->viewport()->width()) << zeile.toStdString();
  EXPECT_LE(3 * fm.lineSpacing() + 8, D().Memo1->viewport()->height());
  D().hide();
}

}  // namespace
