#include "app/UFokus.h"

#include <QApplication>
#include <QMainWindow>

QWidget* sichtbaresHauptfenster() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow*>(w) && w->isVisible()) return w;
  return nullptr;
}

TFokusMerker::TFokusMerker() : fenster_(QApplication::activeWindow()), fokus_(QApplication::focusWidget()) {}

void TFokusMerker::zurueckgeben() const {
  QWidget* ziel = fenster_ && fenster_->isVisible() ? fenster_.data() : sichtbaresHauptfenster();
  if (!ziel) return;
  if (QApplication::activeWindow() != ziel) ziel->activateWindow();
  if (fokus_ && fokus_->window() == ziel && fokus_->isVisible() && fokus_->isEnabled())
    fokus_->setFocus(Qt::OtherFocusReason);
}
