#pragma once

#include <QStyle>

class QAbstractButton;

// Gives a button one of the style's standard symbols when the button is first
// shown: looking a symbol up searches the icon theme, which costs time at the
// start for windows that are often never opened.
void symbolBeimZeigen(QAbstractButton* knopf, QStyle::StandardPixmap symbol);
