// The report and print option dialogs: how they are reached, their texts, the
// example lines, the grayed boxes, Esc, the theme list and its example pages.
#include <QComboBox>
#include <QGroupBox>
#include <QStatusBar>

#include "report/UFexportdif.h"
#include "report/UFexporthtml.h"
#include "report/UFexporttxt.h"
#include "report/UFprint.h"
#include "tests/support/GuiTest.h"

namespace {

class Optionsdialoge : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    starten("[Programm]\nfirststart=false\n[Ansicht]\nstartbildschirm=false\n");
    anzeigen();
  }
  // Opens a dialog through "oeffnen" and runs "skript" while it is shown.
  void imDialog(const std::function<void()>& oeffnen, const std::function<void(TF_print_export&)>& skript) {
    plattform_.fensterSkripte.push_back([skript](QDialog& d) { skript(dynamic_cast<TF_print_export&>(d)); });
    oeffnen();
  }
  static QString text(QLabel* l) { return l->text(); }
};

const QString NICHT_VERFUEGBAR = "Fehler:|Diese Option ist z.Z. nicht verfügbar";

}  // namespace

TEST_F(Optionsdialoge, ErreichbarUeberMenueKuerzelUndQuickbuttons) {
  // Without entries the print entry and the report submenu are off.
  H().SBQuickprint->click();
  H().SBQuickreport->click();
  EXPECT_EQ(plattform_.meldungsTexte(), (QStringList{NICHT_VERFUEGBAR, NICHT_VERFUEGBAR}));
  EXPECT_TRUE(modale().empty());

  eintragen({{"a", "b"}});
  aktion("menue_drucken")->trigger();
  aktion("htmlDatei1")->trigger();
  aktion("Textdateitxt1")->trigger();
  aktion("ExcelDokumentdif1")->trigger();
  H().SBQuickprint->click();
  H().SBQuickreport->click();
  EXPECT_EQ(modale(), (std::vector<QString>{"Fprint", "Fexporthtml", "Fexporttxt", "Fexportdif", "Fprint", "Fexporthtml"}));

  const std::pair<Qt::Key, const char*> kuerzel[] = {
      {Qt::Key_D, "Fprint"}, {Qt::Key_H, "Fexporthtml"}, {Qt::Key_T, "Fexporttxt"}, {Qt::Key_I, "Fexportdif"}};
  for (const auto& [taste, name] : kuerzel) {
    aktivieren();
    const auto vorher = modale().size();
    QTest::keyClick(H().listbox, taste, Qt::ControlModifier);
    ASSERT_EQ(modale().size(), vorher + 1) << name;
    EXPECT_EQ(modale().back(), name);
  }
  EXPECT_EQ(plattform_.meldungen.size(), 2u);
}

TEST_F(Optionsdialoge, StatusleisteDerQuickbuttons) {
  H().zeigeStatusleiste(true);
  QEvent rein(QEvent::Enter);
  QApplication::sendEvent(H().SBQuickprint, &rein);
  EXPECT_EQ(H().statusbar->currentMessage(), "Quick-Print [Ruft den Drucken-Dialog auf]");
  QApplication::sendEvent(H().SBQuickreport, &rein);
  EXPECT_EQ(H().statusbar->currentMessage(), "Quick-Report [Report: Export als HTML-Datei]");
  EXPECT_EQ(H().SBQuickreport->toolTip(), "Quick-Report");
  EXPECT_EQ(H().SBQuickprint->toolTip(), "Quick-Print");
}

