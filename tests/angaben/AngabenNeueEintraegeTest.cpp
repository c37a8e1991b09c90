// New entries of a collection with details get today's date as "Aufgenommen
// am"; a collection without details stays without; an appended file keeps its own.
#include <gtest/gtest.h>

#include <QDate>

#include "app/UIniFile.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "core/UVemDatei.h"
#include "tests/support/ConnectAnsicht.h"
#include "tests/support/TempOrdner.h"

namespace {

class AngabenNeueEintraege : public ::testing::TestWithParam<bool> {
 public:
  void SetUp() override {
    DatBas = &db_;
    Einstellungen = &einst_;
    c_.setAnsicht(&ansicht_);
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
  void TearDown() override {
    DatBas = nullptr;
    Einstellungen = nullptr;
  }
  QString pfad(const char* name) const { return QString::fromStdString(tmp_.pfad(name)); }
  // "Aufgenommen am" of every entry, "-" for none.
  std::string daten() const {
    std::string s;
    for (int i = 1; i <= db_.get_anzahl(); ++i) {
      const std::string a = c_.angaben(i).aufgenommenAm;
      s += (i > 1 ? " " : "") + (a.empty() ? std::string("-") : a);
    }
    return s;
  }

  TempOrdner tmp_;
  TIniFile ini_{tmp_.pfad("vemla.ini")};
  TEinstellungen einst_{ini_};
  TDatBas db_;
  TConnect c_;
  TStilleAnsicht ansicht_;
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

INSTANTIATE_TEST_SUITE_P(MitUndOhne, AngabenNeueEintraege, ::testing::Bool());

}  // namespace
