#include "online/UQuelle.h"

#include "online/UMBQuelle.h"

namespace {

struct TQuellEintrag {
  const char* name;
  std::unique_ptr<TQuelle> (*erzeugen)(std::function<QString()> adresse);
};

// The sources of releases: one row each.
const TQuellEintrag QUELLEN[] = {
    {"MusicBrainz", [](std::function<QString()> a) -> std::unique_ptr<TQuelle> { return std::make_unique<TMBQuelle>(std::move(a)); }},
};

}  // namespace

std::unique_ptr<TQuelle> quelleErzeugen(const QString& name, std::function<QString()> adresse) {
  for (const TQuellEintrag& q : QUELLEN)
    if (name == QLatin1String(q.name)) return q.erzeugen(std::move(adresse));
  return nullptr;
}

QStringList quellenNamen() {
  QStringList r;
  for (const TQuellEintrag& q : QUELLEN) r << q.name;
  return r;
}
