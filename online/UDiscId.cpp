#include "online/UDiscId.h"

#include <discid/discid.h>
#include <sys/stat.h>

#include <memory>

#include "app/UNachladen.h"

namespace {

struct TDiscLib {
  decltype(&::discid_new) neu = nullptr;
  decltype(&::discid_free) frei = nullptr;
  decltype(&::discid_read_sparse) lesen = nullptr;
  decltype(&::discid_put) setzen = nullptr;
  decltype(&::discid_get_id) id = nullptr;
  decltype(&::discid_get_toc_string) inhalt = nullptr;
  decltype(&::discid_get_default_device) laufwerk = nullptr;
};

const TDiscLib* discLib() {
  static const TDiscLib* geladen = [] () -> const TDiscLib* {
    void* b = ::dlopen("libdiscid.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!b) return nullptr;
    static TDiscLib l;
    const bool ok = symbolLaden(b, l.neu, "discid_new") && symbolLaden(b, l.frei, "discid_free") &&
                    symbolLaden(b, l.lesen, "discid_read_sparse") && symbolLaden(b, l.setzen, "discid_put") &&
                    symbolLaden(b, l.id, "discid_get_id") && symbolLaden(b, l.inhalt, "discid_get_toc_string") &&
                    symbolLaden(b, l.laufwerk, "discid_get_default_device");
    return ok ? &l : nullptr;  // stays loaded for the rest of the run
  }();
  return geladen;
}

using TDisc = std::unique_ptr<DiscId, void (*)(DiscId*)>;

TDisc neueDisc(const TDiscLib& l) {
  return TDisc(l.neu(), [](DiscId* d) { if (d) discLib()->frei(d); });
}

TDiscId ergebnis(const TDiscLib& l, DiscId* d) {
  TDiscId r;
  r.art = TDiscId::Ok;
  if (const char* id = l.id(d)) r.id = id;
  if (const char* toc = l.inhalt(d)) r.inhalt = toc;
  return r;
}

}  // namespace

TDiscId discIdLesen(const std::string& laufwerk) {
  const TDiscLib* l = discLib();
  if (!l) return {};
  TDisc d = neueDisc(*l);
  if (!d) return {};
  const std::string geraet = laufwerk.empty() ? std::string(l->laufwerk()) : laufwerk;
  struct stat info{};
  if (::stat(geraet.c_str(), &info) != 0) return {TDiscId::KeinLaufwerk, {}, {}};
  if (!l->lesen(d.get(), geraet.c_str(), DISCID_FEATURE_READ)) return {TDiscId::KeineAudioCd, {}, {}};
  return ergebnis(*l, d.get());
}

TDiscId discIdAusInhalt(int ersterTitel, int letzterTitel, const std::vector<int>& positionen) {
  const TDiscLib* l = discLib();
  if (!l) return {};
  TDisc d = neueDisc(*l);
  // The library reads one position for the lead-out and one per track.
  bool passend = ersterTitel >= 1 && letzterTitel >= ersterTitel && letzterTitel <= 99 &&
                 static_cast<int>(positionen.size()) == letzterTitel - ersterTitel + 2;
  // Tracks in order, the lead-out behind the last one.
  for (std::size_t i = 1; passend && i < positionen.size(); ++i)
    passend = positionen[i] >= 0 && (i + 1 < positionen.size() ? positionen[i] < positionen[i + 1]
                                                              : positionen[i] < positionen[0]);
  if (!d || !passend) return {TDiscId::KeineAudioCd, {}, {}};
  // The library's table: the lead-out at 0, each track at its own number.
  int tabelle[100] = {};
  tabelle[0] = positionen[0];
  for (int t = ersterTitel; t <= letzterTitel; ++t) tabelle[t] = positionen[static_cast<std::size_t>(t - ersterTitel + 1)];
  if (!l->setzen(d.get(), ersterTitel, letzterTitel, tabelle)) return {TDiscId::KeineAudioCd, {}, {}};
  return ergebnis(*l, d.get());
}
