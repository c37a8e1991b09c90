#pragma once
// Options of printing, with the page estimate. The printing itself reads the
// options through TF_print_export::nummerierung() .. release() (or optionen()).
#include "report/UF_print_export.h"

class TFprint : public TF_print_export {
  Q_OBJECT
 public:
  explicit TFprint(QWidget* parent = nullptr);
  void B_actionClick() override;

 protected:
  void zusatzAufbauen() override;
};
