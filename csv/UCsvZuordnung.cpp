#include "csv/UCsvZuordnung.h"

#include <algorithm>

#include "core/UDatbas.h"
#include "csv/UCsvKodierung.h"

namespace {

// Header names compare without regard to case (A..Z and the umlauts) and to blanks at the ends.
std::string gefaltet(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  std::string r(s);
  for (char& c : r) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') c = static_cast<char>(b + 32);
    else if (b == 0xC4 || b == 0xD6 || b == 0xDC) c = static_cast<char>(b + 32);
  }
  return r;
}

// Accepted header names per field, folded, in Windows-1252.
const std::vector<std::vector<std::string>>& namen() {
  static const std::vector<std::vector<std::string>> n = {
      {"interpret", "artist", "k\xFCnstler", "kuenstler", "artists"},
      {"titel", "title", "album"},
      {"label", "labels"},
      {"release", "released", "jahr", "year"},
      {"typ", "format", "medium"},
      {"genre", "style", "stil"},
      {"kommentar", "notes", "comment", "bemerkung", "collection notes", "comments", "bemerkungen"}};
  return n;
}

// Accepted header names of the details, folded, in Windows-1252; the first is the export's own.
const std::vector<std::vector<std::string>>& angabenNamen() {
  static const std::vector<std::vector<std::string>> n = {
      {"zustand tontr\xe4ger", "collection media condition"},
      {"zustand h\xfclle", "collection sleeve condition"},
      {"aufgenommen am", "date added"},
      {"gekauft am"},
      {"preis (\x80)", "preis"},
      {"gekauft bei"},
      {"standort", "collectionfolder"},
      {"bewertung", "rating"},
      {"notizen"},
      {"verliehen an"},
      {"verliehen seit"},
      {"zur\xfc" "ck bis"}};
  return n;
}

bool istZiffer(char c) { return c >= '0' && c <= '9'; }

// True for a letter or digit of Windows-1252 (the accented letters, the
// ligatures and the ordinal indicators included).
bool wortzeichen(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
  if (b >= 0xC0) return b != 0xD7 && b != 0xF7;
  return b == 0x83 || b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9A || b == 0x9C || b == 0x9E || b == 0x9F ||
         b == 0xAA || b == 0xB2 || b == 0xB3 || b == 0xB5 || b == 0xB9 || b == 0xBA;
}

// True when "rest" (what follows a name's number) ends the name: the end of the
// text, a blank or punctuation. Discogs never lets a number stand inside a
// name, so whatever follows (a joining word of a credit in any language, "=",
// "\xB7", a comma, a closing bracket) belongs to the next name or to none.
bool endetNamen(std::string_view rest) { return rest.empty() || !wortzeichen(rest[0]); }

std::vector<std::string_view> teile(std::string_view s, std::string_view trenner) {
  std::vector<std::string_view> r;
  for (;;) {
    const std::size_t p = s.find(trenner);
    std::string_view t = s.substr(0, p);
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    r.push_back(t);
    if (p == std::string_view::npos) return r;
    s.remove_prefix(p + trenner.size());
  }
}

// A cell as UTF-8 with its line breaks, for the details; Discogs's cells without the blanks at their ends.
std::string ganzeZelle(const TCsvDaten& daten, const TCsvZuordnung& z, int zeile, int spalte) {
  std::string t = daten.zelleGanz(zeile, spalte);
  if (!daten.utf8()) {
    std::string u;
    cp1252ZuUtf8(t, u);
    t = std::move(u);
  }
  if (z.discogs) {
    while (!t.empty() && t.back() == ' ') t.pop_back();
    t.erase(0, std::min(t.find_first_not_of(' '), t.size()));
  }
  return t;
}

