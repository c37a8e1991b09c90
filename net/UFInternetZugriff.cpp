#include "net/UFInternetZugriff.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <cerrno>

#include "app/UAnwendung.h"
#include "app/UGlobal.h"
#include "app/UOrte.h"
#include "app/UPlattform.h"
#include "app/USymbol.h"
#include "core/UFehler.h"
#include "net/UPause.h"

namespace {

constexpr int BREITE = 700;
constexpr int HOEHE = 240;
constexpr const char* SEITE = "suchergebnis.html";

// Writes "inhalt" as the whole file "pfad"; raises the runtime's error when refused.
void dateiErsetzen(const QString& pfad, const std::string& inhalt) {
  const int fd = ::open(QFile::encodeName(pfad).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw eaFehlerAusErrno(errno);
  std::size_t geschrieben = 0;
  while (geschrieben < inhalt.size()) {
    const ssize_t w = ::write(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben);
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) {
      const int fehler = errno;
      ::close(fd);
      throw eaFehlerAusErrno(fehler);
    }
    geschrieben += static_cast<std::size_t>(w);
  }
  if (::close(fd) != 0) throw eaFehlerAusErrno(errno);
}

}  // namespace

TFInternetZugriff::TFInternetZugriff(const IDetailTexte& felder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      felder_(felder) {
  setObjectName("FInternetZugriff");
  setWindowTitle("Internet-Zugriff zur Suche nach MP3s, CDs, Vinyls, Releases, Infos .. ect. ..");
  setFixedSize(BREITE, HOEHE);
  setFont(standardSchrift());
}

void TFInternetZugriff::setVisible(bool sichtbar) {
  if (sichtbar) aufbauen();
  QDialog::setVisible(sichtbar);
}

void TFInternetZugriff::aufbauen() {
  if (BitBtn1) return;
  auto label = [this](const char* name, const QString& text, int x, int y, int b) {
    QLabel* l = mitName(new QLabel(text, this), name);
    l->setGeometry(x, y, b, 16);
    return l;
  };
  auto zeile = [&, this](int y, const char* nameText, const char* text, const char* nameAuf, const char* nameEdit,
                         const char* nameListe, const char* nameKnopf, TSuchart art, QLineEdit*& edit,
                         QComboBox*& liste, QToolButton*& knopf) {
    QLabel* l = label(nameText, QString::fromUtf8(text), 12, y, 560);
    edit = mitName(new QLineEdit(this), nameEdit);
    edit->setGeometry(12, y + 18, 250, 22);
    label(nameAuf, "auf / bei :", 272, y + 21, 56);
    liste = mitName(new QComboBox(this), nameListe);
    liste->setGeometry(330, y + 18, 320, 22);
    for (const TSuchseite& s : suchseiten(art)) liste->addItem(listeneintrag(s));
    liste->setCurrentIndex(-1);
    liste->view()->setMinimumWidth(380);
    knopf = mitName(new QToolButton(this), nameKnopf);
    knopf->setGeometry(658, y + 16, 28, 26);
    knopf->setAutoRaise(true);
    symbolBeimZeigen(knopf, QStyle::SP_ArrowRight);
    knopf->setToolTip("Suche starten");
    knopf->setCursor(Qt::PointingHandCursor);
    l->setBuddy(edit);
    return l;
  };
  Label1 = zeile(12, "Label1", "Suche nach (weiteren) Veröffentlichungen / MP3s von :", "Label4", "EInterpret",
                 "CBInterpret", "SBInterpret", TSuchart::Interpret, EInterpret, CBInterpret, SBInterpret);
  Label2 = zeile(74, "Label2", "Suche nach (weiteren) Veröffentlichungen / MP3s mit dem Titel :", "Label5", "ETitel",
                 "CBTitel", "SBTitel", TSuchart::Titel, ETitel, CBTitel, SBTitel);
  Label3 = zeile(136, "Label3", "Suche nach (weiteren) Veröffentlichungen / MP3s des Labels:", "Label6", "ELabel",
                 "CBLabel", "SBLabel", TSuchart::Label, ELabel, CBLabel, SBLabel);
  Label4 = findChild<QLabel*>("Label4");
  Label5 = findChild<QLabel*>("Label5");
  Label6 = findChild<QLabel*>("Label6");

  LMail = label("LMail",
                QString("Sind Sie der Meinung, dass hier eine Internetseite vergessen wurde?! Schreiben Sie mir eine "
                        "E-Mail! (") + KONTAKT_EMAIL + ") [Hier klicken]",
                12, 198, 570);
  LMail->setGeometry(12, 196, 570, 32);
  LMail->setWordWrap(true);
  LMail->setCursor(Qt::PointingHandCursor);
  QPalette blau = LMail->palette();
  blau.setColor(QPalette::WindowText, QColor(0, 0, 160));
  LMail->setPalette(blau);
  LMail->installEventFilter(this);

  BitBtn1 = mitName(new QPushButton("&zurück", this), "BitBtn1");
  BitBtn1->setGeometry(600, 200, 88, 25);

  connect(SBInterpret, &QToolButton::clicked, this, sicher([this] { SBInterpretClick(); }));
  connect(SBTitel, &QToolButton::clicked, this, sicher([this] { SBTitelClick(); }));
  connect(SBLabel, &QToolButton::clicked, this, sicher([this] { SBLabelClick(); }));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  for (QWidget* w : std::initializer_list<QWidget*>{EInterpret, ETitel, ELabel, CBInterpret, CBTitel, CBLabel, BitBtn1})
    w->installEventFilter(this);
}

void TFInternetZugriff::showEvent(QShowEvent* e) {
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  FormShow();
  QDialog::showEvent(e);
}

void TFInternetZugriff::FormShow() {
  const TDetailTexte t = felder_.detailTexte();
  EInterpret->setText(t.interpret);
  ETitel->setText(t.titel);
  ELabel->setText(t.label);
}

bool TFInternetZugriff::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == LMail) {
    if (e->type() == QEvent::MouseButtonRelease) {
      LMailClick();
      return true;
    }
  } else if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QDialog::eventFilter(objekt, e);
}

