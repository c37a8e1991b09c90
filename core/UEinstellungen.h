#pragma once
// The settings of the program: every key of "vemla.ini" it uses, each read
// and written here with its section, key and default, and the running state
// of the options (what the options dialog shows). Reading goes to the file at
// every call, as the settings file does; a write refused by the file raises
// its error to the caller.
#include <QObject>
#include <QPoint>
#include <QString>
#include <optional>
#include <string>

#include "core/UGesamtZellen.h"

class TIniFile;

// The overview's window and column widths until the user stores others.
inline constexpr int UEBERSICHT_BREITE = 791;
inline constexpr int UEBERSICHT_HOEHE = 414;
inline constexpr int UEBERSICHT_SPALTENBREITEN[GESAMT_SPALTEN] = {33, 132, 140, 79, 52, 82, 81, 146};
// The online look-up window's smallest size and its columns' widths.
inline constexpr int ONLINE_BREITE = 760;
inline constexpr int ONLINE_HOEHE = 478;
inline constexpr int ONLINE_SPALTEN = 8;
inline constexpr const char* ONLINE_DIENST = "https://musicbrainz.org/ws/2/";
inline constexpr int ONLINE_SPALTENBREITEN[ONLINE_SPALTEN] = {125, 135, 110, 36, 85, 34, 92, 125};

class TEinstellungen : public QObject {
  Q_OBJECT
 public:
  // The options of the options dialog.
  enum class Option {
    Schaltflaechen,
    Statusleiste,
    Detailansicht,
    Startbildschirm,
    Quickbuttons,
    Startposition,
    LetzteDateiLaden,
    UebersichtSpeichern,
  };
  Q_ENUM(Option)
  enum class Schriftstil { Fett, Kursiv, Unterstrichen, Durchgestrichen };

  explicit TEinstellungen(TIniFile& ini, QObject* eltern = nullptr);

  // ---- the running state of the options, as the program starts: the view
  // options on, the others off.
  bool option(Option o) const;
  // Sets an option: when its state changes, announces the new state
  // (geaendert), stores the option's key as "true" or "false" and announces
  // that the change takes effect (wirksam). The view options that change the
  // main window's size take effect before the store, the others after it; a
  // store the file refuses raises its error here, and what was to follow it
  // is not done.
  void optionSetzen(Option o, bool an);

  // ---- [Programm]
  bool ersterStart() const;  // on unless "false"
  void ersterStartSetzen(bool an);

  // ---- [Ansicht]
  // nullopt while never stored ("no"), else on only when "true".
  std::optional<bool> schaltflaechen() const;
  std::optional<bool> detailansicht() const;
  bool statusleiste() const;  // on only when "true"
  bool startbildschirm() const;  // on unless "false"
  bool quickbuttons() const;  // on unless "false"
  bool vorgabelisten() const;  // "showcombobox": on only when "true", "true" when missing

  // ---- [Optionen]
  bool startposition() const;  // on only when "true"
  // The stored corner of the main window; nullopt when either edge is no number.
  std::optional<QPoint> startpunkt() const;
  void startpunktSetzen(QPoint p);  // left, then top
  bool letzteDateiLaden() const;  // on only when "true"
  std::string vemDateiendung() const;  // "" when missing

  // ---- [Initiation]
  std::string letzteDatei() const;  // the file's path (Windows-1252), "" when missing
  void letzteDateiSetzen(const std::string& pfad);

  // ---- [Gesamtuebersicht]
  bool uebersichtSpeichern() const;  // "saved": on only when "true"
  // Window and column widths within 0..10000, the font size within 1..200, else the default.
  int uebersichtBreite() const;
  void uebersichtBreiteSetzen(int breite);
  int uebersichtHoehe() const;
  void uebersichtHoeheSetzen(int hoehe);
  int uebersichtSpaltenbreite(int spalte) const;
  void uebersichtSpaltenbreiteSetzen(int spalte, int breite);
  int uebersichtSchriftgroesse() const;
  void uebersichtSchriftgroesseSetzen(int groesse);
  std::string uebersichtSchriftfarbe() const;  // a colour name, "clWindowText" when missing
  void uebersichtSchriftfarbeSetzen(const std::string& name);
  std::string uebersichtSchriftname() const;  // "Verdana" when missing
  void uebersichtSchriftnameSetzen(const std::string& name);
  // Read as numbers (not 0 is on), written as "1"/"0"; off when missing.
  bool uebersichtSchriftstil(Schriftstil s) const;
  void uebersichtSchriftstilSetzen(Schriftstil s, bool an);
  bool uebersichtMaximiert() const;
  void uebersichtMaximiertSetzen(bool an);

  // ---- [Onlinesuche]
  // Within the smallest size (a column: 1) and 10000, else the default.
  int onlineBreite() const;
  void onlineBreiteSetzen(int breite);
  int onlineHoehe() const;
  void onlineHoeheSetzen(int hoehe);
  int onlineSpaltenbreite(int spalte) const;
  void onlineSpaltenbreiteSetzen(int spalte, int breite);
  // "dienst": the base address of the online music database's web service,
  // ending in "/"; MusicBrainz's own when missing or empty. Set by hand (a
  // mirror), written by nobody; whether it may be used is checked at a search.
  QString onlineDienst() const;

 signals:
  // The running state of an option changed (what the options dialog's boxes show).
  void geaendert(TEinstellungen::Option o, bool an);
  // An option's change takes effect: the main window applies it.
  void wirksam(TEinstellungen::Option o, bool an);
  // A key was written to the settings file.
  void geschrieben(const QString& sektion, const QString& schluessel);

 private:
  std::string lesen(const char* sektion, const std::string& schluessel, const char* standard) const;
  void schreiben(const char* sektion, const std::string& schluessel, const std::string& wert);
  TIniFile& ini_;
  bool optionen_[8] = {true, true, true, true, true, false, false, false};
};

// The program's settings, created and freed with the settings file by the main window.
extern TEinstellungen* Einstellungen;