// The details of line "r"; "langerKommentar": the Kommentar does not fit its field.
TAngaben angabenAus(const TCsvDaten& daten, const TCsvZuordnung& z, int r, bool langerKommentar) {
  TAngaben a;
  if (!langerKommentar && std::all_of(std::begin(z.angaben), std::end(z.angaben), [](int sp) { return sp < 0; }))
    return a;
  auto zelle = [&](int spalte) {
    const int sp = z.angaben[spalte];
    return sp >= 0 && sp < daten.spalten() ? ganzeZelle(daten, z, r, sp) : std::string();
  };
  // A grade as Discogs writes it or as an export of the details has it.
  auto zustand = [&](int spalte, bool huelle) {
    const std::string t = zelle(spalte);
    if (const auto d = zustandAusDiscogs(t, huelle)) return *d;
    const TZustand k = zustandAus(t);
    return !huelle && k >= TZustand::NeutraleHuelle ? TZustand::Keiner : k;
  };
  auto datum = [&](int spalte) {
    const std::string t = zelle(spalte);
    if (auto d = datumAusAnzeige(t)) return *d;
    return datumAusDiscogs(t).value_or(std::string());
  };
  a.zustandTontraeger = zustand(SP_ZUSTAND_TONTRAEGER, false);
  a.zustandHuelle = zustand(SP_ZUSTAND_HUELLE, true);
  a.aufgenommenAm = datum(SP_AUFGENOMMEN_AM);
  a.gekauftAm = datum(SP_GEKAUFT_AM);
  a.preisCent = preisAusAnzeige(zelle(SP_PREIS));
  a.gekauftBei = zelle(SP_GEKAUFT_BEI);
  a.standort = zelle(SP_STANDORT);
  // Discogs's folder of everything not put in a folder is no place on the shelf.
  if (z.discogs && a.standort == "Uncategorized") a.standort.clear();
  const std::string sterne = zelle(SP_BEWERTUNG);
  if (sterne.size() == 1 && sterne[0] >= '0' && sterne[0] <= '5') a.bewertung = sterne[0] - '0';
  a.notizen = zelle(SP_NOTIZEN);
  if (z.angaben[SP_NOTIZEN] < 0 && langerKommentar) a.notizen = ganzeZelle(daten, z, r, z.fuer(FELD_KOMMENTAR));
  a.verliehenAn = zelle(SP_VERLIEHEN_AN);
  a.verliehenSeit = datum(SP_VERLIEHEN_SEIT);
  a.zurueckBis = datum(SP_ZURUECK_BIS);
  return a;
}

}  // namespace

bool TCsvZuordnung::irgendeine() const {
  return std::any_of(std::begin(spalte), std::end(spalte), [](int s) { return s >= 0; });
}

const char* angabenSpaltenName(int spalte) {
  static const char* const n[ANGABEN_SPALTEN] = {
      "Zustand Tontr\xE4ger", "Zustand H\xFClle", "Aufgenommen am", "Gekauft am",     "Preis (\x80)",
      "Gekauft bei",          "Standort",        "Bewertung",      "Notizen",        "Verliehen an",
      "Verliehen seit",       "Zur\xFC" "ck bis"};
  return spalte >= 0 && spalte < ANGABEN_SPALTEN ? n[spalte] : "";
}

const char* feldName(int feld) {
  static const char* const n[] = {"Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"};
  return feld >= 1 && feld <= FELD_ANZAHL ? n[feld - 1] : "";
}

bool istDiscogsKopf(const std::vector<std::string>& kopf) {
  bool katalog = false, release = false;
  for (const std::string& k : kopf) {
    const std::string f = gefaltet(k);
    katalog = katalog || f == "catalog#";
    release = release || f == "release_id";
  }
  return katalog && release;
}

