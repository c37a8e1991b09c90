#include "online/UMBDienst.h"

#include <QUrl>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "app/UGlobal.h"
#include "net/UCurl.h"
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

QString suche(const QString& basis, const QString& abfrage) {
  return basis + "release/?query=" + QString::fromLatin1(QUrl::toPercentEncoding(abfrage)) +
         QString("&limit=%1&fmt=json").arg(SUCHTREFFER);
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
CURLcode ausfuehren(const TCurl& cu, CURL* c, const std::atomic<bool>& abbrechen) {
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
    cu.multi_poll(multi.get(), nullptr, 0, 25, nullptr);
  }
  cu.multi_remove_handle(multi.get(), c);
  return ergebnis;
}

struct Versuch {
  TDienstFehler fehler = TDienstFehler::Keiner;
  long status = 0;
  Empfang empfang;
};

void senden(const std::string& adresse, bool sicher, long restMs, Versuch& v) {
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
  // Plain http is only ever this computer: a redirect from there could lead
  // anywhere over http, so such an address is never redirected.
  setopt(c, CURLOPT_PROTOCOLS_STR, sicher ? "https" : "http");
  setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "https");
  setopt(c, CURLOPT_FOLLOWLOCATION, sicher ? 1L : 0L);
  setopt(c, CURLOPT_MAXREDIRS, 5L);
  setopt(c, CURLOPT_NOSIGNAL, 1L);
  setopt(c, CURLOPT_TIMEOUT_MS, restMs);
  setopt(c, CURLOPT_CONNECTTIMEOUT_MS, restMs);
  setopt(c, CURLOPT_USERAGENT, agent.constData());
  setopt(c, CURLOPT_HTTPHEADER, kopf.get());
  setopt(c, CURLOPT_ACCEPT_ENCODING, "");  // whatever the library can unpack
  setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(v.empfang.grenze));
  setopt(c, CURLOPT_WRITEFUNCTION, datenEmpfangen);
  setopt(c, CURLOPT_WRITEDATA, &v.empfang);
  setopt(c, CURLOPT_HEADERFUNCTION, kopfEmpfangen);
  setopt(c, CURLOPT_HEADERDATA, &v.empfang);
  const CURLcode ergebnis = ausfuehren(*cu, c, *v.empfang.abbrechen);
  cu->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &v.status);
  if (*v.empfang.abbrechen) v.fehler = TDienstFehler::Abgebrochen;
  else if (v.empfang.zuGross || ergebnis == CURLE_FILESIZE_EXCEEDED) v.fehler = TDienstFehler::Unlesbar;
  else if (ergebnis == CURLE_OPERATION_TIMEDOUT) v.fehler = TDienstFehler::Zeitueberschreitung;
  else if (ergebnis == CURLE_UNSUPPORTED_PROTOCOL) v.fehler = TDienstFehler::NichtErlaubt;
  else if (ergebnis != CURLE_OK) v.fehler = TDienstFehler::KeineVerbindung;
}

// Milliseconds of a Retry-After value (a date or nonsense counts as one
// second); -1 when the service asks for a longer wait than "hoechstens".
int warteMs(const QByteArray& wert, int hoechstens) {
  bool ok = false;
  const long long s = wert.toLongLong(&ok);
  const long long ms = ok && s >= 0 ? s * 1000 : 1000;
  return ms > hoechstens ? -1 : static_cast<int>(ms);
}

}  // namespace

QString adresseStrichcode(const QString& basis, const QString& ziffern) {
  return suche(basis, "barcode:" + ziffern);
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
  const std::string a = adresse.toStdString();
  if (!downloadErlaubt(a)) return {TDienstFehler::NichtErlaubt, {}};
  const bool sicher = QUrl(adresse).scheme() == QLatin1String("https");
  const Uhr::time_point ende = Uhr::now() + std::chrono::milliseconds(grenzen.zeitMs);
  for (int versuch = 0; versuch < 2; ++versuch) {
    if (!wartenBis(naechsterTermin(grenzen.abstandMs), abbrechen)) return {TDienstFehler::Abgebrochen, {}};
    const long rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now()).count();
    if (rest <= 0) return {TDienstFehler::Zeitueberschreitung, {}};
    Versuch v;
    v.empfang.grenze = grenzen.bytes;
    v.empfang.abbrechen = &abbrechen;
    senden(a, sicher, rest, v);
    if (v.fehler != TDienstFehler::Keiner) return {v.fehler, {}};
    if (v.status == 200) return {TDienstFehler::Keiner, std::move(v.empfang.daten)};
    if (v.status == 404) return {TDienstFehler::NichtGefunden, {}};
    if (v.status != 503) return {TDienstFehler::Dienstfehler, {}};
    if (versuch == 1) break;
    const int warten = warteMs(v.empfang.warteZeit, grenzen.wartenMaxMs);
    const Uhr::time_point wieder = Uhr::now() + std::chrono::milliseconds(warten);
    if (warten < 0 || wieder >= ende) break;
    if (!wartenBis(wieder, abbrechen)) return {TDienstFehler::Abgebrochen, {}};
  }
  return {TDienstFehler::Ausgelastet, {}};
}
