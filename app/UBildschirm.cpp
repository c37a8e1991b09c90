#include "app/UBildschirm.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// An X server answers at "anzeige" (a DISPLAY value): the connection that Qt's
// X platform would open, authentication included, is opened and closed again.
// Without libxcb nothing can be said, and Qt is left to find out.
bool xAntwortet(const char* anzeige) {
  void* xcb = ::dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
  if (!xcb) return true;
  using TConnect = void* (*)(const char*, int*);
  using TFehler = int (*)(void*);
  using TTrennen = void (*)(void*);
  const auto verbinden = reinterpret_cast<TConnect>(::dlsym(xcb, "xcb_connect"));
  const auto fehler = reinterpret_cast<TFehler>(::dlsym(xcb, "xcb_connection_has_error"));
  const auto trennen = reinterpret_cast<TTrennen>(::dlsym(xcb, "xcb_disconnect"));
  bool antwort = true;
  if (verbinden && fehler && trennen) {
    void* c = verbinden(anzeige, nullptr);
    antwort = c && fehler(c) == 0;
    if (c) trennen(c);
  }
  // libxcb stays loaded: Qt's X platform uses it next.
  return antwort;
}

bool gesetzt(const char* wert) { return wert && *wert; }

}  // namespace

std::optional<std::string> bildschirmFehlt(int argc, char** argv,
                                           const std::function<const char*(const char*)>& umgebung,
                                           const std::function<bool(const char*)>& verbinden) {
  // A platform named on the command line is Qt's business.
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return std::nullopt;
  const char* plattform = umgebung("QT_QPA_PLATFORM");
  if (gesetzt(plattform)) {
    if (std::strncmp(plattform, "xcb", 3) != 0) return std::nullopt;  // offscreen, wayland, vnc, ...
  } else if (gesetzt(umgebung("WAYLAND_DISPLAY"))) {
    return std::nullopt;
  }
  const char* anzeige = umgebung("DISPLAY");
  if (!gesetzt(anzeige))
    return std::string("Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt): Vemla braucht eine grafische Oberfläche.\n");
  if (verbinden(anzeige)) return std::nullopt;
  return "Kein Bildschirm gefunden (unter DISPLAY=" + std::string(anzeige) +
         " antwortet kein X-Server): Vemla braucht eine grafische Oberfläche.\n";
}

std::optional<int> bildschirmPruefen(int argc, char** argv) {
  const auto fehlt = bildschirmFehlt(
      argc, argv, [](const char* name) { return std::getenv(name); }, xAntwortet);
  if (!fehlt) return std::nullopt;
  std::fputs(fehlt->c_str(), stderr);
  std::fputs("Ohne Fenster arbeiten die Optionen, die \"vemla --help\" nennt; "
             "ein Fenster ohne Bildschirm zeigt etwa \"xvfb-run vemla\".\n",
             stderr);
  return 2;
}
