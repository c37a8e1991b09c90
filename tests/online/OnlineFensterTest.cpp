// The online look-up window, opened from the main window and driven as a user
// does, against a server on 127.0.0.1 answering from hand-written files.
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>
#include <array>
#include <functional>

#include "app/UIniFile.h"
#include "dialogs/UF_add.h"
#include "net/UNetzClient.h"
#include "online/fenster/UFOnline.h"
#include "tests/net/TestServer.h"
#include "tests/online/Testdaten.h"
#include "tests/support/GuiTest.h"

namespace {

using Felder = GespeicherteFelder;

class OnlineFenster : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    plattform_.musikDienstAdresse = QString::fromStdString(server_.adresse()) + "ws/2/";
    O().suche().grenzen.abstandMs = 0;  // the pace of the service is the request tests' concern
    O().suche().grenzen.zeitMs = 3000;
  }
  TFOnline& O() { return *FOnline; }

  // Opens the window from the main window's menu and runs "schritte" while it is open.
  void imFenster(const std::function<void()>& schritte) {
    imModalenFenster([this] { aktion("menue_online")->trigger(); }, schritte);
  }
  void antwort(const std::string& pfad, const char* datei) { server_.setze(pfad, {200, testantwortText(datei), "", false}); }
  // Scans a barcode as a scanner does: the digits, then Enter.
  void scannen(const QString& ziffern) {
    O().e_strichcode->clear();
    tippen(O().e_strichcode, ziffern);
    taste(O().e_strichcode, Qt::Key_Return);
  }
  void warten() { QTRY_VERIFY_WITH_TIMEOUT(!O().sucht(), 10000); }
  int zeilen() const { return FOnline->lv_ergebnisse->topLevelItemCount(); }
  QString zelle(int zeile, int spalte) const { return FOnline->lv_ergebnisse->topLevelItem(zeile)->text(spalte); }
  static Felder felder(int pos) { return gespeicherteFelder(pos); }

  TTestServer server_;
};

TEST_F(OnlineFenster, ErstBeimZeigenAufgebaut) {
  EXPECT_EQ(O().lv_ergebnisse, nullptr);
  EXPECT_EQ(H().findChild<QAction*>("menue_online")->text(), "CD online nachschlagen...");
  eintragen({{"Radiohead", "OK Computer"}, {"Björk", "Homogenic"}});
  markieren(1);
  aktivieren();
  imModalenFenster([this] { QTest::keyClick(H().listbox, Qt::Key_F3, Qt::ControlModifier); }, [&] {
    EXPECT_EQ(O().windowTitle(), "CD online nachschlagen");
    ASSERT_NE(O().lv_ergebnisse, nullptr);
    EXPECT_EQ(O().focusWidget(), O().e_strichcode);
    EXPECT_EQ(O().e_interpret->text(), "Björk");  // the current entry
    EXPECT_EQ(O().e_titel->text(), "Homogenic");
    EXPECT_FALSE(O().pb_warten->isVisible());
    EXPECT_FALSE(O().b_uebernehmen->isEnabled());
  });
  EXPECT_EQ(modale(), std::vector<QString>{"FOnline"});
}

TEST_F(OnlineFenster, StrichcodeScannenUndUebernehmen) {
  antwort("/ws/2/release/?query=barcode%3A724385522925*", "strichcode_eins.json");
  imFenster([&] {
    scannen("724385522925");
    EXPECT_TRUE(O().pb_warten->isVisible());
    warten();
    ASSERT_EQ(zeilen(), 1);
    EXPECT_EQ(zelle(0, 0), "Radiohead");
    EXPECT_EQ(zelle(0, 2), "Parlophone / NODATA 02");
    EXPECT_EQ(zelle(0, 3), "1997");
    EXPECT_EQ(zelle(0, 4), "1x CD");
    EXPECT_EQ(zelle(0, 5), "GB");
    EXPECT_EQ(zelle(0, 7), "");
    O().b_uebernehmen->click();
    warten();  // the release is looked up for its genres: unknown there, it keeps what the search gave
    // The scanner's next disc goes into the barcode line again.
    EXPECT_EQ(O().focusWidget(), O().e_strichcode);
    EXPECT_EQ(O().e_strichcode->selectedText(), "724385522925");
  });
  EXPECT_EQ(DatBas->get_anzahl(), 1);
  EXPECT_EQ(felder(1), (Felder{"Radiohead", "OK Computer", "Parlophone", "1997", "CD - Album (1 CD)",
                               "Alternative Rock", "Kat.-Nr. NODATA 02; EAN 724385522925; GB"}));
  EXPECT_EQ(listenzeilen(), QStringList{"Radiohead - OK Computer"});
  EXPECT_TRUE(Connect->file_changed());
  const auto koepfe = server_.anfrageKoepfe();
  ASSERT_EQ(koepfe.size(), 2u);
  EXPECT_NE(koepfe[0].find("User-Agent: Vemla/1.0.6"), std::string::npos);
  EXPECT_EQ(server_.anfragen()[1], "/ws/2/release/6f1e7c1a-0b1d-4c47-9a59-2b1c9e0e4a01?inc=genres+tags+labels+"
                                   "release-groups+media+artist-credits&fmt=json");
}

