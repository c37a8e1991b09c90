#pragma once
#include <gtest/gtest.h>

#include <QStringList>

#include "app/UIniFile.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "tests/support/TempOrdner.h"

// A view of the controller that shows nothing: it keeps the title and the
// notices, and never lets a file changed elsewhere be written over.
class TStilleAnsicht : public IConnectAnsicht {
 public:
  QString titel;
  int ueberschreibenFragen = 0;
  void dateiZeigen(const QString& t, bool) override { titel = t; }
  bool ueberschreibenErlaubt(const QString&) override { return ++ueberschreibenFragen < 0; }
  void listeNeu(const QStringList&) override {}
  void zeilenAnhaengen(const QStringList&) override {}
  void markierungZeigen(int) override {}
  void aktualisieren() override {}
  void warten(bool) override {}
  void melden(TConnectMeldung) override {}
  bool druckBeginnen() override { return false; }
  QString druckzeile(int, const TDatensatz&) override { return {}; }
  void drucken(const QStringList&) override {}
  void druckBeendet() override {}
  int obersteZeile() const override { return 0; }
  void obersteZeileSetzen(int) override {}
  void verlaufZeigen() override {}
  void hinweis(const QString& text) override { hinweise << text; }
  QStringList hinweise;
};

// The controller without windows: a collection, settings in a folder of
// their own and the silent view, installed as the program's globals.
template <class Basis>
class ControllerTestAuf : public Basis {
 public:
  void SetUp() override {
    DatBas = &db_;
    Einstellungen = &einst_;
    c_.setAnsicht(&ansicht_);
  }
  void TearDown() override {
    DatBas = nullptr;
    Einstellungen = nullptr;
  }
  QString pfad(const char* name) const { return QString::fromStdString(tmp_.pfad(name)); }

  TempOrdner tmp_;
  TIniFile ini_{tmp_.pfad("vemla.ini")};
  TEinstellungen einst_{ini_};
  TDatBas db_;
  TConnect c_;
  TStilleAnsicht ansicht_;
};
using ControllerTest = ControllerTestAuf<::testing::Test>;
