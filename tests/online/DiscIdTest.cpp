// Disc IDs from a table of contents, computed by libdiscid, checked against
// the published calculation done here by hand.
#include <gtest/gtest.h>

#include <QCryptographicHash>

#include "online/UDiscId.h"

namespace {

// SHA-1 over the first and last track number (two hex digits each) and 100
// positions (eight hex digits each, lead-out first, missing ones 0), in
// Base64 with ".", "_" and "-" for "+", "/" and "=".
std::string vonHand(int erster, int letzter, const std::vector<int>& positionen) {
  QByteArray text = QByteArray::number(erster, 16).toUpper().rightJustified(2, '0') +
                    QByteArray::number(letzter, 16).toUpper().rightJustified(2, '0');
  int tabelle[100] = {};
  tabelle[0] = positionen[0];
  for (int t = erster; t <= letzter; ++t) tabelle[t] = positionen[static_cast<std::size_t>(t - erster + 1)];
  for (int p : tabelle) text += QByteArray::number(p, 16).toUpper().rightJustified(8, '0');
  QByteArray id = QCryptographicHash::hash(text, QCryptographicHash::Sha1).toBase64();
  id.replace('+', '.').replace('/', '_').replace('=', '-');
  return id.toStdString();
}

TEST(DiscId, AusInhaltsverzeichnis) {
  const struct {
    int erster, letzter;
    std::vector<int> positionen;
  } faelle[] = {
      {1, 4, {95462, 150, 15363, 32314, 46592}},
      {1, 1, {30000, 150}},
      {3, 5, {200000, 40000, 90000, 150000}},  // a disc whose first tracks are data
      {1, 22, {303602, 150, 9700, 25887, 39297, 53795, 63735, 77517, 94877, 107270, 123552, 135522, 148422,
               161197, 174790, 192022, 205545, 218010, 228700, 239590, 255470, 266932, 288750}},
  };
  for (const auto& f : faelle) {
    const TDiscId d = discIdAusInhalt(f.erster, f.letzter, f.positionen);
    ASSERT_EQ(d.art, TDiscId::Ok) << f.letzter;
    EXPECT_EQ(d.id.size(), 28u);
    EXPECT_EQ(d.id, vonHand(f.erster, f.letzter, f.positionen)) << f.letzter;
  }
  // The table of contents for the service: first, last, lead-out, then each track.
  EXPECT_EQ(discIdAusInhalt(1, 4, {95462, 150, 15363, 32314, 46592}).inhalt, "1 4 95462 150 15363 32314 46592");
}

TEST(DiscId, UnmoeglichesInhaltsverzeichnis) {
  const struct {
    int erster, letzter;
    std::vector<int> positionen;
  } faelle[] = {
      {1, 2, {1000, 150}},          // a position missing
      {0, 1, {1000, 150}},          // no track 0
      {2, 1, {1000}},               // last before first
      {1, 100, std::vector<int>(101, 150)},
      {1, 2, {100, 150, 200}},      // lead-out before the tracks
      {1, 2, {1000, 500, 200}},     // tracks out of order
  };
  for (const auto& f : faelle) EXPECT_NE(discIdAusInhalt(f.erster, f.letzter, f.positionen).art, TDiscId::Ok) << f.letzter;
}

TEST(DiscId, OhneLaufwerk) {
  EXPECT_EQ(discIdLesen("/gibt/es/nicht/cdrom").art, TDiscId::KeinLaufwerk);
  EXPECT_EQ(discIdLesen("/dev/null").art, TDiscId::KeineAudioCd);
}

}  // namespace
