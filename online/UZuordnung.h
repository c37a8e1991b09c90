#pragma once
// How a release of the online music database becomes the seven fields of an
// entry: artist credit, title, first label, year, the matching medium preset,
// the first matching genre preset, and as comment what the entry has no field
// for (catalogue number, barcode, status, country).
#include <QString>
#include <QStringList>
#include <array>

#include "online/UMBAntwort.h"

// The seven texts in the order Interpret, Titel, Label, Release, Typ, Genre, Kommentar.
using TFelder = std::array<QString, 7>;

TFelder felderZuordnen(const TVeroeffentlichung& v);

// The Typ preset for these media ("CD - Album (1 CD)"), else the formats and
// their counts as text ("2x CD + 1x DVD"); empty when no medium is known.
QString typZuordnen(const QStringList& formate, const QString& primaerTyp, const QStringList& sekundaerTypen);
// The formats and their counts as text: "1x CD", "2x 12'' Vinyl + 1x DVD".
QString formateMitAnzahl(const QStringList& formate);
// The preset of the first of "kandidaten" that names a Genre preset or one of
// its styles (case, blanks and hyphens aside; see UGenres.cpp); else empty.
QString genreZuordnen(const QStringList& kandidaten);
// The year of a date ("1997-05-21" -> "1997"); empty when it has none.
QString jahrAusDatum(const QString& datum);
// The text as the collection stores it, back as QString: in Windows-1252, each
// character the code page lacks as its nearest form, as the CSV import has it
// (utf8ZuCp1252): "Dvořák" -> "Dvorák", an invisible character left out.
QString alsCp1252(const QString& text);
// The seven fields as alsCp1252 gives them, each cut to the field's length:
// what is stored or put into the input mask.
TFelder felderFuerSammlung(const TVeroeffentlichung& v);
// True when storing "text" as Windows-1252 loses or replaces characters.
bool verliertZeichen(const QString& text);
// True when "text" as Windows-1252 is longer than a field holds (255 bytes).
bool wirdGekuerzt(const QString& text);
// The Kommentar: "Kat.-Nr. {catno}; EAN {barcode}", the status unless it is
// "Official", and the country, in that order; empty parts are left out, and so
// is a part that would make the text longer than the field holds.
QString kommentarZuordnen(const TVeroeffentlichung& v);
