// The main window driven through its component names: refresh states, entry
// commands, selection rules, sorting, quick buttons, hints and keys.
#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QSignalSpy>

#include "app/UVorgaben.h"
#include "dialogs/UFworking.h"
#include "tests/support/GuiTest.h"

namespace {

class Hauptfenster : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
  bool an(const char* name) {
    if (auto* a = H().findChild<QAction*>(name)) return a->isEnabled();
    return finde(name)->isEnabled();
  }
  bool sichtbar(const char* name) { return !finde(name)->isHidden(); }
  QString text(const char* name) { return finde<QLabel>(name)->text(); }
};

const char* const GRUPPE_MENUE[] = {"menue_speichern_unter", "menue_datensatz_del", "menue_datensatz_verschieben",
                                    "menue_drucken", "menue_reportschreiben", "menue_gesamtbersicht",
                                    "menue_suche", "menue_neu", "menue_change", "menue_hinzufgen",
                                    "popupmenue_move", "popupmenue_del", "popupmenue_suche"};
const char* const GRUPPE_FELDER[] = {"e_interpret", "e_titel", "e_label", "e_release", "e_typ", "e_genre",
                                     "e_kommentar", "combobox_release", "combobox_typ", "combobox_genre",
                                     "SB_AG_Interpret", "b_del", "b_change", "b_new", "b_save", "B_loadandadd"};
const char* const GRUPPE_SICHTBAR[] = {"b_del", "b_change", "b_new", "b_save", "SBquicksave", "B_loadandadd"};

TEST_F(Hauptfenster, LeererZustandNachDemStart) {
  EXPECT_EQ(H().windowTitle(), "Vemla  [ v 1.0.6 ]");
  EXPECT_EQ(text("L_vorhandeneintraege"), "keine Einträge vorhanden");
  for (const char* n : GRUPPE_MENUE) EXPECT_FALSE(an(n)) << n;
  for (const char* n : GRUPPE_FELDER) EXPECT_FALSE(an(n)) << n;
  for (const char* n : GRUPPE_SICHTBAR) EXPECT_FALSE(sichtbar(n)) << n;
  EXPECT_FALSE(an("menue_filesave"));
  EXPECT_FALSE(an("menue_sort"));
  EXPECT_TRUE(sichtbar("b_load"));
  EXPECT_TRUE(sichtbar("b_add"));
  EXPECT_FALSE(sichtbar("b_up"));
  EXPECT_FALSE(sichtbar("b_down"));
  EXPECT_EQ(text("L_anzahl"), "0");
  EXPECT_EQ(text("L_index"), "0");
}

TEST_F(Hauptfenster, ErsterEintragSchaltetAllesUm) {
  eintragen({{"ABBA", "Gold"}});
  for (const char* n : GRUPPE_MENUE) EXPECT_TRUE(an(n)) << n;
  for (const char* n : GRUPPE_FELDER) EXPECT_TRUE(an(n)) << n;
  for (const char* n : GRUPPE_SICHTBAR) EXPECT_TRUE(sichtbar(n)) << n;
  EXPECT_FALSE(an("menue_filesave"));  // no current file yet
  EXPECT_EQ(H().listbox->markiert(), 0);
  EXPECT_EQ(text("L_vorhandeneintraege"), "vorhandene Einträge:");
  EXPECT_EQ(text("LDatensatznum"), "weitere Informationen: Eintrag  1 :");
  EXPECT_EQ(text("L_anzahl"), "1");
  EXPECT_EQ(text("L_index"), "1");
  EXPECT_EQ(H().e_interpret->text(), "ABBA");
  EXPECT_EQ(H().e_titel->text(), "Gold");
  for (const char* n : {"b_up", "b_down", "menue_nachoben", "menue_nachunten", "menue_nachoben2",
                        "menue_nachunten2", "menue_sort"})
    EXPECT_FALSE(an(n)) << n;
  EXPECT_TRUE(Connect->file_changed());
  EXPECT_EQ(listenzeilen(), QStringList{"ABBA - Gold"});
}

