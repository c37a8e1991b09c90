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

}  // namespace
