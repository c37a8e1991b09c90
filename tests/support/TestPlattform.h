#pragma once
// The scripted platform for tests: records every box and dialog the program
// shows and answers them from queues; modal windows are shown non-modally and
// handed to a script.
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "app/UPlattform.h"

class QPrinter;

struct TGezeigteMeldung {
  QString titel, text;
  TSymbol symbol;
  TKnoepfe knoepfe;
  QWidget* eltern;  // the window the program asked the box to belong to
};

class TTestPlattform : public IPlattform {
 public:
  TTestPlattform() { setzePlattform(this); }
  ~TTestPlattform() override { setzePlattform(nullptr); }

  // Answers for Yes/No boxes, in order; when empty, "Nein".
  std::deque<TAntwort> antworten;
  // Chosen names for file dialogs, in order; nullopt = cancelled; when empty, cancelled.
  // A name whose folder does not exist is refused as by the real dialog, which then takes the next.
  std::deque<std::optional<QString>> dateinamen;
  // Boxes and file dialogs of the Qt platform, recorded and then really shown
  // (the test answers them); the queues above are then not used.
  bool echteMeldungen = false;
  bool echteDateiDialoge = false;
  // Runs while a modal window is shown; when empty, the window just closes again.
  std::deque<std::function<void(QDialog&)>> fensterSkripte;

  // Chosen fonts for font dialogs, in order; nullopt = cancelled; when empty, cancelled.
  std::deque<std::optional<TSchriftWahl>> schriften;

  std::vector<TGezeigteMeldung> meldungen;
  std::vector<TDateiDialog> dateiDialoge;
  std::vector<QString> geoeffneteDokumente;
  std::vector<QString> modaleFenster;
  // Browser views: a stand-in that records the addresses it is sent to, unless
  // "echteWebansicht" asks for the real web engine.
  bool echteWebansicht = false;
  std::vector<QString> webseiten;
  int webansichten = 0;
  std::vector<TSchriftWahl> schriftDialoge;  // the font each font dialog started from
  // The update server; downloads go through only to addresses on 127.0.0.1.
  QString updateAdresse = QStringLiteral("http://127.0.0.1:9/");
  std::vector<QString> downloads;
  std::vector<TDownloadGrenzen> downloadGrenzen;  // as the program asked for them
  // Bounds that replace the program's (short times, so that slow servers are quick to test).
  std::optional<TDownloadGrenzen> testGrenzen;

  // Print dialog: each answer a PDF file to print into, nullopt = cancelled; when empty, cancelled.
  std::deque<std::optional<QString>> druckziele;
  int druckDialoge = 0;
  // What the user sets in the print dialog beyond the file (pages, copies, order); applied before printing.
  std::function<void(QPrinter&)> druckWahl;
  // Creates the spreadsheet application; when unset, the installed one.
  std::function<std::unique_ptr<ITabellenAnwendung>(const QString&)> automation;
  std::vector<QString> automationen;

  TAntwort meldung(const QString& titel, const QString& text, TSymbol symbol, TKnoepfe knoepfe,
                   QWidget* eltern) override;
  std::optional<QString> oeffnenDialog(const TDateiDialog& dialog) override;
  std::optional<QString> speichernDialog(const TDateiDialog& dialog) override;
  bool dokumentOeffnen(const QString& ziel) override;
  int fensterModal(QDialog& fenster) override;
  bool druckDialog(QPrinter& drucker) override;
  std::unique_ptr<ITabellenAnwendung> automationsObjekt(const QString& name) override;
  IWebansicht* webansicht(QWidget* eltern) override;
  std::optional<TSchriftWahl> schriftDialog(const TSchriftWahl& start) override;
  bool herunterladen(const QString& adresse, const QString& datei, const TDownloadGrenzen& grenzen,
                     const TFortschritt& fortschritt) override;
  QString updateServer() override { return updateAdresse; }
  // The online music database: a server on 127.0.0.1 in tests.
  QString musikDienstAdresse = QStringLiteral("http://127.0.0.1:9/ws/2/");
  QString musikDienst() override { return musikDienstAdresse; }

  // The texts of all boxes shown so far, "title|text" each.
  QStringList meldungsTexte() const;
  const TGezeigteMeldung* letzteMeldung() const { return meldungen.empty() ? nullptr : &meldungen.back(); }
};
