#include "tests/report/Werkzeuge.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

QByteArray ausfuehren(const QString& programm, const QStringList& argumente) {
  QProcess p;
  p.start(programm, argumente);
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
  return p.readAllStandardOutput();
}

QStringList pdfZeilen(const QString& pdf, int seite) {
  QStringList argumente = {"-layout", "-enc", "UTF-8"};
  if (seite > 0) argumente << "-f" << QString::number(seite) << "-l" << QString::number(seite);
  argumente << pdf << "-";
  QStringList zeilen;
  for (QString z : QString::fromUtf8(ausfuehren("pdftotext", argumente)).split('\n')) {
    z.remove('\f');
    z.remove(' ');
    if (!z.isEmpty()) zeilen << z;
  }
  return zeilen;
}

namespace {

QString pdfInfo(const QString& pdf, const QString& schluessel) {
  for (const QString& z : QString::fromUtf8(ausfuehren("pdfinfo", {pdf})).split('\n'))
    if (z.startsWith(schluessel + ":")) return z.mid(schluessel.size() + 1).trimmed();
  return {};
}

}  // namespace

QString ohneLeerzeichen(const QString& s) { return QString(s).remove(' '); }

QStringList ohneLeerzeichen(const QStringList& l) {
  QStringList r;
  for (const QString& s : l) r << ohneLeerzeichen(s);
  return r;
}

int pdfSeiten(const QString& pdf) { return pdfInfo(pdf, "Pages").toInt(); }
QString pdfTitel(const QString& pdf) { return pdfInfo(pdf, "Title"); }

std::vector<TWortBox> pdfWoerter(const QString& pdf) {
  const QString html = QString::fromUtf8(ausfuehren("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
  static const QRegularExpression wort(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
  std::vector<TWortBox> r;
  for (auto it = wort.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    r.push_back({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()});
  }
  return r;
}

TXlsMappe xlsLesen(const QString& datei) {
  static const char* skript =
      "import sys, json, xlrd\n"
      "b = xlrd.open_workbook(sys.argv[1])\n"
      "s = b.sheet_by_index(0)\n"
      "print(json.dumps({'biff': b.biff_version, 'blaetter': b.sheet_names(),\n"
      "  'zellen': [[[s.cell_type(r, c), str(s.cell_value(r, c))] for c in range(s.ncols)]\n"
      "             for r in range(s.nrows)]}))\n";
  const QJsonObject o = QJsonDocument::fromJson(ausfuehren("/usr/bin/python3", {"-c", skript, datei})).object();
  TXlsMappe m;
  m.biffVersion = o["biff"].toInt();
  for (const auto& b : o["blaetter"].toArray()) m.blaetter << b.toString();
  for (const auto& reihe : o["zellen"].toArray()) {
    m.zellen.emplace_back();
    for (const auto& zelle : reihe.toArray())
      m.zellen.back().emplace_back(zelle.toArray()[0].toInt(), zelle.toArray()[1].toString());
  }
  return m;
}

UmgebungSetzen::UmgebungSetzen(const char* name, const QByteArray& wert)
    : name_(name), alt_(qgetenv(name)), hatteWert_(qEnvironmentVariableIsSet(name)) {
  qputenv(name, wert);
}

UmgebungSetzen::~UmgebungSetzen() {
  if (hatteWert_) qputenv(name_, alt_);
  else qunsetenv(name_);
}

void sofficeAttrappe(const QString& ordner, const QString& art) {
  QFile f(ordner + "/soffice");
  f.open(QIODevice::WriteOnly);
  QByteArray skript =
      "#!/bin/sh\nPATH=/usr/bin:/bin\n"
      "while [ $# -gt 0 ]; do case \"$1\" in --outdir) shift; aus=\"$1\";; *.xlsx) ein=\"$1\";; esac; shift; done\n"
      "ziel=\"$aus/$(basename \"$ein\" .xlsx).xls\"\n";
  if (art == "halb") skript += "printf '\\320\\317\\021\\340\\241\\261\\032\\341' > \"$ziel\"; head -c 700 /dev/zero >> \"$ziel\"\n";
  if (art == "ganz") skript += "printf '\\320\\317\\021\\340\\241\\261\\032\\341' > \"$ziel\"; head -c 2040 /dev/zero >> \"$ziel\"\n";
  if (art == "gross") skript += "printf '\\320\\317\\021\\340\\241\\261\\032\\341' > \"$ziel\"; head -c 16376 /dev/zero >> \"$ziel\"\n";
  skript += "exit 0\n";
  f.write(skript);
  f.close();
  f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                   QFile::ReadOther | QFile::ExeOther);
}
