#include "core/UEinstellungen.h"

#include <iterator>

#include "app/UIniFile.h"

TEinstellungen* Einstellungen = nullptr;

namespace {

constexpr const char* PROGRAMM = "Programm";
constexpr const char* ANSICHT = "Ansicht";
constexpr const char* OPTIONEN = "Optionen";
constexpr const char* INITIATION = "Initiation";
constexpr const char* UEBERSICHT = "Gesamtuebersicht";
constexpr const char* ONLINE = "Onlinesuche";

const char* wahr(bool an) { return an ? "true" : "false"; }

std::optional<bool> dreiwertig(const std::string& wert) {
  if (wert == "no") return std::nullopt;
  return wert == "true";
}

// A stored whole number within the bounds, else "standard" (also for a text that is none).
int zahl(const std::string& text, int standard, int mindestens, int hoechstens) {
  long long z;
  if (!iniGanzzahl(text, z)) return standard;
  return z < mindestens || z > hoechstens ? standard : static_cast<int>(z);
}

std::string uebersichtSpalte(int spalte) { return "SG.colwidths[" + std::to_string(spalte) + "]"; }
std::string onlineSpalte(int spalte) { return "lv_ergebnisse.colwidths[" + std::to_string(spalte) + "]"; }

const char* stilSchluessel(TEinstellungen::Schriftstil s) {
  switch (s) {
    case TEinstellungen::Schriftstil::Fett: return "fontstyle_fsbold";
    case TEinstellungen::Schriftstil::Kursiv: return "fontstyle_fsitalic";
    case TEinstellungen::Schriftstil::Unterstrichen: return "fontstyle_fsunderline";
    case TEinstellungen::Schriftstil::Durchgestrichen: break;
  }
  return "fontstyle_fsstrikeout";
}

constexpr const char* MAXIMIERT = "WindowState_wsmaximized";

}  // namespace

TEinstellungen::TEinstellungen(TIniFile& ini, QObject* eltern) : QObject(eltern), ini_(ini) {}

std::string TEinstellungen::lesen(const char* sektion, const std::string& schluessel, const char* standard) const {
  return ini_.ReadString(sektion, schluessel, standard);
}

void TEinstellungen::schreiben(const char* sektion, const std::string& schluessel, const std::string& wert) {
  ini_.WriteString(sektion, schluessel, wert);
  emit geschrieben(QString::fromLatin1(sektion), QString::fromStdString(schluessel));
}

// ---------------------------------------------------------------- running state

namespace {

// Each option's key, in the order of TEinstellungen::Option. "zuerstWirksam":
// the change takes effect before its key is stored (the options that resize
// the main window), else after.
struct TOptionSchluessel {
  TEinstellungen::Option option;
  const char* sektion;
  const char* schluessel;
  bool zuerstWirksam;
};
constexpr TOptionSchluessel OPTIONSSCHLUESSEL[] = {
    {TEinstellungen::Option::Schaltflaechen, ANSICHT, "schaltflaechen", true},
    {TEinstellungen::Option::Statusleiste, ANSICHT, "statusleiste", false},
    {TEinstellungen::Option::Detailansicht, ANSICHT, "detailansicht", true},
    {TEinstellungen::Option::Startbildschirm, ANSICHT, "startbildschirm", false},
    {TEinstellungen::Option::Quickbuttons, ANSICHT, "quickbuttons", false},
    {TEinstellungen::Option::Startposition, OPTIONEN, "startposition", false},
    {TEinstellungen::Option::LetzteDateiLaden, OPTIONEN, "loadlastfile", false},
    {TEinstellungen::Option::UebersichtSpeichern, UEBERSICHT, "saved", false},
};

constexpr bool tabelleInOrdnung() {
  for (int i = 0; i < static_cast<int>(std::size(OPTIONSSCHLUESSEL)); ++i)
    if (static_cast<int>(OPTIONSSCHLUESSEL[i].option) != i) return false;
  return true;
}
static_assert(tabelleInOrdnung());

}  // namespace

bool TEinstellungen::option(Option o) const { return optionen_[static_cast<int>(o)]; }

void TEinstellungen::optionSetzen(Option o, bool an) {
  bool& wert = optionen_[static_cast<int>(o)];
  if (wert == an) return;
  wert = an;
  emit geaendert(o, an);
  const TOptionSchluessel& s = OPTIONSSCHLUESSEL[static_cast<int>(o)];
  if (s.zuerstWirksam) emit wirksam(o, an);
  schreiben(s.sektion, s.schluessel, wahr(an));
  if (!s.zuerstWirksam) emit wirksam(o, an);
}

// ---------------------------------------------------------------- [Programm]

bool TEinstellungen::ersterStart() const { return lesen(PROGRAMM, "firststart", "") != "false"; }
void TEinstellungen::ersterStartSetzen(bool an) { schreiben(PROGRAMM, "firststart", wahr(an)); }

// ---------------------------------------------------------------- [Ansicht]

std::optional<bool> TEinstellungen::schaltflaechen() const { return dreiwertig(lesen(ANSICHT, "schaltflaechen", "no")); }
std::optional<bool> TEinstellungen::detailansicht() const { return dreiwertig(lesen(ANSICHT, "detailansicht", "no")); }
bool TEinstellungen::statusleiste() const { return lesen(ANSICHT, "statusleiste", "false") == "true"; }
bool TEinstellungen::startbildschirm() const { return lesen(ANSICHT, "startbildschirm", "true") != "false"; }
bool TEinstellungen::quickbuttons() const { return lesen(ANSICHT, "quickbuttons", "true") != "false"; }
bool TEinstellungen::vorgabelisten() const { return lesen(ANSICHT, "showcombobox", "true") == "true"; }

