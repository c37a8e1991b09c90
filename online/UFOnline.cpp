#include "online/UFOnline.h"

#include <QGroupBox>
#include <algorithm>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QUuid>
#include <memory>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UIniFile.h"
#include "app/UPlattform.h"
#include "core/UCodepage.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "dialogs/UF_add.h"
#include "online/UHintergrund.h"
#include "online/UZuordnung.h"

TFOnline* FOnline = nullptr;

namespace {

// The smallest size of the window; a larger one gives the extra room to the result list.
constexpr int BREITE = 760;
constexpr int HOEHE = 478;
constexpr const char* SEKTION = "Onlinesuche";
constexpr const char* TITEL_HINWEIS = "Hinweis:";

enum Spalte { S_INTERPRET, S_TITEL, S_LABEL, S_JAHR, S_FORMAT, S_LAND, S_STRICHCODE, S_HINWEIS, SPALTEN };
constexpr int SPALTENBREITEN[SPALTEN] = {125, 145, 135, 36, 100, 34, 92, 60};

std::string spaltenSchluessel(int spalte) { return "lv_ergebnisse.colwidths[" + std::to_string(spalte) + "]"; }

// A stored width or height, or "standard" when there is none or it is no sensible one.
int massLesen(const std::string& schluessel, int standard, int mindestens) {
  long long zahl;
  if (!IniFile || !iniGanzzahl(IniFile->ReadString(SEKTION, schluessel, ""), zahl)) return standard;
  return zahl < mindestens || zahl > 10000 ? standard : static_cast<int>(zahl);
}

bool nurZiffern(const QString& eingabe) {
  const QString s = eingabe.trimmed();
  if (s.isEmpty()) return false;
  for (QChar c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The look-up of one release with everything an entry takes from it; empty
// when "id" is not an identifier of the database.
QString adresseVeroeffentlichung(const QString& basis, const QString& id) {
  const QUuid uuid = QUuid::fromString(id);
  if (uuid.isNull()) return {};
  return basis + "release/" + uuid.toString(QUuid::WithoutBraces) +
         "?inc=genres+tags+labels+release-groups+media+artist-credits&fmt=json";
}

// The digits of a barcode as typed or scanned; empty unless it is 8 to 14 digits.
QString strichcode(const QString& eingabe) {
  const QString s = eingabe.trimmed();
  return nurZiffern(s) && s.size() >= 8 && s.size() <= 14 ? s : QString();
}

QString fehlertext(TDienstFehler f) {
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

// Interpret and Titel of an entry as the search compares them (only A..Z
// without regard to case), as one key.
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
// The keys of every entry of the collection.
std::set<std::string> sammlungsSchluessel() {
  std::set<std::string> r;
  TDatensatz d;
  for (int k = 1; k <= DatBas->get_anzahl(); ++k) {
    DatBas->get_datensatz(k, d);
    r.insert(sammlungsSchluessel(d.Interpret.text(), d.Titel.text()));
  }
  return r;
}

QPushButton* knopf(QWidget* eltern, const char* name, const QString& text, int x, int y, int b) {
  QPushButton* k = mitName(new QPushButton(text, eltern), name);
  k->setGeometry(x, y, b, 25);
  k->setAutoDefault(false);  // Enter acts only where this window says so
  return k;
}

}  // namespace

TFOnline::TFOnline(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("FOnline");
  setWindowTitle("CD online nachschlagen");
  setMinimumSize(BREITE, HOEHE);
  resize(BREITE, HOEHE);
  setFont(standardSchrift());
}

TFOnline::~TFOnline() = default;

void TFOnline::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFOnline::aufbauen() {
  if (hintergrund_) return;
  hintergrund_ = new THintergrund(this);
  auto gruppe = [this](const char* name, const char* text, int x, int b) {
    QGroupBox* g = mitName(new QGroupBox(QString::fromUtf8(text), this), name);
    g->setGeometry(x, 8, b, 98);
    return g;
  };
  auto label = [](QWidget* eltern, const char* name, const char* text, int x, int y, int b) {
    QLabel* l = mitName(new QLabel(QString::fromUtf8(text), eltern), name);
    l->setGeometry(x, y, b, 16);
    return l;
  };
  auto edit = [](QWidget* eltern, const char* name, int x, int y, int b) {
    QLineEdit* e = mitName(new QLineEdit(eltern), name);
    e->setGeometry(x, y, b, 22);
    return e;
  };

  GB_strichcode = gruppe("GB_strichcode", "Strichcode", 8, 206);
  L_strichcode = label(GB_strichcode, "L_strichcode", "&EAN / UPC (8 bis 14 Ziffern):", 10, 20, 186);
  e_strichcode = edit(GB_strichcode, "e_strichcode", 10, 38, 186);
  e_strichcode->setMaxLength(32);
  b_strichcode = knopf(GB_strichcode, "b_strichcode", "&Suchen", 106, 66, 90);
  L_strichcode->setBuddy(e_strichcode);

  GB_name = gruppe("GB_name", "Interpret und Titel", 222, 336);
  L_interpret = label(GB_name, "L_interpret", "&Interpret:", 10, 22, 66);
  e_interpret = edit(GB_name, "e_interpret", 78, 19, 248);
  L_titel = label(GB_name, "L_titel", "&Titel:", 10, 48, 66);
  e_titel = edit(GB_name, "e_titel", 78, 45, 248);
  b_name = knopf(GB_name, "b_name", "S&uchen", 236, 70, 90);
  L_interpret->setBuddy(e_interpret);
  L_titel->setBuddy(e_titel);
  // Read out on their own, not only as part of the group's title.
  e_strichcode->setAccessibleName("Strichcode");
  e_interpret->setAccessibleName("Interpret");
  e_titel->setAccessibleName("Titel");

  GB_laufwerk = gruppe("GB_laufwerk", "CD im Laufwerk", 566, 186);
  L_laufwerk = label(GB_laufwerk, "L_laufwerk", "Liest die Audio-CD im Laufwerk und sucht sie anhand ihrer Disc-ID.",
                     10, 20, 166);
  L_laufwerk->setGeometry(10, 20, 166, 42);
  L_laufwerk->setWordWrap(true);
  b_laufwerk = knopf(GB_laufwerk, "b_laufwerk", "&CD lesen", 86, 66, 90);

  pb_warten = mitName(new QProgressBar(this), "pb_warten");
  pb_warten->setGeometry(8, 118, 120, 18);
  pb_warten->setRange(0, 0);  // no end known: it just moves
  pb_warten->setTextVisible(false);
  L_status = mitName(new QLabel(this), "L_status");
  L_status->setGeometry(136, 118, 520, 18);
  L_status->setTextFormat(Qt::PlainText);
  b_abbrechen = knopf(this, "b_abbrechen", "&Abbrechen", 662, 114, 90);

  lv_ergebnisse = mitName(new QTreeWidget(this), "lv_ergebnisse");
  lv_ergebnisse->setAccessibleName("Ergebnisse");
  lv_ergebnisse->setRootIsDecorated(false);
  lv_ergebnisse->setUniformRowHeights(true);
  lv_ergebnisse->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lv_ergebnisse->setHeaderLabels(
      {"Interpret", "Titel", "Label / Katalognr.", "Jahr", "Format", "Land", "Strichcode", "Hinweis"});
  for (int s = 0; s < SPALTEN; ++s)
    lv_ergebnisse->setColumnWidth(s, massLesen(spaltenSchluessel(s), SPALTENBREITEN[s], 1));
  lv_ergebnisse->header()->setStretchLastSection(true);

  b_uebernehmen = knopf(this, "b_uebernehmen", "Ü&bernehmen", 8, 442, 110);
  b_eingabemaske = knopf(this, "b_eingabemaske", "In Eingabe&maske übernehmen", 126, 442, 190);
  b_weitere = knopf(this, "b_weitere", "&Weitere laden", 554, 442, 100);
  b_weitere->setToolTip("lädt die nächsten Veröffentlichungen der letzten Suche");
  b_schliessen = knopf(this, "b_schliessen", "Sch&liessen", 662, 442, 90);
  b_uebernehmen->setToolTip("fügt jede markierte Veröffentlichung als neuen Datensatz hinzu");
  b_eingabemaske->setToolTip("öffnet die Eingabemaske mit den Daten der markierten Veröffentlichung");

  connect(b_strichcode, &QPushButton::clicked, this, sicher([this] { b_strichcodeClick(); }));
  connect(e_strichcode, &QLineEdit::returnPressed, this, sicher([this] {
    // A barcode scanner types the digits and Enter.
    if (nurZiffern(e_strichcode->text()) && !sucht()) b_strichcodeClick();
  }));
  connect(b_name, &QPushButton::clicked, this, sicher([this] { b_nameClick(); }));
  for (QLineEdit* e : {e_interpret, e_titel})
    connect(e, &QLineEdit::returnPressed, this, sicher([this] {
      if (!sucht()) b_nameClick();
    }));
  connect(b_laufwerk, &QPushButton::clicked, this, sicher([this] { b_laufwerkClick(); }));
  connect(b_abbrechen, &QPushButton::clicked, this, sicher([this] { b_abbrechenClick(); }));
  connect(b_uebernehmen, &QPushButton::clicked, this, sicher([this] { b_uebernehmenClick(); }));
  connect(b_eingabemaske, &QPushButton::clicked, this, sicher([this] { b_eingabemaskeClick(); }));
  connect(b_weitere, &QPushButton::clicked, this, sicher([this] { b_weitereClick(); }));
  connect(b_schliessen, &QPushButton::clicked, this, sicher([this] { close(); }));
  connect(lv_ergebnisse, &QTreeWidget::itemSelectionChanged, this, [this] { zustandSetzen(); });
  lv_ergebnisse->installEventFilter(this);

  // Each way of searching, then the results and what can be done with them:
  // "Übernehmen" is one Tab away from the list.
  QWidget* const reihe[] = {e_strichcode, b_strichcode, e_interpret, e_titel, b_name, b_laufwerk,
                                  b_abbrechen, lv_ergebnisse, b_uebernehmen, b_eingabemaske, b_weitere, b_schliessen};
  for (std::size_t i = 1; i < std::size(reihe); ++i)
    setTabOrder(reihe[i - 1], reihe[i]);
  resize(QSize(massLesen("breite", BREITE, BREITE), massLesen("hoehe", HOEHE, HOEHE)));
  layoutAnpassen();
  zustandSetzen();
}

void TFOnline::layoutAnpassen() {
  if (!lv_ergebnisse) return;  // not built yet
  // The searches keep their place; the list takes what the window has beyond its smallest size.
  const int mehrBreit = width() - BREITE, mehrHoch = height() - HOEHE;
  L_status->setGeometry(136, 118, 520 + mehrBreit, 18);
  b_abbrechen->move(662 + mehrBreit, 114);
  lv_ergebnisse->setGeometry(8, 146, BREITE - 16 + mehrBreit, 286 + mehrHoch);
  b_uebernehmen->move(8, 442 + mehrHoch);
  b_eingabemaske->move(126, 442 + mehrHoch);
  b_weitere->move(554 + mehrBreit, 442 + mehrHoch);
  b_schliessen->move(662 + mehrBreit, 442 + mehrHoch);
}

void TFOnline::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  layoutAnpassen();
}

void TFOnline::hideEvent(QHideEvent* e) {
  QDialog::hideEvent(e);
  if (e->spontaneous() || !lv_ergebnisse || !IniFile) return;
  sicher([this] {
    // The size and the column widths the user chose are there again next time.
    const QSize mass = isMaximized() ? normalGeometry().size() : size();
    IniFile->WriteString(SEKTION, "breite", std::to_string(mass.width()));
    IniFile->WriteString(SEKTION, "hoehe", std::to_string(mass.height()));
    for (int s = 0; s < SPALTEN; ++s)
      IniFile->WriteString(SEKTION, spaltenSchluessel(s), std::to_string(lv_ergebnisse->columnWidth(s)));
  })();
}

bool TFOnline::sucht() const { return hintergrund_ && hintergrund_->laeuft(); }

void TFOnline::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TFOnline::FormShow() {
  // Artist and title of the current entry, as a start for the search by name.
  const int pos = HauptFormular ? HauptFormular->listbox->currentRow() + 1 : 0;
  if (DatBas && pos >= 1 && pos <= DatBas->get_anzahl()) {
    TDatensatz d;
    DatBas->get_datensatz(pos, d);
    e_interpret->setText(vonCp1252(d.Interpret.sicht()));
    e_titel->setText(vonCp1252(d.Titel.sicht()));
  }
  e_strichcode->setFocus();
  e_strichcode->selectAll();
}

void TFOnline::done(int r) {
  // Closing the window ends a running look-up; nothing of it is added.
  if (sucht()) {
    hintergrund_->abbrechen();
    L_status->clear();
    zustandSetzen();
  }
  QDialog::done(r);
}

bool TFOnline::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == lv_ergebnisse && e->type() == QEvent::KeyPress) {
    const int k = static_cast<QKeyEvent*>(e)->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
      sicher([this] { b_uebernehmenClick(); })();
      return true;
    }
  }
  return QDialog::eventFilter(objekt, e);
}

