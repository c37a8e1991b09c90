#pragma once
// The recovery copies of this run, and the question at the start that offers
// the copies of programs that ended without saving.
#include <QString>
#include <functional>

class QWidget;
class TSicherung;

// From now on the collection's unsaved changes are copied into "ordner" (the
// program does so at its start; tests when they ask for it).
void sicherungStarten(const QString& ordner, int verzoegerungMs = 2000);
// The end of the run: unsaved changes not given up stay in the copy. Before the collection goes.
void sicherungBeenden();
// The running recovery, or null.
TSicherung* sicherung();
// Offers the copies of programs that no longer run, one after the other,
// "zeigen" having shown the main window first. After a "Ja" the collection is
// that copy, under its original name and marked changed; the copies not yet
// offered then stay for the next start. True when one was restored.
bool kopienAnbieten(QWidget* fenster, const std::function<void()>& zeigen);
// At the exit: the changes were saved, or the user gave them up.
void kopieAufgeben();
// At the exit, when the save failed or was cancelled: writes the copy now;
// true when no copy holds the unsaved changes, so that ending would lose them
// (false without a running recovery).
bool kopieFehlt();
