#include "online/UMBQuelle.h"

bool TMBQuelle::erlaubt() const { return dienstErlaubt(adresse_()); }

TQuelle::TSeitenArbeit TMBQuelle::nameSuche(const QString& interpret, const QString& titel) const {
  return [adresse = adresseName(adresse_(), interpret, titel)](int versatz, const TDienstGrenzen& g) -> TArbeit {
    // The service counts from the first release of the search ("offset").
    const QString seite = versatz > 0 ? adresse + QString("&offset=%1").arg(versatz) : adresse;
    return [seite, g](const std::atomic<bool>& abbrechen) { return dienstAbfragen(seite, g, abbrechen); };
  };
}

TQuelle::TArbeit TMBQuelle::strichcodeSuche(TCodesBeimSenden codes, const TDienstGrenzen& grenzen) const {
  return [basis = adresse_(), codes = std::move(codes), g = grenzen](const std::atomic<bool>& abbrechen) {
    return dienstAbfragen(
        [&] {
          const QStringList jetzt = codes(abbrechen);
          return jetzt.isEmpty() ? QString() : adresseStrichcodes(basis, jetzt);
        },
        g, abbrechen);
  };
}

TQuelle::TArbeit TMBQuelle::discSuche(std::function<TDiscId()> lesen, const TDienstGrenzen& grenzen) const {
  return [basis = adresse_(), g = grenzen, lesen = std::move(lesen)](const std::atomic<bool>& abbrechen) {
    return discAbfragen(lesen(), basis, g, abbrechen);
  };
}

QString TMBQuelle::genreSchluessel(const QString& id) const { return adresseVeroeffentlichung({}, id); }

TQuelle::TArbeit TMBQuelle::genreSuche(const QStringList& ids, const TDienstGrenzen& grenzen, TErhalten erhalten) const {
  QStringList adressen;
  for (const QString& id : ids) adressen << adresseVeroeffentlichung(adresse_(), id);
  return [adressen, g = grenzen, erhalten = std::move(erhalten)](const std::atomic<bool>& abbrechen) {
    return TDienstAntwort{dienstNacheinanderAbfragen(adressen, g, abbrechen, erhalten), {}};
  };
}

std::optional<TAntwortSeite> TMBQuelle::seiteLesen(const QByteArray& antwort) const {
  return antwortSeiteLesen(antwort);
}

std::optional<TVeroeffentlichung> TMBQuelle::veroeffentlichungLesen(const QByteArray& antwort,
                                                                    const QString& id) const {
  return ::veroeffentlichungLesen(antwort, id);
}
