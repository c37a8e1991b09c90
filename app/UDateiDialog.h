#pragma once
// The file dialogs of the program: the file types shown exactly as the program
// names them, and a name whose folder does not exist refused while the dialog
// stays open, so that the user can correct it.
#include <QFileDialog>
#include <QString>
#include <memory>

#include "app/UPlattform.h"

// Why the file dialog "d" refuses the chosen path "pfad" (empty when it takes
// it): its folder must exist, the file itself need not; a save dialog never
// takes the file it protects.
QString dateiDialogEinwand(const QString& pfad, const TDateiDialog& d = {});

// The dialog for "d", starting in the current folder; "speichern" for a save
// dialog. Not yet shown.
std::unique_ptr<QFileDialog> dateiDialogBauen(const TDateiDialog& d, bool speichern, QWidget* eltern);
