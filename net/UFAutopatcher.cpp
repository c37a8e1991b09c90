#include "net/UFAutopatcher.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <optional>
#include <thread>

#include "app/UGlobal.h"
#include "app/UIniFile.h"
#include "app/UOrte.h"
#include "app/USymbol.h"
#include "app/UZielSchutz.h"
#include "core/UCodepage.h"
#include "net/UDownload.h"
#include "net/UVersion.h"

namespace {

constexpr int BREITE = 380;
constexpr int HOEHE = 230;
constexpr int BILD_HOEHE = 160;

const QString FEHLER_GRUENDE =
    "1. Überprüfen Sie Ihre Internetverbindung\r"
    "2. Überprüfen Sie, ob Vemla Zugriff auf das Internet hat (Firewall?)\r"
    "3. Es ist z.Z. keine aktuelle Downloaddatei online\r"
    "4. Eine Verbindung zum Arcor-Server ist z.Z. nicht möglich...";

// The description is a few lines of text; the installer may be large but must keep coming.
const TDownloadGrenzen BESCHREIBUNG_GRENZEN{64 * 1024, std::chrono::seconds(30), 0, std::chrono::seconds(0)};
const TDownloadGrenzen INSTALLER_GRENZEN{std::int64_t{512} * 1024 * 1024, std::chrono::milliseconds(0), 1024,
                                         std::chrono::seconds(30)};

// The installer's file name as the server gives it, without any folder: the
// folder is the user's choice alone. Nothing usable left: the usual name.
QString installerName(const QString& angabe) {
  const qsizetype schnitt = std::max(angabe.lastIndexOf('/'), angabe.lastIndexOf('\\'));
  const QString name = angabe.mid(schnitt + 1);
  if (name.isEmpty() || name == "." || name == "..") return QStringLiteral("install.exe");
  return name;
}

// Closes the window when the run ends, however it ends.
struct Schliessen {
  QDialog* fenster;
  ~Schliessen() { fenster->close(); }
};

}  // namespace

QPixmap autopatcherBild() {
  QPixmap bild(BREITE, BILD_HOEHE);
  bild.fill(Qt::white);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient verlauf(0, 0, BREITE, BILD_HOEHE);
  verlauf.setColorAt(0, farbe(FARBE_DUNKEL));
  verlauf.setColorAt(1, farbe(FARBE_LOGO_UNTEN));
  p.fillRect(bild.rect(), verlauf);
  // Two discs, the newer one a little in front, and an arrow down into it.
  p.setPen(QPen(QColor(255, 255, 255, 70), 2));
  p.setBrush(QColor(255, 255, 255, 25));
  p.drawEllipse(QPointF(285, 70), 52, 52);
  p.setBrush(QColor(255, 255, 255, 45));
  p.drawEllipse(QPointF(315, 88), 44, 44);
  p.setBrush(farbe(FARBE_DUNKEL));
  p.drawEllipse(QPointF(315, 88), 9, 9);
  p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(315, 14), QPointF(315, 54));
  p.drawPolyline(QPolygonF({QPointF(302, 42), QPointF(315, 56), QPointF(328, 42)}));
  p.setPen(Qt::white);
  p.setFont(QFont(SCHRIFT_VERDANA, 26, QFont::Bold));
  p.drawText(QRect(18, 16, 240, 46), Qt::AlignLeft | Qt::AlignVCenter, "Vemla");
  p.setFont(QFont(SCHRIFT_VERDANA, 11));
  p.drawText(QRect(20, 60, 240, 24), Qt::AlignLeft | Qt::AlignVCenter, "AutoUpdate");
  return bild;
}