void TFOnline::b_strichcodeClick() {
  const QString code = strichcode(e_strichcode->text());
  if (code.isEmpty()) {
    meldungOk(TITEL_HINWEIS, "Bitte geben Sie einen Strichcode (EAN / UPC) aus 8 bis 14 Ziffern ein.");
    e_strichcode->setFocus();
    return;
  }
  dienstSuchen("Suche nach dem Strichcode " + code + "...", adresseStrichcode(plattform().musikDienst(), code));
}

void TFOnline::b_nameClick() {
  if (e_interpret->text().trimmed().isEmpty() && e_titel->text().trimmed().isEmpty()) {
    meldungOk(TITEL_HINWEIS, "Bitte geben Sie einen Interpreten oder einen Titel ein.");
    e_interpret->setFocus();
    return;
  }
  dienstSuchen("Suche nach Interpret und Titel...",
               adresseName(plattform().musikDienst(), e_interpret->text(), e_titel->text()));
}

void TFOnline::b_laufwerkClick() {
  if (sucht()) return;
  suchadresse_.clear();  // a disc has its releases in one answer
  const QString basis = plattform().musikDienst();
  suchen("Die CD im Laufwerk wird gelesen...",
         [basis, g = grenzen, lesen = discLesen](const std::atomic<bool>& abbrechen) -> TDienstAntwort {
           const TDiscId disc = lesen();
           switch (disc.art) {
             case TDiscId::KeineBibliothek: return {TDienstFehler::KeineBibliothek, {}};
             case TDiscId::KeinLaufwerk: return {TDienstFehler::KeinLaufwerk, {}};
             case TDiscId::KeineAudioCd: return {TDienstFehler::KeineAudioCd, {}};
             case TDiscId::Ok: break;
           }
           if (abbrechen) return {TDienstFehler::Abgebrochen, {}};
           const QString adresse =
               adresseDiscId(basis, QString::fromStdString(disc.id), QString::fromStdString(disc.inhalt));
           return dienstAbfragen(adresse, g, abbrechen);
         });
}

