#include "core/UStatistik.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "angaben/UAngaben.h"
#include "core/UDatbas.h"
#include "core/USuche.h"

namespace {

// The entries grouped by the exact text of one field, in the order their first entries come.
class TZaehler {
 public:
  void zaehlen(std::string_view text, int pos) {
    auto [it, neu] = index_.try_emplace(std::string(text), static_cast<int>(gruppen_.size()));
    if (neu) gruppen_.push_back({it->first, 0, pos});
    ++gruppen_[static_cast<std::size_t>(it->second)].anzahl;
  }
  std::vector<TGruppe>& gruppen() { return gruppen_; }

 private:
  std::unordered_map<std::string, int> index_;
  std::vector<TGruppe> gruppen_;
};

bool haeufiger(const TGruppe& a, const TGruppe& b) { return a.anzahl > b.anzahl; }

void nachAnzahl(std::vector<TGruppe>& g) { std::stable_sort(g.begin(), g.end(), haeufiger); }

// The group of the empty text named "ohne".
void umbenennen(std::vector<TGruppe>& g, const char* ohne) {
  for (TGruppe& x : g)
    if (x.name.empty()) x.name = ohne;
}

std::vector<TGruppe> typen(std::vector<TGruppe> g, const std::vector<std::string>& vorgaben) {
  std::vector<TGruppe> ergebnis;
  std::vector<bool> vergeben(g.size(), false);
  for (const std::string& v : vorgaben)
    for (std::size_t i = 0; i < g.size(); ++i)
      if (!vergeben[i] && g[i].name == v) {
        ergebnis.push_back(g[i]);
        vergeben[i] = true;
      }
  std::vector<TGruppe> rest;
  for (std::size_t i = 0; i < g.size(); ++i)
    if (!vergeben[i]) rest.push_back(std::move(g[i]));
  nachAnzahl(rest);
  umbenennen(rest, OHNE_TYP);
  ergebnis.insert(ergebnis.end(), rest.begin(), rest.end());
  return ergebnis;
}

std::vector<TGruppe> genres(std::vector<TGruppe> g) {
  TGruppe ohne{OHNE_GENRE, 0, 0};
  std::erase_if(g, [&](const TGruppe& x) {
    if (!x.name.empty()) return false;
    ohne = {OHNE_GENRE, x.anzahl, x.erster};
    return true;
  });
  nachAnzahl(g);
  if (g.size() > GENRES_HOECHSTENS) {
    TGruppe sonstige{SONSTIGE, 0, g[GENRES_HOECHSTENS].erster};
    for (std::size_t i = GENRES_HOECHSTENS; i < g.size(); ++i) {
      sonstige.anzahl += g[i].anzahl;
      sonstige.erster = std::min(sonstige.erster, g[i].erster);
    }
    g.resize(GENRES_HOECHSTENS);
    g.push_back(sonstige);
  }
  if (ohne.anzahl > 0) g.push_back(ohne);
  return g;
}

// Spellings that the search cannot tell apart as one group, named by the most
// frequent of them (the first one of equal count); the most frequent groups.
std::vector<TGruppe> namen(const std::vector<TGruppe>& schreibweisen) {
  std::unordered_map<std::string, std::size_t> index;
  std::vector<TGruppe> g;
  std::vector<int> besteAnzahl;
  for (const TGruppe& s : schreibweisen) {
    if (s.name.empty()) continue;
    auto [it, neu] = index.try_emplace(suchSchluessel(s.name), g.size());
    if (neu) {
      g.push_back({s.name, 0, s.erster});  // spellings come in the order of their first entries
      besteAnzahl.push_back(0);
    }
    TGruppe& z = g[it->second];
    z.anzahl += s.anzahl;
    if (s.anzahl > besteAnzahl[it->second]) {
      besteAnzahl[it->second] = s.anzahl;
      z.name = s.name;
    }
  }
  nachAnzahl(g);
  if (g.size() > NAMEN_HOECHSTENS) g.resize(NAMEN_HOECHSTENS);
  return g;
}

// The grades counted, in the order of the window's lists; "ohne Angabe" last.
std::vector<TGruppe> zustandsGruppen(const std::vector<TGruppe>& nachZustand, const TGruppe& ohne) {
  std::vector<TGruppe> g;
  for (std::size_t i = 0; i < nachZustand.size(); ++i)
    if (nachZustand[i].anzahl > 0) g.push_back(nachZustand[i]);
  if (ohne.anzahl > 0) g.push_back(ohne);
  return g;
}

// Counts one grade: "nachZustand" holds a group per entry of zustaende().
void zustandZaehlen(std::vector<TGruppe>& nachZustand, TGruppe& ohne, TZustand z, int pos) {
  const auto& liste = zustaende();
  for (std::size_t i = 0; i < liste.size(); ++i)
    if (liste[i].zustand == z) {
      if (nachZustand[i].anzahl++ == 0) nachZustand[i].erster = pos;
      return;
    }
  if (ohne.anzahl++ == 0) ohne.erster = pos;
}

bool ziffer(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int jahrAus(std::string_view release) {
  for (std::size_t i = 0; i < release.size();) {
    if (!ziffer(release[i])) {
      ++i;
      continue;
    }
    std::size_t ende = i;
    while (ende < release.size() && ziffer(release[ende])) ++ende;
    if (ende - i == 4) {
      const int jahr = std::stoi(std::string(release.substr(i, 4)));
      if (jahr >= 1900 && jahr <= 2099) return jahr;
    }
    i = ende;
  }
  return 0;
}

TStatistik statistikZaehlen(const TDatBas& db, const std::vector<std::string>& typVorgaben,
                            std::string_view heute) {
  TStatistik s;
  s.eintraege = db.get_anzahl();
  TZaehler typ, genre, interpret, label, standort;
  std::vector<TGruppe> tontraeger, huelle;
  for (const TZustandEintrag& z : zustaende()) {
    tontraeger.push_back({z.kuerzel, 0, 0});
    huelle.push_back({z.kuerzel, 0, 0});
  }
  TGruppe ohneTontraeger{OHNE_ANGABE, 0, 0}, ohneHuelle{OHNE_ANGABE, 0, 0}, ohneStandort{OHNE_ANGABE, 0, 0};
  std::map<int, TGruppe> jahrzehnte;  // 0: without a year, after the others
  TDatensatz d;
  for (int pos = 0; pos < s.eintraege; ++pos) {
    db.get_datensatz(pos + 1, d);
    typ.zaehlen(d.Typ.sicht(), pos);
    genre.zaehlen(d.Genre.sicht(), pos);
    interpret.zaehlen(d.Interpret.sicht(), pos);
    label.zaehlen(d.Label.sicht(), pos);
    const int jahr = jahrAus(d.Release.sicht());
    ++jahrzehnte.try_emplace(jahr / 10 * 10, TGruppe{{}, 0, pos}).first->second.anzahl;

    const std::string beilage = db.get_beilage(pos + 1);
    const TAngaben a = beilage.empty() ? TAngaben{} : angabenAusBytes(beilage);
    zustandZaehlen(tontraeger, ohneTontraeger, a.zustandTontraeger, pos);
    zustandZaehlen(huelle, ohneHuelle, a.zustandHuelle, pos);
    if (a.standort.empty()) {
      if (ohneStandort.anzahl++ == 0) ohneStandort.erster = pos;
    } else {
      standort.zaehlen(a.standort, pos);
    }
    if (a.verliehen()) {
      ++s.verliehen;
      s.ueberfaellig += !a.zurueckBis.empty() && a.zurueckBis < heute;
    }
    if (a.preisCent) {
      ++s.mitPreis;
      s.preisSumme += *a.preisCent;
    }
  }
  s.diagramme[DIAGRAMM_TYP] = typen(std::move(typ.gruppen()), typVorgaben);
  s.diagramme[DIAGRAMM_GENRE] = genres(std::move(genre.gruppen()));
  auto& jz = s.diagramme[DIAGRAMM_JAHRZEHNT];
  // Every decade from the first to the last, an empty one with 0: the chart
  // shows the time as it ran, gaps included.
  const auto mitJahr = jahrzehnte.upper_bound(0);
  for (int jahrzehnt = mitJahr == jahrzehnte.end() ? 1 : mitJahr->first;
       mitJahr != jahrzehnte.end() && jahrzehnt <= jahrzehnte.rbegin()->first; jahrzehnt += 10) {
    const auto it = jahrzehnte.find(jahrzehnt);
    jz.push_back(it == jahrzehnte.end() ? TGruppe{{}, 0, -1} : it->second);
    jz.back().name = std::to_string(jahrzehnt) + "er";
  }
  if (jahrzehnte.contains(0)) {
    jz.push_back(jahrzehnte[0]);
    jz.back().name = OHNE_JAHR;
  }
  s.diagramme[DIAGRAMM_INTERPRET] = namen(interpret.gruppen());
  s.diagramme[DIAGRAMM_LABEL] = namen(label.gruppen());
  s.diagramme[DIAGRAMM_ZUSTAND_TONTRAEGER] = zustandsGruppen(tontraeger, ohneTontraeger);
  s.diagramme[DIAGRAMM_ZUSTAND_HUELLE] = zustandsGruppen(huelle, ohneHuelle);
  auto& orte = s.diagramme[DIAGRAMM_STANDORT];
  orte = namen(standort.gruppen());
  if (ohneStandort.anzahl > 0) orte.push_back(ohneStandort);
  return s;
}
