// The internet search window: reached from the main window, its messages, the
// page it writes and opens, Esc.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <chrono>

#include "app/UOrte.h"
#include "net/UFInternetZugriff.h"
#include "net/UPause.h"
#include "tests/support/GuiTest.h"

namespace {

class InternetZugriff : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    seite_ = QFile::encodeName(eigeneDatei("suchergebnis.html")).toStdString();
    std::remove(seite_.c_str());
    starten();
  }
  void TearDown() override {
    std::remove(seite_.c_str());
    GuiTest::TearDown();
  }
  TFInternetZugriff& F() { return *FInternetZugriff; }
  // Opens the window from the menu and runs "schritte" while it is shown.
  void imFenster(std::function<void(QDialog&)> schritte) {
    plattform_.fensterSkripte.push_back(std::move(schritte));
    H().Internetsuche1->trigger();
  }
  std::string seite_;
};

TEST_F(InternetZugriff, DreiWegeOeffnenDasFensterMitDenFeldernDesHauptfensters) {
  eintragen({{"Muster Band", "Erstes Album"}});
  H().e_label->setText("Eigenlabel");
  QStringList gesehen;
  auto merken = [&gesehen](QDialog&) {
    gesehen << FInternetZugriff->EInterpret->text() + "|" + FInternetZugriff->ETitel->text() + "|" +
                   FInternetZugriff->ELabel->text();
  };
  for (int i = 0; i < 3; ++i) plattform_.fensterSkripte.push_back(merken);
  aktivieren();
  QTest::keyClick(H().listbox, Qt::Key_F3, Qt::ShiftModifier);
  H().SB_AG_Interpret->click();
  H().e_titel->setText("Zweites Album");
  H().Internetsuche1->trigger();
  EXPECT_EQ(modale(), std::vector<QString>(3, "FInternetZugriff"));
  EXPECT_EQ(gesehen, (QStringList{"Muster Band|Erstes Album|Eigenlabel", "Muster Band|Erstes Album|Eigenlabel",
                                  "Muster Band|Zweites Album|Eigenlabel"}));
}

TEST_F(InternetZugriff, FensterUndListen) {
  F().aufbauen();
  EXPECT_EQ(F().windowTitle(), "Internet-Zugriff zur Suche nach MP3s, CDs, Vinyls, Releases, Infos .. ect. ..");
  EXPECT_EQ(F().CBInterpret->count(), 8);
  EXPECT_EQ(F().CBTitel->count(), 7);
  EXPECT_EQ(F().CBLabel->count(), 6);
  for (QComboBox* c : {F().CBInterpret, F().CBTitel, F().CBLabel}) EXPECT_EQ(c->currentIndex(), -1);
  EXPECT_EQ(F().CBLabel->itemText(2), "eBay [ Auktionen (CDs, Vinyls etc.) ] [ www.ebay.de ]");
  for (QToolButton* b : {F().SBInterpret, F().SBTitel, F().SBLabel}) EXPECT_EQ(b->toolTip(), "Suche starten");
  EXPECT_EQ(F().BitBtn1->text(), "&zurück");
  EXPECT_EQ(F().Label1->text(), "Suche nach (weiteren) Veröffentlichungen / MP3s von :");
  EXPECT_EQ(F().Label2->text(), "Suche nach (weiteren) Veröffentlichungen / MP3s mit dem Titel :");
  EXPECT_EQ(F().Label3->text(), "Suche nach (weiteren) Veröffentlichungen / MP3s des Labels:");
  EXPECT_EQ(F().Label4->text(), "auf / bei :");
  EXPECT_EQ(F().LMail->text(),
            "Sind Sie der Meinung, dass hier eine Internetseite vergessen wurde?! Schreiben Sie mir eine E-Mail! "
            "(info@vemla.de) [Hier klicken]");
}

