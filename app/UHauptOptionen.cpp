#include "app/UHauptOptionen.h"

#include <QLineEdit>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UFenstermass.h"

using Option = TEinstellungen::Option;

void THauptOptionen::beobachten(TEinstellungen& e) {
  // An error of a change (a refused store) goes to the code that set the
  // option when it keeps one (THandlerFehler), else to the error box.
  QObject::connect(&e, &TEinstellungen::wirksam, &h_, sicher([this](Option o, bool an) { anwenden(o, an); }));
}

void THauptOptionen::anwenden(Option o, bool an) {
  switch (o) {
    case Option::Schaltflaechen:
      if (an) schaltflaechen_ein();
      else schaltflaechen_aus();
      break;
    case Option::Statusleiste:
      h_.zeigeStatusleiste(an);
      hoeheSetzen();
      break;
    case Option::Detailansicht:
      if (an) detailansicht_ein();
      else detailansicht_aus();
      break;
    case Option::Quickbuttons:
      // Read again from the file, as at every activation.
      h_.ablauf().init_quickbuttons();
      break;
    case Option::Startposition:
      if (an) startpositionSpeichern();
      break;
    case Option::Startbildschirm:
    case Option::LetzteDateiLaden:
    case Option::UebersichtSpeichern:
      break;  // read at the next start, or by the overview
  }
}

void THauptOptionen::hoeheSetzen() {
  h_.setzeAussenHoehe(hauptfensterAussenHoehe(Einstellungen->option(Option::Schaltflaechen),
                                              Einstellungen->option(Option::Statusleiste)));
}

// The buttons stand in a strip at the bottom that the lower height cuts off.
void THauptOptionen::schaltflaechen_ein() { hoeheSetzen(); }
void THauptOptionen::schaltflaechen_aus() { hoeheSetzen(); }

void THauptOptionen::detailansicht_ein() {
  for (QLineEdit* e : {h_.e_interpret, h_.e_titel, h_.e_label, h_.e_release, h_.e_typ, h_.e_genre, h_.e_kommentar})
    e->setFocusPolicy(Qt::StrongFocus);
  h_.setzeAussenBreite(hauptfensterAussenBreite(true));
}

void THauptOptionen::detailansicht_aus() { h_.setzeAussenBreite(hauptfensterAussenBreite(false)); }

void THauptOptionen::startpositionSpeichern() {
  // The frame's corner, the same point the activation restores.
  Einstellungen->startpunktSetzen(h_.startposition());
}
