#pragma once
// Requests to the online music database's web service: the addresses of the
// three look-ups, and one blocking request with the service's rules: a
// User-Agent naming the program, at most one request per second across the
// whole program (every redirect a request of its own), https (or this
// computer), one retry after a "busy" answer, and a bound on time and size.
// Runs on a worker thread; a set "abbrechen" ends it within moments, even
// while a name is being looked up.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

enum class TDienstFehler {
  Keiner,
  KeineVerbindung,
  Zeitueberschreitung,
  Ausgelastet,     // the service answered "busy" twice
  NichtGefunden,   // the service knows nothing of it
  Unlesbar,        // malformed, too large, or an unexpected answer
  Dienstfehler,    // any other refusal of the service
  NichtErlaubt,    // not an https address (nor one of this computer)
  Umleitungen,     // redirected in a circle or too often
  Unbestaetigt,    // the secure connection's certificate is not trusted
  Abgebrochen,
  KeinLaufwerk,
  KeineAudioCd,
  KeineBibliothek, // libdiscid is not installed
  DienstAdresse,   // the service address set in vemla.ini is not allowed
};

struct TDienstGrenzen {
  int zeitMs = 20000;                 // the whole request: name look-up, redirects and retry included
  qint64 bytes = 4 * 1024 * 1024;     // of one answer
  int wartenMaxMs = 5000;             // longest wait for a retry after "busy"
  int abstandMs = 1000;               // between two requests of the program
  int umleitungen = 3;                // redirects followed at most
  QByteArray zertifikate;             // trusted in place of the system's (PEM); empty: the system's
};

struct TDienstAntwort {
  TDienstFehler fehler = TDienstFehler::Keiner;
  QByteArray koerper;
};

// "basis" is the service's address ending in "/" ("https://…/ws/2/").
QString adresseStrichcode(const QString& basis, const QString& ziffern);
// The look-up of one release with everything an entry takes from it; empty
// when "id" is not an identifier of the database.
QString adresseVeroeffentlichung(const QString& basis, const QString& id);
// One search for several barcodes at once ("barcode:A OR barcode:B").
QString adresseStrichcodes(const QString& basis, const QStringList& codes);
QString adresseName(const QString& basis, const QString& interpret, const QString& titel);
QString adresseDiscId(const QString& basis, const QString& discId, const QString& inhalt);

// The releases of the disc read from the drive, or why there are none.
struct TDiscId;
TDienstAntwort discAbfragen(const TDiscId& disc, const QString& basis, const TDienstGrenzen& grenzen,
                            const std::atomic<bool>& abbrechen);
// Fetches each of "adressen" in turn; "erhalten" hears of each answer as it
// comes (its number in "adressen"; empty where the service had nothing), on
// the calling thread. Stops at the first failure other than "not found" and
// gives it back, since the rest would fare no better.
TDienstFehler dienstNacheinanderAbfragen(const QStringList& adressen, const TDienstGrenzen& grenzen,
                                         const std::atomic<bool>& abbrechen,
                                         const std::function<void(int, const QByteArray&)>& erhalten);

// The service's address as set in vemla.ini, when the program may use it:
// https, or plain http to this computer or an address of the home network
// (a mirror of the database run there). A host name counts as neither, since
// it could resolve to anywhere.
bool dienstErlaubt(const QString& basis);

// The reason of a failure as the user reads it (lines separated by "\r");
// empty for none and for a cancelled request.
QString dienstFehlertext(TDienstFehler f);

// The User-Agent sent with every request.
QByteArray benutzerAgent();

// Fetches "adresse"; blocks until the answer, a failure or "abbrechen".
TDienstAntwort dienstAbfragen(const QString& adresse, const TDienstGrenzen& grenzen,
                              const std::atomic<bool>& abbrechen);
// The same, with the address asked for only when the request may go out (after
// the program's wait between two requests), so that it names what waits by
// then; an empty address ends it as cancelled. A retry asks the same address.
TDienstAntwort dienstAbfragen(const std::function<QString()>& adresseBeimSenden, const TDienstGrenzen& grenzen,
                              const std::atomic<bool>& abbrechen);