// A pick whose Interpret and Titel the collection already holds (case aside)
// is marked and left out once, said in the status line (no box, whose "Ja"
// the next scan would press); the next "Übernehmen" takes it, and a line taken
// over is never added twice. The hint is read without scrolling sideways.
TEST_F(OnlineFenster, BereitsInDerSammlungUndUebernommen) {
  antwort("/ws/2/release/?query=barcode%3A724385522925*", "strichcode_eins.json");
  eintragen({{"RADIOHEAD", "ok computer"}});
  const QString uebersprungen =
      QString::fromUtf8("1 bereits vorhandene übersprungen – erneut Übernehmen, um sie doch zu übernehmen");
  imFenster([&] {
    scannen("724385522925");
    warten();
    ASSERT_EQ(zeilen(), 1);
    EXPECT_EQ(zelle(0, 7), "bereits in der Sammlung");
    const struct {
      int anzahl;
      QString status;
      const char* hinweis;
    } schritte[] = {
        {1, uebersprungen, "bereits in der Sammlung"},
        {2, "1 Datensatz wurde übernommen.", "übernommen, bereits in der Sammlung"},
        {2, "1 Datensatz wurde übernommen.", "übernommen, bereits in der Sammlung"},  // taken over: not again
    };
    QTreeWidgetItem* z = O().lv_ergebnisse->topLevelItem(0);
    for (const auto& s : schritte) {
      z->setSelected(true);
      O().lv_ergebnisse->setFocus();
      taste(O().lv_ergebnisse, Qt::Key_Return);
      warten();
      EXPECT_EQ(DatBas->get_anzahl(), s.anzahl) << s.hinweis;
      EXPECT_EQ(O().L_status->text(), s.status);
      EXPECT_EQ(zelle(0, 7), QString::fromUtf8(s.hinweis));
      // The next scan's digits go into the barcode line and replace the last one.
      tippen(O().focusWidget(), "4006381");
      EXPECT_EQ(O().e_strichcode->text(), "4006381") << s.hinweis;
      O().e_strichcode->setText("724385522925");
      // Readable without scrolling: in the list's width, wrapped where needed,
      // whole in the tooltip and for screen readers.
      const QTreeWidget* lv = O().lv_ergebnisse;
      EXPECT_LE(lv->header()->length(), lv->viewport()->width());
      const QRect zelle7 = lv->visualRect(lv->model()->index(0, 7));
      EXPECT_GE(zelle7.height(), lv->fontMetrics().boundingRect(QRect(0, 0, zelle7.width(), 1000), Qt::TextWordWrap,
                                                                 zelle(0, 7)).height());
      EXPECT_EQ(z->data(7, Qt::AccessibleTextRole).toString(), zelle(0, 7));
      EXPECT_TRUE(z->toolTip(7).startsWith(zelle(0, 7) + ":\nEin Datensatz mit diesem Interpreten"));
    }
  });
  EXPECT_TRUE(plattform_.meldungen.empty());
}

TEST_F(OnlineFenster, MehrereGewaehltInListenreihenfolge) {
  antwort("/ws/2/release/*", "strichcode_mehrere.json");
  eintragen({{"Vorher", "Da"}});
  imFenster([&] {
    scannen("074640912922");
    warten();
    ASSERT_EQ(zeilen(), 3);
    // Picked bottom-up: added in the order of the list.
    O().lv_ergebnisse->topLevelItem(2)->setSelected(true);
    O().lv_ergebnisse->topLevelItem(0)->setSelected(true);
    O().lv_ergebnisse->topLevelItem(1)->setSelected(false);
    O().b_uebernehmen->click();
    warten();
  });
  ASSERT_EQ(DatBas->get_anzahl(), 3);
  EXPECT_EQ(felder(2), (Felder{"Simon & Garfunkel", "Bridge Over Troubled Water", "Columbia", "1970",
                               "12'' Vinyl - Album (2 Vinyls)", "Folk", "Kat.-Nr. KCS 9914; EAN 074640912922; US"}));
  EXPECT_EQ(felder(3), (Felder{"Depeche Mode", "Live in Berlin", "", "", "1x CD + 1x DVD-Video", "", "EAN 074640912922"}));
  EXPECT_EQ(H().listbox->currentRow(), 2);
}

