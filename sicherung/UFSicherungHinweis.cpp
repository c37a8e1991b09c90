#include "sicherung/UFSicherungHinweis.h"

#include <algorithm>

#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"

TFSicherungHinweis::TFSicherungHinweis(QWidget* hauptfenster)
    : QWidget(hauptfenster, Qt::Tool | Qt::WindowDoesNotAcceptFocus), haupt_(hauptfenster) {
  setObjectName("FSicherungHinweis");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle("Hinweis");
  L_hinweis = new QLabel(this);
  L_hinweis->setObjectName("L_hinweis");
  L_hinweis->setWordWrap(true);
  L_hinweis->setFixedWidth(360);
  L_hinweis->setTextFormat(Qt::PlainText);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(10, 8, 10, 8);
  l->addWidget(L_hinweis);
  ausblenden_.setSingleShot(true);
  ausblenden_.setInterval(8000);
  connect(&ausblenden_, &QTimer::timeout, this, &QWidget::hide);
  haupt_->installEventFilter(this);
}

bool TFSicherungHinweis::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == haupt_ && isVisible() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) platzieren();
  return false;
}

void TFSicherungHinweis::zeigen(const QString& text, bool bleibt) {
  L_hinweis->setText(text);
  setFixedSize(sizeHint());  // a notice, not a window to resize
  platzieren();
  show();
  if (bleibt) ausblenden_.stop();
  else ausblenden_.start();
}

void TFSicherungHinweis::platzieren() {
  // Placed by its client area, with the frame the window manager puts around
  // it (its own once known, else that of the main window).
  const QRect rahmen = haupt_->frameGeometry();
  QMargins rand = haupt_->windowHandle() ? haupt_->windowHandle()->frameMargins() : QMargins();
  if (windowHandle() && !windowHandle()->frameMargins().isNull()) rand = windowHandle()->frameMargins();
  QRect r(QPoint(rahmen.right() - rand.right() - width() + 1, rahmen.bottom() + 8 + rand.top()), size());
  if (const QScreen* s = haupt_->screen()) {
    const QRect frei = s->availableGeometry();
    if (r.bottom() + rand.bottom() > frei.bottom()) r.moveBottom(rahmen.top() - 8 - rand.bottom());
    if (r.top() - rand.top() < frei.top()) r.moveBottom(rahmen.bottom() - 30);
    r.moveLeft(std::clamp(r.left(), frei.left() + rand.left(),
                          std::max(frei.left() + rand.left(), frei.right() - rand.right() - r.width() + 1)));
  }
  setGeometry(r);
}

void sicherungHinweisZeigen(const QString& text, bool bleibt) {
  if (!HauptFormular) return;
  static QPointer<TFSicherungHinweis> hinweis;
  if (!hinweis) hinweis = new TFSicherungHinweis(HauptFormular);
  hinweis->zeigen(text, bleibt);
}
