// New, Load, Append, Save and Save as, with their questions, dialogs and the
// collection file underneath.
#include <sys/stat.h>

#include <QDir>

#include "core/UCodepage.h"
#include "core/UVemDatei.h"
#include "dialogs/UFworking.h"
#include "report/UFexportdif.h"
#include "report/UFexporthtml.h"
#include "report/UFexporttxt.h"
#include "tests/support/GuiTest.h"

namespace {

const QString GEAENDERT = "Sicherheitsabfrage|Die Datei wurde geändert.\rWollen Sie diese Änderungen speichern?";
const QString GESPEICHERT = "Hinweis|Die Datei wurde erfolgreich gespeichert!";
const QString GRENZE =
    "Hinweis:|Das Laden/Hinzufügen dieser Datei war nicht (vollständig) möglich!\r"
    "Vemla kann in dieser Versionmaximal 4000 Datensätze verwalten!";

class DateiBefehle : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
  QString pfad(const std::string& name) { return QString::fromStdString(tmp_.pfad(name)); }
  QAction* a(const char* name) { return aktion(name); }
};

TEST_F(DateiBefehle, SpeichernUndLadenByteGenau) {
  eintragen({{"ABBA", "Gold"}, {"Ärzte", "Geräusch"}});
  EXPECT_FALSE(Connect->datensatz_hinzufuegen(" - ", "", "", "", "", "", ""));  // an empty Titel is refused
  eintragen({{"x", "y"}});
  TDatensatz d;
  plattform_.dateinamen = {pfad("Meine Sammlung")};
  H().b_save->click();
  const std::string datei = tmp_.pfad("Meine Sammlung.vem");
  EXPECT_EQ(dateiInhalt(datei).size(), 3u * 1792);
  EXPECT_EQ(plattform_.letzteMeldung()->titel + "|" + plattform_.letzteMeldung()->text, GESPEICHERT);
  EXPECT_EQ(H().windowTitle(), "Vemla   [ " + kleinAZ(pfad("Meine Sammlung.vem")) + " ]");
  EXPECT_EQ(iniWert("Initiation", "filename"), datei);
  EXPECT_EQ(Connect->get_filename(), pfad("Meine Sammlung.vem"));
  EXPECT_TRUE(H().menue_filesave->isEnabled());
  EXPECT_FALSE(Connect->file_changed());
  EXPECT_EQ(plattform_.dateiDialoge.back().titel, "Speichern einer CD-Sammlung (Vemla-Datei) *.vem");
  EXPECT_EQ(plattform_.dateiDialoge.back().vorschlag, "CD-Sammlung1.vem");

  const std::string vorher = dateiInhalt(datei);
  plattform_.dateinamen = {pfad("Meine Sammlung.vem")};
  a("Laden1")->trigger();
  EXPECT_EQ(listenzeilen(), (QStringList{"ABBA - Gold", QString::fromUtf8("Ärzte - Geräusch"), "x - y"}));
  EXPECT_EQ(H().listbox->markiert(), 0);
  DatBas->get_datensatz(2, d);
  EXPECT_EQ(d.Interpret.text(), "\xC4rzte");
  a("menue_filesave")->trigger();
  EXPECT_TRUE(dateiInhalt(datei) == vorher);
}

TEST_F(DateiBefehle, LeereSammlungUndLeereDatei) {
  plattform_.dateinamen = {pfad("leer.vem")};
  a("menue_speichern_unter")->setEnabled(true);  // not reachable by the user; the writer still copes
  a("menue_speichern_unter")->trigger();
  EXPECT_EQ(dateiInhalt(tmp_.pfad("leer.vem")).size(), 0u);
  Connect->neue_sammlung();
  Connect->set_filename("");
  plattform_.dateinamen = {pfad("leer.vem")};
  a("Laden1")->trigger();
  EXPECT_EQ(DatBas->get_anzahl(), 0);
  EXPECT_EQ(H().windowTitle(), "Vemla   [ " + kleinAZ(pfad("leer.vem")) + " ]");
  EXPECT_TRUE(H().menue_filesave->isEnabled());
}

