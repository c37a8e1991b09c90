#include "app/UOrte.h"

#include <QCoreApplication>

QString programmOrdner() { return QCoreApplication::applicationDirPath(); }

QString mitgelieferteDatei(const QString& name) { return programmOrdner() + "/" + name; }

QString eigeneDatei(const QString& name) { return programmOrdner() + "/" + name; }

QString iniPfad() { return eigeneDatei("vemla.ini"); }