// ---------------------------------------------------------------- [Optionen]

bool TEinstellungen::startposition() const { return lesen(OPTIONEN, "startposition", "false") == "true"; }

std::optional<QPoint> TEinstellungen::startpunkt() const {
  long long links, oben;
  if (iniGanzzahl(lesen(OPTIONEN, "startpositionleft", "false"), links) &&
      iniGanzzahl(lesen(OPTIONEN, "startpositiontop", "false"), oben))
    return QPoint(static_cast<int>(links), static_cast<int>(oben));
  return std::nullopt;
}

void TEinstellungen::startpunktSetzen(QPoint p) {
  schreiben(OPTIONEN, "startpositionleft", std::to_string(p.x()));
  schreiben(OPTIONEN, "startpositiontop", std::to_string(p.y()));
}

bool TEinstellungen::letzteDateiLaden() const { return lesen(OPTIONEN, "loadlastfile", "false") == "true"; }
std::string TEinstellungen::vemDateiendung() const { return lesen(OPTIONEN, "vem-dateien_endung", ""); }

// ---------------------------------------------------------------- [Initiation]

std::string TEinstellungen::letzteDatei() const { return lesen(INITIATION, "filename", ""); }
void TEinstellungen::letzteDateiSetzen(const std::string& pfad) { schreiben(INITIATION, "filename", pfad); }

// ---------------------------------------------------------------- [Gesamtuebersicht]

bool TEinstellungen::uebersichtSpeichern() const { return lesen(UEBERSICHT, "saved", "false") == "true"; }

int TEinstellungen::uebersichtBreite() const {
  return zahl(lesen(UEBERSICHT, "formularbreite", ""), UEBERSICHT_BREITE, 0, 10000);
}
void TEinstellungen::uebersichtBreiteSetzen(int breite) {
  schreiben(UEBERSICHT, "formularbreite", std::to_string(breite));
}
int TEinstellungen::uebersichtHoehe() const {
  return zahl(lesen(UEBERSICHT, "formularhoehe", ""), UEBERSICHT_HOEHE, 0, 10000);
}
void TEinstellungen::uebersichtHoeheSetzen(int hoehe) { schreiben(UEBERSICHT, "formularhoehe", std::to_string(hoehe)); }
int TEinstellungen::uebersichtSpaltenbreite(int spalte) const {
  return zahl(lesen(UEBERSICHT, uebersichtSpalte(spalte), ""), UEBERSICHT_SPALTENBREITEN[spalte], 0, 10000);
}
void TEinstellungen::uebersichtSpaltenbreiteSetzen(int spalte, int breite) {
  schreiben(UEBERSICHT, uebersichtSpalte(spalte), std::to_string(breite));
}
int TEinstellungen::uebersichtSchriftgroesse() const { return zahl(lesen(UEBERSICHT, "fontsize", ""), 8, 1, 200); }
void TEinstellungen::uebersichtSchriftgroesseSetzen(int groesse) {
  schreiben(UEBERSICHT, "fontsize", std::to_string(groesse));
}
std::string TEinstellungen::uebersichtSchriftfarbe() const { return lesen(UEBERSICHT, "fontcolor", "clWindowText"); }
void TEinstellungen::uebersichtSchriftfarbeSetzen(const std::string& name) { schreiben(UEBERSICHT, "fontcolor", name); }
std::string TEinstellungen::uebersichtSchriftname() const { return lesen(UEBERSICHT, "fontname", "Verdana"); }
void TEinstellungen::uebersichtSchriftnameSetzen(const std::string& name) { schreiben(UEBERSICHT, "fontname", name); }

bool TEinstellungen::uebersichtSchriftstil(Schriftstil s) const { return ini_.ReadBool(UEBERSICHT, stilSchluessel(s), false); }
void TEinstellungen::uebersichtSchriftstilSetzen(Schriftstil s, bool an) {
  schreiben(UEBERSICHT, stilSchluessel(s), an ? "1" : "0");
}
bool TEinstellungen::uebersichtMaximiert() const { return ini_.ReadBool(UEBERSICHT, MAXIMIERT, false); }
void TEinstellungen::uebersichtMaximiertSetzen(bool an) { schreiben(UEBERSICHT, MAXIMIERT, an ? "1" : "0"); }

// ---------------------------------------------------------------- [Onlinesuche]

int TEinstellungen::onlineBreite() const { return zahl(lesen(ONLINE, "breite", ""), ONLINE_BREITE, ONLINE_BREITE, 10000); }
void TEinstellungen::onlineBreiteSetzen(int breite) { schreiben(ONLINE, "breite", std::to_string(breite)); }
int TEinstellungen::onlineHoehe() const { return zahl(lesen(ONLINE, "hoehe", ""), ONLINE_HOEHE, ONLINE_HOEHE, 10000); }
void TEinstellungen::onlineHoeheSetzen(int hoehe) { schreiben(ONLINE, "hoehe", std::to_string(hoehe)); }
int TEinstellungen::onlineSpaltenbreite(int spalte) const {
  return zahl(lesen(ONLINE, onlineSpalte(spalte), ""), ONLINE_SPALTENBREITEN[spalte], 1, 10000);
}
void TEinstellungen::onlineSpaltenbreiteSetzen(int spalte, int breite) {
  schreiben(ONLINE, onlineSpalte(spalte), std::to_string(breite));
}
QString TEinstellungen::onlineDienst() const {
  // An address is plain ASCII; anything else makes it one the check refuses, never another address.
  const QString wert = QString::fromLatin1(QByteArray::fromStdString(lesen(ONLINE, "dienst", ""))).trimmed();
  if (wert.isEmpty()) return ONLINE_DIENST;
  return wert.endsWith('/') ? wert : wert + '/';
}
