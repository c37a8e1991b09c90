#include "online/UOnlineSuche.h"

#include <QPointer>
#include <algorithm>
#include <chrono>
#include <utility>

#include "core/UConnect.h"
#include "net/UNetzClient.h"
#include "online/UHintergrund.h"
#include "online/USammlungsSchluessel.h"
#include "online/UZuordnung.h"

namespace {

QString scanStatus(const QStringList& codes) {
  return codes.size() == 1 ? "Suche nach dem Strichcode " + codes.front() + "..."
                           : QString("Suche nach %1 Strichcodes...").arg(codes.size());
}

}  // namespace

// The genre look-up running now.
struct TOnlineSuche::TGenreAuftrag {
  std::vector<int> zeilen;                // all the lines to go on with
  std::vector<std::vector<int>> fehlend;  // per look-up, the lines of that release
  std::vector<char> fertig;               // per look-up: answered
  int erhalten = 0;
  std::function<void(const std::vector<int>&)> weiter;
};

TOnlineSuche::TOnlineSuche(std::unique_ptr<TQuelle> quelle, TConnect* sammlung, QObject* parent)
    : QObject(parent), quelle_(std::move(quelle)), sammlung_(sammlung), hintergrund_(new THintergrund(this)) {}

// The worker threads end before the source and the queue go.
TOnlineSuche::~TOnlineSuche() { delete hintergrund_; }

bool TOnlineSuche::sucht() const { return hintergrund_->laeuft(); }

bool TOnlineSuche::weitereMoeglich() const { return weitere_ && seitenTreffer_ < gesamt_; }

void TOnlineSuche::statusSetzen(const QString& text) {
  status_ = text;
  emit statusGeaendert(text);
}

void TOnlineSuche::scannen(const QString& code) {
  scans_->anstellen(code);
  naechsteScans();
}

void TOnlineSuche::nameSuchen(const QString& interpret, const QString& titel) {
  if (sucht()) return;
  weitere_ = quelle_->nameSuche(interpret, titel);
  suchen("Suche nach Interpret und Titel...", weitere_(0, grenzen), false);
}

void TOnlineSuche::discSuchen() {
  if (sucht()) return;
  weitere_ = {};  // a disc has its releases in one answer
  suchen("Die CD im Laufwerk wird gelesen...", quelle_->discSuche(discLesen, grenzen), false);
}

void TOnlineSuche::weitereLaden() {
  const int n = seitenTreffer_;
  if (sucht() || !weitere_ || n >= gesamt_) return;
  suchen("Weitere Veröffentlichungen werden geladen...", weitere_(n, grenzen), true);
}

void TOnlineSuche::abbrechen() {
  if (!sucht()) return;
  if (genreAuftrag_) return genresAbbrechen();
  hintergrund_->abbrechen();
  scansAbbrechen();
  statusSetzen("Die Suche wurde abgebrochen.");
  emit zustandGeaendert();
}

void TOnlineSuche::beenden() {
  genreAuftrag_.reset();
  if (sucht()) {
    hintergrund_->abbrechen();
    statusSetzen({});
  }
  scansAbbrechen();
  emit zustandGeaendert();
}

void TOnlineSuche::leeren() {
  if (sucht()) return;
  ergebnisse_.clear();
  emit ergebnisseGeleert();
  seitenTreffer_ = gesamt_ = 0;
  weitere_ = {};
  statusSetzen({});
  emit zustandGeaendert();
}

void TOnlineSuche::suchen(const QString& status, TArbeit arbeit, bool anhaengen) {
  if (sucht()) return;
  if (!quelle_->erlaubt()) return fehlerMelden(TDienstFehler::DienstAdresse);
  anhaengen_ = anhaengen;
  if (!anhaengen) {
    // The releases of the last search go; scans not yet taken over stay until the list is cleared.
    std::vector<TErgebnis> alle = std::exchange(ergebnisse_, {});
    QList<int> behalten;
    for (std::size_t i = 0; i < alle.size(); ++i)
      if (alle[i].ausScan && !alle[i].uebernommen) {
        behalten << static_cast<int>(i);
        ergebnisse_.push_back(std::move(alle[i]));
      }
    emit ergebnisseBehalten(behalten);
    seitenTreffer_ = gesamt_ = 0;
  }
  statusSetzen(status);
  hintergrund_->starten(std::move(arbeit), [this](const TDienstAntwort& a) {
    emit strichcodeFrei();
    antwortErhalten(a);
    naechsteScans();
  });
  emit zustandGeaendert();
}

