#pragma once
// Everything that waits on a person or leaves the process goes through here:
// message boxes, file dialogs, opening documents. The program uses the Qt
// implementation; tests install a scripted double.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "net/UDownload.h"

class QDialog;
class QPrinter;
class QWidget;
class ITabellenAnwendung;
class IWebansicht;

enum class TSymbol { Keins, Warnung, Frage, Information, Stopp };
// JaNeinStandardNein: Yes/No with No as the default button, for a question whose Yes loses data.
enum class TKnoepfe { Ok, JaNein, JaNeinStandardNein };
enum class TAntwort { Ok, Ja, Nein };

// One file type of a file dialog: its description and its pattern ("*.vem").
struct TDateityp {
  QString beschreibung;
  QString muster;
};

struct TDateiDialog {
  QString titel;
  std::vector<TDateityp> typen;
  QString vorschlag;      // proposed file name
  QString standardEndung;  // without the dot: "vem"
  // The window the dialog belongs to and stands above; nullptr: the active window, else the main window.
  QWidget* eltern = nullptr;
  // A save dialog refuses a name that would write over one of these files (the
  // open collection and its files, app/UZielSchutz); "ziel" completes a chosen
  // name as the command will write it.
  QStringList geschuetzt{};
  std::function<QString(const QString&)> ziel{};
};

// A font with its colour; an invalid colour is the system's window text colour.
struct TSchriftWahl {
  QFont schrift;
  QColor farbe;
};

class IPlattform {
 public:
  virtual ~IPlattform() = default;
  // Lines of "text" are separated by a single CR; the text is shown as it is, never as markup.
  // The box belongs to "eltern" and stands above it; nullptr: the active window, else the main window.
  virtual TAntwort meldung(const QString& titel, const QString& text, TSymbol symbol, TKnoepfe knoepfe,
                           QWidget* eltern) = 0;
  // The chosen full path, or nothing when the dialog was cancelled.
  virtual std::optional<QString> oeffnenDialog(const TDateiDialog& dialog) = 0;
  virtual std::optional<QString> speichernDialog(const TDateiDialog& dialog) = 0;
  // Opens a file or address with its default application.
  virtual bool dokumentOeffnen(const QString& ziel) = 0;
  // Shows one of the program's own windows modally until it closes; returns its result code.
  virtual int fensterModal(QDialog& fenster) = 0;
  // The system's print dialog on "drucker"; true when the user chose to print.
  virtual bool druckDialog(QPrinter& drucker) = 0;
  // Starts the spreadsheet application registered under "name" for automation; raises an error when there is none.
  virtual std::unique_ptr<ITabellenAnwendung> automationsObjekt(const QString& name) = 0;
  // Creates a browser view in "eltern", starting the web engine the first time; nullptr when there is none.
  virtual IWebansicht* webansicht(QWidget* eltern) = 0;
  // The font dialog, starting from "start"; the chosen font, or nothing when cancelled.
  virtual std::optional<TSchriftWahl> schriftDialog(const TSchriftWahl& start) = 0;
  // Fetches "adresse" into the file "datei" within "grenzen", blocking until the transfer ends; true on success.
  // "fortschritt" (when set) hears of the progress, on the thread that called.
  virtual bool herunterladen(const QString& adresse, const QString& datei, const TDownloadGrenzen& grenzen,
                             const TFortschritt& fortschritt) = 0;
  // The address of the update server's folder, ending in "/".
  virtual QString updateServer() = 0;
  // The address of the online music database's web service, ending in "/".
  virtual QString musikDienst() = 0;
};

// The platform in use: the Qt one unless a test installed another.
IPlattform& plattform();
// The Qt platform, whatever is installed (for doubles that hand some calls on to it).
IPlattform& systemPlattform();
// Installs "p" (nullptr: back to the Qt platform). The caller keeps ownership.
void setzePlattform(IPlattform* p);

// Shortcut for the common OK box.
inline void meldungOk(const QString& titel, const QString& text, TSymbol symbol = TSymbol::Keins,
                      QWidget* eltern = nullptr) {
  plattform().meldung(titel, text, symbol, TKnoepfe::Ok, eltern);
}
inline bool frageJa(const QString& titel, const QString& text, TSymbol symbol = TSymbol::Frage,
                    QWidget* eltern = nullptr) {
  return plattform().meldung(titel, text, symbol, TKnoepfe::JaNein, eltern) == TAntwort::Ja;
}
// Shows one of the program's windows modally, when it has been created.
inline void modalZeigen(QDialog* fenster) {
  if (fenster) plattform().fensterModal(*fenster);
}
