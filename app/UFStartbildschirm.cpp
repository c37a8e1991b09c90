#include "app/UFStartbildschirm.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"

QPixmap vemlaLogo() {
  QPixmap bild(270, 150);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient verlauf(0, 0, 0, 150);
  verlauf.setColorAt(0, farbe(FARBE_LOGO_OBEN));
  verlauf.setColorAt(1, farbe(FARBE_LOGO_UNTEN));
  p.fillRect(bild.rect(), verlauf);
  // A disc with its hole, a little off the right edge.
  p.setPen(QPen(QColor(255, 255, 255, 90), 2));
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawEllipse(QPointF(205, 62), 48, 48);
  p.setBrush(farbe(FARBE_LOGO_OBEN));
  p.drawEllipse(QPointF(205, 62), 10, 10);
  p.setPen(Qt::white);
  QFont f(SCHRIFT_VERDANA, 30, QFont::Bold);
  p.setFont(f);
  p.drawText(QRect(18, 30, 200, 50), Qt::AlignLeft | Qt::AlignVCenter, "Vemla");
  QFont klein(SCHRIFT_VERDANA, 8);
  p.setFont(klein);
  p.drawText(QRect(20, 82, 220, 20), Qt::AlignLeft | Qt::AlignVCenter, "CD- und Plattensammlung");
  return bild;
}

TFStartbildschirm::TFStartbildschirm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("FStartbildschirm");
  setFixedSize(270, 168);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, 270, 150);  // the logo is painted when the window is first shown
  auto beschriftung = [this](const char* name, const char* text, QColor c) {
    QLabel* l = new QLabel(text, this);
    l->setObjectName(name);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
    l->setFont(QFont(SCHRIFT_STANDARD, 8));
    l->adjustSize();
    return l;
  };
  L_loading = beschriftung("L_loading", "loading..", farbe(16643308));
  L_loading->move(6, 150 - L_loading->height() - 3);
  Label1 = beschriftung("Label1", "v 1.0.6", Qt::white);
  Label1->move(270 - Label1->width() - 6, 150 - Label1->height() - 3);
  loading = new QProgressBar(this);
  loading->setObjectName("loading");
  loading->setGeometry(0, 150, 270, 18);
  loading->setRange(0, 100);
  loading->setValue(0);
  loading->setOrientation(Qt::Vertical);  // fills from its bottom edge upwards
  loading->setTextVisible(false);
  timerbar = new QTimer(this);
  timerbar->setObjectName("timerbar");
  timerbar->setInterval(50);
  connect(timerbar, &QTimer::timeout, this, &TFStartbildschirm::timerbarTimer);
  timerbar->start();  // counts from program start, not from showing
  if (HauptFormular) HauptFormular->installEventFilter(this);
}

void TFStartbildschirm::timerbarTimer() {
  if (loading->value() < 100) {
    loading->setValue(std::min(100, loading->value() + 4));
    // Drawn at once: every step shows, and so does the full bar before the window closes.
    if (isVisible()) loading->repaint();
  }
  // The window manager may report the main window's frame only now.
  if (isVisible()) ausrichten();
  if (loading->value() >= 100 && isVisible()) {
    timerbar->stop();
    accept();
  }
}

void TFStartbildschirm::ausrichten() {
  if (!HauptFormular) return;
  const QPoint ziel = HauptFormular->endgueltigerRahmen().center() - rect().center();
  if (pos() != ziel) move(ziel);
}

bool TFStartbildschirm::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == HauptFormular && (e->type() == QEvent::Move || e->type() == QEvent::Resize) && isVisible())
    ausrichten();
  return QDialog::eventFilter(objekt, e);
}

void TFStartbildschirm::showEvent(QShowEvent* e) {
  // Centred on the main window as the window manager has placed it, frame included.
  ausrichten();
  if (Image1->pixmap().isNull()) Image1->setPixmap(vemlaLogo());
  QDialog::showEvent(e);
}