TEST_F(Optionsdialoge, TexteJeDialog) {
  struct Fall {
    TF_print_export* dialog;
    const char* titel;
    const char* gruppe;
    const char* aktion;
    bool seiten;
  } faelle[] = {
      {Fexporttxt, "CD-Sammlung exportieren (Report schreiben)  [TXT-Datei]", "Ausgabeformat:", "&exportieren", false},
      {Fexporthtml, "CD-Sammlung exportieren (Report schreiben)  [HTML-Datei]", "Ausgabeformat:", "&exportieren", false},
      {Fexportdif, "CD-Sammlung exportieren (Report schreiben)  [DIF-Datei]", "Ausgabeformat:", "&exportieren", false},
      {Fprint, "Drucken der CD-Sammlung", "Druckformat:", "&drucken", true},
  };
  eintragen({{"a", "b"}});
  for (const auto& f : faelle) {
    TF_print_export& d = *f.dialog;
    d.show();
    EXPECT_EQ(d.windowTitle(), f.titel);
    EXPECT_EQ(d.groupbox_print->title(), f.gruppe);
    EXPECT_EQ(d.B_action->text(), f.aktion);
    EXPECT_EQ(d.B_close->text(), "&abbechen");
    EXPECT_EQ(d.L_Seiten->isVisible(), f.seiten) << f.titel;
    EXPECT_EQ(d.L_Anzahl->text(), "Es befindet sich 1 Eintrag in Ihrer CD-Sammlung.");
    EXPECT_EQ(d.L_Beisp->text(), "Beispiel:");
    const std::pair<QCheckBox*, const char*> boxen[] = {{d.cb_num, "&Nummerierung"}, {d.checkbox_interpret, "Interpret"},
                                                         {d.checkbox_titel, "Titel"}, {d.cb_gen, "&Genre"},
                                                         {d.cb_lab, "&Label"},       {d.cb_rel, "&Release"}};
    for (const auto& [box, beschriftung] : boxen) EXPECT_EQ(box->text(), beschriftung);
    EXPECT_EQ(d.L_Bsp->text(), "#   Interpret - Titel  [ Genre ]  [ Label ]  [ Release ]");
    EXPECT_EQ(d.L_Bsp2->text(), "15. Selvarin - for an angel  [ Trance ]  [ MFS ]  [ 1995 ]");
    d.hide();
  }
  auto* html = Fexporthtml;
  EXPECT_EQ(html->GroupBox1->title(), "HTML-Layout:");
  EXPECT_EQ(html->Label1->text(), "( Hintergrundfarbe,");
  EXPECT_EQ(html->Label2->text(), "Links, usw.. )");
  QStringList themen;
  for (int i = 0; i < html->CBHtmlLayout->count(); ++i) themen << html->CBHtmlLayout->itemText(i);
  EXPECT_EQ(themen, (QStringList{"blau", "gelb", "grau", "gruen", "rot", "schwarz", "weiss"}));
  EXPECT_FALSE(html->CBHtmlLayout->isEditable());
  EXPECT_EQ(html->SBblau->toolTip(), "Beispiel-Datei ansehen");
}

TEST_F(Optionsdialoge, AnzahlUndSeiten) {
  EXPECT_EQ(anzahlText(1), "Es befindet sich 1 Eintrag in Ihrer CD-Sammlung.");
  EXPECT_EQ(anzahlText(2), "Es befinden sich 2 Einträge in Ihrer CD-Sammlung.");
  EXPECT_EQ(anzahlText(4000), "Es befinden sich 4000 Einträge in Ihrer CD-Sammlung.");
  const std::pair<int, const char*> seiten[] = {
      {1, "Es wird 1 Seite gedruckt (max 78 Einträge pro Seite)."},
      {78, "Es wird 1 Seite gedruckt (max 78 Einträge pro Seite)."},
      {79, "Es werden 2 Seiten gedruckt (max 78 Einträge pro Seite)."},
      {156, "Es werden 2 Seiten gedruckt (max 78 Einträge pro Seite)."},
      {157, "Es werden 3 Seiten gedruckt (max 78 Einträge pro Seite)."},
      {4000, "Es werden 52 Seiten gedruckt (max 78 Einträge pro Seite)."},
  };
  for (const auto& [n, soll] : seiten) EXPECT_EQ(seitenText(n), QString::fromUtf8(soll)) << n;
  // Shown as the dialog opens, with the collection's size at that moment.
  eintragen(79);
  imDialog([this] { aktion("menue_drucken")->trigger(); }, [](TF_print_export& d) {
    EXPECT_EQ(d.L_Seiten->text(), "Es werden 2 Seiten gedruckt (max 78 Einträge pro Seite).");
    EXPECT_EQ(d.L_Anzahl->text(), "Es befinden sich 79 Einträge in Ihrer CD-Sammlung.");
  });
}