TEST_F(OnlineFenster, ZeichenAusserhalbDerCodepageSichtbar) {
  antwort("/ws/2/release/*", "sonderzeichen.json");
  imFenster([&] {
    O().e_interpret->setText("Dvořák");
    O().e_titel->clear();
    taste(O().e_interpret, Qt::Key_Return);
    warten();
    ASSERT_EQ(zeilen(), 2);
    EXPECT_EQ(zelle(0, 7), "Zeichen ersetzt");
    EXPECT_TRUE(O().lv_ergebnisse->topLevelItem(0)->toolTip(7).endsWith("Interpret, Titel"));
    EXPECT_EQ(zelle(1, 7), "");
    // The add-entry dialog says it on each field it concerns.
    QStringList hinweise;
    O().lv_ergebnisse->setCurrentItem(O().lv_ergebnisse->topLevelItem(0));
    plattform_.fensterSkripte.push_back([&](QDialog&) {
      for (QLineEdit* e : F_add->eingabefelder()) hinweise << e->toolTip() + "|" + e->accessibleDescription();
    });
    O().b_eingabemaske->click();
    EXPECT_EQ(hinweise, (QStringList{"Zeichen ersetzt|Zeichen ersetzt", "Zeichen ersetzt|Zeichen ersetzt", "|", "|",
                                     "|", "|", "|"}));
    O().lv_ergebnisse->selectAll();
    O().b_uebernehmen->click();
  });
  ASSERT_EQ(DatBas->get_anzahl(), 2);
  // The nearest letters of the code page, as the CSV import gives them.
  EXPECT_EQ(felder(1)[0], "Anton\xEDn Dvor\xE1k");
  EXPECT_EQ(felder(1)[1], "Symfonie c. 9 \x84Z nov\xE9ho sveta\x93");
  EXPECT_EQ(felder(2)[0], "Mot\xF6rhead");
  EXPECT_EQ(server_.anfragen()[0], "/ws/2/release/?query=artist%3A%22Dvo%C5%99%C3%A1k%22&limit=25&fmt=json");
}

// Searches by name say what went wrong in a box (a scan says it in the list).
TEST_F(OnlineFenster, JederFehlerMitMeldungUndOhneEintrag) {
  const QString erneut = "\rBitte versuchen Sie es später noch einmal.";
  const struct {
    TTestServer::Antwort antwort;
    QString meldung;
  } faelle[] = {
      {{503, "", "Retry-After: 0\r\n", false}, "Der Dienst ist ausgelastet.\rBitte versuchen Sie es in einigen Minuten noch einmal."},
      {{200, testantwortText("kaputt.json"), "", false}, "Die Antwort des Online-Dienstes konnte nicht gelesen werden." + erneut},
      {{200, testantwortText("leer.json"), "", false}, "Es wurde keine passende Veröffentlichung gefunden."},
      {{200, "{}", "", false, false, 0, 8000}, "Der Online-Dienst hat nicht rechtzeitig geantwortet." + erneut},
      {{400, "<b>Fehler</b>", "", false}, "Der Online-Dienst hat die Anfrage abgelehnt." + erneut},
  };
  eintragen({{"Bleibt", "Allein"}});
  for (const auto& f : faelle) {
    server_.setze("/ws/2/release/*", f.antwort);
    plattform_.meldungen.clear();
    imFenster([&] {
      O().e_interpret->setText("Kraftwerk");
      O().b_name->click();
      warten();
      EXPECT_EQ(zeilen(), 0);
      EXPECT_FALSE(O().b_uebernehmen->isEnabled());
      EXPECT_EQ(O().L_status->text(), f.meldung.section('\r', 0, 0));
    });
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{"Hinweis:|" + f.meldung}) << f.antwort.status;
    EXPECT_EQ(DatBas->get_anzahl(), 1);
  }
  // No connection at all.
  plattform_.musikDienstAdresse = "http://127.0.0.1:9/ws/2/";
  plattform_.meldungen.clear();
  imFenster([&] {
    O().b_name->click();
    warten();
  });
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{"Hinweis:|Der Online-Dienst ist nicht erreichbar.\r"
                                                    "Bitte überprüfen Sie Ihre Internetverbindung."});
}

// A search answer with one release for each barcode, named after it.
std::string strichcodeAntwort(const std::vector<std::string>& codes) {
  std::string r = R"({"count":)" + std::to_string(codes.size()) + R"(,"offset":0,"releases":[)";
  for (const std::string& c : codes)
    r += std::string(&c == &codes.front() ? "" : ",") + R"({"title":"Titel )" + c + R"(","status":"Official","barcode":")" + c +
         R"(","artist-credit":[{"name":"Band"}],"media":[{"format":"CD"}]})";
  return r + "]}";
}

