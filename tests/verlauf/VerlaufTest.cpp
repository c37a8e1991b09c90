// Undo and redo of every kind of change, as the user reaches them: the menu
// items with the step's name, the exact bytes and the marked line given back,
// and the changed mark following the saved state.
#include <QLineEdit>

#include "core/UVemDatei.h"
#include "tests/support/GuiTest.h"

namespace {

class Verlauf : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
};

// Every entry's 1792 bytes, in order.
std::string sammlungsBytes() {
  std::string b;
  TDatensatz d;
  for (int i = 1; i <= DatBas->get_anzahl(); ++i) {
    DatBas->get_datensatz(i, d);
    b.append(reinterpret_cast<const char*>(&d), sizeof d);
  }
  return b;
}

std::vector<TDatensatz> saetze(std::initializer_list<const char*> interpreten) {
  std::vector<TDatensatz> v;
  for (const char* i : interpreten) v.push_back(datensatzAus(i, "neu", "", "", "", "", ""));
  return v;
}

struct Fall {
  const char* schritt;
  std::function<void(const std::string& ordner)> befehl;
};

TEST_F(Verlauf, JederSchrittZurueckUndWiederGenauAufsByte) {
  const Fall faelle[] = {
      {"Datensatz hinzufügen", [](auto&) { Connect->datensatz_hinzufuegen("Zappa", "Hot Rats", "", "", "", "", ""); }},
      {"Datensatz ändern",
       [](auto&) { Connect->datensatz_aendern("Björk", "Post", "One Little Indian", "1995", "CD", "Pop", ""); }},
      {"Datensatz löschen", [](auto&) { Connect->datensatz_loeschen(); }},
      {"Datensatz nach oben verschieben", [](auto&) { Connect->nach_oben(); }},
      {"Datensatz nach unten verschieben", [](auto&) { Connect->nach_unten(); }},
      {"nach Titel sortieren", [](auto&) { Connect->sortieren(FELD_TITEL, true); }},
      {"nach Interpret sortieren (absteigend)", [](auto&) { Connect->sortieren(FELD_INTERPRET, false); }},
      {"Gesamtübersicht übernehmen", [](auto&) { Connect->alle_ersetzen(saetze({"a", "b", "c", "d", "e"})); }},
      {"CSV-Import", [](auto&) { Connect->datensaetze_anhaengen(saetze({"x", "y"})); }},
      {"Datei hinzuladen",
       [](const std::string& ordner) {
         TDatBas db;
         db.add_datensatz(datensatzAus("Hinzu1", "T", "", "", "", "", ""));
         db.add_datensatz(datensatzAus("Hinzu2", "T", "", "", "", "", ""));
         vemSchreiben(ordner + "/dazu.vem", db);
         Connect->datei_hinzuladen(QString::fromStdString(ordner + "/dazu.vem"));
       }},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.schritt);
    Connect->neue_sammlung();
    eintragen({{"C", "3"}, {"A", "1"}, {"E", "5"}, {"B", "2"}, {"D", "4"}});
    markieren(2);
    const std::string vorher = sammlungsBytes();
    f.befehl(tmp_.pfad());
    const std::string nachher = sammlungsBytes();
    const int markiertNachher = H().listbox->markiert();
    ASSERT_NE(nachher, vorher);
    EXPECT_EQ(H().menue_rueckgaengig->text(), QString("&Rückgängig: ") + f.schritt);
    EXPECT_FALSE(H().menue_wiederherstellen->isEnabled());

    H().menue_rueckgaengig->trigger();
    EXPECT_EQ(sammlungsBytes(), vorher);
    EXPECT_EQ(H().listbox->markiert(), 2);
    EXPECT_EQ(H().listbox->count(), 5);
    EXPECT_EQ(H().menue_wiederherstellen->text(), QString("&Wiederherstellen: ") + f.schritt);

    H().menue_wiederherstellen->trigger();
    EXPECT_EQ(sammlungsBytes(), nachher);
    EXPECT_EQ(H().listbox->markiert(), markiertNachher);
    EXPECT_EQ(H().menue_rueckgaengig->text(), QString("&Rückgängig: ") + f.schritt);
  }
}

