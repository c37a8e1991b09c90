#include "core/UConnect.h"

#include <QDate>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <utility>

#include "core/UCodepage.h"
#include "core/UDatbas.h"
#include "core/UEinstellungen.h"
#include "core/UVemDatei.h"

TConnect* Connect = nullptr;

namespace {

TDatensatz datensatz(const QString& interpret, const QString& titel, const QString& label, const QString& release,
                     const QString& typ, const QString& genre, const QString& kommentar) {
  return datensatzAus(feldZuCp1252(interpret), feldZuCp1252(titel), feldZuCp1252(label), feldZuCp1252(release),
                      feldZuCp1252(typ), feldZuCp1252(genre), feldZuCp1252(kommentar));
}

}  // namespace

QString listenzeileAnzeigen(const TDatensatz& d) { return einzeiligVonCp1252({listenzeile(d)}); }

std::string dateiPfad(const QString& pfad) { return QFile::encodeName(pfad).toStdString(); }

QString pfadAusDatei(const std::string& bytes) {
  const QByteArray b = QByteArray::fromStdString(bytes);
  const QString pfad = QFile::decodeName(b);
  // Bytes that are no name of this system came from an older settings file in Windows-1252.
  return QFile::encodeName(pfad) == b ? pfad : vonCp1252(bytes);
}

QString kleinAZ(const QString& s) {
  QString r = s;
  for (QChar& c : r)
    if (c >= QChar('A') && c <= QChar('Z')) c = QChar(c.unicode() + 32);
  return r;
}

QString titelFuerDatei(const QString& pfad) { return "Vemla   [ " + kleinAZ(pfad) + " ]"; }

void TConnect::file_was_changed() {
  geaendert_ = true;
  gespeichertImSchritt_ = false;
  if (beobachter_) beobachter_();
}

void TConnect::file_wasnot_changed() {
  geaendert_ = false;
  if (schrittTiefe_ > 0) gespeichertImSchritt_ = true;
  else verlauf_.gespeichert(dateiPfad(dateiname_));
  if (beobachter_) beobachter_();
}

void TConnect::markieren(int zeile) {
  markiert_ = zeile;
  ansicht_->markierungZeigen(zeile);
}

void TConnect::dateiZeigen(const QString& titel, bool speichernMoeglich) {
  ansicht_->dateiZeigen(titel, speichernMoeglich);
}

void TConnect::liste_neu_aufbauen() {
  QStringList zeilen;
  const int n = DatBas->get_anzahl();
  zeilen.reserve(n);
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    DatBas->get_datensatz(i, d);
    zeilen << listenzeileAnzeigen(d);
  }
  markiert_ = -1;
  ansicht_->listeNeu(zeilen);
}

void TConnect::anzeigen_aktualisieren() {
  if (DatBas->get_anzahl() == 0) file_wasnot_changed();
  ansicht_->aktualisieren();
}

bool TConnect::datensatz_hinzufuegen(const QString& interpret, const QString& titel, const QString& label,
                                     const QString& release, const QString& typ, const QString& genre,
                                     const QString& kommentar) {
  TSchritt schritt(*this, "Datensatz hinzufügen");
  if (DatBas->get_anzahl() >= MAX_DATENSAETZE) {
    ansicht_->melden(TConnectMeldung::SammlungVoll);
    return false;
  }
  if (!pflichtfelderGefuellt(interpret, titel)) {
    ansicht_->melden(TConnectMeldung::PflichtfelderNeu);
    anzeigen_aktualisieren();
    return false;
  }
  if (DatBas->get_anzahl() >= WARTEN_AB) ansicht_->warten(true);
  const TDatensatz d = datensatz(interpret, titel, label, release, typ, genre, kommentar);
  DatBas->add_datensatz(d);
  heuteAufgenommen(DatBas->get_anzahl());
  if (DatBas->get_anzahl() > WARTEN_AB) ansicht_->warten(false);
  ansicht_->zeilenAnhaengen({listenzeileAnzeigen(d)});
  markieren(DatBas->get_anzahl() - 1);
  anzeigen_aktualisieren();
  file_was_changed();
  anzeigen_aktualisieren();
  return true;
}

