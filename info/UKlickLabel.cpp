#include "info/UKlickLabel.h"

#include <QMouseEvent>

TKlickLabel::TKlickLabel(const QString& text, const QString& hinweis, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  if (!hinweis.isEmpty()) setToolTip(hinweis);
}

void TKlickLabel::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit geklickt();
}
