#pragma once
// Which of two program versions is the newer one.
#include <string>

// True when the server's version "neu" is newer than "eigene". Versions of
// dot-separated whole numbers compare number by number ("1.0.10" is newer
// than "1.0.6"); any other text compares byte by byte. Empty is never newer.
bool versionNeuer(const std::string& neu, const std::string& eigene);
