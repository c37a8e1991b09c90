#include "csv/UKommandozeile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <cstdio>
#include <ctime>
#include <ostream>
#include <streambuf>

#include "angaben/UAngabenDatei.h"
#include "app/UAdressen.h"
#include "core/UDatbas.h"
#include "core/UDateiWache.h"
#include "core/UFehler.h"
#include "core/USicherSchreiben.h"
#include "core/UVemDatei.h"
#include "csv/UCsvLesen.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UCsvZuordnung.h"
#include "report/UReport.h"

namespace {

const char* const HILFE =
    "Aufruf:\n"
    "  vemla [SAMMLUNG.vem]\n"
    "      öffnet das Programmfenster, mit der Sammlung, wenn eine genannt ist\n"
    "  vemla --export csv|txt|html|dif SAMMLUNG.vem ZIEL\n"
    "      schreibt die Sammlung als CSV-Datei, Textdatei, HTML-Seite oder DIF-Tabelle\n"
    "      nach ZIEL, ohne Fenster (Report mit Nummerierung, Genre, Label und Release;\n"
    "      HTML-Layout \"weiss\"); ZIEL \"-\" ist die Standardausgabe. Die Sammlung selbst\n"
    "      wird nie überschrieben\n"
    "  vemla --import-csv QUELLE.csv SAMMLUNG.vem\n"
    "      hängt die Zeilen der CSV-Datei an die Sammlung an (die Sammlung wird\n"
    "      angelegt, wenn es sie noch nicht gibt) und nennt, wie viele hinzugefügt,\n"
    "      gekürzt, geändert und übersprungen wurden; nicht, solange die Sammlung in\n"
    "      Vemla geöffnet ist\n"
    "  vemla --check SAMMLUNG.vem\n"
    "      prüft, ob die Datei eine gültige Sammlung ist, und nennt die Zahl der Einträge\n"
    "  vemla --help\n"
    "      zeigt diese Hilfe\n"
    "  vemla --version\n"
    "      nennt die Version des Programms\n"
    "\n"
    "CSV-Dateien: UTF-8 (mit oder ohne BOM; Zeilen, die kein UTF-8 sind, werden als\n"
    "Windows-1252 gelesen), UTF-16 mit BOM oder Windows-1252; Trennzeichen Komma,\n"
    "Semikolon oder Tabulator (auch aus einer ersten Zeile \"sep=;\"). Zeichen, die\n"
    "Windows-1252 nicht kennt, werden durch ähnliche (sonst \"?\") ersetzt. Spalten\n"
    "werden an ihrer Überschrift erkannt: Interpret/Artist/Künstler, Titel/Title/Album, Label,\n"
    "Release/Released/Jahr/Year, Typ/Format/Medium, Genre/Style/Stil,\n"
    "Kommentar/Notes/Comment/Bemerkung; der Sammlungsexport von Discogs wird erkannt.\n"
    "Sammlerangaben: Hat die Sammlung welche, folgen sie im CSV-Export den sieben\n"
    "Feldern als weitere Spalten (Zustand Tonträger, Zustand Hülle, Aufgenommen am,\n"
    "Gekauft am, Preis (€), Gekauft bei, Standort, Bewertung, Notizen, Verliehen an,\n"
    "Verliehen seit, Zurück bis); der Import liest sie wieder ein, ebenso Zustand,\n"
    "Rating, Date Added und CollectionFolder aus dem Export von Discogs.\n"
    "\n"
    "Rückgabewerte: 0 erledigt, 1 Eingabe abgelehnt, 2 falscher Aufruf.\n"
    "Passen nicht alle Zeilen in die Sammlung, werden die passenden gespeichert und\n"
    "der Rückgabewert ist 1.\n";

// Runs "schritt"; an error of the runtime (a file that cannot be read or
// written) is reported with the file's name and gives false.
bool mitDatei(const std::string& pfad, std::ostream& fehler, const std::function<void()>& schritt) {
  try {
    schritt();
    return true;
  } catch (const EVemlaFehler& e) {
    fehler << "vemla: " << pfad << ": " << e.what() << ".\n";
    return false;
  }
}

std::string eintraege(int n) { return std::to_string(n) + (n == 1 ? " Eintrag" : " Einträge"); }
// After "mit": "1 Eintrag", "3 Einträgen".
std::string mitEintraegen(int n) { return std::to_string(n) + (n == 1 ? " Eintrag" : " Einträgen"); }

int aufrufFehler(std::ostream& fehler, const std::string& text) {
  fehler << "vemla: " << text << "\n"
         << "Aufruf: vemla --export csv|txt|html|dif SAMMLUNG.vem ZIEL | --import-csv QUELLE.csv SAMMLUNG.vem"
            " | --check SAMMLUNG.vem | --help | --version\n";
  return ENDE_AUFRUF;
}

// The collection file "pfad" into "db". A file that is no whole number of
// records, or holds more than the program can manage, is refused: writing it
// back would lose data. Returns false (with the message written) when refused.
bool sammlungLesen(const std::string& pfad, TDatBas& db, std::ostream& fehler, bool fehltErlaubt) {
  struct stat st;
  if (::stat(pfad.c_str(), &st) != 0) {
    if (fehltErlaubt && errno == ENOENT) return true;
    fehler << "vemla: " << pfad << ": " << eaFehlerAusErrno(errno).what() << ".\n";
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    fehler << "vemla: " << pfad << ": ist ein Ordner, keine Sammlung.\n";
    return false;
  }
  const auto groesse = static_cast<unsigned long long>(st.st_size);
  if (S_ISREG(st.st_mode) && groesse % DATENSATZ_GROESSE != 0) {
    fehler << "vemla: " << pfad << ": keine gültige Sammlung: ihre Größe (" << groesse
           << " Bytes) ist kein Vielfaches von " << DATENSATZ_GROESSE << " Bytes.\n";
    return false;
  }
  if (S_ISREG(st.st_mode) && groesse / DATENSATZ_GROESSE > MAX_DATENSAETZE) {
    fehler << "vemla: " << pfad << ": enthält " << groesse / DATENSATZ_GROESSE << " Einträge, mehr als die "
           << MAX_DATENSAETZE << ", die Vemla verwalten kann.\n";
    return false;
  }
  // One record more than the limit is asked for, so that a file that grows meanwhile is noticed.
  if (!mitDatei(pfad, fehler, [&] { vemAnhaengen(pfad, db, MAX_DATENSAETZE + 1); })) return false;
  if (db.get_anzahl() > MAX_DATENSAETZE) {
    fehler << "vemla: " << pfad << ": enthält mehr als " << MAX_DATENSAETZE << " Einträge.\n";
    return false;
  }
  return true;
}

// Attaches the details kept beside the collection "pfad" to the entries of
// "db" and tells what the user must know about them.
void angabenLaden(TAngabenDatei& angaben, const std::string& pfad, TDatBas& db, std::ostream& fehler) {
  const TAngabenDatei::TGeladen g = angaben.laden(pfad, db);
  if (!g.hinweis.empty()) fehler << "vemla: " << pfad << ": " << g.hinweis << "\n";
}

bool mitAngaben(const TDatBas& db) {
  for (int i = 1; i <= db.get_anzahl(); ++i)
    if (!db.get_beilage(i).empty()) return true;
  return false;
}

// Today's date (ISO), as the clock of this computer has it.
std::string heute() {
  const std::time_t t = std::time(nullptr);
  std::tm tag{};
  localtime_r(&t, &tag);
  char b[16];
  std::strftime(b, sizeof b, "%Y-%m-%d", &tag);
  return b;
}

int pruefen(const std::string& pfad, std::ostream& fehler) {
  TDatBas db;
  if (!sammlungLesen(pfad, db, fehler, false)) return ENDE_ABGELEHNT;
  fehler << pfad << ": gültige Sammlung mit " << mitEintraegen(db.get_anzahl()) << ".\n";
  return ENDE_OK;
}

int exportieren(const std::string& art, const std::string& pfad, const std::string& ziel, std::ostream& aus,
                std::ostream& fehler) {
  if (art != "csv" && art != "txt" && art != "html" && art != "dif")
    return aufrufFehler(fehler, "unbekanntes Exportformat \"" + art + "\" (csv, txt, html oder dif)");
  TDatBas db;
  if (!sammlungLesen(pfad, db, fehler, false)) return ENDE_ABGELEHNT;
  TAngabenDatei angaben;
  if (art == "csv") angabenLaden(angaben, pfad, db, fehler);
  // "-" is standard output, and so is any name of what it is open on
  // ("/dev/stdout", "/dev/fd/1", the file the shell redirected it to): that is
  // written through the descriptor as the shell left it (appending after ">>",
  // into the pipe after "|"), never replaced.
  const bool ausgabe = ziel == "-" || istDeskriptor(ziel, STDOUT_FILENO);
  if (ausgabe ? ueberschreibtGeschuetzte(STDOUT_FILENO, {pfad}) : ueberschreibtGeschuetzte(ziel, {pfad})) {
    fehler << "vemla: " << ziel << ": ist die Sammlung selbst; sie würde überschrieben. Nichts geschrieben.\n";
    return ENDE_ABGELEHNT;
  }
  const TReportOptionen optionen;  // the option dialogs' initial choice: everything
  const auto inhalt = [&] {
    if (art == "csv") return csvText(db);
    if (art == "txt") return reportTxt(db, optionen);
    if (art == "html") return reportHtml(db, optionen, THEMA_WEISS);
    return reportDif(db, optionen);
  };
  if (ausgabe) {
    aus << inhalt();
    aus.flush();
    if (!aus) {
      fehler << "vemla: Die Standardausgabe kann nicht geschrieben werden.\n";
      return ENDE_ABGELEHNT;
    }
    fehler << eintraege(db.get_anzahl()) << " in die Standardausgabe geschrieben.\n";
    return ENDE_OK;
  }
  if (!mitDatei(ziel, fehler, [&] { dateiSicherSchreiben(ziel, inhalt()); })) return ENDE_ABGELEHNT;
  fehler << eintraege(db.get_anzahl()) << " nach " << ziel << " geschrieben.\n";
  return ENDE_OK;
}

int importieren(const std::string& quelle, const std::string& pfad, std::ostream& fehler) {
  TCsvDaten daten;
  TCsvZuordnung z;
  const bool gelesen = mitDatei(quelle, fehler, [&] {
    daten = csvLesen(quelle);
    csvZellenPruefen(daten);
    z = csvZuordnungErkennen(daten.kopf);
    csvZuordnungPruefen(z);
  });
  if (!gelesen) return ENDE_ABGELEHNT;
  // Held until the collection is written: a running Vemla that has it open would write over the import.
  const TExklusivSperre sperre(pfad);
  if (!sperre.frei()) {
    fehler << "vemla: " << pfad << ": Die Sammlung ist in Vemla geöffnet. Schließen Sie sie dort zuerst.\n";
    return ENDE_ABGELEHNT;
  }
  TDatBas db;
  if (!sammlungLesen(pfad, db, fehler, true)) return ENDE_ABGELEHNT;
  const bool neu = !dateiExistiert(pfad);
  // The collection's details are kept and the new ones written beside it, as a save in the window does.
  TAngabenDatei angaben;
  if (!neu) angabenLaden(angaben, pfad, db, fehler);
  TCsvErgebnis e = csvUmwandeln(daten, z, MAX_DATENSAETZE - db.get_anzahl());
  csvAufnahmedatum(e, z, mitAngaben(db), heute());
  for (std::size_t i = 0; i < e.saetze.size(); ++i) db.add_datensatz(e.saetze[i], angabenBytes(e.angaben[i]));
  if ((!e.saetze.empty() || neu) && !mitDatei(pfad, fehler, [&] {
        angaben.speichern(pfad, db);
        vemSchreiben(pfad, db);
      }))
    return ENDE_ABGELEHNT;
  fehler << quelle << " (" << kodierungsText(daten) << ", Trennzeichen " << trennerName(daten.trenner)
         << (z.discogs ? ", Discogs-Export" : "") << "): " << e.saetze.size() << " hinzugefügt, " << e.gekuerzt
         << " gekürzt, " << e.geaendert << " geändert, " << e.uebersprungen << " übersprungen.\n";
  if (e.ueberGrenze > 0)
    fehler << e.ueberGrenze << (e.ueberGrenze == 1 ? " Zeile wurde" : " Zeilen wurden")
           << " nicht übernommen: Vemla kann maximal " << MAX_DATENSAETZE << " Datensätze verwalten.\n";
  fehler << pfad << ": " << eintraege(db.get_anzahl()) << ".\n";
  // Rows left out are input refused, even though the rows that fit were saved.
  return e.ueberGrenze > 0 ? ENDE_ABGELEHNT : ENDE_OK;
}

}  // namespace

