#include "core/UConnect.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UIniFile.h"
#include "app/UPlattform.h"
#include "core/UCodepage.h"
#include "core/UDatbas.h"
#include "core/UVemDatei.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFworking.h"

namespace {

THauptFormular& H() { return *HauptFormular; }


TDatensatz datensatz(const QString& interpret, const QString& titel, const QString& label, const QString& release,
                     const QString& typ, const QString& genre, const QString& kommentar) {
  return datensatzAus(feldZuCp1252(interpret), feldZuCp1252(titel), feldZuCp1252(label), feldZuCp1252(release),
                      feldZuCp1252(typ), feldZuCp1252(genre), feldZuCp1252(kommentar));
}

void setzeAn(std::initializer_list<QWidget*> widgets, bool an) {
  for (QWidget* w : widgets) w->setEnabled(an);
}
void setzeAn(std::initializer_list<QAction*> aktionen, bool an) {
  for (QAction* a : aktionen) a->setEnabled(an);
}
void zeige(std::initializer_list<QWidget*> widgets, bool sichtbar) {
  for (QWidget* w : widgets) w->setVisible(sichtbar);
}

}  // namespace

QString listenzeileAnzeigen(const TDatensatz& d) { return einzeiligVonCp1252({listenzeile(d)}); }

std::string dateiPfad(const QString& pfad) { return QFile::encodeName(pfad).toStdString(); }

QString pfadAusDatei(const std::string& bytes) {
  const QByteArray b = QByteArray::fromStdString(bytes);
  const QString pfad = QFile::decodeName(b);
  // Bytes that are no name of this system came from an older settings file in Windows-1252.
  return QFile::encodeName(pfad) == b ? pfad : vonCp1252(bytes);
}

void TConnect::wartenZeigen() {
  if (Fworking) Fworking->zeigen();
}

void TConnect::wartenVerbergen() {
  if (Fworking) Fworking->verbergen();
}

void TConnect::liste_neu_aufbauen() {
  QStringList zeilen;
  const int n = DatBas->get_anzahl();
  zeilen.reserve(n);
  TDatensatz d;
  for (int i = 1; i <= n; ++i) {
    DatBas->get_datensatz(i, d);
    zeilen << listenzeileAnzeigen(d);
  }
  QSignalBlocker sperre(H().listbox);
  H().listbox->clear();
  H().listbox->addItems(zeilen);
}

void TConnect::zustandLeer() {
  THauptFormular& h = H();
  setzeAn({h.e_interpret, h.e_titel, h.e_label, h.e_release, h.e_typ, h.e_genre, h.e_kommentar}, false);
  setzeAn({h.combobox_release, h.combobox_typ, h.combobox_genre, h.SB_AG_Interpret}, false);
  setzeAn({h.b_del, h.b_change, h.b_new, h.b_save}, false);
  zeige({h.b_del, h.b_change, h.b_new, h.b_save, h.SBquicksave}, false);
  setzeAn({h.menue_speichern_unter, h.menue_datensatz_del, h.menue_datensatz_verschieben, h.menue_drucken,
           h.menue_reportschreiben, h.menue_gesamtbersicht, h.menue_suche, h.menue_neu, h.menue_change,
           h.menue_hinzufgen},
          false);
  h.B_loadandadd->setEnabled(false);
  h.B_loadandadd->hide();
  setzeAn({h.popupmenue_move, h.popupmenue_del, h.popupmenue_suche, h.menue_filesave}, false);
}

void TConnect::zustandGefuellt() {
  THauptFormular& h = H();
  setzeAn({h.menue_speichern_unter, h.menue_datensatz_del, h.menue_datensatz_verschieben, h.menue_drucken,
           h.menue_reportschreiben, h.menue_gesamtbersicht, h.menue_suche, h.menue_neu, h.menue_change,
           h.menue_hinzufgen},
          true);
  setzeAn({h.B_loadandadd, h.e_interpret, h.e_titel, h.e_label, h.e_release, h.e_typ, h.e_genre, h.e_kommentar},
          true);
  setzeAn({h.combobox_release, h.combobox_typ, h.combobox_genre, h.SB_AG_Interpret}, true);
  setzeAn({h.b_del, h.b_change, h.b_new, h.b_save}, true);
  zeige({h.B_loadandadd, h.b_del, h.b_change, h.b_new, h.b_save, h.SBquicksave}, true);
  setzeAn({h.popupmenue_move, h.popupmenue_del, h.popupmenue_suche}, true);
}

