// The site table, the search addresses and the local search page.
#include <gtest/gtest.h>

#include <QStringList>

#include "net/USuchseiten.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QStringList eintraege(TSuchart art) {
  QStringList r;
  for (const TSuchseite& s : suchseiten(art)) r << listeneintrag(s);
  return r;
}

TEST(Suchseiten, DreiListenVerschiedenerLaengeUndFolge) {
  EXPECT_EQ(eintraege(TSuchart::Interpret),
            (QStringList{"Amazon [ CDs, Vinyls ] [ www.amazon.de ]", "Audiogalaxy [ MP3s ] [ www.audiogalaxy.com ]",
                         "CD-DataBase [ CDs, Vinyls ] [ www.cd-database.com ]",
                         "eBay [ Auktionen (CDs, Vinyls etc.) ] [ www.ebay.de ]",
                         "eMusic [ MP3s  ] [ www.emusic.com ]",
                         "FreeDB [ Releases ] [ www.freedb.org ] (empfohlen!)",
                         "MusicMoz [ Releases, Infos ] [ musicmoz.org ]",
                         "Ultimate Band List [ Infos, Releases ] [ www.ubl.com ]"}));
  EXPECT_EQ(eintraege(TSuchart::Titel),
            (QStringList{"Amazon [ CDs / Vinyls ] [ www.amazon.de ]", "Audiogalaxy [ MP3s ] [ www.audiogalaxy.com ]",
                         "CD-DataBase [ CDs / Vinyls ] [ www.cd-database.com ]",
                         "eBay [ Auktionen (CDs / Vinyls etc.) ] [ www.ebay.de ]",
                         "eMusic [ MP3s  ] [ www.emusic.com ]",
                         "FreeDB [ Releases ] [ www.freedb.org ] (empfohlen!)",
                         "Ultimate Band List [ Infos / Releases ] [ www.ubl.com ]"}));
  EXPECT_EQ(eintraege(TSuchart::Label),
            (QStringList{"Amazon [ CDs, Vinyls ] [ www.amazon.de ]", "Audiogalaxy [ MP3s ] [ www.audiogalaxy.com ]",
                         "eBay [ Auktionen (CDs, Vinyls etc.) ] [ www.ebay.de ]",
                         "eMusic [ MP3s  ] [ www.emusic.com ]",
                         "FreeDB [ Releases ] [ www.freedb.org ] (empfohlen!)",
                         "Ultimate Band List [ Infos, Releases ] [ www.ubl.com ]"}));
}

TEST(Suchseiten, AdressenMitLeerzeichenregelJeZeile) {
  const QString AMAZON = "https://www.amazon.de/exec/obidos/external-search/302-4718265-9034172?mode=music&keyword=";
  const QString EBAY =
      "https://www.ebay.de/search/search.dll?MfcISAPICommand=GetResult&ht=1&shortcut=4&SortProperty=MetaEndSort"
      "&maxRecordsPerPage=50&st=2&query=";
  const struct {
    TSuchart art;
    int index;
    const char* term;
    QString adresse;
  } faelle[] = {
      {TSuchart::Interpret, 0, "Muster Band", AMAZON + "Muster+Band&tag=vemlamusiksammlung-21"},
      {TSuchart::Interpret, 1, "Muster Band",
       "http://www.audiogalaxy.com/list/searches.php?searchType=0&searchStr=Muster Band"},
      {TSuchart::Interpret, 2, "Muster Band", "http://www.cd-database.com/php/search2.php3?f=artist&f=disc&q=Muster Band"},
      {TSuchart::Interpret, 3, "Muster Band", EBAY + "Muster Band"},
      {TSuchart::Interpret, 4, "Muster Band",
       "https://www.emusic.com/s=3f9a1c7e52b04d86a1e;r=48213;/aasearch.html?rtype=search_art&searchterm=Muster+Band"
       "&cid=emusic"},
      {TSuchart::Interpret, 5, "Muster Band",
       "http://www.freedb.org/freedb_search.php?words=Muster+Band&allfields=YES&allcats=YES&grouping=none"},
      {TSuchart::Interpret, 6, "Muster Band",
       "https://musicmoz.org/search/search.cgi?search=Muster+Band&all=yes&cat=Bands_and_Artists%2FP"},
      {TSuchart::Interpret, 7, "Muster Band",
       "http://www.ubl.com/cgi-bin/gx.cgi/AppLogic+Search?select=MusicArtist&searchstr=Muster%20Band"
       "&searchtype=NormalSearch"},
      {TSuchart::Titel, 2, "Ein Lied", "http://www.cd-database.com/php/search2.php3?f=track&q=Ein Lied"},
      {TSuchart::Titel, 4, "Ein Lied",
       "https://www.emusic.com/s=3f9a1c7e52b04d86a1e;r=48213;/aasearch.html?rtype=search_art&searchterm=Ein+Lied"
       "&cid=emusic"},
      {TSuchart::Titel, 6, "Ein Lied",
       "http://www.ubl.com/cgi-bin/gx.cgi/AppLogic+Search?select=Songs&searchstr=Ein%20Lied&searchtype=NormalSearch"},
      // Index 2 of the labels is eBay, not CD-DataBase.
      {TSuchart::Label, 2, "Mein Label", EBAY + "Mein Label"},
      {TSuchart::Label, 3, "Mein Label",
       "https://www.emusic.com/s=3f9a1c7e52b04d86a1e;r=48213;/aasearch.html?rtype=search_label&searchterm=Mein+Label"
       "&cid=emusic"},
      {TSuchart::Label, 5, "Mein Label",
       "http://store.ubl.com/cgi-bin/gx.cgi/AppLogic+Search?select=Label&searchstr=Mein%20Label"
       "&searchtype=NormalSearch"},
      // Three spaces are a term like any other.
      {TSuchart::Interpret, 5, "   ",
       "http://www.freedb.org/freedb_search.php?words=+++&allfields=YES&allcats=YES&grouping=none"},
  };
  for (const auto& f : faelle) {
    const auto seiten = suchseiten(f.art);
    EXPECT_EQ(suchadresse(seiten[static_cast<std::size_t>(f.index)], QString::fromUtf8(f.term)), f.adresse)
        << int(f.art) << "/" << f.index;
  }
}

