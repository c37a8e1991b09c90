// The CSV preview under a real X server with a window manager: it takes the
// keyboard as it appears, and its message box stands above it.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include "csv/UCsvBefehle.h"
#include "csv/UFCsvImport.h"
#include "tests/support/GuiTest.h"

namespace {

class X11Csv : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "nur unter X11";
  }
};

TEST_F(X11Csv, VorschauHatDieTastaturUndDieMeldungLiegtDarueber) {
  starten("[Programm]\r\nfirststart=false\r\n[Ansicht]\r\nstartbildschirm=false\r\n");
  H().ablauf().FormShow({});
  H().show();
  H().activateWindow();
  QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == H().windowHandle(), 3000);
  dateiSchreiben(tmp_.pfad("ohne_titel.csv"), "Artist,Label\r\nKraftwerk,Kling Klang\r\n");
  plattform_.dateinamen.push_back(QString::fromStdString(tmp_.pfad("ohne_titel.csv")));
  bool aktivBeimZeigen = false, meldungDarueber = false;
  QTimer::singleShot(0, [&] {
    QElapsedTimer uhr;
    uhr.start();
    while (QApplication::activeWindow() != FCsvImport && uhr.elapsed() < 3000) QTest::qWait(20);
    aktivBeimZeigen = QApplication::activeWindow() == FCsvImport;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      meldungDarueber = box && box->parentWidget() == FCsvImport && box->isVisible();
      if (box) box->done(0);
      QTimer::singleShot(0, [] { FCsvImport->reject(); });
    });
    // Return presses the default button, which asks for a Titel column first.
    QWidget* ziel = FCsvImport->focusWidget() ? FCsvImport->focusWidget() : FCsvImport.data();
    QTest::keyClick(ziel, Qt::Key_Return);
  });
  QTimer::singleShot(10000, FCsvImport, [] { FCsvImport->reject(); });  // never hangs
  // The file name comes from the script; the preview and its box are the real ones.
  struct NurDateien : TTestPlattform {
    TAntwort meldung(const QString& titel, const QString& text, TSymbol symbol, TKnoepfe knoepfe,
                     QWidget* eltern) override {
      return echt->meldung(titel, text, symbol, knoepfe, eltern);
    }
    int fensterModal(QDialog& d) override { return d.exec(); }
    IPlattform* echt = nullptr;
  };
  {
    setzePlattform(nullptr);
    IPlattform& echt = plattform();
    NurDateien p;
    p.echt = &echt;
    p.dateinamen = plattform_.dateinamen;
    csvImportieren();
  }
  setzePlattform(&plattform_);
  EXPECT_TRUE(aktivBeimZeigen);
  EXPECT_TRUE(meldungDarueber);
  EXPECT_EQ(DatBas->get_anzahl(), 0);
}

}  // namespace
