// The program information window: its pages, its texts and where each of its
// clickable labels leads.
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <functional>

#include "info/UFWebbrowser.h"
#include "info/UF_Programminformation.h"
#include "info/UKlickLabel.h"
#include "tests/support/GuiTest.h"

namespace {

class Programminformation : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
    // The pages are built when the window is first shown.
    plattform().fensterModal(F());
    plattform_.modaleFenster.clear();
  }
  TF_Programminformation& F() { return *F_Programminformation; }
  template <typename T = QWidget>
  T* in(const char* name) {
    T* w = F_Programminformation->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void klicken(const char* name) { QTest::mouseClick(in(name), Qt::LeftButton); }
  // Clicks "name" with the information window open, as a user does.
  void imFensterKlicken(const char* name) {
    plattform_.fensterSkripte.push_back([this, name](QDialog&) { klicken(name); });
    plattform().fensterModal(F());
  }
};

TEST_F(Programminformation, SiebenSeitenMitFlachenReitern) {
  EXPECT_EQ(F().windowTitle(), "Vemla - Programminformation");
  const QStringList namen{"TSuebervemla", "TSDanksagung", "TSVersionsuebersicht", "TSdisclaimer",
                          "TSweiteres",   "TSFeedback_online", "TSAutor"};
  const QStringList titel{"über Vemla", "Danksagung", "Versionsübersicht", "Disclaimer", "weiteres", "Feedback",
                          "Autor"};
  QTabWidget* seiten = in<QTabWidget>("PageControl1");
  ASSERT_EQ(seiten->count(), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(seiten->widget(i)->objectName(), namen[i]);
    EXPECT_EQ(seiten->tabText(i), titel[i]);
  }
  EXPECT_EQ(seiten->currentIndex(), 0);
  EXPECT_TRUE(seiten->documentMode());  // no raised tab frame: flat buttons

  QPushButton* schliessen = in<QPushButton>("Bclose");
  EXPECT_EQ(schliessen->text(), "Fenster schliessen");
  EXPECT_EQ(schliessen->x(), 0);
  EXPECT_EQ(schliessen->width(), F().width());
  EXPECT_EQ(schliessen->geometry().bottom(), F().height() - 1);
  EXPECT_LE(seiten->geometry().bottom(), schliessen->y());
}

TEST_F(Programminformation, ErsteSeiteMitLogoVersionUndHinweisen) {
  EXPECT_EQ(in<QLabel>("L_version")->text(), "1.0.6  [ Release: 04.02.2004 ]");
  EXPECT_EQ(in<QLabel>("L_online")->text(), "https://www.vemla.de");
  EXPECT_EQ(in<QLabel>("L_hilfe")->text(), "anzeigen");
  EXPECT_EQ(in<QLabel>("Label6")->text(), "v 1.0.6");
  QLabel* logo = in<QLabel>("Image1");
  EXPECT_FALSE(logo->pixmap().isNull());
  EXPECT_EQ(logo->size(), QSize(270, 150));
  // The version label lies on the logo.
  EXPECT_TRUE(logo->geometry().contains(in("Label6")->geometry())) << "Label6 not on the logo";
  EXPECT_TRUE(in("Label6")->isVisibleTo(in("TSuebervemla")));
  const std::pair<const char*, const char*> hinweise[] = {{"L_version", "zur Versionsübersicht"},
                                                         {"Label7", "zum Disclaimer"},
                                                         {"Image1", "Vemla online"},
                                                         {"L_hilfe", "zeigt die Hilfe an"}};
  for (const auto& [name, hinweis] : hinweise) EXPECT_EQ(in(name)->toolTip(), hinweis) << name;
  for (const char* zeile : {"erstellt mit:", "Version:", "online:", "Hilfe:"}) {
    bool gefunden = false;
    for (QLabel* l : in("TSuebervemla")->findChildren<QLabel*>()) gefunden |= l->text() == zeile;
    EXPECT_TRUE(gefunden) << zeile;
  }
  for (const char* name : {"L_version", "L_online", "L_hilfe", "Label7", "Image1", "Label6", "Label10", "Label4",
                           "Label5", "Label8", "Label16", "Label17"})
    EXPECT_EQ(in(name)->cursor().shape(), Qt::PointingHandCursor) << name;
}

TEST_F(Programminformation, TexteDerSeiten) {
  for (const char* name : {"Memo1", "Memo2", "Memo3", "Memo4"}) {
    auto* memo = in<QPlainTextEdit>(name);
    EXPECT_TRUE(memo->isReadOnly()) << name;
    EXPECT_GT(memo->toPlainText().size(), 100) << name;
  }
  // The history starts with this version and goes back in time.
  const QString verlauf = in<QPlainTextEdit>("Memo2")->toPlainText();
  EXPECT_TRUE(verlauf.startsWith("Version 1.0.6  [ Release: 04.02.2004 ]")) << verlauf.left(60).toStdString();
  QStringList versionen;
  for (const auto& m : QRegularExpression("^Version (\\d+\\.\\d+\\.\\d+)", QRegularExpression::MultilineOption)
                           .globalMatch(verlauf))
    versionen << m.captured(1);
  EXPECT_EQ(versionen, (QStringList{"1.0.6", "1.0.5", "1.0.4", "1.0.3", "1.0.2", "1.0.1", "1.0.0"}));
  EXPECT_TRUE(in<QPlainTextEdit>("Memo3")->toPlainText().contains("höchstens 4000 Einträge"));
  EXPECT_TRUE(in<QLabel>("Label12")->text().startsWith("Ihre Meinung ist gefragt!"));
  EXPECT_TRUE(in<QLabel>("Label13")->text().contains("E-Mail"));
}

