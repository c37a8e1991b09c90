#pragma once
// The add-entry dialog: the single-entry window as an input mask for new
// entries, typed one after another. Each commit hands the seven texts to the
// controller, which checks them and appends the entry; the dialog keeps no
// entries of its own, only the texts of its fields and the state of cb_del,
// which both survive closing.
#include "dialogs/UFadd_einzeluebersicht.h"

class QCheckBox;
class QKeyEvent;
class QPlainTextEdit;

class TF_add : public TFadd_einzeluebersicht {
  Q_OBJECT
 public:
  explicit TF_add(QWidget* parent = nullptr);

  QPlainTextEdit* Memo1 = nullptr;
  QCheckBox* cb_del = nullptr;
  QPushButton *B_add_new = nullptr, *B_cancel = nullptr;  // B_close is inherited

 protected:
  void steuerelementeAnlegen() override;
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;
  void B_closeClick() override;

  void FormShow();
  void B_add_newClick();
  void B_cancelClick();
  // Key handler of the seven fields, cb_del and the three buttons; true when the key was used.
  bool cb_delKeyPress(QKeyEvent* e);

 private:
  // Hands the seven texts to the controller; on success empties the fields if cb_del is ticked.
  bool eintragen();
};