void TConnect::anzeigen_aktualisieren() {
  THauptFormular& h = H();
  const int markiert = h.listbox->markiert();
  if (DatBas->get_anzahl() == 0) {
    h.LDatensatznum->setText("");
    for (QLineEdit* e : {h.e_interpret, h.e_titel, h.e_label, h.e_release, h.e_typ, h.e_genre, h.e_kommentar})
      e->setText("");
    h.L_vorhandeneintraege->setText("keine Einträge vorhanden");
    h.file_wasnot_changed();
    if (h.menue_speichern_unter->isEnabled()) zustandLeer();
  } else {
    if (!h.menue_speichern_unter->isEnabled()) zustandGefuellt();
    if (!h.get_filename().isEmpty()) h.menue_filesave->setEnabled(true);
    h.L_vorhandeneintraege->setText("vorhandene Einträge:");
    h.LDatensatznum->setText("weitere Informationen: Eintrag  " + QString::number(markiert + 1) + " :");
    TDatensatz d;  // all fields empty; with no line selected nothing is read
    DatBas->get_datensatz(markiert + 1, d);
    QLineEdit* felder[] = {h.e_interpret, h.e_titel, h.e_label, h.e_release, h.e_typ, h.e_genre, h.e_kommentar};
    for (int nr = 1; nr <= FELD_ANZAHL; ++nr) {
      felder[nr - 1]->setText(vonCp1252(d.feld(nr).sicht()));
      felder[nr - 1]->setCursorPosition(0);  // a long text shows its start
    }
  }
  h.L_anzahl->setText(QString::number(h.listbox->count()));
  h.L_anzahl->adjustSize();
  h.L_index->setText(QString::number(markiert + 1));
  h.L_index->adjustSize();
  h.LDatensatznum->adjustSize();
  h.L_vorhandeneintraege->adjustSize();

  const int zeilen = h.listbox->count();
  h.menue_sort->setEnabled(zeilen >= 2);
  const bool hoch = zeilen > 1 && markiert > 0;
  h.b_up->setEnabled(hoch);
  h.b_up->setVisible(hoch);
  setzeAn({h.menue_nachoben, h.menue_nachoben2}, hoch);
  const bool runter = zeilen > 1 && markiert + 1 < DatBas->get_anzahl();
  h.b_down->setEnabled(runter);
  h.b_down->setVisible(runter);
  setzeAn({h.menue_nachunten, h.menue_nachunten2}, runter);
}

bool TConnect::datensatz_hinzufuegen(const QString& interpret, const QString& titel, const QString& label,
                                     const QString& release, const QString& typ, const QString& genre,
                                     const QString& kommentar) {
  if (DatBas->get_anzahl() >= MAX_DATENSAETZE) {
    meldungOk("Hinweis:", "Es können keine weiteren Datensätze eingetragen werden!\r");
    if (F_add) F_add->close();
    return false;
  }
  if (interpret.isEmpty() || titel.isEmpty()) {
    meldungOk("Fehler:",
              "Bitte überprüfen Sie Ihre Eingaben!\rBeachten Sie:\r"
              "Die mit einem * markierten Felder müssen ausgefüllt werden!",
              TSymbol::Warnung);
    anzeigen_aktualisieren();
    return false;
  }
  if (DatBas->get_anzahl() >= WARTEN_AB) wartenZeigen();
  const TDatensatz d = datensatz(interpret, titel, label, release, typ, genre, kommentar);
  DatBas->add_datensatz(d);
  if (DatBas->get_anzahl() > WARTEN_AB) wartenVerbergen();
  {
    QSignalBlocker sperre(H().listbox);
    H().listbox->addItem(listenzeileAnzeigen(d));
    H().listbox->markieren(H().listbox->count() - 1);
  }
  anzeigen_aktualisieren();
  H().file_was_changed();
  anzeigen_aktualisieren();
  return true;
}