TEST_F(Hauptfenster, EinzigenEintragLoeschenLaesstLeerenZustandMitAenderungsmarke) {
  eintragen({{"ABBA", "Gold"}});
  aktivieren();
  QTest::keyClick(H().listbox, Qt::Key_F4);
  EXPECT_EQ(DatBas->get_anzahl(), 0);
  EXPECT_EQ(text("L_vorhandeneintraege"), "keine Einträge vorhanden");
  EXPECT_EQ(H().e_interpret->text(), "");
  EXPECT_FALSE(an("menue_speichern_unter"));
  EXPECT_TRUE(Connect->file_changed());  // set after the refresh had cleared it
}

TEST_F(Hauptfenster, MarkierungNachDemLoeschen) {
  struct Fall {
    int zeile, danach;
    QString erste;
  } faelle[] = {{0, 0, "I2 - T2"}, {5, 4, "I1 - T1"}, {7, 6, "I1 - T1"}};
  for (const auto& f : faelle) {
    Connect->neue_sammlung();
    eintragen(8);
    markieren(f.zeile);
    H().b_del->click();
    EXPECT_EQ(H().listbox->markiert(), f.danach) << f.zeile;
    EXPECT_EQ(DatBas->get_anzahl(), 7);
    EXPECT_EQ(listenzeilen().first(), f.erste);
    EXPECT_EQ(H().L_index->text(), QString::number(f.danach + 1));
  }
}

TEST_F(Hauptfenster, VerschiebenAnDenEndenUndOhneMarkierung) {
  eintragen(3);
  markieren(0);
  EXPECT_FALSE(an("b_up"));
  EXPECT_TRUE(an("b_down"));
  markieren(2);
  EXPECT_TRUE(an("b_up"));
  EXPECT_FALSE(an("b_down"));
  EXPECT_FALSE(an("menue_nachunten2"));

  H().b_up->click();
  EXPECT_EQ(listenzeilen(), (QStringList{"I1 - T1", "I3 - T3", "I2 - T2"}));
  EXPECT_EQ(H().listbox->markiert(), 1);
  aktion("menue_nachoben")->trigger();
  EXPECT_EQ(listenzeilen(), (QStringList{"I3 - T3", "I1 - T1", "I2 - T2"}));
  EXPECT_EQ(H().listbox->markiert(), 0);

  Connect->markieren(-1);
  Connect->anzeigen_aktualisieren();
  EXPECT_FALSE(an("menue_nachoben"));
  EXPECT_TRUE(an("menue_nachunten"));  // with no selection down stays on
  Connect->file_wasnot_changed();
  aktion("menue_nachunten")->trigger();
  EXPECT_EQ(listenzeilen(), (QStringList{"I3 - T3", "I1 - T1", "I2 - T2"}));
  EXPECT_EQ(H().listbox->markiert(), 0);
  EXPECT_TRUE(Connect->file_changed());
}

TEST_F(Hauptfenster, AendernPrueftPflichtfelderUndSchneidet) {
  eintragen({{"A", "B"}});
  H().e_interpret->setText("Neu");
  H().e_titel->setText("");
  H().b_change->click();
  ASSERT_NE(plattform_.letzteMeldung(), nullptr);
  EXPECT_EQ(plattform_.letzteMeldung()->titel, "Fehler:");
  EXPECT_EQ(plattform_.letzteMeldung()->text,
            "Bitte überprüfen Sie Ihre Eingaben!\rBeachten Sie:\r"
            "Die Feldeter \"Interpret\" und \"Titel\" müssen ausgefüllt werden!");
  EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Warnung);
  EXPECT_EQ(listenzeilen(), QStringList{"A - B"});

  Connect->file_wasnot_changed();
  H().e_titel->setText(QString(300, 'x'));
  H().e_kommentar->setText(QString::fromUtf8("Grüße"));
  aktivieren();
  QTest::keyClick(H().listbox, Qt::Key_F5);
  EXPECT_EQ(listenzeilen(), QStringList{"Neu - " + QString(255, 'x')});
  EXPECT_EQ(H().e_titel->text().size(), 255);
  TDatensatz d;
  DatBas->get_datensatz(1, d);
  EXPECT_EQ(d.Kommentar.text(), "Gr\xFC\xDF" "e");
  EXPECT_TRUE(Connect->file_changed());
}

