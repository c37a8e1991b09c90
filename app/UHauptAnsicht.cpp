#include "app/UHauptAnsicht.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "app/UZielSchutz.h"
#include "core/UCodepage.h"
#include "core/UDatbas.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFworking.h"
#include "report/UDrucken.h"
#include "report/UFprint.h"

namespace {

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

void THauptAnsicht::listeNeu(const QStringList& zeilen) {
  QSignalBlocker sperre(h_.listbox);
  h_.listbox->clear();
  h_.listbox->addItems(zeilen);
}

void THauptAnsicht::zeilenAnhaengen(const QStringList& zeilen) {
  QSignalBlocker sperre(h_.listbox);
  h_.listbox->addItems(zeilen);
}

void THauptAnsicht::markierungZeigen(int zeile) { h_.listbox->markieren(zeile); }

int THauptAnsicht::obersteZeile() const { return h_.listbox->indexAt(QPoint(0, 0)).row(); }

void THauptAnsicht::obersteZeileSetzen(int zeile) {
  if (QListWidgetItem* z = h_.listbox->item(zeile)) h_.listbox->scrollToItem(z, QAbstractItemView::PositionAtTop);
}

void THauptAnsicht::hinweis(const QString& text) { meldungOk("Hinweis", text, TSymbol::Information, &h_); }

void THauptAnsicht::verlaufZeigen() {
  const auto zeigen = [](QAction* a, const QString& text, bool moeglich, const QString& schritt) {
    a->setText(moeglich ? text + ": " + schritt : text);
    a->setEnabled(moeglich);
  };
  zeigen(h_.menue_rueckgaengig, "&Rückgängig", Connect->kann_rueckgaengig(), Connect->rueckgaengig_name());
  zeigen(h_.menue_wiederherstellen, "&Wiederherstellen", Connect->kann_wiederherstellen(),
         Connect->wiederherstellen_name());
}

void THauptAnsicht::dateiZeigen(const QString& titel, bool speichernMoeglich) {
  h_.setWindowTitle(titel);
  h_.menue_filesave->setEnabled(speichernMoeglich);
}

void THauptAnsicht::warten(bool an) { bitteWarten(an); }

void THauptAnsicht::zustandLeer() {
  THauptFormular& h = h_;
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

void THauptAnsicht::zustandGefuellt() {
  THauptFormular& h = h_;
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

void THauptAnsicht::aktualisieren() {
  THauptFormular& h = h_;
  const int markiert = Connect->markiert();
  if (DatBas->get_anzahl() == 0) {
    h.LDatensatznum->setText("");
    for (QLineEdit* e : {h.e_interpret, h.e_titel, h.e_label, h.e_release, h.e_typ, h.e_genre, h.e_kommentar})
      e->setText("");
    h.L_vorhandeneintraege->setText("keine Einträge vorhanden");
    if (h.menue_speichern_unter->isEnabled()) zustandLeer();
  } else {
    if (!h.menue_speichern_unter->isEnabled()) zustandGefuellt();
    if (!Connect->get_filename().isEmpty()) h.menue_filesave->setEnabled(true);
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

void THauptAnsicht::melden(TConnectMeldung meldung) {
  const QString pflicht = "Bitte überprüfen Sie Ihre Eingaben!\rBeachten Sie:\r";
  switch (meldung) {
    case TConnectMeldung::SammlungVoll:
      meldungOk("Hinweis:", "Es können keine weiteren Datensätze eingetragen werden!\r");
      if (F_add) F_add->close();
      break;
    case TConnectMeldung::PflichtfelderNeu:
      meldungOk("Fehler:", pflicht + "Die mit einem * markierten Felder müssen ausgefüllt werden!", TSymbol::Warnung);
      break;
    case TConnectMeldung::PflichtfelderAendern:
      meldungOk("Fehler:", pflicht + "Die Feldeter \"Interpret\" und \"Titel\" müssen ausgefüllt werden!",
                TSymbol::Warnung);
      break;
    case TConnectMeldung::NichtVollstaendig:
      meldungOk("Hinweis:",
                "Das Laden/Hinzufügen dieser Datei war nicht (vollständig) möglich!\r"
                "Vemla kann in dieser Versionmaximal 4000 Datensätze verwalten!");
      break;
    case TConnectMeldung::Gespeichert:
      meldungOk("Hinweis", "Die Datei wurde erfolgreich gespeichert!");
      break;
    case TConnectMeldung::FalscherTyp:
      meldungOk("Fehler:", "Die Datei ist vom falschen Typ!");
      break;
  }
}

bool THauptAnsicht::ueberschreibenErlaubt(const QString& pfad) {
  return plattform().meldung("Sicherheitsabfrage",
                             "Die Datei \u201E" + QFileInfo(pfad).fileName() +
                                 "\u201C wurde au\u00DFerhalb von Vemla ge\u00E4ndert.\r"
                                 "Wenn Sie jetzt speichern, gehen diese \u00C4nderungen verloren.\rTrotzdem speichern?",
                             TSymbol::Warnung, TKnoepfe::JaNeinStandardNein, &h_) == TAntwort::Ja;
}

bool THauptAnsicht::druckBeginnen() {
  QPrinter& drucker = h_.reports().drucker();
  if (!plattform().druckDialog(drucker)) return false;
  // Printing into a file never writes over the open collection: refused as
  // the export dialogs refuse it, and the print option dialog stays open.
  if (const QString einwand = zielEinwand(druckDatei(drucker), geschuetzteDateien()); !einwand.isEmpty()) {
    meldungOk("Fehler:", einwand, TSymbol::Warnung);
    return false;
  }
  h_.memo->clear();
  druckOptionen_ = Fprint->optionen();
  return true;
}

QString THauptAnsicht::druckzeile(int n, const TDatensatz& d) { return ::druckzeile(n, d, druckOptionen_); }

void THauptAnsicht::drucken(const QStringList& zeilen) {
  h_.memo->setPlainText(zeilen.join('\n'));
  h_.reports().print();
}

void THauptAnsicht::druckBeendet() {
  Fprint->close();
  meldungOk("Druckauftrag erteilt", "Der Druckauftrag wurde an den von Ihnen gewählten Drucker weitergeleitet.");
}
