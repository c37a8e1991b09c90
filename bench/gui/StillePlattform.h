#pragma once
// The platform of the window benchmarks: message boxes answer at once and
// nothing waits on a person.
#include <memory>
#include <optional>

#include "app/UPlattform.h"
#include "report/UAutomation.h"

class StillePlattform : public IPlattform {
 public:
  TAntwort meldung(const QString&, const QString&, TSymbol, TKnoepfe, QWidget*) override { return TAntwort::Ok; }
  std::optional<QString> oeffnenDialog(const TDateiDialog&) override { return std::nullopt; }
  std::optional<QString> speichernDialog(const TDateiDialog&) override { return std::nullopt; }
  bool dokumentOeffnen(const QString&) override { return false; }
  int fensterModal(QDialog&) override { return 0; }
  std::optional<TSchriftWahl> schriftDialog(const TSchriftWahl&) override { return std::nullopt; }
  bool herunterladen(const QString&, const QString&, const TDownloadGrenzen&, const TFortschritt&) override {
    return false;
  }
  QString updateServer() override { return {}; }
  QString musikDienst() override { return {}; }
  bool druckDialog(QPrinter&) override { return false; }
  IWebansicht* webansicht(QWidget*) override { return nullptr; }
  std::unique_ptr<ITabellenAnwendung> automationsObjekt(const QString&) override { return nullptr; }
};
