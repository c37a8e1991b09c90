#include "tests/support/GuiTest.h"

#include <QFile>

#include "core/UCodepage.h"
#include "core/UVemDatei.h"

void GuiTest::SetUp() {
  iniPfad_ = QFile::encodeName(iniPfad()).toStdString();
  std::remove(iniPfad_.c_str());
}

void GuiTest::TearDown() {
  if (HauptFormular) fensterFreigeben();
  QApplication::processEvents();
  std::remove(iniPfad_.c_str());
}

void GuiTest::starten(const std::string& ini) {
  if (!ini.empty()) dateiSchreiben(iniPfad_, ini);
  fensterErzeugen();
}

void GuiTest::anzeigen(const QStringList& argumente) {
  H().ablauf().FormShow(argumente);
  H().show();
  H().ablauf().FormActivate();
}

void GuiTest::aktivieren() {
  H().show();
  H().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&H()));
}

void GuiTest::eintragen(std::initializer_list<std::pair<const char*, const char*>> eintraege) {
  for (const auto& [i, t] : eintraege)
    ASSERT_TRUE(Connect->datensatz_hinzufuegen(QString::fromUtf8(i), QString::fromUtf8(t), "", "", "", "", ""));
}

void GuiTest::eintragen(int anzahl) {
  for (int n = 1; n <= anzahl; ++n)
    ASSERT_TRUE(Connect->datensatz_hinzufuegen("I" + QString::number(n), "T" + QString::number(n), "", "", "", "", ""));
}

void GuiTest::markieren(int zeile) {
  H().listbox->setCurrentRow(zeile);  // as a click: the selection handler runs
}

QStringList GuiTest::listenzeilen() const {
  QStringList r;
  for (int i = 0; i < HauptFormular->listbox->count(); ++i) r << HauptFormular->listbox->item(i)->text();
  return r;
}

std::string GuiTest::iniWert(const char* sektion, const char* schluessel) {
  return TIniFile(iniPfad_).ReadString(sektion, schluessel, "<fehlt>");
}

void GuiTest::tippen(QWidget* w, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent druck(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &druck);
    QKeyEvent los(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &los);
  }
}

void GuiTest::taste(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m) { QTest::keyClick(w, k, m); }

GespeicherteFelder gespeicherteFelder(int pos) {
  TDatensatz d;
  DatBas->get_datensatz(pos, d);
  GespeicherteFelder r;
  for (int nr = 1; nr <= FELD_ANZAHL; ++nr) r[nr - 1] = d.feld(nr).text();
  return r;
}

void sammlungsdatei(const std::string& pfad, int anzahl, const std::string& prefix) {
  TDatBas db;
  for (int n = 1; n <= anzahl; ++n)
    db.add_datensatz(datensatzAus(prefix + std::to_string(n), "T" + std::to_string(n), "", "", "", "", ""));
  vemSchreiben(pfad, db);
}

bool GuiTest::dateiExistiertOeffentlich(const std::string& pfad) { return dateiExistiert(pfad); }
