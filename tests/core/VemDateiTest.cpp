#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <random>

#include "core/UFehler.h"
#include "core/UVemDatei.h"
#include "tests/support/FehlerText.h"
#include "tests/support/TempOrdner.h"

namespace {

TDatensatz zufallsDatensatz(std::mt19937& rng) {
  TDatensatz d;
  auto* b = reinterpret_cast<unsigned char*>(&d);
  for (std::size_t i = 0; i < sizeof d; ++i) b[i] = static_cast<unsigned char>(rng());
  return d;
}

TDatBas sammlung(int n, unsigned saat = 1) {
  std::mt19937 rng(saat);
  TDatBas db;
  for (int i = 0; i < n; ++i) db.add_datensatz(zufallsDatensatz(rng));
  return db;
}

TEST(VemDatei, RundreiseIstByteGenau) {
  TempOrdner tmp;
  const TDatBas db = sammlung(3);
  vemSchreiben(tmp.pfad("a.vem"), db);
  const std::string bytes = dateiInhalt(tmp.pfad("a.vem"));
  ASSERT_EQ(bytes.size(), 5376u);

  TDatBas zurueck;
  std::vector<std::string> gemeldet;
  EXPECT_EQ(vemAnhaengen(tmp.pfad("a.vem"), zurueck, MAX_DATENSAETZE,
                         [&](const TDatensatz& d) { gemeldet.push_back(listenzeile(d)); }),
            3);
  ASSERT_EQ(zurueck.get_anzahl(), 3);
  EXPECT_EQ(gemeldet.size(), 3u);
  for (int i = 1; i <= 3; ++i) {
    TDatensatz a, b;
    db.get_datensatz(i, a);
    zurueck.get_datensatz(i, b);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << i;
  }
  vemSchreiben(tmp.pfad("b.vem"), zurueck);
  EXPECT_TRUE(dateiInhalt(tmp.pfad("b.vem")) == bytes);
}

TEST(VemDatei, LeereSammlungGibtLeereDatei) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("leer.vem"), TDatBas());
  EXPECT_EQ(dateiInhalt(tmp.pfad("leer.vem")).size(), 0u);
  TDatBas db;
  EXPECT_EQ(vemAnhaengen(tmp.pfad("leer.vem"), db), 0);
  EXPECT_EQ(db.get_anzahl(), 0);
}

TEST(VemDatei, UnvollstaendigerRestMeldetDateiende) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("a.vem"), sammlung(2));
  dateiSchreiben(tmp.pfad("kaputt.vem"), dateiInhalt(tmp.pfad("a.vem")) + std::string(100, 'x'));
  TDatBas db;
  EXPECT_EQ(fehlerText([&] { vemAnhaengen(tmp.pfad("kaputt.vem"), db); }), "Versuch hinter dem Dateiende zu lesen");
  EXPECT_EQ(db.get_anzahl(), 2);  // the complete records stay
}

TEST(VemDatei, GrenzeBeim_Laden) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("zehn.vem"), sammlung(10));
  struct Fall {
    int vorher, erwartetAngehaengt;
  } faelle[] = {{3995, 5}, {3990, 10}, {4000, 0}, {0, 10}};
  for (const auto& f : faelle) {
    TDatBas db = sammlung(f.vorher, 2);
    EXPECT_EQ(vemAnhaengen(tmp.pfad("zehn.vem"), db), f.erwartetAngehaengt);
    EXPECT_EQ(db.get_anzahl(), f.vorher + f.erwartetAngehaengt);
  }
  // At the limit a partial tail is never reached, so it is no error.
  dateiSchreiben(tmp.pfad("rest.vem"), dateiInhalt(tmp.pfad("zehn.vem")) + "xyz");
  TDatBas db = sammlung(3995, 3);
  EXPECT_EQ(vemAnhaengen(tmp.pfad("rest.vem"), db), 5);
}