TFAutopatcher::TFAutopatcher(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("FAutopatcher");
  setWindowTitle("");
  setFixedSize(BREITE, HOEHE);
  setFont(standardSchrift());
  setAutoFillBackground(true);
  QPalette weiss = palette();
  weiss.setColor(QPalette::Window, Qt::white);
  setPalette(weiss);

  Image1 = mitName(new QLabel(this), "Image1");
  Image1->setGeometry(0, 0, BREITE, BILD_HOEHE);  // the picture is painted when first shown
  auto beschriftung = [this](const char* name, const char* text, int y) {
    QLabel* l = mitName(new QLabel(text, this), name);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(20, y, 260, 16);
    return l;
  };
  Label1 = beschriftung("Label1", "Aktuelle Vemla-Version: 1.0.6", 112);
  Label2 = beschriftung("Label2", "Vemla-AutoUpdate-Version: 1.2", 130);

  auto knopf = [this](const char* name, const char* hinweisText, QStyle::StandardPixmap symbol, int x) {
    QToolButton* b = mitName(new QToolButton(this), name);
    b->setGeometry(x, BILD_HOEHE + 14, 48, 44);
    b->setAutoRaise(true);
    symbolBeimZeigen(b, symbol);
    b->setIconSize(QSize(32, 32));
    b->setToolTip(hinweisText);
    b->setCursor(Qt::PointingHandCursor);
    return b;
  };
  SBgo = knopf("SBgo", "AutoUpdate starten", QStyle::SP_ArrowDown, BREITE / 2 - 60);
  SBclose = knopf("SBclose", "Programm verlassen", QStyle::SP_DialogCloseButton, BREITE / 2 + 12);
  ProgressBar1 = mitName(new QProgressBar(this), "ProgressBar1");
  ProgressBar1->setGeometry(20, BILD_HOEHE + 4, BREITE - 40, 8);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->hide();
  // The thin frame of a window without caption bar.
  QFrame* rahmen = mitName(new QFrame(this), "Rahmen");
  rahmen->setFrameStyle(QFrame::Box | QFrame::Plain);
  rahmen->setGeometry(rect());
  rahmen->setAttribute(Qt::WA_TransparentForMouseEvents);
  QPalette grau = rahmen->palette();
  grau.setColor(QPalette::WindowText, farbe(FARBE_DUNKEL));
  rahmen->setPalette(grau);
  connect(SBgo, &QToolButton::clicked, this, [this] { SBgoClick(); });
  connect(SBclose, &QToolButton::clicked, this, [this] { SBcloseClick(); });

  SaveDialog.titel = "Download speichern unter..";
  SaveDialog.typen = {{"ausführbare Dateien (*.exe)", "*.exe"}};
  SaveDialog.standardEndung = "exe";
  SaveDialog.vorschlag = "install";
  SaveDialog.eltern = this;
}

void TFAutopatcher::showEvent(QShowEvent* e) {
  if (Image1->pixmap().isNull()) Image1->setPixmap(autopatcherBild());
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  QDialog::showEvent(e);
}

void TFAutopatcher::SBcloseClick() { close(); }

void TFAutopatcher::closeEvent(QCloseEvent* e) {
  if (laedt_) e->ignore();
  else QDialog::closeEvent(e);
}

void TFAutopatcher::reject() {
  if (!laedt_) QDialog::reject();
}

bool TFAutopatcher::DownloadFile(const QString& adresse, const QString& dateiname,
                                 const TDownloadGrenzen& grenzen) {
  // The program runs what it downloads: only from a secure address (or this computer).
  if (!downloadErlaubt(adresse.toStdString())) return false;
  // The transfer runs on a thread of its own; the window meanwhile goes on
  // painting (a box closed just before leaves no picture behind) and shows
  // the progress the transfer reports. Nothing else can be started meanwhile.
  std::atomic<std::int64_t> geladen{0}, gesamt{0};
  std::atomic<bool> ok{false};
  QEventLoop warten;
  const TFortschritt fortschritt = [&](std::int64_t g, std::int64_t s) {
    geladen = g;
    gesamt = s;
  };
  QTimer anzeige;
  anzeige.setInterval(50);
  connect(&anzeige, &QTimer::timeout, this, [&] {
    const std::int64_t s = gesamt, g = geladen;
    // Sizes beyond an int are shown in KiB.
    const int teiler = s > std::numeric_limits<int>::max() ? 1024 : 1;
    ProgressBar1->setRange(0, static_cast<int>(s / teiler));  // 0 to 0 while the size is not known: busy
    if (s > 0) ProgressBar1->setValue(static_cast<int>(std::min(g, s) / teiler));
  });
  ProgressBar1->setRange(0, 0);
  ProgressBar1->show();
  SBgo->setEnabled(false);
  SBclose->setEnabled(false);
  laedt_ = true;
  anzeige.start();
  std::thread faden([&] {
    try {
      ok = plattform().herunterladen(adresse, dateiname, grenzen, fortschritt);
    } catch (...) {
      ok = false;
    }
    QMetaObject::invokeMethod(&warten, "quit", Qt::QueuedConnection);
  });
  warten.exec();
  faden.join();
  anzeige.stop();
  laedt_ = false;
  SBgo->setEnabled(true);
  SBclose->setEnabled(true);
  ProgressBar1->hide();
  return ok;
}

