#pragma once
// What a window's detail fields show as they stand (typed, not yet applied),
// handed to another window that starts from them, so that no window reads
// another's controls.
#include <QString>

struct TDetailTexte {
  QString interpret, titel, label;
};

class IDetailTexte {
 public:
  virtual ~IDetailTexte() = default;
  virtual TDetailTexte detailTexte() const = 0;
};