TEST_F(Programminformation, VersionUndRechtehinweisSchaltenDieSeiteUm) {
  const std::pair<const char*, int> faelle[] = {{"L_version", 2}, {"Label7", 3}};
  for (const auto& [name, seite] : faelle) {
    for (int von : {0, 5}) {  // the page shown before does not matter
      in<QTabWidget>("PageControl1")->setCurrentIndex(von);
      klicken(name);
      EXPECT_EQ(in<QTabWidget>("PageControl1")->currentIndex(), seite) << name << " from " << von;
    }
  }
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());
  EXPECT_TRUE(plattform_.modaleFenster.empty());
}

TEST_F(Programminformation, HomepageLinksOeffnenDasWebseitenfenster) {
  const std::pair<const char*, const char*> faelle[] = {{"L_online", "https://www.vemla.de"},
                                                       {"Image1", "https://www.vemla.de"},
                                                       {"Label6", "https://www.vemla.de"},
                                                       {"Label4", "https://www.vemla.de"},
                                                       {"Label17", "https://www.vemla.de/autor/"}};
  for (const auto& [name, adresse] : faelle) {
    plattform_.modaleFenster.clear();
    plattform_.webseiten.clear();
    QString titel, knopf;
    plattform_.fensterSkripte.push_back([&](QDialog&) {
      klicken(name);
    });
    plattform_.fensterSkripte.push_back([&](QDialog& d) {
      titel = d.windowTitle();
      knopf = FWebbrowser->B_webbrowser->text();
    });
    plattform().fensterModal(F());
    EXPECT_EQ(plattform_.modaleFenster, (std::vector<QString>{"F_Programminformation", "FWebbrowser"})) << name;
    EXPECT_EQ(titel, adresse) << name;
    EXPECT_EQ(knopf, QString("Seite  [ ") + adresse + " ]  im Standardbrowser öffnen") << name;
    EXPECT_EQ(plattform_.webseiten, std::vector<QString>{adresse}) << name;
    EXPECT_TRUE(plattform_.geoeffneteDokumente.empty()) << name;
  }
}

TEST_F(Programminformation, AndereLinksGehenAnDenStandardbrowserOderDasMailprogramm) {
  const std::pair<const char*, const char*> faelle[] = {{"Label5", "mailto:info@vemla.de?subject=Vemla"},
                                                       {"Label16", "mailto:info@vemla.de?subject=Vemla"},
                                                       {"Label8", "https://www.vemla.de/forum/"},
                                                       {"Label10", "https://www.qt.io/"}};
  for (const auto& [name, ziel] : faelle) {
    plattform_.geoeffneteDokumente.clear();
    plattform_.modaleFenster.clear();
    imFensterKlicken(name);
    EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{ziel}) << name;
    EXPECT_EQ(plattform_.modaleFenster, std::vector<QString>{"F_Programminformation"}) << name;
  }
  EXPECT_EQ(FWebbrowser->windowTitle(), "--- site ---");
}

TEST_F(Programminformation, HilfeZeigtDieSorryMeldung) {
  imFensterKlicken("L_hilfe");
  ASSERT_EQ(plattform_.meldungen.size(), 1u);
  const TGezeigteMeldung& m = plattform_.meldungen[0];
  EXPECT_EQ(m.titel, "Sorry..");
  EXPECT_EQ(m.text,
            "Die Hilfe ist in dieser Version von Vemla nicht verfügbar, da noch nicht vollständig!\r"
            "Nutzen Sie bitte die online-Hilfe oder senden Sie mir gegebenenfalls eine E-Mail!");
  EXPECT_EQ(m.symbol, TSymbol::Keins);
  EXPECT_EQ(m.knoepfe, TKnoepfe::Ok);
}

TEST_F(Programminformation, EscUndBcloseSchliessen) {
  for (const char* von : {"Bclose", "Memo1", "Memo2", "Memo3", "Memo4"}) {
    bool danach = true;
    plattform_.fensterSkripte.push_back([&](QDialog& d) {
      in<QTabWidget>("PageControl1")->setCurrentWidget(in(von)->parentWidget());
      QTest::keyClick(in(von), Qt::Key_Escape);
      danach = d.isVisible();
    });
    plattform().fensterModal(F());
    EXPECT_FALSE(danach) << von;
  }
  bool danach = true;
  plattform_.fensterSkripte.push_back([&](QDialog& d) {
    klicken("Bclose");
    danach = d.isVisible();
  });
  plattform().fensterModal(F());
  EXPECT_FALSE(danach);
}

TEST_F(Programminformation, SeiteBleibtZwischenDemOeffnenErhalten) {
  imFensterKlicken("Label7");
  int seite = -1;
  plattform_.fensterSkripte.push_back([&](QDialog&) { seite = in<QTabWidget>("PageControl1")->currentIndex(); });
  plattform().fensterModal(F());
  EXPECT_EQ(seite, 3);
}

}  // namespace
