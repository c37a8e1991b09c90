// The blocking download: only whole files arrive, failures leave nothing behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "net/UDownload.h"
#include "tests/net/TestServer.h"
#include "tests/support/TempOrdner.h"

namespace {

using namespace std::chrono_literals;

// Room enough for every test file, and time enough for a loaded test machine.
const TDownloadGrenzen WEIT{1 << 24, 60s, 0, 0s};

std::string binaerDaten(std::size_t n) {
  std::string d(n, '\0');
  for (std::size_t i = 0; i < n; ++i) d[i] = static_cast<char>((i * 7919 + i / 253) & 0xFF);
  return d;
}

std::vector<std::string> dateienIn(const std::string& ordner) {
  std::vector<std::string> r;
  for (const auto& e : std::filesystem::directory_iterator(ordner)) r.push_back(e.path().filename().string());
  std::sort(r.begin(), r.end());
  return r;
}

TEST(Download, NurSichereOderEigeneAdressen) {
  const struct {
    const char* adresse;
    bool erlaubt;
  } faelle[] = {
      {"https://www.vemla.de/update/dl.txt", true},
      {"HTTPS://WWW.VEMLA.DE/setup.exe", true},
      {"http://127.0.0.1:8080/dl.txt", true},
      {"http://127.0.0.5/x", true},
      {"http://localhost/x", true},
      {"http://[::1]:80/x", true},
      {"http://[::ffff:127.0.0.1]/x", false},
      {"http://www.vemla.de/setup.exe", false},
      {"http://127.0.0.1.example.com/x", false},
      {"http://127.0.0.1@example.com/x", false},
      {"http://128.0.0.1/x", false},
      {"ftp://127.0.0.1/x", false},
      {"file:///etc/passwd", false},
      {"", false},
      {"setup.exe", false},
  };
  for (const auto& f : faelle) EXPECT_EQ(downloadErlaubt(f.adresse), f.erlaubt) << f.adresse;
}

TEST(Download, GanzeDateiKommtAn) {
  TTestServer server;
  TempOrdner tmp;
  const std::string daten = binaerDaten(300000);
  server.setze("/setup.exe", {200, daten, "", false});
  server.setze("/weiter", {302, "", "Location: /setup.exe\r\n", false});
  for (const char* pfad : {"setup.exe", "weiter"}) {
    const std::string ziel = tmp.pfad(std::string("ziel-") + pfad);
    ASSERT_TRUE(dateiHerunterladen(server.adresse() + pfad, ziel, WEIT)) << pfad;
    EXPECT_TRUE(dateiInhalt(ziel) == daten) << pfad;
  }
  EXPECT_EQ(dateienIn(tmp.pfad()), (std::vector<std::string>{"ziel-setup.exe", "ziel-weiter"}));
}

TEST(Download, FehlschlagLaesstNichtsZurueck) {
  TTestServer server;
  TempOrdner tmp;
  server.setze("/halb.exe", {200, binaerDaten(100000), "", true});
  server.setze("/fehler.exe", {500, "Serverfehler", "", false});
  const std::string ziel = tmp.pfad("install.exe");
  dateiSchreiben(ziel, "alte Version");
  for (const char* pfad : {"fehlt.exe", "halb.exe", "fehler.exe"}) {
    EXPECT_FALSE(dateiHerunterladen(server.adresse() + pfad, ziel, WEIT)) << pfad;
    EXPECT_EQ(dateiInhalt(ziel), "alte Version") << pfad;
    EXPECT_EQ(dateienIn(tmp.pfad()), std::vector<std::string>{"install.exe"}) << pfad;
  }
  // A folder that does not exist, and no server at all on a closed port.
  EXPECT_FALSE(dateiHerunterladen(server.adresse() + "fehler.exe", tmp.pfad("fehlt/install.exe"), WEIT));
  EXPECT_FALSE(dateiHerunterladen("http://127.0.0.1:9/setup.exe", ziel, WEIT));
  EXPECT_EQ(dateiInhalt(ziel), "alte Version");
}

TEST(Download, GrenzenBeendenDenTransfer) {
  TTestServer server;
  TempOrdner tmp;
  const std::string tausend = binaerDaten(1000);
  server.setze("/genau", {200, tausend, "", false});
  server.setze("/zuviel", {200, tausend + "x", "", false});
  server.setze("/zuviel-ohne-laenge", {200, tausend + "x", "", false, true});
  server.setze("/angekuendigt", {200, "", "Content-Length: 536870913\r\n", false, true});
  // 100 bytes a second: 15 s for the whole body.
  server.setze("/langsam", {200, std::string(1500, 'x'), "", false, false, 10});
  const struct {
    const char* pfad;
    TDownloadGrenzen grenzen;
    bool erfolg;
  } faelle[] = {
      {"genau", {1000, 60s, 0, 0s}, true},
      {"zuviel", {1000, 60s, 0, 0s}, false},
      {"zuviel-ohne-laenge", {1000, 60s, 0, 0s}, false},
      {"angekuendigt", {512 << 20, 60s, 0, 0s}, false},
      {"langsam", {1 << 20, 600ms, 0, 0s}, false},  // in all too long
      {"langsam", {1 << 20, 0ms, 1000, 1s}, false},  // on average too slow
  };
  const std::string ziel = tmp.pfad("install.exe");
  for (const auto& f : faelle) {
    std::filesystem::remove(ziel);
    EXPECT_EQ(dateiHerunterladen(server.adresse() + f.pfad, ziel, f.grenzen), f.erfolg) << f.pfad;
    EXPECT_EQ(dateienIn(tmp.pfad()), f.erfolg ? std::vector<std::string>{"install.exe"} : std::vector<std::string>{})
        << f.pfad;
  }
}

TEST(Download, JedeUmleitungWirdGeprueft) {
  TTestServer server;
  TempOrdner tmp;
  const std::string port = server.adresse().substr(17, server.adresse().size() - 18);
  server.setze("/setup.exe", {200, "MZ", "", false});
  // The same server, but under a name that is no loopback address of the download rules.
  server.setze("/fremd", {302, "", "Location: http://[::ffff:127.0.0.1]:" + port + "/setup.exe\r\n", false});
  server.setze("/ftp", {302, "", "Location: ftp://127.0.0.1/setup.exe\r\n", false});
  server.setze("/kreis", {302, "", "Location: /kreis\r\n", false});
  server.setze("/ohne-ziel", {302, "", "", false});
  for (const char* pfad : {"fremd", "ftp", "kreis", "ohne-ziel"})
    EXPECT_FALSE(dateiHerunterladen(server.adresse() + pfad, tmp.pfad("install.exe"), WEIT)) << pfad;
  const auto anfragen = server.anfragen();
  EXPECT_EQ(std::count(anfragen.begin(), anfragen.end(), "/setup.exe"), 0);
  EXPECT_EQ(std::count(anfragen.begin(), anfragen.end(), "/kreis"), 11);
  EXPECT_TRUE(dateienIn(tmp.pfad()).empty());
}

TEST(Download, ResteEinesAbgebrochenenLaufsWerdenEntfernt) {
  TTestServer server;
  TempOrdner tmp;
  for (const char* name : {"install.exe.download-a1B2c3", "install.exe.download-laeuft", "install.exe.download-kurz",
                           "anders.exe.download-a1B2c3"})
    dateiSchreiben(tmp.pfad(name), "Rest");
  // A download still running in another copy of the program keeps its file locked.
  const int laufend = ::open(tmp.pfad("install.exe.download-laeuft").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(laufend, LOCK_EX), 0);
  EXPECT_FALSE(dateiHerunterladen(server.adresse() + "fehlt.exe", tmp.pfad("install.exe"), WEIT));
  ::close(laufend);
  EXPECT_EQ(dateienIn(tmp.pfad()), (std::vector<std::string>{"anders.exe.download-a1B2c3",
                                                             "install.exe.download-kurz",
                                                             "install.exe.download-laeuft"}));
}

}  // namespace
