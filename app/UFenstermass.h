#pragma once
// Window sizes are given as outer sizes of a classic desktop frame (border,
// caption bar and menu bar included). Here they are turned into the size of
// the client area, which is what the layout is placed in.
#include <QSize>

constexpr int RAHMEN_BREITE = 6;   // two borders of 3 pixels
constexpr int RAHMEN_HOEHE = 23;   // caption bar 18 plus two borders of 3 pixels, without menu
constexpr int MENUE_HOEHE = 19;    // a single-line menu bar

// Client area of a window with a menu bar, from its outer size.
constexpr QSize clientMitMenue(int breite, int hoehe) {
  return QSize(breite - RAHMEN_BREITE, hoehe - RAHMEN_HOEHE - MENUE_HOEHE);
}
// Outer size of a window with a menu bar, from its client area.
constexpr QSize aussenMitMenue(QSize client) {
  return QSize(client.width() + RAHMEN_BREITE, client.height() + RAHMEN_HOEHE + MENUE_HOEHE);
}
// Client area of a window without menu bar (dialogs), from its outer size.
constexpr QSize clientOhneMenue(int breite, int hoehe) { return QSize(breite - RAHMEN_BREITE, hoehe - RAHMEN_HOEHE); }

static_assert(clientMitMenue(673, 435) == QSize(667, 393));

// Outer height of the main window, with or without its row of buttons and status bar.
constexpr int hauptfensterAussenHoehe(bool knoepfe, bool statusleiste) {
  return knoepfe ? (statusleiste ? 435 : 415) : (statusleiste ? 395 : 375);
}
// Outer width of the main window, with or without its detail view.
constexpr int hauptfensterAussenBreite(bool detail) { return detail ? 673 : 280; }

// A window the user may resize has a thicker frame of 4 pixels on every side.
constexpr int GROSSRAHMEN_BREITE = 8;   // two borders of 4 pixels
constexpr int GROSSRAHMEN_HOEHE = 28;   // caption bar 20 plus two borders of 4 pixels
constexpr QSize clientGrossrahmen(int breite, int hoehe) {
  return QSize(breite - GROSSRAHMEN_BREITE, hoehe - GROSSRAHMEN_HOEHE);
}
constexpr QSize aussenGrossrahmen(QSize client) {
  return QSize(client.width() + GROSSRAHMEN_BREITE, client.height() + GROSSRAHMEN_HOEHE);
}
static_assert(clientGrossrahmen(791, 414) == QSize(783, 386));

// The overall overview's layout, from its outer width W and height H: the
// grid W - 20 by H - 79, the buttons' top at H - 61, the left edge of the
// apply button at W - 183 (client coordinates). It is never narrower than
// 487 or lower than 64 outside.
struct TUebersichtMass {
  QSize raster;
  int knopfOben;
  int uebernehmenLinks;
};
constexpr TUebersichtMass uebersichtMass(QSize aussen) {
  return {QSize(aussen.width() - 20, aussen.height() - 79), aussen.height() - 61, aussen.width() - 183};
}
constexpr QSize UEBERSICHT_MINDESTENS = QSize(487, 64);
