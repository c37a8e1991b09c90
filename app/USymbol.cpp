#include "app/USymbol.h"

#include <QAbstractButton>
#include <QEvent>

namespace {

class TSymbolSpaeter : public QObject {
 public:
  TSymbolSpaeter(QAbstractButton* knopf, QStyle::StandardPixmap symbol)
      : QObject(knopf), knopf_(knopf), symbol_(symbol) {
    knopf->installEventFilter(this);
  }

  bool eventFilter(QObject* objekt, QEvent* e) override {
    if (objekt == knopf_ && e->type() == QEvent::Show) {
      knopf_->removeEventFilter(this);
      knopf_->setIcon(knopf_->style()->standardIcon(symbol_));
      deleteLater();
    }
    return false;
  }

 private:
  QAbstractButton* knopf_;
  QStyle::StandardPixmap symbol_;
};

}  // namespace

void symbolBeimZeigen(QAbstractButton* knopf, QStyle::StandardPixmap symbol) { new TSymbolSpaeter(knopf, symbol); }
