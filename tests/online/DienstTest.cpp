// Requests to the web service against a server on 127.0.0.1: the service's
// rules, the bounds, and every kind of failure.
#include <gtest/gtest.h>

#include <QString>
#include <chrono>
#include <future>
#include <thread>

#include "online/UMBDienst.h"
#include "tests/net/TestServer.h"
#include "tests/online/Testdaten.h"

namespace {

using namespace std::chrono_literals;
using Uhr = std::chrono::steady_clock;

class Dienst : public ::testing::Test {
 protected:
  TTestServer server_;
  std::atomic<bool> abbrechen_{false};
  TDienstGrenzen grenzen_;
  QString basis() const { return QString::fromStdString(server_.adresse()) + "ws/2/"; }
  TDienstAntwort abfragen(const QString& pfad) { return dienstAbfragen(basis() + pfad, grenzen_, abbrechen_); }
};

TEST_F(Dienst, AdressenDerDreiSuchen) {
  const QString b = "https://musicbrainz.org/ws/2/";
  EXPECT_EQ(adresseStrichcode(b, "724385522925"),
            "https://musicbrainz.org/ws/2/release/?query=barcode%3A724385522925&limit=25&fmt=json");
  EXPECT_EQ(adresseName(b, " Simon & Garfunkel ", "Bridge \"Live\""),
            "https://musicbrainz.org/ws/2/release/?query=artist%3A%22Simon%20%26%20Garfunkel%22%20AND%20"
            "release%3A%22Bridge%20%5C%22Live%5C%22%22&limit=25&fmt=json");
  EXPECT_EQ(adresseName(b, "", "Ace of Spades"),
            "https://musicbrainz.org/ws/2/release/?query=release%3A%22Ace%20of%20Spades%22&limit=25&fmt=json");
  EXPECT_EQ(adresseDiscId(b, "xUp1F2NkfP8s8jaeFn_Av3jNEI4-", "1 2 3000 150 1500"),
            "https://musicbrainz.org/ws/2/discid/xUp1F2NkfP8s8jaeFn_Av3jNEI4-?inc=artist-credits+labels+"
            "release-groups+genres+tags&fmt=json&cdstubs=no&toc=1%202%203000%20150%201500");
}

TEST_F(Dienst, AntwortUndKennung) {
  server_.setze("/ws/2/release/*", {200, testantwortText("strichcode_eins.json"), "", false});
  const TDienstAntwort a = abfragen("release/?query=barcode%3A724385522925&fmt=json");
  EXPECT_EQ(a.fehler, TDienstFehler::Keiner);
  EXPECT_EQ(a.koerper, testantwort("strichcode_eins.json"));
  ASSERT_EQ(server_.anfrageKoepfe().size(), 1u);
  const std::string kopf = server_.anfrageKoepfe()[0];
  EXPECT_NE(kopf.find("\r\nUser-Agent: Vemla/1.0.6 ( info@vemla.de )\r\n"), std::string::npos) << kopf;
  EXPECT_NE(kopf.find("\r\nAccept: application/json"), std::string::npos) << kopf;
}

TEST_F(Dienst, HoechstensEineAnfrageProSekunde) {
  server_.setze("/ws/2/release/*", {200, "{\"releases\":[]}", "", false});
  // From two threads at once, as from two windows.
  auto zweite = std::async(std::launch::async, [this] { return abfragen("release/?query=a"); });
  EXPECT_EQ(abfragen("release/?query=b").fehler, TDienstFehler::Keiner);
  EXPECT_EQ(zweite.get().fehler, TDienstFehler::Keiner);
  EXPECT_EQ(abfragen("release/?query=c").fehler, TDienstFehler::Keiner);
  const auto zeiten = server_.anfrageZeiten();
  ASSERT_EQ(zeiten.size(), 3u);
  EXPECT_GE(zeiten[1] - zeiten[0], 950ms);
  EXPECT_GE(zeiten[2] - zeiten[1], 950ms);
}

TEST_F(Dienst, AusgelastetEinmalWiederholt) {
  grenzen_.abstandMs = 0;
  const struct {
    const char* wartezeit;
    int anfragen;
    std::chrono::milliseconds mindestens;
  } faelle[] = {
      {"Retry-After: 2\r\n", 2, 1900ms},
      {"", 2, 900ms},                      // no value: one second
      {"Retry-After: 600\r\n", 1, 0ms},    // longer than the window waits: no retry
  };
  for (const auto& f : faelle) {
    TTestServer server;
    server.setze("/ws/2/discid/*", {503, "busy", f.wartezeit, false});
    const auto start = Uhr::now();
    const TDienstAntwort a =
        dienstAbfragen(QString::fromStdString(server.adresse()) + "ws/2/discid/x", grenzen_, abbrechen_);
    EXPECT_EQ(a.fehler, TDienstFehler::Ausgelastet) << f.wartezeit;
    const auto zeiten = server.anfrageZeiten();
    ASSERT_EQ(static_cast<int>(zeiten.size()), f.anfragen) << f.wartezeit;
    if (f.anfragen == 2) {
      EXPECT_GE(zeiten[1] - zeiten[0], f.mindestens) << f.wartezeit;
    }
    EXPECT_LT(Uhr::now() - start, 4s);
  }
}

TEST_F(Dienst, NachWartezeitErfolgreich) {
  grenzen_.abstandMs = 0;
  // The first request gets "busy"; the retry finds the answer.
  TTestServer server;
  server.setze("/ws/2/release/?query=x", {503, "", "Retry-After: 1\r\n", false});
  std::thread umstellen([&] {
    while (server.anfragen().empty()) std::this_thread::sleep_for(5ms);
    server.setze("/ws/2/release/?query=x", {200, "{\"releases\":[]}", "", false});
  });
  const TDienstAntwort a =
      dienstAbfragen(QString::fromStdString(server.adresse()) + "ws/2/release/?query=x", grenzen_, abbrechen_);
  umstellen.join();
  EXPECT_EQ(a.fehler, TDienstFehler::Keiner);
  EXPECT_EQ(a.koerper, "{\"releases\":[]}");
  EXPECT_EQ(server.anfragen().size(), 2u);
}

TEST_F(Dienst, Fehlerarten) {
  grenzen_.abstandMs = 0;
  grenzen_.zeitMs = 700;
  grenzen_.bytes = 1000;
  const struct {
    TTestServer::Antwort antwort;
    TDienstFehler fehler;
  } faelle[] = {
      {{404, "{\"error\":\"Not Found\"}", "", false}, TDienstFehler::NichtGefunden},
      {{400, "{\"error\":\"Invalid discid\"}", "", false}, TDienstFehler::Dienstfehler},
      {{500, "", "", false}, TDienstFehler::Dienstfehler},
      {{200, std::string(1001, ' '), "", false}, TDienstFehler::Unlesbar},  // larger than allowed
      {{200, std::string(1000, ' '), "", false}, TDienstFehler::Keiner},
      {{200, "{\"releases\":[]}", "", true}, TDienstFehler::KeineVerbindung},  // cut off
      {{200, "{}", "", false, false, 0, 5000}, TDienstFehler::Zeitueberschreitung},     // a stalled server
  };
  for (const auto& f : faelle) {
    server_.setze("/ws/2/x", f.antwort);
    const auto start = Uhr::now();
    EXPECT_EQ(abfragen("x").fehler, f.fehler) << f.antwort.status << " " << f.antwort.koerper.size();
    EXPECT_LT(Uhr::now() - start, 1500ms);
  }
}

TEST_F(Dienst, NurSichereOderEigeneAdressen) {
  grenzen_.abstandMs = 0;
  grenzen_.zeitMs = 2000;
  for (const char* a : {"http://musicbrainz.org/ws/2/release/?query=x", "ftp://127.0.0.1/ws/2/", "kein Ort"})
    EXPECT_EQ(dienstAbfragen(a, grenzen_, abbrechen_).fehler, TDienstFehler::NichtErlaubt) << a;
  // Port 9 on this computer: nobody listens.
  EXPECT_EQ(dienstAbfragen("http://127.0.0.1:9/ws/2/x", grenzen_, abbrechen_).fehler, TDienstFehler::KeineVerbindung);
}

TEST_F(Dienst, EigeneAdresseWirdNichtUmgeleitet) {
  grenzen_.abstandMs = 0;
  const std::string a = server_.adresse();
  const std::string port = a.substr(17, a.size() - 18);
  // The same server under a name that is no address of this computer to the rules.
  server_.setze("/ws/2/fremd", {302, "", "Location: http://[::ffff:127.0.0.1]:" + port + "/ws/2/ziel\r\n", false});
  server_.setze("/ws/2/ziel", {200, "{}", "", false});
  EXPECT_NE(abfragen("fremd").fehler, TDienstFehler::Keiner);
  EXPECT_EQ(server_.anfragen(), std::vector<std::string>{"/ws/2/fremd"});
}

TEST_F(Dienst, AbbrechenBeendetSofort) {
  grenzen_.abstandMs = 0;
  server_.setze("/ws/2/x", {200, "{}", "", false, false, 0, 10000});
  auto anfrage = std::async(std::launch::async, [this] { return abfragen("x"); });
  while (server_.anfragen().empty()) std::this_thread::sleep_for(5ms);
  const auto start = Uhr::now();
  abbrechen_ = true;
  EXPECT_EQ(anfrage.get().fehler, TDienstFehler::Abgebrochen);
  EXPECT_LT(Uhr::now() - start, 1500ms);
}

}  // namespace
