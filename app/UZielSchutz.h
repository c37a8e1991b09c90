#pragma once
// A file the user picks to write (an export or report, a printed file, a saved
// chart, the update's download) never replaces the open collection or a file
// that belongs to it: every such place asks zielEinwand before it writes.
#include <QString>
#include <QStringList>

// The open collection and the files that belong to it (its recovery copy).
QStringList geschuetzteDateien();

// Why "ziel" may not be written: it is one of "geschuetzt" under whatever name
// (the export dialogs' message, with the full path); empty when it may.
QString zielEinwand(const QString& ziel, const QStringList& geschuetzt);
