// Arbitrary bytes as a field and a search text: the prepared search must
// answer exactly as the piece-by-piece comparison (A..Z folded, search text
// cut to 255 bytes).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/USuche.h"

namespace {

bool stueckweise(const std::string& f, std::string s) {
  if (s.size() > 255) s.resize(255);
  if (s.size() > f.size()) return false;
  auto klein = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (std::size_t p = 0; p + s.size() <= f.size(); ++p) {
    std::size_t k = 0;
    while (k < s.size() && klein(f[p + k]) == klein(s[k])) ++k;
    if (k == s.size()) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* daten, std::size_t groesse) {
  FuzzedDataProvider fdp(daten, groesse);
  const std::string suchtext = fdp.ConsumeRandomLengthString(300);
  const TSuchtext vorbereitet(suchtext);
  // Several fields of at most 255 bytes against one prepared search text.
  while (fdp.remaining_bytes() > 0) {
    const std::string feld = fdp.ConsumeRandomLengthString(255);
    if (vorbereitet.enthalten(feld) != stueckweise(feld, suchtext)) {
      std::fprintf(stderr, "fuzz_suche: answer differs from the piece-by-piece comparison\n");
      std::abort();
    }
  }
  return 0;
}