void TConnect::datensatz_aendern(const QString& interpret, const QString& titel, const QString& label,
                                 const QString& release, const QString& typ, const QString& genre,
                                 const QString& kommentar) {
  TSchritt schritt(*this, "Datensatz ändern");
  if (!pflichtfelderGefuellt(interpret, titel)) {
    ansicht_->melden(TConnectMeldung::PflichtfelderAendern);
    return;
  }
  const int index = markiert_;
  DatBas->set_datensatz(index + 1, datensatz(interpret, titel, label, release, typ, genre, kommentar));
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) ansicht_->warten(true);
  liste_neu_aufbauen();
  markieren(index < 0 ? 0 : index);
  if (warten) ansicht_->warten(false);
  anzeigen_aktualisieren();
  file_was_changed();
}

void TConnect::datensatz_loeschen() {
  TSchritt schritt(*this, "Datensatz löschen");
  if (DatBas->get_anzahl() > WARTEN_AB) ansicht_->warten(true);
  const int index = markiert_;
  DatBas->del_datensatz(index + 1);
  liste_neu_aufbauen();
  markieren(index > 0 ? index - 1 : 0);
  if (DatBas->get_anzahl() >= WARTEN_AB) ansicht_->warten(false);
  anzeigen_aktualisieren();
  file_was_changed();
}

void TConnect::nach_unten() {
  TSchritt schritt(*this, "Datensatz nach unten verschieben");
  const int zeilen = DatBas->get_anzahl();
  const int i = markiert_;
  if (zeilen <= 1 || i + 1 >= zeilen) return;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) ansicht_->warten(true);
  file_was_changed();
  DatBas->tauschen(i + 1, i + 2);  // the entries move whole, with their details
  liste_neu_aufbauen();
  markieren(i + 1);
  if (warten) ansicht_->warten(false);
  anzeigen_aktualisieren();
}

void TConnect::nach_oben() {
  TSchritt schritt(*this, "Datensatz nach oben verschieben");
  const int zeilen = DatBas->get_anzahl();
  const int i = markiert_;
  if (zeilen <= 1 || i <= 0) return;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) ansicht_->warten(true);
  file_was_changed();
  DatBas->tauschen(i, i + 1);
  liste_neu_aufbauen();
  markieren(i - 1);
  if (warten) ansicht_->warten(false);
  anzeigen_aktualisieren();
}

void TConnect::neue_sammlung() {
  markiert_ = -1;
  ansicht_->listeNeu({});
  DatBas->clear_all();
  // A new collection belongs to no file.
  dateiname_.clear();
  wache_.vergessen();
  angabenDatei_.vergessen();
  angabenAusstehend_.clear();
  if (schrittTiefe_ == 0) {
    verlauf_.leeren();
    ansicht_->verlaufZeigen();
  }
  anzeigen_aktualisieren();
  dateiZeigen(STARTTITEL, false);
}

int TConnect::datensaetze_anhaengen(const std::vector<TDatensatz>& saetze, int ausgelassen, const QString& schritt_name,
                                    const std::vector<TAngaben>* angaben) {
  TSchritt schritt(*this, schritt_name);
  const int vorher = DatBas->get_anzahl();
  const bool warten = vorher > WARTEN_AB || static_cast<int>(saetze.size()) > WARTEN_AB;
  if (warten) ansicht_->warten(true);
  QStringList zeilen;
  for (std::size_t i = 0; i < saetze.size(); ++i) {
    if (DatBas->get_anzahl() >= MAX_DATENSAETZE) break;
    const TDatensatz& d = saetze[i];
    DatBas->add_datensatz(d, angaben && i < angaben->size() ? angabenBytes((*angaben)[i]) : std::string());
    zeilen << listenzeileAnzeigen(d);
  }
  // Rows that come with their details (the CSV import) bring their own date, or deliberately none.
  if (!angaben) heuteAufgenommen(vorher + 1, DatBas->get_anzahl());
  ansicht_->zeilenAnhaengen(zeilen);
  if (!zeilen.isEmpty()) markieren(vorher);
  ausgelassen += static_cast<int>(saetze.size() - static_cast<std::size_t>(zeilen.size()));
  if (ausgelassen > 0) ansicht_->melden(TConnectMeldung::NichtVollstaendig);
  if (warten) ansicht_->warten(false);
  anzeigen_aktualisieren();
  if (!zeilen.isEmpty()) file_was_changed();
  anzeigen_aktualisieren();
  return static_cast<int>(zeilen.size());
}