TCsvZuordnung csvZuordnungErkennen(const std::vector<std::string>& kopf) {
  TCsvZuordnung z;
  std::vector<bool> vergeben(kopf.size(), false);
  for (int feld = 1; feld <= FELD_ANZAHL; ++feld)
    for (const std::string& name : namen()[feld - 1]) {
      if (z.fuer(feld) >= 0) break;
      for (std::size_t i = 0; i < kopf.size(); ++i)
        if (!vergeben[i] && gefaltet(kopf[i]) == name) {
          z.fuer(feld) = static_cast<int>(i);
          vergeben[i] = true;
          break;
        }
    }
  for (int a = 0; a < ANGABEN_SPALTEN; ++a)
    for (const std::string& name : angabenNamen()[static_cast<std::size_t>(a)]) {
      if (z.angaben[a] >= 0) break;
      for (std::size_t i = 0; i < kopf.size(); ++i)
        if (!vergeben[i] && gefaltet(kopf[i]) == name) {
          z.angaben[a] = static_cast<int>(i);
          vergeben[i] = true;
          break;
        }
    }
  z.discogs = istDiscogsKopf(kopf);
  return z;
}

std::string discogsOhneNummer(std::string_view s) {
  std::string r;
  r.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    // " (" digits ")" where a name ends.
    if (s[i] == ' ' && i + 3 < s.size() && s[i + 1] == '(' && istZiffer(s[i + 2])) {
      std::size_t k = i + 2;
      while (k < s.size() && istZiffer(s[k])) ++k;
      if (k < s.size() && s[k] == ')' && endetNamen(s.substr(k + 1))) {
        i = k + 1;
        continue;
      }
    }
    r.push_back(s[i++]);
  }
  return r;
}

std::string discogsJahr(std::string_view s) {
  if (s == "0") return "";
  if (s.size() >= 4 && std::all_of(s.begin(), s.begin() + 4, istZiffer) && (s.size() == 4 || !istZiffer(s[4])))
    return std::string(s.substr(0, 4));
  return std::string(s);
}

std::string discogsTyp(std::string_view format) {
  const std::string original(format);
  if (format.find(" + ") != std::string_view::npos) return original;  // several media
  const std::vector<std::string_view> t = teile(format, ",");
  // Count and medium: "2xCD", "LP", "Vinyl", "7\"".
  std::string_view erstes = t[0];
  int anzahl = 1;
  std::size_t k = 0;
  while (k < erstes.size() && istZiffer(erstes[k])) ++k;
  if (k > 0 && k < erstes.size() && erstes[k] == 'x') {
    anzahl = 0;
    for (std::size_t i = 0; i < k && anzahl < 100; ++i) anzahl = anzahl * 10 + (erstes[i] - '0');
    erstes.remove_prefix(k + 1);
  }
  int zoll = 0;  // 0: CD; 7, 10, 12: vinyl of that size
  bool lp = false;
  auto groesse = [](std::string_view x) { return x == "7\"" ? 7 : x == "10\"" ? 10 : x == "12\"" ? 12 : 0; };
  if (erstes == "CD" || erstes == "CDr" || erstes == "SACD" || erstes == "HDCD") zoll = 0;
  else if (erstes == "LP") zoll = -1, lp = true;  // 12" unless the descriptions say 10"
  else if (groesse(erstes)) zoll = groesse(erstes);
  else if (erstes == "Vinyl") zoll = -1;  // size from the descriptions
  else return original;
  enum { KEINE, ALBUM, EP, SINGLE, COMP } art = KEINE;
  for (std::size_t i = 1; i < t.size(); ++i) {
    const std::string_view x = t[i];
    if (zoll == -1 && groesse(x)) zoll = groesse(x);
    if (x == "LP") lp = true;
    if (x == "Comp" || x == "Compilation") art = COMP;
    else if ((x == "Single" || x == "Maxi" || x == "Maxi-Single") && art != COMP) art = SINGLE;
    else if ((x == "EP" || x == "Mini-Album") && art != COMP && art != SINGLE) art = EP;
    else if (x == "Album" && art == KEINE) art = ALBUM;
  }
  if (zoll == -1) zoll = 12;
  if (lp && zoll == 7) return original;
  if (art == KEINE) art = (zoll == 0 || lp || zoll == 10) ? ALBUM : SINGLE;
  static const char* const artName[] = {"", "Album", "EP", "Single", "Compilation"};
  const int hoechstens = art == ALBUM ? 4 : art == COMP ? (zoll == 0 ? 5 : 4) : 2;
  if (anzahl < 1 || anzahl > hoechstens) return original;
  const std::string medium = zoll == 0 ? "CD" : std::to_string(zoll) + "'' Vinyl";
  const std::string einheit = zoll == 0 ? "CD" : "Vinyl";
  return medium + " - " + artName[art] + " (" + std::to_string(anzahl) + " " + einheit + (anzahl == 1 ? "" : "s") +
         ")";
}