void TFInternetZugriff::SBInterpretClick() {
  suchen(EInterpret, CBInterpret, TSuchart::Interpret, "Bitte geben Sie einen Namen für den Interpreten / Artist ein!");
}

void TFInternetZugriff::SBTitelClick() {
  suchen(ETitel, CBTitel, TSuchart::Titel, "Bitte geben Sie einen Namen für den Titel ein!");
}

void TFInternetZugriff::SBLabelClick() {
  suchen(ELabel, CBLabel, TSuchart::Label, "Bitte geben Sie einen Namen für das Label ein!");
}

void TFInternetZugriff::BitBtn1Click() { close(); }

void TFInternetZugriff::LMailClick() { plattform().dokumentOeffnen(mailAdresse()); }

void TFInternetZugriff::suchen(QLineEdit* edit, QComboBox* liste, TSuchart art, const QString& fehlt) {
  const QString term = edit->text();
  if (term.isEmpty()) {
    meldungOk("Fehler: Keine Eingabe..", fehlt, TSymbol::Warnung);
    return;
  }
  const auto seiten = suchseiten(art);
  const int index = liste->currentIndex();
  if (index < 0 || index >= static_cast<int>(seiten.size())) {
    meldungOk("Fehler: Keine Auswahl getroffen..", "Bitte wählen Sie eine Internet-Seite aus!", TSymbol::Warnung);
    return;
  }
  const TSuchseite& seite = seiten[static_cast<std::size_t>(index)];
  open_searchpage(suchadresse(seite, term), QString::fromLatin1(seite.homepage), beschreibung(term, art));
}

void TFInternetZugriff::open_searchpage(const QString& adresse, const QString& homepage, const QString& beschreibung) {
  const QString seite = eigeneDatei(SEITE);
  dateiErsetzen(seite, suchseitenInhalt(adresse, homepage, beschreibung));
  pause(100);
  plattform().dokumentOeffnen(seite);
}
