// The overall overview, opened as the main window opens it: filling the grid,
// applying it with its three messages, the 255-character cut, the view kept
// in the settings file, the resize rule, keys and mouse.
#include <QEnterEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QTableView>
#include <functional>
#include <optional>

#include "app/UFenstermass.h"
#include "core/UCodepage.h"
#include "dialogs/UFOptionen.h"
#include "dialogs/UFUebersicht.h"
#include "dialogs/UFworking.h"
#include "tests/support/GuiTest.h"

namespace {

const QString KEINE = "Welche Änderungen?|Es wurden keine Änderungen vorgenommen!";
const QString FEHLER =
    "Fehler:|Bitte überprüfen Sie Ihre Eingaben!\rBeachten Sie:\r"
    "Die Felder \"Interpret\" und \"Titel\" müssen für jeden Eintrag ausgefüllt werden!";
const QString UEBERNOMMEN = "Hinweis:|Ihre Änderungen wurden übernommen";
const QStringList KOPF = {"#", "Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"};

class Uebersicht : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
  TFUebersicht& U() { return *FUebersicht; }

  // Opens the window with F8 and runs "schritte" while it is open.
  void imFenster(const std::function<void()>& schritte) {
    imModalenFenster([this] { aktion("menue_gesamtbersicht1")->trigger(); }, schritte);
  }
  void sammlung() {
    struct E {
      const char* f[7];
    } const eintraege[] = {
        {{"ABBA", "Gold", "Polar", "1992", "CD - Album (1 CD)", "Pop", "gut"}},
        {{"Die Ärzte", "Jazz ist anders", "Hot Action", "2007", "", "Punk", ""}},
        {{"Beatles", "Help", "", "", "", "", "€ 5"}},
    };
    for (const E& e : eintraege)
      ASSERT_TRUE(Connect->datensatz_hinzufuegen(e.f[0], e.f[1], e.f[2], e.f[3], e.f[4], e.f[5], e.f[6]));
    Connect->file_wasnot_changed();
  }
  QStringList zeile(int z) {
    QStringList r;
    for (int s = 0; s < U().spaltenAnzahl(); ++s) r << U().zelle(s, z);
    return r;
  }
  // Opens the editor of cell (spalte, zeile) with F2 and types "text" over its contents, without Enter.
  QLineEdit* zelleOeffnen(int spalte, int zeile, const QString& text) {
    U().SG->setCurrentIndex(U().SG->model()->index(zeile - 1, spalte));
    QTest::keyClick(U().SG, Qt::Key_F2);
    QLineEdit* editor = U().SG->findChild<QLineEdit*>();
    if (!editor) return nullptr;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    tippen(editor, text);
    return editor;
  }
  // Types "text" into cell (spalte, zeile) as a user does: F2, the text, Enter.
  void zelleTippen(int spalte, int zeile, const QString& text) {
    QLineEdit* editor = zelleOeffnen(spalte, zeile, text);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(U().zelle(spalte, zeile), text);
  }
  // A fresh run with "ini" in section "Gesamtuebersicht" and the three entries.
  void neuStarten(const std::string& ini) {
    if (HauptFormular) fensterFreigeben();
    starten("[Gesamtuebersicht]\n" + ini);
    H().ablauf().init_saveview_gesamt();
    sammlung();
  }
  // The current cell as (column, row), rows counted as in zelle().
  std::pair<int, int> aktuelleZelle() {
    return {U().SG->currentIndex().column(), U().SG->currentIndex().row() + 1};
  }
  static std::vector<std::string> eintrag(int pos) {
    TDatensatz d;
    DatBas->get_datensatz(pos, d);
    std::vector<std::string> r;
    for (int nr = 1; nr <= FELD_ANZAHL; ++nr) r.push_back(d.feld(nr).text());
    return r;
  }
};

