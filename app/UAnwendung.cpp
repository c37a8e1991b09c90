#include "app/UAnwendung.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/UFHaupt.h"
#include "app/UFStartbildschirm.h"
#include "app/UFfirststart.h"
#include "app/UGlobal.h"
#include "app/UPlattform.h"
#include "app/UStandardsymbol.h"
#include "csv/UCsvBefehle.h"
#include "dialogs/UFOptionen.h"
#include "dialogs/UF_add.h"
#include "dialogs/UFSuche.h"
#include "dialogs/UFUebersicht.h"
#include "info/UFTastaturkrzl.h"
#include "dialogs/UFworking.h"
#include "info/UFWebbrowser.h"
#include "info/UF_Programminformation.h"
#include "report/UFexportdif.h"
#include "report/UFexporthtml.h"
#include "report/UFexporttxt.h"
#include "report/UFprint.h"
#include "net/UFAutopatcher.h"
#include "net/UFInternetZugriff.h"
#include "online/fenster/UFOnline.h"
#include "sicherung/UWiederherstellen.h"
#include "stat/UFStatistik.h"
#include "angaben/fenster/UFSammlerangaben.h"
#include "angaben/fenster/UFVerliehen.h"

TDBSortTree* SortTree = nullptr;
THauptFormular* HauptFormular = nullptr;
TFStartbildschirm* FStartbildschirm = nullptr;
TF_add* F_add = nullptr;
TFOptionen* FOptionen = nullptr;
TFworking* Fworking = nullptr;
TFfirststart* Ffirststart = nullptr;
TFWebbrowser* FWebbrowser = nullptr;
TF_Programminformation* F_Programminformation = nullptr;
TFSuche* FSuche = nullptr;
TFUebersicht* FUebersicht = nullptr;
TFTastaturkrzl* FTastaturkrzl = nullptr;
TFprint* Fprint = nullptr;
TFexporthtml* Fexporthtml = nullptr;
TFexporttxt* Fexporttxt = nullptr;
TFexportdif* Fexportdif = nullptr;
TFInternetZugriff* FInternetZugriff = nullptr;
TFAutopatcher* FAutopatcher = nullptr;

TVemlaApplication::TVemlaApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // No display name: on X11 it would be appended to every window title. The
  // application title " Vemla " is the title of the general error box.
  setApplicationName("Vemla");
  setApplicationVersion(PROGRAMMVERSION);
  setDesktopFileName("vemla");  // the installed menu entry, so the desktop shows its icon
  // The resources sit in a static library: they have to be registered by hand.
  Q_INIT_RESOURCE(vemla);
  setWindowIcon(QIcon(pngBild(":/vemla.png")));
  // Standard dialogs and buttons speak German. "qt_de" would only load this
  // catalog a second time, beside that of a multimedia module the program has no use for.
  auto* t = new QTranslator(this);
  if (t->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) installTranslator(t);
  else delete t;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

bool TVemlaApplication::notify(QObject* empfaenger, QEvent* e) {
  try {
    return QApplication::notify(empfaenger, e);
  } catch (const std::exception& fehler) {
    allgemeinerFehler(fehler);
  }
  return false;
}

void allgemeinerFehler(const std::exception& e) {
  meldungOk(ANWENDUNGSTITEL, QString::fromUtf8(e.what()) + ".", TSymbol::Stopp);
}

namespace {
THandlerFehler* innerster = nullptr;
}  // namespace

THandlerFehler::THandlerFehler() : vorher_(innerster) { innerster = this; }

THandlerFehler::~THandlerFehler() { innerster = vorher_; }

THandlerFehler* THandlerFehler::aktiv() { return innerster; }

void THandlerFehler::weiterwerfen() {
  if (!fehler) return;
  std::exception_ptr f = fehler;
  fehler = nullptr;
  std::rethrow_exception(f);
}

void fensterErzeugen() {
  HauptFormular = new THauptFormular();
  // Further windows in their fixed order; the ones still to come take their place here.
  FStartbildschirm = new TFStartbildschirm(HauptFormular);
  Fprint = new TFprint(HauptFormular);
  Fexporthtml = new TFexporthtml(HauptFormular);
  F_add = new TF_add(HauptFormular);
  FOptionen = new TFOptionen(HauptFormular);
  FWebbrowser = new TFWebbrowser(HauptFormular);
  Fworking = new TFworking();
  Ffirststart = new TFfirststart(HauptFormular);
  FSuche = new TFSuche(HauptFormular);
  FUebersicht = new TFUebersicht(HauptFormular);
  FTastaturkrzl = new TFTastaturkrzl(HauptFormular);
  Fexporttxt = new TFexporttxt(HauptFormular);
  Fexportdif = new TFexportdif(HauptFormular);
  FInternetZugriff = new TFInternetZugriff(*HauptFormular, HauptFormular);
  F_Programminformation = new TF_Programminformation(HauptFormular);
  FAutopatcher = new TFAutopatcher(HauptFormular);
  csvBefehleAnlegen(*HauptFormular);
  FOnline = new TFOnline(HauptFormular);
  FStatistik = new TFStatistik(HauptFormular);
  FSammlerangaben = new TFSammlerangaben(HauptFormular);
  FVerliehen = new TFVerliehen(HauptFormular);
}

void fensterFreigeben() {
  sicherungBeenden();  // while the collection is still there
  delete Fworking;
  Fworking = nullptr;
  delete HauptFormular;  // owns the other windows
  HauptFormular = nullptr;
  FStartbildschirm = nullptr;
  F_add = nullptr;
  FOptionen = nullptr;
  Ffirststart = nullptr;
  FWebbrowser = nullptr;
  F_Programminformation = nullptr;
  FSuche = nullptr;
  FUebersicht = nullptr;
  FTastaturkrzl = nullptr;
  Fprint = nullptr;
  Fexporthtml = nullptr;
  Fexporttxt = nullptr;
  Fexportdif = nullptr;
  FInternetZugriff = nullptr;
  FAutopatcher = nullptr;
  FOnline = nullptr;
  FStatistik = nullptr;
  FSammlerangaben = nullptr;
  FVerliehen = nullptr;
}