void TFOnline::b_abbrechenClick() {
  if (!sucht()) return;
  hintergrund_->abbrechen();
  L_status->setText("Die Suche wurde abgebrochen.");
  zustandSetzen();
}

void TFOnline::dienstSuchen(const QString& status, const QString& adresse) {
  if (sucht()) return;
  suchadresse_ = adresse;
  suchen(status, [adresse, g = grenzen](const std::atomic<bool>& abbrechen) {
    return dienstAbfragen(adresse, g, abbrechen);
  });
}

void TFOnline::b_weitereClick() {
  const int n = static_cast<int>(ergebnisse_.size());
  if (sucht() || suchadresse_.isEmpty() || n >= gesamt_) return;
  // The service counts from the first release of the search ("offset").
  const QString adresse = suchadresse_ + QString("&offset=%1").arg(n);
  suchen("Weitere Veröffentlichungen werden geladen...",
         [adresse, g = grenzen](const std::atomic<bool>& abbrechen) { return dienstAbfragen(adresse, g, abbrechen); },
         true);
}

void TFOnline::suchen(const QString& status, std::function<TDienstAntwort(const std::atomic<bool>&)> arbeit,
                      bool anhaengen) {
  if (sucht()) return;
  anhaengen_ = anhaengen;
  if (!anhaengen) {
    ergebnisse_.clear();
    uebernommen_.clear();
    gesamt_ = 0;
    lv_ergebnisse->clear();
  }
  L_status->setText(status);
  hintergrund_->starten(std::move(arbeit), [this](const TDienstAntwort& a) { antwortErhalten(a); });
  zustandSetzen();
}

