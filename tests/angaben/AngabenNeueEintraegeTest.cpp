// New entries of a collection with details get today's date as "Aufgenommen
// am"; a collection without details stays without; an appended file keeps its own.
#include <gtest/gtest.h>

#include <QDate>
#include <filesystem>

#include "app/UIniFile.h"
#include "angaben/UAngabenDb.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "core/UVemDatei.h"
#include "tests/support/ConnectAnsicht.h"
#include "tests/support/TempOrdner.h"

namespace {

class AngabenNeueEintraege : public ControllerTestAuf<::testing::TestWithParam<bool>> {
 public:
  void SetUp() override {
    ControllerTestAuf::SetUp();
    TDatBas d;
    for (const char* i : {"A", "B"}) d.add_datensatz(datensatzAus(i, "T", "", "", "", "", ""));
    vemSchreiben(tmp_.pfad("x.vem"), d);
    c_.datei_oeffnen(pfad("x.vem"));
    // The appended file: its first entry with a date of its own, its second without details.
    TAngaben alt;
    alt.aufgenommenAm = "2001-02-03";
    c_.angabenAendern(1, alt);
    ASSERT_TRUE(c_.datei_speichern(pfad("x.vem")));
    c_.datei_oeffnen(pfad("x.vem"));
    if (GetParam()) {
      TAngaben a;
      a.standort = "Regal";
      c_.angabenAendern(2, a);
    } else {
      c_.angabenAendern(1, TAngaben{});
    }
  }
  // "Aufgenommen am" of every entry, "-" for none.
  std::string daten() const {
    std::string s;
    for (int i = 1; i <= db_.get_anzahl(); ++i) {
      const std::string a = c_.angaben(i).aufgenommenAm;
      s += (i > 1 ? " " : "") + (a.empty() ? std::string("-") : a);
    }
    return s;
  }

};

TEST_P(AngabenNeueEintraege, BekommenDasHeutigeDatumNurMitAngaben) {
  const bool mitAngaben = GetParam();
  const std::string h = QDate::currentDate().toString(Qt::ISODate).toStdString();
  ASSERT_TRUE(c_.datensatz_hinzufuegen("C", "T", "", "", "", "", ""));
  EXPECT_EQ(c_.datensaetze_anhaengen({datensatzAus("D", "T", "", "", "", "", ""),
                                      datensatzAus("E", "T", "", "", "", "", "")}),
            2);
  c_.datei_hinzuladen(pfad("x.vem"));
  const std::string erwartet = mitAngaben ? "2001-02-03 - " + h + " " + h + " " + h + " 2001-02-03 -"
                                          : "- - - - - 2001-02-03 -";
  EXPECT_EQ(daten(), erwartet);
  // The step that added an entry takes its date back with it.
  c_.rueckgaengig();
  c_.rueckgaengig();
  EXPECT_EQ(db_.get_anzahl(), 3);
  EXPECT_EQ(daten(), mitAngaben ? "2001-02-03 - " + h : "- - -");
}

// A details' file damaged on disk after the load: the check sets it aside, the
// loaded details stay and the next save writes a new file.
TEST_P(AngabenNeueEintraege, BeschaedigteDateiWirdBeiseitegelegt) {
  const bool mitAngaben = GetParam();
  c_.file_wasnot_changed();
  c_.angabenPruefen();
  EXPECT_TRUE(ansicht_.hinweise.isEmpty());
  EXPECT_FALSE(c_.file_changed());

  std::string bytes = dateiInhalt(tmp_.pfad("x.vemx"));
  const std::size_t seite = (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
  ASSERT_GT(bytes.size(), 2 * seite);
  for (std::size_t i = seite; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31);
  bytes[27] = static_cast<char>(bytes[27] + 1);  // the change counter: SQLite reads the pages anew
  dateiSchreiben(tmp_.pfad("x.vemx"), bytes);
  c_.angabenPruefen();
  ASSERT_EQ(ansicht_.hinweise.size(), 1);
  EXPECT_TRUE(ansicht_.hinweise[0].startsWith("Die Datei der Sammlerangaben \"x.vemx\" ist beschädigt.\rSie wurde als "));
  EXPECT_EQ(c_.file_changed(), mitAngaben);
  EXPECT_FALSE(std::filesystem::exists(tmp_.pfad("x.vemx")));
  int beiseite = 0;
  for (const auto& e : std::filesystem::directory_iterator(tmp_.pfad()))
    beiseite += e.path().filename().string().starts_with("beschaedigt-") && e.path().string().ends_with("-x.vemx");
  EXPECT_EQ(beiseite, 1);

  ASSERT_TRUE(c_.datei_speichern(pfad("x.vem")));
  EXPECT_EQ(std::filesystem::exists(tmp_.pfad("x.vemx")), mitAngaben);
  c_.datei_oeffnen(pfad("x.vem"));
  EXPECT_EQ(daten(), mitAngaben ? "2001-02-03 -" : "- -");
  EXPECT_EQ(c_.angaben(2).standort, mitAngaben ? "Regal" : "");
  EXPECT_EQ(ansicht_.hinweise.size(), 1);
}

// At start-up the details come after the first paint; a save before that still writes them.
TEST_P(AngabenNeueEintraege, BeimStartSpaeterGelesen) {
  for (const bool speichern : {false, true}) {
    c_.angabenSpaeter(true);
    c_.datei_oeffnen(pfad("x.vem"));
    c_.angabenSpaeter(false);
    EXPECT_EQ(daten(), "- -");
    if (speichern) ASSERT_TRUE(c_.datei_speichern(pfad("x.vem")));
    else c_.angabenNachladen();
    EXPECT_EQ(daten(), "2001-02-03 -");
  }
  c_.datei_oeffnen(pfad("x.vem"));
  EXPECT_EQ(daten(), "2001-02-03 -");
  EXPECT_TRUE(ansicht_.hinweise.isEmpty());
}

// A save writes only what differs from the file: also when another connection wrote in between.
TEST(AngabenDbSpeichern, NachFremdemSchreibenWirdNeuVerglichen) {
  TempOrdner tmp;
  const auto stand = [](std::uint64_t vem, const std::string& ort) {
    TAngabenStand s;
    s.sammlung = "x.vem";
    s.vemPruefsumme = vem;
    for (long long id : {1, 2}) {
      s.zuordnung.push_back({static_cast<std::uint32_t>(id - 1), static_cast<std::uint64_t>(7 * id), "I", "T", id});
      s.angaben[id].standort = ort + std::to_string(id);
    }
    return s;
  };
  const std::string pfad = tmp.pfad("x.vemx");
  auto a = TAngabenDb::oeffnen(pfad, true);
  a->speichern(stand(5, "A"));
  a->speichern(stand(6, "A"));
  TAngabenDb::oeffnen(pfad, false)->speichern(stand(6, "B"));
  a->speichern(stand(6, "A"));
  EXPECT_EQ(TAngabenDb::oeffnen(pfad, false)->angaben().at(2).standort, "A2");
  a->speichern(stand(7, "C"));
  a.reset();
  auto b = TAngabenDb::oeffnen(pfad, false);
  EXPECT_EQ(b->angaben().at(1).standort, "C1");
  EXPECT_EQ(b->staende(), (std::vector<std::uint64_t>{7, 6}));
  EXPECT_EQ(b->zuordnung(6).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(MitUndOhne, AngabenNeueEintraege, ::testing::Bool());

}  // namespace
