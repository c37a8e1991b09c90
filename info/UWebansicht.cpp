#include "info/UWebansicht.h"

#include <QPluginLoader>
#include <unistd.h>

#include "app/UOrte.h"

IWebansicht* webansichtLaden(QWidget* eltern) {
  static IWebModul* modul = [] () -> IWebModul* {
    // The engine refuses to run its sandbox for the superuser unless told not to.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
      qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const QString pfad = webModul();
    if (pfad.isEmpty()) return nullptr;
    QPluginLoader lader(pfad);
    return qobject_cast<IWebModul*>(lader.instance());
  }();
  return modul ? modul->ansichtErzeugen(eltern) : nullptr;
}