std::optional<int> kommandozeile(const std::vector<std::string>& a, std::ostream& aus, std::ostream& fehler) {
  if (a.empty()) return std::nullopt;
  const std::string& modus = a[0];
  if (modus == "--help" || modus == "-h") {
    aus << HILFE;
    return ENDE_OK;
  }
  if (modus == "--version") {
    if (a.size() != 1) return aufrufFehler(fehler, "--version erwartet keine weitere Angabe");
    aus << "Vemla " << PROGRAMMVERSION << "\n";
    return ENDE_OK;
  }
  if (modus.rfind("-", 0) != 0) return std::nullopt;  // a file for the window
  try {
    if (modus == "--export") {
      if (a.size() != 4) return aufrufFehler(fehler, "--export braucht ein Format, eine Sammlung und ein Ziel");
      return exportieren(a[1], a[2], a[3], aus, fehler);
    }
    if (modus == "--import-csv") {
      if (a.size() != 3) return aufrufFehler(fehler, "--import-csv braucht eine CSV-Datei und eine Sammlung");
      return importieren(a[1], a[2], fehler);
    }
    if (modus == "--check") {
      if (a.size() != 2) return aufrufFehler(fehler, "--check braucht genau eine Sammlung");
      return pruefen(a[1], fehler);
    }
  } catch (const std::exception& e) {
    // A file that cannot be read or written: the runtime's text, as in the window.
    fehler << "vemla: " << e.what() << ".\n";
    return ENDE_ABGELEHNT;
  }
  return aufrufFehler(fehler, "unbekannte Option \"" + modus + "\"");
}

