#include "info/UF_Programminformation.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UFStartbildschirm.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "info/UFWebbrowser.h"
#include "info/UKlickLabel.h"

namespace {

constexpr int CLIENT_BREITE = 480;
constexpr int CLIENT_HOEHE = 420;
constexpr int KNOPF_HOEHE = 25;

// Tabs drawn as flat buttons: no frame until the mouse is over one, the open one pressed in.
constexpr const char* FLACHE_REITER =
    "QTabWidget::pane { border: none; }"
    "QTabBar::tab { border: 1px solid transparent; border-radius: 2px; padding: 3px 5px; margin: 2px 1px;"
    " background: transparent; }"
    "QTabBar::tab:hover { border-color: palette(mid); }"
    "QTabBar::tab:selected { border-color: palette(dark); background: palette(midlight); }";

void linkFarbe(QLabel* l) {
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, farbe(FARBE_DUNKEL));
  l->setPalette(p);
  QFont f = l->font();
  f.setUnderline(true);
  l->setFont(f);
}

}  // namespace

QString TF_Programminformation::seitentext(const QString& name) {
  QFile f(":/info/" + name + ".txt");
  if (!f.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(f.readAll()).trimmed();
}

QString TF_Programminformation::mailAdresse() { return QString("mailto:") + KONTAKT_EMAIL + "?subject=Vemla"; }

TF_Programminformation::TF_Programminformation(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("F_Programminformation");
  setWindowTitle("Vemla - Programminformation");
  setFont(standardSchrift());
  setFixedSize(CLIENT_BREITE, CLIENT_HOEHE);
}

void TF_Programminformation::setVisible(bool sichtbar) {
  if (sichtbar) seitenAnlegen();
  QDialog::setVisible(sichtbar);
}

void TF_Programminformation::seitenAnlegen() {
  if (PageControl1) return;
  PageControl1 = mitName(new QTabWidget(this), "PageControl1");
  PageControl1->setGeometry(0, 0, CLIENT_BREITE, CLIENT_HOEHE - KNOPF_HOEHE - 2);
  PageControl1->setDocumentMode(true);
  PageControl1->setUsesScrollButtons(false);
  PageControl1->setStyleSheet(FLACHE_REITER);
  PageControl1->tabBar()->setCursor(Qt::PointingHandCursor);
  auto seite = [this](const char* name, const char* titel) {
    QWidget* s = mitName(new QWidget, name);
    PageControl1->addTab(s, titel);
    return s;
  };
  TSuebervemla = seite("TSuebervemla", "über Vemla");
  TSDanksagung = seite("TSDanksagung", "Danksagung");
  TSVersionsuebersicht = seite("TSVersionsuebersicht", "Versionsübersicht");
  TSdisclaimer = seite("TSdisclaimer", "Disclaimer");
  TSweiteres = seite("TSweiteres", "weiteres");
  TSFeedback_online = seite("TSFeedback_online", "Feedback");
  TSAutor = seite("TSAutor", "Autor");

  seiteUeberVemla();
  Memo1 = textseite(TSDanksagung, "Memo1", "danksagung");
  Memo2 = textseite(TSVersionsuebersicht, "Memo2", "versionen");
  Memo3 = textseite(TSdisclaimer, "Memo3", "disclaimer");
  Memo4 = textseite(TSweiteres, "Memo4", "weiteres");
  seiteFeedback();
  seiteAutor();

  Bclose = mitName(new QPushButton("Fenster schliessen", this), "Bclose");
  Bclose->setGeometry(0, CLIENT_HOEHE - KNOPF_HOEHE, CLIENT_BREITE, KNOPF_HOEHE);
  Bclose->setCursor(Qt::PointingHandCursor);
  Bclose->setAutoDefault(false);
  verbinden();
}

void TF_Programminformation::seiteUeberVemla() {
  QWidget* s = TSuebervemla;
  const int logoLinks = (CLIENT_BREITE - 270) / 2;
  Image1 = mitName(new TKlickLabel(QString(), "Vemla online", s), "Image1");
  Image1->setPixmap(vemlaLogo());
  Image1->setGeometry(logoLinks, 10, 270, 150);
  Label6 = mitName(new TKlickLabel("v 1.0.6", QString(), s), "Label6");
  QPalette weiss = Label6->palette();
  weiss.setColor(QPalette::WindowText, Qt::white);
  Label6->setPalette(weiss);
  Label6->adjustSize();
  Label6->move(logoLinks + 270 - Label6->width() - 6, 10 + 150 - Label6->height() - 3);

  QLabel* ueberschrift = mitName(new QLabel("Vemla - die Verwaltung für Ihre CD- und Plattensammlung", s), "Label1");
  QFont fett = font();
  fett.setBold(true);
  ueberschrift->setFont(fett);
  ueberschrift->setAlignment(Qt::AlignCenter);
  ueberschrift->setGeometry(0, 172, CLIENT_BREITE, 18);

  auto zeile = [s](const char* name, const char* text, int oben) {
    QLabel* l = mitName(new QLabel(text, s), name);
    l->setGeometry(70, oben, 90, 16);
    return l;
  };
  auto link = [s](const char* name, const QString& text, const QString& hinweis, int oben) {
    TKlickLabel* l = mitName(new TKlickLabel(text, hinweis, s), name);
    linkFarbe(l);
    l->setGeometry(170, oben, 250, 16);
    return l;
  };
  zeile("Label2", "erstellt mit:", 205);
  Label10 = link("Label10", "C++ und Qt 6", QString(), 205);
  zeile("Label3", "Version:", 227);
  L_version = link("L_version", "1.0.6  [ Release: 04.02.2004 ]", "zur Versionsübersicht", 227);
  zeile("Label9", "online:", 249);
  L_online = link("L_online", PROGRAMM_HOMEPAGE, QString(), 249);
  zeile("Label11", "Hilfe:", 271);
  L_hilfe = link("L_hilfe", "anzeigen", "zeigt die Hilfe an", 271);

  Label7 = mitName(new TKlickLabel("© 2003-2004 Vemla  -  alle Rechte vorbehalten", "zum Disclaimer", s), "Label7");
  Label7->setAlignment(Qt::AlignCenter);
  Label7->setGeometry(0, 320, CLIENT_BREITE, 16);
}

QPlainTextEdit* TF_Programminformation::textseite(QWidget* seite, const char* name, const QString& datei) {
  auto* memo = mitName(new QPlainTextEdit(seite), name);
  memo->setReadOnly(true);
  memo->setFont(font());
  memo->setPlainText(seitentext(datei));
  auto* layout = new QVBoxLayout(seite);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(memo);
  return memo;
}

namespace {

// A page of a text followed by rows of a caption and a link.
QGridLayout* textMitLinks(QWidget* seite, const char* textName, const QString& text) {
  auto* layout = new QGridLayout(seite);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setHorizontalSpacing(12);
  layout->setVerticalSpacing(8);
  QLabel* l = mitName(new QLabel(text, seite), textName);
  l->setWordWrap(true);
  l->setTextFormat(Qt::PlainText);
  layout->addWidget(l, 0, 0, 1, 2);
  layout->setRowMinimumHeight(1, 12);
  return layout;
}

TKlickLabel* linkZeile(QGridLayout* layout, const char* beschriftungName, const char* beschriftung,
                       const char* name, const QString& text) {
  QWidget* seite = layout->parentWidget();
  const int zeile = layout->rowCount();
  layout->addWidget(mitName(new QLabel(beschriftung, seite), beschriftungName), zeile, 0);
  TKlickLabel* l = mitName(new TKlickLabel(text, QString(), seite), name);
  linkFarbe(l);
  layout->addWidget(l, zeile, 1);
  return l;
}

}  // namespace

void TF_Programminformation::seiteFeedback() {
  QGridLayout* layout = textMitLinks(TSFeedback_online, "Label12", seitentext("feedback"));
  Label4 = linkZeile(layout, "Label18", "Homepage:", "Label4", PROGRAMM_HOMEPAGE);
  Label8 = linkZeile(layout, "Label19", "Forum:", "Label8", DISKUSSION_ADRESSE);
  Label5 = linkZeile(layout, "Label20", "E-Mail:", "Label5", KONTAKT_EMAIL);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(layout->rowCount(), 1);
}

void TF_Programminformation::seiteAutor() {
  QGridLayout* layout = textMitLinks(TSAutor, "Label13", seitentext("autor"));
  Label16 = linkZeile(layout, "Label21", "E-Mail:", "Label16", KONTAKT_EMAIL);
  Label17 = linkZeile(layout, "Label22", "Homepage:", "Label17", AUTOR_HOMEPAGE);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(layout->rowCount(), 1);
}

void TF_Programminformation::verbinden() {
  auto klick = [this](TKlickLabel* l, auto befehl) { connect(l, &TKlickLabel::geklickt, this, sicher(befehl)); };
  klick(L_version, [this] { PageControl1->setCurrentIndex(2); });
  klick(Label7, [this] { PageControl1->setCurrentIndex(3); });
  for (TKlickLabel* l : {L_online, Image1, Label6, Label4})
    klick(l, [] { FWebbrowser->seiteZeigen(PROGRAMM_HOMEPAGE); });
  klick(L_hilfe, [] { HauptFormular->hilfe(); });
  for (TKlickLabel* l : {Label5, Label16}) klick(l, [] { plattform().dokumentOeffnen(mailAdresse()); });
  klick(Label8, [] { plattform().dokumentOeffnen(DISKUSSION_ADRESSE); });
  klick(Label17, [] { FWebbrowser->seiteZeigen(AUTOR_HOMEPAGE); });
  klick(Label10, [] { plattform().dokumentOeffnen(WERKZEUG_HOMEPAGE); });
  connect(Bclose, &QPushButton::clicked, this, [this] { reject(); });
}
