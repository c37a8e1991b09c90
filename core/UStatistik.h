#pragma once
// The collection at a glance: how many entries there are and how they split by
// Typ, Genre, decade of Release, Interpret and Label, and by the collector's
// details: the condition of disc and sleeve, the place on the shelf, the loans
// and the purchase prices. Texts of the seven fields are Windows-1252 bytes,
// as stored; those of the details UTF-8, as the details keep them.
#include <array>
#include <string>
#include <string_view>
#include <vector>

class TDatBas;

// One bar of a chart: its label, how many entries it stands for, and the first
// of them in the collection's order (from 0, the line of the main list).
struct TGruppe {
  std::string name;
  int anzahl = 0;
  int erster = 0;
  bool operator==(const TGruppe&) const = default;
};

// The charts, in the order the statistics window offers them.
enum TDiagramm : int {
  DIAGRAMM_TYP, DIAGRAMM_GENRE, DIAGRAMM_JAHRZEHNT, DIAGRAMM_INTERPRET, DIAGRAMM_LABEL,
  DIAGRAMM_ZUSTAND_TONTRAEGER, DIAGRAMM_ZUSTAND_HUELLE, DIAGRAMM_STANDORT,
};
constexpr int DIAGRAMM_ANZAHL = 8;

// The charts of the details name their bars in UTF-8, the others in Windows-1252.
constexpr bool diagrammInUtf8(int nr) { return nr >= DIAGRAMM_ZUSTAND_TONTRAEGER; }

struct TStatistik {
  int eintraege = 0;
  std::array<std::vector<TGruppe>, DIAGRAMM_ANZAHL> diagramme;
  int verliehen = 0;         // entries lent
  int ueberfaellig = 0;      // of them past their due date
  long long preisSumme = 0;  // the purchase prices added up, in cents
  int mitPreis = 0;          // entries with a purchase price
};

// How many bars the lists of the most frequent show.
constexpr std::size_t GENRES_HOECHSTENS = 15;
constexpr std::size_t NAMEN_HOECHSTENS = 10;

// Labels of the groups that stand for no single text (Windows-1252).
inline constexpr const char* OHNE_TYP = "ohne Typ";
inline constexpr const char* OHNE_GENRE = "ohne Genre";
inline constexpr const char* SONSTIGE = "Sonstige";
inline constexpr const char* OHNE_JAHR = "ohne Jahr";
inline constexpr const char* OHNE_ANGABE = "ohne Angabe";

// Counts the collection.
// - Typ: each stored text a bar; the texts of "typVorgaben" first, in that order,
//   then the rest by count (empty ones as "ohne Typ").
// - Genre: the 15 most frequent texts, then "Sonstige" for the rest and "ohne Genre" for empty ones.
// - Jahrzehnt: the decade of the year in Release (see jahrAus), in order and
//   without gaps from the first to the last (an empty decade with 0 entries,
//   its first entry -1); "ohne Jahr" last.
// - Interpret, Label: the 10 most frequent, grouped as the search compares
//   (suchSchluessel), each shown in its most frequent spelling; empty fields left out.
// - Zustand Tonträger, Zustand Hülle: the grades that occur, in the order of
//   zustaende(), then "ohne Angabe" for entries without a grade (details or not).
// - Standort: like Label, then "ohne Angabe" for entries without a place.
// Bars of equal count keep the order in which their first entries come.
// An entry is overdue when it is lent and its due date lies before "heute"
// (ISO date; empty: none is overdue).
TStatistik statistikZaehlen(const TDatBas& db, const std::vector<std::string>& typVorgaben,
                            std::string_view heute = {});

// The first four-digit year from 1900 to 2099 in "release" (a run of exactly
// four digits), 0 when there is none: "1994 (Remaster 2011)" gives 1994.
int jahrAus(std::string_view release);