void TFOnline::antwortErhalten(const TDienstAntwort& a) {
  zustandSetzen();
  if (a.fehler != TDienstFehler::Keiner) return fehlerMelden(a.fehler);
  auto seite = antwortSeiteLesen(a.koerper);
  if (!seite) return fehlerMelden(TDienstFehler::Unlesbar);
  if (seite->liste.empty() && !anhaengen_) return fehlerMelden(TDienstFehler::NichtGefunden);
  ergebnisseZeigen(std::move(*seite));
}

void TFOnline::fehlerMelden(TDienstFehler f) {
  const QString text = fehlertext(f);
  L_status->setText(text.section('\r', 0, 0));
  if (!text.isEmpty()) meldungOk(TITEL_HINWEIS, text);
}

void TFOnline::ergebnisseZeigen(TAntwortSeite seite) {
  const int vorher = static_cast<int>(ergebnisse_.size());
  const std::set<std::string> vorhanden = sammlungsSchluessel();
  for (TVeroeffentlichung& v : seite.liste) {
    zeileHinzufuegen(v, vorhanden);
    ergebnisse_.push_back(std::move(v));
  }
  const int n = static_cast<int>(ergebnisse_.size());
  // An empty further page means the search has nothing more, whatever its count said.
  gesamt_ = seite.liste.empty() ? n : std::max(seite.gesamt, n);
  if (n < gesamt_)
    L_status->setText(QString("%1 von %2 gezeigt – bitte genauer suchen").arg(n).arg(gesamt_));
  else
    L_status->setText(n == 1 ? QString("1 Veröffentlichung gefunden.") : QString("%1 Veröffentlichungen gefunden.").arg(n));
  if (n > vorher) lv_ergebnisse->setCurrentItem(lv_ergebnisse->topLevelItem(vorher));
  zustandSetzen();
}