void TConnect::datensatz_aendern(const QString& interpret, const QString& titel, const QString& label,
                                 const QString& release, const QString& typ, const QString& genre,
                                 const QString& kommentar) {
  if (interpret.isEmpty() || titel.isEmpty()) {
    meldungOk("Fehler:",
              "Bitte überprüfen Sie Ihre Eingaben!\rBeachten Sie:\r"
              "Die Feldeter \"Interpret\" und \"Titel\" müssen ausgefüllt werden!",
              TSymbol::Warnung);
    return;
  }
  const int index = H().listbox->markiert();
  DatBas->set_datensatz(index + 1, datensatz(interpret, titel, label, release, typ, genre, kommentar));
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) wartenZeigen();
  liste_neu_aufbauen();
  H().listbox->markieren(index < 0 ? 0 : index);
  if (warten) wartenVerbergen();
  anzeigen_aktualisieren();
  H().file_was_changed();
}

void TConnect::datensatz_loeschen() {
  if (DatBas->get_anzahl() > WARTEN_AB) wartenZeigen();
  const int index = H().listbox->markiert();
  DatBas->del_datensatz(index + 1);
  liste_neu_aufbauen();
  H().listbox->markieren(index > 0 ? index - 1 : 0);
  if (DatBas->get_anzahl() >= WARTEN_AB) wartenVerbergen();
  anzeigen_aktualisieren();
  H().file_was_changed();
}

void TConnect::nach_unten() {
  const int zeilen = H().listbox->count();
  const int i = H().listbox->markiert();
  if (zeilen <= 1 || i + 1 >= zeilen) return;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) wartenZeigen();
  H().file_was_changed();
  TDatensatz a, b;
  DatBas->get_datensatz(i + 2, a);
  DatBas->get_datensatz(i + 1, b);
  DatBas->set_datensatz(i + 2, b);
  DatBas->set_datensatz(i + 1, a);
  liste_neu_aufbauen();
  H().listbox->markieren(i + 1);
  if (warten) wartenVerbergen();
  anzeigen_aktualisieren();
}

void TConnect::nach_oben() {
  const int zeilen = H().listbox->count();
  const int i = H().listbox->markiert();
  if (zeilen <= 1 || i <= 0) return;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) wartenZeigen();
  H().file_was_changed();
  TDatensatz a, b;
  DatBas->get_datensatz(i, a);
  DatBas->get_datensatz(i + 1, b);
  DatBas->set_datensatz(i, b);
  DatBas->set_datensatz(i + 1, a);
  liste_neu_aufbauen();
  H().listbox->markieren(i - 1);
  if (warten) wartenVerbergen();
  anzeigen_aktualisieren();
}

void TConnect::neue_sammlung() {
  {
    QSignalBlocker sperre(H().listbox);
    H().listbox->clear();
  }
  DatBas->clear_all();
  wache_.vergessen();
  anzeigen_aktualisieren();
  H().setWindowTitle(STARTTITEL);
  H().menue_filesave->setEnabled(false);
}

void TConnect::sortierungBeginnt(int anzahl) {
  if (anzahl > WARTEN_SORTIEREN_AB) wartenZeigen();
}

void TConnect::sortierungBeendet(int anzahl) {
  liste_neu_aufbauen();
  H().listbox->markieren(0);
  H().file_was_changed();
  anzeigen_aktualisieren();
  if (anzahl > WARTEN_SORTIEREN_AB) wartenVerbergen();
}

