#include "online/UHintergrund.h"

THintergrund::~THintergrund() {
  for (auto& a : auftraege_) a.zustand->abbrechen = true;
  aufraeumen(true);
}

void THintergrund::starten(TArbeit arbeit, TFertig fertig) {
  abbrechen();
  aufraeumen(false);
  auto zustand = std::make_shared<TZustand>();
  laufend_ = zustand;
  std::thread faden([this, zustand, arbeit = std::move(arbeit), fertig = std::move(fertig)] {
    TDienstAntwort antwort = arbeit(zustand->abbrechen);
    zustand->beendet = true;
    // Queued to this object's thread; dropped if the object is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, zustand, fertig, antwort = std::move(antwort)] {
          if (zustand->abbrechen) return;
          if (laufend_ == zustand) laufend_.reset();
          fertig(antwort);
        },
        Qt::QueuedConnection);
  });
  auftraege_.push_back({std::move(zustand), std::move(faden)});
}

void THintergrund::abbrechen() {
  if (laufend_) laufend_->abbrechen = true;
  laufend_.reset();
}

void THintergrund::aufraeumen(bool alle) {
  for (auto it = auftraege_.begin(); it != auftraege_.end();) {
    if (alle || it->zustand->beendet) {
      it->faden.join();
      it = auftraege_.erase(it);
    } else {
      ++it;
    }
  }
}
