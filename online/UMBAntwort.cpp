#include "online/UMBAntwort.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

QString text(const QJsonObject& o, const char* schluessel) {
  const QJsonValue v = o.value(QLatin1String(schluessel));
  if (v.isString()) return v.toString();
  if (v.isDouble()) return QString::number(v.toDouble(), 'f', 0);  // a barcode written as a number
  return {};
}

// Names of a list of {"name", "count"} objects, most votes first; the order
// given decides between equal counts.
QStringList nachStimmen(const QJsonArray& liste) {
  struct Eintrag {
    QString name;
    double stimmen;
  };
  std::vector<Eintrag> e;
  for (const QJsonValue& v : liste) {
    const QJsonObject o = v.toObject();
    const QString name = text(o, "name").trimmed();
    if (!name.isEmpty()) e.push_back({name, o.value(QLatin1String("count")).toDouble(0)});
  }
  std::stable_sort(e.begin(), e.end(), [](const Eintrag& a, const Eintrag& b) { return a.stimmen > b.stimmen; });
  QStringList r;
  for (const Eintrag& x : e) r << x.name;
  return r;
}

// True when every letter of "s" is a Latin one.
bool lateinisch(const QString& s) {
  for (const char32_t z : s.toUcs4())
    if (QChar::isLetter(z) && QChar::script(z) != QChar::Script_Latin) return false;
  return true;
}

// A Latin form of an artist whose credited name has none: the primary alias
// in a Latin script, else the sort name turned round; empty when neither exists.
QString lateinischeForm(const QJsonObject& kuenstler) {
  for (const QJsonValue& a : kuenstler.value(QLatin1String("aliases")).toArray()) {
    const QJsonObject alias = a.toObject();
    const QString name = text(alias, "name").trimmed();
    if (alias.value(QLatin1String("primary")).toBool() && !text(alias, "locale").isEmpty() && !name.isEmpty() &&
        lateinisch(name))
      return name;
  }
  const QString sortiert = text(kuenstler, "sort-name").trimmed();
  if (sortiert.isEmpty() || !lateinisch(sortiert)) return {};
  const qsizetype komma = sortiert.indexOf(QLatin1String(", "));
  return komma > 0 ? sortiert.mid(komma + 2) + ' ' + sortiert.left(komma) : sortiert;
}

QString kuenstler(const QJsonArray& nennung, bool& ausAlias) {
  QString r;
  for (const QJsonValue& v : nennung) {
    const QJsonObject o = v.toObject();
    const QJsonObject k = o.value(QLatin1String("artist")).toObject();
    QString name = text(o, "name");
    if (name.isEmpty()) name = text(k, "name");
    if (!lateinisch(name)) {
      const QString latein = lateinischeForm(k);
      if (!latein.isEmpty()) {
        name = latein;
        ausAlias = true;
      }
    }
    r += name + text(o, "joinphrase");
  }
  return r;
}

TVeroeffentlichung lesen(const QJsonObject& o) {
  TVeroeffentlichung v;
  v.id = text(o, "id");
  v.interpret = kuenstler(o.value(QLatin1String("artist-credit")).toArray(), v.nameAusAlias);
  v.titel = text(o, "title");
  v.datum = text(o, "date");
  v.land = text(o, "country");
  v.strichcode = text(o, "barcode");
  v.status = text(o, "status");
  for (const QJsonValue& l : o.value(QLatin1String("label-info")).toArray()) {
    const QJsonObject info = l.toObject();
    const QString name = text(info.value(QLatin1String("label")).toObject(), "name");
    // The database's stand-in for self-released records names no label.
    if (name.isEmpty() || name == QLatin1String("[no label]")) continue;
    v.label = name;
    v.katalognummer = text(info, "catalog-number");
    break;
  }
  for (const QJsonValue& m : o.value(QLatin1String("media")).toArray())
    v.formate << text(m.toObject(), "format");
  const QJsonObject gruppe = o.value(QLatin1String("release-group")).toObject();
  v.primaerTyp = text(gruppe, "primary-type");
  for (const QJsonValue& s : gruppe.value(QLatin1String("secondary-types")).toArray())
    if (s.isString()) v.sekundaerTypen << s.toString();
  v.mitGenres = o.value(QLatin1String("genres")).isArray();
  for (const QJsonObject* quelle : {&o, &gruppe})
    for (const char* art : {"genres", "tags"})
      v.genres << nachStimmen(quelle->value(QLatin1String(art)).toArray());
  return v;
}

}  // namespace

std::optional<TAntwortSeite> antwortSeiteLesen(const QByteArray& json) {
  QJsonParseError fehler{};
  const QJsonDocument d = QJsonDocument::fromJson(json, &fehler);
  if (fehler.error != QJsonParseError::NoError || !d.isObject()) return std::nullopt;
  const QJsonObject antwort = d.object();
  const QJsonValue liste = antwort.value(QLatin1String("releases"));
  if (!liste.isArray()) return std::nullopt;
  TAntwortSeite r;
  for (const QJsonValue& v : liste.toArray()) {
    if (static_cast<int>(r.liste.size()) == MAX_VEROEFFENTLICHUNGEN) break;
    if (v.isObject()) r.liste.push_back(lesen(v.toObject()));
  }
  // Counts beyond what an int holds, below zero or with a fraction are not believed.
  auto zahl = [&antwort](const char* schluessel) {
    const double z = antwort.value(QLatin1String(schluessel)).toDouble(-1);
    return z >= 0 && z <= 1e9 && z == static_cast<int>(z) ? static_cast<int>(z) : -1;
  };
  const int n = static_cast<int>(r.liste.size());
  r.versatz = std::max(zahl("offset"), 0);
  r.gesamt = std::max(zahl("count"), r.versatz + n);
  return r;
}

std::optional<TVeroeffentlichung> veroeffentlichungLesen(const QByteArray& json, const QString& id) {
  QJsonParseError fehler{};
  const QJsonDocument d = QJsonDocument::fromJson(json, &fehler);
  if (fehler.error != QJsonParseError::NoError || !d.isObject()) return std::nullopt;
  const QJsonObject o = d.object();
  if (id.isEmpty() || text(o, "id").compare(id, Qt::CaseInsensitive) != 0) return std::nullopt;
  return lesen(o);
}

std::optional<std::vector<TVeroeffentlichung>> veroeffentlichungenLesen(const QByteArray& json) {
  auto seite = antwortSeiteLesen(json);
  if (!seite) return std::nullopt;
  return std::move(seite->liste);
}