void TConnect::datei_hinzuladen(const QString& pfad) {
  const std::string datei = dateiPfad(pfad);
  if (!dateiExistiert(datei)) return;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) wartenZeigen();
  // Lines are collected and appended in one go, also when reading stops with
  // an error: the records read so far stay, and so do their lines.
  QStringList neueZeilen;
  auto zeilenAnhaengen = [&] {
    QSignalBlocker sperre(H().listbox);
    H().listbox->addItems(neueZeilen);
  };
  TDateiKennung kennung;
  try {
    vemAnhaengen(
        datei, *DatBas, MAX_DATENSAETZE, [&](const TDatensatz& d) { neueZeilen << listenzeileAnzeigen(d); }, &kennung);
  } catch (...) {
    zeilenAnhaengen();
    if (warten) wartenVerbergen();
    nachLesefehler();
    throw;
  }
  zeilenAnhaengen();
  if (DatBas->get_anzahl() == MAX_DATENSAETZE)
    meldungOk("Hinweis:",
              "Das Laden/Hinzufügen dieser Datei war nicht (vollständig) möglich!\r"
              "Vemla kann in dieser Versionmaximal 4000 Datensätze verwalten!");
  if (warten) wartenVerbergen();  // shown only when there were more than 700 at the start
  H().listbox->markieren(0);
  anzeigen_aktualisieren();
  H().setWindowTitle(titelFuerDatei(pfad));
  H().menue_filesave->setEnabled(true);
  H().set_filename(pfad);
  wache_.merken(datei, kennung);
  IniFile->WriteString("Initiation", "filename", dateiPfad(pfad));
}

void TConnect::nachLesefehler() {
  // The records read before the error stay (the user may want to rescue them),
  // but they are no longer what any file holds: list, counters and commands
  // show the collection as it is, and it counts as changed.
  if (H().listbox->markiert() < 0) H().listbox->markieren(0);
  H().file_was_changed();
  anzeigen_aktualisieren();
}

void TConnect::datei_oeffnen(const QString& pfad) {
  if (!dateiExistiert(dateiPfad(pfad))) return;
  neue_sammlung();
  H().set_filename("");
  try {
    datei_hinzuladen(pfad);
  } catch (...) {
    // Once the file is the current one it has been read: only the settings
    // refused to note it, and the collection stays open under its name.
    if (H().current_filename == pfad) throw;
    // The file opened before is no longer the current one: a later Save must
    // not write the partial records over it.
    H().set_filename("");
    wache_.vergessen();
    H().setWindowTitle(STARTTITEL);
    H().menue_filesave->setEnabled(false);
    throw;
  }
}

bool TConnect::datei_speichern(const QString& pfadEin) {
  QString pfad = pfadEin;
  if (!pfad.endsWith(".vem", Qt::CaseSensitive)) pfad += ".vem";
  const std::string datei = dateiPfad(pfad);
  if (wache_.fremdGeaendert(datei) &&
      plattform().meldung("Sicherheitsabfrage",
                          "Die Datei \u201E" + QFileInfo(pfad).fileName() +
                              "\u201C wurde au\u00DFerhalb von Vemla ge\u00E4ndert.\r"
                              "Wenn Sie jetzt speichern, gehen diese \u00C4nderungen verloren.\rTrotzdem speichern?",
                          TSymbol::Warnung, TKnoepfe::JaNeinStandardNein, &H()) != TAntwort::Ja)
    return false;
  const bool warten = DatBas->get_anzahl() > WARTEN_AB;
  if (warten) wartenZeigen();
  TDateiKennung kennung;
  try {
    vemSchreiben(datei, *DatBas, &kennung);
  } catch (...) {
    if (warten) wartenVerbergen();
    throw;
  }
  if (warten) wartenVerbergen();
  meldungOk("Hinweis", "Die Datei wurde erfolgreich gespeichert!");
  H().setWindowTitle(titelFuerDatei(pfad));
  H().menue_filesave->setEnabled(true);
  H().set_filename(pfad);
  wache_.merken(datei, kennung);
  IniFile->WriteString("Initiation", "filename", datei);
  return true;
}

bool TConnect::dateityp_pruefen(const QString& pfad) {
  const QString ende = pfad.right(4);
  if (ende == ".vem") return true;
  if (ende == vonCp1252(IniFile->ReadString("Optionen", "vem-dateien_endung", ""))) return true;
  meldungOk("Fehler:", "Die Datei ist vom falschen Typ!");
  return false;
}