void TConnect::alle_ersetzen(const std::vector<TDatensatz>& saetze) {
  TSchritt schritt(*this, "Gesamtübersicht übernehmen");
  for (std::size_t i = 0; i < saetze.size() && static_cast<int>(i) < DatBas->get_anzahl(); ++i) {
    DatBas->set_datensatz(static_cast<int>(i) + 1, saetze[i]);
    file_was_changed();
  }
  liste_neu_aufbauen();
}

void TConnect::sortierungBeginnt(int anzahl) {
  if (anzahl > WARTEN_SORTIEREN_AB) ansicht_->warten(true);
}

void TConnect::sortierungBeendet(int anzahl) {
  liste_neu_aufbauen();
  markieren(0);
  file_was_changed();
  anzeigen_aktualisieren();
  if (anzahl > WARTEN_SORTIEREN_AB) ansicht_->warten(false);
}

void TConnect::datei_hinzuladen(const QString& pfad) {
  angabenNachladen();
  TSchritt schritt(*this, "Datei hinzuladen");
  const std::string datei = dateiPfad(pfad);
  if (!dateiExistiert(datei)) return;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) ansicht_->warten(true);
  // Lines are collected and appended in one go, also when reading stops with
  // an error: the records read so far stay, and so do their lines.
  QStringList neueZeilen;
  TDateiKennung kennung;
  const int vorher = DatBas->get_anzahl();
  try {
    vemAnhaengen(
        datei, *DatBas, MAX_DATENSAETZE, [&](const TDatensatz& d) { neueZeilen << listenzeileAnzeigen(d); }, &kennung);
  } catch (...) {
    ansicht_->zeilenAnhaengen(neueZeilen);
    if (warten) ansicht_->warten(false);
    nachLesefehler();
    throw;
  }
  ansicht_->zeilenAnhaengen(neueZeilen);
  angabenAnhaengen(datei, vorher);
  if (DatBas->get_anzahl() == MAX_DATENSAETZE) ansicht_->melden(TConnectMeldung::NichtVollstaendig);
  if (warten) ansicht_->warten(false);  // shown only when there were more than 700 at the start
  markieren(0);
  anzeigen_aktualisieren();
  dateiZeigen(titelFuerDatei(pfad), true);
  set_filename(pfad);
  wache_.merken(datei, kennung);
  // Undo gives the entry back as long as it still names this file.
  if (schrittTiefe_ > 0 && !letzteVorSchritt_) {
    try {
      letzteVorSchritt_ = Einstellungen->letzteDatei();
    } catch (const std::exception&) {
      // Unreadable: the write below reports it.
    }
  }
  Einstellungen->letzteDateiSetzen(dateiPfad(pfad));
}

void TConnect::angabenAnhaengen(const std::string& datei, int vorher) {
  const int n = DatBas->get_anzahl() - vorher;
  if (n <= 0) return;
  if (vorher == 0 && angabenSpaeter_) {
    angabenAusstehend_ = datei;
    return;
  }
  TAngabenDatei::TGeladen g;
  if (vorher == 0) {
    // The file is the collection now: its details file is the collection's.
    g = angabenDatei_.laden(datei, *DatBas);
  } else {
    // An appended file brings its details along; its details file stays its own.
    TDatBas angehaengt;
    TDatensatz d;
    for (int i = 1; i <= n; ++i) {
      DatBas->get_datensatz(vorher + i, d);
      angehaengt.add_datensatz(d);
    }
    TAngabenDatei fremde;
    g = fremde.laden(datei, angehaengt, &angabenDatei_);
    for (int i = 1; i <= n; ++i) DatBas->set_beilage(vorher + i, angehaengt.get_beilage(i));
  }
  if (!g.hinweis.empty()) ansicht_->hinweis(QString::fromStdString(g.hinweis));
}

