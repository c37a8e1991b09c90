#pragma once
// The collection the window benchmarks work on: 4000 entries with fields of
// typical length, in the main window's list.
#include <random>
#include <string>

#include "app/UFHaupt.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"

inline std::string zufallsText(std::mt19937& rng, std::size_t hoechstens) {
  static const std::string ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,-\xC4\xD6\xDC\xE4";
  std::uniform_int_distribution<std::size_t> laenge(1, hoechstens), zeichen(0, ALPHABET.size() - 1);
  std::string s(laenge(rng), ' ');
  for (char& c : s) c = ALPHABET[zeichen(rng)];
  return s;
}

inline void sammlungFuellen() {
  std::mt19937 rng(11);
  DatBas->clear_all();
  for (int i = 0; i < MAX_DATENSAETZE; ++i)
    DatBas->add_datensatz(datensatzAus(zufallsText(rng, 30), zufallsText(rng, 40), zufallsText(rng, 20), "1999",
                                       "CD - Album (1 CD)", "Pop", zufallsText(rng, 60)));
  Connect->liste_neu_aufbauen();
  HauptFormular->listbox->markieren(0);
  Connect->anzeigen_aktualisieren();
}
