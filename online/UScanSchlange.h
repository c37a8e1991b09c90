#pragma once
// The barcodes of a scanner waiting for their look-up. A scanner types faster
// than the service may be asked (once a second), so the scans wait here and
// go out together: the search's worker thread takes what waits at the moment
// its request may really go out, after the wait for the service. The answer
// is then shared out among them again, in the order they were scanned.
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstddef>
#include <mutex>
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

  // The window's thread adds and takes; a search's worker thread takes its stack.
  void anstellen(const QString& code);
  // No barcode waits.
  bool leer() const;
  // The next barcodes to search for (at most STAPEL), in scan order; they leave
  // the queue and are on their way until the answer takes them
  // (unterwegsNehmen). Nothing once "abbrechen" is set: a cancelled search
  // takes no scan, so that none can be lost between the threads.
  QStringList naechsterStapel(const std::atomic<bool>& abbrechen);
  QStringList naechsterStapel() { return naechsterStapel(NIE); }
  // The barcodes of the search answered now, in scan order.
  QStringList unterwegsNehmen();
  // Takes every barcode on its way and waiting, in scan order.
  QStringList alleNehmen();

 private:
  static const std::atomic<bool> NIE;
  mutable std::mutex sperre_;
  QStringList unterwegs_, wartend_;
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
