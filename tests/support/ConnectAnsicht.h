#pragma once
#include <QStringList>

#include "core/UConnect.h"

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
