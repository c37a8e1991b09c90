#pragma once
// Options of the HTML report: the columns and the colour theme, with an
// example page per theme; "&exportieren" asks for the file and writes it.
#include "report/UF_print_export.h"

class QComboBox;
class QToolButton;

class TFexporthtml : public TF_print_export {
  Q_OBJECT
 public:
  explicit TFexporthtml(QWidget* parent = nullptr);
  void B_actionClick() override;
  void FormShow() override;
  void SBblauClick();
  void open_example(const QString& name);
  // The selected theme, 0 ("blau") .. 6 ("weiss").
  int thema() const;

  QGroupBox* GroupBox1;
  QLabel *Label1, *Label2;
  QComboBox* CBHtmlLayout;
  QToolButton* SBblau;

 protected:
  void zusatzAufbauen() override;
};
