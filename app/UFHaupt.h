#pragma once
// The main window: the list of all entries on the left, the fields of the
// selected entry on the right, a row of buttons below, six quick buttons at
// the top, a status bar with hints, the main menu and the list's pop-up menu.
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QWindow>
#include <QString>
#include <memory>
#include <string>

#include "app/UDateiBefehle.h"
#include "app/UDetailTexte.h"
#include "app/UHauptAblauf.h"
#include "app/UHauptAnsicht.h"
#include "app/UHauptOptionen.h"
#include "app/UReportBefehle.h"
#include "app/UPlattform.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QStatusBar;
class QToolButton;

// The main list: a right click opens the pop-up menu without moving the selection.
class TListBox : public QListWidget {
  Q_OBJECT
 public:
  using QListWidget::QListWidget;
  // The selected line, -1 when none is selected.
  int markiert() const;
  // Selects line "zeile" (-1: none) without running the selection handler.
  void markieren(int zeile);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  // Like a classic single-selection list box: the user cannot clear the selection.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                        const QEvent* e = nullptr) const override;
};

class THauptFormular : public QMainWindow, public IDetailTexte {
  Q_OBJECT
 public:
  explicit THauptFormular(QWidget* parent = nullptr);
  ~THauptFormular() override;

  // Interpret, Titel and Label as the detail fields show them now.
  TDetailTexte detailTexte() const override;

  // --- window size as outer frame size (see UFenstermass)
  void setzeAussenHoehe(int hoehe);
  void setzeAussenBreite(int breite);
  QSize aussenmass() const;
  QWidget* client() const { return client_; }

  // The program's start, the activations that apply the settings, the closing.
  THauptAblauf& ablauf() { return ablauf_; }
  // What the options do to the window, as the settings announce their changes.
  THauptOptionen& optionen() { return optionen_; }
  // The outer frame where it stays: a centring that waits for the window
  // manager's frame is done at once when the frame is known by now.
  QRect endgueltigerRahmen();
  // The main window's position as stored in the settings: its frame's top-left corner.
  QPoint startposition() const;
  // Moves the frame's top-left corner to "p", kept so that the title bar stays on a screen.
  void startpositionSetzen(QPoint p);
  void zeigeStatusleiste(bool sichtbar);

  // --- commands
  void aendern();
  void loeschenMitFrage();
  void sortieren(int key, bool aufsteigend);
  void quickbutton(QAction* menuepunkt, const QString& titel, const std::function<void()>& befehl);
  void minview();
  void hilfe();
  void neuerEintrag();
  void quicksort();
  void suche();
  void uebersicht();
  void tastaturkuerzel();
  // Commands whose windows are still to come: nothing to open yet.
  void fensterFolgt() {}

  // The commands on whole collection files and their dialogs.
  TDateiBefehle& datei() { return datei_; }
  TDateiDialog exportDialog(TDateiDialog d, std::function<QString(const QString&)> ziel) const {
    return datei_.exportDialog(std::move(d), std::move(ziel));
  }
  // The reports, the printed list and the spreadsheet export.
  TReportBefehle& reports() { return reports_; }

  // --- controls (component names)
  QLabel* L_vorhandeneintraege;
  TListBox* listbox;
  QLabel *Label7, *L_anzahl, *Label8, *L_index, *LDatensatznum;
  QLabel *Label2, *Label3, *Label4, *Label5, *Label9, *Label10, *Label6;
  QLineEdit *e_interpret, *e_titel, *e_label, *e_release, *e_typ, *e_genre, *e_kommentar;
  QComboBox *combobox_release, *combobox_typ, *combobox_genre;
  QToolButton* SB_AG_Interpret;
  QPushButton *b_new, *b_load, *b_save, *b_add, *b_del, *b_change, *b_up, *b_down;
  QToolButton *B_loadandadd, *SBquicksave;
  QToolButton *SBminview, *SBQuickprint, *SBQuickreport, *SBQuicktab, *SBQuicksort, *SBQuicksearch;
  QLabel* LVersion;
  QStatusBar* statusbar;
  QPlainTextEdit* memo;
  QMenu* popupmenu_listbox;

  // --- menu items
  QAction *menue_neu, *Laden1, *menue_hinzufgen, *menue_filesave, *menue_speichern_unter, *menue_drucken;
  QAction *menue_reportschreiben, *htmlDatei1, *Textdateitxt1, *xls1, *ExcelDokumentdif1, *beenden1;
  QAction *neuerEintrag1, *menue_datensatz_del, *menue_change, *menue_suche, *menue_datensatz_verschieben;
  QAction* menue_online;  // the online look-up
  QAction *menue_rueckgaengig, *menue_wiederherstellen;
  QAction *menue_nachoben, *menue_nachunten, *menue_sort;
  QAction *nachInterpret1, *nachTitel1, *nachLabel1, *nachRelease1, *nachTyp1, *nachGenre1;
  QAction *nachInterpret2, *nachTitel2, *nachLabel2, *nachRelease2, *nachTyp2, *nachGenre2;
  QAction *menue_gesamtbersicht, *menue_gesamtbersicht1, *menue_extras, *Internetsuche1, *anzeigen1;
  QAction *Updateberprfung1, *automatischVemlaAutopatcherstarten1, *dsf1, *Tastaturkrzel1;
  QAction *Homepageanzeigen1, *Programminfo1, *Hilfe1;
  QAction *neuerEintrag2, *popupmenue_del, *popupmenue_move, *menue_nachoben2, *menue_nachunten2, *popupmenue_suche;

 protected:
  bool eventFilter(QObject* objekt, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void FormCreate();
  void steuerelementeAnlegen();
  void verbinden();
  void hinweisSetzen(QWidget* w, const QString& text);
  void statusleisteAusrichten();
  void hoeheAnpassen();

  QWidget* client_;
  std::unique_ptr<THauptAnsicht> ansicht_;
  TDateiBefehle datei_;
  TReportBefehle reports_{*this};
  THauptAblauf ablauf_{*this};
  THauptOptionen optionen_{*this};
  bool geschlossen_ = false;
  bool gezeigt_ = false;
  // Centred by the client area so far: centred by the frame once the window manager has drawn it.
  bool rahmenMittigStellen_ = false;
  void rahmenAbwarten(int versuch);
};

// True when "a" and every submenu that holds it are enabled: only then may its shortcut act.
bool befehlErreichbar(const QAction* a);