namespace {

// A stream buffer straight onto a C stream. The standard streams of <iostream>
// would set up the C++ locale at every start of the program, window or not.
class TCAusgabe : public std::streambuf {
 public:
  explicit TCAusgabe(std::FILE* datei) : datei_(datei) {}

 protected:
  int_type overflow(int_type z) override {
    if (traits_type::eq_int_type(z, traits_type::eof())) return traits_type::not_eof(z);
    return std::fputc(z, datei_) == EOF ? traits_type::eof() : z;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    return static_cast<std::streamsize>(std::fwrite(s, 1, static_cast<std::size_t>(n), datei_));
  }
  int sync() override { return std::fflush(datei_) == 0 ? 0 : -1; }

 private:
  std::FILE* datei_;
};

}  // namespace

std::optional<int> kommandozeile(int argc, char** argv) {
  std::vector<std::string> a(argv + std::min(argc, 1), argv + argc);
  // No option: a window, without streams.
  if (a.empty() || a[0].rfind("-", 0) != 0) return std::nullopt;
  TCAusgabe ausPuffer(stdout), fehlerPuffer(stderr);
  std::ostream aus(&ausPuffer), fehler(&fehlerPuffer);
  const auto ende = kommandozeile(a, aus, fehler);
  aus.flush();
  fehler.flush();
  return ende;
}