void TFOnline::zeileHinzufuegen(const TVeroeffentlichung& v, const std::set<std::string>& vorhanden) {
  static const char* const FELDNAMEN[] = {"Interpret", "Titel", "Label", "Release", "Typ", "Genre", "Kommentar"};
  const TFelder f = felderZuordnen(v);
  QStringList verluste, gekuerzt;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (verliertZeichen(f[i])) verluste << FELDNAMEN[i];
    if (wirdGekuerzt(f[i])) gekuerzt << FELDNAMEN[i];
  }
  QString label = v.label;
  if (!v.katalognummer.isEmpty()) label += (label.isEmpty() ? "" : " / ") + v.katalognummer;
  auto* z = new QTreeWidgetItem(lv_ergebnisse, {einzeiligAnzeigen(v.interpret), einzeiligAnzeigen(v.titel),
                                               einzeiligAnzeigen(label), jahrAusDatum(v.datum),
                                               formateMitAnzahl(v.formate), einzeiligAnzeigen(v.land),
                                               einzeiligAnzeigen(v.strichcode), QString()});
  const QString zuordnung = "Typ: " + f[4] + "\nGenre: " + f[5] + "\nKommentar: " + f[6];
  for (int s = 0; s < SPALTEN; ++s) z->setToolTip(s, zuordnung);
  QStringList hinweise, erklaerungen;
  if (vorhanden.count(sammlungsSchluessel(v))) {
    hinweise << "bereits in der Sammlung";
    erklaerungen << "Ein Datensatz mit diesem Interpreten und Titel ist schon in der Sammlung.";
  }
  if (v.nameAusAlias) {
    hinweise << "Name aus Alias";
    erklaerungen << "Der Interpret hat keine lateinische Schreibweise: sein Alias bzw. Sortiername wird verwendet.";
  }
  if (!verluste.isEmpty()) {
    hinweise << "Zeichen werden ersetzt";
    erklaerungen << "Nicht darstellbare Zeichen werden ersetzt (durch ein ähnliches Zeichen oder \"?\") in: " +
                        verluste.join(", ");
  }
  if (!gekuerzt.isEmpty()) {
    hinweise << "gekürzt";
    erklaerungen << "Auf die Feldlänge von 255 Zeichen gekürzt: " + gekuerzt.join(", ");
  }
  z->setText(S_HINWEIS, hinweise.join(", "));
  if (!erklaerungen.isEmpty()) z->setToolTip(S_HINWEIS, erklaerungen.join("\n"));
}

