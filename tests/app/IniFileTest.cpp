#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/UIniFile.h"
#include "core/UFehler.h"
#include "tests/support/TempOrdner.h"

namespace {

TEST(IniFile, FehlendeDateiGibtStandardwerte) {
  TempOrdner tmp;
  TIniFile ini(tmp.pfad("vemla.ini"));
  EXPECT_EQ(ini.ReadString("Ansicht", "statusleiste", "false"), "false");
  EXPECT_TRUE(ini.ReadBool("Gesamtuebersicht", "fontstyle_fsbold", true));
  EXPECT_FALSE(dateiInhalt(tmp.pfad("vemla.ini")).size());
}

TEST(IniFile, NamenOhneGrossKleinWerteExakt) {
  TempOrdner tmp;
  dateiSchreiben(tmp.pfad("vemla.ini"), "[ansicht]\r\nStatusLeiste=True\r\n[Optionen]\nloadlastfile = true \n");
  TIniFile ini(tmp.pfad("vemla.ini"));
  EXPECT_EQ(ini.ReadString("Ansicht", "statusleiste", ""), "True");
  EXPECT_EQ(ini.ReadString("ANSICHT", "STATUSLEISTE", ""), "True");
  EXPECT_EQ(ini.ReadString("optionen", "LoadLastFile", ""), "true");
  EXPECT_EQ(ini.ReadString("Optionen", "statusleiste", "x"), "x");  // wrong section
}

TEST(IniFile, SchreibenBehaeltAndereSchluessel) {
  TempOrdner tmp;
  TIniFile ini(tmp.pfad("vemla.ini"));
  ini.WriteString("Initiation", "filename", "/home/a/Sammlung.vem");
  ini.WriteString("Ansicht", "statusleiste", "false");
  ini.WriteString("Ansicht", "quickbuttons", "true");
  ini.WriteString("ansicht", "STATUSLEISTE", "true");  // same key, other case: spelling in the file stays
  ini.WriteBool("Gesamtuebersicht", "fontstyle_fsbold", true);
  EXPECT_EQ(dateiInhalt(tmp.pfad("vemla.ini")),
            "[Initiation]\r\nfilename=/home/a/Sammlung.vem\r\n"
            "[Ansicht]\r\nstatusleiste=true\r\nquickbuttons=true\r\n"
            "[Gesamtuebersicht]\r\nfontstyle_fsbold=1\r\n");
  EXPECT_EQ(ini.ReadString("Initiation", "filename", ""), "/home/a/Sammlung.vem");
  EXPECT_EQ(ini.ReadString("Ansicht", "statusleiste", ""), "true");
}

TEST(IniFile, HandbearbeiteteDateiMitLfBleibtLf) {
  TempOrdner tmp;
  dateiSchreiben(tmp.pfad("vemla.ini"), "; Kommentar\n[Ansicht]\nschaltflaechen=false\n\n[Programm]\nfirststart=true");
  TIniFile ini(tmp.pfad("vemla.ini"));
  ini.WriteString("Ansicht", "detailansicht", "true");
  ini.WriteString("Programm", "firststart", "false");
  ini.WriteString("Programm", "neu", "1");
  EXPECT_EQ(dateiInhalt(tmp.pfad("vemla.ini")),
            "; Kommentar\n[Ansicht]\nschaltflaechen=false\ndetailansicht=true\n\n[Programm]\nfirststart=false\nneu=1\n");
}

TEST(IniFile, ByteOrderMarkVorDerErstenSektion) {
  TempOrdner tmp;
  const std::string bom = "\xEF\xBB\xBF";
  dateiSchreiben(tmp.pfad("a.ini"), bom + "[programmversion]\r\nversion=1.0.7\r\n[downloadfile]\r\nlink=x\r\n");
  TIniFile ini(tmp.pfad("a.ini"));
  EXPECT_EQ(ini.ReadString("programmversion", "version", ""), "1.0.7");
  EXPECT_EQ(ini.ReadString("downloadfile", "link", ""), "x");
  // Written keys join the first section; the mark stays where it was.
  ini.WriteString("programmversion", "neu", "1");
  EXPECT_EQ(dateiInhalt(tmp.pfad("a.ini")),
            bom + "[programmversion]\r\nversion=1.0.7\r\nneu=1\r\n[downloadfile]\r\nlink=x\r\n");
  // A file of nothing but the mark gets its first section right behind it.
  dateiSchreiben(tmp.pfad("b.ini"), bom);
  TIniFile(tmp.pfad("b.ini")).WriteString("S", "k", "v");
  EXPECT_EQ(dateiInhalt(tmp.pfad("b.ini")), bom + "[S]\r\nk=v\r\n");
}

TEST(IniFile, WertHoechstens2047ZeichenUndEinzeilig) {
  TempOrdner tmp;
  TIniFile ini(tmp.pfad("vemla.ini"));
  ini.WriteString("S", "lang", std::string(3000, 'x'));
  EXPECT_EQ(ini.ReadString("S", "lang", "").size(), 2047u);
  ini.WriteString("S", "zeilen", "a\r\n[Boese]\nb=c");
  EXPECT_EQ(ini.ReadString("S", "zeilen", ""), "a  [Boese] b=c");
  EXPECT_EQ(ini.ReadString("Boese", "b", "nichts"), "nichts");
}

TEST(IniFile, ReadBoolRegeln) {
  struct Fall {
    std::string text;
    bool standard, erwartet;
  } faelle[] = {
      {"1", false, true},    {"0", true, false},    {"-3", false, true},   {"0x10", false, true},
      {"0X0", true, false},  {"0xZZ", true, true},  {"true", false, false}, {"", true, true},
      {"12abc", false, false}, {"$1F", false, true}, {"99999999999", true, true}, {" 7", false, true},
  };
  TempOrdner tmp;
  TIniFile ini(tmp.pfad("vemla.ini"));
  for (const auto& f : faelle) {
    ini.WriteString("Gesamtuebersicht", "wert", f.text);
    EXPECT_EQ(ini.ReadBool("Gesamtuebersicht", "wert", f.standard), f.erwartet) << '"' << f.text << '"';
  }
}

TEST(IniFile, SchreibgeschuetzteDateiBleibtWieSieWar) {
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("vemla.ini");
  const std::string inhalt = "[Ansicht]\r\nstatusleiste=true\r\n";
  dateiSchreiben(pfad, inhalt);
  ::chmod(pfad.c_str(), 0444);
  ::chmod(tmp.pfad().c_str(), 0555);
  std::string text;
  {
    OhneRootRechte ohne;
    try {
      TIniFile(pfad).WriteString("Ansicht", "statusleiste", "false");
    } catch (const EVemlaFehler& e) {
      text = e.what();
    }
  }
  EXPECT_EQ(text, "nach " + pfad + " kann nicht geschrieben werden");
  EXPECT_EQ(dateiInhalt(pfad), inhalt);
}

TEST(IniFile, VerweigertesSchreibenMeldetPfadUndBehaeltDatei) {
  TempOrdner tmp;
  const std::string pfad = tmp.pfad("nicht/da/vemla.ini");
  TIniFile ini(pfad);
  try {
    ini.WriteString("Ansicht", "statusleiste", "true");
    FAIL() << "kein Fehler";
  } catch (const EVemlaFehler& e) {
    EXPECT_EQ(std::string(e.what()), "nach " + pfad + " kann nicht geschrieben werden");
  }
}

}  // namespace