void TFAutopatcher::SBgoClick() {
  Schliessen amEnde{this};
  // The window stays on top: its boxes belong to it, else they would stand behind it.
  const auto hinweis = [this](const QString& text) { meldungOk(ANWENDUNGSTITEL, text, TSymbol::Keins, this); };
  hinweis(
      "Vemla-AutoUpdate wird nun versuchen, die ini-Datei mit\rden entsprechenden Downloadinformationen vom "
      "Server\rzu laden. Bitte haben Sie einen Augenblick Gedult!");
  const QString iniDatei = eigeneDatei("download.ini");
  if (!DownloadFile(plattform().updateServer() + "dl.txt", iniDatei, BESCHREIBUNG_GRENZEN)) {
    hinweis("Die Ini-Datei konnte leider nicht heruntergeladen werden.\rDies kann mehrere Ursachen haben:\r" +
            FEHLER_GRUENDE);
    return;
  }
  hinweis("Die Ini-Datei wurde gefunden und wird nun bearbeitet!");
  const TIniFile ini(QFile::encodeName(iniDatei).toStdString());
  auto lesen = [&ini](const char* sektion, const char* schluessel, const char* standard) {
    return vonCp1252(ini.ReadString(sektion, schluessel, standard));
  };
  hinweis(QString("Sie besitzen zur Zeit die Version: ") + PROGRAMMVERSION);
  const std::string version = ini.ReadString("programmversion", "version", "");
  hinweis("Folgende Version wurde als aktuelle Version identifiziert: " + vonCp1252(version));
  if (!versionNeuer(version, PROGRAMMVERSION)) {
    hinweis("Ein Update ist nicht nötig! Sie besitzen bereits die aktuellste Version.");
    return;
  }
  if (!frageJa("Update ausführen?", "Wollen Sie nun die aktuelle Version herunterladen und installieren?",
               TSymbol::Frage, this))
    return;

  const QString datei = installerName(lesen("downloadfile", "filename", "install.exe"));
  const QString bisher = SaveDialog.vorschlag;
  const qsizetype schnitt = bisher.lastIndexOf('/');
  SaveDialog.vorschlag = (schnitt < 0 ? QString() : bisher.left(schnitt + 1)) + datei;
  // The installer never replaces the open collection or its files.
  SaveDialog.geschuetzt = geschuetzteDateien();
  const std::optional<QString> gewaehlt = plattform().speichernDialog(SaveDialog);
  if (!gewaehlt || gewaehlt->isEmpty()) return;
  SaveDialog.vorschlag = *gewaehlt;
  const QString ziel = *gewaehlt;

  const QString link = lesen("downloadfile", "link", "");
  hinweis("Downloadinformationen:\r\rDie Installationsdatei hat eine Grösse von: " +
          lesen("downloadfile", "groesse", "[ unbekannt ]") +
          "\r\rDer Download beginnt nun.\rJe nach Internetverbindung kann dies einige Minuten dauern:\r"
          "Modem (33.6 Kbps) : ca. " + lesen("downloadtime", "336modem", "[ unbekannt ]") +
          "\rModem (56 Kbps) : ca. " + lesen("downloadtime", "56modem", "[ unbekannt ]") +
          "\rISDN (64 Kbps) : ca. " + lesen("downloadtime", "64isdn", "[ unbekannt ]") +
          "\rDual-ISDN (128 Kbps) : ca. " + lesen("downloadtime", "128dualisd", "[ unbekannt ]") +
          "\rDSL (384 Kbps) : ca. " + lesen("downloadtime", "384dsl", "[ unbekannt ]") +
          "\r\rBitte haben Sie etwas Geduld und schliessen dieses Fenster nicht!\r"
          "Sobald der Download beendet ist, bekommen Sie einen entsprechenden Hinweis.\r"
          "(Leider habe ich es nicht geschafft, einen Ladebalken für den Download zu implementieren)\r\r"
          "Quelldatei:\r" + link + "\r\rZieldatei: \r" + ziel);
  if (!DownloadFile(link, ziel, INSTALLER_GRENZEN)) {
    hinweis("Der Download ist fehlgeschlagen.\r\rDies kann mehrere Ursachen haben:\r\r" + FEHLER_GRUENDE);
    return;
  }
  hinweis("Die Datei wurde erfolgreich gespeichert:\r\r" + ziel +
          "\r\rDer Installationsprozess wird nun ausgeführt.\r\rBitte schliessen Sie Vemla !!!!");
  plattform().dokumentOeffnen(QFileInfo(ziel).absoluteFilePath());
}