// A stack of discs through a scanner: digits and Enter, the next disc while
// the last is still being looked up. Nothing is lost or merged, the scans made
// during a search go out together, and a barcode without a release says so in
// the list instead of a box the next scan would close.
TEST_F(OnlineFenster, StapelScannenOhneVerlust) {
  std::vector<std::string> codes;
  for (int i = 1; i <= 10; ++i) codes.push_back(std::to_string(40000000 + i));
  // Each search answers for its own barcodes only, as the service does.
  const std::vector<std::string> stapel[] = {{codes[0]}, {codes[1], codes[2], codes[3], codes[5]}, {codes.begin() + 6, codes.end()}};
  for (const auto& treffer : stapel)
    server_.setze("/ws/2/release/?query=barcode%3A" + treffer[0] + (treffer.size() == 1 ? "&*" : "%20OR*"),
                  {200, strichcodeAntwort(treffer), "", false, false, 0, 300});
  auto scanner = [this](const std::string& ziffern) {
    tippen(O().e_strichcode, QString::fromStdString(ziffern));
    taste(O().e_strichcode, Qt::Key_Return);
  };
  imFenster([&] {
    for (int i = 0; i < 6; ++i) scanner(codes[static_cast<std::size_t>(i)]);  // 2 to 6 while 1 is looked up
    QTRY_COMPARE(server_.anfragen().size(), 2u);
    for (int i = 6; i < 10; ++i) scanner(codes[static_cast<std::size_t>(i)]);  // during the second search
    EXPECT_EQ(O().e_strichcode->selectedText(), "40000010");
    warten();
    ASSERT_EQ(zeilen(), 10);
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(zelle(i, i == 4 ? 0 : 6), i == 4 ? QString::fromUtf8("Strichcode 40000005: keine Veröffentlichung gefunden")
                                                 : QString::fromStdString(codes[static_cast<std::size_t>(i)]));
    O().lv_ergebnisse->selectAll();
    O().b_uebernehmen->click();
    warten();
    EXPECT_EQ(O().e_strichcode->selectedText(), "40000010");
    // A failed search is a line for its barcode too.
    server_.setze("/ws/2/release/?query=barcode*", {400, "", "", false});
    scanner("40000011");
    warten();
    EXPECT_EQ(zelle(10, 0), QString::fromUtf8("Strichcode 40000011: Der Online-Dienst hat die Anfrage abgelehnt. Bitte "
                                              "versuchen Sie es später noch einmal."));
    O().b_leeren->click();
    EXPECT_EQ(zeilen(), 0);
  });
  EXPECT_TRUE(plattform_.meldungen.empty());
  const auto anfragen = server_.anfragen();
  ASSERT_EQ(anfragen.size(), 4u);
  EXPECT_EQ(anfragen[1], "/ws/2/release/?query=barcode%3A40000002%20OR%20barcode%3A40000003%20OR%20barcode%3A40000004"
                         "%20OR%20barcode%3A40000005%20OR%20barcode%3A40000006&limit=100&fmt=json");
  ASSERT_EQ(DatBas->get_anzahl(), 9);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(felder(k)[1], "Titel " + codes[static_cast<std::size_t>(k < 5 ? k - 1 : k)]);
}

// 20 discs scanned in quick succession at the service's real pace (one
// request a second): whether it answers at once or after 0.4 s, the scans made
// while the first search waits or runs go out together in the second, when it
// may really go out. Nothing is lost.
TEST_F(OnlineFenster, ZwanzigScansInZweiSuchen) {
  std::vector<std::string> codes;
  for (int i = 1; i <= 20; ++i) codes.push_back(std::to_string(40000000 + i));
  O().suche().grenzen.abstandMs = 1000;
  for (int verzoegerung : {0, 400}) {
    server_.setze("/ws/2/release/?query=barcode%3A" + codes[0] + "&*",
                  {200, strichcodeAntwort({codes[0]}), "", false, false, 0, verzoegerung});
    server_.setze("/ws/2/release/?query=barcode%3A" + codes[1] + "%20OR*",
                  {200, strichcodeAntwort({codes.begin() + 1, codes.end()}), "", false, false, 0, verzoegerung});
    const std::size_t vorher = server_.anfragen().size();
    QTRY_VERIFY_WITH_TIMEOUT(netzJetztFrei(std::chrono::milliseconds(1000)), 3000);
    imFenster([&] {
      for (const std::string& c : codes) {
        tippen(O().e_strichcode, QString::fromStdString(c));
        taste(O().e_strichcode, Qt::Key_Return);
        QTest::qWait(10);
      }
      warten();
      ASSERT_EQ(zeilen(), 20) << verzoegerung;
      for (int i = 0; i < 20; ++i) EXPECT_EQ(zelle(i, 6), QString::fromStdString(codes[static_cast<std::size_t>(i)]));
      O().b_leeren->click();
    });
    EXPECT_EQ(server_.anfragen().size() - vorher, 2u) << verzoegerung;
  }
}

