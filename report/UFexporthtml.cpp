#include "report/UFexporthtml.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/USymbol.h"
#include "report/UReportAblauf.h"

TFexporthtml::TFexporthtml(QWidget* parent)
    : TF_print_export(parent, "Fexporthtml", "CD-Sammlung exportieren (Report schreiben)  [HTML-Datei]",
                      "Ausgabeformat:", "&exportieren") {
  setFixedHeight(317);
}

void TFexporthtml::zusatzAufbauen() {
  GroupBox1 = mitName(new QGroupBox("HTML-Layout:", this), "GroupBox1");
  GroupBox1->setGeometry(8, 216, 544, 56);
  Label1 = mitName(new QLabel("( Hintergrundfarbe,", GroupBox1), "Label1");
  Label1->move(16, 18);
  Label1->adjustSize();
  Label2 = mitName(new QLabel("Links, usw.. )", GroupBox1), "Label2");
  Label2->move(16, 33);
  Label2->adjustSize();
  CBHtmlLayout = mitName(new QComboBox(GroupBox1), "CBHtmlLayout");
  for (int i = 0; i < THEMEN_ANZAHL; ++i) CBHtmlLayout->addItem(themaName(i));
  CBHtmlLayout->setCurrentIndex(-1);
  CBHtmlLayout->setGeometry(230, 20, 150, 22);
  escSchliesst(CBHtmlLayout);
  SBblau = mitName(new QToolButton(GroupBox1), "SBblau");
  SBblau->setGeometry(390, 19, 26, 24);
  SBblau->setAutoRaise(true);
  symbolBeimZeigen(SBblau, QStyle::SP_FileDialogContentsView);
  SBblau->setToolTip("Beispiel-Datei ansehen");
  SBblau->setFocusPolicy(Qt::NoFocus);
  connect(SBblau, &QToolButton::clicked, this, sicher([this] { SBblauClick(); }));
  untenAb(282, 317);
}

void TFexporthtml::FormShow() {
  TF_print_export::FormShow();
  if (CBHtmlLayout->currentIndex() < 0) CBHtmlLayout->setCurrentIndex(THEMA_WEISS);
}

int TFexporthtml::thema() const {
  const_cast<TFexporthtml*>(this)->aufbauen();
  const int i = CBHtmlLayout->currentIndex();
  return i < 0 ? THEMA_WEISS : i;
}

void TFexporthtml::B_actionClick() {
  TF_print_export::B_actionClick();
  if (const auto name = reportZielWaehlen(TReportArt::Html, HauptFormular->reports().savedialog_html)) report_html(*name);
}

void TFexporthtml::SBblauClick() {
  aufbauen();
  const QString thema = CBHtmlLayout->currentText();
  if (QFileInfo(mitgelieferteDatei(thema + ".html")).isFile()) {
    open_example(thema + ".html");
  } else {
    meldungOk(ANWENDUNGSTITEL,
              "Die Beispieldatei \"" + thema + ".html\" im Vemla - Verzeichnis konnte nicht gefunden werden!");
  }
}

void TFexporthtml::open_example(const QString& name) { plattform().dokumentOeffnen(mitgelieferteDatei(name)); }
