#include "sicherung/UWiederherstellen.h"

#include <QDateTime>
#include <cstdlib>
#include <QFileInfo>
#include <memory>

#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "sicherung/UFSicherungHinweis.h"
#include "sicherung/USicherung.h"

namespace {

std::unique_ptr<TSicherung> laufende;

QString zeitText(const QDateTime& zeit) { return zeit.toString("dd.MM.yyyy, hh:mm"); }

QString frage(const TKopieAngaben& a) {
  const QString name = a.datei.empty() ? QStringLiteral("einer neuen Sammlung") : pfadAusDatei(a.datei);
  QString text = "Vemla wurde beendet, ohne die Änderungen an „" + name + "“ zu speichern (Stand: " +
                 zeitText(QDateTime::fromSecsSinceEpoch(a.zeit)) + ").";
  // Restored, the changes would be saved over what someone wrote into the file meanwhile.
  if (a.original && seitherGeaendert(a.datei, *a.original))
    text += "\rDie Datei wurde seitdem verändert (Stand: " + zeitText(QFileInfo(name).lastModified()) + ").";
  return text + "\rSollen diese Änderungen wiederhergestellt werden?";
}

void beschaedigt(TVerwaisteKopie& k, QWidget* fenster) {
  const QString neu = k.beiseitelegen();
  meldungOk("Hinweis",
            "Eine Sicherungskopie ist beschädigt und kann nicht wiederhergestellt werden.\r"
            "Sie wurde als „" + neu + "“ aufbewahrt.",
            TSymbol::Warnung, fenster);
}

}  // namespace

namespace {

// Qt ends the process with exit() when the display goes away (the X connection
// broke): the newest state goes into the copy, and the running recovery is left
// to the process's end (the windows it would touch are not freed by exit()).
TSicherung* amProzessende = nullptr;

void beimExit() {
  if (!laufende) return;
  laufende->prozessEndet();
  amProzessende = laufende.release();
}

}  // namespace

void sicherungStarten(const QString& ordner, int verzoegerungMs) {
  laufende = std::make_unique<TSicherung>(ordner, *Connect, *DatBas, verzoegerungMs);
  laufende->hinweisSetzen(sicherungHinweisZeigen);
  static const bool amEnde = std::atexit(beimExit) == 0;
  (void)amEnde;
  Connect->beobachterSetzen([] {
    if (laufende) laufende->geaendert();
  });
}

void sicherungBeenden() {
  if (!laufende) return;
  Connect->beobachterSetzen({});
  laufende.reset();
}

TSicherung* sicherung() { return laufende.get(); }

bool kopienAnbieten(QWidget* fenster, const std::function<void()>& zeigen) {
  if (!laufende) return false;
  std::vector<TVerwaisteKopie> kopien = laufende->verwaisteKopien();
  if (kopien.empty()) return false;
  zeigen();
  for (TVerwaisteKopie& k : kopien) {
    if (!k.angaben()) {
      beschaedigt(k, fenster);
      continue;
    }
    const TAntwort antwort = frageJaNein("Wiederherstellung", frage(*k.angaben()), TSymbol::Frage, fenster);
    if (antwort == TAntwort::Nein) {
      k.entfernen();
      continue;
    }
    // Gone without an answer: the copy waits for the next start.
    if (antwort != TAntwort::Ja) continue;
    try {
      Connect->kopie_laden(k.saetze(), pfadAusDatei(k.angaben()->datei), k.angaben()->original,
                           k.beilagen() ? &*k.beilagen() : nullptr);
    } catch (const std::exception&) {
      Connect->set_filename("");
      Connect->file_wasnot_changed();
      beschaedigt(k, fenster);
      continue;
    }
    // The restored changes are this program's copy before the old one goes.
    laufende->jetztSchreiben();
    k.entfernen();
    return true;
  }
  return false;
}

bool kopieFehlt() { return laufende && laufende->kopieFehlt(); }

void kopieAufgeben() {
  if (laufende) laufende->aufgeben();
}