void TConnect::nachLesefehler() {
  // The records read before the error stay (the user may want to rescue them),
  // but they are no longer what any file holds: list, counters and commands
  // show the collection as it is, and it counts as changed.
  if (markiert_ < 0) markieren(0);
  file_was_changed();
  anzeigen_aktualisieren();
}

void TConnect::datei_oeffnen(const QString& pfad) {
  // A file that is not there leaves the collection, and so its history, as it is.
  if (!dateiExistiert(dateiPfad(pfad))) return;
  TSchritt schritt(*this, QString());
  neue_sammlung();
  set_filename("");
  try {
    datei_hinzuladen(pfad);
  } catch (...) {
    // Once the file is the current one it has been read: only the settings
    // refused to note it, and the collection stays open under its name.
    if (dateiname_ == pfad) throw;
    // The file opened before is no longer the current one: a later Save must
    // not write the partial records over it.
    set_filename("");
    wache_.vergessen();
    dateiZeigen(STARTTITEL, false);
    throw;
  }
}

bool TConnect::datei_speichern(const QString& pfadEin) {
  angabenNachladen();  // never a save of the collection without the details it has
  QString pfad = pfadEin;
  if (!pfad.endsWith(".vem", Qt::CaseSensitive)) pfad += ".vem";
  const std::string datei = dateiPfad(pfad);
  // The details beside it count too: another program may have saved only those.
  if ((wache_.fremdGeaendert(datei) || angabenDatei_.fremdGeaendert(datei)) && !ansicht_->ueberschreibenErlaubt(pfad))
    return false;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) ansicht_->warten(true);
  TDateiKennung kennung;
  try {
    // The details first: whenever a save is cut off, the file on disk finds its details.
    angabenDatei_.speichern(datei, *DatBas);
    vemSchreiben(datei, *DatBas, &kennung);
  } catch (...) {
    if (warten) ansicht_->warten(false);
    throw;
  }
  if (warten) ansicht_->warten(false);
  ansicht_->melden(TConnectMeldung::Gespeichert);
  dateiZeigen(titelFuerDatei(pfad), true);
  set_filename(pfad);
  wache_.merken(datei, kennung);
  // The history knows which state this file holds now (the caller clears the changed mark).
  if (schrittTiefe_ == 0) verlauf_.gespeichert(datei);
  Einstellungen->letzteDateiSetzen(datei);
  return true;
}

void TConnect::kopie_laden(std::string_view saetze, const QString& originalName,
                          const std::optional<TDateiKennung>& stand, const std::vector<std::string>* beilagen) {
  neue_sammlung();
  set_filename("");
  QStringList zeilen;
  TDatensatz d;
  const std::size_t anzahl = std::min(saetze.size() / DATENSATZ_GROESSE, static_cast<std::size_t>(MAX_DATENSAETZE));
  DatBas->reserve(static_cast<int>(anzahl));
  for (std::size_t i = 0; i < anzahl; ++i) {
    std::memcpy(&d, saetze.data() + i * DATENSATZ_GROESSE, DATENSATZ_GROESSE);
    DatBas->add_datensatz(d, beilagen && i < beilagen->size() ? std::string_view((*beilagen)[i]) : std::string_view());
    zeilen << listenzeileAnzeigen(d);
  }
  ansicht_->zeilenAnhaengen(zeilen);
  markieren(0);
  if (!originalName.isEmpty()) {
    set_filename(originalName);
    dateiZeigen(titelFuerDatei(originalName), true);
    // A save warns about what changed in the original file since the copy's
    // collection last saw it; without that state, about what changes from now on.
    const std::string datei = dateiPfad(originalName);
    if (stand) wache_.merken(datei, *stand);
    else if (const std::optional<TDateiKennung> k = dateiKennung(datei)) wache_.merken(datei, *k);
    // The copy's own details win; the details' file beside the original is
    // only taken up for the next save. A copy without details finds the saved ones again.
    const auto g = beilagen ? angabenDatei_.uebernehmen(datei, *DatBas) : angabenDatei_.laden(datei, *DatBas);
    if (!g.hinweis.empty()) ansicht_->hinweis(QString::fromStdString(g.hinweis));
  }
  // No file holds what the copy holds: undoing back to here never counts as saved.
  verlauf_.leeren(false);
  file_was_changed();
  anzeigen_aktualisieren();
}

