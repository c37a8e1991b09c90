// Arbitrary bytes as a collection file.
//
// The first input byte chooses how the file is loaded:
//   bits 0-2  entries already in the collection (0..7)
//   bits 3-5  with bit 6: a limit of "already there + 10 * bits 3-5" entries
//             instead of the usual 4000
//   bit 7     the rest of the input is repeated 16 times, so that files of a
//             few hundred records come up as well
// The rest is the file. What vemAnhaengen must do with it follows from its
// length alone: every complete record that fits is appended as it stands, and
// a partial record at the end is an error only while there is room for it.
// The collection is then written with vemSchreiben and read back, which must
// give the same bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/UDatbas.h"
#include "core/UFehler.h"
#include "core/UVemDatei.h"

namespace {

void pruefe(bool ok, const char* was) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_vemdatei: %s\n", was);
    std::abort();
  }
}

// A folder of its own, on tmpfs where there is one, since every save syncs.
// The name is never freed, so it is still there when the folder is removed at exit.
const std::string& ordner() {
  static const std::string* pfad = [] {
    std::string vorlage = (::access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
                          "/vemla-fuzz-XXXXXX";
    pruefe(::mkdtemp(vorlage.data()) != nullptr, "kein Arbeitsordner");
    return new std::string(vorlage);
  }();
  static const bool aufraeumen = std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(*pfad, ec);
  }) == 0;
  (void)aufraeumen;
  return *pfad;
}

void schreibe(const std::string& pfad, const std::string& daten) {
  const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  pruefe(fd >= 0, "Eingabedatei nicht angelegt");
  std::size_t geschrieben = 0;
  while (geschrieben < daten.size()) {
    const ssize_t w = ::write(fd, daten.data() + geschrieben, daten.size() - geschrieben);
    pruefe(w > 0, "Eingabedatei nicht geschrieben");
    geschrieben += static_cast<std::size_t>(w);
  }
  pruefe(::close(fd) == 0, "Eingabedatei nicht geschlossen");
}

std::string lies(const std::string& pfad) {
  std::string inhalt;
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  pruefe(fd >= 0, "Datei nicht lesbar");
  char puffer[65536];
  ssize_t r;
  while ((r = ::read(fd, puffer, sizeof puffer)) > 0) inhalt.append(puffer, static_cast<std::size_t>(r));
  pruefe(r == 0, "Lesefehler");
  ::close(fd);
  return inhalt;
}

// Entry i of those already in the collection before loading.
TDatensatz vorhanden(int i) {
  TDatensatz d;
  std::memset(&d, 0xA0 + i, sizeof d);
  d.Interpret.setzen("Vorhanden " + std::to_string(i));
  return d;
}

std::string bytesVon(const TDatBas& db) {
  std::string s;
  TDatensatz d;
  for (int i = 1; i <= db.get_anzahl(); ++i) {
    db.get_datensatz(i, d);
    s.append(reinterpret_cast<const char*>(&d), sizeof d);
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned steuer = data[0];
  const int vorher = static_cast<int>(steuer & 7u);
  const int grenze = (steuer & 0x40u) ? vorher + 10 * static_cast<int>((steuer >> 3) & 7u) : MAX_DATENSAETZE;
  std::string datei(reinterpret_cast<const char*>(data + 1), size - 1);
  if (steuer & 0x80u) {
    const std::string einmal = datei;
    for (int i = 1; i < 16; ++i) datei += einmal;
  }

  const std::string pfad = ordner() + "/eingabe.vem";
  schreibe(pfad, datei);

  TDatBas db;
  for (int i = 0; i < vorher; ++i) db.add_datensatz(vorhanden(i));

  // What must come out, from the length of the file alone.
  const std::size_t ganze = datei.size() / DATENSATZ_GROESSE;
  const std::size_t platz = grenze > vorher ? static_cast<std::size_t>(grenze - vorher) : 0;
  const std::size_t erwartet = ganze < platz ? ganze : platz;
  const bool dateiendeErwartet = ganze < platz && datei.size() % DATENSATZ_GROESSE != 0;

  std::size_t gemeldet = 0;
  bool gemeldetRichtig = true;
  int angehaengt = -1;
  bool dateiende = false;
  try {
    angehaengt = vemAnhaengen(pfad, db, grenze, [&](const TDatensatz& d) {
      gemeldetRichtig = gemeldetRichtig && gemeldet < erwartet &&
                        std::memcmp(&d, datei.data() + gemeldet * DATENSATZ_GROESSE, sizeof d) == 0;
      ++gemeldet;
    });
  } catch (const EEAFehler& e) {
    pruefe(e.nummer() == EA_DATEIENDE, "unerwarteter Fehler beim Laden");
    dateiende = true;
  }
  pruefe(dateiende == dateiendeErwartet, "Dateiende falsch gemeldet");
  pruefe(dateiende || angehaengt == static_cast<int>(erwartet), "falsche Anzahl zurueckgegeben");
  pruefe(gemeldet == erwartet && gemeldetRichtig, "falsche Saetze gemeldet");
  pruefe(db.get_anzahl() == vorher + static_cast<int>(erwartet), "falsche Anzahl in der Sammlung");

  // The collection in file form: what was there, then the records as read.
  std::string soll;
  for (int i = 0; i < vorher; ++i) {
    const TDatensatz d = vorhanden(i);
    soll.append(reinterpret_cast<const char*>(&d), sizeof d);
  }
  soll.append(datei, 0, erwartet * DATENSATZ_GROESSE);
  pruefe(bytesVon(db) == soll, "Sammlung weicht von der Datei ab");

  // Save, load again, save again: the same bytes every time.
  const std::string ausgabe = ordner() + "/ausgabe.vem";
  vemSchreiben(ausgabe, db);
  pruefe(lies(ausgabe) == soll, "gespeicherte Datei weicht ab");
  TDatBas zurueck;
  pruefe(vemAnhaengen(ausgabe, zurueck) == db.get_anzahl(), "Neuladen liest andere Anzahl");
  pruefe(bytesVon(zurueck) == soll, "neu geladene Sammlung weicht ab");
  vemSchreiben(ausgabe, zurueck);
  pruefe(lies(ausgabe) == soll, "erneut gespeicherte Datei weicht ab");
  return 0;
}
