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
