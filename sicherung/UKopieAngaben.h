#pragma once
// What lies beside a recovery copy: the name of the collection file it belongs
// to (the path's bytes; empty for a collection never saved) and when it was
// written. A small text file of three lines; reading it never trusts it.
#include <optional>
#include <string>
#include <string_view>

struct TKopieAngaben {
  std::string datei;  // the original file's path as bytes, empty: a new collection
  long long zeit = 0; // seconds since 1970 (UTC)
  bool operator==(const TKopieAngaben&) const = default;
};

// The companion file's text.
std::string kopieAngabenText(const TKopieAngaben& a);
// Reads a companion file's text; nothing when it is not exactly what
// kopieAngabenText writes (truncated, garbage, too long).
std::optional<TKopieAngaben> kopieAngabenLesen(std::string_view text);

// A companion file larger than this is refused unread.
constexpr std::size_t KOPIE_ANGABEN_HOECHSTENS = 16384;
