#include "report/UF_print_export.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "core/UDatbas.h"

namespace {

constexpr int BREITE = 560;
constexpr int HOEHE = 250;
constexpr int EINTRAEGE_PRO_SEITE = 78;

// Left positions of the two example lines with and without the number prefix.
constexpr int BSP_LINKS_NUMMER = 18, BSP2_LINKS_NUMMER = 17;
constexpr int BSP_LINKS = 34, BSP2_LINKS = 33;
constexpr int BSP_OBEN = 176, BSP2_OBEN = 194;

}  // namespace

QString anzahlText(int anzahl) {
  if (anzahl == 1) return "Es befindet sich 1 Eintrag in Ihrer CD-Sammlung.";
  return "Es befinden sich " + QString::number(anzahl) + " Einträge in Ihrer CD-Sammlung.";
}

QString seitenText(int anzahl) {
  if (anzahl <= EINTRAEGE_PRO_SEITE) return "Es wird 1 Seite gedruckt (max 78 Einträge pro Seite).";
  const int seiten = (anzahl + EINTRAEGE_PRO_SEITE - 1) / EINTRAEGE_PRO_SEITE;
  return "Es werden " + QString::number(seiten) + " Seiten gedruckt (max 78 Einträge pro Seite).";
}

TF_print_export::TF_print_export(QWidget* parent, const char* name, const QString& titel, const QString& gruppe,
                                 const QString& aktion)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(titel);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(standardSchrift());
  setFixedSize(BREITE, HOEHE);

  auto label = [this](QWidget* eltern, const char* n, const QString& text, int x, int y) {
    QLabel* l = mitName(new QLabel(text, eltern), n);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  L_Anzahl = label(this, "L_Anzahl", "", 16, 10);
  L_Seiten = label(this, "L_Seiten", "", 16, 28);
  L_Seiten->hide();

  groupbox_print = mitName(new QGroupBox(gruppe, this), "groupbox_print");
  groupbox_print->setGeometry(8, 50, BREITE - 16, 98);
  auto box = [this](const char* n, const QString& text, int x, int y) {
    QCheckBox* c = mitName(new QCheckBox(text, groupbox_print), n);
    c->setGeometry(x, y, 140, 20);
    c->setChecked(true);
    escSchliesst(c);
    return c;
  };
  cb_num = box("cb_num", "&Nummerierung", 16, 22);
  checkbox_interpret = box("checkbox_interpret", "Interpret", 16, 46);
  checkbox_titel = box("checkbox_titel", "Titel", 16, 70);
  cb_gen = box("cb_gen", "&Genre", 230, 22);
  cb_lab = box("cb_lab", "&Label", 230, 46);
  cb_rel = box("cb_rel", "&Release", 230, 70);
  // Interpret and Titel are always part of the line: their boxes stay grayed.
  for (QCheckBox* c : {checkbox_interpret, checkbox_titel}) {
    c->setTristate(true);
    c->setCheckState(Qt::PartiallyChecked);
    connect(c, &QCheckBox::clicked, this, [c] { c->setCheckState(Qt::PartiallyChecked); });
  }
  for (QCheckBox* c : {cb_num, cb_gen, cb_lab, cb_rel})
    connect(c, &QCheckBox::clicked, this, sicher([this] { beispiel(); }));

  L_Beisp = label(this, "L_Beisp", "Beispiel:", 16, 156);
  L_Bsp = mitName(new TBeispielzeile(this, BSP_LINKS - BSP_LINKS_NUMMER), "L_Bsp");
  L_Bsp->move(BSP_LINKS_NUMMER, BSP_OBEN);
  L_Bsp2 = mitName(new TBeispielzeile(this, BSP2_LINKS - BSP2_LINKS_NUMMER), "L_Bsp2");
  L_Bsp2->move(BSP2_LINKS_NUMMER, BSP2_OBEN);

  auto knopf = [this](const char* n, const QString& text) {
    QPushButton* p = mitName(new QPushButton(text, this), n);
    p->setAutoDefault(false);  // Enter does not start the action
    escSchliesst(p);
    return p;
  };
  B_action = knopf("B_action", aktion);
  B_close = knopf("B_close", "&abbechen");
  untenAb(HOEHE - 35, HOEHE);
  connect(B_action, &QPushButton::clicked, this, sicher([this] { B_actionClick(); }));
  connect(B_close, &QPushButton::clicked, this, sicher([this] { B_closeClick(); }));
  beispiel();
}

