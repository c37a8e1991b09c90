#include "online/fenster/UErgebnisZeile.h"

#include "app/UGlobal.h"
#include "core/UCodepage.h"
#include "online/UZuordnung.h"

namespace {

const char* const FELDNAMEN[] = {"Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"};
constexpr const char* ERSETZT = "Zeichen ersetzt";
constexpr const char* ALIAS = "Name aus Alias";
constexpr const char* GEKUERZT = "gekürzt";

// The fields that carry "hinweis", by name: "Interpret, Titel".
QString felderMit(const std::array<QStringList, 7>& hinweise, const char* hinweis) {
  QStringList namen;
  for (std::size_t i = 0; i < hinweise.size(); ++i)
    if (hinweise[i].contains(QString::fromUtf8(hinweis))) namen << FELDNAMEN[i];
  return namen.join(", ");
}

}  // namespace

QStringList ergebnisSpalten(const TVeroeffentlichung& v) {
  QString label = v.label;
  if (!v.katalognummer.isEmpty()) label += (label.isEmpty() ? "" : " / ") + v.katalognummer;
  return {einzeiligAnzeigen(v.interpret), einzeiligAnzeigen(v.titel), einzeiligAnzeigen(label),
          jahrAusDatum(v.datum),          formateMitAnzahl(v.formate), einzeiligAnzeigen(v.land),
          einzeiligAnzeigen(v.strichcode)};
}

std::array<QStringList, 7> feldHinweise(const TVeroeffentlichung& v) {
  const TFelder f = felderZuordnen(v);
  std::array<QStringList, 7> r;
  if (v.nameAusAlias) r[0] << ALIAS;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (verliertZeichen(f[i])) r[i] << ERSETZT;
    if (wirdGekuerzt(f[i])) r[i] << QString::fromUtf8(GEKUERZT);
  }
  return r;
}

THinweise ergebnisHinweise(const TVeroeffentlichung& v, bool inSammlung) {
  const std::array<QStringList, 7> felder = feldHinweise(v);
  QStringList kurz, erklaerungen;
  if (inSammlung) {
    kurz << "bereits in der Sammlung";
    erklaerungen << "Ein Datensatz mit diesem Interpreten und Titel ist schon in der Sammlung.";
  }
  if (v.nameAusAlias) {
    kurz << ALIAS;
    erklaerungen << "Der Interpret hat keine lateinische Schreibweise: sein Alias bzw. Sortiername wird verwendet.";
  }
  if (const QString namen = felderMit(felder, ERSETZT); !namen.isEmpty()) {
    kurz << ERSETZT;
    erklaerungen << "Nicht darstellbare Zeichen werden ersetzt (durch ein ähnliches Zeichen oder, wo es keines "
                    "gibt, durch \"?\") in: " + namen;
  }
  if (const QString namen = felderMit(felder, GEKUERZT); !namen.isEmpty()) {
    kurz << QString::fromUtf8(GEKUERZT);
    erklaerungen << "Auf die Feldlänge von 255 Zeichen gekürzt: " + namen;
  }
  return {kurz.join(", "), erklaerungen.join("\n")};
}
