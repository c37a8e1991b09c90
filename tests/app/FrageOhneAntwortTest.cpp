// A Yes/No question that went away without "Ja" or "Nein" (closed by the window
// manager or the end of the session) never counts as the answer that gives
// unsaved changes or a recovery copy up.
#include <QDir>

#include "sicherung/USicherung.h"
#include "sicherung/UWiederherstellen.h"
#include "tests/support/GuiTest.h"

namespace {

constexpr const char* OHNE_STARTFENSTER = "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n";

class FrageOhneAntwort : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ordner_ = QString::fromStdString(tmp_.pfad("zustand"));
    sammlungsdatei(tmp_.pfad("a.vem"), 1, "A");
    sammlungsdatei(tmp_.pfad("b.vem"), 4, "B");
    neuerLauf();
  }
  void neuerLauf() {
    starten(OHNE_STARTFENSTER);
    sicherungStarten(ordner_, 0);
  }
  // a.vem with two entries more, held in the recovery copy.
  void geaendert() {
    Connect->datei_oeffnen(pfad("a.vem"));
    Connect->file_wasnot_changed();
    eintragen(2);
    QApplication::processEvents();
    ASSERT_TRUE(sicherung()->kopieDa());
  }
  // Ends this run; the copies the next start finds.
  std::size_t kopienBeimNaechstenStart() {
    fensterFreigeben();
    neuerLauf();
    return sicherung()->verwaisteKopien().size();
  }
  QString pfad(const char* name) const { return QString::fromStdString(tmp_.pfad(name)); }
  QString ordner_;
};

TEST_F(FrageOhneAntwort, NurNeinGibtAuf) {
  using F = std::function<void(THauptFormular&)>;
  const F ende = [](THauptFormular& h) { h.close(); };
  const F laden = [](THauptFormular& h) { h.datei().laden(); };
  const F neu = [](THauptFormular& h) { h.datei().neu(); };
  const struct Fall {
    const char* was;
    TAntwort antwort;
    F tun;
    QString erwartet;  // entries, changed mark, file dialogs shown, copies at the next start
  } faelle[] = {
      {"Ende, Nein", TAntwort::Nein, ende, "3 Einträge, geändert, 0 Dialoge, 0 Kopien"},
      {"Ende, ohne Antwort", TAntwort::Abgebrochen, ende, "3 Einträge, geändert, 0 Dialoge, 1 Kopien"},
      {"Laden, Nein", TAntwort::Nein, laden, "4 Einträge, gleich, 1 Dialoge, 0 Kopien"},
      {"Laden, ohne Antwort", TAntwort::Abgebrochen, laden, "3 Einträge, geändert, 0 Dialoge, 1 Kopien"},
      {"Neu, Ja", TAntwort::Ja, neu, "0 Einträge, gleich, 0 Dialoge, 0 Kopien"},
      {"Neu, ohne Antwort", TAntwort::Abgebrochen, neu, "3 Einträge, geändert, 0 Dialoge, 1 Kopien"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.was);
    geaendert();
    plattform_.antworten = {f.antwort};
    plattform_.dateinamen = {pfad("b.vem")};
    plattform_.dateiDialoge.clear();
    f.tun(H());
    const QString ergebnis = QString("%1 Einträge, %2, %3 Dialoge, ")
                                 .arg(DatBas->get_anzahl())
                                 .arg(Connect->file_changed() ? "geändert" : "gleich")
                                 .arg(plattform_.dateiDialoge.size());
    EXPECT_EQ(ergebnis + QString::number(kopienBeimNaechstenStart()) + " Kopien", f.erwartet);
    fensterFreigeben();
    QDir(ordner_).removeRecursively();
    neuerLauf();
  }
}

TEST_F(FrageOhneAntwort, WiederherstellungOhneAntwortBehaeltDieKopie) {
  // Two programs that ended with unsaved changes.
  for (int i = 0; i < 2; ++i) {
    geaendert();
    fensterFreigeben();
    neuerLauf();
  }
  const struct Fall {
    std::deque<TAntwort> antworten;
    QString erwartet;  // questions asked, entries (b.vem from the command line: 4), copies at the next start
  } faelle[] = {
      {{TAntwort::Abgebrochen, TAntwort::Abgebrochen}, "2 Fragen, 4 Einträge, gleich, 2 Kopien"},
      {{TAntwort::Nein, TAntwort::Abgebrochen}, "2 Fragen, 4 Einträge, gleich, 1 Kopien"},
      {{TAntwort::Abgebrochen}, "1 Fragen, 4 Einträge, gleich, 1 Kopien"},
      {{TAntwort::Nein}, "1 Fragen, 4 Einträge, gleich, 0 Kopien"},
  };
  for (const Fall& f : faelle) {
    plattform_.antworten = f.antworten;
    plattform_.meldungen.clear();
    H().ablauf().programmStart({pfad("b.vem")});
    const QString ergebnis = QString("%1 Fragen, %2 Einträge, %3, ")
                                 .arg(plattform_.meldungen.size())
                                 .arg(DatBas->get_anzahl())
                                 .arg(Connect->file_changed() ? "geändert" : "gleich");
    EXPECT_EQ(ergebnis + QString::number(kopienBeimNaechstenStart()) + " Kopien", f.erwartet);
  }
}

}  // namespace
