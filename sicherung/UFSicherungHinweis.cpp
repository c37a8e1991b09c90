#include "sicherung/UFSicherungHinweis.h"

#include <algorithm>

#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

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
}

void TFSicherungHinweis::zeigen(const QString& text, bool bleibt) {
  L_hinweis->setText(text);
  setFixedSize(sizeHint());  // a notice, not a window to resize
  const QRect rahmen = haupt_->frameGeometry();
  QRect r(QPoint(rahmen.right() - width() + 1, rahmen.bottom() + 8), size());
  if (const QScreen* s = haupt_->screen()) {
    const QRect frei = s->availableGeometry();
    if (r.bottom() > frei.bottom()) r.moveBottom(rahmen.top() - 8);
    if (r.top() < frei.top()) r.moveBottom(rahmen.bottom() - 30);
    r.moveLeft(std::clamp(r.left(), frei.left(), std::max(frei.left(), frei.right() - r.width() + 1)));
  }
  move(r.topLeft());
  show();
  if (bleibt) ausblenden_.stop();
  else ausblenden_.start();
}

void sicherungHinweisZeigen(const QString& text, bool bleibt) {
  if (!HauptFormular) return;
  static QPointer<TFSicherungHinweis> hinweis;
  if (!hinweis) hinweis = new TFSicherungHinweis(HauptFormular);
  hinweis->zeigen(text, bleibt);
}
