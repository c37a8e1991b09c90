#include "app/UZielSchutz.h"

#include <QDir>
#include <QFile>
#include <string>
#include <vector>

#include "app/UGlobal.h"
#include "core/UConnect.h"
#include "core/UDateiWache.h"
#include "sicherung/USicherung.h"
#include "sicherung/UWiederherstellen.h"

QStringList geschuetzteDateien() {
  QStringList r;
  if (Connect && !Connect->get_filename().isEmpty()) r << Connect->get_filename();
  if (TSicherung* s = sicherung()) r << s->eigeneKopie();
  return r;
}

QString zielEinwand(const QString& ziel, const QStringList& geschuetzt) {
  std::vector<std::string> pfade;
  for (const QString& g : geschuetzt) pfade.push_back(QFile::encodeName(g).toStdString());
  if (!ueberschreibtGeschuetzte(QFile::encodeName(ziel).toStdString(), pfade)) return {};
  return QDir::toNativeSeparators(QDir::current().absoluteFilePath(ziel)) +
         "\rDas ist die geöffnete CD-Sammlung: Sie würde überschrieben.\rWählen Sie einen anderen Dateinamen.";
}
