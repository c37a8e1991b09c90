// The CSV commands of the main window: the preview of an import, appending,
// malformed files, the entry limit, the export.
#include <QMenu>
#include <filesystem>
#include <QTableWidget>

#include "core/UCodepage.h"
#include "core/UVemDatei.h"
#include "csv/UCsvSchreiben.h"
#include "csv/UFCsvImport.h"
#include "csv/UKommandozeile.h"
#include "dialogs/UFworking.h"
#include "tests/support/GuiTest.h"

namespace {

QString testdatei(const char* name) { return QString(VEMLA_QUELLORDNER) + "/tests/csv/dateien/" + name; }

class CsvFenster : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten();
    anzeigen();
  }
  // Imports "datei" and runs "schritte" while the preview is open.
  void importieren(const QString& datei, const std::function<void(TFCsvImport&)>& schritte) {
    plattform_.dateinamen.push_back(datei);
    imModalenFenster([this] { aktion("menue_csvimport")->trigger(); }, [&] { schritte(*FCsvImport); });
  }
  static void waehlen(QComboBox* cb, const QString& text) {
    const int i = cb->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    cb->setCurrentIndex(i);
    emit cb->activated(i);
  }
  static QStringList zeile(QTableWidget* t, int r) {
    QStringList l;
    for (int c = 0; c < t->columnCount(); ++c) l << (t->item(r, c) ? t->item(r, c)->text() : "<leer>");
    return l;
  }
  std::string vemBytes() {
    vemSchreiben(tmp_.pfad("pruef.vem"), *DatBas);
    return dateiInhalt(tmp_.pfad("pruef.vem"));
  }
};

TEST_F(CsvFenster, MenuepunkteHinterHinzufuegen) {
  QStringList namen;
  for (QAction* a : finde<QMenu>("Datei1")->actions()) namen << (a->isSeparator() ? "-" : a->objectName());
  EXPECT_EQ(namen.mid(0, 7), (QStringList{"menue_neu", "Laden1", "menue_hinzufgen", "menue_csvimport", "menue_csvexport",
                                          "-", "menue_filesave"}));
  EXPECT_EQ(aktion("menue_csvimport")->text(), "CSV-Datei &importieren...");
  EXPECT_EQ(aktion("menue_csvexport")->text(), "CSV-Datei &exportieren...");
  // The preview window exists from the start, its insides come with its first showing.
  ASSERT_TRUE(FCsvImport);
  EXPECT_EQ(FCsvImport->B_importieren, nullptr);
}

TEST_F(CsvFenster, VorschauZeigtZuordnungUndHaengtAn) {
  eintragen({{"Alt", "Eins"}, {"Alt", "Zwei"}});
  Connect->file_wasnot_changed();
  importieren(testdatei("discogs.csv"), [&](TFCsvImport& f) {
    QStringList gewaehlt;
    for (QComboBox* cb : f.combobox_spalte) gewaehlt << cb->currentText();
    EXPECT_EQ(gewaehlt, (QStringList{"Artist", "Title", "Label", "Released", "Format", "(keine)", "Collection Notes"}));
    EXPECT_EQ(f.L_datei->text(), "Datei: " + testdatei("discogs.csv") + "  (UTF-8, Trennzeichen Komma, Discogs-Sammlungsexport)");
    ASSERT_EQ(f.SG_vorschau->rowCount(), 4);
    EXPECT_EQ(zeile(f.SG_vorschau, 2), (QStringList{"Die Ärzte", "Die Bestie In Menschengestalt", "Metronome, Polydor",
                                                    "1993", "CD - Album (2 CDs)", "", ""}));
    EXPECT_TRUE(f.L_ergebnis->text().startsWith("4 Zeilen werden hinzugefügt, 0 gekürzt (länger als 255 Zeichen), "
                                                "0 geändert (Zeichen außerhalb von Windows-1252), 0 übersprungen"));
    // The user takes the genre from the condition column and leaves the comment out.
    waehlen(f.combobox_spalte[FELD_GENRE - 1], "Collection Media Condition");
    waehlen(f.combobox_spalte[FELD_KOMMENTAR - 1], "(keine)");
    EXPECT_EQ(zeile(f.SG_vorschau, 0).mid(5), (QStringList{"Near Mint (NM or M-)", ""}));
    f.B_importieren->click();
  });
  EXPECT_EQ(listenzeilen(), (QStringList{"Alt - Eins", "Alt - Zwei", "Kate Bush - Hounds Of Love",
                                         "Pink Floyd - The Dark Side Of The Moon", "Die Ärzte - Die Bestie In Menschengestalt",
                                         "Sven Väth, Ralf Hildenbeutel - Barbarella"}));
  EXPECT_EQ(H().listbox->markiert(), 2);
  EXPECT_EQ(H().e_genre->text(), "Near Mint (NM or M-)");
  EXPECT_EQ(H().e_kommentar->text(), "");
  EXPECT_EQ(H().L_anzahl->text(), "6");
  EXPECT_TRUE(Connect->file_changed());
  EXPECT_TRUE(Connect->get_filename().isEmpty());  // a CSV file never becomes the current collection file
}

