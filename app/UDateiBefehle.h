#pragma once
// The main window's commands on whole collection files: new, load, append,
// save, save as; and the file dialogs they run, whose state lives for the
// whole run.
#include <QString>
#include <functional>

#include "app/UPlattform.h"

class TDateiBefehle {
 public:
  void neu();
  void laden();
  void hinzufuegen(bool buttonVariante);
  void speichern();
  void speichernUnter();

  TDateiDialog oeffnenDialog() const;
  TDateiDialog speicherDialog() const;
  // "d" as the save dialog of an export: it refuses to write over the open
  // collection, with the name completed by "ziel" as the export writes it.
  TDateiDialog exportDialog(TDateiDialog d, std::function<QString(const QString&)> ziel) const;
  QString oeffnenTitel = "Öffnen einer CD-Sammlung (Vemla-Datei) *.vem";
  QString speichernVorschlag = "CD-Sammlung1.vem";
  QString endungsTyp;  // registered extra extension, e.g. ".abc" (empty: none)
};