// Taking over scanned discs looks each release up once for its genres (a
// disc scanned twice too), counts in the status line, and can be cancelled:
// what was looked up by then is taken over, as one step of undo.
TEST_F(OnlineFenster, GenresGezaehltAbbrechbarJeVeroeffentlichungEinmal) {
  const std::vector<std::string> codes = {"40000001", "40000001", "40000002", "40000003"};
  auto kennung = [](const std::string& c) { return "00000000-0000-4000-8000-0000" + c; };
  for (const std::string& c : codes) {
    std::string eine = strichcodeAntwort({c});
    eine.insert(eine.find("{\"title\"") + 1, "\"id\":\"" + kennung(c) + "\",");
    server_.setze("/ws/2/release/?query=barcode%3A" + c + "&*", {200, eine, "", false});
    server_.setze("/ws/2/release/" + kennung(c) + "?*",
                  {200, "{\"id\":\"" + kennung(c) + "\",\"title\":\"Titel " + c + "\",\"status\":\"Official\",\"artist-credit\":"
                        "[{\"name\":\"Band\"}],\"media\":[{\"format\":\"CD\"}],\"genres\":[{\"name\":\"rock\",\"count\":3}]}",
                   "", false});
  }
  imFenster([&] {
    for (const std::string& c : codes) {
      scannen(QString::fromStdString(c));
      warten();
    }
    ASSERT_EQ(zeilen(), 4);
    O().suche().grenzen.abstandMs = 500;
    O().lv_ergebnisse->selectAll();
    O().b_uebernehmen->click();
    EXPECT_EQ(O().L_status->text(), "Genres: 0 von 3");
    QTRY_COMPARE_WITH_TIMEOUT(O().L_status->text(), QString("Genres: 1 von 3"), 3000);
    O().b_abbrechen->click();
    EXPECT_FALSE(O().sucht());
    EXPECT_EQ(O().L_status->text(), QString::fromUtf8("2 Datensätze wurden übernommen. Abgebrochen – 2 nicht übernommen."));
    EXPECT_EQ(zelle(2, 7), "");
  });
  ASSERT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(felder(1)[5], "Rock");
  EXPECT_EQ(felder(2)[1], "Titel 40000001");
  Connect->rueckgaengig();
  EXPECT_EQ(DatBas->get_anzahl(), 0);
  int nachgeschlagen = 0;
  for (const std::string& a : server_.anfragen()) nachgeschlagen += a.starts_with("/ws/2/release/" + kennung(codes[0]));
  EXPECT_EQ(nachgeschlagen, 1);
}

// The service's address comes from vemla.ini ("dienst" in [Onlinesuche]);
// one the program may not use is refused at the first search, in German.
TEST_F(OnlineFenster, DienstAdresseAusDerIniDatei) {
  const struct {
    const char* wert;
    QString basis;
  } werte[] = {
      {nullptr, "https://musicbrainz.org/ws/2/"},
      {"", "https://musicbrainz.org/ws/2/"},
      {" http://192.168.1.10:5000/ws/2 ", "http://192.168.1.10:5000/ws/2/"},
  };
  for (const auto& w : werte) {
    if (w.wert) IniFile->WriteString("Onlinesuche", "dienst", w.wert);
    EXPECT_EQ(systemPlattform().musikDienst(), w.basis) << (w.wert ? w.wert : "(fehlt)");
  }
  plattform_.musikDienstAdresse = "http://mirror.example.org/ws/2/";
  const QString text = dienstFehlertext(TDienstFehler::DienstAdresse);
  imFenster([&] {
    O().e_interpret->setText("Kraftwerk");
    O().b_name->click();
    scannen("40000001");
    EXPECT_FALSE(O().sucht());
    EXPECT_EQ(zelle(0, 0), "Strichcode 40000001: " + QString(text).replace('\r', ' '));
  });
  EXPECT_EQ(plattform_.meldungsTexte(), QStringList{"Hinweis:|" + text});
  EXPECT_TRUE(text.startsWith(QString::fromUtf8("Die Adresse des Online-Dienstes in vemla.ini (Abschnitt [Onlinesuche], "
                                                "Schlüssel \"dienst\") ist nicht erlaubt.")));
  EXPECT_TRUE(server_.anfragen().empty());
}

TEST_F(OnlineFenster, EingabenPruefen) {
  imFenster([&] {
    // Enter with letters in the barcode line does nothing; the button says why.
    scannen("40063813a");
    EXPECT_FALSE(O().sucht());
    EXPECT_TRUE(plattform_.meldungen.empty());
    for (const char* falsch : {"1234567", "123456789012345", "40063813a"}) {
      O().e_strichcode->setText(falsch);
      O().b_strichcode->click();
    }
    O().e_interpret->setText("  ");
    O().e_titel->clear();
    O().b_name->click();
    EXPECT_FALSE(O().sucht());
  });
  const QString strichcode = "Hinweis:|Bitte geben Sie einen Strichcode (EAN / UPC) aus 8 bis 14 Ziffern ein.";
  EXPECT_EQ(plattform_.meldungsTexte(), (QStringList{strichcode, strichcode, strichcode,
                                                     "Hinweis:|Bitte geben Sie einen Interpreten oder einen Titel ein."}));
  EXPECT_TRUE(server_.anfragen().empty());
}

