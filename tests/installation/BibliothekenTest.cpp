// The libraries the program loads at every start: those that only a download or
// the spreadsheet export needs (with the many they pull in) are loaded when
// first used, so they must not appear among the program's dependencies.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "tests/installation/Hilfen.h"

namespace {

// The names of all shared libraries the dynamic linker loads with the program.
QStringList bibliotheken(const QString& programm) {
  const TLauf l = ausfuehren("ldd", {programm});
  EXPECT_EQ(l.rc, 0) << l.ausgabe.toStdString();
  QStringList namen;
  for (const QString& zeile : l.ausgabe.split('\n', Qt::SkipEmptyParts)) {
    const QString name = zeile.trimmed().section(QRegularExpression("\\s+"), 0, 0);
    if (!name.isEmpty()) namen << name.section('/', -1);
  }
  return namen;
}

}  // namespace

TEST(Bibliotheken, ProgrammStartetOhneDownloadUndTabellenBibliotheken) {
  const QStringList namen = bibliotheken(VEMLA_BAUORDNER "/vemla");
  // The list is read at all: the window libraries are there.
  for (const char* noetig : {"libQt6Widgets.so.6", "libQt6Core.so.6"})
    EXPECT_TRUE(namen.contains(noetig)) << noetig << " in " << namen.join(' ').toStdString();
  // Loaded only when first needed: libcurl and what it needs, libxlsxwriter with
  // minizip, the web engine and the print support.
  for (const char* spaeter : {"libcurl", "libgnutls", "libssh2", "libnghttp2", "libldap", "libkrb5",
                              "libxlsxwriter", "libminizip", "libQt6WebEngine", "libQt6PrintSupport"})
    for (const QString& name : namen)
      EXPECT_FALSE(name.startsWith(spaeter)) << name.toStdString();
}
