#include "app/UFfirststart.h"

#include <QEvent>
#include <QLabel>

#include "app/UFHaupt.h"
#include "app/UGlobal.h"
#include "dialogs/UFworking.h"

QStringList TFfirststart::zeilen() {
  return {"",
          "",
          "Sie starten (diese Version von) Vemla zum ersten Mal!",
          "",
          "Ich danke Ihnen für die Benutzung dieser Software. Hierbei handelt",
          "",
          "",
          "In dieser Version wurden folgende Einschränkungen vorgenommen:",
          "",
          "grösseren Anzahl zu lange Rechenzeiten auftreten können)",
          "",
          "Alles weitere erfahren Sie in der Hilfe bzw. in der Versionsübersich.",
          "",
          QString("Bei Fragen schreiben Sie einfach eine E-Mail an:  ") + KONTAKT_EMAIL,
          QString("oder besuchen Sie die Homepage des Programmes:  ") + PROGRAMM_HOMEPAGE,
          "",
          "Jegliche Art von Kommentaren, Fehlermeldungen, Verbesserungsvorschlägen",
          "sind erwünscht und bei Gelegenheit ebenfalls per E-Mail an mich zu senden ;o)",
          "",
          "Ich wünsche Ihnen viel Spass mit diesem Programm!",
          "  ",
          " ..klicken Sie nun in dieses Fenster, um es zu schliessen.."};
}

TFfirststart::TFfirststart(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("Ffirststart");
  setFixedSize(505, 329);
  Memo1 = new QLabel(this);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(0, 0, 505, 329);
  Memo1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Memo1->setTextFormat(Qt::PlainText);
  Memo1->setText(zeilen().join('\n'));
  Memo1->setFont(QFont(SCHRIFT_STANDARD, 8));
  Memo1->setAutoFillBackground(true);
  Memo1->setCursor(Qt::PointingHandCursor);
  QPalette p = Memo1->palette();
  p.setColor(QPalette::Window, farbe(FARBE_DUNKEL));
  p.setColor(QPalette::WindowText, farbe(FARBE_HELL));
  Memo1->setPalette(p);
  Memo1->installEventFilter(this);
}

bool TFfirststart::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == Memo1 && e->type() == QEvent::MouseButtonRelease) {
    accept();
    return true;
  }
  return QDialog::eventFilter(objekt, e);
}

void TFfirststart::showEvent(QShowEvent* e) {
  if (HauptFormular) move(HauptFormular->geometry().center() - rect().center());
  QDialog::showEvent(e);
}
