#pragma once
// Which column of a CSV file fills which field of an entry, and the entries
// the file's lines give. A column is found by its header (German or English,
// without regard to case); the collection export of Discogs is recognised by
// its header and its values are brought into the program's forms.
#include <string>
#include <string_view>
#include <vector>

#include "angaben/UAngaben.h"
#include "core/UDatentypen.h"
#include "csv/UCsvLesen.h"

// The columns of the collector's details, in the order an export writes them.
enum TAngabenSpalte : int {
  SP_ZUSTAND_TONTRAEGER, SP_ZUSTAND_HUELLE, SP_AUFGENOMMEN_AM, SP_GEKAUFT_AM, SP_PREIS, SP_GEKAUFT_BEI,
  SP_STANDORT, SP_BEWERTUNG, SP_NOTIZEN, SP_VERLIEHEN_AN, SP_VERLIEHEN_SEIT, SP_ZURUECK_BIS,
  ANGABEN_SPALTEN
};
// The header of a details' column as an export writes it, named like the
// field of the window "Sammlerangaben" (Windows-1252: "Zustand Tontr\xE4ger").
const char* angabenSpaltenName(int spalte);

struct TCsvZuordnung {
  // The column (0-based) for each field 1..7 at index 0..6; -1 for none.
  int spalte[FELD_ANZAHL] = {-1, -1, -1, -1, -1, -1, -1};
  // Every text loses the blanks at its ends, artist and label their numbered
  // suffix, Released keeps its year, and Format becomes the matching Typ preset.
  bool discogs = false;
  // The column (0-based) for each of the details, -1 for none; found by the
  // names an export writes and by Discogs's names ("Collection Media
  // Condition", "Rating", "Date Added", "CollectionFolder").
  int angaben[ANGABEN_SPALTEN] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

  int& fuer(int feld) { return spalte[feld - 1]; }
  int fuer(int feld) const { return spalte[feld - 1]; }
  bool irgendeine() const;
};

// The mapping the header names give; each column serves at most one field,
// the first matching column wins.
TCsvZuordnung csvZuordnungErkennen(const std::vector<std::string>& kopf);
// True for the header of a Discogs collection export.
bool istDiscogsKopf(const std::vector<std::string>& kopf);

// The field names as the header of an exported file has them ("Interpret" .. "Kommentar").
const char* feldName(int feld);

// What an import gives: the entries to append and what happened to the lines.
struct TCsvErgebnis {
  std::vector<TDatensatz> saetze;
  // The details of each entry in "saetze", at the same index (empty ones too).
  // A Kommentar longer than the field goes whole into the Notizen, unless the
  // file has a column of its own for them.
  std::vector<TAngaben> angaben;
  int gekuerzt = 0;        // lines with a text longer than 255 characters, cut
  int geaendert = 0;       // lines with characters outside Windows-1252, given their nearest form or "?"
  int uebersprungen = 0;   // lines with an empty Interpret or Titel
  int ueberGrenze = 0;     // lines left out because the collection is full
};

// Turns every line of "daten" into an entry, as long as fewer than "platz" were made.
TCsvErgebnis csvUmwandeln(const TCsvDaten& daten, const TCsvZuordnung& z, int platz);

// Once a collection has details, new entries get the day they were added
// ("heute", ISO) as Aufgenommen am: the entries of "e" without one, when the
// collection ("sammlungMitAngaben") or the file has details. Not when the file
// has a column for that date: an empty cell there means no date.
void csvAufnahmedatum(TCsvErgebnis& e, const TCsvZuordnung& z, bool sammlungMitAngaben, const std::string& heute);

// --- the Discogs forms, each on a Windows-1252 text
// "Name (2)" -> "Name", also for each name of a joined credit or label: every
// " (N)" followed by the end, a blank or punctuation goes ("A (2), B (3)",
// "A (2) Feat. B", "Jean (3) Avec Marie", "Adam (4) \xB7 Eve",
// "Not On Label (A (3) Self-released)").
std::string discogsOhneNummer(std::string_view s);
// "1995-03-01" -> "1995"; "0" -> ""; anything else stays.
std::string discogsJahr(std::string_view s);
// "CD, Album" -> "CD - Album (1 CD)", "2xLP, Album" -> "12'' Vinyl - Album (2 Vinyls)";
// a format without a matching preset stays as it is.
std::string discogsTyp(std::string_view format);

// Raises ECsvFehler when the mapping cannot fill an entry: no known column at
// all, or (when "interpretUndTitel") none for Interpret or Titel.
void csvZuordnungPruefen(const TCsvZuordnung& z, bool interpretUndTitel = true);
