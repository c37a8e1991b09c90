#pragma once
// The genre names of the online music database (lower case, as it writes
// them) that stand for one of the Genre presets under another name: a style
// of the preset, or the preset's name spelt otherwise. Names equal to a
// preset (case, blanks and hyphens aside) need no line here.
#include <cstddef>

struct TGenreName {
  const char* name;    // as the database writes it
  const char* vorgabe; // the Genre preset, exactly as in the list of presets
};

extern const TGenreName GENRE_NAMEN[];
extern const std::size_t GENRE_NAMEN_ANZAHL;
