#pragma once
// A record as the collection file holds it: seven fields of a length byte and
// 255 characters, the first two given, the rest empty.
#include <string>

#include "sicherung/UKopieAngaben.h"

inline std::string satz(const std::string& interpret, const std::string& titel) {
  std::string r;
  for (const std::string& f : {interpret, titel, std::string(), std::string(), std::string(), std::string(), std::string()}) {
    r += static_cast<char>(f.size());
    r += f + std::string(255 - f.size(), '\0');
  }
  return r;
}

// The records a recovery copy's file holds; "beschädigt" when it is not whole.
inline std::string kopieSaetze(const std::string& inhalt) {
  const auto k = kopieLesen(inhalt);
  return k ? std::string(k->saetze) : "beschädigt";
}