TEST_F(DateiBefehle, LadenMitUngespeichertenAenderungen) {
  sammlungsdatei(tmp_.pfad("andere.vem"), 4, "A");
  struct Fall {
    const char* name;
    std::deque<TAntwort> antworten;
    std::deque<std::optional<QString>> namen;
    int anzahlDanach;
    bool markeDanach, gespeichert;
  } faelle[] = {
      {"Ja, Speichern abgebrochen", {TAntwort::Ja}, {std::nullopt}, 2, true, false},
      {"Ja, gespeichert, Öffnen abgebrochen", {TAntwort::Ja}, {pfad("sicher.vem"), std::nullopt}, 2, false, true},
      {"Nein", {TAntwort::Nein}, {pfad("andere.vem")}, 4, false, false},
      {"Ja, gespeichert, geladen", {TAntwort::Ja}, {pfad("sicher.vem"), pfad("andere.vem")}, 4, false, true},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    std::remove(tmp_.pfad("sicher.vem").c_str());
    Connect->neue_sammlung();
    eintragen(2);
    plattform_.meldungen.clear();
    plattform_.antworten = f.antworten;
    plattform_.dateinamen = f.namen;
    H().b_load->click();
    EXPECT_EQ(plattform_.meldungsTexte().value(0), GEAENDERT);
    EXPECT_EQ(DatBas->get_anzahl(), f.anzahlDanach);
    EXPECT_EQ(Connect->file_changed(), f.markeDanach);
    EXPECT_EQ(dateiExistiert(tmp_.pfad("sicher.vem")), f.gespeichert);
    if (f.gespeichert) {
      EXPECT_TRUE(plattform_.meldungsTexte().contains(
          "Hinweis|Die Änderungen wurden gespeichert.\rSie können nun eine Datei laden!"));
    }
  }
}

TEST_F(DateiBefehle, LadenPrueftDenDateityp) {
  sammlungsdatei(tmp_.pfad("gross.VEM"), 1);
  sammlungsdatei(tmp_.pfad("text.txt"), 1);
  sammlungsdatei(tmp_.pfad("eigen.xyz"), 1);
  struct Fall {
    std::string name;
    bool angenommen;
  } faelle[] = {{"gross.VEM", false}, {"text.txt", false}, {"eigen.xyz", true}};
  for (const auto& f : faelle) {
    dateiSchreiben(iniPfad_, "[Optionen]\nvem-dateien_endung=.xyz\n");
    Connect->neue_sammlung();
    plattform_.meldungen.clear();
    plattform_.dateinamen = {pfad(f.name)};
    a("Laden1")->trigger();
    EXPECT_EQ(DatBas->get_anzahl(), f.angenommen ? 1 : 0) << f.name;
    EXPECT_EQ(plattform_.meldungsTexte(),
              f.angenommen ? QStringList{} : QStringList{"Fehler:|Die Datei ist vom falschen Typ!"})
        << f.name;
  }
}

TEST_F(DateiBefehle, LadenEinesFehlendenNamensWirdVorgeschlagen) {
  eintragen(1);
  Connect->file_wasnot_changed();
  plattform_.dateinamen = {pfad("neu.vem")};
  a("Laden1")->trigger();
  EXPECT_EQ(DatBas->get_anzahl(), 1);  // nothing to load
  EXPECT_EQ(H().datei().speicherDialog().vorschlag, pfad("neu.vem"));
}