TEST_F(Uebersicht, FuellenAusDerSammlung) {
  sammlung();
  imFenster([&] {
    EXPECT_EQ(U().zeilenAnzahl(), 4);
    EXPECT_EQ(zeile(0), KOPF);
    EXPECT_EQ(zeile(1), (QStringList{"1", "ABBA", "Gold", "Polar", "1992", "CD - Album (1 CD)", "Pop", "gut"}));
    EXPECT_EQ(zeile(2), (QStringList{"2", "Die Ärzte", "Jazz ist anders", "Hot Action", "2007", "", "Punk", ""}));
    EXPECT_EQ(zeile(3), (QStringList{"3", "Beatles", "Help", "", "", "", "", "€ 5"}));
    EXPECT_EQ(U().zelle(8, 1), "");  // outside the grid
    EXPECT_EQ(U().zelle(1, 4), "");
    EXPECT_EQ(U().SG->currentIndex().row(), 0);  // cell (1,1)
    EXPECT_EQ(U().SG->currentIndex().column(), 1);
    EXPECT_EQ(U().focusWidget(), U().B_close);
    EXPECT_FALSE(U().geaendert());
    // The header row and the position column are not editable.
    EXPECT_FALSE(U().SG->model()->flags(U().SG->model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(U().SG->model()->flags(U().SG->model()->index(0, 7)) & Qt::ItemIsEditable);
  });
}

TEST_F(Uebersicht, LeereSammlungEineLeereZeile) {
  // The main window offers no overview then; the window itself still fills.
  plattform_.fensterSkripte.push_back([&](QDialog&) {
    EXPECT_EQ(U().zeilenAnzahl(), 2);
    EXPECT_EQ(zeile(0), KOPF);
    EXPECT_EQ(zeile(1), QStringList(8, ""));
    zelleTippen(1, 1, "Neu");
    zelleTippen(2, 1, "Eintrag");
    U().B_change->click();
  });
  plattform().fensterModal(U());
  EXPECT_EQ(DatBas->get_anzahl(), 0);
  EXPECT_EQ(H().listbox->count(), 0);
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{UEBERNOMMEN});
}

TEST_F(Uebersicht, UebernehmenSchreibtAlleZeilen) {
  sammlung();
  markieren(1);
  imFenster([&] {
    zelleTippen(3, 2, "EMI");
    EXPECT_TRUE(U().geaendert());
    U().B_change->click();
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{UEBERNOMMEN});
    EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Keins);
    EXPECT_FALSE(U().geaendert());
    U().B_change->click();  // the second time there is nothing to apply
    EXPECT_EQ(plattform_.meldungsTexte(), (QStringList{UEBERNOMMEN, KEINE}));
  });
  EXPECT_EQ(eintrag(2), (std::vector<std::string>{"Die \xC4rzte", "Jazz ist anders", "EMI", "2007", "", "Punk", ""}));
  EXPECT_EQ(eintrag(3), (std::vector<std::string>{"Beatles", "Help", "", "", "", "", "\x80 5"}));
  EXPECT_EQ(listenzeilen(), (QStringList{"ABBA - Gold", "Die Ärzte - Jazz ist anders", "Beatles - Help"}));
  EXPECT_EQ(H().listbox->markiert(), -1);
  EXPECT_EQ(H().L_index->text(), "0");
  EXPECT_TRUE(Connect->file_changed());
}

TEST_F(Uebersicht, ListeZeigtDieUebernommenenZeilen) {
  sammlung();
  imFenster([&] {
    zelleTippen(1, 1, "Abba");
    zelleTippen(2, 3, "Help!");
    U().B_change->click();
  });
  EXPECT_EQ(listenzeilen(), (QStringList{"Abba - Gold", "Die Ärzte - Jazz ist anders", "Beatles - Help!"}));
  EXPECT_EQ(eintrag(1)[0], "Abba");
}

TEST_F(Uebersicht, LeeresPflichtfeldAendertNichts) {
  struct Fall {
    int spalte, zeile;
  } const faelle[] = {{2, 3}, {1, 3}, {2, 1}, {1, 2}};
  sammlung();
  for (const Fall& f : faelle) {
    plattform_.meldungen.clear();
    imFenster([&] {
      zelleTippen(3, 1, "geändert 1");  // edits above and below the empty cell
      zelleTippen(7, 2, "geändert 2");
      zelleTippen(f.spalte, f.zeile, "");
      U().B_change->click();
      EXPECT_EQ(plattform_.meldungsTexte(), QStringList{FEHLER}) << f.spalte << "," << f.zeile;
      EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Warnung);
      EXPECT_TRUE(U().geaendert());
      EXPECT_EQ(U().zelle(3, 1), "geändert 1");  // the grid keeps the edits
    });
    EXPECT_EQ(eintrag(1)[2], "Polar");
    EXPECT_EQ(eintrag(2)[6], "");
    EXPECT_EQ(eintrag(3)[1], "Help");
    EXPECT_EQ(listenzeilen(), (QStringList{"ABBA - Gold", "Die Ärzte - Jazz ist anders", "Beatles - Help"}));
    EXPECT_FALSE(Connect->file_changed());
  }
}

