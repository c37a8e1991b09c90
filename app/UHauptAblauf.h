#pragma once
// The main window's course: the program's start (the collection of the command
// line or the last one), every activation that applies the stored settings to
// the window, and the closing with its save question.
#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <QWindow>
#include <string>

class THauptFormular;

class THauptAblauf {
 public:
  explicit THauptAblauf(THauptFormular& h);
  ~THauptAblauf();
  THauptAblauf(const THauptAblauf&) = delete;
  THauptAblauf& operator=(const THauptAblauf&) = delete;

  bool show_startbildschirm = true;

  // The program's start: FormShow with the command line's arguments (a
  // collection to open), then the window shows and is activated.
  void programmStart(const QStringList& argumente);
  void FormShow(const QStringList& argumente);
  void FormActivate();
  // Makes sure the first activation runs soon, even when no focus change reports it.
  void erstesAktivierenAnmelden();
  // A window of the program that was shown without being modal has gone: the
  // main window has the focus back and runs its activation.
  void aktivierungNachFenster();
  // Gives the window, before it first appears, the size the first activation's view settings will give it.
  void ansichtsGroesseVorab();
  void init_startposition();
  void init_quickbuttons();
  void init_startbildschirm();
  void init_statusleiste();
  void init_saveview_gesamt();
  void init_detailansicht();
  void init_schaeltflaechen();
  void init_loadlastfile();
  void init_showcombobox();
  // The save question at the exit, and the position noted for the next start.
  // False when the window must stay open: the changes were neither saved nor
  // kept in a recovery copy, so ending would lose them.
  bool FormClose();
  // After a failed or cancelled save at the exit: true when the recovery copy
  // holds the changes; otherwise says so in a box and returns false.
  bool endeOhneVerlust();
  // The program ends because of a signal: the exit's settings writes, no question.
  void endeDurchSignal();

 private:
  void aktivierungPruefen();
  void aktivierungPlanen();
  // Status bar, height and width as the option boxes say.
  void ansichtAngleichen();

  THauptFormular& h_;
  QMetaObject::Connection fokus_;
  // The previous active window of the program, to tell why the main window becomes active again.
  QPointer<QWindow> vorherigesFenster_;
  bool vorherigesModal_ = false;
  bool erstesAktivieren_ = true;
  // One activation at a time: one that is waiting to run or running takes no second one.
  bool aktivierungGeplant_ = false;
  bool aktivierungLaeuft_ = false;
  // The start's question about recovery copies is open.
  bool startFrage_ = false;
  // A refused settings write while the window was still hidden, for the first activation to report.
  std::string startFehler_;
};