TEST(Suchseiten, TermVerlaesstSeinFeldNicht) {
  const struct {
    const char* term;
    const char* kodiert;
  } faelle[] = {
      {"Simon & Garfunkel", "Simon %26 Garfunkel"},
      {"AC/DC #1", "AC/DC %231"},
      {"Say \"Hi\" <now>", "Say %22Hi%22 %3Cnow%3E"},
      {"Guns 'n' Roses", "Guns %27n%27 Roses"},
      {"100% = a+b?", "100%25 %3D a%2Bb%3F"},
      {"Tab\there\nNeu\x7F", "Tab%09here%0ANeu%7F"},
      {"Björk Guðmundsdóttir Ärzte ß", "Björk Guðmundsdóttir Ärzte ß"},
      {"Łódź", "%C5%81ód%C5%BA"},
      {"Sigur Rós (1999) -- Ágætis byrjun!", "Sigur Rós (1999) -- Ágætis byrjun!"},
  };
  for (const auto& f : faelle) EXPECT_EQ(termKodiert(QString::fromUtf8(f.term)), QString::fromUtf8(f.kodiert)) << f.term;
  // With the row's space rule on top.
  const auto interpret = suchseiten(TSuchart::Interpret);
  EXPECT_TRUE(suchadresse(interpret[5], "Simon & Garfunkel").contains("words=Simon+%26+Garfunkel&allfields"));
  EXPECT_TRUE(suchadresse(interpret[7], "AC/DC #1").contains("searchstr=AC/DC%20%231&searchtype"));
  EXPECT_TRUE(suchadresse(interpret[3], "a+b").endsWith("query=a%2Bb"));
  // A term that looks like an identifier stays a term.
  EXPECT_TRUE(suchadresse(interpret[0], "{A}{T}").contains("keyword={A}{T}&tag=vemlamusiksammlung-21"));
}

TEST(Suchseiten, BeschreibungBehaeltDenTerm) {
  EXPECT_EQ(beschreibung("Muster  Band", TSuchart::Interpret), "\"Muster  Band\" (Interpret)");
  EXPECT_EQ(beschreibung("A&B", TSuchart::Titel), "\"A&B\" (Titel)");
  EXPECT_EQ(beschreibung("   ", TSuchart::Label), "\"   \" (Label)");
  EXPECT_EQ(htmlMaskiert("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d&#39;");
  EXPECT_EQ(mailAdresse(), "mailto:info@vemla.de?subject=CD-Sammlung [Programm]");
}

TEST(Suchseiten, SeiteByteGenau) {
  const auto seite = suchseiten(TSuchart::Interpret)[5];
  const QString term = QString::fromUtf8("Mötley <Crüe>");
  const std::string inhalt = suchseitenInhalt(suchadresse(seite, term), seite.homepage, beschreibung(term, TSuchart::Interpret));
  const std::string U =
      "http://www.freedb.org/freedb_search.php?words=M\xF6tley+%3CCr\xFC" "e%3E&amp;allfields=YES&amp;allcats=YES"
      "&amp;grouping=none";
  const std::string erwartet =
      "<html>\r\n"
      " <meta http-equiv=\"Page-Exit\" content=\"blendTrans(Duration=0.8)\">\r\n"
      " <meta name=\"Microsoft Border\" content=\"t\">\r\n"
      "<head>\r\n"
      " <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
      " <link rel=\"stylesheet\" type=\"text/css\" href=\"help/format.css\">\r\n"
      " <style type=\"text/css\"></style>\r\n"
      " <script language=\"JavaScript\" src=\"copyright.js\" type=\"text/javascript\"></script>\r\n"
      " <title>Vemla  -  Internetsuche :</title>\r\n"
      "</head>\r\n"
      "<body oncontextmenu=\"return false\" ondragstart=\"return false\" onselectstart=\"return false\">\r\n"
      "<br><br><blockquote><blockquote>\r\n"
      "<table><tr><td>\r\n"
      "<font color=\"#203080\">\r\n"
      "<u><b>V&nbsp;e&nbsp;m&nbsp;l&nbsp;a&nbsp;&nbsp;&nbsp;Internetsuche</b></u>:<br><br><br><br>\r\n"
      "Klicken Sie <a href=\"" + U + "\"><u>hier</u></a>, um auf der Seite \r\n"
      "<a href=\"http://www.freedb.org\">http://www.freedb.org</a> nach &quot;M\xF6tley &lt;Cr\xFC" "e&gt;&quot; "
      "(Interpret) zu suchen.\r\n"
      "<br><br>\r\n"
      "Folgender Link wird ge\xF6" "ffnet:<br>\r\n"
      "<a href=\"" + U + "\">" + U + "</a>\r\n"
      "</td></tr></table>\r\n"
      "<br></blockquote></blockquote>\r\n"
      "</body>\r\n"
      "</html>\r\n";
  EXPECT_EQ(inhalt, erwartet);
}

}  // namespace
