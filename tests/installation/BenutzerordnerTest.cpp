// The installed program's windows with the user's folders: what they write
// goes there, and nothing lands beside the executable.
#include <QFile>

#include "app/UOrte.h"
#include "dialogs/UFOptionen.h"
#include "net/UFInternetZugriff.h"
#include "report/UFexporthtml.h"
#include "tests/installation/Hilfen.h"
#include "tests/support/GuiTest.h"

namespace {

using std::filesystem::perms;

class Benutzerordner : public GuiTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(installation().lauf.rc, 0) << installation().lauf.ausgabe.toStdString();
    rechte(tmp_.pfad(), perms(0755));
    std::filesystem::create_directories(tmp_.pfad("home"));
    rechte(tmp_.pfad("home"), perms(0777));
    qputenv("XDG_CONFIG_HOME", tmp_.pfad("home/konfig").c_str());
    qputenv("XDG_CACHE_HOME", tmp_.pfad("home/cache").c_str());
    {
      OhneRootRechte ohne;  // the decision as an ordinary user meets it
      orteFestlegen(installation().qpfad("bin"));
    }
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CACHE_HOME");
    GuiTest::SetUp();
  }
  void TearDown() override {
    GuiTest::TearDown();
    EXPECT_EQ(ordnerInhalt(installation().pfad("bin")), QStringList{"vemla"});
    orteFestlegen();
  }
  std::string konfig(const std::string& name = "") const { return tmp_.pfad("home/konfig/vemla/" + name); }
};

TEST_F(Benutzerordner, ErsterStartEinmalUndEinstellungenImKonfigordner) {
  EXPECT_EQ(iniPfad_, konfig("vemla.ini"));
  starten();
  anzeigen();
  EXPECT_EQ(modale(), (std::vector<QString>{"FStartbildschirm", "Ffirststart"}));
  EXPECT_EQ(dateiInhalt(konfig("vemla.ini")),
            "[Ansicht]\r\nstatusleiste=false\r\n[Programm]\r\nfirststart=false\r\n");
  // An option switched on is stored there at once.
  FOptionen->cb_loadlastfile->click();
  EXPECT_EQ(iniWert("Optionen", "loadlastfile"), "true");
  EXPECT_EQ(ordnerInhalt(konfig()), QStringList{"vemla.ini"});

  // The next start finds the settings again: the first-start window stays away.
  fensterFreigeben();
  plattform_.modaleFenster.clear();
  starten();
  anzeigen();
  EXPECT_EQ(modale(), std::vector<QString>{"FStartbildschirm"});
  EXPECT_TRUE(FOptionen->cb_loadlastfile->isChecked());
}

TEST_F(Benutzerordner, WebModulAusDemModulordner) {
  EXPECT_EQ(webModul(), installation().qpfad(VEMLA_MODULORDNER "/vemla_web.so"));
}

TEST_F(Benutzerordner, BeispielseitenAusDemDatenordner) {
  starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  std::vector<QString> erwartet;
  for (const char* thema : {"blau", "gelb", "grau", "gruen", "rot", "schwarz", "weiss"}) {
    const std::string seite = installation().pfad("share/vemla/" + std::string(thema) + ".html");
    EXPECT_TRUE(std::filesystem::is_regular_file(seite)) << thema;
    erwartet.push_back(QString::fromStdString(seite));
  }
  Fexporthtml->show();
  for (int i = 0; i < Fexporthtml->CBHtmlLayout->count(); ++i) {
    Fexporthtml->CBHtmlLayout->setCurrentIndex(i);
    Fexporthtml->SBblau->click();
  }
  Fexporthtml->hide();
  EXPECT_EQ(plattform_.geoeffneteDokumente, erwartet);
  EXPECT_TRUE(plattform_.meldungen.empty());
}

TEST_F(Benutzerordner, SuchseiteImCacheordnerFindetStilUndSkript) {
  starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  eintragen({{"Muster Band", "Erstes Album"}});
  plattform_.fensterSkripte.push_back([](QDialog&) {
    FInternetZugriff->CBInterpret->setCurrentIndex(5);
    FInternetZugriff->SBInterpret->click();
  });
  H().Internetsuche1->trigger();
  const QString seite = QString::fromStdString(tmp_.pfad("home/cache/vemla/suchergebnis.html"));
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{seite});
  const std::string inhalt = dateiInhalt(seite.toStdString());
  EXPECT_NE(inhalt.find("href=\"help/format.css\""), std::string::npos);
  EXPECT_NE(inhalt.find("src=\"copyright.js\""), std::string::npos);
  // What the page refers to, resolved from the page's folder, is what was installed.
  for (const char* name : {"help/format.css", "copyright.js"}) {
    const std::string installiert = installation().pfad(std::string("share/vemla/") + name);
    ASSERT_TRUE(std::filesystem::is_regular_file(installiert)) << name;
    EXPECT_EQ(dateiInhalt(tmp_.pfad(std::string("home/cache/vemla/") + name)), dateiInhalt(installiert)) << name;
  }
}

// A settings file beside a read-only program folder stays there: writing it is refused, naming its path.
class SchreibgeschuetztMitIni : public GuiTest {
 protected:
  void SetUp() override {
    rechte(t_.pfad(), perms(0755));
    std::filesystem::create_directories(t_.pfad("bin"));
    dateiSchreiben(t_.pfad("bin/vemla.ini"), "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n"
                                             "detailansicht=false\r\nschaltflaechen=false\r\n");
    rechte(t_.pfad("bin"), perms(0555));
    qputenv("XDG_CONFIG_HOME", t_.pfad("konfig").c_str());
    {
      OhneRootRechte ohne;
      orteFestlegen(QString::fromStdString(t_.pfad("bin")));
    }
    qunsetenv("XDG_CONFIG_HOME");
    iniPfad_ = QFile::encodeName(iniPfad()).toStdString();
  }
  void TearDown() override {
    if (HauptFormular) fensterFreigeben();
    orteFestlegen();
  }
  TempOrdner t_;
};

TEST_F(SchreibgeschuetztMitIni, SchreibenWirdMitDemPfadVerweigert) {
  EXPECT_EQ(iniPfad_, t_.pfad("bin/vemla.ini"));
  starten();
  {
    OhneRootRechte ohne;
    // The activation stores its view options; an error stops it and goes to the error box, as in the program.
    try {
      anzeigen();
    } catch (const std::exception& e) {
      allgemeinerFehler(e);
    }
  }
  const QString verweigert =
      QString::fromStdString(" Vemla |nach " + t_.pfad("bin/vemla.ini") + " kann nicht geschrieben werden.");
  // The first refused write ("startbildschirm") stops the activation: one message.
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{verweigert});
  EXPECT_FALSE(std::filesystem::exists(t_.pfad("konfig")));
}

// The window icon is the installed one, from the program's resources.
TEST(Programmsymbol, FensterSymbolAusDenRessourcen) {
  const QImage bild = QApplication::windowIcon().pixmap(48, 48).toImage();
  ASSERT_FALSE(bild.isNull());
  EXPECT_EQ(bild.size(), QSize(48, 48));
  EXPECT_EQ(bild, QImage(QString::fromStdString(installation().pfad("share/icons/hicolor/48x48/apps/vemla.png")))
                      .convertToFormat(bild.format()));
  EXPECT_EQ(QApplication::desktopFileName(), "vemla");
}

}  // namespace
