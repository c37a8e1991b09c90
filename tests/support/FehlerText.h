#pragma once
// The German text of the error a call throws, or "kein Fehler" if it throws none.
#include <functional>
#include <string>

#include "core/UFehler.h"

inline std::string fehlerText(const std::function<void()>& f) {
  try {
    f();
  } catch (const EVemlaFehler& e) {
    return e.what();
  }
  return "kein Fehler";
}
