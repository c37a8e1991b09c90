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
#include <chrono>

#include "core/UConnect.h"
#include "core/UDatbas.h"
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

QString TSicherung::eigeneKopie() const { return ordner_ + "/" + kopieName(id_, ".vem"); }

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
  std::string angaben = kopieAngabenText({dateiPfad(connect_.get_filename()), QDateTime::currentSecsSinceEpoch()});
  kopieDa_ = true;
  schreibt_ = std::async(std::launch::async, [vem = bytes(eigeneKopie()),
                                              begleit = kopieDatei(ordner_, id_, ".angaben"),
                                              daten = std::move(daten), angaben = std::move(angaben)] {
    try {
      // The companion first: a copy on disk always has one.
      dateiSicherSchreiben(begleit, angaben);
      dateiSicherSchreiben(vem, daten);
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
  ::unlink(kopieDatei(ordner_, id_, ".angaben").c_str());
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
