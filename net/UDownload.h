#pragma once
// Blocking download of one address into one file, with libcurl.
#include <string>

// True when the program may fetch "adresse": an https address, or an http
// address of this computer (loopback). Read with the same parser the download uses.
bool downloadErlaubt(const std::string& adresse);

// Downloads "adresse" into the file "ziel" and returns true when the whole
// resource arrived. HTTP errors count as failures, redirects are followed; a
// server that does not answer or stalls ends the transfer after a while. The
// data go to a temporary file beside "ziel", which replaces "ziel" only on
// success: a failed download leaves no file behind and an existing one as it was.
bool dateiHerunterladen(const std::string& adresse, const std::string& ziel);
