#pragma once
// Finding the details of each entry again when a collection is loaded. The
// collection file has no identifiers, so every save records for each entry
// its position and a checksum of its seven fields beside its details. At load:
// - an entry at its saved position with its saved checksum keeps its details;
// - an entry that moved (sorted, or moved in another program) is found by its
//   checksum; identical entries keep their order among themselves;
// - an entry changed elsewhere is found by Interpret and Titel, but only when
//   exactly one entry without details and one detail set without an entry
//   share them (a CD and an LP of one album never swap their details);
// - detail sets left over belong to no entry: they are kept, never dropped.
#include <cstdint>
#include <string>
#include <vector>

class TDatBas;
struct TDatensatz;

// The checksum of an entry's seven fields: their lengths and texts, not the
// bytes behind a text (other programs may change those).
std::uint64_t eintragPruefsumme(const TDatensatz& d);

// What a save recorded about one entry.
struct TGespeicherterEintrag {
  std::uint32_t position = 0;  // from 0
  std::uint64_t pruefsumme = 0;
  std::string interpret, titel;  // the file's bytes
  long long angaben = 0;         // the id of its detail set
};

struct TZuordnung {
  // For each entry of the collection (from 0) the id of its details, or -1.
  std::vector<long long> jeEintrag;
  // Detail sets that belong to no entry, in the order they were saved.
  std::vector<long long> nichtZugeordnet;
  // Entries found only by Interpret and Titel (changed in another program).
  int nachNamen = 0;
};

TZuordnung zuordnen(const TDatBas& db, const std::vector<TGespeicherterEintrag>& gespeichert);
