// The web page window and how the main window opens it and the information
// window. The web engine itself is replaced by a stand-in here; the real one
// is tested in tests/web.
#include <QFile>
#include <functional>

#include "info/UFWebbrowser.h"
#include "info/UF_Programminformation.h"
#include "info/UWebansicht.h"
#include "tests/support/GuiTest.h"

namespace {

bool webEngineGeladen() {
  QFile f("/proc/self/maps");
  if (!f.open(QIODevice::ReadOnly)) return false;
  return f.readAll().contains("libQt6WebEngineCore");
}

class Webbrowser : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
  }
  TFWebbrowser& W() { return *FWebbrowser; }
};

TEST_F(Webbrowser, NachDemStartIstNochNichtsAufgebaut) {
  EXPECT_EQ(W().windowTitle(), "--- site ---");
  EXPECT_TRUE(W().windowType() == Qt::Tool);
  EXPECT_EQ(W().B_close->text(), "Fenster schliessen");
  // Nothing of the web engine is there before a page is shown.
  EXPECT_EQ(W().WebBrowser1, nullptr);
  EXPECT_EQ(plattform_.webansichten, 0);
  EXPECT_FALSE(webEngineGeladen());
  // The information window builds its pages only when it is first shown.
  EXPECT_EQ(F_Programminformation->PageControl1, nullptr);
  EXPECT_TRUE(F_Programminformation->findChildren<QWidget*>().isEmpty());
  plattform().fensterModal(*F_Programminformation);
  ASSERT_NE(F_Programminformation->PageControl1, nullptr);
  EXPECT_EQ(F_Programminformation->PageControl1->parentWidget(), F_Programminformation);
  EXPECT_TRUE(F_Programminformation->Bclose->isVisibleTo(F_Programminformation));
}

TEST_F(Webbrowser, BeschriftungUndSeiteFolgenDerAdresse) {
  const char* adressen[] = {"https://www.vemla.de", "https://www.vemla.de/autor/", "https://www.vemla.de"};
  for (const char* adresse : adressen) {
    QString titel, knopf;
    bool offen = false;
    plattform_.fensterSkripte.push_back([&](QDialog& d) {
      offen = d.isVisible();
      titel = d.windowTitle();
      knopf = W().B_webbrowser->text();
    });
    W().seiteZeigen(adresse);
    EXPECT_TRUE(offen);
    EXPECT_EQ(titel, adresse);
    EXPECT_EQ(knopf, QString("Seite  [ ") + adresse + " ]  im Standardbrowser öffnen");
    EXPECT_EQ(plattform_.webseiten.back(), adresse);
  }
  EXPECT_EQ(plattform_.webseiten.size(), 3u);
  EXPECT_EQ(plattform_.webansichten, 1);  // one view, created when first shown
  ASSERT_NE(W().WebBrowser1, nullptr);
  EXPECT_EQ(W().WebBrowser1->widget()->parentWidget(), W().Panel1);
  EXPECT_EQ(W().WebBrowser1->widget()->objectName(), "WebBrowser1");
}

TEST_F(Webbrowser, StandardbrowserKnopfOeffnetDieAdresseUndLaesstDasFensterOffen) {
  for (const char* adresse : {"https://www.vemla.de/autor/", "https://www.vemla.de"}) {
    plattform_.geoeffneteDokumente.clear();
    bool offenDanach = false, offenNachSchliessen = true;
    plattform_.fensterSkripte.push_back([&](QDialog& d) {
      QTest::mouseClick(W().B_webbrowser, Qt::LeftButton);
      offenDanach = d.isVisible();
      QTest::mouseClick(W().B_close, Qt::LeftButton);
      offenNachSchliessen = d.isVisible();
    });
    W().seiteZeigen(adresse);
    EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{adresse});
    EXPECT_TRUE(offenDanach);
    EXPECT_FALSE(offenNachSchliessen);
  }
}

TEST_F(Webbrowser, EscSchliesst) {
  for (QWidget* von : {static_cast<QWidget*>(W().B_webbrowser), static_cast<QWidget*>(W().B_close)}) {
    bool offen = false, danach = true;
    plattform_.fensterSkripte.push_back([&](QDialog& d) {
      offen = d.isVisible();
      QTest::keyClick(von, Qt::Key_Escape);
      danach = d.isVisible();
    });
    W().seiteZeigen("https://www.vemla.de");
    EXPECT_TRUE(offen) << von->objectName().toStdString();
    EXPECT_FALSE(danach) << von->objectName().toStdString();
  }
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());
}

TEST_F(Webbrowser, HauptfensterOeffnetSeineFenster) {
  struct Fall {
    const char* weg;
    std::function<void()> ausloesen;
    const char* fenster;
  } const faelle[] = {
      {"F12", [this] { QTest::keyClick(H().listbox, Qt::Key_F12); }, "F_Programminformation"},
      {"Programminfo1", [this] { aktion("Programminfo1")->trigger(); }, "F_Programminformation"},
      {"Ctrl+Alt+U", [this] { QTest::keyClick(H().listbox, Qt::Key_U, Qt::ControlModifier | Qt::AltModifier); },
       "FWebbrowser"},
      {"dsf1", [this] { aktion("dsf1")->trigger(); }, "FWebbrowser"},
      {"Homepageanzeigen1", [this] { aktion("Homepageanzeigen1")->trigger(); }, "FWebbrowser"},
  };
  for (int eintraege : {0, 2}) {  // with an empty and a filled collection
    Connect->neue_sammlung();
    eintragen(eintraege);
    aktivieren();
    for (const Fall& f : faelle) {
      plattform_.modaleFenster.clear();
      plattform_.webseiten.clear();
      QString titel;
      plattform_.fensterSkripte.push_back([&titel](QDialog& d) { titel = d.windowTitle(); });
      f.ausloesen();
      EXPECT_EQ(plattform_.modaleFenster, std::vector<QString>{f.fenster}) << f.weg;
      if (QString(f.fenster) == "FWebbrowser") {
        EXPECT_EQ(titel, "https://www.vemla.de") << f.weg;
        EXPECT_EQ(plattform_.webseiten, std::vector<QString>{"https://www.vemla.de"}) << f.weg;
      } else {
        EXPECT_EQ(titel, "Vemla - Programminformation") << f.weg;
      }
    }
  }
  EXPECT_TRUE(plattform_.meldungen.empty());
}

}  // namespace
