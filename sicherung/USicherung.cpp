#include "sicherung/USicherung.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "core/UFehler.h"
#include "core/USicherSchreiben.h"
#include "core/UVemDatei.h"

namespace {

std::string bytes(const QString& pfad) { return QFile::encodeName(pfad).toStdString(); }

QString kopieName(const QString& id, const char* endung) { return "kopie-" + id + endung; }

// The path of a file of copy "id" in "ordner", as the system takes it.
std::string kopieDatei(const QString& ordner, const QString& id, const char* endung) {
  return bytes(ordner + "/" + kopieName(id, endung));
}

// The whole content of a small file; nothing when it cannot be read or is larger than "hoechstens".
std::optional<std::string> kleineDatei(const std::string& pfad, std::size_t hoechstens) {
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<std::string> inhalt;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= hoechstens) {
    std::string s(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t gelesen = 0;
    while (gelesen < s.size()) {
      const ssize_t n = ::read(fd, s.data() + gelesen, s.size() - gelesen);
      if (n <= 0) break;
      gelesen += static_cast<std::size_t>(n);
    }
    if (gelesen == s.size()) inhalt = std::move(s);
  }
  ::close(fd);
  return inhalt;
}

// A copy the reader takes whole: a regular file of whole records, no more than the collection holds.
bool kopieLesbar(const std::string& pfad) {
  struct stat st;
  if (::stat(pfad.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto groesse = static_cast<unsigned long long>(st.st_size);
  return groesse % DATENSATZ_GROESSE == 0 && groesse <= static_cast<unsigned long long>(MAX_DATENSAETZE) * DATENSATZ_GROESSE;
}

}  // namespace

// ---------------------------------------------------------------- a copy left behind

TVerwaisteKopie::TVerwaisteKopie(QString ordner, QString id, int sperre)
    : ordner_(std::move(ordner)), id_(std::move(id)), sperre_(sperre) {
  if (const auto text = kleineDatei(bytes(angabenPfad()), KOPIE_ANGABEN_HOECHSTENS))
    if (kopieLesbar(bytes(vemPfad()))) angaben_ = kopieAngabenLesen(*text);
}

TVerwaisteKopie::TVerwaisteKopie(TVerwaisteKopie&& k) noexcept
    : ordner_(std::move(k.ordner_)), id_(std::move(k.id_)), sperre_(std::exchange(k.sperre_, -1)),
      angaben_(std::move(k.angaben_)) {}

TVerwaisteKopie::~TVerwaisteKopie() {
  if (sperre_ >= 0) ::close(sperre_);
}

QString TVerwaisteKopie::vemPfad() const { return ordner_ + "/" + kopieName(id_, ".vem"); }
QString TVerwaisteKopie::angabenPfad() const { return ordner_ + "/" + kopieName(id_, ".angaben"); }

void TVerwaisteKopie::entfernen() {
  if (sperre_ < 0) return;
  ::unlink(bytes(vemPfad()).c_str());
  ::unlink(bytes(angabenPfad()).c_str());
  ::unlink(kopieDatei(ordner_, id_, ".sperre").c_str());
  ::close(std::exchange(sperre_, -1));
}

QString TVerwaisteKopie::beiseitelegen() {
  const QString vorn = ordner_ + "/beschaedigt-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss") + "-";
  const QString neu = vorn + kopieName(id_, ".vem");
  ::rename(bytes(vemPfad()).c_str(), bytes(neu).c_str());
  ::rename(bytes(angabenPfad()).c_str(), bytes(vorn + kopieName(id_, ".angaben")).c_str());
  if (sperre_ >= 0) {
    ::unlink(kopieDatei(ordner_, id_, ".sperre").c_str());
    ::close(std::exchange(sperre_, -1));
  }
  return neu;
}

// ---------------------------------------------------------------- this program's copy

namespace {

// Who ends the process after an ending signal or exit(): 0 nobody yet, 1 the
// main thread or exit(), 2 the watch for a busy main thread. The first one wins.
std::atomic<int> endePhase{0};

// The reason the copy's lock or folder could not be made, from the failed call's error.
std::string ordnerGrund(const QString& ordner, int fehler) {
  const QFileInfo f(ordner);
  if ((f.exists() && !f.isDir()) || fehler == ENOTDIR) return "An seiner Stelle liegt eine Datei";
  return eaFehlerAusErrno(fehler).what();
}

}  // namespace

TSicherung::TSicherung(QString ordner, TConnect& connect, const TDatBas& db, int verzoegerungMs)
    : ordner_(std::move(ordner)), connect_(connect), db_(db) {
  id_ = QString::number(::getpid()) + "-" + QString::number(QRandomGenerator::global()->generate(), 16);
  timer_.setSingleShot(true);
  timer_.setInterval(verzoegerungMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { schreiben(); });
  auto kopieSchreiben = [vem = bytes(eigeneKopie()), begleit = kopieDatei(ordner_, id_, ".angaben")](const TKopieStand& s) {
    // The companion first: a copy on disk always has one.
    dateiSicherSchreiben(begleit, kopieAngabenText(s.angaben));
    dateiSicherSchreiben(vem, vemDaten(s.sammlung));
  };
  // Results and signals reach the main thread through the timer's queue (dropped once it is gone);
  // once the process ends, no notice is of use.
  auto ergebnisMelden = [this](const std::string& fehler) {
    if (endePhase.load() != 0) return;
    QMetaObject::invokeMethod(&timer_, [this, fehler] { ergebnis(fehler); }, Qt::QueuedConnection);
  };
  auto signalMelden = [this](int signal) {
    if (signalGesehen_.exchange(true)) return;
    QMetaObject::invokeMethod(&timer_, [this, signal] { signalEnde(signal); }, Qt::QueuedConnection);
    // The copy is on disk. A main thread that does not answer soon is busy: the
    // process ends without it (its settings writes then are not made).
    std::thread([signal] {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      int frei = 0;
      if (!endePhase.compare_exchange_strong(frei, 2)) std::this_thread::sleep_for(std::chrono::seconds(3));
      ::_exit(128 + signal);
    }).detach();
  };
  schreiber_ = std::make_unique<TKopieSchreiber>(kopieSchreiben, ergebnisMelden, signalMelden);
}

TSicherung::~TSicherung() {
  timer_.stop();
  hinweis_ = nullptr;  // the program ends: no notice any more
  if (!aufgegeben_ && connect_.file_changed()) jetztSchreiben();
  else entfernen();
  schreiber_->warten();
  if (sperre_ >= 0) {
    if (!kopieDa_) ::unlink(kopieDatei(ordner_, id_, ".sperre").c_str());
    ::close(sperre_);
  }
}

QString TSicherung::eigeneKopie() const { return ordner_ + "/" + kopieName(id_, ".vem"); }

void TSicherung::geaendert() {
  if (aufgegeben_) return;
  if (connect_.file_changed()) {
    // Handed over at once: a signal or a lost display writes it even before the timer.
    uebergeben();
    if (!timer_.isActive()) timer_.start();
  } else {
    timer_.stop();
    entfernen();
  }
}

bool TSicherung::uebergeben() {
  uebergeben_ = false;
  if (!sperreNehmen()) {
    fehlerMelden(ordnerGrund(ordner_, errno));
    return false;
  }
  auto stand = std::make_shared<TKopieStand>();
  stand->sammlung = db_;
  stand->angaben = {dateiPfad(connect_.get_filename()), QDateTime::currentSecsSinceEpoch()};
  schreiber_->uebergeben(std::move(stand));
  uebergeben_ = true;
  return true;
}

void TSicherung::schreiben() {
  if (aufgegeben_ || !connect_.file_changed()) return;
  if (!uebergeben_ && !uebergeben()) return;
  kopieDa_ = true;
  schreiber_->anfordern();
}

bool TSicherung::jetztSchreiben() {
  timer_.stop();
  if (!uebergeben()) return false;
  kopieDa_ = true;
  schreiber_->anfordern();
  return schreiber_->warten();
}

bool TSicherung::kopieFehlt() {
  if (aufgegeben_ || !connect_.file_changed()) return false;
  return !jetztSchreiben();
}

void TSicherung::ergebnis(const std::string& fehler) {
  if (!fehler.empty()) {
    fehlerMelden(fehler);
  } else if (gemeldet_) {
    gemeldet_ = false;
    if (hinweis_) hinweis_(QStringLiteral("Die Sicherungskopie wird wieder geschrieben."), false);
  }
}

void TSicherung::fehlerMelden(const std::string& grund) {
  if (std::exchange(gemeldet_, true)) return;
  if (hinweis_)
    hinweis_("Die Sicherungskopie kann nicht geschrieben werden (Ordner: " + ordner_ + ", Grund: " +
             QString::fromStdString(grund) + ").",
             true);
}

void TSicherung::signalEnde(int signal) {
  int frei = 0;
  if (!endePhase.compare_exchange_strong(frei, 1)) return;
  // No question: the changes stay in the copy (brought up to date with what
  // the main thread did since), and the exit's settings are written.
  timer_.stop();
  if (!aufgegeben_ && connect_.file_changed()) jetztSchreiben();
  if (beiSignal_) {
    try {
      beiSignal_();
    } catch (...) {
      // a refused settings write does not keep the program from ending
    }
  }
  std::fflush(nullptr);
  ::_exit(128 + signal);
}

void TSicherung::prozessEndet() {
  int frei = 0;
  if (!endePhase.compare_exchange_strong(frei, 1) || aufgegeben_) return;
  schreiber_->anfordern();
  schreiber_->warten();
}

void TSicherung::entfernen() {
  // A state handed over but not yet written must not reach the disk later either.
  schreiber_->verwerfen();
  uebergeben_ = false;
  if (!kopieDa_) return;
  ::unlink(bytes(eigeneKopie()).c_str());
  ::unlink(kopieDatei(ordner_, id_, ".angaben").c_str());
  kopieDa_ = false;
}

void TSicherung::aufgeben() {
  timer_.stop();
  entfernen();
  aufgegeben_ = true;
}

bool TSicherung::kopieDa() {
  schreiber_->warten();
  return kopieDa_ && ::access(bytes(eigeneKopie()).c_str(), F_OK) == 0;
}

bool TSicherung::sperreNehmen() {
  if (sperre_ >= 0) return true;
  // The copies hold the user's collection: the folder is the user's alone.
  if (!QFileInfo(ordner_).isDir()) {
    QDir().mkpath(QFileInfo(ordner_).absolutePath());
    ::mkdir(bytes(ordner_).c_str(), 0700);
  }
  const std::string pfad = kopieDatei(ordner_, id_, ".sperre");
  // Another start may remove a lock file nobody holds between our open and our lock:
  // a lock on a file no longer in the folder protects nothing, so take it anew.
  for (int versuch = 0; versuch < 3; ++versuch) {
    const int fd = ::open(pfad.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return false;
    }
    struct stat offen, imOrdner;
    if (::fstat(fd, &offen) == 0 && ::stat(pfad.c_str(), &imOrdner) == 0 && offen.st_dev == imOrdner.st_dev &&
        offen.st_ino == imOrdner.st_ino) {
      sperre_ = fd;
      return true;
    }
    ::close(fd);
  }
  return false;
}

std::vector<TVerwaisteKopie> TSicherung::verwaisteKopien() const {
  std::vector<TVerwaisteKopie> kopien;
  const QStringList namen = QDir(ordner_).entryList({"kopie-*"}, QDir::Files, QDir::Name);
  for (const QString& name : namen) {
    if (name.endsWith(".sperre")) {
      sperreOhneKopieEntfernen(name.chopped(7).mid(6));
      continue;
    }
    if (!name.endsWith(".vem")) continue;
    const QString id = name.mid(6, name.size() - 10);
    if (id == id_) continue;
    const std::string sperre = kopieDatei(ordner_, id, ".sperre");
    const int fd = ::open(sperre.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) continue;
    // Held: its program still runs.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      continue;
    }
    // Its program removed it while ending, just now.
    if (::access(bytes(ordner_ + "/" + name).c_str(), F_OK) != 0) {
      ::unlink(sperre.c_str());
      ::close(fd);
      continue;
    }
    kopien.emplace_back(ordner_, id, fd);
  }
  return kopien;
}

// A killed program whose copy was already removed (its collection was back at the saved
// state) leaves its lock file behind; nobody holds it any more.
void TSicherung::sperreOhneKopieEntfernen(const QString& id) const {
  const std::string vem = kopieDatei(ordner_, id, ".vem");
  if (id == id_ || ::access(vem.c_str(), F_OK) == 0) return;
  const std::string sperre = kopieDatei(ordner_, id, ".sperre");
  const int fd = ::open(sperre.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::access(vem.c_str(), F_OK) != 0) ::unlink(sperre.c_str());
  ::close(fd);
}
