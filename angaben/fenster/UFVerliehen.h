#pragma once
// Every lent entry with its borrower, since when and until when, the overdue
// ones (due before today) marked and first. "Zurückgegeben" ends the chosen
// loan; a double click or Enter closes the window and marks the entry in the
// main list.
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QLabel;
class QModelIndex;
class QPushButton;
class QTreeWidget;

// A lent entry: its position (1-based) and whether it is overdue.
struct TLeihe {
  int pos;
  bool ueberfaellig;
};
// The lent entries of the collection, overdue ones first (longest overdue
// first), the others in the order of the collection. "heute": ISO date.
std::vector<TLeihe> leihenListe(const std::string& heute);
// The menu item's text: how many loans are overdue today, when any are.
QString verliehenMenueText();

class TFVerliehen : public QDialog {
  Q_OBJECT
 public:
  explicit TFVerliehen(QWidget* parent = nullptr);
  // Builds the controls, once; showing the window does it first.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  // Lists the loans as the collection now stands.
  void FormShow();
  // Ends the loan of the chosen line: its three loan fields cleared, one step.
  void B_zurueckgegebenClick();
  // Marks the line's entry in the main list and closes.
  void gewaehlt(const QModelIndex& index);

  QLabel* L_anzahl = nullptr;
  QTreeWidget* LV_verliehen = nullptr;
  QPushButton* B_zurueckgegeben = nullptr;
  QPushButton* B_schliessen = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
};

// The window, created at start as an empty shell; gone with the main window.
extern TFVerliehen* FVerliehen;