bool TConnect::dateityp_pruefen(const QString& pfad) {
  const QString ende = pfad.right(4);
  if (ende == ".vem") return true;
  if (ende == vonCp1252(Einstellungen->vemDateiendung())) return true;
  ansicht_->melden(TConnectMeldung::FalscherTyp);
  return false;
}

void TConnect::liste_drucken() {
  if (!ansicht_->druckBeginnen()) return;  // the option dialog stays open
  const int anzahl = DatBas->get_anzahl();
  const bool warten = anzahl > WARTEN_AB;
  if (warten) ansicht_->warten(true);
  // A failed print reaches the general error box; the please-wait window goes all the same.
  struct TVerbergen {
    bool aktiv;
    IConnectAnsicht* ansicht;
    ~TVerbergen() {
      if (aktiv) ansicht->warten(false);
    }
  } verbergen{warten, ansicht_};
  QStringList zeilen;
  zeilen.reserve(anzahl);
  TDatensatz d;
  for (int n = 1; n <= anzahl; ++n) {
    DatBas->get_datensatz(n, d);
    zeilen << ansicht_->druckzeile(n, d);
  }
  ansicht_->drucken(zeilen);
  verbergen.aktiv = false;
  if (warten) ansicht_->warten(false);
  ansicht_->druckBeendet();
}

// ---------------------------------------------------------------- undo and redo

TAngaben TConnect::angaben(int pos) const { return angabenAusBytes(DatBas->get_beilage(pos)); }

void TConnect::angabenNachladen() {
  if (angabenAusstehend_.empty()) return;
  const std::string datei = std::exchange(angabenAusstehend_, {});
  angabenAnhaengen(datei, 0);
}

void TConnect::angabenPruefen() {
  const std::string befund = angabenDatei_.pruefen();
  if (befund.empty()) return;
  if (hatAngaben() || !angabenDatei_.nichtZugeordnet().empty()) file_was_changed();
  ansicht_->hinweis(QString::fromStdString(befund));
}

void TConnect::angabenAendern(int pos, const TAngaben& a) {
  if (pos < 1 || pos > DatBas->get_anzahl()) return;
  const std::string neu = angabenBytes(a);
  if (DatBas->get_beilage(pos) == neu) return;
  TSchritt schritt(*this, "Sammlerangaben ändern");
  DatBas->set_beilage(pos, neu);
  file_was_changed();
}

bool TConnect::hatAngaben() const {
  for (int i = 1; i <= DatBas->get_anzahl(); ++i)
    if (!DatBas->get_beilage(i).empty()) return true;
  return false;
}

void TConnect::heuteAufgenommen(int von, int bis) {
  if (bis < 0) bis = von;
  if (von > bis) return;
  // Only a collection that carries details at all gets them on its new entries:
  // one kept without them stays without (and so without a details' file).
  if (!hatAngaben()) return;
  const std::string heute = QDate::currentDate().toString(Qt::ISODate).toStdString();
  for (int pos = von; pos <= bis; ++pos) {
    TAngaben a = angaben(pos);
    if (!a.aufgenommenAm.empty()) continue;
    a.aufgenommenAm = heute;
    DatBas->set_beilage(pos, angabenBytes(a));
  }
}

TConnect::TSchritt::TSchritt(TConnect& c, const QString& name) : c_(c) {
  if (c_.schrittTiefe_++ > 0) return;
  // A command before the details held back at the start were attached: they
  // are attached first, outside the step, so that no change, copy or undo step
  // ever sees the entries without them.
  c_.angabenNachladen();
  c_.schrittName_ = name;
  c_.gespeichertImSchritt_ = false;
  c_.dateiVorSchritt_ = c_.dateiStand();
  c_.letzteVorSchritt_.reset();
  if (!name.isEmpty()) c_.verlauf_.beginnen(*DatBas, c_.listenStand());
}

TConnect::TSchritt::~TSchritt() {
  if (--c_.schrittTiefe_ == 0) c_.schrittBeenden();
}

TListenStand TConnect::listenStand() const { return {markiert_, ansicht_->obersteZeile()}; }

TDateiStand TConnect::dateiStand() const { return {dateiPfad(dateiname_), wache_.stand(), std::nullopt}; }

