#pragma once
// Reads the answers of the online music database (its JSON release lists:
// search results and disc look-ups) into plain release descriptions. An
// answer is untrusted input: anything unexpected is skipped or refused, never
// trusted.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct TVeroeffentlichung {
  QString id;             // the database's identifier of the release (a UUID)
  QString interpret;      // the artist credit as printed on the release (see nameAusAlias)
  // A credited name without a Latin form was replaced by the artist's Latin
  // alias or turned-round sort name ("Nakashima, Mika" -> "Mika Nakashima").
  bool nameAusAlias = false;
  QString titel;
  QString label;          // first label, empty when none is known
  QString katalognummer;  // catalogue number of that label entry
  QString datum;          // "1997", "1997-05" or "1997-05-21"
  QString land;
  QString strichcode;
  QString status;         // "Official", "Promotion", "Bootleg", ...
  QStringList formate;    // one per medium, in order ("CD", "12\" Vinyl")
  QString primaerTyp;     // of the release group: "Album", "Single", "EP", ...
  QStringList sekundaerTypen;
  // Genres and tags, most votes first: the release's genres, its tags, then
  // those of its release group.
  QStringList genres;
  // True when the answer carried the genres at all: a look-up asked for them;
  // a search answer has none, so the release is to be looked up for them.
  bool mitGenres = false;
};

// At most this many releases are taken from one answer.
inline constexpr int MAX_VEROEFFENTLICHUNGEN = 100;

// One answer: its releases and where they stand among all the service found.
struct TAntwortSeite {
  std::vector<TVeroeffentlichung> liste;
  int gesamt = 0;   // how many releases the search found in all ("count")
  int versatz = 0;  // how many come before the first of "liste" ("offset")
};

// The releases of an answer, in the order given; nothing when the answer is
// not a JSON object of the expected form.
std::optional<std::vector<TVeroeffentlichung>> veroeffentlichungenLesen(const QByteArray& json);
// The release of a look-up by its identifier ("release/{id}"); nothing unless
// the answer is that release.
std::optional<TVeroeffentlichung> veroeffentlichungLesen(const QByteArray& json, const QString& id);
// The same with the answer's place in a longer search result; an answer
// without (or with nonsensical) "count" and "offset" is the whole result.
std::optional<TAntwortSeite> antwortSeiteLesen(const QByteArray& json);
