// The online look-up's taking over of the picked releases: as new entries
// (one step of undo) or into the add-entry dialog, each release looked up
// first for its genres, with a count in the status line and a cancel.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTreeWidget>
#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "dialogs/UF_add.h"
#include "online/UErgebnisZeile.h"
#include "online/UFOnline.h"
#include "online/UHintergrund.h"
#include "online/UZuordnung.h"

void TFOnline::b_uebernehmenClick() {
  if (sucht()) return;
  // A line taken over once is not added again. One already in the collection
  // is left out, said in the status line, and taken by the next "Übernehmen":
  // no box in the scanning, whose next digits and Enter would answer it.
  const std::set<std::string> vorhanden = sammlungsSchluessel();
  std::vector<int> zeilen;
  int uebersprungen = 0;
  for (int i : gewaehlteZeilen()) {
    TErgebnis& e = ergebnisse_[static_cast<std::size_t>(i)];
    if (e.uebernommen) continue;
    if (vorhanden.count(sammlungsSchluessel(e.v)) && !e.uebersprungen) {
      e.uebersprungen = true;
      ++uebersprungen;
    } else {
      zeilen.push_back(i);
    }
  }
  const QString hinweis =
      uebersprungen ? QString("%1 bereits vorhandene übersprungen – erneut Übernehmen, um sie doch zu übernehmen")
                          .arg(uebersprungen)
                    : QString();
  // The next disc's digits replace the last barcode, also while genres are looked up.
  e_strichcode->setFocus();
  e_strichcode->selectAll();
  if (zeilen.empty()) {
    if (!hinweis.isEmpty()) L_status->setText(hinweis);
    return;
  }
  genresLaden(zeilen, [this, hinweis, text = e_strichcode->text()](const std::vector<int>& fertig) {
    hinzufuegen(fertig);
    if (!hinweis.isEmpty()) L_status->setText(hinweis);
    strichcodeBereit(text);
  });
}

void TFOnline::hinzufuegen(const std::vector<int>& zeilen) {
  int uebernommen = 0;
  if (zeilen.empty()) return;
  // One "Übernehmen" is one step of undo, however many entries it adds.
  TConnect::TSchritt schritt(*Connect, "Online-Suche übernehmen");
  for (int i : zeilen) {
    TErgebnis& e = ergebnisse_[static_cast<std::size_t>(i)];
    const TFelder f = felderFuerSammlung(e.v);
    if (!Connect->datensatz_hinzufuegen(f[0], f[1], f[2], f[3], f[4], f[5], f[6])) break;
    ++uebernommen;
    e.uebernommen = true;
    QTreeWidgetItem* z = e.zeile;
    hinweisSetzen(z, z->text(S_HINWEIS).isEmpty() ? QString("übernommen") : "übernommen, " + z->text(S_HINWEIS),
                  e.erklaerung);
  }
  L_status->setText(uebernommen == 1 ? QString("1 Datensatz wurde übernommen.")
                                     : QString("%1 Datensätze wurden übernommen.").arg(uebernommen));
  // Ready for the next disc.
  e_strichcode->setFocus();
}

void TFOnline::b_eingabemaskeClick() {
  const std::vector<int> zeilen = gewaehlteZeilen();
  if (zeilen.empty() || !F_add || sucht()) return;
  genresLaden({zeilen.front()}, [this](const std::vector<int>& fertig) {
    if (!fertig.empty()) inEingabemaske(fertig.front());
  });
}

void TFOnline::inEingabemaske(int zeile) {
  L_status->clear();
  const TVeroeffentlichung& v = ergebnisse_[static_cast<std::size_t>(zeile)].v;
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

void TFOnline::genresLaden(const std::vector<int>& zeilen, std::function<void(const std::vector<int>&)> weiter) {
  auto auftrag = std::make_shared<TGenreAuftrag>();
  auftrag->zeilen = zeilen;
  QStringList adressen;
  const QString basis = plattform().musikDienst();
  for (int z : zeilen) {
    const TVeroeffentlichung& v = ergebnisse_[static_cast<std::size_t>(z)].v;
    const QString adresse = adresseVeroeffentlichung(basis, v.id);
    if (v.mitGenres || adresse.isEmpty()) continue;
    // A disc scanned twice is one release: looked up once, for both lines.
    const qsizetype nr = adressen.indexOf(adresse);
    if (nr >= 0) {
      auftrag->fehlend[static_cast<std::size_t>(nr)].push_back(z);
    } else {
      adressen << adresse;
      auftrag->fehlend.push_back({z});
    }
  }
  if (adressen.isEmpty()) return weiter(zeilen);
  auftrag->fertig.assign(auftrag->fehlend.size(), 0);
  auftrag->weiter = std::move(weiter);
  genreAuftrag_ = auftrag;
  const auto zaehlen = [this, auftrag] {
    L_status->setText(QString("Genres: %1 von %2").arg(auftrag->erhalten).arg(auftrag->fehlend.size()));
  };
  // Each answer is handed to the window as it comes, so that the status line
  // counts and a cancel keeps what has arrived.
  auto arbeit = [adressen, g = grenzen, ziel = QPointer<TFOnline>(this), auftrag,
                 bote = hintergrund_, zaehlen](const std::atomic<bool>& abbrechen) {
    const auto erhalten = [&](int nr, const QByteArray& antwort) {
      QMetaObject::invokeMethod(
          bote,
          [ziel, auftrag, nr, antwort, zaehlen] {
            if (!ziel || ziel->genreAuftrag_ != auftrag) return;
            for (int z : auftrag->fehlend[static_cast<std::size_t>(nr)]) {
              TVeroeffentlichung& v = ziel->ergebnisse_[static_cast<std::size_t>(z)].v;
              if (const auto geladen = veroeffentlichungLesen(antwort, v.id)) {
                v.genres = geladen->genres;
                v.mitGenres = true;
              }
            }
            auftrag->fertig[static_cast<std::size_t>(nr)] = 1;
            ++auftrag->erhalten;
            zaehlen();
          },
          Qt::QueuedConnection);
    };
    return TDienstAntwort{dienstNacheinanderAbfragen(adressen, g, abbrechen, erhalten), {}};
  };
  zaehlen();
  hintergrund_->starten(arbeit, [this, auftrag](const TDienstAntwort&) {
    if (genreAuftrag_ != auftrag) return;
    genreAuftrag_.reset();
    zustandSetzen();
    // Done, or failed on the way: every pick goes on with what the list knows.
    auftrag->weiter(auftrag->zeilen);
    naechsteScans();
  });
  zustandSetzen();
}

void TFOnline::genresAbbrechen() {
  const std::shared_ptr<TGenreAuftrag> auftrag = std::exchange(genreAuftrag_, {});
  hintergrund_->abbrechen();
  zustandSetzen();
  // The lines whose release was looked up, or needed none, go on; the others stay picked for another try.
  std::set<int> offen;
  for (std::size_t i = 0; i < auftrag->fehlend.size(); ++i)
    if (!auftrag->fertig[i]) offen.insert(auftrag->fehlend[i].begin(), auftrag->fehlend[i].end());
  std::vector<int> fertig;
  for (int z : auftrag->zeilen)
    if (!offen.count(z)) fertig.push_back(z);
  auftrag->weiter(fertig);
  const std::size_t rest = auftrag->zeilen.size() - fertig.size();
  L_status->setText((L_status->text() + QString(" Abgebrochen – %1 nicht übernommen.").arg(rest)).trimmed());
  naechsteScans();
}

