#include "core/UDatbas.h"

#include <cstring>

namespace {

bool nurNullen(const char* p, std::size_t n) {
  static const char NULLEN[TFeld::KAPAZITAET] = {};
  return n == 0 || std::memcmp(p, NULLEN, n) == 0;
}

}  // namespace

namespace {

constexpr char GEPACKT = 'p', GANZ = 'g';
constexpr std::size_t KENNUNG_BYTES = 8;

void kennungAnhaengen(std::string& e, std::uint64_t k) {
  for (std::size_t i = 0; i < KENNUNG_BYTES; ++i) e.push_back(static_cast<char>((k >> (8 * i)) & 0xff));
}

}  // namespace

std::string TDatBas::gepackt(const TDatensatz& d, std::uint64_t kennung, std::string_view beilage) {
  std::size_t laenge = 0;
  bool ganz = false;
  for (int nr = 1; nr <= FELD_ANZAHL && !ganz; ++nr) {
    const TFeld& f = d.feld(nr);
    ganz = !nurNullen(f.zeichen + f.laenge, TFeld::KAPAZITAET - f.laenge);
    laenge += 1u + f.laenge;
  }
  std::string e;
  if (ganz) {
    e.reserve(1 + DATENSATZ_GROESSE + KENNUNG_BYTES + beilage.size());
    e.push_back(GANZ);
    e.append(reinterpret_cast<const char*>(&d), DATENSATZ_GROESSE);
  } else {
    // Seven full fields leave nothing behind their texts: packed, they are the record itself.
    e.reserve(1 + laenge + KENNUNG_BYTES + beilage.size());
    e.push_back(GEPACKT);
    for (int nr = 1; nr <= FELD_ANZAHL; ++nr) {
      const TFeld& f = d.feld(nr);
      e.push_back(static_cast<char>(f.laenge));
      e.append(f.zeichen, f.laenge);
    }
  }
  kennungAnhaengen(e, kennung);
  e.append(beilage);
  return e;
}

std::size_t TDatBas::satzLaenge(const std::string& e) {
  if (e[0] == GANZ) return 1 + DATENSATZ_GROESSE;
  std::size_t p = 1;
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) p += 1u + static_cast<unsigned char>(e[p]);
  return p;
}

void TDatBas::entpacken(const std::string& e, TDatensatz& d) {
  if (e[0] == GANZ) {
    std::memcpy(static_cast<void*>(&d), e.data() + 1, DATENSATZ_GROESSE);
    return;
  }
  std::memset(static_cast<void*>(&d), 0, DATENSATZ_GROESSE);
  const char* p = e.data() + 1;
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) {
    TFeld& f = d.feld(nr);
    f.laenge = static_cast<std::uint8_t>(*p++);
    std::memcpy(f.zeichen, p, f.laenge);
    p += f.laenge;
  }
}

void TDatBas::get_datensatz(int pos, TDatensatz& d) const {
  if (pos >= 1 && pos <= get_anzahl()) entpacken(eintraege_[static_cast<std::size_t>(pos - 1)], d);
}

void TDatBas::add_datensatz(const TDatensatz& d, std::string_view beilage) {
  eintraege_.push_back(gepackt(d, naechsteKennung_++, beilage));
}

void TDatBas::set_datensatz(int pos, const TDatensatz& d) {
  if (pos < 1) pos = 1;
  if (pos > get_anzahl()) return;
  std::string& e = eintraege_[static_cast<std::size_t>(pos - 1)];
  const std::size_t satz = satzLaenge(e);
  std::string neu = gepackt(d, 0, {});
  neu.resize(neu.size() - KENNUNG_BYTES);
  neu.append(e, satz, std::string::npos);
  e.swap(neu);
}

void TDatBas::del_datensatz(int pos) {
  if (pos >= 1 && pos <= get_anzahl()) eintraege_.erase(eintraege_.begin() + (pos - 1));
}

std::uint64_t TDatBas::get_kennung(int pos) const {
  if (pos < 1 || pos > get_anzahl()) return 0;
  const std::string& e = eintraege_[static_cast<std::size_t>(pos - 1)];
  const std::size_t p = satzLaenge(e);
  std::uint64_t k = 0;
  for (std::size_t i = 0; i < KENNUNG_BYTES; ++i) k |= std::uint64_t{static_cast<unsigned char>(e[p + i])} << (8 * i);
  return k;
}

std::string TDatBas::get_beilage(int pos) const {
  if (pos < 1 || pos > get_anzahl()) return {};
  const std::string& e = eintraege_[static_cast<std::size_t>(pos - 1)];
  return e.substr(satzLaenge(e) + KENNUNG_BYTES);
}

void TDatBas::set_beilage(int pos, std::string_view beilage) {
  if (pos < 1 || pos > get_anzahl()) return;
  std::string& e = eintraege_[static_cast<std::size_t>(pos - 1)];
  e.resize(satzLaenge(e) + KENNUNG_BYTES);
  e.append(beilage);
}

void TDatBas::set_kennung(int pos, std::uint64_t kennung) {
  if (pos < 1 || pos > get_anzahl()) return;
  std::string& e = eintraege_[static_cast<std::size_t>(pos - 1)];
  const std::size_t p = satzLaenge(e);
  for (std::size_t i = 0; i < KENNUNG_BYTES; ++i) e[p + i] = static_cast<char>((kennung >> (8 * i)) & 0xff);
  if (kennung >= naechsteKennung_) naechsteKennung_ = kennung + 1;
}

void TDatBas::umordnen(const std::vector<int>& reihenfolge) {
  std::vector<std::string> neu;
  neu.reserve(eintraege_.size());
  for (int i : reihenfolge) neu.push_back(std::move(eintraege_[static_cast<std::size_t>(i)]));
  eintraege_.swap(neu);
}

void TDatBas::tauschen(int a, int b) {
  if (a < 1 || b < 1 || a > get_anzahl() || b > get_anzahl()) return;
  eintraege_[static_cast<std::size_t>(a - 1)].swap(eintraege_[static_cast<std::size_t>(b - 1)]);
}

TDatBas* DatBas = nullptr;
