#pragma once
// The thread that writes the recovery copy. The main thread hands it each new
// state of the collection (a copy of its entries, cheap beside turning them into
// the file's bytes, which happens here, and the companion data) as soon as a
// change is made; the thread writes the newest state when asked (a while after a change,
// to spare the disk) and at once when the process is asked to end (SIGTERM,
// SIGHUP, SIGINT). The signal handlers only write the signal's number into a
// pipe this thread waits on, so the copy is brought up to date even while the
// main thread is busy or a modal box is open.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/UDatbas.h"
#include "sicherung/UKopieAngaben.h"

// One state of the collection for the copy.
struct TKopieStand {
  TDatBas sammlung;
  TKopieAngaben angaben;
};

class TKopieSchreiber {
 public:
  // Writes a state to disk; raises an error with the German reason when it cannot.
  using TSchreiben = std::function<void(const TKopieStand&)>;
  // "schreiben" runs on the writer thread; "ergebnis" hears there after each
  // write (empty: written, else the reason); "signal" hears there of an ending
  // signal once the newest state is written.
  TKopieSchreiber(TSchreiben schreiben, std::function<void(const std::string&)> ergebnis,
                  std::function<void(int)> signal);
  // Stops the thread after a running write; writes nothing more.
  ~TKopieSchreiber();
  TKopieSchreiber(const TKopieSchreiber&) = delete;
  TKopieSchreiber& operator=(const TKopieSchreiber&) = delete;

  // The newest state: written at the next request or signal.
  void uebergeben(std::shared_ptr<const TKopieStand> stand);
  // Writes the newest state unless it has been tried already.
  void anfordern();
  // Until no requested write is waiting or running; true when the newest state lies on disk.
  bool warten();
  // No state is to be written any more (the copy goes): waits for a running write.
  void verwerfen();

 private:
  void laufen();
  void anstehendeSchreiben(std::unique_lock<std::mutex>& sperre);
  bool wartet() const;

  TSchreiben schreiben_;
  std::function<void(const std::string&)> ergebnis_;
  std::function<void(int)> signal_;
  std::mutex m_;
  std::condition_variable cv_;
  std::shared_ptr<const TKopieStand> neuester_;
  unsigned long nummer_ = 0, versucht_ = 0, geschrieben_ = 0;
  bool angefordert_ = false, schreibt_ = false, ende_ = false;
  int weck_ = -1;  // eventfd: a request or the end
  std::thread thread_;
};