TEST_F(Optionsdialoge, BeispielFolgtDenOptionen) {
  eintragen({{"a", "b"}});
  TF_print_export& d = *Fexporttxt;
  d.show();
  struct Schritt {
    QCheckBox* box;
    const char* bsp;
    const char* bsp2;
    int links, links2;
  } schritte[] = {
      {d.cb_num, "Interpret - Titel  [ Genre ]  [ Label ]  [ Release ]",
       "Selvarin - for an angel  [ Trance ]  [ MFS ]  [ 1995 ]", 34, 33},
      {d.cb_gen, "Interpret - Titel  [ Label ]  [ Release ]", "Selvarin - for an angel  [ MFS ]  [ 1995 ]", 34, 33},
      {d.cb_rel, "Interpret - Titel  [ Label ]", "Selvarin - for an angel  [ MFS ]", 34, 33},
      {d.cb_lab, "Interpret - Titel", "Selvarin - for an angel", 34, 33},
      {d.cb_num, "#   Interpret - Titel", "15. Selvarin - for an angel", 18, 17},
      {d.cb_rel, "#   Interpret - Titel  [ Release ]", "15. Selvarin - for an angel  [ 1995 ]", 18, 17},
      {d.cb_gen, "#   Interpret - Titel  [ Genre ]  [ Release ]", "15. Selvarin - for an angel  [ Trance ]  [ 1995 ]", 18, 17},
  };
  for (const auto& s : schritte) {
    s.box->click();
    EXPECT_EQ(d.L_Bsp->text(), s.bsp);
    EXPECT_EQ(d.L_Bsp2->text(), s.bsp2);
    EXPECT_EQ(d.L_Bsp->x(), s.links);
    EXPECT_EQ(d.L_Bsp2->x(), s.links2);
    EXPECT_EQ(d.L_Bsp->y(), d.L_Bsp2->y() - 18);
  }
  const TReportOptionen o = d.optionen();
  EXPECT_TRUE(o.nummerierung && o.genre && !o.label && o.release);
  d.hide();
}

// Switching the numbering moves only the prefix in and out: the example text
// after it keeps its pixels, in every dialog.
TEST_F(Optionsdialoge, BeispieltextBleibtBeimUmschaltenStehen) {
  eintragen({{"a", "b"}});
  for (TF_print_export* d : {static_cast<TF_print_export*>(Fprint), static_cast<TF_print_export*>(Fexporthtml)}) {
    d->show();
    // Everything right of the prefix column of both lines.
    auto bild = [d] { return d->grab(QRect(33, d->L_Bsp->y() - 2, 400, 40)).toImage(); };
    ASSERT_TRUE(d->cb_num->isChecked());
    const QImage mit = bild();
    d->cb_num->click();
    ASSERT_EQ(d->L_Bsp2->text(), "Selvarin - for an angel  [ Trance ]  [ MFS ]  [ 1995 ]");
    EXPECT_TRUE(bild() == mit) << d->objectName().toStdString();
    d->cb_num->click();
    EXPECT_TRUE(bild() == mit) << d->objectName().toStdString();
    d->hide();
  }
}

