#pragma once
// The table of the program's keyboard shortcuts: fixed text, read only.
#include <QDialog>

class QPushButton;
class QTableWidget;

class TFTastaturkrzl : public QDialog {
  Q_OBJECT
 public:
  explicit TFTastaturkrzl(QWidget* parent = nullptr);
  // Builds the table and the button, once; showing the window does it first.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  // The table's text, row 0 being the header row ("Tastenkombination", "Wirkung").
  QString zelle(int spalte, int zeile) const;
  static constexpr int ZEILEN = 58;  // header row included
  static constexpr int SPALTEN = 2;

  QTableWidget* SGTastaturkrzl = nullptr;
  QPushButton* BitBtn1 = nullptr;

 protected:
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  void FormCreate();
};
