// The online look-up window's taking over of the picked releases: as new
// entries through the look-up, or into the add-entry dialog, each release
// looked up first for its genres.
#include <QLineEdit>
#include <QTreeWidget>
#include <vector>

#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "dialogs/UF_add.h"
#include "online/UZuordnung.h"
#include "online/fenster/UErgebnisZeile.h"
#include "online/fenster/UFOnline.h"

void TFOnline::b_uebernehmenClick() {
  if (sucht()) return;
  const std::vector<int> gewaehlt = gewaehlteZeilen();
  // The next disc's digits replace the last barcode, also while genres are looked up.
  e_strichcode->setFocus();
  e_strichcode->selectAll();
  suche().uebernehmen(gewaehlt, [this, text = e_strichcode->text()](bool versucht) {
    if (versucht) e_strichcode->setFocus();  // ready for the next disc
    strichcodeBereit(text);
  });
}

void TFOnline::b_eingabemaskeClick() {
  const std::vector<int> zeilen = gewaehlteZeilen();
  if (zeilen.empty() || !F_add || sucht()) return;
  suche().genresLaden(zeilen.front(), [this, zeile = zeilen.front()](bool fertig) {
    if (fertig) inEingabemaske(zeile);
  });
}

void TFOnline::inEingabemaske(int zeile) {
  suche().statusSetzen({});
  const TVeroeffentlichung& v = suche().ergebnisse()[static_cast<std::size_t>(zeile)].v;
  const TFelder f = felderFuerSammlung(v);
  const std::array<QStringList, 7> hinweise = feldHinweise(v);
  const QList<QLineEdit*> felder = F_add->eingabefelder();
  for (int i = 0; i < felder.size() && i < static_cast<int>(f.size()); ++i) {
    felder[i]->setText(f[static_cast<std::size_t>(i)]);
    // What storing changed in the field, on hovering it and for screen readers.
    const QString hinweis = hinweise[static_cast<std::size_t>(i)].join(", ");
    felder[i]->setToolTip(hinweis);
    felder[i]->setAccessibleDescription(hinweis);
  }
  plattform().fensterModal(*F_add);
  for (QLineEdit* e : felder) {
    e->setToolTip({});
    e->setAccessibleDescription({});
  }
}