TEST_F(Optionsdialoge, InterpretUndTitelBleibenGrau) {
  TF_print_export& d = *Fexportdif;
  d.show();
  for (int i = 0; i < 3; ++i) {
    d.checkbox_interpret->click();
    d.checkbox_titel->click();
    QTest::keyClick(d.checkbox_titel, Qt::Key_Space);
    EXPECT_EQ(d.checkbox_interpret->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(d.checkbox_titel->checkState(), Qt::PartiallyChecked);
  }
  d.hide();
}

TEST_F(Optionsdialoge, EscSchliesstVonJedemKnopfUndKaestchen) {
  eintragen({{"a", "b"}});
  for (TF_print_export* d : {static_cast<TF_print_export*>(Fexporttxt), static_cast<TF_print_export*>(Fexporthtml),
                             static_cast<TF_print_export*>(Fexportdif), static_cast<TF_print_export*>(Fprint)}) {
    std::vector<QWidget*> ziele = {d->cb_num, d->checkbox_interpret, d->checkbox_titel, d->cb_gen,
                                   d->cb_lab, d->cb_rel, d->B_action, d->B_close};
    if (d == Fexporthtml) ziele.push_back(Fexporthtml->CBHtmlLayout);
    for (QWidget* w : ziele) {
      d->show();
      ASSERT_TRUE(d->isVisible());
      QTest::keyClick(w, Qt::Key_Escape);
      EXPECT_FALSE(d->isVisible()) << d->objectName().toStdString() << " " << w->objectName().toStdString();
    }
  }
  EXPECT_TRUE(plattform_.meldungen.empty());
}

TEST_F(Optionsdialoge, EnterStartetNichts) {
  eintragen({{"a", "b"}});
  imDialog([this] { aktion("Textdateitxt1")->trigger(); }, [this](TF_print_export& d) {
    QTest::keyClick(d.cb_gen, Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(plattform_.dateiDialoge.empty());
    d.B_close->click();
    EXPECT_FALSE(d.isVisible());
  });
}

TEST_F(Optionsdialoge, JederDialogBehaeltSeineWahl) {
  eintragen({{"a", "b"}});
  imDialog([this] { aktion("Textdateitxt1")->trigger(); }, [](TF_print_export& d) {
    d.cb_gen->click();
    d.cb_num->click();
    d.B_close->click();
  });
  imDialog([this] { aktion("ExcelDokumentdif1")->trigger(); }, [](TF_print_export& d) {
    EXPECT_TRUE(d.cb_gen->isChecked());
    EXPECT_TRUE(d.cb_num->isChecked());
    EXPECT_EQ(d.L_Bsp->x(), 18);
  });
  imDialog([this] { aktion("Textdateitxt1")->trigger(); }, [](TF_print_export& d) {
    EXPECT_FALSE(d.cb_gen->isChecked());
    EXPECT_FALSE(d.cb_num->isChecked());
    EXPECT_EQ(d.L_Bsp->text(), "Interpret - Titel  [ Label ]  [ Release ]");
    EXPECT_EQ(d.L_Bsp->x(), 34);
  });
  // Nothing of it goes into the settings file.
  EXPECT_EQ(dateiInhalt(iniPfad_).find("Nummer"), std::string::npos);
  EXPECT_EQ(dateiInhalt(iniPfad_).find("genre"), std::string::npos);
}

TEST_F(Optionsdialoge, ThemaWeissZuerstDannDasGewaehlte) {
  eintragen({{"a", "b"}});
  auto* html = Fexporthtml;
  EXPECT_EQ(html->CBHtmlLayout->currentIndex(), -1);
  imDialog([this] { aktion("htmlDatei1")->trigger(); }, [html](TF_print_export&) {
    EXPECT_EQ(html->CBHtmlLayout->currentText(), "weiss");
    html->CBHtmlLayout->setCurrentIndex(THEMA_GRUEN);
  });
  imDialog([this] { H().SBQuickreport->click(); },
           [html](TF_print_export&) { EXPECT_EQ(html->CBHtmlLayout->currentText(), "gruen"); });
  EXPECT_EQ(html->thema(), THEMA_GRUEN);
}

TEST_F(Optionsdialoge, BeispielseiteOeffnenOderMeldung) {
  eintragen({{"a", "b"}});
  auto* html = Fexporthtml;
  html->show();
  html->CBHtmlLayout->setCurrentIndex(THEMA_GELB);
  const QString seite = mitgelieferteDatei("gelb.html");
  QFile::remove(seite);
  html->SBblau->click();
  EXPECT_EQ(plattform_.meldungsTexte(),
            QStringList{" Vemla |Die Beispieldatei \"gelb.html\" im Vemla - Verzeichnis konnte nicht gefunden werden!"});
  EXPECT_TRUE(plattform_.geoeffneteDokumente.empty());
  dateiSchreiben(QFile::encodeName(seite).toStdString(), "<html></html>");
  html->SBblau->click();
  EXPECT_EQ(plattform_.geoeffneteDokumente, std::vector<QString>{seite});
  EXPECT_EQ(plattform_.meldungen.size(), 1u);
  QFile::remove(seite);
  EXPECT_TRUE(html->isVisible());
  html->hide();
}
