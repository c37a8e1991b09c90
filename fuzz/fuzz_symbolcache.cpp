// Arbitrary bytes as the icon cache of an icon theme folder.
//
// Checked (by the sanitizers and the time limit): reading never runs outside
// the file and always comes to an end, for names of every kind.
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdlib>

#include "app/UStandardsymbol.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* daten, std::size_t groesse) {
  static const QString ordner = [] {
    const QString o = QDir::tempPath() + "/fuzz_symbolcache_" + QString::number(getpid());
    QDir().mkpath(o);
    return o;
  }();
  QFile datei(ordner + "/icon-theme.cache");
  if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  datei.write(reinterpret_cast<const char*>(daten), static_cast<qint64>(groesse));
  datei.close();
  for (const char* name : {"document-save", "go", "", "\xff\xfe"}) (void)imSymbolCache(ordner, name);
  return 0;
}
