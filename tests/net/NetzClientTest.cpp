// The update's downloads and the online look-up go through one network client:
// the same redirect rule and the same User-Agent for both.
#include <gtest/gtest.h>

#include <QString>
#include <functional>

#include "net/UDownload.h"
#include "online/UMBDienst.h"
#include "tests/net/TestServer.h"
#include "tests/net/Testzertifikat.h"
#include "tests/support/TempOrdner.h"

namespace {

using namespace std::chrono_literals;

TEST(NetzClient, EineUmleitungsregelFuerUpdateUndSuche) {
  TTestServer klar, sicher(true);
  TempOrdner tmp;
  const std::string k = klar.adresse();
  const std::string port = k.substr(17, k.size() - 18);
  klar.setze("/ziel", {200, "{}", "", false});
  klar.setze("/weiter", {302, "", "Location: /ziel\r\n", false});
  klar.setze("/a", {302, "", "Location: /b\r\n", false});
  klar.setze("/b", {302, "", "Location: /a\r\n", false});
  klar.setze("/fremd", {302, "", "Location: http://[::ffff:127.0.0.1]:" + port + "/ziel\r\n", false});
  klar.setze("/ftp", {302, "", "Location: ftp://127.0.0.1/ziel\r\n", false});
  sicher.setze("/runter", {302, "", "Location: " + k + "ziel\r\n", false});

  std::atomic<bool> abbrechen{false};
  TDienstGrenzen grenzen;
  grenzen.abstandMs = 0;
  grenzen.zertifikate = TESTZERTIFIKAT;
  const struct {
    const char* name;
    std::function<bool(const std::string&)> holen;
  } aufrufer[] = {
      {"Update",
       [&](const std::string& a) {
         return dateiHerunterladen(a, tmp.pfad("datei"), {1 << 20, 60s, 0, 0s});
       }},
      {"Suche",
       [&](const std::string& a) {
         return dienstAbfragen(QString::fromStdString(a), grenzen, abbrechen).fehler == TDienstFehler::Keiner;
       }},
  };
  const struct {
    bool vonSicher;
    const char* pfad;
    bool erfolg;
    std::vector<std::string> anfragen;  // at the plain server
  } faelle[] = {
      {false, "weiter", true, {"/weiter", "/ziel"}},  // http of this computer to http of this computer
      {false, "a", false, {"/a", "/b"}},              // a -> b -> a: a circle
      {false, "fremd", false, {"/fremd"}},            // http to an address that is not this computer
      {false, "ftp", false, {"/ftp"}},
      {true, "runter", false, {}},  // https back to http
  };
  for (const auto& a : aufrufer) {
    for (const auto& f : faelle) {
      // The update takes no certificates of its own: it cannot trust the test server.
      if (f.vonSicher && std::string(a.name) == "Update") continue;
      const std::size_t bisher = klar.anfragen().size();
      EXPECT_EQ(a.holen((f.vonSicher ? sicher.adresse() : k) + f.pfad), f.erfolg) << a.name << " " << f.pfad;
      const auto alle = klar.anfragen();
      EXPECT_EQ(std::vector<std::string>(alle.begin() + static_cast<long>(bisher), alle.end()), f.anfragen)
          << a.name << " " << f.pfad;
    }
  }
  for (const std::string& kopf : klar.anfrageKoepfe())
    EXPECT_NE(kopf.find("\r\nUser-Agent: Vemla/1.0.6 ( info@vemla.de )\r\n"), std::string::npos) << kopf;
}

}  // namespace
