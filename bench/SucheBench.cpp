// Timings of the search at the entry limit (4000 entries), beside the least
// the same work could cost: reading every entry and looking once at the bytes
// of the searched field.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/UDatbas.h"
#include "core/USuche.h"

namespace {

constexpr int ANZAHL = MAX_DATENSAETZE;

TDatBas gleicheFelder(const std::string& feld) {
  TDatBas db;
  db.reserve(ANZAHL);
  for (int i = 0; i < ANZAHL; ++i) db.add_datensatz(datensatzAus(feld, "t", "", "", "", "", ""));
  return db;
}

// Artists of a typical collection: words of letters of both cases, some umlauts.
TDatBas typischeSammlung() {
  const char* woerter[] = {"The", "Beatles", "Die", "\xC4rzte", "Rolling", "Stones", "Queen", "Pink", "Floyd",
                           "Led", "Zeppelin", "ABBA", "Depeche", "Mode", "Kraftwerk", "Toten", "Hosen", "Beat"};
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> wort(0, std::size(woerter) - 1), laenge(1, 4);
  TDatBas db;
  db.reserve(ANZAHL);
  for (int i = 0; i < ANZAHL; ++i) {
    std::string s;
    for (int n = laenge(rng); n > 0; --n) s += std::string(s.empty() ? "" : " ") + woerter[wort(rng)];
    db.add_datensatz(datensatzAus(s, "t", "", "", "", "", ""));
  }
  return db;
}

// The search as the dialog runs it: every entry read, its field matched.
template <typename Passt>
void suchen(benchmark::State& state, const TDatBas& db, const std::string& suchtext, int erwartet, Passt passt) {
  int treffer = 0;
  for (auto _ : state) {
    treffer = 0;
    const TSuchtext vorbereitet(suchtext);  // once per search, as the dialog does
    benchmark::DoNotOptimize(vorbereitet);
    TDatensatz d;
    for (int pos = 1; pos <= db.get_anzahl(); ++pos) {
      db.get_datensatz(pos, d);
      treffer += passt(vorbereitet, d.Interpret.sicht(), suchtext);
    }
    benchmark::DoNotOptimize(treffer);
  }
  if (erwartet >= 0 && treffer != erwartet) state.SkipWithError("falsche Trefferzahl");
  state.counters["Treffer"] = treffer;
}

// The piece-by-piece comparison without any preparation, for comparison.
bool stueckweise(std::string_view f, std::string_view s) {
  if (s.size() > f.size()) return false;
  auto klein = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (std::size_t p = 0; p + s.size() <= f.size(); ++p) {
    std::size_t k = 0;
    while (k < s.size() && klein(f[p + k]) == klein(s[k])) ++k;
    if (k == s.size()) return true;
  }
  return false;
}

const std::string A255(255, 'a');
// The case the task names: 254 x "a" + "b" in fields of 255 x "a" (one piece each).
const std::string LANG = std::string(254, 'a') + "b";
// The costliest case for the piece-by-piece comparison: 128 pieces of 127 near-matches.
const std::string MITTE = std::string(127, 'a') + "b";

bool vorbereitet(const TSuchtext& t, std::string_view f, std::string_view) { return t.enthalten(f); }
bool roh(const TSuchtext&, std::string_view f, std::string_view s) { return stueckweise(f, s); }

void BM_Suche_lang(benchmark::State& s) { suchen(s, gleicheFelder(A255), LANG, 0, vorbereitet); }
void BM_Suche_mitte(benchmark::State& s) { suchen(s, gleicheFelder(A255), MITTE, 0, vorbereitet); }
void BM_Suche_typisch(benchmark::State& s) { suchen(s, typischeSammlung(), "beat", -1, vorbereitet); }
void BM_Stueckweise_lang(benchmark::State& s) { suchen(s, gleicheFelder(A255), LANG, 0, roh); }
void BM_Stueckweise_mitte(benchmark::State& s) { suchen(s, gleicheFelder(A255), MITTE, 0, roh); }

// Floor: every entry read and each byte of its 255-byte field looked at once.
void BM_Suche_Boden(benchmark::State& state) {
  const TDatBas db = gleicheFelder(A255);
  for (auto _ : state) {
    unsigned summe = 0;
    TDatensatz d;
    for (int pos = 1; pos <= db.get_anzahl(); ++pos) {
      db.get_datensatz(pos, d);
      for (char c : d.Interpret.sicht()) summe += static_cast<unsigned char>(c);
    }
    benchmark::DoNotOptimize(summe);
  }
}

BENCHMARK(BM_Suche_lang)->Name("Suche/254a+b_in_255a_4000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Suche_mitte)->Name("Suche/127a+b_in_255a_4000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Suche_typisch)->Name("Suche/typisch_beat_4000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stueckweise_lang)->Name("Suche/stueckweise_254a+b_4000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stueckweise_mitte)->Name("Suche/stueckweise_127a+b_4000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Suche_Boden)->Name("Suche/Boden_ein_Durchgang_4000")->Unit(benchmark::kMillisecond);

}  // namespace
