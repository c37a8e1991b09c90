#pragma once
// The online music database (MusicBrainz) as a source of releases: its
// addresses (UMBDienst) and its JSON answers (UMBAntwort).
#include <functional>

#include "online/UQuelle.h"

class TMBQuelle : public TQuelle {
 public:
  explicit TMBQuelle(std::function<QString()> adresse) : adresse_(std::move(adresse)) {}

  bool erlaubt() const override;
  TSeitenArbeit nameSuche(const QString& interpret, const QString& titel) const override;
  TArbeit strichcodeSuche(TCodesBeimSenden codes, const TDienstGrenzen& grenzen) const override;
  TArbeit discSuche(std::function<TDiscId()> lesen, const TDienstGrenzen& grenzen) const override;
  QString genreSchluessel(const QString& id) const override;
  TArbeit genreSuche(const QStringList& ids, const TDienstGrenzen& grenzen, TErhalten erhalten) const override;
  std::optional<TAntwortSeite> seiteLesen(const QByteArray& antwort) const override;
  std::optional<TVeroeffentlichung> veroeffentlichungLesen(const QByteArray& antwort, const QString& id) const override;

 private:
  std::function<QString()> adresse_;
};