TEST_F(InternetZugriff, LeereEingabeUndFehlendeAuswahl) {
  imFenster([this](QDialog&) {
    struct Fall {
      QLineEdit* edit;
      QToolButton* knopf;
      const char* fehlt;
    } faelle[] = {
        {F().EInterpret, F().SBInterpret, "Bitte geben Sie einen Namen für den Interpreten / Artist ein!"},
        {F().ETitel, F().SBTitel, "Bitte geben Sie einen Namen für den Titel ein!"},
        {F().ELabel, F().SBLabel, "Bitte geben Sie einen Namen für das Label ein!"},
    };
    for (const auto& f : faelle) {
      plattform_.meldungen.clear();
      f.edit->clear();
      f.knopf->click();
      f.edit->setText("x");
      f.knopf->click();
      EXPECT_EQ(plattform_.meldungsTexte(),
                (QStringList{QString("Fehler: Keine Eingabe..|") + QString::fromUtf8(f.fehlt),
                             "Fehler: Keine Auswahl getroffen..|Bitte wählen Sie eine Internet-Seite aus!"}));
      EXPECT_EQ(plattform_.letzteMeldung()->knoepfe, TKnoepfe::Ok);
    }
  });
  EXPECT_FALSE(dateiExistiertOeffentlich(seite_));
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());
}

TEST_F(InternetZugriff, SucheSchreibtUndOeffnetDieSeite) {
  eintragen({{"Simon & Garfunkel", "Bridge"}});
  imFenster([this](QDialog& d) {
    F().CBInterpret->setCurrentIndex(5);
    F().SBInterpret->click();
    EXPECT_TRUE(d.isVisible());  // the window stays open
  });
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{eigeneDatei("suchergebnis.html")});
  const std::string inhalt = dateiInhalt(seite_);
  EXPECT_NE(inhalt.find("<a href=\"http://www.freedb.org/freedb_search.php?words=Simon+%26+Garfunkel&amp;allfields="
                        "YES&amp;allcats=YES&amp;grouping=none\"><u>hier</u></a>"),
            std::string::npos);
  EXPECT_NE(inhalt.find(" nach &quot;Simon &amp; Garfunkel&quot; (Interpret) zu suchen.\r\n"), std::string::npos);
  EXPECT_TRUE(plattform_.meldungen.empty());

  // The choice stays for the next opening; a second search replaces the page.
  imFenster([this](QDialog&) {
    EXPECT_EQ(F().CBInterpret->currentIndex(), 5);
    F().ETitel->setText("   ");
    F().CBTitel->setCurrentIndex(6);
    F().SBTitel->click();
  });
  EXPECT_NE(dateiInhalt(seite_).find("select=Songs&amp;searchstr=%20%20%20&amp;searchtype"), std::string::npos);
  EXPECT_EQ(dateiInhalt(seite_).find("Garfunkel"), std::string::npos);
  EXPECT_EQ(plattform_.geoeffneteDokumente.size(), 2u);
}

TEST_F(InternetZugriff, SeiteNichtSchreibbarGehtAnDieFehlerbox) {
  // A folder where the page should be: it cannot be written, no browser opens.
  ASSERT_TRUE(QDir().mkdir(eigeneDatei("suchergebnis.html")));
  imFenster([this](QDialog&) {
    F().ELabel->setText("Label");
    F().CBLabel->setCurrentIndex(2);
    F().SBLabel->click();
  });
  QDir().rmdir(eigeneDatei("suchergebnis.html"));
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{" Vemla |Dateizugriff verweigert."});
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());
}

TEST_F(InternetZugriff, MailLinkUndZurueck) {
  bool offen = true;
  imFenster([this, &offen](QDialog& d) {
    QTest::mouseClick(F().LMail, Qt::LeftButton);
    F().BitBtn1->click();
    offen = d.isVisible();
  });
  EXPECT_EQ(plattform_.geoeffneteDokumente,
            std::vector<QString>{"mailto:info@vemla.de?subject=CD-Sammlung [Programm]"});
  EXPECT_FALSE(offen);
}

TEST_F(InternetZugriff, EscSchliesstVonJedemSteuerelement) {
  F().aufbauen();
  QList<QWidget*> ziele = {F().EInterpret, F().ETitel, F().ELabel, F().CBInterpret, F().CBTitel, F().CBLabel,
                           F().BitBtn1};
  for (QWidget* w : ziele) {
    bool offen = true;
    imFenster([w, &offen](QDialog& d) {
      QTest::keyClick(w, Qt::Key_Escape);
      offen = d.isVisible();
    });
    EXPECT_FALSE(offen) << w->objectName().toStdString();
  }
}

TEST(Pause, WartetUndVerarbeitetEreignisse) {
  using namespace std::chrono;
  bool gelaufen = false;
  QTimer::singleShot(0, [&gelaufen] { gelaufen = true; });
  const auto start = steady_clock::now();
  pause(60);
  EXPECT_GE(steady_clock::now() - start, milliseconds(60));
  EXPECT_TRUE(gelaufen);
}

}  // namespace