TEST_F(OnlineFenster, AbbrechenUndSchliessenBeendenDieSuche) {
  server_.setze("/ws/2/release/*", {200, testantwortText("strichcode_eins.json"), "", false, false, 0, 2000});
  for (bool schliessen : {false, true}) {
    plattform_.meldungen.clear();
    imFenster([&] {
      scannen("724385522925");
      ASSERT_TRUE(O().b_abbrechen->isEnabled());
      if (schliessen) {
        taste(O().e_strichcode, Qt::Key_Escape);
        EXPECT_FALSE(O().isVisible());
      } else {
        O().b_abbrechen->click();
        EXPECT_EQ(O().L_status->text(), "Die Suche wurde abgebrochen.");
      }
      EXPECT_FALSE(O().sucht());
      EXPECT_FALSE(O().pb_warten->isVisible());
      EXPECT_TRUE(O().b_strichcode->isEnabled());
      QTest::qWait(2500);  // the answer would have come by now
      // The scan is named, so that it can be scanned again.
      EXPECT_EQ(zeilen(), schliessen ? 2 : 1);
      EXPECT_EQ(zelle(zeilen() - 1, 0), "Strichcode 724385522925: Suche abgebrochen");
    });
    EXPECT_TRUE(plattform_.meldungen.empty()) << schliessen;
    EXPECT_EQ(DatBas->get_anzahl(), 0);
  }
}

// A release search answer: "anzahl" releases from number "versatz" on, of "gesamt" found.
std::string suchantwort(int gesamt, int versatz, int anzahl) {
  std::string r = R"({"created":"2026-11-02T10:15:00.000Z","count":)" + std::to_string(gesamt) +
                  R"(,"offset":)" + std::to_string(versatz) + R"(,"releases":[)";
  for (int i = versatz; i < versatz + anzahl; ++i)
    r += (i > versatz ? "," : "") + std::string(R"({"title":")") + (i == 1 ? std::string(444, 'L') : "T" + std::to_string(i)) +
         R"(","status":"Official","artist-credit":[{"name":"Nirvana"}],"media":[{"format":"CD"}]})";
  return r + "]}";
}

TEST_F(OnlineFenster, MehrTrefferAlsGezeigtWeitereLaden) {
  const std::string suche = "/ws/2/release/?query=artist%3A%22Nirvana%22&limit=25&fmt=json";
  const struct {
    int versatz, anzahl;
    QString status;
  } seiten[] = {
      {0, 25, "25 von 60 gezeigt – bitte genauer suchen"},
      {25, 25, "50 von 60 gezeigt – bitte genauer suchen"},
      {50, 10, "60 Veröffentlichungen gefunden."},
  };
  for (const auto& s : seiten)
    server_.setze(suche + (s.versatz ? "&offset=" + std::to_string(s.versatz) : ""),
                  {200, suchantwort(60, s.versatz, s.anzahl), "", false});
  O().suche().grenzen.abstandMs = 1000;
  imFenster([&] {
    EXPECT_EQ(O().b_weitere->shortcut(), QKeySequence("Alt+W"));
    O().e_interpret->setText("Nirvana");
    O().e_titel->clear();
    O().b_name->click();
    for (const auto& s : seiten) {
      if (s.versatz) O().b_weitere->click();
      warten();
      EXPECT_EQ(O().L_status->text(), s.status);
      EXPECT_EQ(zeilen(), s.versatz + s.anzahl);
      EXPECT_EQ(O().b_weitere->isEnabled(), s.versatz + s.anzahl < 60);
    }
    EXPECT_EQ(zelle(59, 1), "T59");
    // A title too long for its field is said to be cut, and is stored cut.
    EXPECT_EQ(zelle(1, 7), "gekürzt");
    EXPECT_EQ(zelle(2, 7), "");
    O().lv_ergebnisse->setCurrentItem(O().lv_ergebnisse->topLevelItem(1));
    O().b_uebernehmen->click();
  });
  EXPECT_EQ(felder(1)[1], std::string(255, 'L'));
  const auto zeiten = server_.anfrageZeiten();
  ASSERT_EQ(server_.anfragen().size(), 3u);
  for (std::size_t i = 1; i < zeiten.size(); ++i) EXPECT_GE(zeiten[i] - zeiten[i - 1], std::chrono::milliseconds(990));
}

