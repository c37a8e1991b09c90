#pragma once
// The main window as a view of the options: it follows every option's change
// as the settings announce it (button row, status bar, detail view, quick
// buttons, the stored start position). The options dialog and the
// activation only set options; what an option does to the window is here.
#include <QObject>

#include "core/UEinstellungen.h"

class THauptFormular;

class THauptOptionen {
 public:
  explicit THauptOptionen(THauptFormular& h) : h_(h) {}

  // Follows the changes of "e" from now on.
  void beobachten(TEinstellungen& e);
  // What an option's change does to the main window.
  void anwenden(TEinstellungen::Option o, bool an);

  // The window's height from the button-row and status-bar options.
  void schaltflaechen_ein();
  void schaltflaechen_aus();
  // The detail view shown (its fields reachable with Tab again) or cut off.
  void detailansicht_ein();
  void detailansicht_aus();
  // Stores the main window's left and top edge as its start position.
  void startpositionSpeichern();

 private:
  void hoeheSetzen();
  THauptFormular& h_;
};
