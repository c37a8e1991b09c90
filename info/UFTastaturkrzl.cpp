#include "info/UFTastaturkrzl.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "app/UAnwendung.h"
#include "app/UGlobal.h"

namespace {

struct Kuerzel {
  int zeile;
  const char* tasten;
  const char* wirkung;
};

// Rows not listed stay empty and separate the groups.
const Kuerzel KUERZEL[] = {
    {2, " Strg + N", "neue Datei anlegen"},
    {3, " Strg + L", "Datei laden"},
    {4, " Strg + Alt + L", "Datei hinzufügen"},
    {5, " Strg + S", "Datei speichern"},
    {6, " Strg + Alt + S", "Datei speichern unter"},
    {8, " Strg + D", "CD-Sammlung drucken"},
    {10, " Alt + F4", "Programm beenden"},
    {12, " Esc", "schließt fast überall das aktuelle Fenster"},
    {14, " Strg + H", "Report  [ Export: HTML-Datei (*.html) ]"},
    {15, " Strg + T", "Report  [ Export: Textdatei (*.txt) ]"},
    {16, " Strg + X", "Report  [ Export: Excel-Dokument (*.xl) ]"},
    {17, " Strg + I", "Report  [ Export: Excel-Dokument (*.dif) ]"},
    {19, " F2", "neuen Datensatz einfügen"},
    {20, " F4", "markierten Datensatz löschen"},
    {21, " F5", "markierten Datensatz ändern"},
    {23, " F3", "Suche"},
    {25, " Strg + Alt + A", "markierten Datensatz nach oben verschieben"},
    {26, " Strg + Alt + Y", "markierten Datensatz nach unten verschieben"},
    {28, " F6", "nach Interpret sortieren (aufsteigend)"},
    {29, " F7", "nach Titel sortieren (aufsteigend)"},
    {31, " Strg + F6", "nach Interpret sortieren (absteigend)"},
    {32, " Strg + F7", "nach Titel sortieren (absteigend)"},
    {34, " F8", "Gesamtansicht"},
    {36, " Umsch + F3", "Internetsuche"},
    {38, " F9", "Einstellungen"},
    {40, " F12", "Programminformationen"},
    {42, " Strg + Alt + U", "Updateüberprüfung"},
    {44, " Strg + Alt + T", "Tastaturkürzel (dieses Fenster)"},
    {46, " F1", "Hilfe"},
    {48, " Strg + F3", "CD online nachschlagen"},
    {50, " Strg + Z", "Rückgängig"},
    {51, " Strg + Y", "Wiederherstellen"},
    {52, " Strg + Umsch + Z", "Wiederherstellen"},
    {54, " Strg + F8", "Statistik"},
    {56, " Strg + F5", "Sammlerangaben"},
    {57, " Strg + Alt + V", "Verliehen"},
};

constexpr int ZEILENHOEHE = 20;
constexpr int BREITE0 = 125;
constexpr int BREITE1 = 260;

}  // namespace

TFTastaturkrzl::TFTastaturkrzl(QWidget* parent) : QDialog(parent) {
  setObjectName("FTastaturkrzl");
  setWindowTitle("Tastaturkürzel:");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(standardSchrift());
}

void TFTastaturkrzl::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFTastaturkrzl::aufbauen() {
  if (SGTastaturkrzl) return;
  // The header row is the table's own header, so it stays in place while the rows scroll.
  SGTastaturkrzl = mitName(new QTableWidget(ZEILEN - 1, SPALTEN, this), "SGTastaturkrzl");
  SGTastaturkrzl->verticalHeader()->hide();
  SGTastaturkrzl->verticalHeader()->setMinimumSectionSize(1);
  SGTastaturkrzl->verticalHeader()->setDefaultSectionSize(ZEILENHOEHE);
  SGTastaturkrzl->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SGTastaturkrzl->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SGTastaturkrzl->horizontalHeader()->setSectionsClickable(false);
  SGTastaturkrzl->horizontalHeader()->setHighlightSections(false);
  SGTastaturkrzl->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SGTastaturkrzl->setColumnWidth(0, BREITE0);
  SGTastaturkrzl->setColumnWidth(1, BREITE1);
  SGTastaturkrzl->setShowGrid(false);
  SGTastaturkrzl->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGTastaturkrzl->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SGTastaturkrzl->setSelectionBehavior(QAbstractItemView::SelectRows);
  SGTastaturkrzl->setSelectionMode(QAbstractItemView::SingleSelection);
  SGTastaturkrzl->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SGTastaturkrzl->setTabKeyNavigation(false);
  SGTastaturkrzl->setWordWrap(false);
  const int innen = BREITE0 + BREITE1 + SGTastaturkrzl->verticalScrollBar()->sizeHint().width() +
                    2 * SGTastaturkrzl->frameWidth();
  SGTastaturkrzl->setGeometry(8, 8, innen, 22 * ZEILENHOEHE);

  BitBtn1 = mitName(new QPushButton("Fenster schliessen", this), "BitBtn1");
  BitBtn1->setFont(QFont(SCHRIFT_VERDANA, 8));
  BitBtn1->setGeometry(8 + innen - 140, SGTastaturkrzl->geometry().bottom() + 1 + 8, 140, 25);
  BitBtn1->setAutoDefault(false);
  setFixedSize(8 + innen + 8, BitBtn1->geometry().bottom() + 1 + 8);
  connect(BitBtn1, &QPushButton::clicked, this, sicher([this] { close(); }));

  // Esc closes from the grid and the button; both are all that can hold the focus.
  SGTastaturkrzl->installEventFilter(this);
  BitBtn1->installEventFilter(this);
  FormCreate();
}

void TFTastaturkrzl::FormCreate() {
  SGTastaturkrzl->setHorizontalHeaderLabels({"Tastenkombination", "Wirkung"});
  for (int z = 1; z < ZEILEN; ++z)
    for (int s = 0; s < SPALTEN; ++s) SGTastaturkrzl->setItem(z - 1, s, new QTableWidgetItem());
  for (const Kuerzel& k : KUERZEL) {
    SGTastaturkrzl->item(k.zeile - 1, 0)->setText(k.tasten);
    SGTastaturkrzl->item(k.zeile - 1, 1)->setText(k.wirkung);
  }
  SGTastaturkrzl->setCurrentCell(0, 0);  // the empty row 1: no shortcut is highlighted
}

QString TFTastaturkrzl::zelle(int spalte, int zeile) const {
  if (spalte < 0 || spalte >= SPALTEN || zeile < 0 || zeile >= ZEILEN || !SGTastaturkrzl) return {};
  if (zeile == 0) return SGTastaturkrzl->horizontalHeaderItem(spalte)->text();
  return SGTastaturkrzl->item(zeile - 1, spalte)->text();
}

bool TFTastaturkrzl::eventFilter(QObject* objekt, QEvent* e) {
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QDialog::eventFilter(objekt, e);
}
