// A Vemla in a process of its own for the recovery tests: the program's start,
// work and exit with the scripted platform, in a portable program folder.
//   kind ORDNER [DATEI]   the folder (with its "vemla.ini"), the command line's file
// The environment says what to do:
//   KIND_ANTWORTEN  "ja,nein,...": the answers of the boxes, in order
//   KIND_EINTRAEGE  entries to add after the start ("I1"/"T1", ...)
//   KIND_ZIEL       the file the save dialog at the exit chooses
//   KIND_WARTEN     wait for the recovery copy, say "kopie", and wait to be killed
//   KIND_NACH       after the entries say "bereit" and wait to be ended: "schleife" in
//                   the event loop, "box" under a real modal box, "beschaeftigt" with
//                   the main thread busy
//   KIND_VERZOEGERUNG  the copy's delay in ms (50)
//   KIND_ZUSTAND    the folder of the copies (else the program's)
//   KIND_STANDORT   "N=TEXT": after the start, entry N's Standort becomes TEXT
//   KIND_STANDORTE  also print "standorte|" with every entry's Standort
//   KIND_SCHLEIFE   say "bereit", then sort by Interpret, alternately up and
//                   down, and save, until killed
// It prints each box ("frage|title|text"), then "datei|", "titel|" and "anzahl|";
// "offen" when the window stayed open at the exit.
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UOrte.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "sicherung/USicherung.h"
#include "sicherung/UWiederherstellen.h"
#include "tests/support/TestPlattform.h"

namespace {

void zeile(const QString& s) {
  std::printf("%s\n", s.toUtf8().constData());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  TVemlaApplication app(argc, argv);
  orteFestlegen(QString::fromLocal8Bit(argv[1]));
  TTestPlattform plattform;
  for (const QString& a : qEnvironmentVariable("KIND_ANTWORTEN").split(',', Qt::SkipEmptyParts))
    plattform.antworten.push_back(a == "ja" ? TAntwort::Ja : TAntwort::Nein);
  if (qEnvironmentVariableIsSet("KIND_ZIEL")) plattform.dateinamen.push_back(qEnvironmentVariable("KIND_ZIEL"));

  fensterErzeugen();
  const QString zustand = qEnvironmentVariableIsSet("KIND_ZUSTAND") ? qEnvironmentVariable("KIND_ZUSTAND") : zustandsOrdner();
  const QString verzoegerung = qEnvironmentVariable("KIND_VERZOEGERUNG", "50");
  sicherungStarten(zustand, verzoegerung.toInt());
  HauptFormular->ablauf().programmStart(app.arguments().mid(2));
  for (const TGezeigteMeldung& m : plattform.meldungen) zeile("frage|" + m.titel + "|" + m.text);
  zeile("datei|" + Connect->get_filename());
  zeile("titel|" + HauptFormular->windowTitle());
  zeile("anzahl|" + QString::number(DatBas->get_anzahl()));
  if (qEnvironmentVariableIsSet("KIND_STANDORTE")) {
    QStringList orte;
    for (int i = 1; i <= DatBas->get_anzahl(); ++i) orte << QString::fromStdString(Connect->angaben(i).standort);
    zeile("standorte|" + orte.join(','));
  }
  if (qEnvironmentVariableIsSet("KIND_SCHLEIFE")) {
    zeile("bereit");
    for (bool auf = true;; auf = !auf) {
      Connect->sortieren(FELD_INTERPRET, auf);
      Connect->datei_speichern(Connect->get_filename());
      Connect->file_wasnot_changed();
    }
  }
  if (const QString s = qEnvironmentVariable("KIND_STANDORT"); !s.isEmpty()) {
    const int pos = s.section('=', 0, 0).toInt();
    TAngaben a = Connect->angaben(pos);
    a.standort = s.section('=', 1).toStdString();
    Connect->angabenAendern(pos, a);
  }

  const int eintraege = qEnvironmentVariableIntValue("KIND_EINTRAEGE");
  for (int n = 1; n <= eintraege; ++n)
    Connect->datensatz_hinzufuegen("I" + QString::number(n), "T" + QString::number(n), "", "", "", "", "");
  if (qEnvironmentVariableIsSet("KIND_WARTEN")) {
    QTimer warten;
    QObject::connect(&warten, &QTimer::timeout, [&] {
      if (!sicherung()->kopieDa()) return;
      warten.stop();
      zeile("kopie");
    });
    warten.start(20);
    return app.exec();  // until killed
  }
  const QString nach = qEnvironmentVariable("KIND_NACH");
  if (nach == "beschaeftigt") {
    zeile("bereit");
    std::this_thread::sleep_for(std::chrono::seconds(20));
    return 0;
  }
  if (!nach.isEmpty()) {
    // After the first activation, which the start planned before (and which plans its run once more).
    QTimer::singleShot(0, [] { QTimer::singleShot(0, [] { zeile("bereit"); }); });
    if (nach == "box") {
      plattform.echteMeldungen = true;
      meldungOk("Hinweis", "Ein Kasten ist offen.");
    }
    return app.exec();  // until a signal ends it
  }
  const std::size_t vorher = plattform.meldungen.size();
  HauptFormular->close();
  for (std::size_t i = vorher; i < plattform.meldungen.size(); ++i)
    zeile("frage|" + plattform.meldungen[i].titel + "|" + plattform.meldungen[i].text);
  if (HauptFormular->isVisible()) zeile("offen");
  fensterFreigeben();
  return 0;
}
