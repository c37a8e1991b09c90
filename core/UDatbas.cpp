#include "core/UDatbas.h"

void TDatBas::get_datensatz(int pos, TDatensatz& d) const {
  if (pos >= 1 && pos <= get_anzahl()) d = eintraege_[static_cast<std::size_t>(pos - 1)];
}

void TDatBas::set_datensatz(int pos, const TDatensatz& d) {
  if (pos < 1) pos = 1;
  if (pos <= get_anzahl()) eintraege_[static_cast<std::size_t>(pos - 1)] = d;
}

void TDatBas::del_datensatz(int pos) {
  if (pos >= 1 && pos <= get_anzahl()) eintraege_.erase(eintraege_.begin() + (pos - 1));
}
