#include "online/USammlungsSchluessel.h"

#include "core/UCodepage.h"
#include "core/UDatbas.h"
#include "online/UZuordnung.h"

std::string sammlungsSchluessel(std::string interpret, std::string titel) {
  for (std::string* t : {&interpret, &titel})
    for (char& c : *t)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return interpret + '\x01' + titel;
}

std::string sammlungsSchluessel(const TVeroeffentlichung& v) {
  const TFelder f = felderFuerSammlung(v);
  return sammlungsSchluessel(zuCp1252(f[0]), zuCp1252(f[1]));
}

std::set<std::string> sammlungsSchluessel() {
  std::set<std::string> r;
  TDatensatz d;
  for (int k = 1; k <= DatBas->get_anzahl(); ++k) {
    DatBas->get_datensatz(k, d);
    r.insert(sammlungsSchluessel(d.Interpret.text(), d.Titel.text()));
  }
  return r;
}
