#include "core/UFehler.h"

#include <cerrno>

EEAFehler eaFehler(int nummer) {
  switch (nummer) {
    case EA_DATEI_NICHT_GEFUNDEN: return {nummer, "Datei nicht gefunden"};
    case EA_UNGUELTIGER_NAME: return {nummer, "Ungültiger Dateiname"};
    case EA_ZU_VIELE_DATEIEN: return {nummer, "Zu viele geöffnete Dateien"};
    case EA_ZUGRIFF_VERWEIGERT: return {nummer, "Dateizugriff verweigert"};
    case EA_DATEIENDE: return {nummer, "Versuch hinter dem Dateiende zu lesen"};
    case EA_SPEICHER_VOLL: return {nummer, "Zu wenig Speicherplatz"};
    default: return {nummer, "E/A-Fehler " + std::to_string(nummer)};
  }
}

EEAFehler eaFehlerAusErrno(int err) {
  switch (err) {
    case ENOENT: return eaFehler(EA_DATEI_NICHT_GEFUNDEN);
    case ENAMETOOLONG:
    case EINVAL:
    case ENOTDIR:
    case EILSEQ: return eaFehler(EA_UNGUELTIGER_NAME);
    case EMFILE:
    case ENFILE: return eaFehler(EA_ZU_VIELE_DATEIEN);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return eaFehler(EA_ZUGRIFF_VERWEIGERT);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return eaFehler(EA_SPEICHER_VOLL);
    // Anything else carries the system's own number (EIO is 5, like access
    // denied above, so the number is put into the text directly).
    default: return {err, "E/A-Fehler " + std::to_string(err)};
  }
}
