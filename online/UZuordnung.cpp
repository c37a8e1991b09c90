#include "online/UZuordnung.h"

#include <QHash>

#include "app/UVorgaben.h"
#include "core/UCodepage.h"
#include "core/UDatentypen.h"
#include "csv/UCsvKodierung.h"
#include "online/UGenres.h"

namespace {

// The medium of a format as the Typ presets write it; empty when no preset has it.
QString medium(const QString& format) {
  static const QStringList cds = {"CD",     "Enhanced CD", "HDCD",       "CD-R",
                                  "SHM-CD", "Copy Control CD", "8cm CD", "Minimax CD", "DualDisc (CD side)"};
  // The Japanese high-grade pressings are named "Blu-... CD" and "Blu-... CD2": plain audio CDs too.
  const bool bluCd = format.startsWith(QLatin1String("Blu-")) &&
                     (format.endsWith(QLatin1String(" CD")) || format.endsWith(QLatin1String(" CD2")));
  if (cds.contains(format) || bluCd) return QStringLiteral("CD");
  for (const char* zoll : {"7", "10", "12"})
    if (format == QString("%1\" Vinyl").arg(zoll)) return QString("%1'' Vinyl").arg(zoll);
  return {};
}

QString art(const QString& primaer, const QStringList& sekundaer) {
  if (sekundaer.contains(QStringLiteral("Compilation"))) return QStringLiteral("Compilation");
  for (const char* a : {"Album", "EP", "Single"})
    if (primaer == QLatin1String(a)) return primaer;
  return {};
}

// Lower case, hyphens as blanks, one blank between words.
QString genreSchluessel(const QString& name) {
  QString s = name.toLower();
  s.replace('-', ' ');
  return s.simplified();
}

}  // namespace

QString typZuordnen(const QStringList& formate, const QString& primaerTyp, const QStringList& sekundaerTypen) {
  if (formate.isEmpty()) return {};
  const QString m = medium(formate.first());
  const QString a = art(primaerTyp, sekundaerTypen);
  bool einheitlich = !m.isEmpty();
  for (const QString& f : formate) einheitlich = einheitlich && medium(f) == m;
  if (einheitlich && !a.isEmpty()) {
    const int n = static_cast<int>(formate.size());
    const QString einheit = m == QLatin1String("CD") ? "CD" : "Vinyl";
    const QString vorgabe = QString("%1 - %2 (%3 %4%5)").arg(m, a).arg(n).arg(einheit, n == 1 ? "" : "s");
    if (vorgabenTyp().contains(vorgabe)) return vorgabe;
  }
  return formateMitAnzahl(formate);
}

QString formateMitAnzahl(const QStringList& formate) {
  // Formats in the order they first appear, each with its count.
  QStringList namen;
  QList<int> anzahl;
  QHash<QString, qsizetype> stelle;
  for (const QString& f : formate) {
    QString name = f.isEmpty() ? QStringLiteral("unbekannt") : f;
    name.replace('"', "''");
    const auto it = stelle.constFind(name);
    if (it == stelle.constEnd()) {
      stelle.insert(name, namen.size());
      namen << name;
      anzahl << 1;
    } else {
      ++anzahl[it.value()];
    }
  }
  QStringList teile;
  for (qsizetype i = 0; i < namen.size(); ++i) teile << QString("%1x %2").arg(anzahl[i]).arg(namen[i]);
  return teile.join(" + ");
}

QString genreZuordnen(const QStringList& kandidaten) {
  static const QHash<QString, QString> vorgaben = [] {
    QHash<QString, QString> h;
    for (const QString& g : vorgabenGenre()) h.insert(genreSchluessel(g), g);
    for (std::size_t i = 0; i < GENRE_NAMEN_ANZAHL; ++i)
      h.insert(genreSchluessel(QString::fromUtf8(GENRE_NAMEN[i].name)), QString::fromUtf8(GENRE_NAMEN[i].vorgabe));
    return h;
  }();
  for (const QString& k : kandidaten) {
    const auto it = vorgaben.constFind(genreSchluessel(k));
    if (it != vorgaben.constEnd()) return it.value();
  }
  return {};
}

QString jahrAusDatum(const QString& datum) {
  if (datum.size() < 4) return {};
  for (int i = 0; i < 4; ++i)
    if (datum[i] < '0' || datum[i] > '9') return {};
  if (datum.size() > 4 && datum[4] != '-') return {};
  return datum.left(4);
}

QString alsCp1252(const QString& text) {
  const std::string utf8 = text.normalized(QString::NormalizationForm_C).toStdString();
  if (!istUtf8(utf8)) return vonCp1252(zuCp1252(text));  // a lone surrogate: "?" as before
  std::string cp;
  utf8ZuCp1252(utf8, cp);
  return vonCp1252(cp);
}

bool verliertZeichen(const QString& text) {
  return alsCp1252(text) != text.normalized(QString::NormalizationForm_C);
}

bool wirdGekuerzt(const QString& text) {
  return static_cast<std::size_t>(alsCp1252(text).size()) > TFeld::KAPAZITAET;
}

QString kommentarZuordnen(const TVeroeffentlichung& v) {
  // The database writes "[none]" for a release known to have no catalogue number.
  const QString katnr = v.katalognummer.trimmed() == QLatin1String("[none]") ? QString() : v.katalognummer.trimmed();
  const QString status = v.status.trimmed() == QLatin1String("Official") ? QString() : v.status.trimmed();
  const QString teile[] = {katnr.isEmpty() ? QString() : "Kat.-Nr. " + katnr,
                           v.strichcode.trimmed().isEmpty() ? QString() : "EAN " + v.strichcode.trimmed(), status,
                           v.land.trimmed()};
  QString r;
  for (const QString& t : teile) {
    if (t.isEmpty()) continue;
    const QString laenger = r.isEmpty() ? t : r + "; " + t;
    if (!wirdGekuerzt(laenger)) r = laenger;
  }
  return r;
}

TFelder felderFuerSammlung(const TVeroeffentlichung& v) {
  TFelder f = felderZuordnen(v);
  for (QString& t : f) t = alsCp1252(t).left(static_cast<qsizetype>(TFeld::KAPAZITAET));
  return f;
}

TFelder felderZuordnen(const TVeroeffentlichung& v) {
  return {v.interpret,
          v.titel,
          v.label,
          jahrAusDatum(v.datum),
          typZuordnen(v.formate, v.primaerTyp, v.sekundaerTypen),
          genreZuordnen(v.genres),
          kommentarZuordnen(v)};
}