void TConnect::dateiStandSetzen(const TDateiStand& stand) {
  dateiname_ = pfadAusDatei(stand.name);
  wache_.standSetzen(stand.wache);
  if (stand.name.empty()) dateiZeigen(STARTTITEL, false);
  else dateiZeigen(titelFuerDatei(dateiname_), true);
}

void TConnect::schrittBeenden() {
  const std::string datei = dateiPfad(dateiname_);
  bool dateiGewechselt = false;
  if (schrittName_.isEmpty()) {
    // A loaded collection is what its file holds, unless reading it failed.
    verlauf_.leeren(!geaendert_, datei);
  } else {
    std::optional<TDateiWechsel> wechsel;
    if (datei != dateiVorSchritt_.name) {
      dateiGewechselt = true;
      wechsel = TDateiWechsel{dateiVorSchritt_, dateiStand()};
      if (letzteVorSchritt_) {
        wechsel->vorher.letzte = letzteVorSchritt_;
        wechsel->nachher.letzte = datei;
      }
    }
    verlauf_.abschliessen(*DatBas, feldZuCp1252(schrittName_), listenStand(), std::move(wechsel));
  }
  // A step that made another file current and left the collection unchanged
  // (a file appended to an empty collection) ends where that file holds it.
  if (gespeichertImSchritt_ || (dateiGewechselt && !geaendert_)) verlauf_.gespeichert(datei);
  ansicht_->verlaufZeigen();
  if (beobachter_) beobachter_();
}

QString TConnect::rueckgaengig_name() const { return vonCp1252(verlauf_.rueckgaengigName()); }

QString TConnect::wiederherstellen_name() const { return vonCp1252(verlauf_.wiederherstellenName()); }

void TConnect::rueckgaengig() { verlaufAnwenden(true); }

void TConnect::wiederherstellen() { verlaufAnwenden(false); }

void TConnect::verlaufAnwenden(bool zurueck) {
  if (schrittTiefe_ > 0 || !(zurueck ? verlauf_.kannRueckgaengig() : verlauf_.kannWiederherstellen())) return;
  const TDateiWechsel* wechsel = nullptr;
  const TListenStand stand =
      zurueck ? verlauf_.rueckgaengig(*DatBas, &wechsel) : verlauf_.wiederherstellen(*DatBas, &wechsel);
  // A step that made another file the collection's file gives the file back
  // too: name, title, what the guard remembered, and the settings' last-file
  // entry. Only while the file it set is still the current one: a file made
  // current since (saved under another name) stays.
  const TDateiStand* von = nullptr;
  const TDateiStand* nach = nullptr;
  if (wechsel && dateiPfad(dateiname_) == (zurueck ? wechsel->nachher : wechsel->vorher).name) {
    von = zurueck ? &wechsel->nachher : &wechsel->vorher;
    nach = zurueck ? &wechsel->vorher : &wechsel->nachher;
    dateiStandSetzen(*nach);
  }
  liste_neu_aufbauen();
  markieren(stand.markiert < DatBas->get_anzahl() ? stand.markiert : DatBas->get_anzahl() - 1);
  if (stand.oben >= 0) ansicht_->obersteZeileSetzen(stand.oben);
  // Back where the current file holds the collection, it counts as unchanged again.
  if (verlauf_.amGespeicherten(dateiPfad(dateiname_))) file_wasnot_changed();
  else file_was_changed();
  anzeigen_aktualisieren();
  ansicht_->verlaufZeigen();
  // Last, as a refused write reaches the general error box.
  if (von && von->letzte && nach->letzte && Einstellungen->letzteDatei() == *von->letzte)
    Einstellungen->letzteDateiSetzen(*nach->letzte);
}

void TConnect::sortieren(int key, bool aufsteigend) {
  static const char* const FELD[] = {"", "Interpret", "Titel", "Label", "Release", "Typ", "Genre"};
  const QString feld = key >= 1 && key <= 6 ? FELD[key] : "";
  TSchritt schritt(*this, "nach " + feld + " sortieren" + (aufsteigend ? "" : " (absteigend)"));
  TDBSortTree(*DatBas, this).sortieren(key, aufsteigend);
}