TEST_F(Hauptfenster, GetippterTextVerfaelltBeimMarkieren) {
  eintragen({{"A", "1"}, {"B", "2"}});
  markieren(0);
  H().e_interpret->setText("getippt");
  markieren(1);
  markieren(0);
  EXPECT_EQ(H().e_interpret->text(), "A");
}

TEST_F(Hauptfenster, VorgabeErsetztNurDasFeld) {
  eintragen({{"A", "1"}});
  H().e_genre->setText("alt");
  const int rb = vorgabenGenre().indexOf("R&B");
  ASSERT_GE(rb, 0);
  emit H().combobox_genre->activated(rb);
  EXPECT_EQ(H().e_genre->text(), "R&B");
  EXPECT_EQ(listenzeilen(), QStringList{"A - 1"});
  TDatensatz d;
  DatBas->get_datensatz(1, d);
  EXPECT_EQ(d.Genre.text(), "");
}

TEST_F(Hauptfenster, Vorgabelisten) {
  EXPECT_EQ(H().combobox_release->count(), 53);
  EXPECT_EQ(H().combobox_release->itemText(0), "2002");
  EXPECT_EQ(H().combobox_release->itemText(52), "1950");
  EXPECT_EQ(H().combobox_typ->count(), 49);
  EXPECT_EQ(H().combobox_typ->itemText(0), "CD - Album (1 CD)");
  EXPECT_EQ(H().combobox_typ->itemText(4), "CD - Compilation (1 CD)");
  EXPECT_EQ(H().combobox_typ->itemText(13), "7'' Vinyl - Album (1 Vinyl)");
  EXPECT_EQ(H().combobox_typ->itemText(48), "12'' Vinyl - Single (2 Vinyls)");
  EXPECT_EQ(H().combobox_genre->count(), 103);
  EXPECT_EQ(H().combobox_genre->itemText(0), "[ unbekannt ]");
  EXPECT_EQ(H().combobox_genre->itemText(102), "Vocal");
  // Only the drop-down button shows beside the edit.
  EXPECT_EQ(H().combobox_typ->geometry(), QRect(384, 197, 225, 22));
  EXPECT_EQ(H().e_typ->geometry(), QRect(384, 197, 209, 22));
}

TEST_F(Hauptfenster, LoeschenPerPopupFragtErst) {
  eintragen(2);
  markieren(1);
  plattform_.antworten = {TAntwort::Nein, TAntwort::Ja};
  aktion("popupmenue_del")->trigger();
  EXPECT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(plattform_.letzteMeldung()->text, "Wollen Sie den markierten Eintrag wirklich löschen?");
  EXPECT_EQ(plattform_.letzteMeldung()->titel, "Sicherheitsabfrage");
  aktion("popupmenue_del")->trigger();
  EXPECT_EQ(listenzeilen(), QStringList{"I1 - T1"});
}

TEST_F(Hauptfenster, RechtsklickLaesstMarkierung) {
  eintragen(3);
  markieren(2);
  const QRect zeile0 = H().listbox->visualItemRect(H().listbox->item(0));
  QTest::mousePress(H().listbox->viewport(), Qt::RightButton, {}, zeile0.center());
  QTest::mouseRelease(H().listbox->viewport(), Qt::RightButton, {}, zeile0.center());
  EXPECT_EQ(H().listbox->markiert(), 2);
}

TEST_F(Hauptfenster, SortierenUeberDasMenue) {
  eintragen({{"beatles", "1"}, {"ABBA", "2"}, {"Beatles", "3"}, {"abba", "4"}});
  markieren(3);
  Connect->file_wasnot_changed();
  aktion("nachInterpret1")->trigger();
  EXPECT_EQ(listenzeilen(), (QStringList{"ABBA - 2", "abba - 4", "beatles - 1", "Beatles - 3"}));
  EXPECT_EQ(H().listbox->markiert(), 0);
  EXPECT_TRUE(Connect->file_changed());
  aktion("nachTitel2")->trigger();
  aktivieren();
  EXPECT_EQ(listenzeilen(), (QStringList{"abba - 4", "Beatles - 3", "ABBA - 2", "beatles - 1"}));
  QTest::keyClick(H().listbox, Qt::Key_F6);
  EXPECT_EQ(listenzeilen().first(), "abba - 4");  // equal keys keep their order
}

