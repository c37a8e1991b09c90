#pragma once
// The search dialog: in three levels, one below the other, the user chooses
// a field, types a search text and picks one of the hits, which the
// inherited seven fields show read-only. A completed level stays visible but
// greyed; two back buttons return one level up. The collection is only read.
#include "dialogs/UFadd_einzeluebersicht.h"

class QFrame;
class QToolButton;

class TFSuche : public TFadd_einzeluebersicht {
  Q_OBJECT
 public:
  explicit TFSuche(QWidget* parent = nullptr);

  // --- level operations
  void level1_on();
  void level1_disable();
  void level2_on();
  void level2_disable();
  void level2_off();
  void level3_on();
  void level3_off();
  void level3_shownormal();

  // --- controls (component names); the seven fields and B_close are inherited
  QLabel* Label1 = nullptr;
  QComboBox* cb_suche = nullptr;
  QToolButton* SBsuchoption = nullptr;
  QFrame* bevel1 = nullptr;
  QLabel *L_Suche = nullptr, *L_Info = nullptr;
  QLineEdit* E_suche = nullptr;
  QToolButton *SB_suche = nullptr, *SB_back1 = nullptr;
  QFrame* bevel2 = nullptr;
  QLabel *L_Suchergebnis = nullptr, *L_Suchergebnis2 = nullptr, *L_Auswahl = nullptr;
  QComboBox* ComboBox_Suchergebnis = nullptr;
  QToolButton* SB_back2 = nullptr;

 protected:
  void steuerelementeAnlegen() override;
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

  void FormShow();
  void SBsuchoptionClick();
  void SB_sucheClick();
  void SB_back1Click();
  void SB_back2Click();
  void ComboBox_SuchergebnisChange(int index);

 private:
  // The controls of each level, for the level operations.
  QList<QWidget*> stufe1() const;
  QList<QWidget*> stufe2() const;
  QList<QWidget*> stufe3() const;
  // The label and the field of field number 1..7.
  QList<QWidget*> feldUndLabel(int nr) const;
};
