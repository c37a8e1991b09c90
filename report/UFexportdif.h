#pragma once
// Options of the DIF report; "&exportieren" asks for the file and writes it.
#include "report/UF_print_export.h"

class TFexportdif : public TF_print_export {
  Q_OBJECT
 public:
  explicit TFexportdif(QWidget* parent = nullptr);
  void B_actionClick() override;
};