TEST_F(Uebersicht, LangeZelleWirdAbgeschnittenUndSchliessenVerwirft) {
  sammlung();
  imFenster([&] {
    U().SG->model()->setData(U().SG->model()->index(0, 7), QString(250, 'x') + QString(50, QChar(0xE4)));
    U().B_change->click();
  });
  EXPECT_EQ(eintrag(1)[6], std::string(250, 'x') + std::string(5, '\xE4'));
  imFenster([&] {
    EXPECT_EQ(U().zelle(7, 1), QString(250, 'x') + QString(5, QChar(0xE4)));
    zelleTippen(2, 2, "nicht übernommen");
    QTest::mouseClick(U().B_close, Qt::LeftButton);
  });
  imFenster([&] {
    EXPECT_EQ(U().zelle(2, 2), "Jazz ist anders");
    EXPECT_FALSE(U().geaendert());
  });
  EXPECT_EQ(eintrag(2)[1], "Jazz ist anders");
}

TEST_F(Uebersicht, VieleEintraegeMitBitteWarten) {
  struct Fall {
    int anzahl;
    int fenster;  // how often the please-wait window shows: filling above 700, applying above 500
  } const faelle[] = {{500, 0}, {501, 1}, {700, 1}, {701, 2}, {4000, 2}};
  for (const Fall& f : faelle) {
    Connect->neue_sammlung();
    for (int i = 1; i <= f.anzahl; ++i)
      DatBas->add_datensatz(datensatzAus("I" + std::to_string(i), "T" + std::to_string(i), "", "", "", "", ""));
    Connect->liste_neu_aufbauen();
    Connect->anzeigen_aktualisieren();
    ZeigenZaehler z;
    Fworking->installEventFilter(&z);
    imFenster([&] {
      EXPECT_EQ(U().zeilenAnzahl(), f.anzahl + 1);
      EXPECT_EQ(U().zelle(0, f.anzahl), QString::number(f.anzahl));
      EXPECT_EQ(U().zelle(1, f.anzahl), "I" + QString::number(f.anzahl));
      zelleTippen(1, f.anzahl, "Letzter");
      U().B_change->click();
    });
    Fworking->removeEventFilter(&z);
    ASSERT_EQ(plattform_.modaleFenster.size(), 1u);
    plattform_.modaleFenster.clear();
    EXPECT_EQ(z.gezeigt, f.fenster) << f.anzahl;
    EXPECT_FALSE(Fworking->isVisible());
    EXPECT_EQ(H().listbox->count(), f.anzahl);
    EXPECT_EQ(H().listbox->item(f.anzahl - 1)->text(), "Letzter - T" + QString::number(f.anzahl));
    EXPECT_EQ(H().listbox->item(0)->text(), "I1 - T1");
  }
}

// ---------------------------------------------------------------- the view in the settings file

