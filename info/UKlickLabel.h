#pragma once
// A label that acts like a link: hand cursor, a hint, and a signal when it is clicked.
#include <QLabel>

class TKlickLabel : public QLabel {
  Q_OBJECT
 public:
  TKlickLabel(const QString& text, const QString& hinweis, QWidget* parent);

 signals:
  void geklickt();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};
