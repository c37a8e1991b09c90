#include "online/UMBDienst.h"

#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <chrono>
#include <vector>

#include "net/UNetzClient.h"
#include "online/UDiscId.h"
#include "online/UMBAntwort.h"

namespace {

using Uhr = std::chrono::steady_clock;

constexpr const char* INHALT = "inc=artist-credits+labels+release-groups+genres+tags&fmt=json";
constexpr int SUCHTREFFER = 25;

QString lucene(const QString& s) {
  QString r = s.trimmed();
  r.replace('\\', "\\\\");
  r.replace('"', "\\\"");
  return '"' + r + '"';
}

QString suche(const QString& basis, const QString& abfrage, int treffer = SUCHTREFFER) {
  return basis + "release/?query=" + QString::fromLatin1(QUrl::toPercentEncoding(abfrage)) +
         QString("&limit=%1&fmt=json").arg(treffer);
}

// The look-up's failure for a failed request of the network client.
TDienstFehler fehlerVon(const TNetzAntwort& a) {
  switch (a.ergebnis) {
    case TNetzErgebnis::Ok: return a.status == 200 ? TDienstFehler::Keiner : TDienstFehler::Dienstfehler;
    case TNetzErgebnis::KeineVerbindung: return TDienstFehler::KeineVerbindung;
    case TNetzErgebnis::Zeitueberschreitung: return TDienstFehler::Zeitueberschreitung;
    case TNetzErgebnis::ZuGross:
    case TNetzErgebnis::Schreibfehler: return TDienstFehler::Unlesbar;
    case TNetzErgebnis::HttpFehler:
      return a.status == 404 ? TDienstFehler::NichtGefunden : TDienstFehler::Dienstfehler;
    case TNetzErgebnis::NichtErlaubt: return TDienstFehler::NichtErlaubt;
    case TNetzErgebnis::Umleitungen: return TDienstFehler::Umleitungen;
    case TNetzErgebnis::Unbestaetigt: return TDienstFehler::Unbestaetigt;
    case TNetzErgebnis::Abgebrochen: return TDienstFehler::Abgebrochen;
  }
  return TDienstFehler::KeineVerbindung;
}

// Milliseconds of a Retry-After value (none: one second); -1 when the
// service asks for a longer wait than "hoechstens", or for one that cannot
// be read (a date, nonsense, a number beyond any bound).
int warteMs(const QByteArray& wert, int hoechstens) {
  if (wert.isEmpty()) return 1000;
  bool ok = false;
  const long long s = wert.toLongLong(&ok);
  if (!ok || s < 0 || s > hoechstens / 1000) return -1;
  return static_cast<int>(s * 1000);
}

}  // namespace

QString adresseStrichcode(const QString& basis, const QString& ziffern) {
  return suche(basis, "barcode:" + ziffern);
}

QString adresseStrichcodes(const QString& basis, const QStringList& codes) {
  if (codes.size() == 1) return adresseStrichcode(basis, codes.front());
  QStringList teile;
  for (const QString& c : codes)
    if (!teile.contains("barcode:" + c)) teile << "barcode:" + c;
  // Each barcode may stand for several pressings: as many releases as one answer holds.
  return suche(basis, teile.join(" OR "), MAX_VEROEFFENTLICHUNGEN);
}

QString adresseVeroeffentlichung(const QString& basis, const QString& id) {
  const QUuid uuid = QUuid::fromString(id);
  if (uuid.isNull()) return {};
  return basis + "release/" + uuid.toString(QUuid::WithoutBraces) +
         "?inc=genres+tags+labels+release-groups+media+artist-credits&fmt=json";
}

QString adresseName(const QString& basis, const QString& interpret, const QString& titel) {
  QStringList teile;
  if (!interpret.trimmed().isEmpty()) teile << "artist:" + lucene(interpret);
  if (!titel.trimmed().isEmpty()) teile << "release:" + lucene(titel);
  return suche(basis, teile.join(" AND "));
}

QString adresseDiscId(const QString& basis, const QString& discId, const QString& inhalt) {
  QString a = basis + "discid/" + QString::fromLatin1(QUrl::toPercentEncoding(discId)) + "?" + INHALT;
  // With the table of contents the service also finds releases of a similar disc.
  if (!inhalt.isEmpty()) a += "&cdstubs=no&toc=" + QString::fromLatin1(QUrl::toPercentEncoding(inhalt));
  return a;
}

QByteArray benutzerAgent() { return QByteArray::fromStdString(netzBenutzerAgent()); }

TDienstAntwort dienstAbfragen(const QString& adresse, const TDienstGrenzen& grenzen,
                              const std::atomic<bool>& abbrechen) {
  return dienstAbfragen([&adresse] { return adresse; }, grenzen, abbrechen);
}

