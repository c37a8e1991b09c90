#include "online/UErgebnisZeile.h"

#include "app/UGlobal.h"
#include "core/UCodepage.h"
#include "core/UDatbas.h"
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

std::string sammlungsSchluessel(std::string interpret, std::string titel) {
  for (std::string* t : {&interpret, &titel})
    for (char& c : *t)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return interpret + '\x01' + titel;
}

std::string sammlungsSchluessel(const TVeroeffentlichung& v) {
  const TFelder f = felderFuerSammlung(v);
  return sammlungsSchluessel(zuCp1252(f[0]), zuCp1252(f[1]));
}

std::set<std::string> sammlungsSchluessel() {
  std::set<std::string> r;
  TDatensatz d;
  for (int k = 1; k <= DatBas->get_anzahl(); ++k) {
    DatBas->get_datensatz(k, d);
    r.insert(sammlungsSchluessel(d.Interpret.text(), d.Titel.text()));
  }
  return r;
}
