#include "app/USchriftDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLayout>
#include <QPixmap>

#include "app/UFarbnamen.h"
#include "app/UGlobal.h"

namespace {

QIcon farbfeld(const QColor& c) {
  QPixmap p(16, 12);
  p.fill(c);
  return QIcon(p);
}

// Adds the colour list below the effects (strike-out, underline) of the dialog.
QComboBox* farbliste(QFontDialog& dlg, const QColor& farbe) {
  QCheckBox* effekt = dlg.findChild<QCheckBox*>();
  QWidget* gruppe = effekt ? effekt->parentWidget() : nullptr;
  if (!gruppe || !gruppe->layout()) return nullptr;
  auto* liste = mitName(new QComboBox(gruppe), "Farbe");
  liste->addItem(farbfeld(QApplication::palette().color(QPalette::Text)), "Automatisch", QColor());
  for (const TFarbname& f : STANDARDFARBEN) liste->addItem(farbfeld(::farbe(f.wert)), f.deutsch, ::farbe(f.wert));
  const int i = liste->findData(farbe);
  if (i >= 0) {
    liste->setCurrentIndex(i);
  } else {  // a colour without a name stays choosable as it is
    liste->addItem(farbfeld(farbe), farbName(farbe), farbe);
    liste->setCurrentIndex(liste->count() - 1);
  }
  auto* label = new QLabel("&Farbe:", gruppe);
  label->setBuddy(liste);
  gruppe->layout()->addWidget(label);
  gruppe->layout()->addWidget(liste);
  return liste;
}

// The dialog finds a font's style by its name; families whose regular style
// is not called "Normal" ("Book") would otherwise start on another style.
QFont mitStilname(QFont f) {
  QString treffer;
  for (const QString& stil : QFontDatabase::styles(f.family()))
    if (QFontDatabase::italic(f.family(), stil) == f.italic() && QFontDatabase::weight(f.family(), stil) == f.weight() &&
        (treffer.isEmpty() || stil.size() < treffer.size()))
      treffer = stil;
  if (!treffer.isEmpty()) f.setStyleName(treffer);
  return f;
}

}  // namespace

std::optional<TSchriftWahl> schriftWaehlen(const TSchriftWahl& start) {
  QFontDialog dlg(mitStilname(start.schrift), QApplication::activeWindow());
  dlg.setOption(QFontDialog::DontUseNativeDialog);
  dlg.setWindowTitle("Schriftart");
  QComboBox* liste = farbliste(dlg, start.farbe);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  TSchriftWahl r{dlg.selectedFont(), start.farbe};
  r.schrift.setStyleName(QString());  // weight and slant say it; a name would outrank added styles
  if (liste) r.farbe = liste->currentData().value<QColor>();
  return r;
}
