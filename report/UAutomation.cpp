#include "report/UAutomation.h"

#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <vector>

#include "app/UNachladen.h"
#include "core/UFehler.h"
#include "core/USicherSchreiben.h"

namespace {

// Limits of an Excel 97 worksheet.
constexpr int MAX_ZEILEN = 65536;
constexpr int MAX_SPALTEN = 256;
// How long LibreOffice may take to save one workbook.
constexpr int SOFFICE_FRIST_MS = 300000;

[[noreturn]] void fehler(const char* text) { throw EVemlaFehler(text); }

// LibreOffice's profile for this run of the program: its own, so that parallel
// runs and a user's open office never meet; kept for the run, as setting one
// up costs a good part of a save.
QString profilOrdner() {
  static QTemporaryDir profil(QDir::tempPath() + "/vemla-soffice-XXXXXX");
  return profil.isValid() ? profil.path() : QString();
}

// libxlsxwriter is loaded when the first spreadsheet application is created,
// not at every start of the program.
struct TXlsx {
  decltype(&::workbook_new_opt) new_opt = nullptr;
  decltype(&::workbook_add_worksheet) add_worksheet = nullptr;
  decltype(&::workbook_close) close = nullptr;
  decltype(&::worksheet_write_string) write_string = nullptr;
};

// The loaded library, or nullptr when it is missing or incomplete.
const TXlsx* xlsx() {
  static const TXlsx* geladen = [] () -> const TXlsx* {
    void* b = ::dlopen("libxlsxwriter.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!b) return nullptr;
    static TXlsx x;
    const bool ok = symbolLaden(b, x.new_opt, "workbook_new_opt") &&
                    symbolLaden(b, x.add_worksheet, "workbook_add_worksheet") &&
                    symbolLaden(b, x.close, "workbook_close") && symbolLaden(b, x.write_string, "worksheet_write_string");
    return ok ? &x : nullptr;  // stays loaded for the rest of the run
  }();
  return geladen;
}

class TBlatt : public ITabellenblatt {
 public:
  QString name = QStringLiteral("Tabelle1");
  // zellen[zeile - 1][spalte - 1]; rows grow as cells are set.
  std::vector<std::vector<QString>> zellen;

  void setName(const QString& neu) override {
    // The rules of the spreadsheet for sheet names.
    static const QString verboten = QStringLiteral("[]:*?/\\");
    if (neu.isEmpty() || neu.size() > 31 || neu.startsWith('\'') || neu.endsWith('\''))
      fehler("Ungültiger Tabellenname");
    for (const QChar c : neu)
      if (verboten.contains(c)) fehler("Ungültiger Tabellenname");
    name = neu;
  }

  void setCells(int zeile, int spalte, const QString& text) override {
    if (zeile < 1 || zeile > MAX_ZEILEN || spalte < 1 || spalte > MAX_SPALTEN) fehler("Ungültiger Index");
    if (zellen.size() < static_cast<std::size_t>(zeile)) zellen.resize(zeile);
    auto& reihe = zellen[zeile - 1];
    if (reihe.size() < static_cast<std::size_t>(spalte)) reihe.resize(spalte);
    reihe[spalte - 1] = text;
  }
};

struct TMappe {
  std::vector<std::unique_ptr<TBlatt>> blaetter;
};

// Writes the sheets as an Office Open XML workbook.
void xlsxSchreiben(const TMappe& mappe, const QString& datei, const QString& hilfsordner) {
  const TXlsx& x = *xlsx();  // present: the application was created
  QByteArray ordner = QFile::encodeName(hilfsordner);
  lxw_workbook_options optionen = {};
  optionen.tmpdir = ordner.data();
  lxw_workbook* wb = x.new_opt(QFile::encodeName(datei).constData(), &optionen);
  if (!wb) fehler("Die Arbeitsmappe konnte nicht angelegt werden");
  for (const auto& blatt : mappe.blaetter) {
    lxw_worksheet* ws = x.add_worksheet(wb, blatt->name.toUtf8().constData());
    if (!ws) {
      x.close(wb);
      fehler("Die Arbeitsmappe konnte nicht angelegt werden");
    }
    for (std::size_t z = 0; z < blatt->zellen.size(); ++z) {
      const auto& reihe = blatt->zellen[z];
      for (std::size_t s = 0; s < reihe.size(); ++s)
        if (!reihe[s].isEmpty())
          x.write_string(ws, static_cast<lxw_row_t>(z), static_cast<lxw_col_t>(s),
                                 reihe[s].toUtf8().constData(), nullptr);
    }
  }
  if (x.close(wb) != LXW_NO_ERROR) fehler("Die Arbeitsmappe konnte nicht geschrieben werden");
}

// True when "inhalt" is a whole compound document as Excel 97 files are: the
// signature, and whole sectors of 512 bytes.
bool vollstaendigesXls(const QByteArray& inhalt) {
  static const QByteArray signatur("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  return inhalt.size() >= 1536 && inhalt.size() % 512 == 0 && inhalt.startsWith(signatur);
}

class TLibreOffice : public ITabellenAnwendung {
 public:
  explicit TLibreOffice(QString programm) : programm_(std::move(programm)) {}

  void setVisible(bool) override {}  // it always runs without a window

  void WorkbooksAdd(int) override {
    auto mappe = std::make_unique<TMappe>();
    mappe->blaetter.push_back(std::make_unique<TBlatt>());
    mappen_.push_back(std::move(mappe));
  }

  ITabellenblatt& WorksheetsVon(int mappe, int blatt) override {
    TMappe& m = mappeNr(mappe);
    if (blatt < 1 || blatt > static_cast<int>(m.blaetter.size())) fehler("Ungültiger Index");
    return *m.blaetter[blatt - 1];
  }

  void saveas(int mappe, QString& dateiname) override {
    const TMappe& m = mappeNr(mappe);
    QTemporaryDir arbeit(QDir::tempPath() + "/vemla-xls-XXXXXX");
    if (!arbeit.isValid()) fehler("Die Arbeitsmappe konnte nicht gespeichert werden");
    const QString quelle = arbeit.filePath("mappe.xlsx");
    xlsxSchreiben(m, quelle, arbeit.path());
    QDir(arbeit.path()).mkdir("aus");

    const QString profil = profilOrdner().isEmpty() ? arbeit.filePath("profil") : profilOrdner();
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(programm_, {"-env:UserInstallation=" + QUrl::fromLocalFile(profil).toString(),
                              "--headless", "--norestore", "--nologo", "--nolockcheck", "--convert-to",
                              "xls:MS Excel 97", "--outdir", arbeit.filePath("aus"), quelle});
    if (!soffice.waitForFinished(SOFFICE_FRIST_MS)) {
      soffice.kill();
      soffice.waitForFinished();
      fehler("Die Arbeitsmappe konnte nicht gespeichert werden");
    }
    // soffice reports success even when it wrote nothing: only a whole file counts.
    QFile ergebnis(arbeit.filePath("aus/mappe.xls"));
    if (!ergebnis.open(QIODevice::ReadOnly)) fehler("Die Arbeitsmappe konnte nicht gespeichert werden");
    const QByteArray inhalt = ergebnis.readAll();
    if (!vollstaendigesXls(inhalt)) fehler("Die Arbeitsmappe konnte nicht gespeichert werden");

    // An existing file of that name is replaced only by the complete new one;
    // a full disk or a refused folder raises the runtime's error.
    dateiSicherSchreiben(QFile::encodeName(QDir::current().absoluteFilePath(dateiname)).toStdString(),
                         inhalt.constData(), static_cast<std::size_t>(inhalt.size()));
  }

  void setDisplayAlerts(bool) override {}  // it never asks anything
  void Quit() override {}  // the application ends with this object

 private:
  TMappe& mappeNr(int nr) {
    if (nr < 1 || nr > static_cast<int>(mappen_.size())) fehler("Ungültiger Index");
    return *mappen_[nr - 1];
  }

  QString programm_;
  std::vector<std::unique_ptr<TMappe>> mappen_;
};

}  // namespace

std::unique_ptr<ITabellenAnwendung> automationErzeugen(const QString& name) {
  const QString programm = QStandardPaths::findExecutable("soffice");
  // The system's text for a name that no installed application answers to.
  if (name != EXCEL_ANWENDUNG || programm.isEmpty() || !xlsx()) fehler("Ungültige Klassenzeichenfolge");
  return std::make_unique<TLibreOffice>(programm);
}
