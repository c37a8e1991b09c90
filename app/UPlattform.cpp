#include "app/UPlattform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>
#include <algorithm>

#include "app/UDateiDialog.h"
#include "app/UFokus.h"
#include "app/USchriftDialog.h"
#include "core/UEinstellungen.h"
#include "info/UWebansicht.h"
#include "net/UDownload.h"
#include "report/UAutomation.h"
#include "report/UDruckmodul.h"

namespace {

// Boxes and dialogs belong to the window named by the caller, else to the
// active window, else to the main window.
QWidget* elternfenster(QWidget* gewuenscht = nullptr) {
  if (gewuenscht && gewuenscht->isVisible()) return gewuenscht->window();
  QWidget* aktiv = QApplication::activeWindow();
  return aktiv ? aktiv : sichtbaresHauptfenster();
}

std::optional<QString> dateiDialog(const TDateiDialog& d, bool speichern) {
  const TFokusMerker vorher;
  const auto dlg = dateiDialogBauen(d, speichern, elternfenster(d.eltern));
  const int ergebnis = dlg->exec();
  dlg->hide();
  vorher.zurueckgeben();
  if (ergebnis != QDialog::Accepted || dlg->selectedFiles().isEmpty()) return std::nullopt;
  return dlg->selectedFiles().first();
}

// "text" with every word (a run without blanks, such as a long path) wider
// than "breite" shortened in its middle: a box grows with its widest word,
// beyond the screen's edge.
QString langeWoerterKuerzen(const QString& text, const QFontMetrics& schrift, int breite) {
  static const QRegularExpression wort(QStringLiteral("\\S+"));
  QString gekuerzt;
  qsizetype bis = 0;
  for (auto treffer = wort.globalMatch(text); treffer.hasNext();) {
    const QRegularExpressionMatch w = treffer.next();
    gekuerzt += text.mid(bis, w.capturedStart() - bis);
    gekuerzt += schrift.horizontalAdvance(w.captured()) > breite ? schrift.elidedText(w.captured(), Qt::ElideMiddle, breite)
                                                                  : w.captured();
    bis = w.capturedEnd();
  }
  return gekuerzt + text.mid(bis);
}

// A message box; a Yes/No box has no cancel button, so, as on the desktop the
// program follows, Esc and closing its window do nothing: it stays until "Ja"
// or "Nein" is chosen.
class TMeldungsBox : public QMessageBox {
 public:
  explicit TMeldungsBox(QWidget* eltern) : QMessageBox(eltern) {}
  bool nurJaOderNein = false;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (nurJaOderNein && e->matches(QKeySequence::Cancel)) {
      e->accept();
      return;
    }
    QMessageBox::keyPressEvent(e);
  }
  void closeEvent(QCloseEvent* e) override {
    if (nurJaOderNein) e->ignore();
    else QMessageBox::closeEvent(e);
  }
};

class TQtPlattform : public IPlattform {
 public:
  TAntwort meldung(const QString& titel, const QString& text, TSymbol symbol, TKnoepfe knoepfe,
                   QWidget* eltern) override {
    const TFokusMerker vorher;
    const TAntwort antwort = zeigeMeldung(titel, text, symbol, knoepfe, eltern);
    vorher.zurueckgeben();
    return antwort;
  }
  TAntwort zeigeMeldung(const QString& titel, const QString& text, TSymbol symbol, TKnoepfe knoepfe,
                        QWidget* eltern) {
    TMeldungsBox box(elternfenster(eltern));
    box.setWindowTitle(titel);
    // Texts may carry what a server or a file said: never read as markup.
    box.setTextFormat(Qt::PlainText);
    QString zeilen = text;
    zeilen.replace('\r', '\n');
    // A long path is shortened so that the box stays on the screen; the whole
    // text is then in the box's details, to read, select and copy.
    const QScreen* schirm = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int breite = schirm ? std::min(schirm->availableGeometry().width() / 2, 500) : 500;
    const QString gekuerzt = langeWoerterKuerzen(zeilen, box.fontMetrics(), breite);
    box.setText(gekuerzt);
    if (gekuerzt != zeilen) box.setDetailedText(zeilen);
    switch (symbol) {
      case TSymbol::Keins: box.setIcon(QMessageBox::NoIcon); break;
      case TSymbol::Warnung: box.setIcon(QMessageBox::Warning); break;
      case TSymbol::Frage: box.setIcon(QMessageBox::Question); break;
      case TSymbol::Information: box.setIcon(QMessageBox::Information); break;
      case TSymbol::Stopp: box.setIcon(QMessageBox::Critical); break;
    }
    if (knoepfe != TKnoepfe::Ok) {
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(knoepfe == TKnoepfe::JaNeinStandardNein ? QMessageBox::No : QMessageBox::Yes);
      box.nurJaOderNein = true;
      const int ergebnis = box.exec();
      if (ergebnis == QMessageBox::Yes) return TAntwort::Ja;
      if (ergebnis == QMessageBox::No) return TAntwort::Nein;
      // Gone without a button (the application's event loops were ended): neither answer.
      return TAntwort::Abgebrochen;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return TAntwort::Ok;
  }
  std::optional<QString> oeffnenDialog(const TDateiDialog& d) override { return dateiDialog(d, false); }
  std::optional<QString> speichernDialog(const TDateiDialog& d) override { return dateiDialog(d, true); }
  bool dokumentOeffnen(const QString& ziel) override {
    const QUrl url = QUrl::fromUserInput(ziel, QDir::currentPath(), QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
  }
  int fensterModal(QDialog& fenster) override {
    const TFokusMerker vorher;
    const int ergebnis = fenster.exec();
    vorher.zurueckgeben();
    return ergebnis;
  }
  IWebansicht* webansicht(QWidget* eltern) override { return webansichtLaden(eltern); }
  std::optional<TSchriftWahl> schriftDialog(const TSchriftWahl& start) override {
    const TFokusMerker vorher;
    auto wahl = schriftWaehlen(start);
    vorher.zurueckgeben();
    return wahl;
  }
  bool druckDialog(QPrinter& drucker) override {
    const TFokusMerker vorher;
    const bool drucken = druckModul().dialog(drucker, elternfenster());
    vorher.zurueckgeben();
    return drucken;
  }
  std::unique_ptr<ITabellenAnwendung> automationsObjekt(const QString& name) override {
    return automationErzeugen(name);
  }
  bool herunterladen(const QString& adresse, const QString& datei, const TDownloadGrenzen& grenzen,
                     const TFortschritt& fortschritt) override {
    return dateiHerunterladen(adresse.toStdString(), QFile::encodeName(datei).toStdString(), grenzen, fortschritt);
  }
  QString updateServer() override { return QStringLiteral("https://www.vemla.de/update/"); }
  QString musikDienst() override { return Einstellungen ? Einstellungen->onlineDienst() : QString(ONLINE_DIENST); }
};

TQtPlattform qtPlattform;
IPlattform* aktuell = nullptr;

}  // namespace

IPlattform& plattform() { return aktuell ? *aktuell : qtPlattform; }

IPlattform& systemPlattform() { return qtPlattform; }

void setzePlattform(IPlattform* p) { aktuell = p; }
