#pragma once
// The hand-written answers of the online music database used by the tests.
#include <QByteArray>
#include <QFile>
#include <string>

inline QByteArray testantwort(const char* name) {
  QFile f(QStringLiteral(VEMLA_QUELLORDNER "/tests/online/daten/") + name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline std::string testantwortText(const char* name) { return testantwort(name).toStdString(); }