TEST_F(DateiBefehle, HinzufuegenBeiderVarianten) {
  sammlungsdatei(tmp_.pfad("zwei.vem"), 2, "Z");
  // Appending to an empty collection leaves it unmarked.
  plattform_.dateinamen = {pfad("zwei.vem")};
  a("menue_hinzufgen")->setEnabled(true);
  a("menue_hinzufgen")->trigger();
  EXPECT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_FALSE(Connect->file_changed());
  EXPECT_EQ(plattform_.dateiDialoge.back().titel, "Hinzufügen einer CD-Sammlung (Vemla-Datei) *.vem");

  // The menu keeps the proposed name; the button takes the appended one.
  plattform_.dateinamen = {pfad("zwei.vem")};
  a("menue_hinzufgen")->trigger();
  EXPECT_EQ(DatBas->get_anzahl(), 4);
  EXPECT_TRUE(Connect->file_changed());
  EXPECT_EQ(H().datei().speicherDialog().vorschlag, "CD-Sammlung1.vem");
  plattform_.dateinamen = {pfad("zwei.vem")};
  H().B_loadandadd->click();
  EXPECT_EQ(listenzeilen(), (QStringList{"Z1 - T1", "Z2 - T2", "Z1 - T1", "Z2 - T2", "Z1 - T1", "Z2 - T2"}));
  EXPECT_EQ(H().datei().speicherDialog().vorschlag, pfad("zwei.vem"));
  EXPECT_EQ(Connect->get_filename(), pfad("zwei.vem"));
  // The open dialog keeps the append title until the next Load.
  EXPECT_EQ(H().datei().oeffnenDialog().titel, "Hinzufügen einer CD-Sammlung (Vemla-Datei) *.vem");
  Connect->file_wasnot_changed();
  a("Laden1")->trigger();
  EXPECT_EQ(plattform_.dateiDialoge.back().titel, "Öffnen einer CD-Sammlung (Vemla-Datei) *.vem");
}

TEST_F(DateiBefehle, GrenzeVonViertausend) {
  sammlungsdatei(tmp_.pfad("zehn.vem"), 10, "Z");
  sammlungsdatei(tmp_.pfad("voll.vem"), 4000, "V");
  for (int i = 0; i < 3995; ++i) DatBas->add_datensatz(datensatzAus("a", "b", "", "", "", "", ""));
  Connect->liste_neu_aufbauen();
  Connect->anzeigen_aktualisieren();
  plattform_.dateinamen = {pfad("zehn.vem")};
  H().B_loadandadd->click();
  EXPECT_EQ(DatBas->get_anzahl(), 4000);
  EXPECT_EQ(H().listbox->count(), 4000);
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{GRENZE});
  EXPECT_FALSE(Fworking->isVisible());

  plattform_.meldungen.clear();
  plattform_.antworten = {TAntwort::Nein};
  plattform_.dateinamen = {pfad("voll.vem")};
  a("Laden1")->trigger();
  EXPECT_EQ(DatBas->get_anzahl(), 4000);
  EXPECT_EQ(listenzeilen().last(), "V4000 - T4000");
  EXPECT_EQ(plattform_.meldungsTexte().last(), GRENZE);
}

TEST_F(DateiBefehle, UnvollstaendigeDateiMeldetFehlerUndBehaeltTitel) {
  sammlungsdatei(tmp_.pfad("zwei.vem"), 2, "Z");
  dateiSchreiben(tmp_.pfad("kaputt.vem"), dateiInhalt(tmp_.pfad("zwei.vem")) + std::string(100, '\0'));
  const QString titelVorher = H().windowTitle();
  Connect->set_filename("/vorher.vem");
  eintragen(1);
  plattform_.dateinamen = {pfad("kaputt.vem")};
  QTest::mouseClick(H().B_loadandadd, Qt::LeftButton);
  EXPECT_EQ(DatBas->get_anzahl(), 3);
  EXPECT_EQ(listenzeilen(), (QStringList{"I1 - T1", "Z1 - T1", "Z2 - T2"}));
  ASSERT_NE(plattform_.letzteMeldung(), nullptr);
  EXPECT_EQ(plattform_.letzteMeldung()->titel, " Vemla ");
  EXPECT_EQ(plattform_.letzteMeldung()->text, "Versuch hinter dem Dateiende zu lesen.");
  EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Stopp);
  EXPECT_EQ(H().windowTitle(), titelVorher);
  EXPECT_EQ(Connect->get_filename(), "/vorher.vem");
}

