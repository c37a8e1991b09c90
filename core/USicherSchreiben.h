#pragma once
// Writing a whole file so that a failure never destroys what was there: the
// new content goes to a temporary file beside the target, which replaces the
// target only once everything is written and flushed.
#include <string>
#include <string_view>

// Writes "daten" as the whole new content of the file at "pfad".
// - A symbolic link is followed: the file it points to is replaced, the link stays.
// - An existing file keeps its permissions and, where the process may, its owner and group.
// - The temporary file has a short name of its own, so any name the folder takes can be written.
// - A write-protected file stays protected (access denied); a target that is no
//   regular file (a device) is written directly.
// - When the folder takes no new file but the file itself is writable, the file
//   is written in place (only then can a failure leave it incomplete).
// Raises EEAFehler (core/UFehler.h) with the runtime's German text.
void dateiSicherSchreiben(const std::string& pfad, std::string_view daten);
// The same for "n" bytes at "daten".
inline void dateiSicherSchreiben(const std::string& pfad, const char* daten, std::size_t n) {
  dateiSicherSchreiben(pfad, std::string_view(daten, n));
}

// The path a write to "pfad" really changes: symbolic links followed (also a
// link to a file that does not exist yet).
std::string schreibZiel(const std::string& pfad);
// The folder part of a path ("." for a bare name).
std::string ordnerVon(const std::string& pfad);
