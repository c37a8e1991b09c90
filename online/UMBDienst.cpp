#include "online/UMBDienst.h"

#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/UAdressen.h"
#include "net/UCurl.h"
#include "online/UDiscId.h"
#include "online/UMBAntwort.h"
#include "net/UDownload.h"

namespace {

using Uhr = std::chrono::steady_clock;

constexpr const char* INHALT = "inc=artist-credits+labels+release-groups+genres+tags&fmt=json";
constexpr int SUCHTREFFER = 25;

// The service allows one request per second from one program: each request
// takes the next free moment, whichever thread sends it.
Uhr::time_point naechsterTermin(int abstandMs) {
  static std::mutex sperre;
  static Uhr::time_point frei;
  std::lock_guard<std::mutex> g(sperre);
  const Uhr::time_point t = std::max(Uhr::now(), frei);
  frei = t + std::chrono::milliseconds(abstandMs);
  return t;
}

// Waits until "t"; false when cancelled first.
bool wartenBis(Uhr::time_point t, const std::atomic<bool>& abbrechen) {
  while (Uhr::now() < t) {
    if (abbrechen) return false;
    std::this_thread::sleep_for(std::min<Uhr::duration>(t - Uhr::now(), std::chrono::milliseconds(20)));
  }
  return !abbrechen;
}

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

struct Empfang {
  QByteArray daten;
  qint64 grenze;
  bool zuGross = false;
  QByteArray warteZeit;  // the value of a Retry-After header
  const std::atomic<bool>* abbrechen;
};

size_t datenEmpfangen(char* daten, size_t groesse, size_t anzahl, void* nutzer) {
  auto* e = static_cast<Empfang*>(nutzer);
  const size_t n = groesse * anzahl;
  if (e->daten.size() + static_cast<qint64>(n) > e->grenze) {
    e->zuGross = true;
    return 0;  // ends the transfer
  }
  e->daten.append(daten, static_cast<qsizetype>(n));
  return n;
}

size_t kopfEmpfangen(char* daten, size_t groesse, size_t anzahl, void* nutzer) {
  auto* e = static_cast<Empfang*>(nutzer);
  const QByteArray zeile(daten, static_cast<qsizetype>(groesse * anzahl));
  if (zeile.startsWith("HTTP/")) e->warteZeit.clear();  // a new answer begins
  const qsizetype p = zeile.indexOf(':');
  if (p > 0 && zeile.left(p).trimmed().toLower() == "retry-after") e->warteZeit = zeile.mid(p + 1).trimmed();
  return groesse * anzahl;
}

// Runs the transfer of "c", looking at "abbrechen" every few milliseconds.
// "frist" holds whatever the library does with a name look-up.
CURLcode ausfuehren(const TCurl& cu, CURL* c, Uhr::time_point frist, const std::atomic<bool>& abbrechen) {
  std::unique_ptr<CURLM, void (*)(CURLM*)> multi(cu.multi_init(), [](CURLM* m) { curl()->multi_cleanup(m); });
  if (!multi || cu.multi_add_handle(multi.get(), c) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
  CURLcode ergebnis = CURLE_ABORTED_BY_CALLBACK;
  int laufend = 1;
  while (!abbrechen) {
    if (cu.multi_perform(multi.get(), &laufend) != CURLM_OK) {
      ergebnis = CURLE_RECV_ERROR;
      break;
    }
    int rest = 0;
    if (CURLMsg* m = cu.multi_info_read(multi.get(), &rest); m && m->msg == CURLMSG_DONE) {
      ergebnis = m->data.result;
      break;
    }
    if (Uhr::now() >= frist) {
      ergebnis = CURLE_OPERATION_TIMEDOUT;
      break;
    }
    cu.multi_poll(multi.get(), nullptr, 0, 25, nullptr);
  }
  cu.multi_remove_handle(multi.get(), c);
  return ergebnis;
}

struct Versuch {
  TDienstFehler fehler = TDienstFehler::Keiner;
  long status = 0;
  std::string weiter;  // where a redirect leads
  Empfang empfang;
};

void senden(const std::string& adresse, bool sicher, const TDienstGrenzen& grenzen, Uhr::time_point ende,
            Versuch& v) {
  const TCurl* cu = curl();
  if (!cu) {
    v.fehler = TDienstFehler::KeineVerbindung;
    return;
  }
  std::unique_ptr<CURL, void (*)(CURL*)> handle(cu->easy_init(), [](CURL* c) { curl()->easy_cleanup(c); });
  if (!handle) {
    v.fehler = TDienstFehler::KeineVerbindung;
    return;
  }
  std::unique_ptr<curl_slist, void (*)(curl_slist*)> kopf(cu->slist_append(nullptr, "Accept: application/json"),
                                                         [](curl_slist* l) { curl()->slist_free_all(l); });
  CURL* c = handle.get();
  const auto setopt = cu->easy_setopt;
  const QByteArray agent = benutzerAgent();
  setopt(c, CURLOPT_URL, adresse.c_str());
  const long restMs = std::max<long>(
      1, static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now()).count()));
  // Redirects are followed by the caller, one request at a time.
  setopt(c, CURLOPT_PROTOCOLS_STR, sicher ? "https" : "http");
  setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  setopt(c, CURLOPT_NOSIGNAL, 1L);
  // A name look-up that hangs is left behind, not waited for.
  setopt(c, CURLOPT_QUICK_EXIT, 1L);
  setopt(c, CURLOPT_TIMEOUT_MS, restMs);
  setopt(c, CURLOPT_CONNECTTIMEOUT_MS, restMs);
  curl_blob zertifikate{const_cast<char*>(grenzen.zertifikate.constData()),
                        static_cast<size_t>(grenzen.zertifikate.size()), CURL_BLOB_COPY};
  if (!grenzen.zertifikate.isEmpty()) setopt(c, CURLOPT_CAINFO_BLOB, &zertifikate);
  setopt(c, CURLOPT_USERAGENT, agent.constData());
  setopt(c, CURLOPT_HTTPHEADER, kopf.get());
  setopt(c, CURLOPT_ACCEPT_ENCODING, "");  // whatever the library can unpack
  setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(v.empfang.grenze));
  setopt(c, CURLOPT_WRITEFUNCTION, datenEmpfangen);
  setopt(c, CURLOPT_WRITEDATA, &v.empfang);
  setopt(c, CURLOPT_HEADERFUNCTION, kopfEmpfangen);
  setopt(c, CURLOPT_HEADERDATA, &v.empfang);
  const CURLcode ergebnis = ausfuehren(*cu, c, ende, *v.empfang.abbrechen);
  cu->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &v.status);
  char* weiter = nullptr;
  if (cu->easy_getinfo(c, CURLINFO_REDIRECT_URL, &weiter) == CURLE_OK && weiter) v.weiter = weiter;
  if (*v.empfang.abbrechen) v.fehler = TDienstFehler::Abgebrochen;
  else if (v.empfang.zuGross || ergebnis == CURLE_FILESIZE_EXCEEDED) v.fehler = TDienstFehler::Unlesbar;
  else if (ergebnis == CURLE_OPERATION_TIMEDOUT) v.fehler = TDienstFehler::Zeitueberschreitung;
  else if (ergebnis == CURLE_UNSUPPORTED_PROTOCOL) v.fehler = TDienstFehler::NichtErlaubt;
  else if (ergebnis == CURLE_PEER_FAILED_VERIFICATION || ergebnis == CURLE_SSL_ISSUER_ERROR)
    v.fehler = TDienstFehler::Unbestaetigt;
  else if (ergebnis != CURLE_OK) v.fehler = TDienstFehler::KeineVerbindung;
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