TEST_F(DateiBefehle, SpeichernInGeschuetztenOrdnerBehaeltAlteDatei) {
  eintragen(2);
  plattform_.dateinamen = {pfad("alt.vem")};
  H().b_save->click();
  const std::string alt = dateiInhalt(tmp_.pfad("alt.vem"));
  const QString titel = H().windowTitle();
  eintragen(3);
  ::chmod(tmp_.pfad().c_str(), 0555);
  plattform_.meldungen.clear();
  {
    OhneRootRechte ohne;
    QTest::keyClick(H().listbox, Qt::Key_S, Qt::ControlModifier);
    H().menue_filesave->trigger();
  }
  ::chmod(tmp_.pfad().c_str(), 0755);
  ASSERT_FALSE(plattform_.meldungen.empty());
  EXPECT_EQ(plattform_.meldungsTexte().last(), " Vemla |Dateizugriff verweigert.");
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("alt.vem")) == alt);
  EXPECT_EQ(H().windowTitle(), titel);
  EXPECT_TRUE(Connect->file_changed());
}

TEST_F(DateiBefehle, SpeichernSetztDieEndungNurImDateinamenKlein) {
  std::filesystem::create_directory(tmp_.pfad("Daten"));
  eintragen(1);
  struct Fall {
    std::string aktuell, erwartet;
  } faelle[] = {
      {"Daten/Liste.VEM", "Daten/liste.vem"},
      {"Daten/Liste.vem", "Daten/Liste.vem"},
      {"Daten/ABC", "Daten/.vem"},  // a name of up to four characters loses them all
  };
  for (const auto& f : faelle) {
    Connect->set_filename(pfad(f.aktuell));
    H().menue_filesave->setEnabled(true);
    Connect->file_was_changed();
    H().SBquicksave->click();
    EXPECT_TRUE(dateiExistiert(tmp_.pfad(f.erwartet))) << f.aktuell;
    EXPECT_EQ(Connect->get_filename(), pfad(f.erwartet));
    EXPECT_FALSE(Connect->file_changed());
  }
}

TEST_F(DateiBefehle, NeuFragtImmer) {
  eintragen(2);
  Connect->set_filename("/x.vem");
  plattform_.antworten = {TAntwort::Nein};
  H().b_new->click();
  EXPECT_EQ(plattform_.meldungsTexte(),
            QStringList{"Sicherheitsabfrage|Sie wollen eine neue CD-Sammlung anlegen.\r"
                        "Dabei gehen alle zur Zeit eingetragenen Daten verloren!\rWollen Sie fortfahren?"});
  EXPECT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(Connect->get_filename(), "/x.vem");
  plattform_.antworten = {TAntwort::Ja};
  a("menue_neu")->trigger();
  EXPECT_EQ(DatBas->get_anzahl(), 0);
  EXPECT_EQ(Connect->get_filename(), "");
  EXPECT_FALSE(Connect->file_changed());
  EXPECT_EQ(H().windowTitle(), "Vemla  [ v 1.0.6 ]");
  EXPECT_FALSE(H().menue_filesave->isEnabled());
}

TEST_F(DateiBefehle, SpeichernUnterAbgebrochenAendertNichts) {
  eintragen(1);
  H().b_save->click();
  EXPECT_TRUE(Connect->file_changed());
  EXPECT_EQ(Connect->get_filename(), "");
}

}  // namespace

