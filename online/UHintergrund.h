#pragma once
// Runs the look-ups of the online window on worker threads, so that the window
// stays responsive, and hands each result back on the window's thread. A
// cancelled job ends within moments; its result is dropped.
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "online/UMBDienst.h"

class THintergrund : public QObject {
  Q_OBJECT
 public:
  using TArbeit = std::function<TDienstAntwort(const std::atomic<bool>& abbrechen)>;
  using TFertig = std::function<void(const TDienstAntwort&)>;

  explicit THintergrund(QObject* parent = nullptr) : QObject(parent) {}
  ~THintergrund() override;

  // Runs "arbeit" on a thread of its own; "fertig" gets its result here, unless cancelled before.
  void starten(TArbeit arbeit, TFertig fertig);
  // Cancels the running job: "fertig" is not called for it.
  void abbrechen();
  bool laeuft() const { return laufend_ != nullptr; }

 private:
  // Shared by the job's thread, its queued result and this object.
  struct TZustand {
    std::atomic<bool> abbrechen{false};
    std::atomic<bool> beendet{false};
  };
  struct TAuftrag {
    std::shared_ptr<TZustand> zustand;
    std::thread faden;
  };
  void aufraeumen(bool alle);

  std::vector<TAuftrag> auftraege_;
  std::shared_ptr<TZustand> laufend_;
};
