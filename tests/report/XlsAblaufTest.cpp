// The order of the automation calls of the spreadsheet export, and the clean-up
// when something fails, seen through a recording application.
#include <gtest/gtest.h>

#include "core/UFehler.h"
#include "report/UAutomation.h"
#include "report/UReportXls.h"
#include "tests/support/TestPlattform.h"

namespace {

struct TProtokoll {
  QStringList aufrufe;
  QString fehlerBei;  // the call that raises an error
  void merke(const QString& aufruf) {
    aufrufe << aufruf;
    if (aufruf == fehlerBei) throw EVemlaFehler("Automatisierungsfehler");
  }
};

class TAufzeichnendesBlatt : public ITabellenblatt {
 public:
  explicit TAufzeichnendesBlatt(TProtokoll& p) : p_(p) {}
  void setName(const QString& name) override { p_.merke("Name=" + name); }
  void setCells(int zeile, int spalte, const QString& text) override {
    p_.merke(QString("Cells(%1,%2)=%3").arg(zeile).arg(spalte).arg(text));
  }

 private:
  TProtokoll& p_;
};

class TAufzeichnendeAnwendung : public ITabellenAnwendung {
 public:
  explicit TAufzeichnendeAnwendung(TProtokoll& p) : p_(p), blatt_(p) {}
  ~TAufzeichnendeAnwendung() override { p_.aufrufe << "freigegeben"; }
  void setVisible(bool v) override { p_.merke(QString("Visible=%1").arg(v)); }
  void WorkbooksAdd(int vorlage) override { p_.merke(QString("Workbooks.Add(%1)").arg(vorlage)); }
  ITabellenblatt& WorksheetsVon(int mappe, int blatt) override {
    p_.merke(QString("Workbooks(%1).WorkSheets(%2)").arg(mappe).arg(blatt));
    return blatt_;
  }
  void saveas(int mappe, QString& datei) override { p_.merke(QString("Workbooks(%1).saveas(%2)").arg(mappe).arg(datei)); }
  void setDisplayAlerts(bool v) override { p_.merke(QString("DisplayAlerts=%1").arg(v)); }
  void Quit() override { p_.merke("Quit"); }

 private:
  TProtokoll& p_;
  TAufzeichnendesBlatt blatt_;
};

class XlsAblauf : public ::testing::Test {
 protected:
  void SetUp() override {
    plattform_.automation = [this](const QString&) { return std::make_unique<TAufzeichnendeAnwendung>(p_); };
  }
  // Two columns, three rows; one cell empty.
  TZellen grid_{2, 3, [](int s, int z) { return s == 1 && z == 2 ? QString() : QString("%1%2").arg("ab"[s]).arg(z); }};
  TProtokoll p_;
  TTestPlattform plattform_;
};

const QStringList ANFANG = {"Visible=0", "Workbooks.Add(-4167)", "Workbooks(1).WorkSheets(1)", "Name=My Sheet Name"};
const QStringList ZELLEN = {"Cells(1,1)=a0", "Cells(2,1)=a1", "Cells(3,1)=a2",
                            "Cells(1,2)=b0", "Cells(2,2)=b1", "Cells(3,2)="};
const QStringList ENDE = {"DisplayAlerts=0", "Quit", "freigegeben"};

TEST_F(XlsAblauf, SpalteFuerSpalteJedeZelleEinAufruf) {
  EXPECT_TRUE(report_xls(grid_, "/x/mappe.xls"));
  EXPECT_EQ(p_.aufrufe, ANFANG + ZELLEN + QStringList{"Workbooks(1).saveas(/x/mappe.xls)"} + ENDE);
}

TEST_F(XlsAblauf, SpeicherfehlerErgibtFalseUndBeendet) {
  p_.fehlerBei = "Workbooks(1).saveas(m.xls)";
  EXPECT_FALSE(report_xls(grid_, "m.xls"));
  EXPECT_EQ(p_.aufrufe.mid(p_.aufrufe.size() - 3), ENDE);
}

TEST_F(XlsAblauf, FehlerBeimFuellenGehtWeiterAberDieAnwendungEndet) {
  for (const QString bei : {"Cells(2,1)=a1", "Visible=0", "Name=My Sheet Name"}) {
    p_ = {};
    p_.fehlerBei = bei;
    EXPECT_THROW(report_xls(grid_, "m.xls"), EVemlaFehler) << bei.toStdString();
    EXPECT_EQ(p_.aufrufe.mid(p_.aufrufe.size() - 3), ENDE) << bei.toStdString();
    EXPECT_FALSE(p_.aufrufe.join("|").contains("saveas"));
  }
}

}  // namespace
