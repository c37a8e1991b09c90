#pragma once
// Whether the collection holds a release already: Interpret and Titel as the
// online look-up compares them (letters A..Z without regard to case), as one key.
#include <set>
#include <string>

#include "online/UMBAntwort.h"

std::string sammlungsSchluessel(std::string interpret, std::string titel);
// The release's key, with Interpret and Titel as they would be stored.
std::string sammlungsSchluessel(const TVeroeffentlichung& v);
// The keys of every entry of the collection.
std::set<std::string> sammlungsSchluessel();