void TF_print_export::untenAb(int oben, int hoehe) {
  setFixedSize(BREITE, hoehe);
  B_action->setGeometry(BREITE - 190, oben, 85, 25);
  B_close->setGeometry(BREITE - 97, oben, 85, 25);
}

void TF_print_export::escSchliesst(QWidget* w) { w->installEventFilter(this); }

bool TF_print_export::eventFilter(QObject* objekt, QEvent* e) {
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QDialog::eventFilter(objekt, e);
}

bool TF_print_export::nummerierung() const { return cb_num->isChecked(); }
bool TF_print_export::genre() const { return cb_gen->isChecked(); }
bool TF_print_export::label() const { return cb_lab->isChecked(); }
bool TF_print_export::release() const { return cb_rel->isChecked(); }

TReportOptionen TF_print_export::optionen() const { return {nummerierung(), genre(), label(), release()}; }

void TF_print_export::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TF_print_export::FormShow() {
  const int n = DatBas ? DatBas->get_anzahl() : 0;
  L_Anzahl->setText(anzahlText(n));
  L_Anzahl->adjustSize();
  L_Seiten->setText(seitenText(n));
  L_Seiten->adjustSize();
  beispiel();
}

void TF_print_export::beispiel() {
  QString bsp = "Interpret - Titel", bsp2 = "Selvarin - for an angel";
  const bool nummer = cb_num->isChecked();
  L_Bsp->move(nummer ? BSP_LINKS_NUMMER : BSP_LINKS, BSP_OBEN);
  L_Bsp2->move(nummer ? BSP2_LINKS_NUMMER : BSP2_LINKS, BSP2_OBEN);
  if (cb_gen->isChecked()) {
    bsp += "  [ Genre ]";
    bsp2 += "  [ Trance ]";
  }
  if (cb_lab->isChecked()) {
    bsp += "  [ Label ]";
    bsp2 += "  [ MFS ]";
  }
  if (cb_rel->isChecked()) {
    bsp += "  [ Release ]";
    bsp2 += "  [ 1995 ]";
  }
  L_Bsp->setzen(nummer ? "#   " : "", bsp);
  L_Bsp->adjustSize();
  L_Bsp2->setzen(nummer ? "15. " : "", bsp2);
  L_Bsp2->adjustSize();
}

void TBeispielzeile::setzen(const QString& praefix, const QString& rest) {
  praefixLaenge_ = praefix.size();
  setText(praefix + rest);
  updateGeometry();
  update();
}

QSize TBeispielzeile::sizeHint() const {
  if (praefixLaenge_ == 0) return QLabel::sizeHint();
  const QFontMetrics m(font());
  const QMargins r = contentsMargins();
  return {r.left() + praefixBreite_ + m.horizontalAdvance(text().mid(praefixLaenge_)) + r.right(),
          r.top() + m.height() + r.bottom()};
}

void TBeispielzeile::paintEvent(QPaintEvent* e) {
  if (praefixLaenge_ == 0) return QLabel::paintEvent(e);
  QPainter p(this);
  const QRect flaeche = contentsRect();
  const int ausrichtung = Qt::AlignLeft | Qt::AlignVCenter;
  style()->drawItemText(&p, flaeche, ausrichtung, palette(), isEnabled(), text().left(praefixLaenge_),
                        foregroundRole());
  style()->drawItemText(&p, flaeche.adjusted(praefixBreite_, 0, 0, 0), ausrichtung, palette(), isEnabled(),
                        text().mid(praefixLaenge_), foregroundRole());
}
