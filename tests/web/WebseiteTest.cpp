// The web page window with the real web engine: a local page is shown, an
// address that cannot be reached shows the engine's error page, and the window
// stays usable. The engine is a module that is loaded only now.
#include <QFile>
#include <QUrl>

#include "info/UFWebbrowser.h"
#include "info/UWebansicht.h"
#include "tests/support/GuiTest.h"

namespace {

constexpr int LADEZEIT_MS = 60000;  // the engine's first start is slow on a loaded machine

bool webEngineGeladen() {
  QFile f("/proc/self/maps");
  return f.open(QIODevice::ReadOnly) && f.readAll().contains("libQt6WebEngineCore");
}

class Webseite : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    plattform_.echteWebansicht = true;
    starten();
  }
  TFWebbrowser& W() { return *FWebbrowser; }

  // Shows "adresse"; while the window is open, waits for the page and reads
  // "title|text" through the page's script, then runs "danach".
  struct Ergebnis {
    bool geladen = false, ok = false;
    QString inhalt, knopf;
    bool offenNachSchliessen = true;
  };
  Ergebnis zeigen(const QString& adresse) {
    Ergebnis e;
    plattform_.fensterSkripte.push_back([&](QDialog& d) {
      e.knopf = W().B_webbrowser->text();
      if (!W().WebBrowser1) return;
      W().WebBrowser1->beiLadeende([&](bool ok) {
        e.geladen = true;
        e.ok = ok;
      });
      if (!QTest::qWaitFor([&] { return e.geladen; }, LADEZEIT_MS)) return;
      bool fertig = false;
      W().WebBrowser1->skript("document.title + '|' + document.body.innerText", [&](const QVariant& v) {
        e.inhalt = v.toString();
        fertig = true;
      });
      if (!QTest::qWaitFor([&] { return fertig; }, LADEZEIT_MS)) return;
      QTest::mouseClick(W().B_close, Qt::LeftButton);
      e.offenNachSchliessen = d.isVisible();
    });
    W().seiteZeigen(adresse);
    return e;
  }
};

TEST_F(Webseite, LokaleSeiteWirdAngezeigtUndFehlerseiteOhneNetz) {
  EXPECT_FALSE(webEngineGeladen());

  const std::string pfad = tmp_.pfad("seite.html");
  dateiSchreiben(pfad,
                 "<html><head><meta charset=\"utf-8\"><title>Vemla Testseite</title></head>"
                 "<body><p>Grüße aus der Sammlung</p></body></html>");
  const QString adresse = QUrl::fromLocalFile(QString::fromStdString(pfad)).toString();
  Ergebnis e = zeigen(adresse);
  ASSERT_NE(W().WebBrowser1, nullptr) << "web module not loaded";
  EXPECT_TRUE(webEngineGeladen());
  EXPECT_TRUE(e.geladen);
  EXPECT_TRUE(e.ok);
  EXPECT_EQ(e.inhalt, "Vemla Testseite|Grüße aus der Sammlung");
  EXPECT_EQ(e.knopf, "Seite  [ " + adresse + " ]  im Standardbrowser öffnen");
  EXPECT_FALSE(e.offenNachSchliessen);

  // Nothing listens on port 9 of this machine: the engine shows its own error page.
  e = zeigen("http://127.0.0.1:9/");
  EXPECT_TRUE(e.geladen);
  EXPECT_FALSE(e.ok);
  EXPECT_TRUE(e.inhalt.contains("127.0.0.1")) << e.inhalt.toStdString();
  EXPECT_FALSE(e.offenNachSchliessen);
  EXPECT_EQ(plattform_.webansichten, 1);

  // The button still hands the address to the default browser.
  plattform_.fensterSkripte.push_back([&](QDialog&) { QTest::mouseClick(W().B_webbrowser, Qt::LeftButton); });
  W().seiteZeigen(adresse);
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{adresse});
}

}  // namespace
