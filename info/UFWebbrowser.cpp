#include "info/UFWebbrowser.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "info/UWebansicht.h"

QString standardbrowserBeschriftung(const QString& adresse) {
  return "Seite  [ " + adresse + " ]" + "  im Standardbrowser öffnen";
}

TFWebbrowser::TFWebbrowser(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("FWebbrowser");
  setWindowTitle("--- site ---");
  setFont(standardSchrift());
  resize(780, 560);
  Panel1 = mitName(new QWidget(this), "Panel1");
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  B_webbrowser = mitName(new QPushButton(this), "B_webbrowser");
  B_close = mitName(new QPushButton("Fenster schliessen", this), "B_close");
  for (QPushButton* b : {B_webbrowser, B_close}) {
    b->setAutoDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    b->setFixedHeight(25);
  }
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(B_webbrowser, 1);
  knoepfe->addWidget(B_close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(Panel1, 1);
  layout->addLayout(knoepfe);

  connect(B_webbrowser, &QPushButton::clicked, this, sicher([this] { B_webbrowserClick(); }));
  connect(B_close, &QPushButton::clicked, this, [this] { reject(); });
  // Esc closes the window wherever the focus is, the page included: the key is
  // taken before the page sees it, so no page can keep it.
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  esc->setContext(Qt::WindowShortcut);
  connect(esc, &QShortcut::activated, this, [this] { reject(); });
}

void TFWebbrowser::seiteZeigen(const QString& adresse) {
  setWindowTitle(adresse);
  plattform().fensterModal(*this);
}

void TFWebbrowser::B_webbrowserClick() { plattform().dokumentOeffnen(windowTitle()); }

void TFWebbrowser::setVisible(bool sichtbar) {
  // The browser view is built before the window first appears: the engine's
  // view needs a window of another kind, and a window that is changed into one
  // while it shows loses its modality and the keyboard.
  if (sichtbar) browserErzeugen();
  QDialog::setVisible(sichtbar);
  // A closed window leaves nothing running: the page stops with it.
  if (!sichtbar && WebBrowser1) WebBrowser1->beenden();
}

void TFWebbrowser::showEvent(QShowEvent* e) {
  const QString adresse = windowTitle();
  B_webbrowser->setText(standardbrowserBeschriftung(adresse));
  if (HauptFormular) move(HauptFormular->geometry().center() - rect().center());
  QDialog::showEvent(e);
  if (WebBrowser1) {
    WebBrowser1->widget()->setFocus(Qt::OtherFocusReason);
    WebBrowser1->laden(QUrl::fromUserInput(adresse));
  }
  // A window manager need not hand the keyboard to a tool window by itself.
  QTimer::singleShot(0, this, [this] {
    if (isVisible() && !isActiveWindow()) activateWindow();
  });
}

void TFWebbrowser::browserErzeugen() {
  if (WebBrowser1 || L_keinbrowser) return;
  // The web engine starts here, the first time a page is shown, not with the program.
  WebBrowser1 = plattform().webansicht(Panel1);
  if (WebBrowser1) {
    WebBrowser1->widget()->setObjectName("WebBrowser1");
    Panel1->layout()->addWidget(WebBrowser1->widget());
    WebBrowser1->widget()->show();
    return;
  }
  L_keinbrowser = mitName(new QLabel("Die Seite kann hier nicht angezeigt werden.\n"
                                     "Öffnen Sie sie bitte im Standardbrowser.", Panel1),
                          "L_keinbrowser");
  L_keinbrowser->setAlignment(Qt::AlignCenter);
  Panel1->layout()->addWidget(L_keinbrowser);
}
