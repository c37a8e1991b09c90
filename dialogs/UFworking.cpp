#include "dialogs/UFworking.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

#include "app/UGlobal.h"
#include "app/UFHaupt.h"

TFworking::TFworking(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName("Fworking");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle("Bitte warten..");
  setFixedSize(217, 72);
  Memo1 = new QLabel(this);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(0, 0, 217, 72);
  Memo1->setAlignment(Qt::AlignCenter);
  Memo1->setText("\nBitte warten Sie einen Moment!\n\nIhre Eingabe wird bearbeitet!");
  Memo1->setFont(QFont(SCHRIFT_VERDANA, 8));
  Memo1->setAutoFillBackground(true);
  QPalette p = Memo1->palette();
  p.setColor(QPalette::Window, farbe(FARBE_DUNKEL));
  p.setColor(QPalette::WindowText, farbe(FARBE_HELL));
  Memo1->setPalette(p);
}

void TFworking::zeigen() {
  if (!isVisible()) vorher_.emplace();
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
  show();
  raise();
  repaint();
  QApplication::processEvents();
}

void TFworking::verbergen() {
  hide();
  if (vorher_) vorher_->zurueckgeben();
  vorher_.reset();
  if (HauptFormular) HauptFormular->ablauf().aktivierungNachFenster();
  QApplication::processEvents();
}

void bitteWarten(bool an) {
  if (!Fworking) return;
  if (an) Fworking->zeigen();
  else Fworking->verbergen();
}
