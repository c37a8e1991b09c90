#include "app/USymbol.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include "app/UStandardsymbol.h"

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
      knopf_->setIcon(standardsymbol(*knopf_->style(), symbol_));
      deleteLater();
    }
    return false;
  }

 private:
  QAbstractButton* knopf_;
  QStyle::StandardPixmap symbol_;
};

// Stands for the style's symbol and fetches it at the first request for a picture.
class TSymbolBeimMalen : public TSymbolBeiBedarf {
 public:
  TSymbolBeimMalen(QWidget* w, QStyle::StandardPixmap symbol) : widget_(w), symbol_(symbol) {}

  QList<QSize> availableSizes(QIcon::Mode modus, QIcon::State zustand) override {
    return echt().availableSizes(modus, zustand);
  }
  QString key() const override { return QStringLiteral("TSymbolBeimMalen"); }
  QIconEngine* clone() const override {
    auto* k = new TSymbolBeimMalen(widget_, symbol_);
    k->echt_ = echt_;
    k->geholt_ = geholt_;
    return k;
  }

 private:
  const QIcon& fuer(const QSize&) override { return echt(); }
  const QIcon& echt() {
    if (!geholt_) {
      geholt_ = true;
      echt_ = standardsymbol(*(widget_ ? widget_->style() : QApplication::style()), symbol_);
    }
    return echt_;
  }

  QPointer<QWidget> widget_;
  QStyle::StandardPixmap symbol_;
  QIcon echt_;
  bool geholt_ = false;
};

}  // namespace

void symbolBeimZeigen(QAbstractButton* knopf, QStyle::StandardPixmap symbol) { new TSymbolSpaeter(knopf, symbol); }

QIcon symbolBeimMalen(QWidget* w, QStyle::StandardPixmap symbol) { return QIcon(new TSymbolBeimMalen(w, symbol)); }
