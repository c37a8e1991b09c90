// Undo and redo of a step that made another file the collection's file (an
// appended file), on the controller alone: the file name, the title, the
// changed mark, the settings' last file, what a save compares against, and
// what the change listener (the recovery copy) sees.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "app/UIniFile.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "tests/support/ConnectAnsicht.h"
#include "tests/support/GuiTest.h"
#include "tests/support/TempOrdner.h"

namespace {

class DateiStand : public ControllerTest {
 public:
  void SetUp() override {
    ControllerTest::SetUp();
    // As the recovery copy hears of changes: the file name and the mark then.
    c_.beobachterSetzen([this] { gehoert_ = dateiname() + (c_.file_changed() ? " geändert" : " gleich"); });
    sammlungsdatei(tmp_.pfad("base.vem"), 5, "B");
    sammlungsdatei(tmp_.pfad("other.vem"), 10, "O");
  }
  QString dateiname() const { return QFileInfo(c_.get_filename()).fileName(); }
  // Loading as the window does: the file, then the mark cleared.
  void laden(const char* name) {
    c_.datei_oeffnen(pfad(name));
    c_.file_wasnot_changed();
  }
  // Appending as the window does: a collection with entries is marked changed first.
  void anhaengen(const char* name) {
    if (db_.get_anzahl() >= 1) c_.file_was_changed();
    c_.datei_hinzuladen(pfad(name));
  }
  void speichernUnter(const char* name) {
    ASSERT_TRUE(c_.datei_speichern(pfad(name)));
    c_.file_wasnot_changed();
  }
  // "name geändert|gleich|<settings' last file>|<title shows the name>|<what the listener heard>"
  QString zustand() const {
    const QString name = dateiname();
    const QString titel = name.isEmpty() ? STARTTITEL : titelFuerDatei(c_.get_filename());
    return name + (c_.file_changed() ? " geändert|" : " gleich|") +
           QFileInfo(pfadAusDatei(einst_.letzteDatei())).fileName() + "|" +
           (ansicht_.titel == titel ? "Titel passt" : "Titel: " + ansicht_.titel) + "|" + gehoert_;
  }

  QString gehoert_;
};

TEST_F(DateiStand, RueckgaengigUndWiederGebenDieDateiZurueck) {
  struct Fall {
    const char* was;
    std::function<void(DateiStand&)> vorher, danach;
    QString nachAnhaengen, zurueck, wieder;
  } const faelle[] = {
      {"an geladene Sammlung", [](DateiStand& t) { t.laden("base.vem"); }, {},
       "other.vem geändert|other.vem|Titel passt|other.vem geändert",
       "base.vem gleich|base.vem|Titel passt|base.vem gleich",
       "other.vem geändert|other.vem|Titel passt|other.vem geändert"},
      {"an leere Sammlung", [](DateiStand& t) { t.c_.neue_sammlung(); }, {},
       "other.vem gleich|other.vem|Titel passt|other.vem gleich", " gleich||Titel passt| gleich",
       "other.vem gleich|other.vem|Titel passt|other.vem gleich"},
      // Saved under another name since: that file stays the collection's file.
      {"danach anders gespeichert", [](DateiStand& t) { t.laden("base.vem"); },
       [](DateiStand& t) { t.speichernUnter("x.vem"); },
       "x.vem gleich|x.vem|Titel passt|x.vem gleich", "x.vem geändert|x.vem|Titel passt|x.vem geändert",
       "x.vem gleich|x.vem|Titel passt|x.vem gleich"},
      // Both files hold a state of the history: each counts as unchanged.
      {"angehängte Datei gespeichert", [](DateiStand& t) { t.laden("base.vem"); },
       [](DateiStand& t) { t.speichernUnter("other.vem"); },
       "other.vem gleich|other.vem|Titel passt|other.vem gleich",
       "base.vem gleich|base.vem|Titel passt|base.vem gleich",
       "other.vem gleich|other.vem|Titel passt|other.vem gleich"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.was);
    einst_.letzteDateiSetzen("");
    f.vorher(*this);
    anhaengen("other.vem");
    if (f.danach) f.danach(*this);
    EXPECT_EQ(zustand(), f.nachAnhaengen);
    c_.rueckgaengig();
    EXPECT_EQ(zustand(), f.zurueck);
    c_.wiederherstellen();
    EXPECT_EQ(zustand(), f.wieder);
    c_.neue_sammlung();
    sammlungsdatei(tmp_.pfad("other.vem"), 10, "O");
  }
}

TEST_F(DateiStand, SpeichernNachRueckgaengigSchreibtDieErsteDatei) {
  laden("base.vem");
  anhaengen("other.vem");
  const std::string other = dateiInhalt(tmp_.pfad("other.vem"));
  c_.rueckgaengig();
  ASSERT_EQ(db_.get_anzahl(), 5);
  // What a save compares against is base.vem as it was loaded: a change made
  // elsewhere since is asked about.
  sammlungsdatei(tmp_.pfad("base.vem"), 2, "Fremd");
  EXPECT_FALSE(c_.datei_speichern(c_.get_filename()));
  EXPECT_EQ(ansicht_.ueberschreibenFragen, 1);
  sammlungsdatei(tmp_.pfad("base.vem"), 5, "B");
  const std::string base = dateiInhalt(tmp_.pfad("base.vem"));
  EXPECT_TRUE(c_.datei_speichern(c_.get_filename()));
  EXPECT_EQ(ansicht_.ueberschreibenFragen, 1);
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("base.vem")) == base);
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("other.vem")) == other);
}

}  // namespace