TEST(VemDatei, GrosseDateienMitUndOhneRest) {
  // Files of many records around the sizes the loader takes in at a time, some
  // with a partial record behind them, loaded with and without a limit in reach.
  struct Fall {
    int saetze, restBytes, vorher, grenze, erwartet;
    bool dateiende;
  } faelle[] = {
      {63, 0, 0, MAX_DATENSAETZE, 63, false},   {64, 0, 0, MAX_DATENSAETZE, 64, false},
      {65, 0, 0, MAX_DATENSAETZE, 65, false},   {128, 0, 0, MAX_DATENSAETZE, 128, false},
      {64, 1, 0, MAX_DATENSAETZE, 64, true},    {65, 1791, 0, MAX_DATENSAETZE, 65, true},
      {0, 1791, 0, MAX_DATENSAETZE, 0, true},   {130, 5, 0, 100, 100, false},
      {130, 5, 0, 64, 64, false},               {64, 7, 0, 64, 64, false},
      {64, 7, 0, 65, 64, true},                 {70, 3, 10, 80, 70, false},
      {69, 3, 10, 80, 69, true},                {100, 0, 3950, MAX_DATENSAETZE, 50, false},
      {100, 9, 3950, MAX_DATENSAETZE, 50, false}, {40, 9, 3950, MAX_DATENSAETZE, 40, true},
  };
  TempOrdner tmp;
  for (const auto& f : faelle) {
    SCOPED_TRACE(std::to_string(f.saetze) + " Saetze + " + std::to_string(f.restBytes) + " Bytes, vorher " +
                 std::to_string(f.vorher) + ", Grenze " + std::to_string(f.grenze));
    const TDatBas quelle = sammlung(f.saetze, 11);
    vemSchreiben(tmp.pfad("q.vem"), quelle);
    dateiSchreiben(tmp.pfad("q.vem"), dateiInhalt(tmp.pfad("q.vem")) + std::string(f.restBytes, 'r'));
    TDatBas db = sammlung(f.vorher, 12);
    TDatensatz letzterVorher;
    db.get_datensatz(f.vorher, letzterVorher);
    int angehaengt = -1, gemeldet = 0;
    const std::string text = fehlerText([&] {
      angehaengt = vemAnhaengen(tmp.pfad("q.vem"), db, f.grenze, [&](const TDatensatz&) { ++gemeldet; });
    });
    EXPECT_EQ(text, f.dateiende ? "Versuch hinter dem Dateiende zu lesen" : "kein Fehler");
    if (!f.dateiende) {
      EXPECT_EQ(angehaengt, f.erwartet);
    }
    EXPECT_EQ(gemeldet, f.erwartet);
    ASSERT_EQ(db.get_anzahl(), f.vorher + f.erwartet);
    TDatensatz a, b;
    db.get_datensatz(f.vorher, a);
    EXPECT_EQ(std::memcmp(&a, &letzterVorher, sizeof a), 0);  // what was there stays
    for (int i = 1; i <= f.erwartet; ++i) {
      quelle.get_datensatz(i, a);
      db.get_datensatz(f.vorher + i, b);
      ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "Satz " << i;
    }
  }
}

TEST(VemDatei, GenauViertausend) {
  TempOrdner tmp;
  const TDatBas quelle = sammlung(4000, 3);
  vemSchreiben(tmp.pfad("voll.vem"), quelle);
  const std::string bytes = dateiInhalt(tmp.pfad("voll.vem"));
  ASSERT_EQ(bytes.size(), 4000u * 1792);
  TDatBas db;
  EXPECT_EQ(vemAnhaengen(tmp.pfad("voll.vem"), db), 4000);
  // Every record is read byte for byte, the first and the last at their places.
  TDatensatz a, b;
  for (int pos : {1, 2, 2000, 3999, 4000}) {
    quelle.get_datensatz(pos, a);
    db.get_datensatz(pos, b);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << pos;
    EXPECT_EQ(std::memcmp(&b, bytes.data() + static_cast<std::size_t>(pos - 1) * 1792, 1792), 0) << pos;
  }
  vemSchreiben(tmp.pfad("zurueck.vem"), db);
  EXPECT_TRUE(dateiInhalt(tmp.pfad("zurueck.vem")) == bytes);
}

TEST(VemDatei, LesefehlerTexte) {
  TempOrdner tmp;
  TDatBas db;
  EXPECT_EQ(fehlerText([&] { vemAnhaengen(tmp.pfad("fehlt.vem"), db); }), "Datei nicht gefunden");
  EXPECT_EQ(fehlerText([&] { vemAnhaengen(tmp.pfad(), db); }), "Dateizugriff verweigert");
}

