// Arbitrary bytes as the stored font colour of the overall overview.
//
// Checked: a colour that is read is the window text colour or a plain colour
// value (0..FFFFFF), and its stored name reads back as the same colour; a text
// that is not read leaves the colour as it was.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/UFarbnamen.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* daten, std::size_t groesse) {
  const std::string text(reinterpret_cast<const char*>(daten), groesse);
  const QColor vorher(1, 2, 3);
  QColor farbe = vorher;
  if (!farbeLesen(text, farbe)) {
    if (farbe != vorher) {
      std::fprintf(stderr, "fuzz_farbe: colour changed by an unread text\n");
      std::abort();
    }
    return 0;
  }
  QColor zurueck(4, 5, 6);
  if (!farbeLesen(farbName(farbe).toStdString(), zurueck) || zurueck != farbe) {
    std::fprintf(stderr, "fuzz_farbe: stored name does not read back\n");
    std::abort();
  }
  return 0;
}
