#pragma once
// The controller between the collection and the main window: turns entries
// into list lines and detail fields, keeps list, selection and collection in
// step, switches the main window's commands, carries out the entry commands
// and the collection-file operations.
#include <QString>

#include "core/UDBSortTree.h"
#include "core/UDateiWache.h"

// The list line of an entry as the list shows it: records from a file keep
// their bytes, so a line break inside a field is shown as a blank.
QString listenzeileAnzeigen(const TDatensatz& d);

class TConnect : public ISortAnzeige {
 public:
  // --- refresh and list
  void anzeigen_aktualisieren();
  void liste_neu_aufbauen();

  // --- entry commands
  bool datensatz_hinzufuegen(const QString& interpret, const QString& titel, const QString& label,
                             const QString& release, const QString& typ, const QString& genre,
                             const QString& kommentar);
  void datensatz_aendern(const QString& interpret, const QString& titel, const QString& label,
                         const QString& release, const QString& typ, const QString& genre,
                         const QString& kommentar);
  void datensatz_loeschen();
  void nach_oben();
  void nach_unten();
  void neue_sammlung();

  // --- collection files
  void datei_hinzuladen(const QString& pfad);
  void datei_oeffnen(const QString& pfad);
  // False when the user declined to write over changes made outside the program.
  bool datei_speichern(const QString& pfad);
  bool dateityp_pruefen(const QString& pfad);

  // --- printing: the print dialog, then every entry as a line of the main window's buffer, then its print
  void liste_drucken();

  // --- sorting (the window side around TDBSortTree::sortieren)
  void sortierungBeginnt(int anzahl) override;
  void sortierungBeendet(int anzahl) override;

 private:
  void zustandLeer();
  void zustandGefuellt();
  void wartenZeigen();
  void wartenVerbergen();
  void nachLesefehler();

  TDateiWache wache_;
};

// Threshold above which long entry and file operations show the please-wait window.
constexpr int WARTEN_AB = 700;
constexpr int WARTEN_SORTIEREN_AB = 200;

// A path as the file layer takes it (the exact bytes that name the file on this
// system; also the form "filename" is stored in the settings), and back.
std::string dateiPfad(const QString& pfad);
QString pfadAusDatei(const std::string& bytes);
