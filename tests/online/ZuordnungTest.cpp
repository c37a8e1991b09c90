// Releases of the online database as the seven fields of an entry.
#include <gtest/gtest.h>

#include "app/UVorgaben.h"
#include "online/UGenres.h"
#include "online/UMBAntwort.h"
#include "online/UScanSchlange.h"
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
      {{"classical", "idm"}, "Classic"},
      {{"baroque"}, "Classic"},
      {{"Romantic"}, "Classic"},
      {{"experimental", "idm"}, "Electronic"},  // the first that maps
      {{"drum & bass"}, "Drum 'n' Bass"},
      {{"east coast hip hop"}, "Hip-Hop"},
      {{"gangsta rap"}, "Rap"},
      {{"thrash metal"}, "Metal"},
      {{"acid house", "house"}, "Acid"},
      {{"synth-pop"}, "Pop"},
      {{"film score"}, "Soundtrack"},
      {{"neo soul"}, "Soul"},
      {{"experimental", "noise", "deutsche grammophon"}, ""},
      {{}, ""},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(genreZuordnen(f.kandidaten).toStdString(), f.genre) << f.kandidaten.join(",").toStdString();
}

TEST(Zuordnung, GenreTabelleNenntNurVorgaben) {
  for (std::size_t i = 0; i < GENRE_NAMEN_ANZAHL; ++i)
    EXPECT_TRUE(vorgabenGenre().contains(QString::fromUtf8(GENRE_NAMEN[i].vorgabe))) << GENRE_NAMEN[i].name;
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
      {"Simon & Garfunkel", "Bridge Over Troubled Water", "Columbia", "1970", "12'' Vinyl - Album (2 Vinyls)", "Folk",
       "Kat.-Nr. KCS 9914; EAN 074640912922; US"},
      {"Various Artists", "Greatest Hits", "Sony Music", "2001", "CD - Compilation (2 CDs)", "Hip-Hop",
       "Kat.-Nr. 501234 2; EAN 074640912922; DE"},
      {"Depeche Mode", "Live in Berlin", "", "", "1x CD + 1x DVD-Video", "", "EAN 074640912922"},
  };
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(felderZuordnen((*liste)[i]), erwartet[i]) << i;
  EXPECT_EQ((*liste)[0].katalognummer, "KCS 9914");  // of the label taken, not of "[no label]"
  EXPECT_EQ((*liste)[1].land, "DE");
  EXPECT_EQ((*liste)[2].strichcode, "074640912922");
}

// One release of a search answer, its fields given as JSON members.
TVeroeffentlichung veroeffentlichung(const std::string& felder) {
  const auto r = veroeffentlichungenLesen(QByteArray::fromStdString(
      R"({"created":"2026-11-02T10:15:00.000Z","count":1,"offset":0,"releases":[{)" + felder + "}]}"));
  return r && r->size() == 1 ? r->front() : TVeroeffentlichung{};
}

TEST(Zuordnung, KommentarAusKatalognummerStrichcodeStatusUndLand) {
  const std::string lang(250, 'K');
  const std::pair<std::string, std::string> faelle[] = {
      {R"("status":"Official","country":"US","barcode":"638812709127",)"
       R"("label-info":[{"catalog-number":"63881-27091-2","label":{"name":"V2"}}])",
       "Kat.-Nr. 63881-27091-2; EAN 638812709127; US"},
      {R"("status":"Bootleg","country":"XE","barcode":"","label-info":[{"catalog-number":"BT 1","label":{"name":"X"}}])",
       "Kat.-Nr. BT 1; Bootleg; XE"},
      {R"("status":"Promotion","barcode":"5099749","country":null,"label-info":[])", "EAN 5099749; Promotion"},
      {R"("status":"Official","barcode":null,"label-info":[{"catalog-number":"[none]","label":{"name":"Y"}}])", ""},
      {R"("status":null,"barcode":"4006381333931","country":"DE","label-info":[{"catalog-number":")" + lang +
           R"(","label":{"name":"Z"}}])",
       "EAN 4006381333931; DE"},  // the catalogue number does not fit
      {R"("country":"DE")", "DE"},
  };
  for (const auto& [felder, kommentar] : faelle)
    EXPECT_EQ(felderZuordnen(veroeffentlichung(felder))[6].toStdString(), kommentar) << felder;
}

TEST(Zuordnung, AufFeldlaengeGekuerzt) {
  const struct {
    const char* zeichen;  // UTF-8
    int anzahl;
    qsizetype gespeichert;
  } faelle[] = {{"a", 255, 255}, {"a", 444, 255}, {"\xC3\xBC", 300, 255}, {"\xC3\xBC", 10, 10}};
  for (const auto& f : faelle) {
    std::string titel;
    for (int i = 0; i < f.anzahl; ++i) titel += f.zeichen;
    EXPECT_EQ(felderFuerSammlung(veroeffentlichung(R"("title":")" + titel + "\"")).at(1).size(), f.gespeichert)
        << f.zeichen << f.anzahl;
  }
}

TEST(Zuordnung, GenreNachStimmen) {
  const auto eins = veroeffentlichungenLesen(testantwort("strichcode_eins.json"));
  ASSERT_TRUE(eins && eins->size() == 1);
  EXPECT_EQ(felderZuordnen(eins->front())[5], "Alternative Rock");  // 4 votes before "rock" with 1
  const auto disc = veroeffentlichungenLesen(testantwort("discid.json"));
  ASSERT_TRUE(disc && disc->size() == 1);
  EXPECT_EQ(felderZuordnen(disc->front())[5], "Electronic");  // the release's own before its group's "ambient"
}