TEST_F(Hauptfenster, SortierenErstAbZweiZeilen) {
  H().SBQuicksort->click();
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{"Fehler:|Diese Option ist z.Z. nicht verfügbar"});
  eintragen({{"b", "1"}});
  EXPECT_FALSE(an("menue_sort"));
  eintragen({{"a", "2"}});
  EXPECT_TRUE(an("menue_sort"));
  H().SBQuicksort->click();
  EXPECT_EQ(listenzeilen(), (QStringList{"a - 2", "b - 1"}));
}

TEST_F(Hauptfenster, SortierenVielerEintraegeVerbirgtBitteWarten) {
  for (int i = 0; i < 201; ++i) DatBas->add_datensatz(datensatzAus(std::to_string(1000 - i), "t", "", "", "", "", ""));
  Connect->liste_neu_aufbauen();
  H().sortieren(FELD_INTERPRET, true);
  EXPECT_FALSE(Fworking->isVisible());
  EXPECT_EQ(listenzeilen().first(), "1000 - t");  // text order: "1000" before "800"
  EXPECT_EQ(listenzeilen().last(), "999 - t");
}

// Counts how often a window is shown.
struct Zeigezaehler : QObject {
  int gezeigt = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) ++gezeigt;
    return false;
  }
};

TEST_F(Hauptfenster, BitteWartenNurAbDenSchwellen) {
  struct Fall {
    const char* name;
    int anzahl;
    std::function<void()> befehl;
    int gezeigt;
  } faelle[] = {
      {"hinzufügen bei 699", 699, [] { Connect->datensatz_hinzufuegen("a", "b", "", "", "", "", ""); }, 0},
      {"hinzufügen bei 700", 700, [] { Connect->datensatz_hinzufuegen("a", "b", "", "", "", "", ""); }, 1},
      {"ändern bei 700", 700, [] { Connect->datensatz_aendern("a", "b", "", "", "", "", ""); }, 0},
      {"ändern bei 701", 701, [] { Connect->datensatz_aendern("a", "b", "", "", "", "", ""); }, 1},
      {"löschen bei 701", 701, [] { Connect->datensatz_loeschen(); }, 1},
      {"nach unten bei 701", 701, [] { Connect->nach_unten(); }, 1},
      {"nach oben bei 701", 701, [] { Connect->nach_oben(); }, 1},
      {"sortieren bei 200", 200, [] { SortTree->sortieren(FELD_TITEL, false); }, 0},
      {"sortieren bei 201", 201, [] { SortTree->sortieren(FELD_TITEL, false); }, 1},
  };
  Zeigezaehler zaehler;
  Fworking->installEventFilter(&zaehler);
  for (const auto& f : faelle) {
    Connect->neue_sammlung();
    for (int i = 0; i < f.anzahl; ++i) DatBas->add_datensatz(datensatzAus("i", std::to_string(i), "", "", "", "", ""));
    Connect->liste_neu_aufbauen();
    Connect->markieren(1);
    Connect->anzeigen_aktualisieren();
    zaehler.gezeigt = 0;
    f.befehl();
    EXPECT_EQ(zaehler.gezeigt, f.gezeigt) << f.name;
    EXPECT_FALSE(Fworking->isVisible()) << f.name;
  }
  Fworking->removeEventFilter(&zaehler);
}

TEST_F(Hauptfenster, BitteWartenFenster) {
  EXPECT_EQ(Fworking->size(), QSize(217, 72));
  EXPECT_TRUE(Fworking->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(Fworking->windowTitle(), "Bitte warten..");
  auto* text = Fworking->findChild<QLabel*>("Memo1");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(), "\nBitte warten Sie einen Moment!\n\nIhre Eingabe wird bearbeitet!");
  EXPECT_EQ(text->palette().color(QPalette::Window), QColor(44, 67, 105));
  EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(247, 247, 242));
  Fworking->zeigen();
  EXPECT_TRUE(Fworking->isVisible());
  Fworking->verbergen();
  EXPECT_FALSE(Fworking->isVisible());
}

