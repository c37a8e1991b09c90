#include "net/UVersion.h"

#include <algorithm>
#include <vector>

namespace {

// Splits a version of dot-separated whole numbers; false for any other text.
bool zahlenteile(const std::string& v, std::vector<std::string>& teile) {
  teile.clear();
  std::string teil;
  for (const char c : v + ".") {
    if (c == '.') {
      if (teil.empty()) return false;
      const auto erste = teil.find_first_not_of('0');
      teile.push_back(erste == std::string::npos ? "0" : teil.substr(erste));
      teil.clear();
    } else if (c >= '0' && c <= '9') {
      teil += c;
    } else {
      return false;
    }
  }
  return true;
}

// -1, 0 or 1 for two whole numbers written without leading zeros, of any length.
int zahlVergleich(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

}  // namespace

bool versionNeuer(const std::string& neu, const std::string& eigene) {
  std::vector<std::string> a, b;
  if (zahlenteile(neu, a) && zahlenteile(eigene, b)) {
    // Missing parts count as 0: "1.1" is the same version as "1.1.0".
    const std::size_t n = std::max(a.size(), b.size());
    a.resize(n, "0");
    b.resize(n, "0");
    for (std::size_t i = 0; i < n; ++i)
      if (const int v = zahlVergleich(a[i], b[i]); v != 0) return v > 0;
    return false;
  }
  // Byte by byte, unsigned, a shorter prefix first.
  return std::lexicographical_compare(eigene.begin(), eigene.end(), neu.begin(), neu.end(),
                                      [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
}
