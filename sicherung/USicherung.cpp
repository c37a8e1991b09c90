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

#include "angaben/UAngabenDb.h"
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

// The whole content of a file (following a link only when "folgen"); nothing
// when it cannot be read, is no regular file or is larger than "hoechstens".
std::optional<std::string> kleineDatei(const std::string& pfad, std::size_t hoechstens, bool folgen = false) {
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | (folgen ? 0 : O_NOFOLLOW));
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<std::string> inhalt;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= hoechstens) {
    std::string s(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t gelesen = 0;
    while (gelesen < s.size()) {
      const ssize_t n = ::read(fd, s.data() + gelesen, s.size() - gelesen);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      gelesen += static_cast<std::size_t>(n);
    }
    if (gelesen == s.size()) inhalt = std::move(s);
  }
  ::close(fd);
  return inhalt;
}

// Whether anything lies at "pfad" (a symbolic link too, wherever it points).
bool vorhanden(const std::string& pfad) {
  struct stat st;
  return ::lstat(pfad.c_str(), &st) == 0;
}

constexpr std::size_t KOPIE_HOECHSTENS = static_cast<std::size_t>(MAX_DATENSAETZE) * DATENSATZ_GROESSE;

bool allesSchreiben(int fd, std::string_view daten) {
  while (!daten.empty()) {
    const ssize_t n = ::write(fd, daten.data(), daten.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    daten.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Writes a copy's file: always a new file of its own at "neu", for this user
// alone, never anything that lies at either path (a symbolic link placed there
// is not followed), which replaces the copy at "ziel" once it is whole on disk.
void kopieSchreiben(const std::string& neu, const std::string& ziel, std::string_view kopf, std::string_view saetze,
                   std::string_view beilagen) {
  ::unlink(neu.c_str());  // what an earlier write left, or whatever was put there
  const int fd = ::open(neu.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) throw eaFehlerAusErrno(errno);
  bool ok = allesSchreiben(fd, kopf) && allesSchreiben(fd, saetze) && allesSchreiben(fd, beilagen) &&
            ::fsync(fd) == 0;
  int fehler = errno;
  if (::close(fd) != 0 && ok) ok = false, fehler = errno;
  if (ok && ::rename(neu.c_str(), ziel.c_str()) != 0) ok = false, fehler = errno;
  if (!ok) {
    ::unlink(neu.c_str());
    throw eaFehlerAusErrno(fehler == 0 ? EIO : fehler);
  }
}

// The copies hold the user's collection: the folder is the user's alone. A
// folder open to others (made so by an older version, or by hand) is closed;
// one on a file system without permissions (a portable copy on a FAT stick)
// is used as it is.
void ordnerSchuetzen(const std::string& ordner) {
  struct stat st;
  if (::stat(ordner.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 077) != 0) {
    if (::chmod(ordner.c_str(), 0700) != 0) {
      // no permissions to set there: nothing more to do
    }
  }
}

}  // namespace

// ---------------------------------------------------------------- a copy left behind

TVerwaisteKopie::TVerwaisteKopie(QString ordner, QString id, int sperre)
    : ordner_(std::move(ordner)), id_(std::move(id)), sperre_(sperre) {
  const std::string datei = kopieDatei(ordner_, id_, ".sicherung");
  if (vorhanden(datei)) {
    if (const auto inhalt = kleineDatei(datei, KOPIE_ANGABEN_HOECHSTENS + KOPIE_HOECHSTENS + KOPIE_BEILAGEN_HOECHSTENS))
      if (auto k = kopieLesen(*inhalt)) {
        saetze_ = std::string(k->saetze);
        angaben_ = std::move(k->angaben);
        if (k->beilagenDaten) beilagen_.emplace(k->beilagen.begin(), k->beilagen.end());
      }
    return;
  }
  // An older version's copy: the records in a bare collection file, the rest beside it.
  const auto text = kleineDatei(kopieDatei(ordner_, id_, ".angaben"), KOPIE_ANGABEN_HOECHSTENS);
  auto daten = kleineDatei(kopieDatei(ordner_, id_, ".vem"), KOPIE_HOECHSTENS);
  if (text && daten && daten->size() % DATENSATZ_GROESSE == 0 && (angaben_ = kopieAngabenLesen(*text)))
    saetze_ = std::move(*daten);
}

TVerwaisteKopie::TVerwaisteKopie(TVerwaisteKopie&& k) noexcept
    : ordner_(std::move(k.ordner_)), id_(std::move(k.id_)), sperre_(std::exchange(k.sperre_, -1)),
      angaben_(std::move(k.angaben_)), saetze_(std::move(k.saetze_)), beilagen_(std::move(k.beilagen_)) {}

TVerwaisteKopie::~TVerwaisteKopie() {
  if (sperre_ >= 0) ::close(sperre_);
}

QString TVerwaisteKopie::pfad() const {
  const QString datei = ordner_ + "/" + kopieName(id_, ".sicherung");
  return vorhanden(bytes(datei)) ? datei : ordner_ + "/" + kopieName(id_, ".vem");
}

bool TVerwaisteKopie::wieGespeichert() const {
  if (!angaben_ || angaben_->datei.empty()) return false;
  // Details are not compared with the details' file: a copy that carries any,
  // or whose collection has such a file, is offered rather than lost.
  if (beilagen_) {
    for (const std::string& b : *beilagen_)
      if (!b.empty()) return false;
    struct stat st;
    if (::lstat(angabenPfad(angaben_->datei).c_str(), &st) == 0) return false;
  }
  const auto original = kleineDatei(angaben_->datei, saetze_.size(), true);
  return original && *original == saetze_;
}

void TVerwaisteKopie::entfernen() {
  if (sperre_ < 0) return;
  for (const char* endung : {".sicherung", ".vem", ".angaben", ".neu", ".sperre"})
    ::unlink(kopieDatei(ordner_, id_, endung).c_str());
  ::close(std::exchange(sperre_, -1));
}

QString TVerwaisteKopie::beiseitelegen() {
  const QString vorn = ordner_ + "/beschaedigt-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss") + "-";
  const QString neu = vorn + QFileInfo(pfad()).fileName();
  for (const char* endung : {".sicherung", ".vem", ".angaben"})
    ::rename(kopieDatei(ordner_, id_, endung).c_str(), bytes(vorn + kopieName(id_, endung)).c_str());
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
  auto schreiben = [neu = kopieDatei(ordner_, id_, ".neu"), ziel = bytes(eigeneKopie())](const TKopieStand& s) {
    const std::string daten = vemDaten(s.sammlung);
    const std::string beilagen = kopieBeilagen(s.sammlung);
    kopieSchreiben(neu, ziel, kopieKopf(s.angaben, daten, beilagen), daten, beilagen);
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
  schreiber_ = std::make_unique<TKopieSchreiber>(schreiben, ergebnisMelden, signalMelden);
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

QString TSicherung::eigeneKopie() const { return ordner_ + "/" + kopieName(id_, ".sicherung"); }

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
  // The file's state when the collection last met it: a restore then knows whether it changed since.
  const TDateiWache& wache = connect_.dateiWache();
  if (!stand->angaben.datei.empty() && wache.pfad() == stand->angaben.datei) stand->angaben.original = wache.kennung();
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
  if (!QFileInfo(ordner_).isDir()) {
    QDir().mkpath(QFileInfo(ordner_).absolutePath());
    ::mkdir(bytes(ordner_).c_str(), 0700);
  }
  ordnerSchuetzen(bytes(ordner_));
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
  ordnerSchuetzen(bytes(ordner_));
  const QDir ordner(ordner_);
  // The programs whose files lie in the folder.
  QStringList ids;
  for (const QString& name : ordner.entryList({"kopie-*"}, QDir::Files | QDir::System, QDir::Name))
    if (name.lastIndexOf('.') > 6) ids << name.mid(6, name.lastIndexOf('.') - 6);
  ids.removeDuplicates();
  bool andereLaufen = false;
  for (const QString& id : ids) {
    if (id == id_) continue;
    const std::string sperre = kopieDatei(ordner_, id, ".sperre");
    const int fd = ::open(sperre.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) continue;
    // Held: its program still runs.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      andereLaufen = true;
      continue;
    }
    // What its program was writing when it ended is no copy.
    ::unlink(kopieDatei(ordner_, id, ".neu").c_str());
    // No copy (its program removed it, also just now while ending, or ended
    // before its first was whole): the rest of its files go.
    if (!vorhanden(kopieDatei(ordner_, id, ".sicherung")) && !vorhanden(kopieDatei(ordner_, id, ".vem"))) {
      ::unlink(kopieDatei(ordner_, id, ".angaben").c_str());
      ::unlink(sperre.c_str());
      ::close(fd);
      continue;
    }
    TVerwaisteKopie k(ordner_, id, fd);
    if (k.wieGespeichert()) k.entfernen();
    else kopien.push_back(std::move(k));
  }
  // An older version wrote its copies through temporary files ".vemla-XXXXXX"
  // that nobody else owns; they go when no other program may be writing one.
  if (!andereLaufen)
    for (const QString& name : ordner.entryList({".vemla-??????"}, QDir::Files | QDir::Hidden | QDir::System))
      ::unlink(bytes(ordner_ + "/" + name).c_str());
  return kopien;
}
