#include "angaben/fenster/UFSammlerangaben.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "angaben/fenster/USterne.h"
#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"

TFSammlerangaben* FSammlerangaben = nullptr;

namespace {

const QString DATUM_FEHLER = QStringLiteral("Das Datum ist ungültig!\rBitte geben Sie es als TT.MM.JJJJ ein (z. B. 24.12.2025).");
const QString PREIS_FEHLER = QStringLiteral("Der Preis ist ungültig!\rBitte geben Sie ihn in Euro ein (z. B. 12,50).");

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A grade list: empty first, then the grades in their order (the sleeve's own ones only for sleeves).
QComboBox* zustandListe(QWidget* eltern, const char* name, bool huelle) {
  auto* c = mitName(new QComboBox(eltern), name);
  c->addItem(QString(), static_cast<int>(TZustand::Keiner));
  for (const TZustandEintrag& z : zustaende()) {
    if (z.nurHuelle && !huelle) continue;
    c->addItem(QString::fromUtf8(z.kuerzel), static_cast<int>(z.zustand));
    c->setItemData(c->count() - 1, QString::fromUtf8(z.bedeutung), Qt::ToolTipRole);
  }
  return c;
}
// Reads the list's grade; a grade the list does not hold (none chosen) stays as it was.
void zustandLesen(const QComboBox* c, TZustand& z) {
  if (c->currentIndex() >= 0) z = static_cast<TZustand>(c->currentData().toInt());
}
void zustandZeigen(QComboBox* c, TZustand z) {
  c->setCurrentIndex(c->findData(static_cast<int>(z)));
  c->setToolTip(c->currentData(Qt::ToolTipRole).toString());
}

bool datumLesen(const QLineEdit* e, std::string& iso) {
  const QString t = e->text().trimmed();
  if (t.isEmpty()) {
    iso.clear();
    return true;
  }
  auto d = datumAusAnzeige(t.toStdString());
  if (!d) return false;
  iso = *d;
  return true;
}

}  // namespace

TFSammlerangaben::TFSammlerangaben(QWidget* parent) : QDialog(parent) {
  setObjectName("FSammlerangaben");
  setWindowTitle("Vemla - Sammlerangaben");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(standardSchrift());
}

void TFSammlerangaben::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFSammlerangaben::aufbauen() {
  if (L_eintrag) return;
  L_eintrag = mitName(new QLabel(this), "L_eintrag");
  QFont fett = L_eintrag->font();
  fett.setBold(true);
  L_eintrag->setFont(fett);
  L_eintrag->setTextFormat(Qt::PlainText);
  L_eintrag->setWordWrap(true);

  combobox_zustandTontraeger = zustandListe(this, "combobox_zustandTontraeger", false);
  combobox_zustandHuelle = zustandListe(this, "combobox_zustandHuelle", true);
  auto zeile = [this](const char* name) { return mitName(new QLineEdit(this), name); };
  e_aufgenommenAm = zeile("e_aufgenommenAm");
  e_gekauftAm = zeile("e_gekauftAm");
  e_preis = zeile("e_preis");
  e_gekauftBei = zeile("e_gekauftBei");
  e_standort = zeile("e_standort");
  e_bewertung = mitName(new TSterne(this), "e_bewertung");
  e_notizen = mitName(new QPlainTextEdit(this), "e_notizen");
  e_notizen->setTabChangesFocus(true);
  e_verliehenAn = zeile("e_verliehenAn");
  e_verliehenSeit = zeile("e_verliehenSeit");
  e_zurueckBis = zeile("e_zurueckBis");
  for (QLineEdit* d : {e_aufgenommenAm, e_gekauftAm, e_verliehenSeit, e_zurueckBis}) {
    d->setPlaceholderText("TT.MM.JJJJ");
    d->setMaxLength(10);
  }
  e_preis->setPlaceholderText("0,00");

  const QFontMetrics fm(font());
  auto* form = new QFormLayout;
  auto beschriftet = [&](const char* name, const char* text, QWidget* feld) {
    auto* l = mitName(new QLabel(text, this), name);
    l->setBuddy(feld);
    form->addRow(l, feld);
  };
  beschriftet("L_zustandTontraeger", "Zustand &Tonträger:", combobox_zustandTontraeger);
  beschriftet("L_zustandHuelle", "Zustand &Hülle:", combobox_zustandHuelle);
  beschriftet("L_aufgenommenAm", "&Aufgenommen am:", e_aufgenommenAm);
  beschriftet("L_gekauftAm", "&Gekauft am:", e_gekauftAm);
  beschriftet("L_preis", "&Preis (€):", e_preis);
  beschriftet("L_gekauftBei", "Gekauft &bei:", e_gekauftBei);
  beschriftet("L_standort", "&Standort:", e_standort);
  beschriftet("L_bewertung", "Be&wertung:", e_bewertung);
  beschriftet("L_notizen", "N&otizen:", e_notizen);
  beschriftet("L_verliehenAn", "&Verliehen an:", e_verliehenAn);
  beschriftet("L_verliehenSeit", "Verliehen se&it:", e_verliehenSeit);
  beschriftet("L_zurueckBis", "&Zurück bis:", e_zurueckBis);
  for (QWidget* kurz : std::initializer_list<QWidget*>{combobox_zustandTontraeger, combobox_zustandHuelle,
                                                        e_aufgenommenAm, e_gekauftAm, e_preis, e_verliehenSeit,
                                                        e_zurueckBis})
    kurz->setFixedWidth(fm.horizontalAdvance("nicht bewertet") + 8 * fm.averageCharWidth());
  e_notizen->setMinimumHeight(fm.lineSpacing() * 6);

  b_voriger = mitName(new QPushButton("Vo&riger", this), "b_voriger");
  b_naechster = mitName(new QPushButton("&Nächster", this), "b_naechster");
  b_schliessen = mitName(new QPushButton("S&chließen", this), "b_schliessen");
  b_voriger->setToolTip("Der vorige Eintrag der Liste (Bild auf)");
  b_naechster->setToolTip("Der nächste Eintrag der Liste (Bild ab)");
  for (QPushButton* b : {b_voriger, b_naechster, b_schliessen}) b->setAutoDefault(false);

  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(L_eintrag);
  haupt->addLayout(form, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(b_voriger);
  knoepfe->addWidget(b_naechster);
  knoepfe->addStretch(1);
  knoepfe->addWidget(b_schliessen);
  haupt->addLayout(knoepfe);
  resize(fm.averageCharWidth() * 70, sizeHint().height());

  connect(b_voriger, &QPushButton::clicked, this, sicher([this] { blaettern(-1); }));
  connect(b_naechster, &QPushButton::clicked, this, sicher([this] { blaettern(1); }));
  connect(b_schliessen, &QPushButton::clicked, this, [this] { reject(); });
  // Bild auf / Bild ab from every field, before the fields' own use of the keys.
  connect(new QShortcut(QKeySequence(Qt::Key_PageUp), this), &QShortcut::activated, this, sicher([this] { blaettern(-1); }));
  connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, this, sicher([this] { blaettern(1); }));
  felderAnlegen();
}

void TFSammlerangaben::felderAnlegen() {
  auto zeilenFeld = [this](QLineEdit* e, std::string TAngaben::*feld) {
    felder_.push_back({e, [e, feld](TAngaben& a) { a.*feld = e->text().toStdString(); return true; },
                       [e, feld](const TAngaben& a) { e->setText(text(a.*feld)); }, {}});
  };
  auto datumFeld = [this](QLineEdit* e, std::string TAngaben::*feld) {
    felder_.push_back({e, [e, feld](TAngaben& a) { return datumLesen(e, a.*feld); },
                       [e, feld](const TAngaben& a) { e->setText(QString::fromStdString(datumAnzeige(a.*feld))); },
                       DATUM_FEHLER});
  };
  felder_.push_back({combobox_zustandTontraeger,
                     [this](TAngaben& a) { return zustandLesen(combobox_zustandTontraeger, a.zustandTontraeger), true; },
                     [this](const TAngaben& a) { zustandZeigen(combobox_zustandTontraeger, a.zustandTontraeger); },
                     {}});
  felder_.push_back({combobox_zustandHuelle,
                     [this](TAngaben& a) { return zustandLesen(combobox_zustandHuelle, a.zustandHuelle), true; },
                     [this](const TAngaben& a) { zustandZeigen(combobox_zustandHuelle, a.zustandHuelle); }, {}});
  datumFeld(e_aufgenommenAm, &TAngaben::aufgenommenAm);
  datumFeld(e_gekauftAm, &TAngaben::gekauftAm);
  felder_.push_back({e_preis,
                     [this](TAngaben& a) {
                       const QString t = e_preis->text().trimmed();
                       if (t.isEmpty()) return a.preisCent.reset(), true;
                       auto cent = preisAusAnzeige(t.toStdString());
                       if (!cent) return false;
                       a.preisCent = cent;
                       return true;
                     },
                     [this](const TAngaben& a) {
                       e_preis->setText(a.preisCent ? QString::fromStdString(preisAnzeige(*a.preisCent)) : QString());
                     },
                     PREIS_FEHLER});
  zeilenFeld(e_gekauftBei, &TAngaben::gekauftBei);
  zeilenFeld(e_standort, &TAngaben::standort);
  felder_.push_back({e_bewertung, [this](TAngaben& a) { return a.bewertung = e_bewertung->wert(), true; },
                     [this](const TAngaben& a) { e_bewertung->setWert(a.bewertung); }, {}});
  felder_.push_back({e_notizen, [this](TAngaben& a) { return a.notizen = e_notizen->toPlainText().toStdString(), true; },
                     [this](const TAngaben& a) { e_notizen->setPlainText(text(a.notizen)); }, {}});
  zeilenFeld(e_verliehenAn, &TAngaben::verliehenAn);
  datumFeld(e_verliehenSeit, &TAngaben::verliehenSeit);
  datumFeld(e_zurueckBis, &TAngaben::zurueckBis);
  for (const TFeld& f : felder_) f.w->installEventFilter(this);
  for (QComboBox* c : {combobox_zustandTontraeger, combobox_zustandHuelle})
    connect(c, &QComboBox::currentIndexChanged, c, [c] { c->setToolTip(c->currentData(Qt::ToolTipRole).toString()); });
}

void TFSammlerangaben::showEvent(QShowEvent* e) {
  // Over the main window at every opening, where the user looks.
  if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
  QDialog::showEvent(e);
  sicher([this] { FormShow(); })();
}

void TFSammlerangaben::FormShow() {
  pos_ = Connect->markiert() + 1;
  zeigen();
  combobox_zustandTontraeger->setFocus();
}

void TFSammlerangaben::zeigen() {
  const bool da = pos_ >= 1 && pos_ <= DatBas->get_anzahl();
  TDatensatz d;
  if (da) DatBas->get_datensatz(pos_, d);
  L_eintrag->setText(da ? listenzeileAnzeigen(d) : QString());
  const TAngaben a = da ? Connect->angaben(pos_) : TAngaben{};
  for (const TFeld& f : felder_) {
    f.zeigen(a);
    f.w->setEnabled(da);
  }
  b_voriger->setEnabled(pos_ > 1);
  b_naechster->setEnabled(da && pos_ < DatBas->get_anzahl());
}

bool TFSammlerangaben::feldUebernehmen(const TFeld& f) {
  if (pos_ < 1 || pos_ > DatBas->get_anzahl() || uebernimmt_) return true;
  uebernimmt_ = true;
  const TAngaben alt = Connect->angaben(pos_);
  TAngaben neu = alt;
  const bool gelesen = f.lesen(neu);
  if (gelesen && neu != alt) {
    Connect->angabenAendern(pos_, neu);
    if (qobject_cast<QLineEdit*>(f.w)) f.zeigen(neu);  // a date or price as it is kept: "01.02.2024", "12,50"
  }
  if (!gelesen) {
    meldungOk("Fehler:", f.fehler, TSymbol::Warnung, this);
    f.w->setFocus(Qt::OtherFocusReason);
  }
  uebernimmt_ = false;
  return gelesen;
}

bool TFSammlerangaben::uebernehmen() {
  for (const TFeld& f : felder_)
    if (!feldUebernehmen(f)) return false;
  return true;
}

void TFSammlerangaben::blaettern(int schritt) {
  if (!uebernehmen()) return;
  const int ziel = pos_ + schritt;
  if (ziel < 1 || ziel > DatBas->get_anzahl()) return;
  Connect->markieren(ziel - 1);
  Connect->anzeigen_aktualisieren();
  pos_ = ziel;
  zeigen();
}

void TFSammlerangaben::done(int ergebnis) {
  bool fertig = true;
  sicher([&] { fertig = !L_eintrag || uebernehmen(); })();
  if (fertig) QDialog::done(ergebnis);
}

bool TFSammlerangaben::eventFilter(QObject* objekt, QEvent* e) {
  if (e->type() == QEvent::FocusOut) {
    // Not when the window itself loses the focus (another window, a message
    // box) or a list opens its pop-up: the field is still being edited.
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(e)->reason();
    if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason)
      for (const TFeld& f : felder_)
        if (f.w == objekt) sicher([&] { feldUebernehmen(f); })();
  } else if (e->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(objekt)) {
    // Enter in a one-line field applies it.
    const int k = static_cast<QKeyEvent*>(e)->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter)
      for (const TFeld& f : felder_)
        if (f.w == objekt) {
          sicher([&] { feldUebernehmen(f); })();
          return true;
        }
  }
  return QDialog::eventFilter(objekt, e);
}
