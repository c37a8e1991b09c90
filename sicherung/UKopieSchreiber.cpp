#include "sicherung/UKopieSchreiber.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <iterator>

namespace {

// The self-pipe of the ending signals: the handler writes the signal's number, the writer thread reads it.
int leitung[2] = {-1, -1};
int schreiberAnzahl = 0;  // writers alive (main thread only); the handlers stay while there is one
constexpr int ENDE_SIGNALE[] = {SIGTERM, SIGHUP, SIGINT};

void signalAuf(int signal) {
  const int gesichert = errno;
  const auto nummer = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t n = ::write(leitung[1], &nummer, 1);
  errno = gesichert;
}

// The actions in place before: a signal the program was started to ignore (nohup) stays ignored.
struct sigaction vorher[std::size(ENDE_SIGNALE)];

void signaleAbfangen() {
  if (schreiberAnzahl++ > 0) return;
  if (leitung[0] < 0 && ::pipe2(leitung, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction sa = {};
  sa.sa_handler = signalAuf;
  sa.sa_flags = SA_RESTART;
  ::sigemptyset(&sa.sa_mask);
  for (std::size_t i = 0; i < std::size(ENDE_SIGNALE); ++i) {
    ::sigaction(ENDE_SIGNALE[i], nullptr, &vorher[i]);
    if (vorher[i].sa_handler != SIG_IGN) ::sigaction(ENDE_SIGNALE[i], &sa, nullptr);
  }
}

void signaleFreigeben() {
  if (--schreiberAnzahl > 0) return;
  for (std::size_t i = 0; i < std::size(ENDE_SIGNALE); ++i) ::sigaction(ENDE_SIGNALE[i], &vorher[i], nullptr);
}

}  // namespace

TKopieSchreiber::TKopieSchreiber(TSchreiben schreiben, std::function<void(const std::string&)> ergebnis,
                                 std::function<void(int)> signal)
    : schreiben_(std::move(schreiben)), ergebnis_(std::move(ergebnis)), signal_(std::move(signal)) {
  weck_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  signaleAbfangen();
  thread_ = std::thread([this] { laufen(); });
}

TKopieSchreiber::~TKopieSchreiber() {
  {
    std::lock_guard<std::mutex> l(m_);
    ende_ = true;
  }
  const std::uint64_t eins = 1;
  [[maybe_unused]] const ssize_t n = ::write(weck_, &eins, sizeof eins);
  thread_.join();
  ::close(weck_);
  signaleFreigeben();
}

void TKopieSchreiber::uebergeben(std::shared_ptr<const TKopieStand> stand) {
  std::lock_guard<std::mutex> l(m_);
  neuester_ = std::move(stand);
  ++nummer_;
}

void TKopieSchreiber::anfordern() {
  {
    std::lock_guard<std::mutex> l(m_);
    angefordert_ = true;
  }
  const std::uint64_t eins = 1;
  [[maybe_unused]] const ssize_t n = ::write(weck_, &eins, sizeof eins);
}

bool TKopieSchreiber::wartet() const { return angefordert_ && neuester_ && versucht_ != nummer_; }

bool TKopieSchreiber::warten() {
  std::unique_lock<std::mutex> l(m_);
  cv_.wait(l, [this] { return !schreibt_ && !wartet(); });
  return neuester_ && geschrieben_ == nummer_;
}

void TKopieSchreiber::verwerfen() {
  std::unique_lock<std::mutex> l(m_);
  neuester_.reset();
  angefordert_ = false;
  cv_.wait(l, [this] { return !schreibt_; });
}

void TKopieSchreiber::laufen() {
  for (;;) {
    pollfd fds[2] = {{weck_, POLLIN, 0}, {leitung[0], POLLIN, 0}};
    if (::poll(fds, leitung[0] >= 0 ? 2 : 1, -1) < 0) continue;  // EINTR
    int signal = 0;
    if (fds[1].revents & POLLIN) {
      unsigned char nummer = 0;
      if (::read(leitung[0], &nummer, 1) == 1) signal = nummer;
    }
    std::uint64_t zaehler;
    if ((fds[0].revents & POLLIN) && ::read(weck_, &zaehler, sizeof zaehler) < 0) {
      // nothing to read: another wake-up took it
    }
    std::unique_lock<std::mutex> l(m_);
    if (ende_) return;
    // The process is asked to end: the newest state goes to disk now, whatever the main thread does.
    if (signal) angefordert_ = true;
    anstehendeSchreiben(l);
    if (signal) {
      l.unlock();
      signal_(signal);
    }
  }
}

void TKopieSchreiber::anstehendeSchreiben(std::unique_lock<std::mutex>& l) {
  while (wartet()) {
    const std::shared_ptr<const TKopieStand> stand = neuester_;
    const unsigned long nummer = nummer_;
    schreibt_ = true;
    l.unlock();
    std::string fehler;
    try {
      schreiben_(*stand);
    } catch (const std::exception& e) {
      fehler = e.what();
      if (fehler.empty()) fehler = "E/A-Fehler";
    } catch (...) {
      fehler = "E/A-Fehler";
    }
    l.lock();
    schreibt_ = false;
    versucht_ = nummer;
    if (fehler.empty()) geschrieben_ = nummer;
    l.unlock();
    ergebnis_(fehler);
    l.lock();
  }
  angefordert_ = false;
  cv_.notify_all();
}
