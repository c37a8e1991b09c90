// The collector's details through the controller's commands and its files:
// they stay with their entry, and the collection file stays what it is without them.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/UIniFile.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "core/UVemDatei.h"
#include "tests/support/ConnectAnsicht.h"
#include "tests/support/TempOrdner.h"

namespace {

class AngabenModell : public ControllerTest {
 public:
  void SetUp() override {
    ControllerTest::SetUp();
    TDatBas d;
    for (const char* i : {"C", "A", "B", "A"}) d.add_datensatz(datensatzAus(i, std::string("T") + i, "", "", "", "", ""));
    vemSchreiben(tmp_.pfad("x.vem"), d);
    vemSchreiben(tmp_.pfad("y.vem"), d);
  }
  void standort(int pos, const std::string& s) {
    TAngaben a = c_.angaben(pos);
    a.standort = s;
    c_.angabenAendern(pos, a);
  }
  // "Interpret:Standort" of every entry in order.
  std::string orte() const {
    std::string s;
    for (int i = 1; i <= db_.get_anzahl(); ++i) {
      TDatensatz d;
      db_.get_datensatz(i, d);
      s += (i > 1 ? " " : "") + d.Interpret.text() + ":" + c_.angaben(i).standort;
    }
    return s;
  }

};

TEST_F(AngabenModell, BleibenBeimEintragDurchBefehleUndDateien) {
  c_.datei_oeffnen(pfad("x.vem"));
  c_.file_wasnot_changed();
  const std::string vorher = dateiInhalt(tmp_.pfad("x.vem"));
  ASSERT_TRUE(c_.datei_speichern(pfad("x.vem")));
  EXPECT_FALSE(std::filesystem::exists(tmp_.pfad("x.vemx")));

  standort(2, "erstes A");
  standort(4, "zweites A");
  EXPECT_TRUE(c_.file_changed());
  c_.sortieren(FELD_INTERPRET, false);  // the two A swap places
  EXPECT_EQ(orte(), "C: B: A:zweites A A:erstes A");
  c_.markieren(0);
  c_.nach_unten();
  c_.rueckgaengig();
  c_.rueckgaengig();
  EXPECT_EQ(orte(), "C: A:erstes A B: A:zweites A");
  c_.wiederherstellen();
  ASSERT_TRUE(c_.datei_speichern(pfad("x.vem")));
  EXPECT_TRUE(std::filesystem::exists(tmp_.pfad("x.vemx")));

  // The collection file holds exactly what the same commands give without details.
  TDatBas ohne;
  vemAnhaengen(tmp_.pfad("x.vem"), ohne);
  TDatBas erwartet;
  vemAnhaengen(tmp_.pfad("y.vem"), erwartet);
  datbasSortieren(erwartet, FELD_INTERPRET, false);
  EXPECT_EQ(dateiInhalt(tmp_.pfad("x.vem")), vemDaten(erwartet));
  EXPECT_NE(dateiInhalt(tmp_.pfad("x.vem")), vorher);

  c_.datei_oeffnen(pfad("x.vem"));
  EXPECT_EQ(orte(), "C: B: A:zweites A A:erstes A");
  // Appending brings the other file's details along; save as writes them beside the new name.
  c_.datei_hinzuladen(pfad("x.vem"));
  EXPECT_EQ(orte(), "C: B: A:zweites A A:erstes A C: B: A:zweites A A:erstes A");
  c_.markieren(0);
  c_.datensatz_loeschen();
  ASSERT_TRUE(c_.datei_speichern(pfad("z.vem")));
  c_.datei_oeffnen(pfad("z.vem"));
  EXPECT_EQ(orte(), "B: A:zweites A A:erstes A C: B: A:zweites A A:erstes A");
  EXPECT_TRUE(ansicht_.hinweise.isEmpty());
}

// A restored copy brings its own details; one of an earlier version finds those beside the file.
TEST_F(AngabenModell, KopieBringtIhreAngabenMit) {
  c_.datei_oeffnen(pfad("x.vem"));
  standort(1, "Datei C");
  standort(2, "Datei A");
  ASSERT_TRUE(c_.datei_speichern(pfad("x.vem")));
  const std::string saetze = dateiInhalt(tmp_.pfad("x.vem"));
  TAngaben neu;
  neu.standort = "Kopie B";
  const std::vector<std::string> beilagen = {"", "", angabenBytes(neu), ""};
  const struct {
    const std::vector<std::string>* beilagen;
    const char* erwartet;
  } faelle[] = {{nullptr, "C:Datei C A:Datei A B: A:"}, {&beilagen, "C: A: B:Kopie B A:"}};
  for (const auto& f : faelle) {
    c_.kopie_laden(saetze, pfad("x.vem"), std::nullopt, f.beilagen);
    EXPECT_EQ(orte(), f.erwartet);
    EXPECT_TRUE(c_.file_changed());
    // The details' file beside the original takes the restored details at the next save.
    ASSERT_TRUE(c_.datei_speichern(pfad("x.vem")));
    c_.datei_oeffnen(pfad("x.vem"));
    EXPECT_EQ(orte(), f.erwartet);
  }
  EXPECT_EQ(ansicht_.ueberschreibenFragen, 0);
  int angabenDateien = 0;  // nothing set aside
  for (const auto& e : std::filesystem::directory_iterator(tmp_.pfad("")))
    angabenDateien += e.path().filename().string().ends_with("x.vemx");
  EXPECT_EQ(angabenDateien, 1);
}

TEST_F(AngabenModell, NurAngabenGeaendertIstEinSchritt) {
  c_.datei_oeffnen(pfad("x.vem"));
  standort(3, "B");
  EXPECT_TRUE(c_.file_changed());
  c_.rueckgaengig();
  EXPECT_EQ(orte(), "C: A: B: A:");
  EXPECT_FALSE(c_.file_changed());
  c_.wiederherstellen();
  EXPECT_EQ(orte(), "C: A: B:B A:");
  EXPECT_TRUE(c_.file_changed());
}

// Another program saved only the details since this one loaded or saved: a save asks, and "Nein" writes nothing.
TEST_F(AngabenModell, AngabenEinesAnderenProgrammsWerdenNichtUeberschrieben) {
  const auto anderesProgramm = [this](const char* name, const std::string& ort) {
    TDatBas d;
    vemAnhaengen(tmp_.pfad(name), d);
    TAngabenDatei datei;
    datei.laden(tmp_.pfad(name), d);
    TAngaben a;
    a.standort = ort;
    d.set_beilage(2, angabenBytes(a));
    datei.speichern(tmp_.pfad(name), d);
  };
  const struct {
    const char* name;
    bool vorherAngaben;  // the details' file exists when this program loads
  } faelle[] = {{"x.vem", true}, {"y.vem", false}};
  for (const auto& f : faelle) {
    const std::string vemx = tmp_.pfad(f.name) + "x";
    if (f.vorherAngaben) anderesProgramm(f.name, "zuerst");
    c_.datei_oeffnen(pfad(f.name));
    standort(1, "hier");
    ansicht_.ueberschreibenFragen = 0;
    anderesProgramm(f.name, "dort");
    const std::string vem = dateiInhalt(tmp_.pfad(f.name)), angaben = dateiInhalt(vemx);
    EXPECT_FALSE(c_.datei_speichern(pfad(f.name))) << f.name;
    EXPECT_EQ(ansicht_.ueberschreibenFragen, 1) << f.name;
    EXPECT_EQ(dateiInhalt(tmp_.pfad(f.name)), vem);
    EXPECT_EQ(dateiInhalt(vemx), angaben);
    // Loaded again, nothing has changed since: saved without a question.
    c_.datei_oeffnen(pfad(f.name));
    standort(1, "hier");
    EXPECT_TRUE(c_.datei_speichern(pfad(f.name)));
    EXPECT_EQ(ansicht_.ueberschreibenFragen, 1) << f.name;
    // Changed elsewhere since this program saved: asked again.
    anderesProgramm(f.name, "wieder dort");
    EXPECT_FALSE(c_.datei_speichern(pfad(f.name)));
    EXPECT_EQ(ansicht_.ueberschreibenFragen, 2) << f.name;
  }
}

}  // namespace