TEST_F(Verlauf, GeaendertMarkeFolgtDemGespeichertenStand) {
  eintragen({{"A", "1"}, {"B", "2"}, {"C", "3"}});
  ASSERT_TRUE(Connect->datei_speichern(QString::fromStdString(tmp_.pfad("s.vem"))));
  Connect->file_wasnot_changed();
  markieren(1);
  Connect->datensatz_loeschen();
  EXPECT_TRUE(Connect->file_changed());
  H().menue_rueckgaengig->trigger();
  EXPECT_FALSE(Connect->file_changed());  // back where the file was saved
  H().menue_rueckgaengig->trigger();
  EXPECT_TRUE(Connect->file_changed());
  H().menue_wiederherstellen->trigger();
  EXPECT_FALSE(Connect->file_changed());
  // A new change after undo drops what could have been redone.
  H().menue_rueckgaengig->trigger();
  Connect->nach_oben();
  EXPECT_FALSE(H().menue_wiederherstellen->isEnabled());
  EXPECT_EQ(H().menue_wiederherstellen->text(), "&Wiederherstellen");
  H().menue_rueckgaengig->trigger();
  EXPECT_TRUE(Connect->file_changed());  // the saved state lay on the dropped branch
  // A file that is not there loads nothing and keeps the history.
  Connect->datei_oeffnen(QString::fromStdString(tmp_.pfad("fehlt.vem")));
  EXPECT_TRUE(H().menue_rueckgaengig->isEnabled());
  // Loading starts an empty history.
  Connect->datei_oeffnen(QString::fromStdString(tmp_.pfad("s.vem")));
  EXPECT_FALSE(H().menue_rueckgaengig->isEnabled());
  EXPECT_EQ(H().menue_rueckgaengig->text(), "&Rückgängig");
}

TEST_F(Verlauf, StrgZImTextfeldGiltDemFeldSonstDerSammlung) {
  aktivieren();
  eintragen({{"A", "1"}, {"B", "2"}});
  H().e_titel->setFocus();
  tippen(H().e_titel, "x");
  taste(H().e_titel, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(H().e_titel->text(), "2");
  EXPECT_EQ(DatBas->get_anzahl(), 2);
  H().listbox->setFocus();
  taste(H().listbox, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(DatBas->get_anzahl(), 1);
  taste(H().listbox, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(DatBas->get_anzahl(), 2);
  taste(H().listbox, Qt::Key_Z, Qt::ControlModifier);
  taste(H().listbox, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(listenzeilen(), (QStringList{"A - 1", "B - 2"}));
}


TEST_F(Verlauf, RueckgaengigNachHinzuladenGiltDerErstenDatei) {
  aktivieren();
  sammlungsdatei(tmp_.pfad("base.vem"), 5, "B");
  sammlungsdatei(tmp_.pfad("other.vem"), 10, "O");
  const std::string base = dateiInhalt(tmp_.pfad("base.vem")), other = dateiInhalt(tmp_.pfad("other.vem"));
  plattform_.dateinamen = {QString::fromStdString(tmp_.pfad("base.vem")),
                           QString::fromStdString(tmp_.pfad("other.vem"))};
  taste(H().listbox, Qt::Key_L, Qt::ControlModifier);
  taste(H().listbox, Qt::Key_L, Qt::ControlModifier | Qt::AltModifier);
  ASSERT_EQ(DatBas->get_anzahl(), 15);
  taste(H().listbox, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(H().windowTitle(), "Vemla   [ " + kleinAZ(QString::fromStdString(tmp_.pfad("base.vem"))) + " ]");
  EXPECT_FALSE(Connect->file_changed());
  taste(H().listbox, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("base.vem")) == base);
  plattform_.meldungen.clear();
  EXPECT_TRUE(H().close());
  EXPECT_TRUE(plattform_.meldungen.empty());  // base.vem holds what is shown: the exit asks nothing
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("other.vem")) == other);
}

}  // namespace
