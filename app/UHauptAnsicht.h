#pragma once
// The main window as the view of the collection's controller: the list, the
// detail fields, the counters, the commands that need entries, the title, the
// please-wait window and the messages of the controller's commands.
#include "core/UConnect.h"
#include "report/UReport.h"

class THauptFormular;

class THauptAnsicht : public IConnectAnsicht {
 public:
  explicit THauptAnsicht(THauptFormular& h) : h_(h) {}

  void listeNeu(const QStringList& zeilen) override;
  void zeilenAnhaengen(const QStringList& zeilen) override;
  void markierungZeigen(int zeile) override;
  void aktualisieren() override;
  void dateiZeigen(const QString& titel, bool speichernMoeglich) override;
  void warten(bool an) override;
  void melden(TConnectMeldung meldung) override;
  bool ueberschreibenErlaubt(const QString& pfad) override;
  bool druckBeginnen() override;
  QString druckzeile(int n, const TDatensatz& d) override;
  void drucken(const QStringList& zeilen) override;
  void druckBeendet() override;
  int obersteZeile() const override;
  void obersteZeileSetzen(int zeile) override;
  void verlaufZeigen() override;
  void hinweis(const QString& text) override;

 private:
  // The commands and fields that need entries, off or on.
  void zustandLeer();
  void zustandGefuellt();

  THauptFormular& h_;
  TReportOptionen druckOptionen_;  // of the print running
};
