#include "angaben/fenster/USterne.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace {
const QString VOLL = QStringLiteral("\u2605");
const QString LEER = QStringLiteral("\u2606");
}  // namespace

TSterne::TSterne(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  QFont f = font();
  f.setPointSizeF(f.pointSizeF() * 1.5);
  setFont(f);
  setWert(0);
}

void TSterne::setWert(int wert) {
  wert_ = std::clamp(wert, 0, HOECHST);
  // What a screen reader says, and the hint for the mouse.
  const QString text = wert_ == 0 ? QStringLiteral("keine Sterne")
                       : wert_ == 1 ? QStringLiteral("1 Stern")
                                    : QString::number(wert_) + QStringLiteral(" Sterne");
  setAccessibleDescription(text);
  setToolTip(text + QStringLiteral(" (Tasten 0 bis 5)"));
  update();
}

void TSterne::waehlen(int wert) {
  wert = std::clamp(wert, 0, HOECHST);
  if (wert == wert_) return;
  setWert(wert);
  emit geaendert(wert_);
}

int TSterne::sternBreite() const { return fontMetrics().horizontalAdvance(VOLL) + 4; }

QSize TSterne::sizeHint() const { return {HOECHST * sternBreite() + 6, fontMetrics().height() + 6}; }

void TSterne::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int b = sternBreite();
  for (int i = 0; i < HOECHST; ++i) {
    p.setPen(i < wert_ ? QColor(0xC8, 0x8A, 0x00) : palette().color(QPalette::Mid));
    p.drawText(QRect(3 + i * b, 0, b, height()), Qt::AlignCenter, i < wert_ ? VOLL : LEER);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect o;
    o.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
  }
}

void TSterne::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
  setFocus(Qt::MouseFocusReason);
  const int stern = std::clamp(static_cast<int>(e->position().x() - 3) / sternBreite() + 1, 1, HOECHST);
  waehlen(stern == 1 && wert_ == 1 ? 0 : stern);
}

void TSterne::keyPressEvent(QKeyEvent* e) {
  const int k = e->key();
  if (k >= Qt::Key_0 && k <= Qt::Key_5) waehlen(k - Qt::Key_0);
  else if (k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Plus) waehlen(wert_ + 1);
  else if (k == Qt::Key_Left || k == Qt::Key_Down || k == Qt::Key_Minus) waehlen(wert_ - 1);
  else if (k == Qt::Key_Home) waehlen(0);
  else if (k == Qt::Key_End) waehlen(HOECHST);
  else return QWidget::keyPressEvent(e);
}
