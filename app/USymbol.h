#pragma once

#include <QIcon>
#include <QStyle>

class QAbstractButton;
class QWidget;

// Gives a button one of the style's standard symbols when the button is first
// shown: looking a symbol up searches the icon theme, which costs time at the
// start for windows that are often never opened.
void symbolBeimZeigen(QAbstractButton* knopf, QStyle::StandardPixmap symbol);

// One of the style's standard symbols for a control of a window that shows at
// start: the same symbol, looked up and read only when it is first drawn, so
// the window appears without waiting for the icon theme and the pictures.
QIcon symbolBeimMalen(QWidget* w, QStyle::StandardPixmap symbol);
