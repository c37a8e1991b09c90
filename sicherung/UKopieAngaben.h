#pragma once
// What a recovery copy says about itself: the name of the collection file it
// belongs to (the path's bytes; empty for a collection never saved), when it
// was written, and the state of that file when the collection was last loaded
// from it or saved to it (to tell whether someone changed it since).
//
// A copy is one file: these data as a few lines of text, then the records,
// whose length and checksum the text names. Written in one piece, the data
// always belong to the records beside them, and a copy whose records do not
// match is known to be damaged. Behind the records follow the details attached
// to each entry (length and checksum named in the text as well), so that a
// restore gives every entry its own; a copy of an earlier version without them
// still reads. An older version kept the data in a companion
// file of three lines beside a bare ".vem" copy (kopieAngabenText); those are
// still read. Reading never trusts the bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/USicherSchreiben.h"

struct TKopieAngaben {
  std::string datei;  // the original file's path as bytes, empty: a new collection
  long long zeit = 0; // seconds since 1970 (UTC)
  // The original file as it was when last loaded or saved; nothing: not known.
  std::optional<TDateiKennung> original = std::nullopt;
  bool operator==(const TKopieAngaben&) const = default;
};

// The older companion file's text (path and time only).
std::string kopieAngabenText(const TKopieAngaben& a);
// Reads an older companion file's text; nothing when it is not exactly what
// kopieAngabenText writes (truncated, garbage, too long).
std::optional<TKopieAngaben> kopieAngabenLesen(std::string_view text);

// A companion file, or the text in front of a copy's records, larger than this is refused unread.
constexpr std::size_t KOPIE_ANGABEN_HOECHSTENS = 16384;

// The entries' details behind the records larger than this are refused unread.
constexpr std::size_t KOPIE_BEILAGEN_HOECHSTENS = std::size_t{256} << 20;

class TDatBas;

// A copy's file as read.
struct TKopie {
  TKopieAngaben angaben;
  std::string_view saetze;  // the records, a part of the bytes read
  // The details behind the records as written (kopieBeilagen), and each
  // entry's in order; nothing: a copy of an earlier version, which has none.
  std::optional<std::string_view> beilagenDaten;
  std::vector<std::string_view> beilagen;
};
// The details attached to the entries of "db", as they follow the records.
std::string kopieBeilagen(const TDatBas& db);
// The text that stands in front of the records "saetze" in a copy's file,
// and, when given, in front of the details "beilagen" behind them.
std::string kopieKopf(const TKopieAngaben& a, std::string_view saetze,
                      std::optional<std::string_view> beilagen = std::nullopt);
// Reads a copy's file; nothing when its text is not exactly what kopieKopf
// writes or the records (and details) that follow it are not the ones it
// names (length, checksum), no whole number of records, more than a
// collection holds, or details not one set for each record.
std::optional<TKopie> kopieLesen(std::string_view inhalt);