void TOnlineSuche::antwortErhalten(const TDienstAntwort& a) {
  emit zustandGeaendert();
  if (a.fehler != TDienstFehler::Keiner) return fehlerMelden(a.fehler);
  auto seite = quelle_->seiteLesen(a.koerper);
  if (!seite) return fehlerMelden(TDienstFehler::Unlesbar);
  if (seite->liste.empty() && !anhaengen_) return fehlerMelden(TDienstFehler::NichtGefunden);
  ergebnisseZeigen(std::move(*seite));
}

void TOnlineSuche::fehlerMelden(TDienstFehler f) {
  const QString text = dienstFehlertext(f);
  statusSetzen(text.section('\r', 0, 0));
  if (!text.isEmpty()) emit fehler(text);
}

void TOnlineSuche::ergebnisseZeigen(TAntwortSeite seite) {
  const std::size_t vorher = ergebnisse_.size();
  const std::set<std::string> vorhanden = sammlungsSchluessel();
  for (const TVeroeffentlichung& v : seite.liste) ergebnisHinzufuegen(v, vorhanden, false);
  const int n = seitenTreffer_ += static_cast<int>(seite.liste.size());
  // An empty further page means the search has nothing more, whatever its count said.
  gesamt_ = seite.liste.empty() ? n : std::max(seite.gesamt, n);
  if (n < gesamt_)
    statusSetzen(QString("%1 von %2 gezeigt – bitte genauer suchen").arg(n).arg(gesamt_));
  else
    statusSetzen(n == 1 ? QString("1 Veröffentlichung gefunden.") : QString("%1 Veröffentlichungen gefunden.").arg(n));
  if (ergebnisse_.size() > vorher) emit erstesNeues(static_cast<int>(vorher));
  emit zustandGeaendert();
}

void TOnlineSuche::ergebnisHinzufuegen(const TVeroeffentlichung& v, const std::set<std::string>& vorhanden,
                                       bool ausScan) {
  ergebnisse_.push_back({v, ausScan, false, false});
  emit ergebnisNeu(static_cast<int>(ergebnisse_.size() - 1), vorhanden.count(sammlungsSchluessel(v)) > 0);
}

void TOnlineSuche::naechsteScans() {
  if (sucht() || scans_->leer() || !bereit_) return;
  if (!quelle_->erlaubt()) return scansErhalten(scans_->alleNehmen(), {TDienstFehler::DienstAdresse, {}});
  const int suche = ++scanSuche_;
  // The stack goes out when the source may be asked again: at once, then it
  // is what waits now; else the worker waits for that moment and only then
  // takes the stack, so that every scan made by then goes out in this one
  // request. It tells the status line which barcodes went out.
  QStringList jetzt;
  if (netzJetztFrei(std::chrono::milliseconds(grenzen.abstandMs))) jetzt = scans_->naechsterStapel();
  statusSetzen(jetzt.isEmpty() ? QString("Suche nach Strichcodes...") : scanStatus(jetzt));
  auto codes = [schlange = scans_, suche, ziel = QPointer<TOnlineSuche>(this), bote = hintergrund_,
                jetzt](const std::atomic<bool>& abbrechen) {
    if (!jetzt.isEmpty()) return jetzt;
    const QStringList stapel = schlange->naechsterStapel(abbrechen);
    if (stapel.isEmpty()) return QStringList();
    QMetaObject::invokeMethod(
        bote,
        [ziel, suche, stapel] {
          if (ziel && ziel->scanSuche_ == suche && ziel->sucht()) ziel->statusSetzen(scanStatus(stapel));
        },
        Qt::QueuedConnection);
    return stapel;
  };
  hintergrund_->starten(quelle_->strichcodeSuche(std::move(codes), grenzen), [this](const TDienstAntwort& a) {
    QStringList codes = scans_->unterwegsNehmen();
    // Failed before it could take its stack (no network library): the next
    // stack gets the reason, so that the queue ends instead of trying anew.
    if (codes.isEmpty() && a.fehler != TDienstFehler::Keiner) {
      scans_->naechsterStapel();
      codes = scans_->unterwegsNehmen();
    }
    scansErhalten(codes, a);
    naechsteScans();
  });
  emit zustandGeaendert();
}

