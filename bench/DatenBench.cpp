// Timings of the data layer at the entry limit (4000 entries), each beside the
// least the same work could cost: loading and saving a collection file, and
// sorting by a field.
//
// File benchmarks report wall-clock time, since most of their cost is spent in
// the kernel or waiting for the disk.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/Arbeitsordner.h"
#include "core/UDBSortTree.h"
#include "core/UDateiWache.h"
#include "core/UDatbas.h"
#include "core/UDatentypen.h"
#include "core/UVemDatei.h"

namespace {

constexpr int ANZAHL = MAX_DATENSAETZE;
constexpr std::size_t BYTES = static_cast<std::size_t>(ANZAHL) * DATENSATZ_GROESSE;  // 7,168,000
constexpr int SORTIERFELD = FELD_INTERPRET;

// Letters of both cases, digits, punctuation and a few Windows-1252 umlauts.
const std::string ALPHABET =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,-'&!()/"
    "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xE9";

std::string zufallsText(std::mt19937& rng, std::size_t hoechstens) {
  std::uniform_int_distribution<std::size_t> laenge(0, hoechstens);
  std::uniform_int_distribution<std::size_t> zeichen(0, ALPHABET.size() - 1);
  std::string s(laenge(rng), ' ');
  for (char& c : s) c = ALPHABET[zeichen(rng)];
  return s;
}

TDatensatz zufallsDatensatz(std::mt19937& rng) {
  std::string t[FELD_ANZAHL];
  for (auto& s : t) s = zufallsText(rng, TFeld::KAPAZITAET);
  return datensatzAus(t[0], t[1], t[2], t[3], t[4], t[5], t[6]);
}

TDatBas zufallsSammlung(unsigned saat) {
  std::mt19937 rng(saat);
  TDatBas db;
  db.reserve(ANZAHL);
  for (int i = 0; i < ANZAHL; ++i) db.add_datensatz(zufallsDatensatz(rng));
  return db;
}

Arbeitsordner& ordner() {
  static Arbeitsordner o("vemla-bench");
  return o;
}

// The file that the read benchmarks load: 4000 random entries.
const std::string& lesedatei() {
  static const std::string pfad = [] {
    const std::string p = ordner().pfad("lesen.vem");
    vemSchreiben(p, zufallsSammlung(1));
    return p;
  }();
  return pfad;
}

long seitenfehler() {
  struct rusage ru;
  ::getrusage(RUSAGE_SELF, &ru);
  return ru.ru_minflt + ru.ru_majflt;
}

// Page faults per iteration: memory the kernel had to hand out and clear,
// which in a virtual machine can cost more than copying the data.
class SeitenfehlerZaehler {
 public:
  explicit SeitenfehlerZaehler(benchmark::State& state) : state_(state), anfang_(seitenfehler()) {}
  ~SeitenfehlerZaehler() {
    state_.counters["Seitenfehler"] =
        benchmark::Counter(static_cast<double>(seitenfehler() - anfang_), benchmark::Counter::kAvgIterations);
  }