std::vector<int> TFOnline::gewaehlteZeilen() const {
  std::vector<int> r;
  if (!lv_ergebnisse) return r;
  for (int i = 0; i < lv_ergebnisse->topLevelItemCount(); ++i)
    if (lv_ergebnisse->topLevelItem(i)->isSelected() && i < static_cast<int>(ergebnisse_.size())) r.push_back(i);
  return r;
}

void TFOnline::b_uebernehmenClick() {
  if (sucht()) return;
  // A line taken over once is not added again; one already in the collection only when the user says so.
  const std::set<std::string> vorhanden = sammlungsSchluessel();
  std::vector<int> zeilen, doppelt;
  for (int i : gewaehlteZeilen()) {
    if (static_cast<std::size_t>(i) < uebernommen_.size() && uebernommen_[static_cast<std::size_t>(i)]) continue;
    (vorhanden.count(sammlungsSchluessel(ergebnisse_[static_cast<std::size_t>(i)])) ? doppelt : zeilen).push_back(i);
  }
  if (!doppelt.empty() &&
      frageJa("Sicherheitsabfrage",
              (doppelt.size() == 1 ? QString("Eine markierte Veröffentlichung ist")
                                   : QString("%1 markierte Veröffentlichungen sind").arg(doppelt.size())) +
                  " bereits in der Sammlung.\rTrotzdem übernehmen?",
              TSymbol::Frage, this)) {
    zeilen.insert(zeilen.end(), doppelt.begin(), doppelt.end());
    std::sort(zeilen.begin(), zeilen.end());
  }
  if (zeilen.empty()) return;
  genresLaden(zeilen, [this, zeilen] { hinzufuegen(zeilen); });
}

void TFOnline::hinzufuegen(const std::vector<int>& zeilen) {
  int uebernommen = 0;
  for (int i : zeilen) {
    const TFelder f = felderFuerSammlung(ergebnisse_[static_cast<std::size_t>(i)]);
    if (!Connect->datensatz_hinzufuegen(f[0], f[1], f[2], f[3], f[4], f[5], f[6])) break;
    ++uebernommen;
    uebernommen_.resize(ergebnisse_.size());
    uebernommen_[static_cast<std::size_t>(i)] = 1;
    QTreeWidgetItem* z = lv_ergebnisse->topLevelItem(i);
    z->setText(S_HINWEIS, z->text(S_HINWEIS).isEmpty() ? QString("übernommen") : "übernommen, " + z->text(S_HINWEIS));
  }
  L_status->setText(uebernommen == 1 ? QString("1 Datensatz wurde übernommen.")
                                     : QString("%1 Datensätze wurden übernommen.").arg(uebernommen));
  // Ready for the next disc.
  e_strichcode->setFocus();
  e_strichcode->selectAll();
}

