#include "tests/support/TestPlattform.h"

#include <QDialog>
#include <QFile>
#include <QPrinter>
#include <QUrl>
#include <QWidget>

#include "app/UDateiDialog.h"
#include "info/UWebansicht.h"
#include "net/UDownload.h"
#include "report/UAutomation.h"

namespace {

// A browser view that shows nothing and records where it was sent.
class TAttrappenWebansicht : public QWidget, public IWebansicht {
 public:
  TAttrappenWebansicht(QWidget* eltern, std::vector<QString>& seiten) : QWidget(eltern), seiten_(seiten) {}
  QWidget* widget() override { return this; }
  void laden(const QUrl& adresse) override {
    seiten_.push_back(adresse.toString());
    if (fertig_) fertig_(true);
  }
  void skript(const QString&, std::function<void(const QVariant&)> ergebnis) override {
    if (ergebnis) ergebnis(QVariant());
  }
  void beiLadeende(std::function<void(bool)> fertig) override { fertig_ = std::move(fertig); }
  void beenden() override {}

 private:
  std::vector<QString>& seiten_;
  std::function<void(bool)> fertig_;
};

}  // namespace

TAntwort TTestPlattform::meldung(const QString& titel, const QString& text, TSymbol symbol, TKnoepfe knoepfe,
                                 QWidget* eltern) {
  meldungen.push_back({titel, text, symbol, knoepfe, eltern});
  if (echteMeldungen) return systemPlattform().meldung(titel, text, symbol, knoepfe, eltern);
  if (knoepfe == TKnoepfe::Ok) return TAntwort::Ok;
  if (antworten.empty()) return TAntwort::Nein;
  const TAntwort a = antworten.front();
  antworten.pop_front();
  return a;
}

std::optional<QString> TTestPlattform::oeffnenDialog(const TDateiDialog& dialog) {
  dateiDialoge.push_back(dialog);
  // As the real dialog: a name in a folder that does not exist is refused with
  // a box, and the dialog stays open for the next name.
  while (!dateinamen.empty()) {
    auto n = dateinamen.front();
    dateinamen.pop_front();
    if (!n) return n;
    const QString einwand = dateiDialogEinwand(*n, dialog);
    if (einwand.isEmpty()) return n;
    meldung(dialog.titel, einwand, TSymbol::Warnung, TKnoepfe::Ok, dialog.eltern);
  }
  return std::nullopt;
}

std::optional<QString> TTestPlattform::speichernDialog(const TDateiDialog& dialog) {
  if (!echteDateiDialoge) return oeffnenDialog(dialog);
  dateiDialoge.push_back(dialog);
  return systemPlattform().speichernDialog(dialog);
}

bool TTestPlattform::dokumentOeffnen(const QString& ziel) {
  geoeffneteDokumente.push_back(ziel);
  return true;
}

int TTestPlattform::fensterModal(QDialog& fenster) {
  modaleFenster.push_back(fenster.objectName());
  fenster.setResult(0);
  fenster.show();
  if (!fensterSkripte.empty()) {
    auto skript = fensterSkripte.front();
    fensterSkripte.pop_front();
    skript(fenster);
  }
  fenster.hide();
  return fenster.result();
}

IWebansicht* TTestPlattform::webansicht(QWidget* eltern) {
  ++webansichten;
  if (echteWebansicht) return webansichtLaden(eltern);
  return new TAttrappenWebansicht(eltern, webseiten);
}

std::optional<TSchriftWahl> TTestPlattform::schriftDialog(const TSchriftWahl& start) {
  schriftDialoge.push_back(start);
  if (schriften.empty()) return std::nullopt;
  auto s = schriften.front();
  schriften.pop_front();
  return s;
}

bool TTestPlattform::herunterladen(const QString& adresse, const QString& datei, const TDownloadGrenzen& grenzen,
                                   const TFortschritt& fortschritt) {
  downloads.push_back(adresse);
  downloadGrenzen.push_back(grenzen);
  // Tests never reach beyond this computer.
  if (QUrl(adresse).host() != "127.0.0.1") return false;
  return dateiHerunterladen(adresse.toStdString(), QFile::encodeName(datei).toStdString(),
                            testGrenzen.value_or(grenzen), fortschritt);
}

QStringList TTestPlattform::meldungsTexte() const {
  QStringList r;
  for (const auto& m : meldungen) r << m.titel + "|" + m.text;
  return r;
}

bool TTestPlattform::druckDialog(QPrinter& drucker) {
  ++druckDialoge;
  if (druckziele.empty()) return false;
  const auto ziel = druckziele.front();
  druckziele.pop_front();
  if (!ziel) return false;
  drucker.setOutputFormat(QPrinter::PdfFormat);
  drucker.setOutputFileName(*ziel);
  if (druckWahl) druckWahl(drucker);
  return true;
}

std::unique_ptr<ITabellenAnwendung> TTestPlattform::automationsObjekt(const QString& name) {
  automationen.push_back(name);
  return automation ? automation(name) : automationErzeugen(name);
}
