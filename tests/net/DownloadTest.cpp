// The blocking download: only whole files arrive, failures leave nothing behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "net/UDownload.h"
#include "tests/net/TestServer.h"
#include "tests/support/TempOrdner.h"

namespace {

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
    ASSERT_TRUE(dateiHerunterladen(server.adresse() + pfad, ziel)) << pfad;
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
    EXPECT_FALSE(dateiHerunterladen(server.adresse() + pfad, ziel)) << pfad;
    EXPECT_EQ(dateiInhalt(ziel), "alte Version") << pfad;
    EXPECT_EQ(dateienIn(tmp.pfad()), std::vector<std::string>{"install.exe"}) << pfad;
  }
  // A folder that does not exist, and no server at all on a closed port.
  EXPECT_FALSE(dateiHerunterladen(server.adresse() + "fehler.exe", tmp.pfad("fehlt/install.exe")));
  EXPECT_FALSE(dateiHerunterladen("http://127.0.0.1:9/setup.exe", ziel));
  EXPECT_EQ(dateiInhalt(ziel), "alte Version");
}

}  // namespace