TEST_F(CsvFenster, AbbrechenAendertNichts) {
  importieren(testdatei("discogs.csv"), [](TFCsvImport& f) { f.B_abbrechen->click(); });
  EXPECT_EQ(DatBas->get_anzahl(), 0);
  EXPECT_FALSE(Connect->file_changed());
}

TEST_F(CsvFenster, FehlendeSpalteWirdImFensterGewaehlt) {
  importieren(testdatei("ohne_titel.csv"), [&](TFCsvImport& f) {
    f.B_importieren->click();
    ASSERT_TRUE(plattform_.letzteMeldung());
    EXPECT_EQ(plattform_.letzteMeldung()->text, "Bitte ordnen Sie den Feldern Interpret und Titel je eine Spalte zu!");
    EXPECT_TRUE(f.isVisible());
    waehlen(f.combobox_spalte[FELD_TITEL - 1], "Label");
    f.B_importieren->click();
  });
  EXPECT_EQ(listenzeilen(), QStringList{"Kraftwerk - Kling Klang"});
}

TEST_F(CsvFenster, FehlerhafteDateienAendernNichts) {
  eintragen({{"A", "B"}});
  Connect->file_wasnot_changed();
  const std::size_t modalVorher = modale().size();
  const std::pair<const char*, QString> faelle[] = {
      {"offen.csv", "Ein Anführungszeichen in Zeile 2 wird nicht geschlossen."},
      {"binaer.csv", "Die Datei ist keine Textdatei (sie enthält Binärdaten)."},
      {"leer.csv", "Die Datei ist leer."},
      {"unbekannt.csv", "Die Kopfzeile enthält keine bekannte Spalte (etwa Interpret, Titel, Artist oder Title)."},
  };
  for (const auto& [datei, text] : faelle) {
    plattform_.dateinamen.push_back(testdatei(datei));
    aktion("menue_csvimport")->trigger();
    ASSERT_TRUE(plattform_.letzteMeldung());
    EXPECT_EQ(plattform_.letzteMeldung()->titel, "Fehler:");
    EXPECT_EQ(plattform_.letzteMeldung()->symbol, TSymbol::Warnung);
    EXPECT_EQ(plattform_.letzteMeldung()->text, "Die CSV-Datei kann nicht importiert werden:\r" + text);
  }
  EXPECT_EQ(modale().size(), modalVorher);  // no preview
  EXPECT_EQ(listenzeilen(), QStringList{"A - B"});
  EXPECT_FALSE(Connect->file_changed());
}

TEST_F(CsvFenster, GrenzeUndBitteWarten) {
  sammlungsdatei(tmp_.pfad("voll.vem"), 3998);
  Connect->datei_oeffnen(QString::fromStdString(tmp_.pfad("voll.vem")));
  ZeigenZaehler zaehler;
  Fworking->installEventFilter(&zaehler);
  plattform_.meldungen.clear();
  importieren(testdatei("discogs.csv"), [](TFCsvImport& f) {
    EXPECT_TRUE(f.L_ergebnis->text().startsWith("2 Zeilen werden hinzugefügt"));
    EXPECT_TRUE(f.L_ergebnis->text().endsWith(" 2 Zeilen haben keinen Platz mehr: Vemla kann maximal 4000 Datensätze verwalten."));
    f.B_importieren->click();
  });
  EXPECT_EQ(DatBas->get_anzahl(), 4000);
  EXPECT_EQ(plattform_.meldungsTexte(),
            QStringList{"Hinweis:|Das Laden/Hinzufügen dieser Datei war nicht (vollständig) möglich!\r"
                        "Vemla kann in dieser Versionmaximal 4000 Datensätze verwalten!"});
  EXPECT_EQ(zaehler.gezeigt, 1);
  EXPECT_FALSE(Fworking->isVisible());
  EXPECT_EQ(listenzeilen().last(), "Pink Floyd - The Dark Side Of The Moon");
}

