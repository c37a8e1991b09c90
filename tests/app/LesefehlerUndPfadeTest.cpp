// What a failed load leaves behind, and the last file's path in the settings.
#include <filesystem>

#include "tests/support/GuiTest.h"

namespace {

class LesefehlerUndPfade : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
  QString pfad(const std::string& name) { return QString::fromStdString(tmp_.pfad(name)); }
  // A file of two whole records "K1", "K2" and a broken rest.
  void kaputteDatei(const std::string& name) {
    sammlungsdatei(tmp_.pfad("ganz.vem"), 2, "K");
    dateiSchreiben(tmp_.pfad(name), dateiInhalt(tmp_.pfad("ganz.vem")) + std::string(100, 'x'));
  }
};

TEST_F(LesefehlerUndPfade, FehlgeschlagenesLadenUeberschreibtBeimSpeichernNichtDieVorigeDatei) {
  sammlungsdatei(tmp_.pfad("vorher.vem"), 3, "V");
  const std::string vorherBytes = dateiInhalt(tmp_.pfad("vorher.vem"));
  plattform_.dateinamen = {pfad("vorher.vem")};
  aktion("Laden1")->trigger();
  ASSERT_EQ(Connect->get_filename(), pfad("vorher.vem"));

  kaputteDatei("kaputt.vem");
  plattform_.dateinamen = {pfad("kaputt.vem")};
  aktion("Laden1")->trigger();
  EXPECT_EQ(plattform_.letzteMeldung()->text, "Versuch hinter dem Dateiende zu lesen.");
  // The records read stay, and everything shows them.
  EXPECT_EQ(listenzeilen(), (QStringList{"K1 - T1", "K2 - T2"}));
  EXPECT_EQ(H().L_anzahl->text(), "2");
  EXPECT_EQ(H().listbox->markiert(), 0);
  EXPECT_EQ(H().L_index->text(), "1");
  EXPECT_EQ(H().e_interpret->text(), "K1");
  EXPECT_TRUE(H().menue_speichern_unter->isEnabled());
  // No file is current any more; the collection counts as changed.
  EXPECT_EQ(Connect->get_filename(), "");
  EXPECT_EQ(H().windowTitle(), STARTTITEL);
  EXPECT_FALSE(H().menue_filesave->isEnabled());
  EXPECT_TRUE(Connect->file_changed());

  // Ctrl+S (the quick-save button) now cannot reach the old file.
  const auto meldungen = plattform_.meldungen.size();
  QTest::mouseClick(H().SBquicksave, Qt::LeftButton);
  EXPECT_EQ(plattform_.meldungen.size(), meldungen + 1);
  EXPECT_EQ(plattform_.letzteMeldung()->text, "Diese Option ist z.Z. nicht verfügbar");
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("vorher.vem")) == vorherBytes);
}

TEST_F(LesefehlerUndPfade, FehlgeschlagenesHinzufuegenBehaeltDenNamenUndMarkiertAenderung) {
  sammlungsdatei(tmp_.pfad("vorher.vem"), 1, "V");
  plattform_.dateinamen = {pfad("vorher.vem")};
  aktion("Laden1")->trigger();
  markieren(0);
  kaputteDatei("kaputt.vem");
  plattform_.dateinamen = {pfad("kaputt.vem")};
  aktion("menue_hinzufgen")->trigger();
  EXPECT_EQ(listenzeilen(), (QStringList{"V1 - T1", "K1 - T1", "K2 - T2"}));
  EXPECT_EQ(H().L_anzahl->text(), "3");
  EXPECT_EQ(Connect->get_filename(), pfad("vorher.vem"));
  EXPECT_TRUE(Connect->file_changed());
  EXPECT_TRUE(H().b_down->isVisible());  // the refresh ran: three lines, line 0 selected
}

TEST_F(LesefehlerUndPfade, LetzteDateiMitZeichenAusserhalbDerCodepage) {
  std::filesystem::create_directory(tmp_.pfad("Ωmega"));
  const std::string datei = tmp_.pfad("Ωmega") + "/Sammlung ä.vem";
  sammlungsdatei(datei, 2);
  plattform_.dateinamen = {QString::fromStdString(datei)};
  aktion("Laden1")->trigger();
  EXPECT_EQ(iniWert("Initiation", "filename"), datei);  // the bytes that name the file
  IniFile->WriteString("Optionen", "loadlastfile", "true");
  fensterFreigeben();

  starten();
  anzeigen();
  EXPECT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(Connect->get_filename(), QString::fromStdString(datei));
  H().close();
  EXPECT_EQ(iniWert("Initiation", "filename"), datei);
}

TEST_F(LesefehlerUndPfade, AlteLetzteDateiInWindows1252) {
  // Settings written by an older version hold the path in Windows-1252.
  const std::string datei = tmp_.pfad("M\xC3\xBCll.vem");
  sammlungsdatei(datei, 1);
  fensterFreigeben();
  dateiSchreiben(iniPfad_, "[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n[Optionen]\n"
                           "loadlastfile=true\n[Initiation]\nfilename=" + tmp_.pfad("M\xFCll.vem") + "\n");
  starten();
  anzeigen();
  EXPECT_EQ(DatBas->get_anzahl(), 1);
}

}  // namespace