TCsvErgebnis csvUmwandeln(const TCsvDaten& daten, const TCsvZuordnung& z, int platz) {
  TCsvErgebnis e;
  const int zeilen = daten.zeilen();
  e.saetze.reserve(static_cast<std::size_t>(std::clamp(std::min(zeilen, platz), 0, MAX_DATENSAETZE)));
  e.angaben.reserve(e.saetze.capacity());
  std::string texte[FELD_ANZAHL];
  for (int r = 0; r < zeilen; ++r) {
    bool geaendert = false, gekuerzt = false;
    for (int f = 1; f <= FELD_ANZAHL; ++f) {
      std::string& t = texte[f - 1];
      t.clear();
      const int sp = z.fuer(f);
      if (sp < 0 || sp >= daten.spalten()) continue;
      const std::string_view roh = daten.zelle(r, sp);
      if (daten.utf8()) geaendert |= utf8ZuCp1252(roh, t);
      else t.assign(roh);
      if (z.discogs) {
        // Discogs quotes every cell with a comma and keeps blanks at its ends there.
        while (!t.empty() && t.back() == ' ') t.pop_back();
        t.erase(0, std::min(t.find_first_not_of(' '), t.size()));
        if (f == FELD_INTERPRET || f == FELD_LABEL) t = discogsOhneNummer(t);
        else if (f == FELD_RELEASE) t = discogsJahr(t);
        else if (f == FELD_TYP) t = discogsTyp(t);
      }
      gekuerzt |= t.size() > TFeld::KAPAZITAET;
    }
    if (texte[0].empty() || texte[1].empty()) {
      ++e.uebersprungen;
      continue;
    }
    if (static_cast<int>(e.saetze.size()) >= platz) {
      ++e.ueberGrenze;
      continue;
    }
    e.gekuerzt += gekuerzt;
    e.geaendert += geaendert;
    e.saetze.push_back(datensatzAus(texte[0], texte[1], texte[2], texte[3], texte[4], texte[5], texte[6]));
    e.angaben.push_back(angabenAus(daten, z, r, texte[FELD_KOMMENTAR - 1].size() > TFeld::KAPAZITAET));
  }
  return e;
}

void csvAufnahmedatum(TCsvErgebnis& e, const TCsvZuordnung& z, bool sammlungMitAngaben, const std::string& heute) {
  if (z.angaben[SP_AUFGENOMMEN_AM] >= 0) return;
  if (!sammlungMitAngaben && std::all_of(e.angaben.begin(), e.angaben.end(), [](const TAngaben& a) { return a.leer(); }))
    return;
  for (TAngaben& a : e.angaben)
    if (a.aufgenommenAm.empty()) a.aufgenommenAm = heute;
}

void csvZuordnungPruefen(const TCsvZuordnung& z, bool interpretUndTitel) {
  if (!z.irgendeine())
    throw ECsvFehler("Die Kopfzeile enthält keine bekannte Spalte (etwa Interpret, Titel, Artist oder Title)");
  if (interpretUndTitel && (z.fuer(FELD_INTERPRET) < 0 || z.fuer(FELD_TITEL) < 0))
    throw ECsvFehler("Die Kopfzeile nennt keine Spalte für Interpret oder Titel");
}
