#pragma once
// Options of the text report; "&exportieren" asks for the file and writes it.
#include "report/UF_print_export.h"

class TFexporttxt : public TF_print_export {
  Q_OBJECT
 public:
  explicit TFexporttxt(QWidget* parent = nullptr);
  void B_actionClick() override;
};
