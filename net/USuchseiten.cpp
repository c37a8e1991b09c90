#include "net/USuchseiten.h"

#include <QStringList>

#include "app/UGlobal.h"
#include "core/UCodepage.h"

namespace {

// The fixed identifiers inside the addresses: the shop's tracking number and
// partner tag, and eMusic's tracking segment.
constexpr const char* SHOP_NUMMER = "302-4718265-9034172";
constexpr const char* SHOP_PARTNER = "vemlamusiksammlung-21";
constexpr const char* EMUSIC_SEGMENT = "s=3f9a1c7e52b04d86a1e;r=48213;";

constexpr const char* AMAZON_PFAD = "/exec/obidos/external-search/{S}?mode=music&keyword={T}&tag={A}";
constexpr const char* AUDIOGALAXY_PFAD = "/list/searches.php?searchType=0&searchStr={T}";
constexpr const char* EBAY_PFAD =
    "/search/search.dll?MfcISAPICommand=GetResult&ht=1&shortcut=4&SortProperty=MetaEndSort"
    "&maxRecordsPerPage=50&st=2&query={T}";
constexpr const char* EMUSIC_INTERPRET_PFAD = "/{E}/aasearch.html?rtype=search_art&searchterm={T}&cid=emusic";
constexpr const char* FREEDB_PFAD = "/freedb_search.php?words={T}&allfields=YES&allcats=YES&grouping=none";

constexpr const char* AMAZON = "https://www.amazon.de";
constexpr const char* AUDIOGALAXY = "http://www.audiogalaxy.com";
constexpr const char* CDDATABASE = "http://www.cd-database.com";
constexpr const char* EBAY = "https://www.ebay.de";
constexpr const char* EMUSIC = "https://www.emusic.com";
constexpr const char* FREEDB = "http://www.freedb.org";
constexpr const char* MUSICMOZ = "https://musicmoz.org";
constexpr const char* UBL = "http://www.ubl.com";
constexpr const char* UBL_SHOP = "http://store.ubl.com";

constexpr TSuchseite INTERPRET[] = {
    {"Amazon", "[ CDs, Vinyls ]", AMAZON, AMAZON_PFAD, "+", AMAZON, false},
    {"Audiogalaxy", "[ MP3s ]", AUDIOGALAXY, AUDIOGALAXY_PFAD, nullptr, AUDIOGALAXY, false},
    {"CD-DataBase", "[ CDs, Vinyls ]", CDDATABASE, "/php/search2.php3?f=artist&f=disc&q={T}", nullptr, CDDATABASE,
     false},
    {"eBay", "[ Auktionen (CDs, Vinyls etc.) ]", EBAY, EBAY_PFAD, nullptr, EBAY, false},
    {"eMusic", "[ MP3s  ]", EMUSIC, EMUSIC_INTERPRET_PFAD, "+", EMUSIC, false},
    {"FreeDB", "[ Releases ]", FREEDB, FREEDB_PFAD, "+", FREEDB, true},
    {"MusicMoz", "[ Releases, Infos ]", MUSICMOZ,
     "/search/search.cgi?search={T}&all=yes&cat=Bands_and_Artists%2FP", "+", MUSICMOZ, false},
    {"Ultimate Band List", "[ Infos, Releases ]", UBL,
     "/cgi-bin/gx.cgi/AppLogic+Search?select=MusicArtist&searchstr={T}&searchtype=NormalSearch", "%20", UBL, false},
};

constexpr TSuchseite TITEL[] = {
    {"Amazon", "[ CDs / Vinyls ]", AMAZON, AMAZON_PFAD, "+", AMAZON, false},
    {"Audiogalaxy", "[ MP3s ]", AUDIOGALAXY, AUDIOGALAXY_PFAD, nullptr, AUDIOGALAXY, false},
    {"CD-DataBase", "[ CDs / Vinyls ]", CDDATABASE, "/php/search2.php3?f=track&q={T}", nullptr, CDDATABASE, false},
    {"eBay", "[ Auktionen (CDs / Vinyls etc.) ]", EBAY, EBAY_PFAD, nullptr, EBAY, false},
    {"eMusic", "[ MP3s  ]", EMUSIC, EMUSIC_INTERPRET_PFAD, "+", EMUSIC, false},
    {"FreeDB", "[ Releases ]", FREEDB, FREEDB_PFAD, "+", FREEDB, true},
    {"Ultimate Band List", "[ Infos / Releases ]", UBL,
     "/cgi-bin/gx.cgi/AppLogic+Search?select=Songs&searchstr={T}&searchtype=NormalSearch", "%20", UBL, false},
};

constexpr TSuchseite LABEL[] = {
    {"Amazon", "[ CDs, Vinyls ]", AMAZON, AMAZON_PFAD, "+", AMAZON, false},
    {"Audiogalaxy", "[ MP3s ]", AUDIOGALAXY, AUDIOGALAXY_PFAD, nullptr, AUDIOGALAXY, false},
    {"eBay", "[ Auktionen (CDs, Vinyls etc.) ]", EBAY, EBAY_PFAD, nullptr, EBAY, false},
    {"eMusic", "[ MP3s  ]", EMUSIC, "/{E}/aasearch.html?rtype=search_label&searchterm={T}&cid=emusic", "+", EMUSIC,
     false},
    {"FreeDB", "[ Releases ]", FREEDB, FREEDB_PFAD, "+", FREEDB, true},
    {"Ultimate Band List", "[ Infos, Releases ]", UBL_SHOP,
     "/cgi-bin/gx.cgi/AppLogic+Search?select=Label&searchstr={T}&searchtype=NormalSearch", "%20", UBL, false},
};

void prozentKodiert(QString& ziel, const QByteArray& bytes) {
  static const char HEX[] = "0123456789ABCDEF";
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    ziel += '%';
    ziel += QChar(HEX[u >> 4]);
    ziel += QChar(HEX[u & 0x0F]);
  }
}

