#pragma once
// The fixed preset lists of the Release, Typ and Genre fields, shared by every
// window that offers them. Not sorted: they stay in this order.
#include <QStringList>

const QStringList& vorgabenRelease();  // "2002" down to "1950"
const QStringList& vorgabenTyp();      // 49 medium types
const QStringList& vorgabenGenre();    // 103 genres
