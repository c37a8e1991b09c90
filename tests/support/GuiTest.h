#pragma once
// Base fixture for tests of the windows: a fresh settings file beside the test
// program, a scripted platform, and every window created as at program start.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <array>
#include <functional>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UIniFile.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "tests/support/TempOrdner.h"
#include "tests/support/TestPlattform.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join("|").toStdString() << ']'; }

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the windows; "ini" is written as the settings file first (empty: no file).
  void starten(const std::string& ini = "");
  // The start-up steps a user sees: showing, then the first activation.
  void anzeigen(const QStringList& argumente = {});
  // Shows the main window and makes it the active one, so that its shortcuts work.
  void aktivieren();

  THauptFormular& H() { return *HauptFormular; }
  template <typename T = QWidget>
  T* finde(const char* name) {
    T* w = HauptFormular->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QAction* aktion(const char* name) { return finde<QAction>(name); }

  // Adds entries (Interpret, Titel) through the controller, as the add dialog does.
  void eintragen(std::initializer_list<std::pair<const char*, const char*>> eintraege);
  void eintragen(int anzahl);
  // Selects line "zeile" as a user click does.
  void markieren(int zeile);
  QStringList listenzeilen() const;
  std::string iniWert(const char* sektion, const char* schluessel);
  // Types a text into a widget, one key event per character (umlauts included).
  static void tippen(QWidget* w, const QString& text);
  static void taste(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier);
  // Opens a modal window with "oeffnen" and runs "schritte" while it is open.
  void imModalenFenster(const std::function<void()>& oeffnen, const std::function<void()>& schritte) {
    plattform_.fensterSkripte.push_back([schritte](QDialog&) { schritte(); });
    oeffnen();
  }

  // For helpers outside the fixture (tables of cases).
 public:
  void eintragenOeffentlich(int anzahl) { eintragen(anzahl); }
  static bool dateiExistiertOeffentlich(const std::string& pfad);
  std::vector<QString> modale() const { return plattform_.modaleFenster; }

 protected:
  std::string iniPfad_;
  TTestPlattform plattform_;
  TempOrdner tmp_;
};

// Counts how often the watched window is shown (install it as an event filter).
class ZeigenZaehler : public QObject {
 public:
  int gezeigt = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) ++gezeigt;
    return false;
  }
};

// The seven fields of entry "pos" as stored (Windows-1252).
using GespeicherteFelder = std::array<std::string, 7>;
GespeicherteFelder gespeicherteFelder(int pos);

// A collection file of "anzahl" entries named "<prefix><n>" in "pfad".
void sammlungsdatei(const std::string& pfad, int anzahl, const std::string& prefix = "I");