// The limit message comes only when lines were left out (discogs.csv has four).
TEST_F(CsvFenster, GrenzmeldungNurWennZeilenFehlen) {
  const std::pair<int, QStringList> faelle[] = {
      {3996, {}},
      {3997, {"Hinweis:|Das Laden/Hinzufügen dieser Datei war nicht (vollständig) möglich!\r"
              "Vemla kann in dieser Versionmaximal 4000 Datensätze verwalten!"}},
  };
  for (const auto& [vorher, meldungen] : faelle) {
    Connect->file_wasnot_changed();
    sammlungsdatei(tmp_.pfad("fast.vem"), vorher);
    Connect->datei_oeffnen(QString::fromStdString(tmp_.pfad("fast.vem")));
    plattform_.meldungen.clear();
    importieren(testdatei("discogs.csv"), [](TFCsvImport& f) { f.B_importieren->click(); });
    EXPECT_EQ(DatBas->get_anzahl(), 4000);
    EXPECT_EQ(plattform_.meldungsTexte(), meldungen) << vorher;
  }
}

// The file's first lines as they are, whatever is assigned; how it was read; a line with more cells than the header.
TEST_F(CsvFenster, VorschauZeigtDieDateiWieSieIst) {
  struct Fall {
    std::string inhalt;
    QString art;                   // L_datei behind the file name
    QStringList kopf, ersteZeile;  // SG_datei
    int eintraege;                 // rows of SG_vorschau
    QString ergebnis;              // L_ergebnis begins so
  } faelle[] = {
      {"Band;Tontr\xC3\xA4ger;Erscheinungsjahr;Label;Bemerkung\r\nKraftwerk;Computerwelt;1981;Kling Klang;gut\r\n",
       "(UTF-8, Trennzeichen Semikolon)", {"Band", "Tonträger", "Erscheinungsjahr", "Label", "Bemerkung"},
       {"Kraftwerk", "Computerwelt", "1981", "Kling Klang", "gut"}, 0, "0 Zeilen werden hinzugefügt, 0 gekürzt"},
      {"Interpret,Titel\nBj\xC3\xB6rk,Homog\xC3\xA9nic\nM\xF6tley Cr\xFC""e,Dr. Feelgood\n",
       "(UTF-8, 1 Zeile als Windows-1252 gelesen, Trennzeichen Komma)", {"Interpret", "Titel"}, {"Björk", "Homogénic"}, 2,
       "2 Zeilen werden hinzugefügt, 0 gekürzt (länger als 255 Zeichen), 0 geändert"},
      {"Interpret\tTitel\nA\tB\n", "(UTF-8, Trennzeichen Tabulator)", {"Interpret", "Titel"}, {"A", "B"}, 1,
       "1 Zeile wird hinzugefügt, 0 gekürzt"},
      {"Artist,Title,Label\nA,T,Label with, a comma\n", "(UTF-8, Trennzeichen Komma)", {"Artist", "Title", "Label"},
       {"A", "T", "Label with"}, 1,
       "Zeile 2 hat mehr Zellen als die Kopfzeile: A,T,Label with,a comma\nSo kann die Datei nicht importiert werden"},
  };
  for (const Fall& fall : faelle) {
    dateiSchreiben(tmp_.pfad("v.csv"), fall.inhalt);
    const QString datei = QString::fromStdString(tmp_.pfad("v.csv"));
    importieren(datei, [&](TFCsvImport& f) {
      EXPECT_EQ(f.L_datei->text(), "Datei: " + datei + "  " + fall.art);
      QStringList kopf;
      for (int c = 0; c < f.SG_datei->columnCount(); ++c) kopf << f.SG_datei->horizontalHeaderItem(c)->text();
      EXPECT_EQ(kopf, fall.kopf);
      EXPECT_EQ(zeile(f.SG_datei, 0), fall.ersteZeile);
      EXPECT_EQ(f.SG_vorschau->rowCount(), fall.eintraege);
      EXPECT_TRUE(f.L_ergebnis->text().startsWith(fall.ergebnis)) << f.L_ergebnis->text().toStdString();
      EXPECT_EQ(f.B_importieren->isEnabled(), !fall.ergebnis.startsWith("Zeile"));
      f.B_abbrechen->click();
    });
  }
  EXPECT_EQ(DatBas->get_anzahl(), 0);
}