void TOnlineSuche::scansErhalten(const QStringList& codes, const TDienstAntwort& a) {
  std::optional<TAntwortSeite> seite;
  TDienstFehler f = a.fehler;
  if (f == TDienstFehler::Keiner && !(seite = quelle_->seiteLesen(a.koerper))) f = TDienstFehler::Unlesbar;
  const std::size_t vorher = ergebnisse_.size();
  QString status;
  if (f != TDienstFehler::Keiner && f != TDienstFehler::NichtGefunden) {
    // Each barcode gets its line with the reason; the scanning goes on.
    const QString grund = dienstFehlertext(f).replace('\r', ' ');
    for (const QString& c : codes) emit meldungNeu("Strichcode " + c + ": " + grund);
    status = dienstFehlertext(f).section('\r', 0, 0);
  } else {
    const std::set<std::string> vorhanden = sammlungsSchluessel();
    const std::vector<TVeroeffentlichung> liste = seite ? std::move(seite->liste) : std::vector<TVeroeffentlichung>{};
    for (const TScanTreffer& t : scansZuordnen(codes, liste)) {
      if (t.treffer.empty()) emit meldungNeu("Strichcode " + t.strichcode + ": keine Veröffentlichung gefunden");
      for (std::size_t i : t.treffer) ergebnisHinzufuegen(liste[i], vorhanden, true);
    }
    const std::size_t n = ergebnisse_.size() - vorher;
    status = (codes.size() == 1 ? "Strichcode " + codes.front() : QString("%1 Strichcodes").arg(codes.size())) + ": " +
             (n == 1 ? QString("1 Veröffentlichung gefunden.") : QString("%1 Veröffentlichungen gefunden.").arg(n));
  }
  statusSetzen(status);
  if (ergebnisse_.size() > vorher) emit erstesNeues(static_cast<int>(vorher));
  emit strichcodeFrei();
  emit zustandGeaendert();
}

void TOnlineSuche::scansAbbrechen() {
  // Scans not looked up are named in the list, so that they can be scanned again.
  ++scanSuche_;
  const QStringList offen = scans_->alleNehmen();
  for (const QString& c : offen) emit meldungNeu("Strichcode " + c + ": Suche abgebrochen");
}

void TOnlineSuche::uebernehmen(const std::vector<int>& gewaehlt, std::function<void(bool)> danach) {
  if (sucht()) return;
  // A line taken over once is not added again. One already in the collection
  // is left out, said in the status line, and taken by the next take-over:
  // no box in the scanning, whose next digits and Enter would answer it.
  const std::set<std::string> vorhanden = sammlungsSchluessel();
  std::vector<int> zeilen;
  int uebersprungen = 0;
  for (int i : gewaehlt) {
    TErgebnis& e = ergebnisse_[static_cast<std::size_t>(i)];
    if (e.uebernommen) continue;
    if (vorhanden.count(sammlungsSchluessel(e.v)) && !e.uebersprungen) {
      e.uebersprungen = true;
      ++uebersprungen;
    } else {
      zeilen.push_back(i);
    }
  }
  const QString hinweis =
      uebersprungen ? QString("%1 bereits vorhandene übersprungen – erneut Übernehmen, um sie doch zu übernehmen")
                          .arg(uebersprungen)
                    : QString();
  if (zeilen.empty()) {
    if (!hinweis.isEmpty()) statusSetzen(hinweis);
    return;
  }
  genresNachschlagen(zeilen, [this, hinweis, danach = std::move(danach)](const std::vector<int>& fertig) {
    hinzufuegen(fertig);
    if (!hinweis.isEmpty()) statusSetzen(hinweis);
    if (danach) danach(!fertig.empty());
  });
}

void TOnlineSuche::hinzufuegen(const std::vector<int>& zeilen) {
  int uebernommen = 0;
  if (zeilen.empty() || !sammlung_) return;
  // One take-over is one step of undo, however many entries it adds.
  TConnect::TSchritt schritt(*sammlung_, "Online-Suche übernehmen");
  for (int i : zeilen) {
    TErgebnis& e = ergebnisse_[static_cast<std::size_t>(i)];
    const TFelder f = felderFuerSammlung(e.v);
    if (!sammlung_->datensatz_hinzufuegen(f[0], f[1], f[2], f[3], f[4], f[5], f[6])) break;
    ++uebernommen;
    e.uebernommen = true;
    emit ergebnisUebernommen(i);
  }
  statusSetzen(uebernommen == 1 ? QString("1 Datensatz wurde übernommen.")
                                : QString("%1 Datensätze wurden übernommen.").arg(uebernommen));
}