 private:
  benchmark::State& state_;
  long anfang_;
};

void pruefen(bool ok, benchmark::State& state, const char* was) {
  if (!ok) state.SkipWithError(was);
}

// --- Reading ---------------------------------------------------------------

// Reads the file once per iteration; "leeren" empties the collection (which
// keeps its memory) before each read, otherwise each read gets a new one.
void lesenMessen(benchmark::State& state, bool leeren) {
  const std::string& pfad = lesedatei();
  TDatBas behalten;
  if (leeren) vemAnhaengen(pfad, behalten);
  SeitenfehlerZaehler zaehler(state);
  for (auto _ : state) {
    TDatBas neu;
    TDatBas& db = leeren ? behalten : neu;
    db.clear_all();
    const int n = vemAnhaengen(pfad, db);
    benchmark::DoNotOptimize(n);
    if (n != ANZAHL) {
      state.SkipWithError("falsche Anzahl gelesen");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}

// Into a new, empty collection (as when the program loads the first file).
void BM_Lesen_vemAnhaengen(benchmark::State& state) { lesenMessen(state, false); }

// Into a collection emptied with clear_all, which keeps its memory.
void BM_Lesen_vemAnhaengen_geleert(benchmark::State& state) { lesenMessen(state, true); }

// Floor: open the file and read its bytes into a buffer, either one that
// already exists (frisch = 0) or a new one for every read (frisch = 1).
void BM_Lesen_Boden_read(benchmark::State& state) {
  const std::string& pfad = lesedatei();
  const bool frisch = state.range(0) != 0;
  std::vector<char> vorhanden(BYTES + 1);
  SeitenfehlerZaehler zaehler(state);
  for (auto _ : state) {
    std::unique_ptr<char[]> neu(frisch ? new char[BYTES + 1] : nullptr);
    char* puffer = frisch ? neu.get() : vorhanden.data();
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    std::size_t gelesen = 0;
    while (fd >= 0) {
      const ssize_t r = ::read(fd, puffer + gelesen, BYTES + 1 - gelesen);
      if (r <= 0) break;
      gelesen += static_cast<std::size_t>(r);
    }
    if (fd >= 0) ::close(fd);
    benchmark::DoNotOptimize(puffer);
    benchmark::ClobberMemory();
    if (gelesen != BYTES) {
      state.SkipWithError("Datei nicht ganz gelesen");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}

// --- Writing ---------------------------------------------------------------

void BM_Schreiben_vemSchreiben(benchmark::State& state) {
  const TDatBas db = zufallsSammlung(2);
  const std::string pfad = ordner().pfad("schreiben.vem");
  SeitenfehlerZaehler zaehler(state);
  for (auto _ : state) vemSchreiben(pfad, db);
  struct stat st;
  pruefen(::stat(pfad.c_str(), &st) == 0 && static_cast<std::size_t>(st.st_size) == BYTES, state,
          "Datei hat falsche Groesse");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}

// Floor in memory: copy the same number of bytes.
void BM_Schreiben_Boden_memcpy(benchmark::State& state) {
  std::vector<char> quelle(BYTES, 'q'), ziel(BYTES, 'z');
  for (auto _ : state) {
    std::memcpy(ziel.data(), quelle.data(), BYTES);
    benchmark::DoNotOptimize(ziel.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}

// Floor on disk: the same bytes to a new file, flushed, renamed over the target.
void BM_Schreiben_Boden_write_fsync_rename(benchmark::State& state) {
  std::vector<char> daten(BYTES, 'd');
  const std::string pfad = ordner().pfad("boden.vem");
  const std::string temp = pfad + ".tmp";
  SeitenfehlerZaehler zaehler(state);
  for (auto _ : state) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0;
    std::size_t geschrieben = 0;
    while (ok && geschrieben < BYTES) {
      const ssize_t w = ::write(fd, daten.data() + geschrieben, BYTES - geschrieben);
      ok = w > 0;
      if (ok) geschrieben += static_cast<std::size_t>(w);
    }
    ok = ok && ::fsync(fd) == 0;
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), pfad.c_str()) == 0;
    if (!ok) {
      state.SkipWithError("Schreiben fehlgeschlagen");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}

// --- Sorting ---------------------------------------------------------------

enum class Schluessel { zufaellig, sortiert, gleich };

TDatBas sortierQuelle(Schluessel art) {
  TDatBas db = zufallsSammlung(3);
  if (art == Schluessel::sortiert) {
    datbasSortieren(db, SORTIERFELD, true);
  } else if (art == Schluessel::gleich) {
    TDatensatz d;
    for (int i = 1; i <= db.get_anzahl(); ++i) {
      db.get_datensatz(i, d);
      d.feld(SORTIERFELD).setzen("Gleicher Interpret");
      db.set_datensatz(i, d);
    }
  }
  return db;
}

// Each iteration sorts a fresh copy of the same collection; restoring the copy
// is not timed (its cost is the floor below).
void BM_Sortieren(benchmark::State& state, Schluessel art, bool aufsteigend) {
  const TDatBas quelle = sortierQuelle(art);
  TDatBas arbeit = quelle;
  for (auto _ : state) {
    state.PauseTiming();
    arbeit = quelle;
    state.ResumeTiming();
    datbasSortieren(arbeit, SORTIERFELD, aufsteigend);
    benchmark::ClobberMemory();
  }
  pruefen(arbeit.get_anzahl() == ANZAHL, state, "Eintraege verloren");
  // The result must be ordered as asked.
  TDatensatz a, b;
  for (int i = 1; i < arbeit.get_anzahl(); ++i) {
    arbeit.get_datensatz(i, a);
    arbeit.get_datensatz(i + 1, b);
    const int v = schluesselVergleich(a.feld(SORTIERFELD).sicht(), b.feld(SORTIERFELD).sicht());
    if (aufsteigend ? v > 0 : v < 0) {
      state.SkipWithError("nicht sortiert");
      break;
    }
  }
}

// Floor: copying the whole collection once.
void BM_Sortieren_Boden_Kopie(benchmark::State& state) {
  const TDatBas quelle = zufallsSammlung(3);
  TDatBas arbeit = quelle;
  for (auto _ : state) {
    arbeit = quelle;
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}

// The check before a save that the file was not changed by someone else, in
// its dearest case: the file's status differs, so its bytes are read and
// summed (beside Lesen/Boden_read_4000, the bare read of the same file).
void BM_Wache_fremdGeaendert(benchmark::State& state) {
  const std::string& pfad = lesedatei();
  TDateiWache wache;
  wache.merken(pfad, TDateiKennung{});
  for (auto _ : state) {
    const bool geaendert = wache.fremdGeaendert(pfad);
    benchmark::DoNotOptimize(geaendert);
    pruefen(geaendert, state, "unveraendert gemeldet");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BYTES));
}

}  // namespace

int main(int argc, char** argv) {
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Lesen/vemAnhaengen_4000", BM_Lesen_vemAnhaengen)->Unit(kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Lesen/vemAnhaengen_geleert_4000", BM_Lesen_vemAnhaengen_geleert)
      ->Unit(kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Lesen/Boden_read_4000", BM_Lesen_Boden_read)
      ->ArgName("frisch")
      ->Arg(0)
      ->Arg(1)
      ->Unit(kMillisecond)
      ->UseRealTime();

  benchmark::RegisterBenchmark("Lesen/Wache_fremdGeaendert_4000", BM_Wache_fremdGeaendert)
      ->Unit(kMillisecond)
      ->UseRealTime();

  benchmark::RegisterBenchmark("Schreiben/vemSchreiben_4000", BM_Schreiben_vemSchreiben)
      ->Unit(kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Schreiben/Boden_memcpy_4000", BM_Schreiben_Boden_memcpy)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Schreiben/Boden_write_fsync_rename_4000", BM_Schreiben_Boden_write_fsync_rename)
      ->Unit(kMillisecond)
      ->UseRealTime();

  struct Fall {
    const char* name;
    Schluessel art;
    bool aufsteigend;
  } const faelle[] = {
      {"Sortieren/zufaellig/aufsteigend", Schluessel::zufaellig, true},
      {"Sortieren/zufaellig/absteigend", Schluessel::zufaellig, false},
      {"Sortieren/sortiert/aufsteigend", Schluessel::sortiert, true},
      {"Sortieren/sortiert/absteigend", Schluessel::sortiert, false},
      {"Sortieren/gleich/aufsteigend", Schluessel::gleich, true},
      {"Sortieren/gleich/absteigend", Schluessel::gleich, false},
  };
  for (const Fall& f : faelle)
    benchmark::RegisterBenchmark(f.name, BM_Sortieren, f.art, f.aufsteigend)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Sortieren/Boden_Kopie_4000", BM_Sortieren_Boden_Kopie)->Unit(kMillisecond);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
