#pragma once
// The collection at a glance: the number of entries and one bar chart at a
// time (Typ, Genre, decade of Release, the most frequent Interpreten and
// Labels, the condition of disc and sleeve, the places on the shelf), the loans
// and the sum of the purchase prices, as the collection stands, unsaved changes included. A bar chosen
// (double click or Enter) closes the window and marks the first entry of its
// group in the main list. The chart shown can be saved as a PNG or SVG image.
#include <QDialog>
#include <QImage>
#include <vector>

#include "core/UStatistik.h"
#include "stat/UBalken.h"

class QLabel;
class QListWidget;
class QModelIndex;
class QPushButton;

class TFStatistik : public QDialog {
  Q_OBJECT
 public:
  explicit TFStatistik(QWidget* parent = nullptr);
  // Builds the controls, once; showing the window does it first.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  // Counts the collection and shows the chart chosen.
  void FormShow();
  // Shows chart "nr" (TDiagramm).
  void diagrammZeigen(int nr);
  // Marks the first entry of the bar's group in the main list and closes.
  void balkenGewaehlt(const QModelIndex& index);
  // Saves the chart shown as an image, asking for the file.
  void B_bildClick();

  // The chart shown as the saved image draws it: its title and all its bars.
  QString diagrammTitel() const;
  std::vector<TBalken> balken() const;
  QImage bild() const;

  QLabel* L_eintraege = nullptr;
  QLabel* L_angaben = nullptr;
  QListWidget* LB_diagramme = nullptr;
  QListWidget* LB_balken = nullptr;
  QPushButton* B_bild = nullptr;
  QPushButton* B_schliessen = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  TStatistik statistik_;
  TBalkenDelegate* delegate_ = nullptr;
};

// The window, created at start as an empty shell; gone with the main window.
extern TFStatistik* FStatistik;
