#include "app/UVorgaben.h"

const QStringList& vorgabenRelease() {
  static const QStringList liste = [] {
    QStringList l;
    for (int jahr = 2002; jahr >= 1950; --jahr) l << QString::number(jahr);
    return l;
  }();
  return liste;
}

const QStringList& vorgabenTyp() {
  static const QStringList liste = [] {
    struct Art {
      const char* name;
      int bis;
    };
    auto medium = [](QStringList& l, const QString& name, const QString& einheit, std::initializer_list<Art> arten) {
      for (const Art& a : arten)
        for (int n = 1; n <= a.bis; ++n)
          l << QString("%1 - %2 (%3 %4%5)").arg(name, a.name).arg(n).arg(einheit, n == 1 ? "" : "s");
    };
    QStringList l;
    medium(l, "CD", "CD", {{"Album", 4}, {"Compilation", 5}, {"EP", 2}, {"Single", 2}});
    for (const char* vinyl : {"7'' Vinyl", "10'' Vinyl", "12'' Vinyl"})
      medium(l, vinyl, "Vinyl", {{"Album", 4}, {"Compilation", 4}, {"EP", 2}, {"Single", 2}});
    return l;
  }();
  return liste;
}

const QStringList& vorgabenGenre() {
  static const QStringList liste = {
      "[ unbekannt ]", "50's", "60's", "70's", "80's", "90's", "A Capella", "Acid", "Acid Rock", "Acoustic",
      "Alben - Top 10", "Alben - Top 20", "Alben - Top 50", "Alben - Top 100", "Alternative", "Alternative Rock",
      "Ambient", "Ballad", "Bass", "Beat", "Blues", "BritPop", "Classic", "Classic Rock", "Club", "Club - House",
      "Club - Techno", "Club - Trance", "Comedy", "Country", "Crossover", "Cult", "Dance", "Death Metal",
      "Deep House", "Disco", "Dream", "Drum 'n' Bass", "Drum Solo", "Easy Listening", "Electronic", "Euro-Dance",
      "Euro-House", "Euro-Techno", "Film / Video", "Folk", "Freestyle", "Funk", "Goa Trance", "Gospel", "Gothic",
      "Gothic Rock", "Grunge", "Hard Rock", "Hardcore", "Heavy Metal", "Hip-Hop", "House", "Indie", "Industrial",
      "Instrumental", "Instrumental Pop", "Instrumental Rock", "Jazz", "Jungle", "Metal", "Modern Rock", "Musical",
      "New Age", "New School", "Old School", "Oldies", "Opera", "Pop", "Progressive Rock", "Psychedelic",
      "Psychedelic Rock", "Psychedelic Trance", "Punk", "Punk Rock", "R&B", "Rap", "Rave", "Reggae", "Retro",
      "Rock", "Rock 'n' Roll", "Singles - Top 10", "Singles - Top 20", "Singles - Top 50", "Singles - Top 100",
      "Ska", "Slow Jam", "Slow Rock", "Soul", "Soundtrack", "Symphonic", "Techno", "Trailer", "Trance", "Tribal",
      "Trip-Hop", "Vocal"};
  return liste;
}
