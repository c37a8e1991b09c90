#include "app/UOrte.h"

#include <QCoreApplication>
#include <QFile>

QString programmOrdner() { return QCoreApplication::applicationDirPath(); }

QString mitgelieferteDatei(const QString& name) { return programmOrdner() + "/" + name; }

QString eigeneDatei(const QString& name) { return programmOrdner() + "/" + name; }

QString iniPfad() { return eigeneDatei("vemla.ini"); }

QString webModul() {
  const QString daneben = mitgelieferteDatei("vemla_web.so");
  if (QFile::exists(daneben)) return daneben;
  return QStringLiteral(VEMLA_MODUL_ORDNER "/vemla_web.so");
}
