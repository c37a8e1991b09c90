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
void kopieSchreiben(const std::string& neu, const std::string& ziel, std::string_view kopf, std::string_view saetze) {
  ::unlink(neu.c_str());  // what an earlier write left, or whatever was put there
  const int fd = ::open(neu.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) throw eaFehlerAusErrno(errno);
  bool ok = allesSchreiben(fd, kopf) && allesSchreiben(fd, saetze) && ::fsync(fd) == 0;
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
    if (const auto inhalt = kleineDatei(datei, KOPIE_ANGABEN_HOECHSTENS + KOPIE_HOECHSTENS))
      if (auto k = kopieLesen(*inhalt)) {
        saetze_ = std::string(k->saetze);
        angaben_ = std::move(k->angaben);
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
      angaben_(std::move(k.angaben_)), saetze_(std::move(k.saetze_)) {}

TVerwaisteKopie::~TVerwaisteKopie() {
  if (sperre_ >= 0) ::close(sperre_);
}

QString TVerwaisteKopie::pfad() const {
  const QString datei = ordner_ + "/" + kopieName(id_, ".sicherung");
  return vorhanden(bytes(datei)) ? datei : ordner_ + "/" + kopieName(id_, ".vem");
}

bool TVerwaisteKopie::wieGespeichert() const {
  if (!angaben_ || angaben_->datei.empty()) return false;
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

TSicherung::TSicherung(QString ordner, TConnect& connect, const TDatBas& db, int verzoegerungMs)
    : ordner_(std::move(ordner)), connect_(connect), db_(db) {
  id_ = QString::number(::getpid()) + "-" + QString::number(QRandomGenerator::global()->generate(), 16);
  timer_.setSingleShot(true);
  timer_.setInterval(verzoegerungMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { schreiben(); });
}

TSicherung::~TSicherung() {
  timer_.stop();
  if (!aufgegeben_ && connect_.file_changed()) jetztSchreiben();
  else entfernen();
  warten();
  if (sperre_ >= 0) {
    if (!kopieDa_) ::unlink(kopieDatei(ordner_, id_, ".sperre").c_str());
    ::close(sperre_);
  }
}

QString TSicherung::eigeneKopie() const { return ordner_ + "/" + kopieName(id_, ".sicherung"); }

void TSicherung::geaendert() {
  if (aufgegeben_) return;
  if (connect_.file_changed()) {
    if (!timer_.isActive()) timer_.start();
  } else {
    timer_.stop();
    entfernen();
  }
}

void TSicherung::schreiben() {
  if (aufgegeben_ || !connect_.file_changed()) return;
  // One write at a time: a change during a write is written after it.
  if (schreibt_.valid() && schreibt_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    timer_.start(50);
    return;
  }
  if (!sperreNehmen()) return;
  std::string daten = vemDaten(db_);
  TKopieAngaben angaben{dateiPfad(connect_.get_filename()), QDateTime::currentSecsSinceEpoch()};
  // The file's state when the collection last met it: a restore then knows whether it changed since.
  const TDateiWache& wache = connect_.dateiWache();
  if (!angaben.datei.empty() && wache.pfad() == angaben.datei) angaben.original = wache.kennung();
  kopieDa_ = true;
  schreibt_ = std::async(std::launch::async, [neu = kopieDatei(ordner_, id_, ".neu"), ziel = bytes(eigeneKopie()),
                                              daten = std::move(daten), angaben = std::move(angaben)] {
    try {
      kopieSchreiben(neu, ziel, kopieKopf(angaben, daten), daten);
    } catch (const std::exception&) {
      // A full disk: the next change tries again; the copy written before stays.
    }
  });
}

void TSicherung::jetztSchreiben() {
  timer_.stop();
  warten();
  schreiben();
  warten();
}

void TSicherung::warten() {
  if (schreibt_.valid()) schreibt_.get();
}

void TSicherung::entfernen() {
  if (!kopieDa_) return;
  warten();
  ::unlink(bytes(eigeneKopie()).c_str());
  kopieDa_ = false;
}

void TSicherung::aufgeben() {
  timer_.stop();
  entfernen();
  aufgegeben_ = true;
}

bool TSicherung::kopieDa() {
  warten();
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