TEST_F(Hauptfenster, QuickbuttonsBeiLeererSammlung) {
  struct Fall {
    const char* knopf;
    QString titel;
  } faelle[] = {{"SBQuickprint", "Fehler:"}, {"SBQuickreport", "Fehler:"}, {"SBQuicktab", "Fehler:"},
                {"SBQuicksort", "Fehler:"},  {"SBQuicksearch", "Fehler_"}, {"SBquicksave", "Fehler:"}};
  for (const auto& f : faelle) {
    plattform_.meldungen.clear();
    finde<QToolButton>(f.knopf)->click();
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{f.titel + "|Diese Option ist z.Z. nicht verfügbar"}) << f.knopf;
  }
  for (const char* n : {"SBQuickprint", "SBQuickreport", "SBQuicktab", "SBQuicksort", "SBQuicksearch", "SBminview"}) {
    EXPECT_EQ(finde(n)->toolTipDuration(), 25000) << n;
    EXPECT_FALSE(finde(n)->toolTip().isEmpty()) << n;
  }
  EXPECT_TRUE(finde("SBquicksave")->toolTip().isEmpty());
}

TEST_F(Hauptfenster, HilfeSagtSorry) {
  aktivieren();
  QTest::keyClick(H().listbox, Qt::Key_F1);
  EXPECT_EQ(plattform_.meldungsTexte(),
            QStringList{"Sorry..|Die Hilfe ist in dieser Version von Vemla nicht verfügbar, da noch nicht vollständig!\r"
                        "Nutzen Sie bitte die online-Hilfe oder senden Sie mir gegebenenfalls eine E-Mail!"});
}