TEST_F(OnlineFenster, InEingabemaskeUebernehmen) {
  antwort("/ws/2/release/*", "strichcode_mehrere.json");
  QStringList maske;
  imFenster([&] {
    scannen("074640912922");
    warten();
    O().lv_ergebnisse->setCurrentItem(O().lv_ergebnisse->topLevelItem(1));
    plattform_.fensterSkripte.push_back([&](QDialog&) {
      for (QLineEdit* e : F_add->eingabefelder()) maske << e->text();
    });
    O().b_eingabemaske->click();
  });
  EXPECT_EQ(modale(), (std::vector<QString>{"FOnline", "F_add"}));
  EXPECT_EQ(maske, (QStringList{"Various Artists", "Greatest Hits", "Sony Music", "2001", "CD - Compilation (2 CDs)",
                                "Hip-Hop", "Kat.-Nr. 501234 2; EAN 074640912922; DE"}));
  EXPECT_EQ(DatBas->get_anzahl(), 0);  // the user adds it from the mask
}

TEST_F(OnlineFenster, GesuchteVeroeffentlichungFuerGenreNachgeschlagen) {
  const std::string inhalt = "?inc=genres+tags+labels+release-groups+media+artist-credits&fmt=json";
  const std::string ambient = "/ws/2/release/3b1d0d52-5e2c-4b5f-8d36-7c0c2a1e9f01" + inhalt;
  const std::string barock = "/ws/2/release/9c2e7a44-1f0b-4a7e-b3c8-5d6e4f3a2b10" + inhalt;
  antwort("/ws/2/release/?query=*", "suche_ohne_genres.json");
  antwort(ambient, "release_ambient.json");
  antwort(barock, "release_barock.json");
  O().suche().grenzen.abstandMs = 1000;
  // Both picks taken over, then the second into the input mask.
  QStringList maske;
  for (bool inMaske : {false, true}) {
    imFenster([&] {
      O().e_interpret->setText("Aphex Twin");
      O().e_titel->clear();
      O().b_name->click();
      warten();
      ASSERT_EQ(zeilen(), 2);
      if (inMaske) {
        O().lv_ergebnisse->setCurrentItem(O().lv_ergebnisse->topLevelItem(1));
        plattform_.fensterSkripte.push_back([&](QDialog&) {
          for (QLineEdit* e : F_add->eingabefelder()) maske << e->text();
        });
        O().b_eingabemaske->click();
      } else {
        O().lv_ergebnisse->selectAll();
        O().b_uebernehmen->click();
      }
      EXPECT_TRUE(O().sucht());
      warten();
    });
  }
  ASSERT_EQ(DatBas->get_anzahl(), 2);
  EXPECT_EQ(felder(1)[5], "Electronic");
  EXPECT_EQ(felder(2)[5], "Classic");
  EXPECT_EQ(maske.value(5), "Classic");
  const auto pfade = server_.anfragen();
  ASSERT_EQ(pfade.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(pfade.begin() + 1, pfade.end()),
            (std::vector<std::string>{ambient, barock, pfade[0], barock}));
  const auto zeiten = server_.anfrageZeiten();
  for (std::size_t i = 1; i < zeiten.size(); ++i) EXPECT_GE(zeiten[i] - zeiten[i - 1], std::chrono::milliseconds(990));
}

TEST_F(OnlineFenster, CdImLaufwerk) {
  const TDiscId disc = discIdAusInhalt(1, 4, {95462, 150, 15363, 32314, 46592});
  ASSERT_EQ(disc.art, TDiscId::Ok);
  antwort("/ws/2/discid/" + disc.id + "*", "discid.json");
  O().suche().discLesen = [disc] { return disc; };
  imFenster([&] {
    O().b_laufwerk->click();
    warten();
    ASSERT_EQ(zeilen(), 1);
    O().b_uebernehmen->click();
  });
  EXPECT_EQ(server_.anfragen()[0], "/ws/2/discid/" + disc.id +
                                       "?inc=artist-credits+labels+release-groups+genres+tags&fmt=json&cdstubs=no&"
                                       "toc=1%204%2095462%20150%2015363%2032314%2046592");
  EXPECT_EQ(felder(1), (Felder{"Aphex Twin", "Selected Ambient Works 85-92", "Apollo", "1992", "CD - Album (1 CD)",
                               "Electronic", "Kat.-Nr. AMB 3922 CD; EAN 5413356530228; BE"}));
  // Without a drive, and with a drive but no audio disc.
  const struct {
    const char* laufwerk;
    QString meldung;
  } faelle[] = {
      {"/gibt/es/nicht/cdrom", "Hinweis:|Es wurde kein CD-Laufwerk gefunden."},
      {"/dev/null", "Hinweis:|Im Laufwerk liegt keine Audio-CD.\rBitte legen Sie eine Audio-CD ein."},
  };
  for (const auto& f : faelle) {
    plattform_.meldungen.clear();
    O().suche().discLesen = [f] { return discIdLesen(f.laufwerk); };
    imFenster([&] {
      O().b_laufwerk->click();
      warten();
    });
    EXPECT_EQ(plattform_.meldungsTexte(), QStringList{f.meldung});
  }
  EXPECT_EQ(DatBas->get_anzahl(), 1);
  EXPECT_EQ(server_.anfragen().size(), 1u);
}

