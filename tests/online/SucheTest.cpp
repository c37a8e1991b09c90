// The online look-up's work without a window: the controller's collection, a
// source of releases (the online music database on 127.0.0.1, or one of the
// test's own), and the signals a window would show.
#include <QSignalSpy>
#include <QTest>

#include "core/UDatentypen.h"
#include "online/UOnlineSuche.h"
#include "tests/net/TestServer.h"
#include "tests/support/ConnectAnsicht.h"

namespace {

std::string kennung(const std::string& c) { return "00000000-0000-4000-8000-0000" + c; }

// A search answer with a release per barcode; "mitKennung": each with its identifier, to be looked up for genres.
std::string antwort(const std::vector<std::string>& codes, bool mitKennung = true) {
  std::string r = "{\"count\":" + std::to_string(codes.size()) + ",\"offset\":0,\"releases\":[";
  for (std::size_t i = 0; i < codes.size(); ++i)
    r += std::string(i ? "," : "") + "{" + (mitKennung ? "\"id\":\"" + kennung(codes[i]) + "\"," : "") +
         "\"title\":\"Titel " + codes[i] + "\",\"status\":\"Official\",\"barcode\":\"" + codes[i] +
         "\",\"artist-credit\":[{\"name\":\"Band\"}],\"media\":[{\"format\":\"CD\"}]}";
  return r + "]}";
}

class MeldendeAnsicht : public TStilleAnsicht {
 public:
  void melden(TConnectMeldung m) override { meldungen.push_back(m); }
  std::vector<TConnectMeldung> meldungen;
};

class OnlineSuche : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    c_.setAnsicht(&ansicht_);
    suche_.grenzen.abstandMs = 0;
    suche_.grenzen.zeitMs = 3000;
    suche_.setBereit(true);
  }
  void warten() { ASSERT_TRUE(QTest::qWaitFor([this] { return !suche_.sucht(); }, 10000)); }
  std::string titel(int k) const {
    TDatensatz d;
    db_.get_datensatz(k, d);
    return d.Titel.text();
  }

  MeldendeAnsicht ansicht_;
  TTestServer server_;
  QString adresse_ = QString::fromStdString(server_.adresse()) + "ws/2/";
  TOnlineSuche suche_{quelleErzeugen("MusicBrainz", [this] { return adresse_; }), &c_};
};

// Scans made while a search runs go out together in the next; a barcode without a release is a line of its own.
TEST_F(OnlineSuche, ScansGebuendelt) {
  server_.setze("/ws/2/release/?query=barcode%3A40000001&*", {200, antwort({"40000001"}), "", false, false, 0, 200});
  server_.setze("/ws/2/release/?query=barcode%3A40000002%20OR*", {200, antwort({"40000002"}), "", false});
  QSignalSpy meldungen(&suche_, &TOnlineSuche::meldungNeu);
  for (const char* c : {"40000001", "40000002", "40000003"}) suche_.scannen(c);
  warten();
  ASSERT_EQ(suche_.ergebnisse().size(), 2u);
  EXPECT_EQ(suche_.ergebnisse()[0].v.titel, "Titel 40000001");
  EXPECT_EQ(suche_.ergebnisse()[1].v.titel, "Titel 40000002");
  EXPECT_TRUE(suche_.ergebnisse()[1].ausScan);
  ASSERT_EQ(meldungen.size(), 1);
  EXPECT_EQ(meldungen[0][0].toString(), QString::fromUtf8("Strichcode 40000003: keine Veröffentlichung gefunden"));
  EXPECT_EQ(suche_.status(), QString::fromUtf8("2 Strichcodes: 1 Veröffentlichung gefunden."));
  EXPECT_EQ(server_.anfragen().size(), 2u);
}

// Taking over looks each release up once for its genres, counts, and can be
// cancelled: what was looked up by then is added, as one step of undo.
TEST_F(OnlineSuche, GenresGezaehltUndAbgebrochen) {
  const std::vector<std::string> codes = {"40000001", "40000001", "40000002", "40000003"};
  for (const std::string& c : codes) {
    server_.setze("/ws/2/release/?query=barcode%3A" + c + "&*", {200, antwort({c}), "", false});
    server_.setze("/ws/2/release/" + kennung(c) + "?*",
                  {200, "{\"id\":\"" + kennung(c) + "\",\"title\":\"Titel " + c + "\",\"artist-credit\":[{\"name\":"
                        "\"Band\"}],\"media\":[{\"format\":\"CD\"}],\"genres\":[{\"name\":\"rock\",\"count\":3}]}", "", false});
  }
  for (const std::string& c : codes) {
    suche_.scannen(QString::fromStdString(c));
    warten();
  }
  suche_.grenzen.abstandMs = 500;
  bool versucht = false;
  suche_.uebernehmen({0, 1, 2, 3}, [&](bool v) { versucht = v; });
  EXPECT_EQ(suche_.status(), "Genres: 0 von 3");
  ASSERT_TRUE(QTest::qWaitFor([this] { return suche_.status() == "Genres: 1 von 3"; }, 3000));
  suche_.abbrechen();
  EXPECT_FALSE(suche_.sucht());
  EXPECT_TRUE(versucht);
  EXPECT_EQ(suche_.status(), QString::fromUtf8("2 Datensätze wurden übernommen. Abgebrochen – 2 nicht übernommen."));
  ASSERT_EQ(db_.get_anzahl(), 2);
  TDatensatz d;
  db_.get_datensatz(1, d);
  EXPECT_EQ(d.Genre.text(), "Rock");
  EXPECT_EQ(titel(2), "Titel 40000001");
  c_.rueckgaengig();
  EXPECT_EQ(db_.get_anzahl(), 0);
  int nachgeschlagen = 0;
  for (const std::string& a : server_.anfragen()) nachgeschlagen += a.starts_with("/ws/2/release/" + kennung(codes[0]));
  EXPECT_EQ(nachgeschlagen, 1);
}

