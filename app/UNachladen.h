#pragma once

#include <dlfcn.h>

// Libraries that only some commands need are loaded with dlopen when first
// used, so that the program starts without them. Looks up one function of a
// loaded library; false when it is missing.
template <typename F>
bool symbolLaden(void* bibliothek, F& ziel, const char* name) {
  ziel = reinterpret_cast<F>(::dlsym(bibliothek, name));
  return ziel != nullptr;
}
