#pragma once
#include <QDialog>

class TF_add : public QDialog {
  Q_OBJECT
 public:
  explicit TF_add(QWidget* parent = nullptr) : QDialog(parent) { setObjectName("F_add"); }
};