void TFOnline::b_eingabemaskeClick() {
  const std::vector<int> zeilen = gewaehlteZeilen();
  if (zeilen.empty() || !F_add || sucht()) return;
  const int zeile = zeilen.front();
  genresLaden({zeile}, [this, zeile] { inEingabemaske(zeile); });
}

void TFOnline::inEingabemaske(int zeile) {
  L_status->clear();
  const TFelder f = felderFuerSammlung(ergebnisse_[static_cast<std::size_t>(zeile)]);
  const QList<QLineEdit*> felder = F_add->eingabefelder();
  for (int i = 0; i < felder.size() && i < static_cast<int>(f.size()); ++i) felder[i]->setText(f[static_cast<std::size_t>(i)]);
  plattform().fensterModal(*F_add);
}

void TFOnline::genresLaden(const std::vector<int>& zeilen, std::function<void()> weiter) {
  std::vector<int> fehlend;
  QStringList adressen;
  const QString basis = plattform().musikDienst();
  for (int z : zeilen) {
    const TVeroeffentlichung& v = ergebnisse_[static_cast<std::size_t>(z)];
    const QString adresse = adresseVeroeffentlichung(basis, v.id);
    if (v.mitGenres || adresse.isEmpty()) continue;
    fehlend.push_back(z);
    adressen << adresse;
  }
  if (fehlend.empty()) return weiter();
  // The answers, one per address; filled on the worker thread before its result is handed back.
  auto antworten = std::make_shared<std::vector<QByteArray>>(fehlend.size());
  auto arbeit = [adressen, antworten, g = grenzen](const std::atomic<bool>& abbrechen) -> TDienstAntwort {
    for (qsizetype i = 0; i < adressen.size(); ++i) {
      TDienstAntwort a = dienstAbfragen(adressen[i], g, abbrechen);
      if (a.fehler == TDienstFehler::Abgebrochen) return a;
      if (a.fehler == TDienstFehler::Keiner) (*antworten)[static_cast<std::size_t>(i)] = std::move(a.koerper);
      // Unreachable or refusing: the others would fare no better; they keep what is known.
      else if (a.fehler != TDienstFehler::NichtGefunden) break;
    }
    return {};
  };
  L_status->setText(fehlend.size() == 1 ? QString("Die Veröffentlichung wird geladen...")
                                        : QString("Die Veröffentlichungen werden geladen..."));
  hintergrund_->starten(arbeit, [this, fehlend, antworten, weiter = std::move(weiter)](const TDienstAntwort&) {
    for (std::size_t i = 0; i < fehlend.size(); ++i) {
      TVeroeffentlichung& v = ergebnisse_[static_cast<std::size_t>(fehlend[i])];
      if (const auto geladen = veroeffentlichungLesen((*antworten)[i], v.id)) {
        v.genres = geladen->genres;
        v.mitGenres = true;
      }
    }
    zustandSetzen();
    weiter();
  });
  zustandSetzen();
}

void TFOnline::zustandSetzen() {
  if (!hintergrund_) return;
  const bool laeuft = sucht();
  pb_warten->setVisible(laeuft);
  b_abbrechen->setEnabled(laeuft);
  for (QPushButton* k : {b_strichcode, b_name, b_laufwerk}) k->setEnabled(!laeuft);
  const bool gewaehlt = !laeuft && !gewaehlteZeilen().empty();
  b_uebernehmen->setEnabled(gewaehlt);
  b_eingabemaske->setEnabled(gewaehlt);
  b_weitere->setEnabled(!laeuft && !suchadresse_.isEmpty() && static_cast<int>(ergebnisse_.size()) < gesamt_);
}