class SchreibFehler : public ::testing::Test {
 protected:
  void SetUp() override {
    alt_ = sammlung(2, 7);
    vemSchreiben(tmp_.pfad("alt.vem"), alt_);
    altBytes_ = dateiInhalt(tmp_.pfad("alt.vem"));
  }
  TempOrdner tmp_;
  TDatBas alt_;
  std::string altBytes_;
};

TEST_F(SchreibFehler, SchreibgeschuetzterOrdnerOderDateiBehaeltAlteDatei) {
  ::chmod(tmp_.pfad().c_str(), 0555);
  {
    OhneRootRechte ohne;
    EXPECT_EQ(fehlerText([&] { vemSchreiben(tmp_.pfad("alt.vem"), sammlung(5)); }), "Dateizugriff verweigert");
    EXPECT_EQ(fehlerText([&] { vemSchreiben(tmp_.pfad("neu.vem"), sammlung(5)); }), "Dateizugriff verweigert");
  }
  ::chmod(tmp_.pfad().c_str(), 0777);
  ::chmod(tmp_.pfad("alt.vem").c_str(), 0444);
  {
    OhneRootRechte ohne;
    EXPECT_EQ(fehlerText([&] { vemSchreiben(tmp_.pfad("alt.vem"), sammlung(5)); }), "Dateizugriff verweigert");
  }
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("alt.vem")) == altBytes_);
  EXPECT_FALSE(dateiExistiert(tmp_.pfad("neu.vem")));
}

TEST_F(SchreibFehler, VolleFestplatteBehaeltAlteDateiUndRaeumtAuf) {
  // A file size limit makes the write fail part-way, as a full disk does.
  struct rlimit alt;
  ::getrlimit(RLIMIT_FSIZE, &alt);
  auto altesSignal = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit klein = alt;
  klein.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &klein);
  const std::string text = fehlerText([&] { vemSchreiben(tmp_.pfad("alt.vem"), sammlung(50)); });
  ::setrlimit(RLIMIT_FSIZE, &alt);
  std::signal(SIGXFSZ, altesSignal);
  EXPECT_EQ(text, "Zu wenig Speicherplatz");
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("alt.vem")) == altBytes_);
  int dateien = 0;
  for (auto& e : std::filesystem::directory_iterator(tmp_.pfad())) (void)e, ++dateien;
  EXPECT_EQ(dateien, 1);  // no temporary file left behind
}

TEST_F(SchreibFehler, DevFullMeldetSpeicherplatz) {
  if (!dateiExistiert("/dev/full")) GTEST_SKIP();
  EXPECT_EQ(fehlerText([&] { vemSchreiben("/dev/full", sammlung(3)); }), "Zu wenig Speicherplatz");
}

TEST_F(SchreibFehler, FehlenderOrdner) {
  EXPECT_EQ(fehlerText([&] { vemSchreiben(tmp_.pfad("gibtsnicht/x.vem"), alt_); }), "Datei nicht gefunden");
}

TEST(VemDatei, UeberschreibenBehaeltRechteUndFolgtLinks) {
  TempOrdner tmp;
  vemSchreiben(tmp.pfad("z.vem"), sammlung(1));
  ::chmod(tmp.pfad("z.vem").c_str(), 0600);
  std::filesystem::create_symlink(tmp.pfad("z.vem"), tmp.pfad("link.vem"));
  vemSchreiben(tmp.pfad("link.vem"), sammlung(2));
  EXPECT_TRUE(std::filesystem::is_symlink(tmp.pfad("link.vem")));
  EXPECT_EQ(dateiInhalt(tmp.pfad("z.vem")).size(), 2 * DATENSATZ_GROESSE);
  struct stat st;
  ::stat(tmp.pfad("z.vem").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(EAFehler, TexteNachNummer) {
  EXPECT_STREQ(eaFehler(EA_UNGUELTIGER_NAME).what(), "Ungültiger Dateiname");
  EXPECT_STREQ(eaFehler(EA_ZU_VIELE_DATEIEN).what(), "Zu viele geöffnete Dateien");
  EXPECT_STREQ(eaFehlerAusErrno(EIO).what(), "E/A-Fehler 5");
  EXPECT_STREQ(eaFehlerAusErrno(EMFILE).what(), "Zu viele geöffnete Dateien");
}

}  // namespace
