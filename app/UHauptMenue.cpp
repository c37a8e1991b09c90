#include "app/UHauptMenue.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <string>

#include "angaben/fenster/UFSammlerangaben.h"
#include "angaben/fenster/UFVerliehen.h"
#include "app/UAnwendung.h"
#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "core/UConnect.h"
#include "core/UDatbas.h"
#include "dialogs/UFOptionen.h"
#include "info/UFWebbrowser.h"
#include "info/UF_Programminformation.h"
#include "net/UFAutopatcher.h"
#include "net/UFInternetZugriff.h"
#include "online/fenster/UFOnline.h"
#include "stat/UFStatistik.h"

namespace {

using H = THauptFormular;

enum class TArt {
  Menue,    // in the menu bar
  Popup,    // the list's pop-up menu
  Unter,    // a submenu
  Punkt,    // an item with its command
  Trenner,  // a separator
};

struct TZeile {
  TArt art;
  const char* in;    // the menu it stands in (its name)
  const char* name;  // component name; a submenu's menu is called name + "_menue"
  const char* text;
  const char* kuerzel;
  QAction* H::*feld;  // where the window keeps the item (or the submenu's item), if it does
  void (*befehl)(H&);
};

template <int KEY, bool AUFSTEIGEND>
void sortierBefehl(H& h) {
  h.sortieren(KEY, AUFSTEIGEND);
}
void homepage(H&) { FWebbrowser->seiteZeigen(PROGRAMM_HOMEPAGE); }
bool eintragMarkiert() { return Connect->markiert() >= 0 && Connect->markiert() < DatBas->get_anzahl(); }

// clang-format off
const TZeile MENUE[] = {
  {TArt::Menue, nullptr, "Datei1", "&Datei", nullptr, nullptr, nullptr},
  {TArt::Punkt, "Datei1", "menue_neu", "&Neu", "Ctrl+N", &H::menue_neu, [](H& h) { h.datei().neu(); }},
  {TArt::Punkt, "Datei1", "Laden1", "&Laden", "Ctrl+L", &H::Laden1, [](H& h) { h.datei().laden(); }},
  {TArt::Punkt, "Datei1", "menue_hinzufgen", "&Hinzufügen", "Ctrl+Alt+L", &H::menue_hinzufgen, [](H& h) { h.datei().hinzufuegen(false); }},
  {TArt::Trenner, "Datei1", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Datei1", "menue_filesave", "&Speichern", "Ctrl+S", &H::menue_filesave, [](H& h) { h.datei().speichern(); }},
  {TArt::Punkt, "Datei1", "menue_speichern_unter", "Speichern &unter..", "Ctrl+Alt+S", &H::menue_speichern_unter, [](H& h) { h.datei().speichernUnter(); }},
  {TArt::Trenner, "Datei1", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Datei1", "menue_drucken", "&Drucken", "Ctrl+D", &H::menue_drucken, [](H& h) { h.reports().drucken(); }},
  {TArt::Unter, "Datei1", "menue_reportschreiben", "&Report schreiben (Daten exportieren)", nullptr, &H::menue_reportschreiben, nullptr},
  {TArt::Punkt, "menue_reportschreiben", "htmlDatei1", "&HTML-Datei (*.html / *.htm)", "Ctrl+H", &H::htmlDatei1, [](H& h) { h.reports().reportHtml(); }},
  {TArt::Punkt, "menue_reportschreiben", "Textdateitxt1", "&Textdatei (*.txt)", "Ctrl+T", &H::Textdateitxt1, [](H& h) { h.reports().reportTxt(); }},
  {TArt::Punkt, "menue_reportschreiben", "xls1", "Excel-Dokument (*.&xls)", "Ctrl+R", &H::xls1, [](H& h) { h.reports().xls1Click(); }},
  {TArt::Punkt, "menue_reportschreiben", "ExcelDokumentdif1", "Excel-Dokument (*.&dif)", "Ctrl+I", &H::ExcelDokumentdif1, [](H& h) { h.reports().reportDif(); }},
  {TArt::Trenner, "Datei1", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Datei1", "beenden1", "Programm &beenden", "Alt+F4", &H::beenden1, [](H& h) { h.close(); }},

  {TArt::Menue, nullptr, "Bearbeiten1", "&Bearbeiten", nullptr, nullptr, nullptr},
  {TArt::Punkt, "Bearbeiten1", "neuerEintrag1", "&Neuen Datensatz hinzufügen", "F2", &H::neuerEintrag1, [](H& h) { h.neuerEintrag(); }},
  {TArt::Punkt, "Bearbeiten1", "menue_datensatz_del", "Markierten Datensatz &löschen", "F4", &H::menue_datensatz_del, [](H&) { Connect->datensatz_loeschen(); }},
  {TArt::Punkt, "Bearbeiten1", "menue_change", "Markierten Datensatz ä&ndern", "F5", &H::menue_change, [](H& h) { h.aendern(); }},
  {TArt::Trenner, "Bearbeiten1", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Bearbeiten1", "menue_suche", "&Suche", "F3", &H::menue_suche, [](H& h) { h.suche(); }},
  {TArt::Unter, "Bearbeiten1", "menue_datensatz_verschieben", "Markierten Datensatz &verschieben", nullptr, &H::menue_datensatz_verschieben, nullptr},
  {TArt::Punkt, "menue_datensatz_verschieben", "menue_nachoben", "Nach &oben", "Ctrl+Alt+A", &H::menue_nachoben, [](H&) { Connect->nach_oben(); }},
  {TArt::Punkt, "menue_datensatz_verschieben", "menue_nachunten", "Nach &unten", "Ctrl+Alt+Y", &H::menue_nachunten, [](H&) { Connect->nach_unten(); }},
  {TArt::Unter, "Bearbeiten1", "menue_sort", "CD-Sammlug s&ortieren", nullptr, &H::menue_sort, nullptr},
  {TArt::Unter, "menue_sort", "Aufsteigend1", "Aufsteigend  [ A..Z ]", nullptr, nullptr, nullptr},
  {TArt::Unter, "menue_sort", "Absteigend1", "Absteigend  [ Z..A ]", nullptr, nullptr, nullptr},
  {TArt::Punkt, "Aufsteigend1", "nachInterpret1", "nach &Interpret", "F6", &H::nachInterpret1, sortierBefehl<1, true>},
  {TArt::Punkt, "Absteigend1", "nachInterpret2", "nach &Interpret", "Ctrl+F6", &H::nachInterpret2, sortierBefehl<1, false>},
  {TArt::Punkt, "Aufsteigend1", "nachTitel1", "nach &Titel", "F7", &H::nachTitel1, sortierBefehl<2, true>},
  {TArt::Punkt, "Absteigend1", "nachTitel2", "nach &Titel", "Ctrl+F7", &H::nachTitel2, sortierBefehl<2, false>},
  {TArt::Punkt, "Aufsteigend1", "nachLabel1", "nach &Label", nullptr, &H::nachLabel1, sortierBefehl<3, true>},
  {TArt::Punkt, "Absteigend1", "nachLabel2", "nach &Label", nullptr, &H::nachLabel2, sortierBefehl<3, false>},
  {TArt::Punkt, "Aufsteigend1", "nachRelease1", "nach &Release", nullptr, &H::nachRelease1, sortierBefehl<4, true>},
  {TArt::Punkt, "Absteigend1", "nachRelease2", "nach &Release", nullptr, &H::nachRelease2, sortierBefehl<4, false>},
  {TArt::Punkt, "Aufsteigend1", "nachTyp1", "nach T&yp", nullptr, &H::nachTyp1, sortierBefehl<5, true>},
  {TArt::Punkt, "Absteigend1", "nachTyp2", "nach T&yp", nullptr, &H::nachTyp2, sortierBefehl<5, false>},
  {TArt::Punkt, "Aufsteigend1", "nachGenre1", "nach &Genre", nullptr, &H::nachGenre1, sortierBefehl<6, true>},
  {TArt::Punkt, "Absteigend1", "nachGenre2", "nach &Genre", nullptr, &H::nachGenre2, sortierBefehl<6, false>},
  {TArt::Trenner, "Bearbeiten1", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Bearbeiten1", "menue_online", "CD online nachschlagen...", "Ctrl+F3", &H::menue_online, [](H&) { plattform().fensterModal(*FOnline); }},
  {TArt::Trenner, "Bearbeiten1", nullptr, nullptr, nullptr, nullptr, nullptr},
  // The texts name the step (set by the main window's view of the history).
  {TArt::Punkt, "Bearbeiten1", "menue_rueckgaengig", "&Rückgängig", "Ctrl+Z", &H::menue_rueckgaengig, [](H&) { Connect->rueckgaengig(); }},
  {TArt::Punkt, "Bearbeiten1", "menue_wiederherstellen", "&Wiederherstellen", "Ctrl+Y|Ctrl+Shift+Z", &H::menue_wiederherstellen, [](H&) { Connect->wiederherstellen(); }},
  {TArt::Trenner, "Bearbeiten1", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Bearbeiten1", "menue_sammlerangaben", "S&ammlerangaben...", "Ctrl+F5", nullptr, [](H&) { if (eintragMarkiert()) modalZeigen(FSammlerangaben); }},

  {TArt::Menue, nullptr, "Optionen1", "&Optionen", nullptr, nullptr, nullptr},
  {TArt::Unter, "Optionen1", "menue_gesamtbersicht", "&Ansicht", nullptr, &H::menue_gesamtbersicht, nullptr},
  // F8 like the menu: not while the "Ansicht" submenu is disabled (empty collection).
  {TArt::Punkt, "menue_gesamtbersicht", "menue_gesamtbersicht1", "&Gesamtübersicht", "F8", &H::menue_gesamtbersicht1, [](H& h) { if (h.menue_gesamtbersicht->isEnabled()) h.uebersicht(); }},
  {TArt::Punkt, "menue_gesamtbersicht", "menue_statistik", "&Statistik...", "Ctrl+F8", nullptr, [](H& h) { if (h.menue_gesamtbersicht->isEnabled()) modalZeigen(FStatistik); }},
  // The text counts the overdue loans (set when the submenu opens).
  {TArt::Punkt, "menue_gesamtbersicht", "menue_verliehen", "&Verliehen...", "Ctrl+Alt+V", nullptr, [](H& h) { if (h.menue_gesamtbersicht->isEnabled()) modalZeigen(FVerliehen); }},
  {TArt::Unter, "Optionen1", "menue_extras", "&Extras", nullptr, &H::menue_extras, nullptr},
  {TArt::Punkt, "menue_extras", "Internetsuche1", "&Internetsuche..", "Shift+F3", &H::Internetsuche1, [](H&) { plattform().fensterModal(*FInternetZugriff); }},
  {TArt::Trenner, "Optionen1", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Optionen1", "anzeigen1", "&Einstellungen", "F9", &H::anzeigen1, [](H&) { plattform().fensterModal(*FOptionen); }},

  {TArt::Menue, nullptr, "Hilfe0", "&?", nullptr, nullptr, nullptr},
  {TArt::Unter, "Hilfe0", "Updateberprfung1", "Updateüberprüfung", nullptr, &H::Updateberprfung1, nullptr},
  {TArt::Punkt, "Updateberprfung1", "automatischVemlaAutopatcherstarten1", "&Automatisch (Vemla Autopatcher starten)", "Ctrl+U", &H::automatischVemlaAutopatcherstarten1, [](H&) { plattform().fensterModal(*FAutopatcher); }},
  {TArt::Punkt, "Updateberprfung1", "dsf1", "&Manuell (Internet-Seite aufrufen)", "Ctrl+Alt+U", &H::dsf1, homepage},
  {TArt::Punkt, "Hilfe0", "Tastaturkrzel1", "&Tastaturkürzel", "Ctrl+Alt+T", &H::Tastaturkrzel1, [](H& h) { h.tastaturkuerzel(); }},
  {TArt::Trenner, "Hilfe0", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "Hilfe0", "Homepageanzeigen1", "Programm-Homepage anzeigen", nullptr, &H::Homepageanzeigen1, homepage},
  {TArt::Punkt, "Hilfe0", "Programminfo1", "&Programminformationen", "F12", &H::Programminfo1, [](H&) { plattform().fensterModal(*F_Programminformation); }},
  {TArt::Punkt, "Hilfe0", "Hilfe1", "&Hilfe", "F1", &H::Hilfe1, [](H& h) { h.hilfe(); }},

  {TArt::Popup, nullptr, "popupmenu_listbox", nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "popupmenu_listbox", "neuerEintrag2", "&neuer Eintrag", nullptr, &H::neuerEintrag2, [](H& h) { h.neuerEintrag(); }},
  {TArt::Punkt, "popupmenu_listbox", "popupmenue_del", "markierten Eintrag &löschen", nullptr, &H::popupmenue_del, [](H& h) { h.loeschenMitFrage(); }},
  {TArt::Unter, "popupmenu_listbox", "popupmenue_move", "markierten Eintrag &verschieben", nullptr, &H::popupmenue_move, nullptr},
  {TArt::Punkt, "popupmenue_move", "menue_nachoben2", "nach oben", nullptr, &H::menue_nachoben2, [](H&) { Connect->nach_oben(); }},
  {TArt::Punkt, "popupmenue_move", "menue_nachunten2", "nach unten", nullptr, &H::menue_nachunten2, [](H&) { Connect->nach_unten(); }},
  {TArt::Trenner, "popupmenu_listbox", nullptr, nullptr, nullptr, nullptr, nullptr},
  {TArt::Punkt, "popupmenu_listbox", "popupmenue_suche", "&Suche", nullptr, &H::popupmenue_suche, [](H& h) { h.suche(); }},
};
// clang-format on

}  // namespace

void hauptMenueAnlegen(H& h) {
  QMenuBar* leiste = h.menuBar();
  leiste->setObjectName("MainMenu");
  std::map<std::string, QMenu*> menues;
  std::map<std::string, bool> imPopup;  // items of the pop-up menu have no shortcut of the window
  for (const TZeile& z : MENUE) {
    QMenu* in = z.in ? menues.at(z.in) : nullptr;
    switch (z.art) {
      case TArt::Menue:
        menues[z.name] = leiste->addMenu(z.text);
        menues[z.name]->setObjectName(z.name);
        break;
      case TArt::Popup:
        h.popupmenu_listbox = new QMenu(&h);
        h.popupmenu_listbox->setObjectName(z.name);
        menues[z.name] = h.popupmenu_listbox;
        imPopup[z.name] = true;
        break;
      case TArt::Unter: {
        QMenu* u = in->addMenu(z.text);
        u->setObjectName(QString(z.name) + "_menue");
        u->menuAction()->setObjectName(z.name);
        if (z.feld) h.*z.feld = u->menuAction();
        menues[z.name] = u;
        imPopup[z.name] = imPopup[z.in];
        break;
      }
      case TArt::Trenner:
        in->addSeparator();
        break;
      case TArt::Punkt: {
        QAction* a = in->addAction(z.text);
        a->setObjectName(z.name);
        if (!imPopup[z.in]) {
          if (z.kuerzel) {
            QList<QKeySequence> kuerzel;  // "|" separates further shortcuts of the same item
            for (const QString& k : QString(z.kuerzel).split('|')) kuerzel << QKeySequence(k);
            a->setShortcuts(kuerzel);
          }
          a->setShortcutContext(Qt::WindowShortcut);
          h.addAction(a);  // shortcuts work from anywhere in the window, also with the menu bar hidden
          a->installEventFilter(&h);  // a shortcut of an item in a disabled submenu does nothing
        }
        if (z.feld) h.*z.feld = a;
        QObject::connect(a, &QAction::triggered, &h, sicher([&h, befehl = z.befehl] { befehl(h); }));
        break;
      }
    }
  }
  // The collector's details need a marked entry; the loans' item says how many are overdue.
  QAction* angaben = h.findChild<QAction*>("menue_sammlerangaben");
  QObject::connect(menues.at("Bearbeiten1"), &QMenu::aboutToShow, &h, [angaben] { angaben->setEnabled(eintragMarkiert()); });
  QObject::connect(menues.at("Bearbeiten1"), &QMenu::aboutToHide, &h, [angaben] { angaben->setEnabled(true); });
  QAction* verliehen = h.findChild<QAction*>("menue_verliehen");
  QObject::connect(menues.at("menue_gesamtbersicht"), &QMenu::aboutToShow, &h,
                   sicher([verliehen] { verliehen->setText(verliehenMenueText()); }));
  QObject::connect(h.listbox, &QWidget::customContextMenuRequested, &h,
                   [&h](const QPoint& p) { h.popupmenu_listbox->popup(h.listbox->viewport()->mapToGlobal(p)); });
}
