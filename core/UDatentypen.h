#pragma once
// The entry record: seven length-prefixed Windows-1252 text fields, 1792 bytes.
// It is at the same time the record layout of the collection file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One text field: a length byte (0..255) followed by 255 bytes of storage, of
// which only the first "laenge" bytes belong to the text.
struct TFeld {
  static constexpr std::size_t KAPAZITAET = 255;
  std::uint8_t laenge = 0;
  char zeichen[KAPAZITAET] = {};

  // The text: the length byte and the bytes it covers, never more.
  std::string text() const { return std::string(zeichen, laenge); }
  std::string_view sicht() const { return std::string_view(zeichen, laenge); }
  // Stores the text, cut to 255 characters; the bytes behind it stay as they are.
  void setzen(std::string_view s);
};
static_assert(sizeof(TFeld) == 256);

// Field numbers in the fixed order of the record, also the sort keys 1..6.
enum TFeldNr : int {
  FELD_INTERPRET = 1,
  FELD_TITEL = 2,
  FELD_LABEL = 3,
  FELD_RELEASE = 4,
  FELD_TYP = 5,
  FELD_GENRE = 6,
  FELD_KOMMENTAR = 7,
};
constexpr int FELD_ANZAHL = 7;

struct TDatensatz {
  TFeld Interpret;
  TFeld Titel;
  TFeld Label;
  TFeld Release;
  TFeld Typ;
  TFeld Genre;
  TFeld Kommentar;

  // Field by number 1..7 (see TFeldNr).
  TFeld& feld(int nr);
  const TFeld& feld(int nr) const;
};

constexpr std::size_t DATENSATZ_GROESSE = 1792;
static_assert(sizeof(TDatensatz) == DATENSATZ_GROESSE);
static_assert(alignof(TDatensatz) == 1);
static_assert(offsetof(TDatensatz, Interpret) == 0);
static_assert(offsetof(TDatensatz, Titel) == 256);
static_assert(offsetof(TDatensatz, Label) == 512);
static_assert(offsetof(TDatensatz, Release) == 768);
static_assert(offsetof(TDatensatz, Typ) == 1024);
static_assert(offsetof(TDatensatz, Genre) == 1280);
static_assert(offsetof(TDatensatz, Kommentar) == 1536);

// Builds a record from the seven texts in field order, each cut to 255 characters.
TDatensatz datensatzAus(std::string_view interpret, std::string_view titel, std::string_view label,
                        std::string_view release, std::string_view typ, std::string_view genre,
                        std::string_view kommentar);

// The list line of an entry: Interpret, " - ", Titel.
std::string listenzeile(const TDatensatz& d);
