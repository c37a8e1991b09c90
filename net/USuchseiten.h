#pragma once
// The music web sites of the internet search: one table of every site per
// search kind, the search address built for a term, and the local page that
// explains the search and links to it.
#include <QString>
#include <span>
#include <string>

enum class TSuchart { Interpret, Titel, Label };

struct TSuchseite {
  const char* name;         // "Amazon"
  const char* angebot;      // "[ CDs, Vinyls ]"
  const char* host;         // scheme and search host, no trailing "/"
  const char* pfad;         // path and query; {T} the term, {S} {A} {E} the fixed identifiers
  const char* leerzeichen;  // what a space of the address becomes; nullptr: it stays
  const char* homepage;     // the site's start page
  bool empfohlen;           // the list item ends with "(empfohlen!)"
};

// The sites of one search kind, in the order of its drop-down list.
std::span<const TSuchseite> suchseiten(TSuchart art);
// The text of a site's list item: name, offer and address in square brackets.
QString listeneintrag(const TSuchseite& seite);

// The term made safe for an address: every character that would change the
// address's meaning is percent-encoded; letters, digits, umlauts, "/" and
// spaces stay as they are.
QString termKodiert(const QString& term);
// The site's search address for "term", with the row's space replacement.
QString suchadresse(const TSuchseite& seite, const QString& term);
// '"' + term + '"' + " (Interpret)" / " (Titel)" / " (Label)".
QString beschreibung(const QString& term, TSuchart art);

// "&", "<", ">" and quotes as HTML entities.
QString htmlMaskiert(const QString& text);
// The bytes of "suchergebnis.html" (Windows-1252, lines ending in CR LF).
std::string suchseitenInhalt(const QString& adresse, const QString& homepage, const QString& beschreibung);

// The address the mail link opens.
QString mailAdresse();