QByteArray benutzerAgent() {
  return QByteArray("Vemla/") + PROGRAMMVERSION + " ( " + KONTAKT_EMAIL + " )";
}

TDienstAntwort dienstAbfragen(const QString& adresse, const TDienstGrenzen& grenzen,
                              const std::atomic<bool>& abbrechen) {
  std::string a = adresse.toStdString();
  if (!downloadErlaubt(a)) return {TDienstFehler::NichtErlaubt, {}};
  const Uhr::time_point ende = Uhr::now() + std::chrono::milliseconds(grenzen.zeitMs);
  std::vector<std::string> besucht{a};
  for (int versuch = 0; versuch < 2;) {
    if (!wartenBis(naechsterTermin(grenzen.abstandMs), abbrechen)) return {TDienstFehler::Abgebrochen, {}};
    if (Uhr::now() >= ende) return {TDienstFehler::Zeitueberschreitung, {}};
    // Plain http is only ever this computer: a redirect from there could lead
    // anywhere over http, so such an address is never redirected.
    const bool sicher = QUrl(QString::fromStdString(a)).scheme() == QLatin1String("https");
    Versuch v;
    v.empfang.grenze = grenzen.bytes;
    v.empfang.abbrechen = &abbrechen;
    senden(a, sicher, grenzen, ende, v);
    if (v.fehler != TDienstFehler::Keiner) return {v.fehler, {}};
    if (sicher && v.status >= 300 && v.status <= 399 && !v.weiter.empty()) {
      // Each hop is a request of its own, in turn with every other.
      if (!downloadErlaubt(v.weiter) || QUrl(QString::fromStdString(v.weiter)).scheme() != QLatin1String("https"))
        return {TDienstFehler::NichtErlaubt, {}};
      if (std::find(besucht.begin(), besucht.end(), v.weiter) != besucht.end() ||
          static_cast<int>(besucht.size()) > grenzen.umleitungen)
        return {TDienstFehler::Umleitungen, {}};
      besucht.push_back(v.weiter);
      a = v.weiter;
      continue;
    }
    ++versuch;
    if (v.status == 200) return {TDienstFehler::Keiner, std::move(v.empfang.daten)};
    if (v.status == 404) return {TDienstFehler::NichtGefunden, {}};
    if (v.status != 503) return {TDienstFehler::Dienstfehler, {}};
    if (versuch == 2) break;
    const int warten = warteMs(v.empfang.warteZeit, grenzen.wartenMaxMs);
    const Uhr::time_point wieder = Uhr::now() + std::chrono::milliseconds(warten);
    if (warten < 0 || wieder >= ende) break;
    if (!wartenBis(wieder, abbrechen)) return {TDienstFehler::Abgebrochen, {}};
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
    case TDienstFehler::Keiner:
    case TDienstFehler::Abgebrochen:
      break;
  }
  return {};
}

TDienstFehler dienstNacheinanderAbfragen(const QStringList& adressen, const TDienstGrenzen& grenzen,
                                         const std::atomic<bool>& abbrechen, std::vector<QByteArray>& antworten) {
  antworten.assign(static_cast<std::size_t>(adressen.size()), {});
  for (qsizetype i = 0; i < adressen.size(); ++i) {
    TDienstAntwort a = dienstAbfragen(adressen[i], grenzen, abbrechen);
    if (a.fehler == TDienstFehler::Keiner) antworten[static_cast<std::size_t>(i)] = std::move(a.koerper);
    // Unreachable or refusing: the others would fare no better.
    else if (a.fehler != TDienstFehler::NichtGefunden) return a.fehler;
  }
  return TDienstFehler::Keiner;
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
