// Requests to the web service against a server on 127.0.0.1: the service's
// rules, the bounds, and every kind of failure.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <netdb.h>

#include <QString>
#include <chrono>
#include <cstring>
#include <future>
#include <memory>
#include <thread>

#include "online/UHintergrund.h"
#include "online/UMBDienst.h"
#include "tests/net/TestServer.h"
#include "tests/net/Testzertifikat.h"
#include "tests/online/Testdaten.h"

// A name server that never answers, for the name "stockt.test" only: the
// library's look-ups reach this one (the test program exports it), every
// other name goes on to the system's.
extern "C" int getaddrinfo(const char* name, const char* dienst, const addrinfo* wunsch, addrinfo** ergebnis) {
  if (name && std::strcmp(name, "stockt.test") == 0) {
    std::this_thread::sleep_for(std::chrono::seconds(5));
    return EAI_AGAIN;
  }
  using TEcht = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
  static const auto echt = reinterpret_cast<TEcht>(::dlsym(RTLD_NEXT, "getaddrinfo"));
  return echt(name, dienst, wunsch, ergebnis);
}

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
      // Beyond any bound, or unreadable: no retry either.
      {"Retry-After: 9223372036854775807\r\n", 1, 0ms},
      {"Retry-After: 99999999999999999999\r\n", 1, 0ms},
      {"Retry-After: Wed, 21 Oct 2015 07:28:00 GMT\r\n", 1, 0ms},
      {"Retry-After: bald\r\n", 1, 0ms},
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

TEST_F(Dienst, UmleitungenEinzelnImSekundentakt) {
  TTestServer server(true);
  grenzen_.zertifikate = TESTZERTIFIKAT;
  const QString b = QString::fromStdString(server.adresse()) + "ws/2/";
  server.setze("/ws/2/a", {302, "", "Location: /ws/2/b\r\n", false});
  server.setze("/ws/2/b", {301, "", "Location: " + server.adresse() + "ws/2/c\r\n", false});
  server.setze("/ws/2/c", {200, "{}", "", false});
  const TDienstAntwort a = dienstAbfragen(b + "a", grenzen_, abbrechen_);
  EXPECT_EQ(a.fehler, TDienstFehler::Keiner);
  EXPECT_EQ(a.koerper, "{}");
  const auto zeiten = server.anfrageZeiten();
  ASSERT_EQ(zeiten.size(), 3u);
  EXPECT_GE(zeiten[1] - zeiten[0], 950ms);
  EXPECT_GE(zeiten[2] - zeiten[1], 950ms);
}

TEST_F(Dienst, UmleitungImKreisOderZuOft) {
  TTestServer server(true);
  grenzen_.zertifikate = TESTZERTIFIKAT;
  grenzen_.abstandMs = 0;
  const QString b = QString::fromStdString(server.adresse()) + "ws/2/";
  const struct {
    const char* start;
    std::vector<std::string> anfragen;
  } faelle[] = {
      {"a", {"/ws/2/a", "/ws/2/b"}},                         // a -> b -> a
      {"1", {"/ws/2/1", "/ws/2/2", "/ws/2/3", "/ws/2/4"}},  // 1 -> 2 -> 3 -> 4 -> 5
  };
  server.setze("/ws/2/a", {302, "", "Location: /ws/2/b\r\n", false});
  server.setze("/ws/2/b", {302, "", "Location: /ws/2/a\r\n", false});
  for (int i = 1; i <= 4; ++i)
    server.setze("/ws/2/" + std::to_string(i), {302, "", "Location: /ws/2/" + std::to_string(i + 1) + "\r\n", false});
  server.setze("/ws/2/5", {200, "{}", "", false});
  std::size_t bisher = 0;
  for (const auto& f : faelle) {
    EXPECT_EQ(dienstAbfragen(b + f.start, grenzen_, abbrechen_).fehler, TDienstFehler::Umleitungen) << f.start;
    const auto alle = server.anfragen();
    EXPECT_EQ(std::vector<std::string>(alle.begin() + static_cast<long>(bisher), alle.end()), f.anfragen);
    bisher = alle.size();
  }
}

TEST_F(Dienst, UnbestaetigtesZertifikat) {
  TTestServer server(true);
  grenzen_.abstandMs = 0;
  const QString a = QString::fromStdString(server.adresse()) + "ws/2/x";
  server.setze("/ws/2/x", {200, "{}", "", false});
  EXPECT_EQ(dienstAbfragen(a, grenzen_, abbrechen_).fehler, TDienstFehler::Unbestaetigt);
  grenzen_.zertifikate = TESTZERTIFIKAT;
  EXPECT_EQ(dienstAbfragen(a, grenzen_, abbrechen_).fehler, TDienstFehler::Keiner);
}

TEST_F(Dienst, StockenderNamensdienst) {
  grenzen_.abstandMs = 0;
  grenzen_.zeitMs = 500;
  auto start = Uhr::now();
  EXPECT_EQ(dienstAbfragen("https://stockt.test/ws/2/x", grenzen_, abbrechen_).fehler,
            TDienstFehler::Zeitueberschreitung);
  EXPECT_LT(Uhr::now() - start, 1000ms);
  // Closing the window (or the program) does not wait for the look-up either.
  grenzen_.zeitMs = 20000;
  auto hintergrund = std::make_unique<THintergrund>();
  hintergrund->starten(
      [this](const std::atomic<bool>& ab) { return dienstAbfragen("https://stockt.test/", grenzen_, ab); },
      [](const TDienstAntwort&) {});
  std::this_thread::sleep_for(200ms);
  start = Uhr::now();
  hintergrund.reset();
  EXPECT_LT(Uhr::now() - start, 500ms);
}

}  // namespace

namespace {

// The service's address from vemla.ini: https, or plain http only to a literal
// address of this computer or of the home network (a host name could resolve
// to anywhere).
TEST(DienstAdresse, NurSicherOderImEigenenNetz) {
  const struct {
    const char* basis;
    bool erlaubt;
  } faelle[] = {
      {"https://musicbrainz.org/ws/2/", true},   {"https://mb.example.org:8443/ws/2/", true},
      {"http://127.0.0.1:5000/ws/2/", true},     {"http://localhost:5000/ws/2/", true},
      {"http://[::1]:5000/ws/2/", true},         {"http://192.168.1.10:5000/ws/2/", true},
      {"http://10.0.0.2/ws/2/", true},           {"http://172.16.5.4/ws/2/", true},
      {"http://172.31.255.254/ws/2/", true},     {"http://169.254.3.4/ws/2/", true},
      {"http://[fd12:3456::1]/ws/2/", true},     {"http://[fe80::1]/ws/2/", true},
      {"http://172.32.0.1/ws/2/", false},        {"http://8.8.8.8/ws/2/", false},
      {"http://musicbrainz.org/ws/2/", false},   {"http://mirror.fritz.box/ws/2/", false},
      {"http://192.168.1.10.example.com/", false}, {"http://[2001:db8::1]/ws/2/", false},
      {"http://[::ffff:192.168.1.1]/ws/2/", false}, {"ftp://192.168.1.10/ws/2/", false},
      {"musicbrainz.org/ws/2/", false},          {"", false},
  };
  for (const auto& f : faelle) EXPECT_EQ(dienstErlaubt(f.basis), f.erlaubt) << f.basis;
}

}  // namespace
