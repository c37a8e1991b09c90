#include "core/UDatentypen.h"

#include <cstring>

void TFeld::setzen(std::string_view s) {
  const std::size_t n = s.size() < KAPAZITAET ? s.size() : KAPAZITAET;
  if (n) std::memcpy(zeichen, s.data(), n);
  laenge = static_cast<std::uint8_t>(n);
}

TFeld& TDatensatz::feld(int nr) {
  TFeld* felder[] = {&Interpret, &Titel, &Label, &Release, &Typ, &Genre, &Kommentar};
  return *felder[(nr >= 1 && nr <= FELD_ANZAHL ? nr : 1) - 1];
}

const TFeld& TDatensatz::feld(int nr) const { return const_cast<TDatensatz*>(this)->feld(nr); }

TDatensatz datensatzAus(std::string_view interpret, std::string_view titel, std::string_view label,
                        std::string_view release, std::string_view typ, std::string_view genre,
                        std::string_view kommentar) {
  TDatensatz d;
  d.Interpret.setzen(interpret);
  d.Titel.setzen(titel);
  d.Label.setzen(label);
  d.Release.setzen(release);
  d.Typ.setzen(typ);
  d.Genre.setzen(genre);
  d.Kommentar.setzen(kommentar);
  return d;
}

std::string listenzeile(const TDatensatz& d) {
  std::string z;
  z.reserve(d.Interpret.laenge + 3u + d.Titel.laenge);
  z.append(d.Interpret.sicht());
  z.append(" - ");
  z.append(d.Titel.sicht());
  return z;
}
