#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "angaben/UAngabenDatei.h"
#include "core/UDatbas.h"
#include "core/UVemDatei.h"
#include "tests/support/TempOrdner.h"

namespace {

// A collection of "n" entries; entry i has the standort "R<i>" when "mitAngaben".
TDatBas sammlung(int n, bool mitAngaben) {
  TDatBas db;
  for (int i = 1; i <= n; ++i) {
    TAngaben a;
    a.standort = "R" + std::to_string(i);
    db.add_datensatz(datensatzAus("Interpret " + std::to_string(i % 3), "Titel " + std::to_string(i), "", "", "CD",
                                  "", ""),
                     mitAngaben ? angabenBytes(a) : "");
  }
  return db;
}

// Saves as the program does: details first, then the collection file.
void speichern(TAngabenDatei& angaben, const std::string& pfad, const TDatBas& db) {
  angaben.speichern(pfad, db);
  vemSchreiben(pfad, db);
}

// Loads "pfad" as the program does; the standort of each entry in order.
std::vector<std::string> laden(const std::string& pfad, TAngabenDatei::TGeladen* g = nullptr) {
  TDatBas db;
  vemAnhaengen(pfad, db);
  TAngabenDatei angaben;
  const auto geladen = angaben.laden(pfad, db);
  if (g) *g = geladen;
  std::vector<std::string> orte;
  for (int i = 1; i <= db.get_anzahl(); ++i) orte.push_back(angabenAusBytes(db.get_beilage(i)).standort);
  return orte;
}

TEST(AngabenDatei, OhneAngabenKeineDateiUndDieSammlungBleibtByteGleich) {
  TempOrdner tmp;
  TAngabenDatei angaben;
  speichern(angaben, tmp.pfad("x.abc"), sammlung(3, false));
  EXPECT_FALSE(std::filesystem::exists(tmp.pfad("x.abcx")));
  const std::string ohne = dateiInhalt(tmp.pfad("x.abc"));
  speichern(angaben, tmp.pfad("x.abc"), sammlung(3, true));
  EXPECT_TRUE(std::filesystem::exists(tmp.pfad("x.abcx")));
  EXPECT_EQ(dateiInhalt(tmp.pfad("x.abc")), ohne);
  EXPECT_EQ(laden(tmp.pfad("x.abc")), (std::vector<std::string>{"R1", "R2", "R3"}));
}

TEST(AngabenDatei, AngabenBleibenBeimEintragWennAndereDieDateiAendern) {
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("cds.vem");
  TAngabenDatei angaben;
  TDatBas db = sammlung(4, true);
  speichern(angaben, pfad, db);
  // A save cut off after the details: the file on disk still finds its own mapping.
  TDatBas neu = db;
  neu.del_datensatz(1);
  neu.set_beilage(1, "");
  angaben.speichern(pfad, neu);
  EXPECT_EQ(laden(pfad), (std::vector<std::string>{"R1", "R2", "R3", "R4"}));

  // Another program reverses the file and changes the Kommentar of entry 2.
  TDatBas anders;
  for (int i = 4; i >= 1; --i) {
    TDatensatz d;
    db.get_datensatz(i, d);
    if (i == 2) d.Kommentar.setzen("anders");
    anders.add_datensatz(d);
  }
  vemSchreiben(pfad, anders);
  TAngabenDatei::TGeladen g;
  EXPECT_EQ(laden(pfad, &g), (std::vector<std::string>{"R4", "R3", "R2", "R1"}));
  EXPECT_EQ(g.nachNamen, 1);
  // Deleted in another program: its details are kept without an entry.
  anders.del_datensatz(1);
  vemSchreiben(pfad, anders);
  EXPECT_EQ(laden(pfad, &g), (std::vector<std::string>{"R3", "R2", "R1"}));
  EXPECT_EQ(g.nichtZugeordnet, 1);
}

TEST(AngabenDatei, FremdeUndBeschaedigteAngabenWerdenNichtBenutzt) {
  TempOrdner tmp;
  TAngabenDatei angaben;
  speichern(angaben, tmp.pfad("a.vem"), sammlung(2, true));
  vemSchreiben(tmp.pfad("b.vem"), sammlung(3, false));
  std::filesystem::copy_file(tmp.pfad("a.vemx"), tmp.pfad("b.vemx"));
  TAngabenDatei::TGeladen g;
  EXPECT_EQ(laden(tmp.pfad("b.vem"), &g), (std::vector<std::string>{"", "", ""}));
  EXPECT_NE(g.hinweis.find("anderen Sammlung"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(tmp.pfad("b.vemx")));

  dateiSchreiben(tmp.pfad("a.vemx"), std::string(3000, 'k'));
  EXPECT_EQ(laden(tmp.pfad("a.vem"), &g), (std::vector<std::string>{"", ""}));
  EXPECT_NE(g.hinweis.find("beiseitegelegt"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(tmp.pfad("a.vemx")));
  int beiseite = 0;
  for (const auto& e : std::filesystem::directory_iterator(tmp.pfad()))
    beiseite += e.path().filename().string().starts_with("beschaedigt-") ? 1 : 0;
  EXPECT_EQ(beiseite, 1);
}

}  // namespace
