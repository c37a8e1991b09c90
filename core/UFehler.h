#pragma once
// Runtime errors of the program (file and settings input/output). They end the
// handler that raised them; the application shows their text in its general
// error box, followed by a full stop, and goes on.
#include <stdexcept>
#include <string>

class EVemlaFehler : public std::runtime_error {
 public:
  // text: the German message in UTF-8, without the closing full stop.
  explicit EVemlaFehler(const std::string& text) : std::runtime_error(text) {}
};

// An input/output error of a collection file, mapped to the runtime's German text.
class EEAFehler : public EVemlaFehler {
 public:
  EEAFehler(int nummer, const std::string& text) : EVemlaFehler(text), nummer_(nummer) {}
  int nummer() const { return nummer_; }

 private:
  int nummer_;
};

// Error numbers of the runtime that the program's messages know by name.
enum EANummer : int {
  EA_DATEI_NICHT_GEFUNDEN = 2,
  EA_UNGUELTIGER_NAME = 3,
  EA_ZU_VIELE_DATEIEN = 4,
  EA_ZUGRIFF_VERWEIGERT = 5,
  EA_DATEIENDE = 38,
  EA_SPEICHER_VOLL = 101,
};

// Builds the error for one of the numbers above or any other number.
EEAFehler eaFehler(int nummer);
// Maps an errno value of a failed open, read or write to the runtime's error.
EEAFehler eaFehlerAusErrno(int err);