TDienstAntwort dienstAbfragen(const std::function<QString()>& adresseBeimSenden, const TDienstGrenzen& grenzen,
                              const std::atomic<bool>& abbrechen) {
  using std::chrono::milliseconds;
  const Uhr::time_point ende = Uhr::now() + milliseconds(grenzen.zeitMs);
  TNetzAnfrage anfrage;
  anfrage.adresseBeimSenden = [&anfrage, &adresseBeimSenden] {
    anfrage.adresse = adresseBeimSenden().toStdString();
    return anfrage.adresse;
  };
  // The service's address was checked against the same rule (dienstErlaubt).
  anfrage.heimnetz = true;
  anfrage.hoechstBytes = grenzen.bytes;
  anfrage.umleitungen = grenzen.umleitungen;
  anfrage.abstand = milliseconds(grenzen.abstandMs);
  anfrage.zertifikate = grenzen.zertifikate.toStdString();
  anfrage.abbrechen = &abbrechen;
  anfrage.kopfzeilen = {"Accept: application/json"};
  for (int versuch = 1;; ++versuch) {
    // The retry shares the time of the first request.
    anfrage.gesamtZeit = std::max(milliseconds(1), std::chrono::duration_cast<milliseconds>(ende - Uhr::now()));
    const TNetzAntwort a = netzAbfragen(anfrage);
    anfrage.adresseBeimSenden = nullptr;  // a retry asks the same
    if (a.ergebnis != TNetzErgebnis::HttpFehler || a.status != 503)
      return {fehlerVon(a), a.ergebnis == TNetzErgebnis::Ok && a.status == 200 ? QByteArray::fromStdString(a.koerper)
                                                                                 : QByteArray()};
    if (versuch == 2) break;
    const int warten = warteMs(QByteArray::fromStdString(a.warteZeit), grenzen.wartenMaxMs);
    anfrage.nichtVor = Uhr::now() + milliseconds(warten);
    if (warten < 0 || anfrage.nichtVor >= ende) break;
  }
  return {TDienstFehler::Ausgelastet, {}};
}

QString dienstFehlertext(TDienstFehler f) {
  switch (f) {
    case TDienstFehler::KeineVerbindung:
      return "Der Online-Dienst ist nicht erreichbar.\rBitte überprüfen Sie Ihre Internetverbindung.";
    case TDienstFehler::Zeitueberschreitung:
      return "Der Online-Dienst hat nicht rechtzeitig geantwortet.\rBitte versuchen Sie es später noch einmal.";
    case TDienstFehler::Ausgelastet:
      return "Der Dienst ist ausgelastet.\rBitte versuchen Sie es in einigen Minuten noch einmal.";
    case TDienstFehler::NichtGefunden:
      return "Es wurde keine passende Veröffentlichung gefunden.";
    case TDienstFehler::Unlesbar:
      return "Die Antwort des Online-Dienstes konnte nicht gelesen werden.\rBitte versuchen Sie es später noch "
             "einmal.";
    case TDienstFehler::Dienstfehler:
      return "Der Online-Dienst hat die Anfrage abgelehnt.\rBitte versuchen Sie es später noch einmal.";
    case TDienstFehler::NichtErlaubt:
      return "Die Adresse des Online-Dienstes ist keine sichere https-Adresse.";
    case TDienstFehler::Umleitungen:
      return "Der Online-Dienst leitet die Anfrage im Kreis oder zu oft weiter.\rBitte versuchen Sie es später noch "
             "einmal.";
    case TDienstFehler::Unbestaetigt:
      return "Die sichere Verbindung zum Online-Dienst konnte nicht überprüft werden (Zertifikat nicht "
             "vertrauenswürdig).";
    case TDienstFehler::KeinLaufwerk:
      return "Es wurde kein CD-Laufwerk gefunden.";
    case TDienstFehler::KeineAudioCd:
      return "Im Laufwerk liegt keine Audio-CD.\rBitte legen Sie eine Audio-CD ein.";
    case TDienstFehler::KeineBibliothek:
      return "Die CD im Laufwerk kann nicht gelesen werden, da libdiscid nicht installiert ist.";
    case TDienstFehler::DienstAdresse:
      return "Die Adresse des Online-Dienstes in vemla.ini (Abschnitt [Onlinesuche], Schlüssel \"dienst\") ist "
             "nicht erlaubt.\rErlaubt sind https-Adressen und http-Adressen dieses Rechners oder des eigenen Netzes "
             "(z. B. http://192.168.1.10:5000/ws/2/).";
    case TDienstFehler::Keiner:
    case TDienstFehler::Abgebrochen:
      break;
  }
  return {};
}

TDienstFehler dienstNacheinanderAbfragen(const QStringList& adressen, const TDienstGrenzen& grenzen,
                                         const std::atomic<bool>& abbrechen,
                                         const std::function<void(int, const QByteArray&)>& erhalten) {
  for (qsizetype i = 0; i < adressen.size(); ++i) {
    const TDienstAntwort a = dienstAbfragen(adressen[i], grenzen, abbrechen);
    // Unreachable or refusing: the others would fare no better.
    if (a.fehler != TDienstFehler::Keiner && a.fehler != TDienstFehler::NichtGefunden) return a.fehler;
    erhalten(static_cast<int>(i), a.koerper);
  }
  return TDienstFehler::Keiner;
}

bool dienstErlaubt(const QString& basis) {
  return !basis.isEmpty() && netzAdresseErlaubt(basis.toStdString(), true);
}

TDienstAntwort discAbfragen(const TDiscId& disc, const QString& basis, const TDienstGrenzen& grenzen,
                            const std::atomic<bool>& abbrechen) {
  switch (disc.art) {
    case TDiscId::KeineBibliothek: return {TDienstFehler::KeineBibliothek, {}};
    case TDiscId::KeinLaufwerk: return {TDienstFehler::KeinLaufwerk, {}};
    case TDiscId::KeineAudioCd: return {TDienstFehler::KeineAudioCd, {}};
    case TDiscId::Ok: break;
  }
  if (abbrechen) return {TDienstFehler::Abgebrochen, {}};
  const QString adresse = adresseDiscId(basis, QString::fromStdString(disc.id), QString::fromStdString(disc.inhalt));
  return dienstAbfragen(adresse, grenzen, abbrechen);
}
