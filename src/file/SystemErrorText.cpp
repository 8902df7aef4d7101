#include "file/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace tavo {

std::string systemErrorText(int errorNumber) {
    switch (errorNumber) {
        case ENOENT: return "Die Datei oder der Ordner existiert nicht.";
        case EACCES:
        case EPERM: return "Keine Berechtigung.";
        case EISDIR: return "Das ist ein Ordner, keine Datei.";
        case ENOTDIR: return "Ein Teil des Pfads ist kein Ordner.";
        case ENOSPC: return "Auf dem Datenträger ist kein Platz mehr frei.";
        case EDQUOT: return "Der zugeteilte Speicherplatz ist erschöpft.";
        case EFBIG: return "Die Datei ist zu groß.";
        case EROFS: return "Das Dateisystem ist schreibgeschützt.";
        case ENAMETOOLONG: return "Der Dateiname ist zu lang.";
        case ENXIO: return "Am anderen Ende liest niemand.";
        case ELOOP: return "Zu viele symbolische Verknüpfungen.";
        case EIO: return "Ein-/Ausgabefehler des Datenträgers.";
        default: return std::strerror(errorNumber);
    }
}

}  // namespace tavo
