#pragma once
// The collection file: a bare sequence of 1792-byte records, nothing else.
#include <functional>
#include <string>

#include "core/UDatbas.h"
#include "core/USicherSchreiben.h"

// Appends the records of the file at "pfad" to "db" until the end of the file
// or until db holds "grenze" entries; calls "beiDatensatz" after each append.
// A trailing incomplete record (with room left) raises "Versuch hinter dem
// Dateiende zu lesen" after every complete record was appended; open and read
// errors raise their EEAFehler. Returns the number of records appended.
// "kennung", when given, receives the state of the file as it was read (the
// checksum of the bytes read).
int vemAnhaengen(const std::string& pfad, TDatBas& db, int grenze = MAX_DATENSAETZE,
                 const std::function<void(const TDatensatz&)>& beiDatensatz = {}, TDateiKennung* kennung = nullptr);

// Writes every entry of "db" to "pfad" with dateiSicherSchreiben (core/USicherSchreiben.h),
// so a failed save leaves an existing file as it was. Raises EEAFehler.
void vemSchreiben(const std::string& pfad, const TDatBas& db, TDateiKennung* kennung = nullptr);
// The bytes vemSchreiben writes for "db".
std::string vemDaten(const TDatBas& db);

// True when "pfad" names an existing file (not a folder).
bool dateiExistiert(const std::string& pfad);