TEST_F(OnlineFenster, ZugriffstastenUndVorlesenamen) {
  imFenster([&] {
    // Every button and every field (through its label) has its own access key.
    std::map<QString, QString> tasten;
    for (QAbstractButton* k : O().findChildren<QAbstractButton*>())
      tasten[k->objectName()] = QKeySequence::mnemonic(k->text()).toString();
    for (QLabel* l : O().findChildren<QLabel*>())
      if (l->buddy()) tasten[l->buddy()->objectName()] = QKeySequence::mnemonic(l->text()).toString();
    EXPECT_EQ(tasten, (std::map<QString, QString>{
                          {"e_strichcode", "Alt+E"}, {"b_strichcode", "Alt+S"}, {"e_interpret", "Alt+I"},
                          {"e_titel", "Alt+T"}, {"b_name", "Alt+U"}, {"b_laufwerk", "Alt+C"},
                          {"b_abbrechen", "Alt+A"}, {"b_uebernehmen", "Alt+B"}, {"b_eingabemaske", "Alt+M"},
                          {"b_leeren", "Alt+R"}, {"b_weitere", "Alt+W"}, {"b_schliessen", "Alt+L"}}));
    O().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&O()));
    QTest::keyClick(O().e_strichcode, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(O().focusWidget(), O().e_titel);
    EXPECT_EQ(O().e_interpret->accessibleName(), "Interpret");
    EXPECT_EQ(O().e_titel->accessibleName(), "Titel");
  });
}

TEST_F(OnlineFenster, EnterInJedemNamensfeldSucht) {
  antwort("/ws/2/release/*", "strichcode_mehrere.json");
  const struct {
    QLineEdit* TFOnline::*feld;
    std::string anfrage;
  } faelle[] = {
      {&TFOnline::e_interpret, "/ws/2/release/?query=artist%3A%22Nirvana%22&limit=25&fmt=json"},
      {&TFOnline::e_titel, "/ws/2/release/?query=release%3A%22Nirvana%22&limit=25&fmt=json"},
  };
  for (const auto& f : faelle) {
    imFenster([&] {
      O().e_interpret->clear();
      O().e_titel->clear();
      tippen(O().*f.feld, "Nirvana");
      taste(O().*f.feld, Qt::Key_Return);
      warten();
      ASSERT_EQ(zeilen(), 3);
      // From the list, one Tab leads to "Übernehmen".
      O().lv_ergebnisse->setFocus();
      taste(O().lv_ergebnisse, Qt::Key_Tab);
      EXPECT_EQ(O().focusWidget(), O().b_uebernehmen);
    });
    EXPECT_EQ(server_.anfragen().back(), f.anfrage);
  }
  EXPECT_EQ(server_.anfragen().size(), 2u);
}

TEST_F(OnlineFenster, ListeWaechstMitDemFensterSpaltenbreitenGemerkt) {
  IniFile->WriteString("Onlinesuche", "lv_ergebnisse.colwidths[1]", "222");
  imFenster([&] {
    EXPECT_EQ(O().minimumSize(), QSize(760, 478));
    EXPECT_EQ(O().size(), QSize(760, 478));
    EXPECT_EQ(O().lv_ergebnisse->geometry(), QRect(8, 146, 744, 286));
    EXPECT_EQ(O().lv_ergebnisse->columnWidth(0), 125);
    EXPECT_EQ(O().lv_ergebnisse->columnWidth(1), 222);
    O().resize(1000, 600);
    EXPECT_EQ(O().lv_ergebnisse->geometry(), QRect(8, 146, 984, 408));
    EXPECT_EQ(O().b_uebernehmen->pos(), QPoint(8, 564));
    EXPECT_EQ(O().b_schliessen->pos(), QPoint(902, 564));
    EXPECT_EQ(O().b_strichcode->mapTo(&O(), QPoint()), QPoint(114, 74));
    O().lv_ergebnisse->setColumnWidth(0, 150);
  });
  EXPECT_EQ(iniWert("Onlinesuche", "lv_ergebnisse.colwidths[0]"), "150");
  EXPECT_EQ(iniWert("Onlinesuche", "lv_ergebnisse.colwidths[1]"), "222");
  EXPECT_EQ(iniWert("Onlinesuche", "breite") + "x" + iniWert("Onlinesuche", "hoehe"), "1000x600");
}

}  // namespace
