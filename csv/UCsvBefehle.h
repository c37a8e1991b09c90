#pragma once
// The main window's CSV commands in its menu "Datei": import with a preview
// of the mapping, and export of the whole collection.
#include <vector>

#include "core/UDatentypen.h"

class THauptFormular;

// Adds the two menu items behind "&Hinzufügen" and creates the preview window.
void csvBefehleAnlegen(THauptFormular& h);

// File dialog, reading, preview, then the entries appended.
void csvImportieren();
// Save dialog, then the file written.
void csvExportieren();
// Appends the entries to the collection, up to its limit, as appending a
// collection file does: list lines, refresh, changed mark, and the limit
// message when entries were left out: "ausgelassen" already, or some of these.
void csvAnhaengen(const std::vector<TDatensatz>& saetze, int ausgelassen = 0);
