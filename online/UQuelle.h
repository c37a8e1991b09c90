#pragma once
// A source of releases for the online look-up: the searches by name, by
// barcodes and by the disc in the drive, and the look-up of one release for
// its genres. Each gives the work of one request, made on the caller's thread
// (where the settings are read) and run on a worker thread, where it blocks
// until the answer, a failure or "abbrechen". A new source is a class that
// implements this and one row in the table of sources (UQuelle.cpp).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "online/UDiscId.h"
#include "online/UMBAntwort.h"
#include "online/UMBDienst.h"

class TQuelle {
 public:
  using TArbeit = std::function<TDienstAntwort(const std::atomic<bool>& abbrechen)>;
  // The page of a search by name from the "versatz"-th release on.
  using TSeitenArbeit = std::function<TArbeit(int versatz, const TDienstGrenzen& grenzen)>;
  // Gives the barcodes when the request may really go out; empty ends it as cancelled.
  using TCodesBeimSenden = std::function<QStringList(const std::atomic<bool>& abbrechen)>;
  // The answer of the "nr"-th release looked up; empty where the source had nothing.
  using TErhalten = std::function<void(int nr, const QByteArray& antwort)>;

  virtual ~TQuelle() = default;
  // The source may be asked as it is set now.
  virtual bool erlaubt() const = 0;
  virtual TSeitenArbeit nameSuche(const QString& interpret, const QString& titel) const = 0;
  virtual TArbeit strichcodeSuche(TCodesBeimSenden codes, const TDienstGrenzen& grenzen) const = 0;
  virtual TArbeit discSuche(std::function<TDiscId()> lesen, const TDienstGrenzen& grenzen) const = 0;
  // The key of a release's look-up for its genres: empty when it cannot be
  // looked up; releases with the same key are one look-up.
  virtual QString genreSchluessel(const QString& id) const = 0;
  // Looks up the releases of "ids" in turn; stops at the first failure other than "not found".
  virtual TArbeit genreSuche(const QStringList& ids, const TDienstGrenzen& grenzen, TErhalten erhalten) const = 0;
  // The releases of a search's answer; nothing when it is not of the expected form.
  virtual std::optional<TAntwortSeite> seiteLesen(const QByteArray& antwort) const = 0;
  // The release "id" of a look-up's answer; nothing unless the answer is that release.
  virtual std::optional<TVeroeffentlichung> veroeffentlichungLesen(const QByteArray& antwort,
                                                                   const QString& id) const = 0;
};

// The source of that name; "adresse" gives the service's address as set now
// (read on the caller's thread). Nothing for an unknown name.
std::unique_ptr<TQuelle> quelleErzeugen(const QString& name, std::function<QString()> adresse);
// The names of the sources, in the order of their table.
QStringList quellenNamen();
