#pragma once
// The collection as a CSV file: UTF-8 with a byte-order mark (so spreadsheet
// programs take it as UTF-8), a header line of the seven field names, comma
// separated, quoted as RFC 4180 has it, CR LF after every line. When an entry
// has details, their columns follow the seven fields, under the names of the
// window's fields (the import reads them back).
#include <string>

class TDatBas;

std::string csvText(const TDatBas& db);
// Writes csvText(db) through the safe write; raises EEAFehler.
void csvSchreiben(const std::string& pfad, const TDatBas& db);
