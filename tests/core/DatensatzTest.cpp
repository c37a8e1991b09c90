#include <gtest/gtest.h>

#include <cstring>

#include "core/UCodepage.h"
#include "core/UDatbas.h"
#include "core/UDatentypen.h"

namespace {

TDatensatz mit(const std::string& interpret, const std::string& titel = "t") {
  return datensatzAus(interpret, titel, "", "", "", "", "");
}

TEST(Datensatz, FeldLiestNurDieBytesDerLaenge) {
  TDatensatz d;
  std::memset(static_cast<void*>(&d), 'X', sizeof d);  // garbage behind every text, no terminating zero
  d.Titel.laenge = 3;
  std::memcpy(d.Titel.zeichen, "abc", 3);
  d.Interpret.laenge = 0;
  EXPECT_EQ(d.Titel.text(), "abc");
  EXPECT_EQ(d.Interpret.text(), "");
  d.Kommentar.laenge = 255;
  EXPECT_EQ(d.Kommentar.text(), std::string(255, 'X'));
}

TEST(Datensatz, SetzenSchneidetAuf255UndBehaeltLeerzeichen) {
  struct Fall {
    std::string ein, aus;
  } faelle[] = {
      {std::string(300, 'a'), std::string(255, 'a')},
      {std::string(255, 'b'), std::string(255, 'b')},
      {"  Blanks stay  ", "  Blanks stay  "},
      {"", ""},
  };
  for (const auto& f : faelle) {
    TDatensatz d;
    d.Genre.setzen(f.ein);
    EXPECT_EQ(d.Genre.text(), f.aus);
    EXPECT_EQ(d.Interpret.text(), "");
  }
}

TEST(Datensatz, FelderNachNummerUndListenzeile) {
  const TDatensatz d = datensatzAus("I", "T", "L", "R", "Y", "G", "K");
  const char* erwartet[] = {"I", "T", "L", "R", "Y", "G", "K"};
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) EXPECT_EQ(d.feld(nr).text(), erwartet[nr - 1]);
  EXPECT_EQ(listenzeile(d), "I - T");
  EXPECT_EQ(listenzeile(mit("", "Titel")), " - Titel");
}

TEST(DatBas, LeereSammlungIgnoriertUngueltigePositionen) {
  TDatBas db;
  EXPECT_EQ(db.get_anzahl(), 0);
  TDatensatz d = mit("vorher");
  db.get_datensatz(1, d);
  EXPECT_EQ(d.Interpret.text(), "vorher");
  db.del_datensatz(1);
  EXPECT_EQ(db.get_anzahl(), 0);
}

TEST(DatBas, ZugriffePerPosition) {
  TDatBas db;
  for (const char* s : {"a", "b", "c"}) db.add_datensatz(mit(s));
  TDatensatz d;
  for (int pos : {0, 4, -1}) {
    d = mit("unverändert");
    db.get_datensatz(pos, d);
    EXPECT_EQ(d.Interpret.text(), "unverändert") << pos;
  }
  db.get_datensatz(3, d);
  EXPECT_EQ(d.Interpret.text(), "c");

  db.set_datensatz(0, mit("erster"));  // below 1: the first entry
  db.get_datensatz(1, d);
  EXPECT_EQ(d.Interpret.text(), "erster");

  db.del_datensatz(2);
  ASSERT_EQ(db.get_anzahl(), 2);
  db.get_datensatz(2, d);
  EXPECT_EQ(d.Interpret.text(), "c");
  db.del_datensatz(5);
  EXPECT_EQ(db.get_anzahl(), 2);

  db.add_datensatz(mit("c"));  // identical records are two entries
  EXPECT_EQ(db.get_anzahl(), 3);
  db.clear_all();
  EXPECT_EQ(db.get_anzahl(), 0);
}

TEST(DatBas, GibtDenGanzenDatensatzByteFuerByteZurueck) {
  TDatensatz d;
  for (std::size_t i = 0; i < sizeof d; ++i) reinterpret_cast<unsigned char*>(&d)[i] = static_cast<unsigned char>(i * 7);
  TDatBas db;
  db.add_datensatz(d);
  TDatensatz zurueck;
  db.get_datensatz(1, zurueck);
  EXPECT_EQ(std::memcmp(&d, &zurueck, sizeof d), 0);
}

// Records of every shape come back whole, also into a record that held
// something else before, and also after being overwritten by another shape.
TEST(DatBas, JedeFormDesDatensatzesKommtGanzZurueck) {
  auto leer = [] {
    TDatensatz d;
    std::memset(static_cast<void*>(&d), 0, sizeof d);
    return d;
  };
  TDatensatz sauber = datensatzAus("Interpret", "Titel", "", "1999", "CD", "Pop", "K");
  TDatensatz letztesByte = sauber;
  letztesByte.Kommentar.zeichen[254] = 'x';  // the very last byte of the record
  TDatensatz ersterRest = sauber;
  ersterRest.Interpret.zeichen[9] = '\1';  // right behind the first text
  TDatensatz voll = leer();
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) voll.feld(nr).setzen(std::string(255, static_cast<char>('a' + nr)));
  const TDatensatz formen[] = {leer(), sauber, letztesByte, ersterRest, voll};

  TDatBas db;
  for (const TDatensatz& f : formen) db.add_datensatz(f);
  db.set_datensatz(2, letztesByte);
  db.set_datensatz(3, sauber);
  const TDatensatz erwartet[] = {leer(), letztesByte, sauber, ersterRest, voll};
  for (int pos = 1; pos <= 5; ++pos) {
    TDatensatz zurueck;
    std::memset(static_cast<void*>(&zurueck), 'Z', sizeof zurueck);
    db.get_datensatz(pos, zurueck);
    EXPECT_EQ(std::memcmp(&zurueck, &erwartet[pos - 1], sizeof zurueck), 0) << pos;
  }
}

TEST(Codepage, UmlauteUndSonderzeichen) {
  struct Fall {
    QString qt;
    std::string cp;
  } faelle[] = {
      {QString::fromUtf8("Ärzte"), "\xC4rzte"},
      {QString::fromUtf8("ä ö ü ß"), "\xE4 \xF6 \xFC \xDF"},
      {QString::fromUtf8("€ … „“"), "\x80 \x85 \x84\x93"},
      {QString::fromUtf8("R&B"), "R&B"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(zuCp1252(f.qt), f.cp);
    EXPECT_EQ(vonCp1252(f.cp), f.qt);
  }
  EXPECT_EQ(zuCp1252(QString::fromUtf8("Ω日本😀")), "????");
  std::string alle;
  for (int i = 0; i < 256; ++i) alle.push_back(static_cast<char>(i));
  EXPECT_EQ(zuCp1252(vonCp1252(alle)), alle);
  // A list line: every byte as vonCp1252 gives it, CR, LF and TAB as blanks.
  QString erwartet = vonCp1252(alle) + " - " + vonCp1252(alle);
  for (QChar& c : erwartet)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  EXPECT_EQ(einzeiligVonCp1252({alle, " - ", alle}), erwartet);
  EXPECT_EQ(einzeiligAnzeigen(vonCp1252(alle) + " - " + vonCp1252(alle)), erwartet);
}

}  // namespace