bool imCodepage(const QString& zeichen) { return zeichen == "?" || zuCp1252(zeichen) != "?"; }

}  // namespace

std::span<const TSuchseite> suchseiten(TSuchart art) {
  switch (art) {
    case TSuchart::Interpret: return INTERPRET;
    case TSuchart::Titel: return TITEL;
    case TSuchart::Label: return LABEL;
  }
  return {};
}

QString listeneintrag(const TSuchseite& seite) {
  QString adresse = QString::fromLatin1(seite.homepage);
  adresse.remove(0, adresse.indexOf("://") + 3);
  QString r = QString::fromLatin1(seite.name) + " " + QString::fromLatin1(seite.angebot) + " [ " + adresse + " ]";
  if (seite.empfohlen) r += " (empfohlen!)";
  return r;
}

QString termKodiert(const QString& term) {
  QString r;
  r.reserve(term.size());
  for (qsizetype i = 0; i < term.size(); ++i) {
    // One character: a surrogate pair counts as one.
    qsizetype laenge = 1;
    if (term[i].isHighSurrogate() && i + 1 < term.size() && term[i + 1].isLowSurrogate()) laenge = 2;
    const QString zeichen = term.mid(i, laenge);
    i += laenge - 1;
    const char16_t u = zeichen[0].unicode();
    const bool steuer = u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
    // What the page cannot hold in its code page would turn into "?": it goes as UTF-8.
    if (steuer || QStringLiteral("%&#+?=\"'<>").contains(zeichen) || !imCodepage(zeichen))
      prozentKodiert(r, zeichen.toUtf8());
    else
      r += zeichen;
  }
  return r;
}

QString suchadresse(const TSuchseite& seite, const QString& term) {
  QString pfad = QString::fromLatin1(seite.pfad);
  pfad.replace("{S}", SHOP_NUMMER).replace("{A}", SHOP_PARTNER).replace("{E}", EMUSIC_SEGMENT);
  // The term goes in last, so that its own text is never taken for an identifier.
  const qsizetype stelle = pfad.indexOf("{T}");
  pfad.replace(stelle, 3, termKodiert(term));
  QString adresse = QString::fromLatin1(seite.host) + pfad;
  if (seite.leerzeichen) adresse.replace(' ', QString::fromLatin1(seite.leerzeichen));
  return adresse;
}

QString beschreibung(const QString& term, TSuchart art) {
  const char* wort = art == TSuchart::Interpret ? " (Interpret)" : art == TSuchart::Titel ? " (Titel)" : " (Label)";
  return "\"" + term + "\"" + wort;
}

QString htmlMaskiert(const QString& text) {
  QString r;
  r.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '&': r += "&amp;"; break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      case '"': r += "&quot;"; break;
      case '\'': r += "&#39;"; break;
      default: r += c;
    }
  }
  return r;
}

std::string suchseitenInhalt(const QString& adresse, const QString& homepage, const QString& beschreibung) {
  const QString u = htmlMaskiert(adresse);
  const QString h = htmlMaskiert(homepage);
  const QString d = htmlMaskiert(beschreibung);
  const QStringList zeilen = {
      "<html>",
      " <meta http-equiv=\"Page-Exit\" content=\"blendTrans(Duration=0.8)\">",
      " <meta name=\"Microsoft Border\" content=\"t\">",
      "<head>",
      " <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
      " <link rel=\"stylesheet\" type=\"text/css\" href=\"help/format.css\">",
      " <style type=\"text/css\"></style>",
      " <script language=\"JavaScript\" src=\"copyright.js\" type=\"text/javascript\"></script>",
      " <title>Vemla  -  Internetsuche :</title>",
      "</head>",
      "<body oncontextmenu=\"return false\" ondragstart=\"return false\" onselectstart=\"return false\">",
      "<br><br><blockquote><blockquote>",
      "<table><tr><td>",
      "<font color=\"#203080\">",
      "<u><b>V&nbsp;e&nbsp;m&nbsp;l&nbsp;a&nbsp;&nbsp;&nbsp;Internetsuche</b></u>:<br><br><br><br>",
      "Klicken Sie <a href=\"" + u + "\"><u>hier</u></a>, um auf der Seite ",
      "<a href=\"" + h + "\">" + h + "</a> nach " + d + " zu suchen.",
      "<br><br>",
      "Folgender Link wird geöffnet:<br>",
      "<a href=\"" + u + "\">" + u + "</a>",
      "</td></tr></table>",
      "<br></blockquote></blockquote>",
      "</body>",
      "</html>",
  };
  std::string r;
  for (const QString& z : zeilen) r += zuCp1252(z) + "\r\n";
  return r;
}

QString mailAdresse() { return QString("mailto:") + KONTAKT_EMAIL + "?subject=CD-Sammlung [Programm]"; }
