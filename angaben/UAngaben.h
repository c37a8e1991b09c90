#pragma once
// What a collector records about an entry beyond its seven fields: the
// condition of disc and sleeve, the purchase, the place on the shelf, a
// rating, notes and a loan. Kept beside the collection file, never in it.
// Texts here are UTF-8 (they are not bound to the file's 255 Windows-1252
// characters); dates are ISO "JJJJ-MM-TT" strings, empty when not set.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A grade of the condition: the grades record dealers use, and for sleeves
// three of their own.
enum class TZustand {
  Keiner,
  M, NM, VGplus, VG, Gplus, G, F, P,
  NeutraleHuelle, OhneHuelle, NichtBewertet,
};

struct TZustandEintrag {
  TZustand zustand;
  const char* kuerzel;    // as shown in the window and written to files: "VG+"
  const char* bedeutung;  // the German meaning, UTF-8
  bool nurHuelle;         // a grade of sleeves only
};
// Every grade but Keiner, in the order of the window's lists.
const std::vector<TZustandEintrag>& zustaende();
// The grade written as "kuerzel"; Keiner for "" and anything unknown.
TZustand zustandAus(std::string_view kuerzel);
std::string zustandKuerzel(TZustand z);
// A grade as a Discogs collection export writes it ("Very Good Plus (VG+)",
// "Near Mint (NM or M-)", "Generic"); nothing when the text is none of them.
// "huelle": the column of the sleeve, which also knows the sleeve's own grades.
std::optional<TZustand> zustandAusDiscogs(std::string_view text, bool huelle);

struct TAngaben {
  TZustand zustandTontraeger = TZustand::Keiner;
  TZustand zustandHuelle = TZustand::Keiner;
  std::string aufgenommenAm;          // ISO date
  std::string gekauftAm;              // ISO date
  std::optional<long long> preisCent;
  std::string gekauftBei;
  std::string standort;
  int bewertung = 0;                  // 0..5 stars
  std::string notizen;
  std::string verliehenAn;
  std::string verliehenSeit;          // ISO date
  std::string zurueckBis;             // ISO date

  bool operator==(const TAngaben&) const = default;
  // Nothing recorded at all.
  bool leer() const { return *this == TAngaben{}; }
  bool verliehen() const { return !verliehenAn.empty() || !verliehenSeit.empty(); }
};

// Dates: "TT.MM.JJJJ" as typed and shown <-> ISO. Reading accepts one-digit
// day and month; a date that does not exist (31.02.) is no date.
std::optional<std::string> datumAusAnzeige(std::string_view text);
std::string datumAnzeige(std::string_view iso);
// True for a valid ISO date "JJJJ-MM-TT" (years 1000..9999).
bool isoDatumGueltig(std::string_view iso);
// Discogs's "Date Added" ("2019-03-04 18:22:10" or a bare date) as an ISO date.
std::optional<std::string> datumAusDiscogs(std::string_view text);

// Prices in euro in the German way: "12,50" <-> 1250 cents. Reading takes
// "12", "12,5", "12,50", "1.234,50", a leading "€" or a trailing " €", and
// refuses negative amounts and more than two decimals.
std::optional<long long> preisAusAnzeige(std::string_view text);
std::string preisAnzeige(long long cent);

// The details as the bytes an entry of the collection carries ("" when
// nothing is recorded), and back; unreadable bytes give no details.
std::string angabenBytes(const TAngaben& a);
TAngaben angabenAusBytes(std::string_view b);
