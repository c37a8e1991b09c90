#include "tests/installation/Hilfen.h"

#include <unistd.h>

#include <QProcess>
#include <algorithm>
#include <memory>

TLauf ausfuehren(const QString& programm, const QStringList& argumente, const QProcessEnvironment& umgebung,
                 const QString& ordner, int sekunden) {
  QProcess p;
  p.setProcessEnvironment(umgebung);
  p.setProcessChannelMode(QProcess::MergedChannels);
  if (!ordner.isEmpty()) p.setWorkingDirectory(ordner);
  p.start(programm, argumente);
  TLauf l;
  if (!p.waitForStarted(30000)) {
    l.ausgabe = programm + ": " + p.errorString();
    return l;
  }
  if (!p.waitForFinished(sekunden * 1000)) {
    p.kill();
    p.waitForFinished();
    l.ausgabe = QString::fromLocal8Bit(p.readAll()) + "\n(abgebrochen nach " + QString::number(sekunden) + " s)";
    return l;
  }
  l.rc = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  l.ausgabe = QString::fromLocal8Bit(p.readAll());
  return l;
}

const TInstallation& installation() {
  static std::unique_ptr<TInstallation> inst = [] {
    auto i = std::make_unique<TInstallation>();
    rechte(i->destdir.pfad(), std::filesystem::perms(0755));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", QString::fromStdString(i->destdir.pfad()));
    i->lauf = ausfuehren(VEMLA_CMAKE, {"--install", VEMLA_BAUORDNER, "--prefix", "/usr/local"}, env);
    for (const char* ordner : {"bin", "share/vemla", "share/vemla/help"})
      if (std::filesystem::exists(i->pfad(ordner))) rechte(i->pfad(ordner), std::filesystem::perms(0555));
    return i;
  }();
  return *inst;
}

void rechte(const std::string& pfad, std::filesystem::perms p) {
  std::filesystem::permissions(pfad, p, std::filesystem::perm_options::replace);
}

QStringList ordnerInhalt(const std::string& pfad) {
  QStringList namen;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(pfad, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    namen << QString::fromStdString(std::filesystem::relative(it->path(), pfad).string());
  std::sort(namen.begin(), namen.end());
  return namen;
}

bool alsRoot() { return ::geteuid() == 0; }

std::string datensatz(const std::string& interpret, const std::string& titel) {
  std::string d(7 * 256, '\0');
  d[0] = static_cast<char>(interpret.size());
  d.replace(1, interpret.size(), interpret);
  d[256] = static_cast<char>(titel.size());
  d.replace(257, titel.size(), titel);
  return d;
}