TEST_F(Uebersicht, AnsichtHinUndZurueck) {
  sammlung();
  FOptionen->cb_saveview_gesamt->setChecked(true);
  QFont unterstrichen(SCHRIFT_STANDARD, 11);
  unterstrichen.setUnderline(true);
  unterstrichen.setItalic(true);
  plattform_.schriften.push_back(TSchriftWahl{unterstrichen, QColor(0x12, 0x34, 0x56)});
  imFenster([&] {
    U().B_font->click();
    U().SG->setColumnWidth(3, 99);
    U().resize(clientGrossrahmen(700, 500));
  });
  ASSERT_EQ(plattform_.schriftDialoge.size(), 1u);
  EXPECT_EQ(plattform_.schriftDialoge[0].schrift.family(), SCHRIFT_VERDANA);
  EXPECT_EQ(plattform_.schriftDialoge[0].schrift.pointSize(), 8);  // the stored view's default
  EXPECT_FALSE(plattform_.schriftDialoge[0].farbe.isValid());
  const std::pair<const char*, std::string> erwartet[] = {
      {"WindowState_wsmaximized", "0"}, {"formularbreite", "700"},   {"formularhoehe", "500"},
      {"fontcolor", "$00563412"},       {"fontname", SCHRIFT_STANDARD}, {"fontsize", "11"},
      {"SG.colwidths[0]", "33"},        {"SG.colwidths[3]", "99"},    {"SG.colwidths[7]", "146"},
      {"fontstyle_fsbold", "0"},        {"fontstyle_fsitalic", "1"},  {"fontstyle_fsunderline", "1"},
      {"fontstyle_fsstrikeout", "0"},
  };
  for (const auto& [schluessel, wert] : erwartet) EXPECT_EQ(iniWert("Gesamtuebersicht", schluessel), wert) << schluessel;

  // After a restart the grid looks the same again.
  fensterFreigeben();
  starten();
  anzeigen();
  EXPECT_TRUE(FOptionen->cb_saveview_gesamt->isChecked());
  sammlung();
  imFenster([&] {
    EXPECT_TRUE(U().SG->font().underline());
    EXPECT_TRUE(U().SG->font().italic());
    EXPECT_FALSE(U().SG->font().bold());
    EXPECT_EQ(U().SG->font().family(), SCHRIFT_STANDARD);
    EXPECT_EQ(U().SG->font().pointSize(), 11);
    EXPECT_EQ(U().schriftfarbe(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(U().SG->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(U().SG->columnWidth(3), 99);
    EXPECT_EQ(U().SG->columnWidth(1), 132);
    EXPECT_EQ(aussenGrossrahmen(U().size()), QSize(700, 500));
  });
}

TEST_F(Uebersicht, GespeicherteWerteLesen) {
  struct Fall {
    std::string ini;
    std::function<void(TFUebersicht&)> pruefen;
  } const faelle[] = {
      {"fontcolor=clRed\nfontsize=12\nfontname=Verdana\n",
       [](TFUebersicht& u) {
         EXPECT_EQ(u.schriftfarbe(), QColor(255, 0, 0));
         EXPECT_EQ(u.SG->font().pointSize(), 12);
         EXPECT_EQ(u.SG->font().family(), SCHRIFT_VERDANA);
       }},
      {"fontcolor=clnavy\n", [](TFUebersicht& u) { EXPECT_EQ(u.schriftfarbe(), QColor(0, 0, 128)); }},
      {"fontcolor=$0000FF00\n", [](TFUebersicht& u) { EXPECT_EQ(u.schriftfarbe(), QColor(0, 255, 0)); }},
      {"fontcolor=Himmelblau\nfontsize=gross\nformularbreite=breit\nSG.colwidths[2]=x\n",
       [](TFUebersicht& u) {
         EXPECT_FALSE(u.schriftfarbe().isValid());  // the window text colour
         EXPECT_EQ(u.SG->font().pointSize(), 8);
         EXPECT_EQ(aussenGrossrahmen(u.size()), QSize(791, 414));
         EXPECT_EQ(u.SG->columnWidth(2), 140);
       }},
      {"fontstyle_fsbold=1\nfontstyle_fsstrikeout=0x1\nfontstyle_fsitalic=ja\n",
       [](TFUebersicht& u) {
         EXPECT_TRUE(u.SG->font().bold());
         EXPECT_TRUE(u.SG->font().strikeOut());
         EXPECT_FALSE(u.SG->font().italic());
       }},
      {"fontsize=100000\nSG.colwidths[1]=-5\nSG.colwidths[2]=99999999\nformularbreite=2147483647\n",
       [](TFUebersicht& u) {
         EXPECT_EQ(u.SG->font().pointSize(), 8);
         EXPECT_EQ(u.SG->columnWidth(1), 132);
         EXPECT_EQ(u.SG->columnWidth(2), 140);
         EXPECT_EQ(aussenGrossrahmen(u.size()), QSize(791, 414));
       }},
      {"fontsize=0\nSG.colwidths[3]=0\n",
       [](TFUebersicht& u) {
         EXPECT_EQ(u.SG->font().pointSize(), 8);
         EXPECT_EQ(u.SG->columnWidth(3), 0);
       }},
      {"formularbreite=100\nformularhoehe=10\n",
       [](TFUebersicht& u) { EXPECT_EQ(aussenGrossrahmen(u.size()), QSize(487, 64)); }},
  };
  for (const Fall& f : faelle) {
    if (HauptFormular) fensterFreigeben();
    starten("[Gesamtuebersicht]\nsaved=true\n" + f.ini);
    anzeigen();
    sammlung();
    imFenster([&] { f.pruefen(U()); });
  }
}

TEST_F(Uebersicht, StileWerdenNurHinzugefuegt) {
  sammlung();
  // Without the option nothing is stored or read; the chosen font lasts for the run.
  QFont fett(SCHRIFT_VERDANA, 9);
  fett.setBold(true);
  plattform_.schriften.push_back(TSchriftWahl{fett, QColor()});
  imFenster([&] { U().B_font->click(); });
  EXPECT_EQ(iniWert("Gesamtuebersicht", "fontstyle_fsbold"), "<fehlt>");
  imFenster([&] { EXPECT_TRUE(U().SG->font().bold()); });
  // With the option on, a stored "0" does not take the bold style away.
  FOptionen->cb_saveview_gesamt->setChecked(true);
  IniFile->WriteString("Gesamtuebersicht", "fontstyle_fsbold", "0");
  imFenster([&] { EXPECT_TRUE(U().SG->font().bold()); });
  // A cancelled font dialog changes nothing.
  imFenster([&] {
    U().B_font->click();
    EXPECT_TRUE(U().SG->font().bold());
    EXPECT_EQ(U().SG->font().pointSize(), 8);
  });
}

TEST_F(Uebersicht, MaximiertBeimAktivieren) {
  struct Fall {
    const char* ini;
    bool maximiert;
  } const faelle[] = {
      {"saved=true\nWindowState_wsmaximized=1\n", true},
      {"saved=false\nWindowState_wsmaximized=1\n", false},
      {"saved=true\nWindowState_wsmaximized=0\n", false},
  };
  for (const Fall& f : faelle) {
    // A fresh run each time: the overview is the first window and becomes active when shown.
    neuStarten(f.ini);
    imFenster([&] {
      EXPECT_TRUE(QTest::qWaitFor([&] { return U().isActiveWindow(); }));
      EXPECT_EQ(U().isMaximized(), f.maximiert) << f.ini;
    });
  }
}

// ---------------------------------------------------------------- layout, keys, mouse

TEST_F(Uebersicht, LayoutUndGroessenregel) {
  sammlung();
  imFenster([&] {
    EXPECT_EQ(U().size(), QSize(783, 386));
    EXPECT_EQ(U().windowTitle(), "Vemla - Gesamtübersicht");
    EXPECT_TRUE(U().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(U().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(U().SG->font().family(), SCHRIFT_VERDANA);
    EXPECT_EQ(U().SG->font().pointSize(), 7);
    EXPECT_EQ(U().SG->rowHeight(1), 18);
    for (int s = 0; s < 8; ++s) EXPECT_EQ(U().SG->columnWidth(s), UEBERSICHT_SPALTENBREITEN[s]) << s;
    EXPECT_EQ(U().B_close->text(), "Ansicht &schliessen");
    EXPECT_EQ(U().B_font->text(), "Schriftart auswählen");
    EXPECT_EQ(U().B_change->text(), "Ä&nderungen übernehmen");
    struct Fall {
      QSize aussen, wirklich;
    } const faelle[] = {{{791, 414}, {791, 414}}, {{1000, 600}, {1000, 600}}, {{300, 40}, {487, 64}}};
    for (const Fall& f : faelle) {
      U().resize(clientGrossrahmen(f.aussen.width(), f.aussen.height()));
      const int w = f.wirklich.width(), h = f.wirklich.height();
      EXPECT_EQ(aussenGrossrahmen(U().size()), f.wirklich);
      EXPECT_EQ(U().SG->size(), QSize(w - 20, h - 79));
      for (QPushButton* b : {U().B_close, U().B_font, U().B_change}) EXPECT_EQ(b->y(), h - 61);
      EXPECT_EQ(U().B_change->x(), w - 183);
      EXPECT_LT(U().B_close->x(), U().B_font->x());
    }
  });
}

TEST_F(Uebersicht, EscNurVonDenKnoepfen) {
  sammlung();
  for (const char* name : {"B_close", "B_font", "B_change"}) {
    imFenster([&] {
      QWidget* w = U().findChild<QWidget*>(name);
      w->setFocus();
      QTest::keyClick(w, Qt::Key_Escape);
      EXPECT_FALSE(U().isVisible()) << name;
    });
  }
  imFenster([&] {
    U().SG->setFocus();
    QTest::keyClick(U().SG, Qt::Key_Escape);
    EXPECT_TRUE(U().isVisible());
    // Enter on a button does nothing but what the button says: none is the default.
    U().B_font->setFocus();
    QTest::keyClick(U().B_font, Qt::Key_Return);
    EXPECT_TRUE(U().isVisible());
  });
  EXPECT_TRUE(plattform_.meldungen.empty());
}

TEST_F(Uebersicht, MausUeberDemRasterSetztDenFokus) {
  sammlung();
  imFenster([&] {
    U().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&U()));
    ASSERT_EQ(U().focusWidget(), U().B_close);
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), U().SG->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(U().SG, &e);
    EXPECT_EQ(U().focusWidget(), U().SG);
  });
}


// ---------------------------------------------------------------- open editors, Tab, list lines, the view as read

TEST_F(Uebersicht, UebernehmenNimmtDieOffeneZelleMit) {
  struct Fall {
    const char* weg;
    std::string text;
    std::function<void(TFUebersicht&, QLineEdit*)> uebernehmen;
  } const faelle[] = {
      {"Alt+N", "EMI", [](TFUebersicht&, QLineEdit* e) { QTest::keyClick(e, Qt::Key_N, Qt::AltModifier); }},
      {"Maus", "Virgin", [](TFUebersicht& u, QLineEdit*) { QTest::mouseClick(u.B_change, Qt::LeftButton); }},
  };
  sammlung();
  for (const Fall& f : faelle) {
    plattform_.meldungen.clear();
    imFenster([&] {
      U().activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&U()));
      QLineEdit* editor = zelleOeffnen(3, 2, QString::fromStdString(f.text));  // the only edit
      ASSERT_NE(editor, nullptr);
      f.uebernehmen(U(), editor);
      QTRY_COMPARE(plattform_.meldungsTexte(), QStringList{UEBERNOMMEN});
      EXPECT_FALSE(U().geaendert());
    });
    EXPECT_EQ(eintrag(2)[2], f.text) << f.weg;
    EXPECT_EQ(eintrag(1)[2], "Polar") << f.weg;
  }
}