TEST_F(Hauptfenster, StatusleisteBehaeltHinweisUeberDerListe) {
  H().show();
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(H().b_del, &enter);
  EXPECT_EQ(H().statusbar->currentMessage(), "löscht den zur Zeit markierten Datensatz");
  QTest::mouseMove(H().listbox->viewport(), QPoint(20, 20));
  QTest::mouseMove(H().Label7, QPoint(5, 5));
  EXPECT_EQ(H().statusbar->currentMessage(), "löscht den zur Zeit markierten Datensatz");
  QMouseEvent bewegung(QEvent::MouseMove, QPointF(290, 330), QPointF(290, 330), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
  QApplication::sendEvent(H().client(), &bewegung);
  EXPECT_EQ(H().statusbar->currentMessage(), "");
  QApplication::sendEvent(H().LVersion, &enter);
  EXPECT_EQ(H().statusbar->currentMessage(), "Vemla-Programmversion: 1.0.6");
}

TEST_F(Hauptfenster, EscSchliesstDasHauptfenster) {
  for (const char* feld : {"e_kommentar", "listbox", "combobox_genre"}) {
    H().show();
    QTest::keyClick(finde(feld), Qt::Key_Escape);
    EXPECT_FALSE(H().isVisible()) << feld;
    fensterFreigeben();
    starten();
  }
}

TEST_F(Hauptfenster, MenueBeschriftungenUndKuerzel) {
  struct Fall {
    const char* name;
    QString text, kuerzel;
  } faelle[] = {
      {"menue_neu", "&Neu", "Ctrl+N"},
      {"menue_hinzufgen", "&Hinzufügen", "Ctrl+Alt+L"},
      {"menue_speichern_unter", "Speichern &unter..", "Ctrl+Alt+S"},
      {"xls1", "Excel-Dokument (*.&xls)", "Ctrl+R"},
      {"beenden1", "Programm &beenden", "Alt+F4"},
      {"menue_change", "Markierten Datensatz ä&ndern", "F5"},
      {"menue_nachunten", "Nach &unten", "Ctrl+Alt+Y"},
      {"menue_sort", "CD-Sammlug s&ortieren", ""},
      {"nachInterpret2", "nach &Interpret", "Ctrl+F6"},
      {"nachTyp1", "nach T&yp", ""},
      {"Internetsuche1", "&Internetsuche..", "Shift+F3"},
      {"dsf1", "&Manuell (Internet-Seite aufrufen)", "Ctrl+Alt+U"},
      {"Programminfo1", "&Programminformationen", "F12"},
      {"neuerEintrag2", "&neuer Eintrag", ""},
      {"menue_nachoben2", "nach oben", ""},
  };
  for (const auto& f : faelle) {
    QAction* a = aktion(f.name);
    ASSERT_NE(a, nullptr) << f.name;
    EXPECT_EQ(a->text(), f.text) << f.name;
    EXPECT_EQ(a->shortcut().toString(), f.kuerzel) << f.name;
  }
}

TEST_F(Hauptfenster, LayoutUndTabReihenfolge) {
  EXPECT_EQ(H().client()->size(), QSize(667, 393));
  EXPECT_EQ(H().aussenmass(), QSize(673, 435));
  EXPECT_EQ(H().listbox->geometry(), QRect(8, 32, 257, 257));
  EXPECT_EQ(H().b_change->geometry(), QRect(448, 340, 73, 25));
  EXPECT_EQ(H().SBQuicksearch->geometry(), QRect(588, 0, 22, 23));
  EXPECT_EQ(H().SB_AG_Interpret->geometry(), QRect(622, 38, 29, 99));
  EXPECT_EQ(H().statusbar->geometry(), QRect(0, 373, 667, 20));
  QWidget* w = H().listbox;
  QStringList reihe;
  for (int i = 0; i < 7; ++i) {
    w = w->nextInFocusChain();
    while (w->focusPolicy() == Qt::NoFocus || !(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
    reihe << w->objectName();
  }
  EXPECT_EQ(reihe, (QStringList{"e_kommentar", "e_genre", "e_typ", "e_release", "e_label", "e_titel", "e_interpret"}));
}

TEST_F(Hauptfenster, FehlerImHandlerGehtInDieAllgemeineFehlerbox) {
  eintragen(1);
  Connect->set_filename(QString::fromStdString(tmp_.pfad("gibtsnicht/x.vem")));
  H().menue_filesave->setEnabled(true);
  H().show();
  QTest::mouseClick(H().SBquicksave, Qt::LeftButton);
  ASSERT_NE(plattform_.letzteMeldung(), nullptr);
  EXPECT_EQ(plattform_.letzteMeldung()->titel, " Vemla ");
  EXPECT_EQ(plattform_.letzteMeldung()->text, "Datei nicht gefunden.");
  EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Stopp);
  EXPECT_TRUE(H().isEnabled());
}

}  // namespace

namespace {

// The preset lists and the status bar take their style sheets only when they
// first drop down or show; they look and behave as with the sheets from the start.
TEST_F(Hauptfenster, VorgabelistenUndStatusleisteWieMitStilvorlage) {
  eintragen(2);
  anzeigen();
  for (const char* name : {"combobox_release", "combobox_typ", "combobox_genre"}) {
    auto* liste = finde<QComboBox>(name);
    const QImage vorher = liste->grab().toImage();
    liste->showPopup();
    QStyleOptionComboBox option;
    option.initFrom(liste);
    EXPECT_EQ(liste->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, liste), 0) << name;
    EXPECT_LE(liste->view()->height(), (liste->maxVisibleItems() + 1) * liste->view()->sizeHintForRow(0)) << name;
    liste->hidePopup();
    EXPECT_EQ(liste->grab().toImage(), vorher) << name;
    EXPECT_EQ(liste->palette().color(QPalette::Text), farbe(8932151)) << name;
  }
  H().zeigeStatusleiste(true);
  auto* vorbild = new QStatusBar(H().client());
  vorbild->setSizeGripEnabled(false);
  vorbild->setStyleSheet("QStatusBar { border-top: 1px solid palette(mid); }");
  vorbild->setGeometry(H().statusbar->geometry());
  vorbild->show();
  EXPECT_EQ(H().statusbar->grab().toImage(), vorbild->grab().toImage());
  delete vorbild;
}

}  // namespace
