#pragma once
// The collection file: a bare sequence of 1792-byte records, nothing else.
#include <functional>
#include <string>

#include "core/UDatbas.h"

// Appends the records of the file at "pfad" to "db" until the end of the file
// or until db holds "grenze" entries; calls "beiDatensatz" after each append.
// A trailing incomplete record (with room left) raises "Versuch hinter dem
// Dateiende zu lesen" after every complete record was appended; open and read
// errors raise their EEAFehler. Returns the number of records appended.
int vemAnhaengen(const std::string& pfad, TDatBas& db, int grenze = MAX_DATENSAETZE,
                 const std::function<void(const TDatensatz&)>& beiDatensatz = {});

// Writes every entry of "db" to "pfad". The data go to a temporary file in the
// same folder, which replaces the target only once everything is written and
// flushed, so a failed save leaves an existing file as it was. Raises EEAFehler.
void vemSchreiben(const std::string& pfad, const TDatBas& db);

// Writes "n" bytes as the whole content of the file "pfad", in the same safe
// way: a failed write leaves an existing file of that name as it was.
void dateiSicherSchreiben(const std::string& pfad, const char* daten, std::size_t n);

// True when "pfad" names an existing file (not a folder).
bool dateiExistiert(const std::string& pfad);
