#pragma once
// The disc ID of an audio CD, from the drive or from a table of contents,
// computed by libdiscid. The library is loaded when first needed.
#include <string>
#include <vector>

struct TDiscId {
  enum Art { Ok, KeineBibliothek, KeinLaufwerk, KeineAudioCd } art = KeineBibliothek;
  std::string id;      // the 28-character disc ID
  std::string inhalt;  // the table of contents as the web service takes it
};

// Reads the table of contents of the disc in the default drive (or "laufwerk").
// Blocks while the drive spins up: call it on a worker thread.
TDiscId discIdLesen(const std::string& laufwerk = {});

// The disc ID of a table of contents: first and last track number, then the
// lead-out followed by the start of every track, in sectors (150 = 2 seconds).
TDiscId discIdAusInhalt(int ersterTitel, int letzterTitel, const std::vector<int>& positionen);
