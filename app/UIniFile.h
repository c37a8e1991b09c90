#pragma once
// The settings file: a plain Windows-1252 INI file of [section] and key=value
// lines. Section and key names match without regard to case (A..Z), values
// exactly. Nothing is cached: every read goes to the file and every write
// changes the file at once (through dateiSicherSchreiben, so a failed write
// loses no other key). Running copies of the program take turns: a write holds
// a lock on the file's folder from reading the file to replacing it.
#include <string>

class TIniFile {
 public:
  explicit TIniFile(std::string pfad) : pfad_(std::move(pfad)) {}
  const std::string& FileName() const { return pfad_; }

  // The stored text (at most 2047 characters), or "standard" when the key or the file is missing.
  std::string ReadString(const std::string& sektion, const std::string& schluessel,
                         const std::string& standard) const;
  // Stores the text, creating file, section and key as needed. Raises
  // EVemlaFehler "nach <pfad> kann nicht geschrieben werden" when refused, and
  // also when the file exists but cannot be read (it is then left untouched).
  void WriteString(const std::string& sektion, const std::string& schluessel, const std::string& wert);
  // The stored text read as an integer ("0x"/"0X"/"$" hexadecimal) is not 0;
  // a missing key or a text that is no integer gives "standard".
  bool ReadBool(const std::string& sektion, const std::string& schluessel, bool standard) const;
  void WriteBool(const std::string& sektion, const std::string& schluessel, bool wert);

  static constexpr std::size_t MAX_WERTLAENGE = 2047;

 private:
  std::string pfad_;
};

// Reads the settings text "inhalt" (the whole file) like ReadString does.
std::string iniWertLesen(const std::string& inhalt, const std::string& sektion, const std::string& schluessel,
                         const std::string& standard);
// Returns "inhalt" with the key set to "wert", every other line kept as it was.
std::string iniWertSetzen(const std::string& inhalt, const std::string& sektion, const std::string& schluessel,
                          const std::string& wert);
// Reads an integer the way the settings do; false when the text is no integer.
bool iniGanzzahl(const std::string& text, long long& zahl);

// The settings file of the program, opened by the main window.
extern TIniFile* IniFile;