// The adding stops at the collection's limit with the controller's one message.
TEST_F(OnlineSuche, UebernehmenBisZurGrenze) {
  for (int i = 1; i < MAX_DATENSAETZE; ++i) db_.add_datensatz(datensatzAus("A", "T" + std::to_string(i), "", "", "", "", ""));
  server_.setze("/ws/2/release/?query=barcode%3A40000001&*", {200, antwort({"40000001", "40000002"}, false), "", false});
  suche_.scannen("40000001");
  warten();
  ASSERT_EQ(suche_.ergebnisse().size(), 2u);
  QSignalSpy uebernommen(&suche_, &TOnlineSuche::ergebnisUebernommen);
  suche_.uebernehmen({0, 1}, {});
  EXPECT_EQ(db_.get_anzahl(), MAX_DATENSAETZE);
  EXPECT_EQ(titel(MAX_DATENSAETZE), "Titel 40000001");
  EXPECT_EQ(ansicht_.meldungen, std::vector<TConnectMeldung>{TConnectMeldung::SammlungVoll});
  ASSERT_EQ(uebernommen.size(), 1);
  EXPECT_EQ(uebernommen[0][0].toInt(), 0);
  EXPECT_EQ(suche_.status(), "1 Datensatz wurde übernommen.");
}

// Another source is one class: a search by name with its further pages, and a source that may not be asked.
class TZweiSeiten : public TQuelle {
 public:
  bool erlaubt() const override { return frei; }
  TSeitenArbeit nameSuche(const QString&, const QString&) const override {
    return [](int versatz, const TDienstGrenzen&) -> TArbeit {
      const std::vector<std::string> seite = versatz == 0 ? std::vector<std::string>{"1", "2"} : std::vector<std::string>{"3"};
      QByteArray a = QByteArray::fromStdString(antwort(seite, false)).replace("\"count\":" + QByteArray::number(seite.size()), "\"count\":3");
      return [a](const std::atomic<bool>&) { return TDienstAntwort{TDienstFehler::Keiner, a}; };
    };
  }
  TArbeit strichcodeSuche(TCodesBeimSenden, const TDienstGrenzen&) const override { return {}; }
  TArbeit discSuche(std::function<TDiscId()>, const TDienstGrenzen&) const override { return {}; }
  QString genreSchluessel(const QString&) const override { return {}; }
  TArbeit genreSuche(const QStringList&, const TDienstGrenzen&, TErhalten) const override { return {}; }
  std::optional<TAntwortSeite> seiteLesen(const QByteArray& a) const override { return antwortSeiteLesen(a); }
  std::optional<TVeroeffentlichung> veroeffentlichungLesen(const QByteArray&, const QString&) const override { return {}; }
  bool frei = true;
};

TEST_F(OnlineSuche, EigeneQuelleMitWeiterenSeiten) {
  auto* quelle = new TZweiSeiten;
  TOnlineSuche s(std::unique_ptr<TQuelle>(quelle), &c_);
  s.nameSuchen("Band", "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !s.sucht(); }, 5000));
  EXPECT_EQ(s.status(), QString::fromUtf8("2 von 3 gezeigt – bitte genauer suchen"));
  EXPECT_TRUE(s.weitereMoeglich());
  s.weitereLaden();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !s.sucht(); }, 5000));
  ASSERT_EQ(s.ergebnisse().size(), 3u);
  EXPECT_EQ(s.ergebnisse()[2].v.titel, "Titel 3");
  EXPECT_FALSE(s.weitereMoeglich());
  QSignalSpy fehler(&s, &TOnlineSuche::fehler);
  quelle->frei = false;
  s.nameSuchen("Band", "");
  EXPECT_FALSE(s.sucht());
  ASSERT_EQ(fehler.size(), 1);
  EXPECT_EQ(fehler[0][0].toString(), dienstFehlertext(TDienstFehler::DienstAdresse));
  EXPECT_EQ(s.ergebnisse().size(), 3u);
}

}  // namespace