TEST(Zuordnung, GenreAusNachgeschlagenerVeroeffentlichung) {
  const QString id = "3b1d0d52-5e2c-4b5f-8d36-7c0c2a1e9f01";
  const QByteArray nachgeschlagen = testantwort("release_ambient.json");
  const auto suche = veroeffentlichungenLesen(testantwort("suche_ohne_genres.json"));
  ASSERT_TRUE(suche && suche->size() == 2);
  EXPECT_EQ(suche->front().id, id);
  EXPECT_FALSE(suche->front().mitGenres);  // a search answer has none
  const auto v = veroeffentlichungLesen(nachgeschlagen, id);
  ASSERT_TRUE(v);
  EXPECT_TRUE(v->mitGenres);
  EXPECT_EQ(v->genres, (QStringList{"idm", "ambient", "electronic", "ambient", "ambient techno"}));
  EXPECT_EQ(felderZuordnen(*v)[5], "Electronic");
  // Only the release asked for.
  EXPECT_FALSE(veroeffentlichungLesen(testantwort("suche_ohne_genres.json"), id));
  EXPECT_FALSE(veroeffentlichungLesen("[]", id));
  EXPECT_FALSE(veroeffentlichungLesen(nachgeschlagen, "9c2e7a44-1f0b-4a7e-b3c8-5d6e4f3a2b10"));
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

// A credited name without Latin letters takes the artist's Latin alias or its
// turned-round sort name; Latin names, also with marks, stay as credited.
TEST(Zuordnung, NameOhneLateinischeFormAusAlias) {
  const struct {
    const char* nennung;  // one "artist-credit" entry
    const char* interpret;
    bool ausAlias;
  } faelle[] = {
      {R"({"name":"中島美嘉","artist":{"name":"中島美嘉","sort-name":"Nakashima, Mika"}})", "Mika Nakashima", true},
      {R"({"name":"中島美嘉","artist":{"name":"中島美嘉","sort-name":"Nakashima, Mika","aliases":[)"
       R"({"name":"なかしまみか","primary":true,"locale":"ja"},{"name":"NAKASHIMA MIKA","primary":null,"locale":"en"},)"
       R"({"name":"Mika Nakashima","primary":true,"locale":"en"}]}})", "Mika Nakashima", true},
      {R"({"name":"Кино","joinphrase":" & ","artist":{"name":"Кино","sort-name":"Kino"}},)"
       R"({"name":"Björk","artist":{"name":"Björk","sort-name":"Björk"}})", "Kino & Björk", true},
      {R"({"name":"Czesław Niemen","artist":{"sort-name":"Niemen, Czesław"}})", "Czesław Niemen", false},
      {R"({"name":"Μίκης Θεοδωράκης","artist":{"sort-name":"Θεοδωράκης, Μίκης"}})", "Μίκης Θεοδωράκης", false},
  };
  for (const auto& f : faelle) {
    const auto r = veroeffentlichungenLesen(
        QByteArray(R"({"releases":[{"title":"T","artist-credit":[)") + f.nennung + "]}]}");
    ASSERT_TRUE(r && r->size() == 1) << f.nennung;
    EXPECT_EQ((*r)[0].interpret, QString::fromUtf8(f.interpret)) << f.nennung;
    EXPECT_EQ((*r)[0].nameAusAlias, f.ausAlias) << f.nennung;
  }
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

// The answer of one search for several barcodes, shared out among them.
TEST(Zuordnung, TrefferJeGescanntemStrichcode) {
  std::vector<TVeroeffentlichung> liste(4);
  const char* const strichcodes[] = {"724385522925", "5099902987620", "0724385522925", "111"};
  for (std::size_t i = 0; i < liste.size(); ++i) liste[i].strichcode = strichcodes[i];
  const struct {
    QStringList codes;
    std::vector<std::pair<QString, std::vector<std::size_t>>> gruppen;
  } faelle[] = {
      // A UPC-A and its EAN-13 with a leading 0 are one code; a release of no barcode comes last.
      {{"0724385522925", "4006381333931", "5099902987620"},
       {{"0724385522925", {0, 2}}, {"4006381333931", {}}, {"5099902987620", {1}}, {"", {3}}}},
      {{"4006381333931"}, {{"4006381333931", {0, 1, 2, 3}}}},  // one barcode: every release is its
  };
  for (const auto& f : faelle) {
    std::vector<std::pair<QString, std::vector<std::size_t>>> gruppen;
    for (const TScanTreffer& t : scansZuordnen(f.codes, liste)) gruppen.emplace_back(t.strichcode, t.treffer);
    EXPECT_EQ(gruppen, f.gruppen) << f.codes.join(",").toStdString();
  }
  TScanSchlange schlange;
  for (int i = 0; i < 25; ++i) schlange.anstellen(QString::number(40000000 + i));
  EXPECT_EQ(schlange.naechsterStapel().size(), TScanSchlange::STAPEL);
  EXPECT_EQ(schlange.naechsterStapel().front(), "40000020");
  EXPECT_TRUE(schlange.leer());
}

}  // namespace
