#include "sicherung/UWiederherstellen.h"

#include <QDateTime>
#include <QFileInfo>
#include <memory>

#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
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

void sicherungStarten(const QString& ordner, int verzoegerungMs) {
  laufende = std::make_unique<TSicherung>(ordner, *Connect, *DatBas, verzoegerungMs);
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
    if (!frageJa("Wiederherstellung", frage(*k.angaben()), TSymbol::Frage, fenster)) {
      k.entfernen();
      continue;
    }
    try {
      Connect->kopie_laden(k.saetze(), pfadAusDatei(k.angaben()->datei), k.angaben()->original);
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

void kopieAufgeben() {
  if (laufende) laufende->aufgeben();
}
