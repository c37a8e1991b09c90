#pragma once
// A rating of 0 to 5 stars as one control: a click on a star sets it (a click
// on the only star set clears it), and the keyboard does the same: the digits
// 0 to 5, arrows and +/- one star more or less, Pos1 none, Ende all five.
#include <QWidget>

class TSterne : public QWidget {
  Q_OBJECT
 public:
  static constexpr int HOECHST = 5;
  explicit TSterne(QWidget* parent = nullptr);
  int wert() const { return wert_; }
  void setWert(int wert);
  QSize sizeHint() const override;

 signals:
  // The user changed the rating.
  void geaendert(int wert);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void waehlen(int wert);
  int sternBreite() const;
  int wert_ = 0;
};
