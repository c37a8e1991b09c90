#pragma once
// Writing a whole file so that a failure never destroys what was there: the
// new content goes to a temporary file beside the target, which replaces the
// target only once everything is written and flushed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct stat;

// One state of a file: where it lies (device, inode), its length, its time of
// change, and a checksum of its bytes.
struct TDateiKennung {
  unsigned long long geraet = 0, knoten = 0, groesse = 0;
  long long geaendertNs = 0;
  std::uint64_t pruefsumme = 0;
  bool operator==(const TDateiKennung&) const = default;
  // Same place, length and time of change: the file was not written since.
  bool gleicheStelle(const TDateiKennung& k) const {
    return geraet == k.geraet && knoten == k.knoten && groesse == k.groesse && geaendertNs == k.geaendertNs;
  }
};
// The place, length and time of change of a file's status (no checksum).
TDateiKennung kennungAus(const struct stat& st);

// A checksum of a byte stream, the same however the stream is cut into pieces.
class TPruefsumme {
 public:
  void dazu(const char* daten, std::size_t n);
  std::uint64_t wert() const;

 private:
  std::uint64_t h_ = 0xcbf29ce484222325ull;
  unsigned char rest_[8] = {};
  std::size_t restLaenge_ = 0;
  std::uint64_t laenge_ = 0;
};

// Writes "daten" as the whole new content of the file at "pfad".
// - A symbolic link is followed: the file it points to is replaced, the link stays.
// - An existing file keeps its permissions and, where the process may, its owner and group.
// - The temporary file has a short name of its own, so any name the folder takes can be written.
// - A write-protected file stays protected (access denied); a target that is no
//   regular file (a device) is written directly.
// - When the folder takes no new file but the file itself is writable, the file
//   is written in place: its new length is reserved first, so a full disk leaves
//   it untouched (only a failure during the write itself can leave it incomplete).
// Raises EEAFehler (core/UFehler.h) with the runtime's German text.
// "kennung", when given, receives the state of the written file.
void dateiSicherSchreiben(const std::string& pfad, std::string_view daten, TDateiKennung* kennung = nullptr);
// The same for "n" bytes at "daten".
inline void dateiSicherSchreiben(const std::string& pfad, const char* daten, std::size_t n) {
  dateiSicherSchreiben(pfad, std::string_view(daten, n));
}

// The path a write to "pfad" really changes: symbolic links followed (also a
// link to a file that does not exist yet).
std::string schreibZiel(const std::string& pfad);
// The folder part of a path ("." for a bare name).
std::string ordnerVon(const std::string& pfad);
// True when "a" and "b" name one existing file (the same file after links, or
// two hard links of it): writing to one would replace the other.
bool dieselbeDatei(const std::string& a, const std::string& b);
