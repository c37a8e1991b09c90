#include "online/UScanSchlange.h"

namespace {

QString ohneFuehrendeNullen(const QString& code) {
  qsizetype i = 0;
  while (i + 1 < code.size() && code[i] == '0') ++i;
  return code.mid(i);
}

}  // namespace

bool nurZiffern(const QString& eingabe) {
  const QString s = eingabe.trimmed();
  if (s.isEmpty()) return false;
  for (QChar c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

QString strichcodeAus(const QString& eingabe) {
  const QString s = eingabe.trimmed();
  return nurZiffern(s) && s.size() >= 8 && s.size() <= 14 ? s : QString();
}

const std::atomic<bool> TScanSchlange::NIE{false};

void TScanSchlange::anstellen(const QString& code) {
  const std::lock_guard<std::mutex> g(sperre_);
  wartend_ << code;
}

bool TScanSchlange::leer() const {
  const std::lock_guard<std::mutex> g(sperre_);
  return wartend_.isEmpty();
}

QStringList TScanSchlange::naechsterStapel(const std::atomic<bool>& abbrechen) {
  const std::lock_guard<std::mutex> g(sperre_);
  // Looked at under the lock: whoever cancels sets it first and then takes
  // everything (alleNehmen), so a stack is either taken here or there.
  if (abbrechen) return {};
  const QStringList stapel = wartend_.mid(0, STAPEL);
  wartend_.remove(0, stapel.size());
  unterwegs_ += stapel;
  return stapel;
}

QStringList TScanSchlange::unterwegsNehmen() {
  const std::lock_guard<std::mutex> g(sperre_);
  QStringList r;
  r.swap(unterwegs_);
  return r;
}

QStringList TScanSchlange::alleNehmen() {
  const std::lock_guard<std::mutex> g(sperre_);
  QStringList alle;
  alle.swap(unterwegs_);
  alle += wartend_;
  wartend_.clear();
  return alle;
}

std::vector<TScanTreffer> scansZuordnen(const QStringList& codes, const std::vector<TVeroeffentlichung>& liste) {
  std::vector<TScanTreffer> r;
  std::vector<char> vergeben(liste.size(), 0);
  for (const QString& code : codes) {
    TScanTreffer t{code, {}};
    const QString gesucht = ohneFuehrendeNullen(code);
    for (std::size_t i = 0; i < liste.size(); ++i)
      if (codes.size() == 1 || ohneFuehrendeNullen(liste[i].strichcode.trimmed()) == gesucht) {
        t.treffer.push_back(i);
        vergeben[i] = 1;
      }
    r.push_back(std::move(t));
  }
  TScanTreffer rest;
  for (std::size_t i = 0; i < liste.size(); ++i)
    if (!vergeben[i]) rest.treffer.push_back(i);
  if (!rest.treffer.empty()) r.push_back(std::move(rest));
  return r;
}
