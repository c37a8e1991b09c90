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
class TSymbolBeimMalen : public QIconEngine {
 public:
  TSymbolBeimMalen(QWidget* w, QStyle::StandardPixmap symbol) : widget_(w), symbol_(symbol) {}

  void paint(QPainter* p, const QRect& r, QIcon::Mode modus, QIcon::State zustand) override {
    echt().paint(p, r, Qt::AlignCenter, modus, zustand);
  }
  QPixmap pixmap(const QSize& groesse, QIcon::Mode modus, QIcon::State zustand) override {
    return echt().pixmap(groesse, modus, zustand);
  }
  QSize actualSize(const QSize& groesse, QIcon::Mode modus, QIcon::State zustand) override {
    return echt().actualSize(groesse, modus, zustand);
  }
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
  bool isNull() override { return false; }
  void virtual_hook(int id, void* daten) override {
    if (id == QIconEngine::ScaledPixmapHook) {
      auto& a = *static_cast<QIconEngine::ScaledPixmapArgument*>(daten);
      a.pixmap = echt().pixmap(a.size / a.scale, a.scale, a.mode, a.state);
      return;
    }
    QIconEngine::virtual_hook(id, daten);
  }

 private:
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
