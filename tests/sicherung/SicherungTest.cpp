// The recovery copy in the running program: when it lies on disk, and what the
// start offers and restores.
#include <sys/stat.h>

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <ctime>

#include "core/UVemDatei.h"
#include "sicherung/USicherung.h"
#include "sicherung/UWiederherstellen.h"
#include "tests/sicherung/Satz.h"
#include "tests/support/GuiTest.h"
#include "tests/support/VollerDatentraeger.h"

namespace {

constexpr const char* OHNE_STARTFENSTER = "[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n";

class Sicherung : public GuiTest {
 protected:
  void SetUp() override {
    qputenv("TZ", "UTC");
    ::tzset();
    GuiTest::SetUp();
    ordner_ = QString::fromStdString(tmp_.pfad("zustand"));
    starten(OHNE_STARTFENSTER);
    sicherungStarten(ordner_, 0);
  }
  QStringList namen() const { return QDir(ordner_).entryList(QDir::Files, QDir::Name); }
  QStringList kopien() const { return QDir(ordner_).entryList({"kopie-*.vem", "kopie-*.sicherung"}, QDir::Files); }
  // Lets the timer of the copy run and waits for its write.
  bool kopieGeschrieben() {
    QApplication::processEvents();
    return sicherung()->kopieDa();
  }
  // A copy left by a program that no longer runs.
  void hinterlassen(const std::string& id, const std::string& angaben, const std::string& daten) {
    QDir().mkpath(ordner_);
    dateiSchreiben(ordner_.toStdString() + "/kopie-" + id + ".angaben", angaben);
    dateiSchreiben(ordner_.toStdString() + "/kopie-" + id + ".vem", daten);
  }
  static std::string angaben(const std::string& datei) {
    std::string hex;
    for (const unsigned char c : datei) hex += "0123456789abcdef"[c >> 4], hex += "0123456789abcdef"[c & 15];
    return "Vemla-Sicherungskopie 1\ndatei=" + hex + "\nzeit=1765180800\n";
  }
  // A copy in one file left by a program that no longer runs.
  void hinterlassenEinStueck(const std::string& id, const std::string& inhalt) {
    QDir().mkpath(ordner_);
    dateiSchreiben(ordner_.toStdString() + "/kopie-" + id + ".sicherung", inhalt);
  }
  void start(const QStringList& argumente = {}) { H().ablauf().programmStart(argumente); }
  QString ordner_;
};

TEST_F(Sicherung, KopieMitDenBytesDerSammlung) {
  eintragen({{"A", "x"}, {"B", "y"}});
  ASSERT_TRUE(kopieGeschrieben());
  EXPECT_EQ(kopieSaetze(dateiInhalt(sicherung()->eigeneKopie().toStdString())), satz("A", "x") + satz("B", "y"));
  const QString id = QFileInfo(sicherung()->eigeneKopie()).completeBaseName().mid(6);
  EXPECT_EQ(namen(), (QStringList{"kopie-" + id + ".sicherung", "kopie-" + id + ".sperre"}));
  EXPECT_EQ(std::filesystem::status(ordner_.toStdString()).permissions(), std::filesystem::perms::owner_all);
  // This program's copy is never offered to itself.
  EXPECT_TRUE(sicherung()->verwaisteKopien().empty());
}

TEST_F(Sicherung, KopieFolgtDenUngespeichertenAenderungen) {
  const std::string datei = tmp_.pfad("a.vem");
  const struct Fall {
    const char* was;
    std::vector<TAntwort> antworten;
    std::vector<std::optional<QString>> namen;
    std::function<void(THauptFormular&)> tun;
    bool bleibt;
  } faelle[] = {
      {"Speichern unter", {}, {QString::fromStdString(datei)}, [](THauptFormular& h) { h.datei().speichernUnter(); }, false},
      {"Neu", {TAntwort::Ja}, {}, [](THauptFormular& h) { h.datei().neu(); }, false},
      {"Neu abgelehnt", {TAntwort::Nein}, {}, [](THauptFormular& h) { h.datei().neu(); }, true},
      {"Laden mit Nein", {TAntwort::Nein}, {QString::fromStdString(datei)}, [](THauptFormular& h) { h.datei().laden(); }, false},
      {"Laden mit Nein, Öffnen abgebrochen", {TAntwort::Nein}, {std::nullopt}, [](THauptFormular& h) { h.datei().laden(); }, true},
      {"Ende mit Nein", {TAntwort::Nein}, {}, [](THauptFormular& h) { h.close(); }, false},
      {"Ende mit Ja, gespeichert", {TAntwort::Ja}, {QString::fromStdString(datei)}, [](THauptFormular& h) { h.close(); }, false},
      {"Ende mit Ja, Dialog abgebrochen", {TAntwort::Ja}, {std::nullopt}, [](THauptFormular& h) { h.close(); }, true},
      {"Ende mit Ja, fremde Änderung nicht überschrieben", {TAntwort::Ja, TAntwort::Nein},
       {QString::fromStdString(tmp_.pfad("fremd.vem"))}, [](THauptFormular& h) { h.close(); }, true},
  };
  sammlungsdatei(datei, 1);
  for (const Fall& f : faelle) {
    sammlungsdatei(tmp_.pfad("fremd.vem"), 1);
    Connect->datei_oeffnen(QString::fromStdString(tmp_.pfad("fremd.vem")));
    sammlungsdatei(tmp_.pfad("fremd.vem"), 2);  // written elsewhere meanwhile
    eintragen(1);
    ASSERT_TRUE(kopieGeschrieben()) << f.was;
    plattform_.antworten.assign(f.antworten.begin(), f.antworten.end());
    plattform_.dateinamen.assign(f.namen.begin(), f.namen.end());
    f.tun(H());
    fensterFreigeben();  // the end of the run
    EXPECT_EQ(kopien().size(), f.bleibt ? 1u : 0u) << f.was;
    for (const QString& k : kopien()) QFile::remove(ordner_ + "/" + k);
    starten();
    sicherungStarten(ordner_, 0);
  }
}

TEST_F(Sicherung, VolleFestplatteBeimEndeBehaeltDieKopie) {
  std::filesystem::create_directories(tmp_.pfad("voll"));
  VollerDatentraeger platte(tmp_.pfad("voll"));
  if (!platte.bereit()) GTEST_SKIP() << "no tmpfs (needs root)";
  sammlungsdatei(platte.pfad("a.vem"), 1);
  Connect->datei_oeffnen(QString::fromStdString(platte.pfad("a.vem")));
  eintragen(3);
  platte.fuellen();
  plattform_.antworten = {TAntwort::Ja};
  plattform_.dateinamen = {QString::fromStdString(platte.pfad("a.vem"))};
  H().close();
  fensterFreigeben();
  ASSERT_EQ(kopien().size(), 1u);
  EXPECT_EQ(dateiInhalt(platte.pfad("a.vem")), satz("I1", "T1"));
  EXPECT_EQ(kopieSaetze(dateiInhalt(ordner_.toStdString() + "/" + kopien()[0].toStdString())),
            satz("I1", "T1") + satz("I1", "T1") + satz("I2", "T2") + satz("I3", "T3"));
}

TEST_F(Sicherung, StartBietetKopienAn) {
  const std::string datei = tmp_.pfad("CDs.vem");
  const QString frage = "Vemla wurde beendet, ohne die Änderungen an „" + QString::fromStdString(datei) +
                        "“ zu speichern (Stand: 08.12.2025, 08:00).\rSollen diese Änderungen wiederhergestellt werden?";
  const QString titel = "Vemla   [ " + QString::fromStdString(datei).toLower() + " ]";
  const struct Fall {
    const char* was;
    std::vector<TAntwort> antworten;
    QStringList argumente;
    int anzahl;
    QString dateiname;
    QString fenstertitel;
    bool geaendert;
    int kopienDanach;  // of the two left behind
  } faelle[] = {
      {"Ja", {TAntwort::Ja}, {}, 2, QString::fromStdString(datei), titel, true, 1},
      {"Nein, Nein", {TAntwort::Nein, TAntwort::Nein}, {}, 0, "", STARTTITEL, false, 0},
      {"Nein, Ja", {TAntwort::Nein, TAntwort::Ja}, {}, 1, "", STARTTITEL, true, 0},
      {"Ja vor der Datei der Befehlszeile", {TAntwort::Ja}, {QString::fromStdString(datei)}, 2,
       QString::fromStdString(datei), titel, true, 1},
      {"Nein: die Datei der Befehlszeile", {TAntwort::Nein, TAntwort::Nein}, {QString::fromStdString(datei)}, 5,
       QString::fromStdString(datei), titel, false, 0},
  };
  for (const Fall& f : faelle) {
    sammlungsdatei(datei, 5);
    hinterlassen("1-a", angaben(datei), satz("K1", "x") + satz("K2", "y"));
    hinterlassen("2-b", angaben(""), satz("N", "z"));
    plattform_.antworten.assign(f.antworten.begin(), f.antworten.end());
    plattform_.meldungen.clear();
    start(f.argumente);
    ASSERT_GE(plattform_.meldungen.size(), 1u) << f.was;
    EXPECT_EQ(plattform_.meldungen[0].titel, "Wiederherstellung");
    EXPECT_EQ(plattform_.meldungen[0].text, frage) << f.was;
    EXPECT_EQ(plattform_.meldungen[0].eltern, &H());
    EXPECT_TRUE(H().isVisible());
    if (f.antworten.size() > 1) {
      EXPECT_EQ(plattform_.meldungen[1].text, "Vemla wurde beendet, ohne die Änderungen an „einer neuen Sammlung“ zu "
                                              "speichern (Stand: 08.12.2025, 08:00).\rSollen diese Änderungen "
                                              "wiederhergestellt werden?");
    }
    EXPECT_EQ(DatBas->get_anzahl(), f.anzahl) << f.was;
    EXPECT_EQ(Connect->get_filename(), f.dateiname) << f.was;
    EXPECT_EQ(H().windowTitle(), f.fenstertitel) << f.was;
    EXPECT_EQ(Connect->file_changed(), f.geaendert) << f.was;
    if (f.geaendert) {
      EXPECT_TRUE(sicherung()->kopieDa()) << f.was;  // the restored changes are safe at once
    }
    EXPECT_EQ(kopien().size() - (f.geaendert ? 1 : 0), static_cast<std::size_t>(f.kopienDanach)) << f.was;
    fensterFreigeben();
    QDir(ordner_).removeRecursively();
    starten();
    sicherungStarten(ordner_, 0);
  }
  // The restored records are the copy's, byte for byte, and a save writes them under the original name.
  hinterlassen("1-a", angaben(datei), satz("K1", "x") + satz("K2", "y"));
  plattform_.antworten = {TAntwort::Ja};
  start();
  H().datei().speichern();
  EXPECT_EQ(dateiInhalt(datei), satz("K1", "x") + satz("K2", "y"));
  EXPECT_TRUE(kopien().empty());
}

TEST_F(Sicherung, BeschaedigteKopieWirdBeiseitegelegt) {
  const struct Fall {
    const char* was;
    std::string angaben, daten;
  } faelle[] = {
      {"Angaben unlesbar", "Unsinn", satz("A", "b")},
      {"Angaben abgeschnitten", "Vemla-Sicherungskopie 1\ndatei=2f\n", satz("A", "b")},
      {"Angaben riesig", std::string(1 << 20, 'x'), satz("A", "b")},
      {"Kopie abgeschnitten", angaben("/x.vem"), satz("A", "b").substr(0, 1000)},
      {"Kopie zu groß", angaben("/x.vem"), std::string(4001 * 1792, 'a')},
  };
  for (const Fall& f : faelle) {
    QDir(ordner_).removeRecursively();
    hinterlassen("9-z", f.angaben, f.daten);
    plattform_.meldungen.clear();
    start();
    ASSERT_EQ(plattform_.meldungen.size(), 1u) << f.was;
    const QStringList danach = namen();
    ASSERT_EQ(danach.size(), 2) << f.was;
    EXPECT_TRUE(danach[0].startsWith("beschaedigt-") && danach[0].endsWith("-kopie-9-z.angaben")) << f.was;
    EXPECT_EQ(dateiInhalt(ordner_.toStdString() + "/" + danach[1].toStdString()), f.daten) << f.was;
    EXPECT_EQ(plattform_.meldungen[0].text, "Eine Sicherungskopie ist beschädigt und kann nicht wiederhergestellt "
                                            "werden.\rSie wurde als „" + ordner_ + "/" + danach[1] + "“ aufbewahrt.");
    EXPECT_EQ(DatBas->get_anzahl(), 0) << f.was;
    fensterFreigeben();
    starten();
    sicherungStarten(ordner_, 0);
  }
}

// The copy is the user's alone, and a link placed where it goes is replaced, never followed.
TEST_F(Sicherung, KopieNurFuerDenBenutzerOhneVerweise) {
  QDir().mkpath(ordner_);
  ::chmod(ordner_.toStdString().c_str(), 0755);  // as an older version left it
  const std::string kopie = sicherung()->eigeneKopie().toStdString();
  const std::string neu = kopie.substr(0, kopie.rfind('.')) + ".neu";
  const std::string sperre = kopie.substr(0, kopie.rfind('.')) + ".sperre";
  for (const std::string& verweis : {kopie, neu}) {
    dateiSchreiben(verweis + ".opfer", "bleibt");
    std::filesystem::create_symlink(verweis + ".opfer", verweis);
  }
  const mode_t maske = ::umask(0);
  eintragen({{"A", "x"}});
  const bool geschrieben = kopieGeschrieben();
  ::umask(maske);
  ASSERT_TRUE(geschrieben);
  EXPECT_EQ(kopieSaetze(dateiInhalt(kopie)), satz("A", "x"));
  const struct {
    std::string pfad;
    mode_t art;
  } faelle[] = {
      {ordner_.toStdString(), S_IFDIR | 0700}, {kopie, S_IFREG | 0600}, {sperre, S_IFREG | 0600}, {kopie + ".opfer", S_IFREG | 0644},
  };
  for (const auto& f : faelle) {
    struct stat st;
    ASSERT_EQ(::lstat(f.pfad.c_str(), &st), 0) << f.pfad;
    EXPECT_EQ(st.st_mode & (S_IFMT | 07777), f.art) << f.pfad;
  }
  EXPECT_EQ(dateiInhalt(kopie + ".opfer"), "bleibt");
  EXPECT_EQ(dateiInhalt(neu + ".opfer"), "bleibt");
}

TEST_F(Sicherung, KopieInEinemStueckBeschaedigt) {
  const std::string saetze = satz("A", "b") + satz("C", "d");
  const std::string gut = kopieKopf({"/x.vem", 1765180800}, saetze) + saetze;
  std::string gekippt = gut;
  gekippt[gut.size() - 100] ^= 1;
  const struct Fall {
    const char* was;
    std::string inhalt;
  } faelle[] = {
      {"ein Bit eines Satzes", gekippt},
      {"abgeschnitten", gut.substr(0, gut.size() - 1792)},
      {"Angaben ohne Sätze", gut.substr(0, gut.size() - saetze.size())},
  };
  for (const Fall& f : faelle) {
    QDir(ordner_).removeRecursively();
    hinterlassenEinStueck("9-z", f.inhalt);
    plattform_.meldungen.clear();
    start();
    ASSERT_EQ(plattform_.meldungen.size(), 1u) << f.was;
    const QStringList danach = namen();
    ASSERT_EQ(danach.size(), 1) << f.was;
    EXPECT_TRUE(danach[0].startsWith("beschaedigt-") && danach[0].endsWith("-kopie-9-z.sicherung")) << f.was;
    EXPECT_EQ(dateiInhalt(ordner_.toStdString() + "/" + danach[0].toStdString()), f.inhalt) << f.was;
    EXPECT_EQ(plattform_.meldungen[0].text, "Eine Sicherungskopie ist beschädigt und kann nicht wiederhergestellt "
                                            "werden.\rSie wurde als „" + ordner_ + "/" + danach[0] + "“ aufbewahrt.");
    EXPECT_EQ(DatBas->get_anzahl(), 0) << f.was;
    fensterFreigeben();
    starten();
    sicherungStarten(ordner_, 0);
  }
}

// A copy that holds what its file holds has nothing to restore: it goes unasked.
TEST_F(Sicherung, KopieWieGespeichertWirdEntfernt) {
  const std::string datei = tmp_.pfad("CDs.vem");
  const struct Fall {
    const char* was;
    std::string kopie;  // the records of the copy, "datei" holding satz A, satz B
    bool gefragt;
  } faelle[] = {
      {"gleich", satz("A", "1") + satz("B", "2"), false},
      {"anders", satz("A", "1") + satz("B", "3"), true},
      {"weniger", satz("A", "1"), true},
  };
  for (const Fall& f : faelle) {
    dateiSchreiben(datei, satz("A", "1") + satz("B", "2"));
    hinterlassenEinStueck("1-a", kopieKopf({datei, 1765180800}, f.kopie) + f.kopie);
    plattform_.meldungen.clear();
    plattform_.antworten = {TAntwort::Nein};
    start();
    EXPECT_EQ(plattform_.meldungen.size(), f.gefragt ? 1u : 0u) << f.was;
    EXPECT_TRUE(namen().isEmpty()) << f.was;
  }
}

// A long path is shortened in its middle, so that the question stays on the
// screen; the whole text is in its details, to select and copy.
TEST_F(Sicherung, LangerPfadInDerFrage) {
  std::string datei = tmp_.pfad("");
  while (datei.size() < 574) datei += "Sammlungen-von-Tontraegern/";
  datei = datei.substr(0, 573) + "/CDs.vem";
  const QString pfad = QString::fromStdString(datei);
  hinterlassenEinStueck("1-a", kopieKopf({datei, 1765180800}, satz("A", "b")) + satz("A", "b"));
  plattform_.echteMeldungen = true;
  QString text, details;
  int breite = 0;
  QTimer schliesser;
  QObject::connect(&schliesser, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    text = box->findChild<QLabel*>("qt_msgbox_label")->text();
    details = box->detailedText();
    breite = box->frameGeometry().width();
    box->done(QMessageBox::No);
  });
  schliesser.start(20);
  start();
  EXPECT_EQ(pfad.size(), 581);
  EXPECT_EQ(details, "Vemla wurde beendet, ohne die Änderungen an „" + pfad +
                         "“ zu speichern (Stand: 08.12.2025, 08:00).\nSollen diese Änderungen wiederhergestellt werden?");
  EXPECT_TRUE(text.startsWith("Vemla wurde beendet, ohne die Änderungen an „" + pfad.left(10))) << text.toStdString();
  EXPECT_TRUE(text.contains("…") && text.contains("/CDs.vem“")) << text.toStdString();
  EXPECT_LT(text.size(), 300);
  EXPECT_GT(breite, 0);
  EXPECT_LE(breite, QGuiApplication::primaryScreen()->availableGeometry().width());
}

}  // namespace