namespace {

// Saving over a file that another program changed since it was loaded asks first.
TEST_F(DateiBefehle, FremdGeaenderteDateiWirdNichtStillUeberschrieben) {
  const QString FRAGE = QString::fromUtf8(
      "Sicherheitsabfrage|Die Datei „g.vem“ wurde außerhalb von Vemla geändert.\r"
      "Wenn Sie jetzt speichern, gehen diese Änderungen verloren.\rTrotzdem speichern?");
  const std::string datei = tmp_.pfad("g.vem");
  struct Fall {
    const char* name;
    const char* fremd;  // what another process does to the file meanwhile (shell)
    std::deque<TAntwort> antworten;
    bool gefragt, gespeichert;
  } faelle[] = {
      {"unberuehrt", "true", {}, false, true},
      {"nur Zeitstempel", "touch -d '2001-01-01' g.vem", {}, false, true},
      {"ersetzt, Nein", "cp andere.vem g.vem", {TAntwort::Nein}, true, false},
      {"ersetzt, Ja", "cp andere.vem neu && mv neu g.vem", {TAntwort::Ja}, true, true},
  };
  sammlungsdatei(tmp_.pfad("andere.vem"), 20, "F");
  for (const Fall& f : faelle) {
    sammlungsdatei(datei, 3, "A");
    Connect->datei_oeffnen(pfad("g.vem"));
    Connect->file_wasnot_changed();
    eintragen({{"neu", "dazu"}});
    ASSERT_EQ(std::system(("cd " + tmp_.pfad() + " && " + f.fremd).c_str()), 0) << f.name;
    const std::string fremd = dateiInhalt(datei);
    plattform_.meldungen.clear();
    plattform_.antworten = f.antworten;
    a("menue_filesave")->trigger();
    const bool gefragt = !plattform_.meldungen.empty() &&
                         plattform_.meldungen.front().titel + "|" + plattform_.meldungen.front().text == FRAGE;
    EXPECT_EQ(gefragt, f.gefragt) << f.name;
    if (gefragt) {
      EXPECT_EQ(plattform_.meldungen.front().eltern, &H()) << f.name;
      EXPECT_EQ(plattform_.meldungen.front().knoepfe, TKnoepfe::JaNeinStandardNein) << f.name;
    }
    EXPECT_EQ(dateiInhalt(datei).size(), (f.gespeichert ? 4u : 20u) * DATENSATZ_GROESSE) << f.name;
    if (!f.gespeichert) {
      EXPECT_TRUE(dateiInhalt(datei) == fremd) << f.name;
    }
    EXPECT_EQ(Connect->file_changed(), !f.gespeichert) << f.name;
  }
}

// A report or export never writes over the collection that is open: its save
// dialog refuses the name, also when the export would add its extension.
TEST_F(DateiBefehle, ExportAufDieGeoeffneteSammlungWirdAbgelehnt) {
  const std::pair<const char*, std::function<void()>> faelle[] = {
      {"s.csv", [this] { a("menue_csvexport")->trigger(); }},
      {"s.txt", [] { Fexporttxt->B_actionClick(); }},
      {"s.dif", [] { Fexportdif->B_actionClick(); }},
      {"s.html", [] { Fexporthtml->B_actionClick(); }},
      {"s.xls", [this] { H().reports().xls1Click(); }},
  };
  for (const auto& [name, exportieren] : faelle) {
    sammlungsdatei(tmp_.pfad(name), 2, "A");
    Connect->datei_oeffnen(pfad(name));
    const std::string vorher = dateiInhalt(tmp_.pfad(name));
    plattform_.meldungen.clear();
    // The name with and without its extension, then the dialog is cancelled.
    plattform_.dateinamen = {pfad(name), pfad("s"), std::nullopt};
    exportieren();
    const QString einwand = QDir::toNativeSeparators(pfad(name)) +
                            QString::fromUtf8("\rDas ist die geöffnete CD-Sammlung: Sie würde überschrieben.\r"
                                              "Wählen Sie einen anderen Dateinamen.");
    ASSERT_EQ(plattform_.meldungen.size(), 2u) << name;
    EXPECT_EQ(plattform_.meldungen[0].text, einwand) << name;
    EXPECT_EQ(plattform_.meldungen[1].text, einwand) << name;
    EXPECT_TRUE(dateiInhalt(tmp_.pfad(name)) == vorher) << name;
  }
}

}  // namespace
