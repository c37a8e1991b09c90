#pragma once
// The program-wide objects and windows, one instance each, reached from
// everywhere. The main window creates the five objects; the application
// creates the windows (see UAnwendung).
#include <QColor>
#include <QFont>

class TDatBas;
class TIniFile;
class TEinstellungen;
class TConnect;
class TDBSortTree;
class THauptFormular;
class TFworking;
class TF_add;
class TFOptionen;
class TFStartbildschirm;
class TFfirststart;
class TFWebbrowser;
class TF_Programminformation;
class TFSuche;
class TFUebersicht;
class TFTastaturkrzl;
class TFprint;
class TFexporthtml;
class TFexporttxt;
class TFexportdif;
class TFInternetZugriff;
class TFAutopatcher;

extern TDatBas* DatBas;
extern TIniFile* IniFile;
extern TEinstellungen* Einstellungen;
extern TConnect* Connect;
extern TDBSortTree* SortTree;

extern THauptFormular* HauptFormular;
extern TFStartbildschirm* FStartbildschirm;
extern TF_add* F_add;
extern TFOptionen* FOptionen;
extern TFworking* Fworking;
extern TFfirststart* Ffirststart;
extern TFWebbrowser* FWebbrowser;
extern TF_Programminformation* F_Programminformation;
extern TFSuche* FSuche;
extern TFUebersicht* FUebersicht;
extern TFTastaturkrzl* FTastaturkrzl;
extern TFprint* Fprint;
extern TFexporthtml* Fexporthtml;
extern TFexporttxt* Fexporttxt;
extern TFexportdif* Fexportdif;
extern TFInternetZugriff* FInternetZugriff;
extern TFAutopatcher* FAutopatcher;

// The application title the desktop shows for the running program.
inline constexpr const char* ANWENDUNGSTITEL = " Vemla ";

// Fonts standing in for the classic desktop fonts of the layout.
inline constexpr const char* SCHRIFT_STANDARD = "Liberation Sans";  // for MS Sans Serif
inline constexpr const char* SCHRIFT_VERDANA = "DejaVu Sans";       // for Verdana

// Colours of the please-wait and first-start windows, and of the logo.
inline constexpr unsigned FARBE_HELL = 15923191;   // red 247, green 247, blue 242
inline constexpr unsigned FARBE_DUNKEL = 6898476;  // red 44, green 67, blue 105
inline constexpr unsigned FARBE_LOGO_OBEN = 0x8A5A2C;
inline constexpr unsigned FARBE_LOGO_UNTEN = 0x3A2414;

// The windows' standard font, 8 points.
inline QFont standardSchrift() { return QFont(SCHRIFT_STANDARD, 8); }

// A new control with its component name.
template <typename T>
T* mitName(T* w, const char* name) {
  w->setObjectName(name);
  return w;
}

// A colour value as stored by the classic toolkit: 0x00BBGGRR.
inline QColor farbe(unsigned wert) { return QColor(wert & 0xFF, (wert >> 8) & 0xFF, (wert >> 16) & 0xFF); }

// Where the program lives on the web and how its author is reached.
#include "app/UAdressen.h"