void TOnlineSuche::genresLaden(int nr, std::function<void(bool)> weiter) {
  if (sucht()) return;
  genresNachschlagen({nr}, [weiter = std::move(weiter)](const std::vector<int>& fertig) { weiter(!fertig.empty()); });
}

void TOnlineSuche::genresNachschlagen(const std::vector<int>& zeilen,
                                      std::function<void(const std::vector<int>&)> weiter) {
  auto auftrag = std::make_shared<TGenreAuftrag>();
  auftrag->zeilen = zeilen;
  QStringList schluessel, kennungen;
  for (int z : zeilen) {
    const TVeroeffentlichung& v = ergebnisse_[static_cast<std::size_t>(z)].v;
    const QString s = quelle_->genreSchluessel(v.id);
    if (v.mitGenres || s.isEmpty()) continue;
    // A disc scanned twice is one release: looked up once, for both lines.
    const qsizetype nr = schluessel.indexOf(s);
    if (nr >= 0) {
      auftrag->fehlend[static_cast<std::size_t>(nr)].push_back(z);
    } else {
      schluessel << s;
      kennungen << v.id;
      auftrag->fehlend.push_back({z});
    }
  }
  if (kennungen.isEmpty()) return weiter(zeilen);
  auftrag->fertig.assign(auftrag->fehlend.size(), 0);
  auftrag->weiter = std::move(weiter);
  genreAuftrag_ = auftrag;
  const auto zaehlen = [this, auftrag] {
    statusSetzen(QString("Genres: %1 von %2").arg(auftrag->erhalten).arg(auftrag->fehlend.size()));
  };
  // Each answer is handed over as it comes, so that the status line counts
  // and a cancel keeps what has arrived.
  auto erhalten = [ziel = QPointer<TOnlineSuche>(this), auftrag, bote = hintergrund_, zaehlen](
                      int nr, const QByteArray& antwort) {
    QMetaObject::invokeMethod(
        bote,
        [ziel, auftrag, nr, antwort, zaehlen] {
          if (!ziel || ziel->genreAuftrag_ != auftrag) return;
          for (int z : auftrag->fehlend[static_cast<std::size_t>(nr)]) {
            TVeroeffentlichung& v = ziel->ergebnisse_[static_cast<std::size_t>(z)].v;
            if (const auto geladen = ziel->quelle_->veroeffentlichungLesen(antwort, v.id)) {
              v.genres = geladen->genres;
              v.mitGenres = true;
            }
          }
          auftrag->fertig[static_cast<std::size_t>(nr)] = 1;
          ++auftrag->erhalten;
          zaehlen();
        },
        Qt::QueuedConnection);
  };
  zaehlen();
  hintergrund_->starten(quelle_->genreSuche(kennungen, grenzen, erhalten), [this, auftrag](const TDienstAntwort&) {
    if (genreAuftrag_ != auftrag) return;
    genreAuftrag_.reset();
    emit zustandGeaendert();
    // Done, or failed on the way: every pick goes on with what the list knows.
    auftrag->weiter(auftrag->zeilen);
    naechsteScans();
  });
  emit zustandGeaendert();
}

void TOnlineSuche::genresAbbrechen() {
  const std::shared_ptr<TGenreAuftrag> auftrag = std::exchange(genreAuftrag_, {});
  hintergrund_->abbrechen();
  emit zustandGeaendert();
  // The lines whose release was looked up, or needed none, go on; the others stay picked for another try.
  std::set<int> offen;
  for (std::size_t i = 0; i < auftrag->fehlend.size(); ++i)
    if (!auftrag->fertig[i]) offen.insert(auftrag->fehlend[i].begin(), auftrag->fehlend[i].end());
  std::vector<int> fertig;
  for (int z : auftrag->zeilen)
    if (!offen.count(z)) fertig.push_back(z);
  auftrag->weiter(fertig);
  const std::size_t rest = auftrag->zeilen.size() - fertig.size();
  statusSetzen((status_ + QString(" Abgebrochen – %1 nicht übernommen.").arg(rest)).trimmed());
  naechsteScans();
}
