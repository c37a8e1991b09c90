#pragma once
// The barcodes of a scanner waiting for their look-up. A scanner types faster
// than the service may be asked (once a second), so the scans made during a
// search wait here and go out together in the next one; the answer of that
// search is then shared out among them again, in the order they were scanned.
#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

#include "online/UMBAntwort.h"

// True when "eingabe" is digits only (blanks around them aside), as a scanner types them.
bool nurZiffern(const QString& eingabe);
// The digits of a barcode as typed or scanned; empty unless it is 8 to 14 digits.
QString strichcodeAus(const QString& eingabe);

class TScanSchlange {
 public:
  // Barcodes asked for in one search at most.
  static constexpr int STAPEL = 20;

  void anstellen(const QString& code) { wartend_ << code; }
  bool leer() const { return wartend_.isEmpty(); }
  // The next barcodes to search for (at most STAPEL), in scan order; they leave the queue.
  QStringList naechsterStapel();
  // Takes every waiting barcode out of the queue, in scan order.
  QStringList alleNehmen();

 private:
  QStringList wartend_;
};

// The releases an answer gave for one scanned barcode.
struct TScanTreffer {
  QString strichcode;                // empty: releases that match none of the barcodes
  std::vector<std::size_t> treffer;  // indices into the answer's list, in its order
};

// For each of "codes" in order, the releases of "liste" with that barcode
// (leading zeros aside: a UPC-A is an EAN-13 that begins with 0). When only
// one barcode was asked for, every release is its; otherwise releases that
// match none follow in a last group without a barcode.
std::vector<TScanTreffer> scansZuordnen(const QStringList& codes, const std::vector<TVeroeffentlichung>& liste);
