#include "app/UDateiDialog.h"

#include <sys/stat.h>

#include <cerrno>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "app/UZielSchutz.h"

namespace {

class TDateiDialogFenster : public QFileDialog {
 public:
  TDateiDialogFenster(QWidget* eltern, const TDateiDialog& d) : QFileDialog(eltern, d.titel, QDir::currentPath()), d_(d) {}

  void accept() override {
    // A name typed without an ending gets the ending of the type chosen in the list.
    if (acceptMode() == AcceptSave) {
      const QRegularExpressionMatch endung = QRegularExpression("\\(\\*\\.(\\w+)\\)$").match(selectedNameFilter());
      setDefaultSuffix(endung.hasMatch() ? endung.captured(1) : d_.standardEndung);
    }
    const QStringList dateien = selectedFiles();
    if (!dateien.isEmpty()) {
      const QString einwand = dateiDialogEinwand(dateien.first(), d_);
      if (!einwand.isEmpty()) {
        // The box stands above this dialog, which stays open with the name for correcting.
        plattform().meldung(windowTitle(), einwand, TSymbol::Warnung, TKnoepfe::Ok, this);
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  TDateiDialog d_;
};

// The filter Qt works with: the description without its own pattern list, and
// the pattern. On this system "*.*" would miss names without a dot: all files are "*".
QString qtFilter(const TDateityp& t) {
  const QString muster = t.muster == "*.*" ? QStringLiteral("*") : t.muster;
  QString b = t.beschreibung;
  if (b.endsWith("(" + t.muster + ")")) b.chop(t.muster.size() + 2);
  return b.trimmed() + " (" + muster + ")";
}

}  // namespace

QString dateiDialogEinwand(const QString& pfad, const TDateiDialog& d) {
  const QFileInfo datei(QDir::current().absoluteFilePath(pfad));
  if (!d.geschuetzt.isEmpty()) {
    const QString einwand = zielEinwand(d.ziel ? d.ziel(pfad) : pfad, d.geschuetzt);
    if (!einwand.isEmpty()) return einwand;
  }
  struct stat st;
  if (::stat(QFile::encodeName(datei.absolutePath()).constData(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return {};
  } else if (errno != ENOENT && errno != ENOTDIR) {
    return {};  // a folder the user may not look into: writing there reports the refused access
  }
  return QDir::toNativeSeparators(datei.absolutePath()) +
         "\rDer Pfad existiert nicht.\r\u00DCberpr\u00FCfen Sie den Pfad, und wiederholen Sie den Vorgang.";
}

std::unique_ptr<QFileDialog> dateiDialogBauen(const TDateiDialog& d, bool speichern, QWidget* eltern) {
  auto dlg = std::make_unique<TDateiDialogFenster>(eltern, d);
  // The program's own dialog everywhere: the same texts and the same check of the folder.
  dlg->setOption(QFileDialog::DontUseNativeDialog);
  QStringList filter;
  for (const auto& t : d.typen) filter << qtFilter(t);
  dlg->setNameFilters(filter);
  dlg->setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // The open dialog accepts names of files that do not exist (yet).
  dlg->setFileMode(QFileDialog::AnyFile);
  dlg->setDefaultSuffix(d.standardEndung);
  if (!d.vorschlag.isEmpty()) dlg->selectFile(d.vorschlag);
  // Qt squeezes the blanks of a filter and shows its patterns; the list shows
  // the descriptions as the program writes them.
  if (auto* typen = dlg->findChild<QComboBox*>("fileTypeCombo"))
    for (int i = 0; i < typen->count() && i < static_cast<int>(d.typen.size()); ++i)
      typen->setItemText(i, d.typen[static_cast<std::size_t>(i)].beschreibung);
  return dlg;
}
