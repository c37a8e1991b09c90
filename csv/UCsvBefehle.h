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