TEST_F(Uebersicht, TabUeberspringtDieNummernspalte) {
  struct Fall {
    std::pair<int, int> von;
    Qt::Key taste;
    std::pair<int, int> nach;
  } const faelle[] = {
      {{7, 1}, Qt::Key_Tab, {1, 2}},     {{1, 2}, Qt::Key_Backtab, {7, 1}}, {{3, 2}, Qt::Key_Tab, {4, 2}},
      {{7, 3}, Qt::Key_Tab, {1, 1}},     {{1, 1}, Qt::Key_Backtab, {7, 3}}, {{2, 3}, Qt::Key_Backtab, {1, 3}},
  };
  sammlung();
  imFenster([&] {
    for (const Fall& f : faelle) {
      U().SG->setCurrentIndex(U().SG->model()->index(f.von.second - 1, f.von.first));
      QTest::keyClick(U().SG, f.taste, f.taste == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
      EXPECT_EQ(aktuelleZelle(), f.nach) << f.von.first << "," << f.von.second << " " << f.taste;
    }
    // Tab out of an open editor keeps the text and goes on editing in the next row.
    QLineEdit* editor = zelleOeffnen(7, 1, "weiter");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    QTRY_COMPARE(U().zelle(7, 1), "weiter");
    QTRY_COMPARE(aktuelleZelle(), std::make_pair(1, 2));
  });
}

TEST_F(Uebersicht, ListenzeilenWieInDerHauptliste) {
  // Line breaks and tabs from a loaded file stay in the entries and show as blanks.
  DatBas->add_datensatz(datensatzAus("Eins\r\nZwei", "T\t1", "", "", "", "", ""));
  DatBas->add_datensatz(datensatzAus("X", "Y", "", "", "", "", ""));
  Connect->liste_neu_aufbauen();
  Connect->anzeigen_aktualisieren();
  const QStringList zeilen = {"Eins  Zwei - T 1", "X - Y"};
  ASSERT_EQ(listenzeilen(), zeilen);
  imFenster([&] {
    EXPECT_EQ(U().SG->model()->index(0, 1).data().toString(), "Eins  Zwei");
    zelleTippen(3, 2, "L");
    U().B_change->click();
  });
  EXPECT_EQ(listenzeilen(), zeilen);
  EXPECT_EQ(eintrag(1)[0], "Eins\r\nZwei");
}

TEST_F(Uebersicht, ZellenWerdenAbgeschnittenNichtGekuerzt) {
  // A narrow cell shows the left part of what a wide cell shows: no ellipsis.
  sammlung();
  imFenster([&] {
    U().setzeSchrift(QFont(SCHRIFT_VERDANA, 10), QColor());
    U().SG->setCurrentIndex(U().SG->model()->index(0, 7));
    for (int spalte : {1, 2}) {
      const QModelIndex i = U().SG->model()->index(1, spalte);  // "Die Ärzte", "Jazz ist anders"
      auto bild = [&](int breite) {
        U().SG->setColumnWidth(spalte, breite);
        const QRect r = U().SG->visualRect(i);
        return U().SG->viewport()->grab(QRect(r.topLeft(), QSize(28, r.height()))).toImage();
      };
      const QImage schmal = bild(33);
      EXPECT_TRUE(schmal == bild(300)) << spalte;
    }
  });
}

TEST_F(Uebersicht, GespeicherteAnsichtBleibtWieGelesen) {
  struct Fall {
    std::string ini;
    std::function<void(TFUebersicht&)> benutzer;  // nullptr: shown and closed at once, as the export does
    std::string maximiert, schrift;
  } const faelle[] = {
      {"WindowState_wsmaximized=1\nfontname=Verdana\n", nullptr, "1", "Verdana"},
      {"WindowState_wsmaximized=1\n", [](TFUebersicht& u) { u.showNormal(); }, "0", "Verdana"},
      {"fontname=Liberation Serif\n", [](TFUebersicht& u) { u.showMaximized(); }, "1", "Liberation Serif"},
      {"WindowState_wsmaximized=0\n", nullptr, "0", "Verdana"},
  };
  for (const Fall& f : faelle) {
    neuStarten("saved=true\n" + f.ini);
    if (f.benutzer) {
      imFenster([&] {
        ASSERT_TRUE(QTest::qWaitFor([&] { return U().isActiveWindow(); }));
        f.benutzer(U());
      });
    } else {
      U().show();
      U().close();
    }
    EXPECT_EQ(iniWert("Gesamtuebersicht", "WindowState_wsmaximized"), f.maximiert) << f.ini;
    EXPECT_EQ(iniWert("Gesamtuebersicht", "fontname"), f.schrift) << f.ini;
  }
}

TEST_F(Uebersicht, RueckkehrAusEigenemDialogIstKeineAktivierung) {
  struct Fall {
    bool eigenes;  // a box of the overview, or a window that is not its own
    bool maximiert;
  } const faelle[] = {{true, false}, {false, true}};
  for (const Fall& f : faelle) {
    neuStarten("saved=true\nWindowState_wsmaximized=1\n");
    imFenster([&] {
      ASSERT_TRUE(QTest::qWaitFor([&] { return U().isActiveWindow() && U().isMaximized(); }));
      U().showNormal();  // the user restores the window
      QDialog anderes(f.eigenes ? &U() : nullptr);
      anderes.setModal(f.eigenes);
      anderes.show();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&anderes));
      anderes.hide();
      U().activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&U()));
      QTest::qWait(20);
      EXPECT_EQ(U().isMaximized(), f.maximiert) << f.eigenes;
    });
  }
}

}  // namespace