// A Discogs export of 4000 lines gives the same collection in the window and on the command line.
TEST_F(CsvFenster, VierTausendZeilenWieAufDerKommandozeile) {
  std::string csv = dateiInhalt(testdatei("discogs.csv").toStdString());
  const std::string kopf = csv.substr(0, csv.find('\n') + 1), zeilen = csv.substr(kopf.size());
  std::string gross = kopf;
  for (int i = 0; i < 1000; ++i) gross += zeilen;
  dateiSchreiben(tmp_.pfad("gross.csv"), gross);
  importieren(QString::fromStdString(tmp_.pfad("gross.csv")), [](TFCsvImport& f) {
    EXPECT_TRUE(f.L_ergebnis->text().startsWith("4000 Zeilen werden hinzugefügt"));
    f.B_importieren->click();
  });
  ASSERT_EQ(DatBas->get_anzahl(), 4000);
  std::ostringstream aus, fehler;
  EXPECT_EQ(kommandozeile({"--import-csv", tmp_.pfad("gross.csv"), tmp_.pfad("kz.vem")}, aus, fehler), ENDE_OK);
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("kz.vem")) == vemBytes());
}

TEST_F(CsvFenster, ExportSchreibtDieSammlung) {
  eintragen({{"Die Ärzte", "Planet \"Punk\""}, {"B", "C"}});
  plattform_.dateinamen.push_back(QString::fromStdString(tmp_.pfad("liste")));
  aktion("menue_csvexport")->trigger();
  ASSERT_FALSE(plattform_.dateiDialoge.empty());
  EXPECT_EQ(plattform_.dateiDialoge.back().vorschlag, "CD-Sammlung1.csv");
  EXPECT_EQ(dateiInhalt(tmp_.pfad("liste.csv")),
            "\xEF\xBB\xBFInterpret,Titel,Label,Release,Typ,Genre,Kommentar\r\n"
            "Die \xC3\x84rzte,\"Planet \"\"Punk\"\"\",,,,,\r\nB,C,,,,,\r\n");
  EXPECT_EQ(plattform_.meldungsTexte().last(), "Hinweis|Die CD-Sammlung wurde erfolgreich als CSV-Datei gespeichert!");
  // A target that cannot be written is named with the reason.
  std::filesystem::create_directory(tmp_.pfad("ordner.csv"));
  plattform_.dateinamen.push_back(QString::fromStdString(tmp_.pfad("ordner.csv")));
  aktion("menue_csvexport")->trigger();
  EXPECT_EQ(plattform_.meldungsTexte().last(), QString::fromStdString("Fehler:|Die CSV-Datei konnte nicht gespeichert "
                                                                      "werden!\r" + tmp_.pfad("ordner.csv") +
                                                                      "\rDateizugriff verweigert."));
  // And back: the same entries once more.
  vemBytes();  // the two entries as a collection file
  importieren(QString::fromStdString(tmp_.pfad("liste.csv")), [](TFCsvImport& f) { f.B_importieren->click(); });
  EXPECT_EQ(DatBas->get_anzahl(), 4);
  TDatBas doppelt;
  vemAnhaengen(tmp_.pfad("pruef.vem"), doppelt);
  vemAnhaengen(tmp_.pfad("pruef.vem"), doppelt);
  vemSchreiben(tmp_.pfad("doppelt.vem"), doppelt);
  EXPECT_TRUE(dateiInhalt(tmp_.pfad("doppelt.vem")) == vemBytes());
}

}  // namespace

namespace {

// The window's import gives each appended entry the details of its line; its
// export writes them after the seven fields.
TEST_F(CsvFenster, ImportUndExportMitAngaben) {
  eintragen({{"Alt", "Eins"}});
  importieren(testdatei("discogs.csv"), [](TFCsvImport& f) { f.B_importieren->click(); });
  std::vector<std::string> ist;
  for (int pos = 1; pos <= 5; ++pos) {
    const TAngaben a = Connect->angaben(pos);
    ist.push_back(zustandKuerzel(a.zustandTontraeger) + "/" + zustandKuerzel(a.zustandHuelle) + " " + a.aufgenommenAm);
  }
  EXPECT_EQ(ist, (std::vector<std::string>{"/ ", "NM/VG+ 2021-03-04", "VG/G 2021-03-05", "/ 2021-04-01",
                                           "/ 2022-01-01"}));
  plattform_.dateinamen.push_back(QString::fromStdString(tmp_.pfad("mit.csv")));
  aktion("menue_csvexport")->trigger();
  const std::string text = dateiInhalt(tmp_.pfad("mit.csv"));
  EXPECT_EQ(text, csvText(*DatBas));
  EXPECT_NE(text.find("Kate Bush,Hounds Of Love,EMI,1985,CD - Album (1 CD),,Erstpressung aus Holland,NM,VG+,04.03.2021,,,,,5,"),
            std::string::npos);
}

}  // namespace
