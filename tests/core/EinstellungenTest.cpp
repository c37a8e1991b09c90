// How the settings read each key of vemla.ini, odd values included.
#include <gtest/gtest.h>

#include <functional>

#include "app/UIniFile.h"
#include "core/UEinstellungen.h"
#include "tests/support/TempOrdner.h"

namespace {

using E = TEinstellungen;
std::string text(bool b) { return b ? "an" : "aus"; }
std::string text(std::optional<bool> b) { return b ? text(*b) : "nie"; }
std::string text(int z) { return std::to_string(z); }
std::string text(const std::string& s) { return s; }
std::string text(std::optional<QPoint> p) {
  return p ? std::to_string(p->x()) + "," + std::to_string(p->y()) : "keiner";
}

template <typename T>
std::function<std::string(const E&)> wert(T (E::*getter)() const) {
  return [getter](const E& e) { return text((e.*getter)()); };
}

struct Fall {
  std::string inhalt;  // the whole settings file
  std::function<std::string(const E&)> lesen;
  std::string erwartet;
};

}  // namespace

TEST(Einstellungen, LeseregelnJeSchluessel) {
  const auto stil = [](const E& e) { return text(e.uebersichtSchriftstil(E::Schriftstil::Fett)); };
  const auto spalteU = [](const E& e) { return text(e.uebersichtSpaltenbreite(7)); };
  const auto spalteO = [](const E& e) { return text(e.onlineSpaltenbreite(3)); };
  const std::vector<Fall> faelle = {
      {"", wert(&E::ersterStart), "an"},
      {"[Programm]\nfirststart=\n", wert(&E::ersterStart), "an"},
      {"[Programm]\nfirststart=false\n", wert(&E::ersterStart), "aus"},
      {"", wert(&E::statusleiste), "aus"},
      {"[Ansicht]\nstatusleiste=TRUE\n", wert(&E::statusleiste), "aus"},
      {"[ansicht]\nStatusleiste=true\n", wert(&E::statusleiste), "an"},
      {"[Ansicht]\nstartbildschirm=\n", wert(&E::startbildschirm), "an"},
      {"[Ansicht]\nstartbildschirm=FALSE\n", wert(&E::startbildschirm), "an"},
      {"[Ansicht]\nstartbildschirm=false\n", wert(&E::startbildschirm), "aus"},
      {"[Ansicht]\nquickbuttons=abc\n", wert(&E::quickbuttons), "an"},
      {"[Ansicht]\nquickbuttons=false\n", wert(&E::quickbuttons), "aus"},
      {"", wert(&E::schaltflaechen), "nie"},
      {"[Ansicht]\nschaltflaechen=no\n", wert(&E::schaltflaechen), "nie"},
      {"[Ansicht]\nschaltflaechen=TRUE\n", wert(&E::schaltflaechen), "aus"},
      {"[Ansicht]\nschaltflaechen=true\n", wert(&E::schaltflaechen), "an"},
      {"[Ansicht]\ndetailansicht=\n", wert(&E::detailansicht), "aus"},
      {"[Ansicht]\ndetailansicht=no\n", wert(&E::detailansicht), "nie"},
      {"", wert(&E::vorgabelisten), "an"},
      {"[Ansicht]\nshowcombobox=\n", wert(&E::vorgabelisten), "aus"},
      {"[Optionen]\nstartposition=TRUE\n", wert(&E::startposition), "aus"},
      {"[Optionen]\nstartposition=true\n", wert(&E::startposition), "an"},
      {"[Optionen]\nstartpositionleft=10\n", wert(&E::startpunkt), "keiner"},
      {"[Optionen]\nstartpositionleft=abc\nstartpositiontop=5\n", wert(&E::startpunkt), "keiner"},
      {"[Optionen]\nstartpositionleft=$10\nstartpositiontop=-20\n", wert(&E::startpunkt), "16,-20"},
      {"[Optionen]\nloadlastfile=1\n", wert(&E::letzteDateiLaden), "aus"},
      {"[Optionen]\nloadlastfile=true\n", wert(&E::letzteDateiLaden), "an"},
      {"[Optionen]\nvem-dateien_endung=.cds\n", wert(&E::vemDateiendung), ".cds"},
      {"[Initiation]\nfilename=/a/b.vem\n", wert(&E::letzteDatei), "/a/b.vem"},
      {"[Gesamtuebersicht]\nsaved=yes\n", wert(&E::uebersichtSpeichern), "aus"},
      {"[Gesamtuebersicht]\nsaved=true\n", wert(&E::uebersichtSpeichern), "an"},
      {"", wert(&E::uebersichtBreite), "791"},
      {"[Gesamtuebersicht]\nformularbreite=abc\n", wert(&E::uebersichtBreite), "791"},
      {"[Gesamtuebersicht]\nformularbreite=-1\n", wert(&E::uebersichtBreite), "791"},
      {"[Gesamtuebersicht]\nformularbreite=10001\n", wert(&E::uebersichtBreite), "791"},
      {"[Gesamtuebersicht]\nformularbreite=0x20\n", wert(&E::uebersichtBreite), "32"},
      {"[Gesamtuebersicht]\nformularhoehe=\n", wert(&E::uebersichtHoehe), "414"},
      {"[Gesamtuebersicht]\nformularhoehe=10000\n", wert(&E::uebersichtHoehe), "10000"},
      {"[Gesamtuebersicht]\nSG.colwidths[7]=-5\n", spalteU, "146"},
      {"[Gesamtuebersicht]\nSG.colwidths[7]=0\n", spalteU, "0"},
      {"[Gesamtuebersicht]\nfontsize=0\n", wert(&E::uebersichtSchriftgroesse), "8"},
      {"[Gesamtuebersicht]\nfontsize=201\n", wert(&E::uebersichtSchriftgroesse), "8"},
      {"[Gesamtuebersicht]\nfontsize=200\n", wert(&E::uebersichtSchriftgroesse), "200"},
      {"", wert(&E::uebersichtSchriftfarbe), "clWindowText"},
      {"", wert(&E::uebersichtSchriftname), "Verdana"},
      {"[Gesamtuebersicht]\nfontstyle_fsbold=abc\n", stil, "aus"},
      {"[Gesamtuebersicht]\nfontstyle_fsbold=2\n", stil, "an"},
      {"[Gesamtuebersicht]\nWindowState_wsmaximized=0\n", wert(&E::uebersichtMaximiert), "aus"},
      {"[Gesamtuebersicht]\nWindowState_wsmaximized=TRUE\n", wert(&E::uebersichtMaximiert), "aus"},
      {"[Onlinesuche]\nbreite=759\n", wert(&E::onlineBreite), "760"},
      {"[Onlinesuche]\nbreite=800\n", wert(&E::onlineBreite), "800"},
      {"[Onlinesuche]\nhoehe=abc\n", wert(&E::onlineHoehe), "478"},
      {"[Onlinesuche]\nlv_ergebnisse.colwidths[3]=0\n", spalteO, "36"},
      {"[Onlinesuche]\nlv_ergebnisse.colwidths[3]=1\n", spalteO, "1"},
  };
  TempOrdner tmp;
  TIniFile ini(tmp.pfad("vemla.ini"));
  const TEinstellungen einstellungen(ini);
  for (const Fall& f : faelle) {
    dateiSchreiben(ini.FileName(), f.inhalt);
    EXPECT_EQ(f.lesen(einstellungen), f.erwartet) << f.inhalt;
  }
}
