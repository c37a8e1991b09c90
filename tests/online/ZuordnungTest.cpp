// Releases of the online database as the seven fields of an entry.
#include <gtest/gtest.h>

#include "online/UMBAntwort.h"
#include "online/UZuordnung.h"
#include "tests/online/Testdaten.h"

namespace {

TEST(Zuordnung, TypAusMedienUndArt) {
  const struct {
    QStringList formate;
    const char* primaer;
    QStringList sekundaer;
    const char* typ;
  } faelle[] = {
      {{"CD"}, "Album", {}, "CD - Album (1 CD)"},
      {{"CD", "CD", "CD", "CD"}, "Album", {}, "CD - Album (4 CDs)"},
      {{"CD", "CD", "CD", "CD", "CD"}, "Album", {}, "5x CD"},  // no preset for five
      {{"CD", "CD", "CD", "CD", "CD"}, "Album", {"Compilation"}, "CD - Compilation (5 CDs)"},
      {{"Enhanced CD"}, "Single", {}, "CD - Single (1 CD)"},
      {{"HDCD", "CD"}, "EP", {}, "CD - EP (2 CDs)"},
      {{"CD", "CD", "CD"}, "Single", {}, "3x CD"},
      {{"12\" Vinyl", "12\" Vinyl"}, "Album", {}, "12'' Vinyl - Album (2 Vinyls)"},
      {{"7\" Vinyl"}, "Single", {}, "7'' Vinyl - Single (1 Vinyl)"},
      {{"10\" Vinyl"}, "EP", {"Live"}, "10'' Vinyl - EP (1 Vinyl)"},
      {{"12\" Vinyl"}, "Album", {"Compilation", "Live"}, "12'' Vinyl - Compilation (1 Vinyl)"},
      {{"Vinyl"}, "Album", {}, "1x Vinyl"},  // size unknown
      {{"12\" Vinyl", "7\" Vinyl"}, "Album", {}, "1x 12'' Vinyl + 1x 7'' Vinyl"},
      {{"CD", "DVD-Video", "CD"}, "Album", {}, "2x CD + 1x DVD-Video"},
      {{"CD"}, "Other", {}, "1x CD"},
      {{"CD"}, "", {}, "1x CD"},
      {{"Cassette"}, "Album", {}, "1x Cassette"},
      {{""}, "Album", {}, "1x unbekannt"},
      {{}, "Album", {}, ""},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(typZuordnen(f.formate, f.primaer, f.sekundaer).toStdString(), f.typ) << f.formate.join(",").toStdString();
}

TEST(Zuordnung, GenreErsteVorgabeOhneGrossKlein) {
  const struct {
    QStringList kandidaten;
    const char* genre;
  } faelle[] = {
      {{"rock"}, "Rock"},
      {{"art rock", "ALTERNATIVE ROCK", "rock"}, "Alternative Rock"},
      {{"hip hop"}, "Hip-Hop"},
      {{"trip-hop"}, "Trip-Hop"},
      {{"euro house"}, "Euro-House"},
      {{"drum and bass"}, "Drum 'n' Bass"},
      {{"rock and roll"}, "Rock 'n' Roll"},
      {{"r&b"}, "R&B"},
      {{"  soul  "}, "Soul"},
      {{"classical", "idm"}, ""},
      {{}, ""},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(genreZuordnen(f.kandidaten).toStdString(), f.genre) << f.kandidaten.join(",").toStdString();
}

TEST(Zuordnung, JahrAusDatum) {
  const std::pair<const char*, const char*> faelle[] = {
      {"1997-05-21", "1997"}, {"2001-10", "2001"}, {"1970", "1970"}, {"", ""},
      {"197", ""},            {"19x7-01", ""},     {"19970", ""},    {"\xd9\xa1\xd9\xa9\xd9\xa9\xd9\xa7", ""},
  };
  for (const auto& [datum, jahr] : faelle)
    EXPECT_EQ(jahrAusDatum(QString::fromUtf8(datum)).toStdString(), jahr) << datum;
}

TEST(Zuordnung, MehrereVeroeffentlichungenAlsFelder) {
  const auto liste = veroeffentlichungenLesen(testantwort("strichcode_mehrere.json"));
  ASSERT_TRUE(liste);
  ASSERT_EQ(liste->size(), 3u);
  const TFelder erwartet[] = {
      {"Simon & Garfunkel", "Bridge Over Troubled Water", "Columbia", "1970", "12'' Vinyl - Album (2 Vinyls)", "Folk", ""},
      {"Various Artists", "Greatest Hits", "Sony Music", "2001", "CD - Compilation (2 CDs)", "Hip-Hop", ""},
      {"Depeche Mode", "Live in Berlin", "", "", "1x CD + 1x DVD-Video", "", ""},
  };
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(felderZuordnen((*liste)[i]), erwartet[i]) << i;
  EXPECT_EQ((*liste)[0].katalognummer, "KCS 9914");  // of the label taken, not of "[no label]"
  EXPECT_EQ((*liste)[1].land, "DE");
  EXPECT_EQ((*liste)[2].strichcode, "074640912922");
}

TEST(Zuordnung, GenreNachStimmen) {
  const auto eins = veroeffentlichungenLesen(testantwort("strichcode_eins.json"));
  ASSERT_TRUE(eins && eins->size() == 1);
  EXPECT_EQ(felderZuordnen(eins->front())[5], "Alternative Rock");  // 4 votes before "rock" with 1
  const auto disc = veroeffentlichungenLesen(testantwort("discid.json"));
  ASSERT_TRUE(disc && disc->size() == 1);
  EXPECT_EQ(felderZuordnen(disc->front())[5], "Electronic");  // the release's own before its group's "ambient"
}

TEST(Zuordnung, ZeichenAusserhalbDerCodepage) {
  const auto liste = veroeffentlichungenLesen(testantwort("sonderzeichen.json"));
  ASSERT_TRUE(liste && liste->size() == 2);
  const TFelder dvorak = felderZuordnen((*liste)[0]);
  EXPECT_TRUE(verliertZeichen(dvorak[0]));
  EXPECT_TRUE(verliertZeichen(dvorak[1]));
  EXPECT_FALSE(verliertZeichen(dvorak[2]));
  const TFelder motoerhead = felderZuordnen((*liste)[1]);
  EXPECT_FALSE(verliertZeichen(motoerhead[0]));  // "o" with a combining diaeresis is one "ö"
  EXPECT_EQ(motoerhead[4], "12'' Vinyl - Album (1 Vinyl)");
  EXPECT_EQ(motoerhead[5], "Heavy Metal");
}

TEST(Zuordnung, UnbrauchbareAntworten) {
  const char* faelle[] = {
      "", "[]", "null", "{}", "{\"releases\":{}}", "{\"releases\":\"x\"}", "{\"count\":1}",
  };
  for (const char* f : faelle) EXPECT_FALSE(veroeffentlichungenLesen(f)) << f;
  EXPECT_FALSE(veroeffentlichungenLesen(testantwort("kaputt.json")));
  // Entries of the wrong kind are skipped, fields of the wrong kind are empty.
  const auto r = veroeffentlichungenLesen(R"({"releases":[1,"x",null,{"title":7,"artist-credit":"Radiohead",)"
                                          R"("media":[{"format":["CD"]}],"label-info":[{"label":"EMI"}]}]})");
  ASSERT_TRUE(r);
  ASSERT_EQ(r->size(), 1u);
  EXPECT_EQ(felderZuordnen(r->front()), (TFelder{"", "7", "", "", "1x unbekannt", "", ""}));
}

TEST(Zuordnung, HoechstensHundertVeroeffentlichungen) {
  QByteArray json = "{\"releases\":[";
  for (int i = 0; i < 150; ++i) json += (i ? "," : "") + QByteArray("{\"title\":\"T") + QByteArray::number(i) + "\"}";
  json += "]}";
  const auto r = veroeffentlichungenLesen(json);
  ASSERT_TRUE(r);
  ASSERT_EQ(r->size(), 100u);
  EXPECT_EQ(r->back().titel, "T99");
}

}  // namespace
