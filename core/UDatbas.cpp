#include "core/UDatbas.h"

#include <cstring>

namespace {

bool nurNullen(const char* p, std::size_t n) {
  static const char NULLEN[TFeld::KAPAZITAET] = {};
  return n == 0 || std::memcmp(p, NULLEN, n) == 0;
}

}  // namespace

std::string TDatBas::gepackt(const TDatensatz& d) {
  std::size_t laenge = 0;
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) {
    const TFeld& f = d.feld(nr);
    if (!nurNullen(f.zeichen + f.laenge, TFeld::KAPAZITAET - f.laenge))
      return std::string(reinterpret_cast<const char*>(&d), DATENSATZ_GROESSE);
    laenge += 1u + f.laenge;
  }
  // Seven full fields leave nothing behind their texts: packed, they are the record itself.
  std::string e;
  e.reserve(laenge);
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) {
    const TFeld& f = d.feld(nr);
    e.push_back(static_cast<char>(f.laenge));
    e.append(f.zeichen, f.laenge);
  }
  return e;
}

void TDatBas::entpacken(const std::string& e, TDatensatz& d) {
  if (e.size() == DATENSATZ_GROESSE) {
    std::memcpy(static_cast<void*>(&d), e.data(), DATENSATZ_GROESSE);
    return;
  }
  std::memset(static_cast<void*>(&d), 0, DATENSATZ_GROESSE);
  const char* p = e.data();
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

void TDatBas::set_datensatz(int pos, const TDatensatz& d) {
  if (pos < 1) pos = 1;
  if (pos <= get_anzahl()) eintraege_[static_cast<std::size_t>(pos - 1)] = gepackt(d);
}

void TDatBas::del_datensatz(int pos) {
  if (pos >= 1 && pos <= get_anzahl()) eintraege_.erase(eintraege_.begin() + (pos - 1));
}

TDatBas* DatBas = nullptr;
