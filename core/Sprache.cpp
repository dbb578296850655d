#include "core/Sprache.h"

#include <array>
#include <cerrno>

namespace Sprache {

const char* Titeltext(Titel titel)
{
    switch (titel) {
    case Titel::Information: return "Information";
    case Titel::Warnung: return "Warnung";
    case Titel::Fehler: return "Fehler";
    case Titel::Bestaetigung: return "Bestätigung";
    }
    return "";
}

namespace {

std::array<const char*, MeldungAnzahl> meldungen()
{
    std::array<const char*, MeldungAnzahl> m{};
    m.fill("");
    m[0] = "Bitmap-Dateityp wird nicht unterstützt!";
    m[1] = "Möchten Sie die Änderungen speichern?";
    m[2] = "Fehler beim Speichern der Datei!";
    m[3] = "Fehler beim Speichern der JPG-Datei!";
    m[4] = "Die Datei konnte nicht geöffnet werden!";
    m[5] = "Das Projekt wird nicht geladen!";
    m[6] = "Falsche Projekt-Datei!";
    m[7] = "Fehler beim Laden der Projekt-Datei!";
    m[8] = "Allgemeiner Fehler beim Laden der Datei!";
    m[9] = "Bild-Datei konnte weder im Ursprungspfad noch im Verzeichnis der LVX-Datei gefunden werden!";
    m[10] = "Fehler beim Laden der Bild-Datei!";
    m[11] = "Fehler beim Erzeugen der neuen Datei!";
    m[12] = "Fehler beim Speichern!";
    m[13] = "Fehler beim Kopieren in die Zwischenablage!";
    m[14] = "Breite des Bildes (Pixel) zu klein!";
    m[15] = "Breite des Bildes (Pixel) zu gross!";
    m[16] = "Höhe des Bildes (Pixel) zu klein!";
    m[17] = "Höhe des Bildes (Pixel) zu gross!";
    m[18] = "Druckbreite des Bildes (cm) zu klein!";
    m[19] = "Druckbreite des Bildes (cm) zu gross!";
    m[20] = "Linsenrastertyp (lpi-Wert) zu klein!";
    m[21] = "Linsenrastertyp (lpi-Wert) zu gross!";
    m[22] = "Das Minimum dieser Programmversion ist: ";
    m[23] = "Das Maximum dieser Programmversion ist: ";
    m[24] = "Zu viele Bild-Dateien geladen!";
    m[25] = "Fehlerursache: xd > xm!";
    m[26] = "Fehlerursache: yd > ym!";
    m[27] = "Fehlerursache: xr < xm+xd!";
    m[28] = "Fehlerusache: yr < ym+yd!";
    m[29] = "Bildbreite (xr) zu gross!";
    m[30] = "Bildhöhe (yr) zu gross!";
    m[31] = "BMP-Typ fehlerhaft oder unbekannt!";
    m[32] = "Dies ist keine unkomprimierte 24-Bit-BMP-Datei!";
    m[33] = "Anzahl der Farbebenen nicht 1!";
    m[34] = "Dateikompression wird nicht unterstützt!";
    m[35] = "Widersprüchliche Angaben zur Groesse der Datei im Dateikopf";
    m[36] = "Kalibrierung-Linsenrastertyp (lpi-Wert) zu klein!";
    m[37] = "Kalibrierung-Linsenrastertyp (lpi-Wert) zu gross!";
    m[38] = "Die Berechnung des Bildes wird abgebrochen!";
    m[40] = "Bildbreite (xr) zu klein!";
    m[41] = "Bildhöhe (yr) zu klein!";
    m[42] = "Bildbreite (xd) zu klein!";
    m[43] = "Bildhöhe (yd) zu klein!";
    m[44] = "Die Datei existiert bereits. Soll Speicherung fortgeführt werden?";
    m[47] = "Berechnetes Bild ist größer als 4 GByte! Berechnung wird abgebrochen!";
    m[48] = "OS/2 - Bitmap-Dateityp wird nicht unterstützt!";
    m[49] = "Datei ist schreibgeschützt, keine Speicherung möglich!";
    m[50] = "Datei nicht gefunden:";
    m[51] = "LVX-Dateiverknüpfung erfolgreich registriert.";
    m[52] = "Fehler bei LVX-Dateiverknüpfung aufgetreten!";
    m[53] = "LVX-Dateiverknüpfung erfolgreich aufgehoben.";
    m[54] = "Fehler beim Aufheben der LVX-Dateiverknüpfung!";
    m[55] = "Möchten Sie aktuelle Berechnung abbrechen?";
    m[57] = "Zu wenig Festplattenspeicher!";
    m[58] = "Druckhöhe des Bildes (cm) zu klein!";
    m[59] = "Druckhöhe des Bildes (cm) zu gross!";
    m[60] = "Fehler beim Laden der Bilddaten!";
    m[61] = "Fehler beim Speichern der TIF-Datei!";
    m[62] = "Fehlerhafte Informationen im TIFF-Dateikopf!";
    m[63] = "Datei besitzt weder eine RGB- noch eine CMYK-Struktur!";
    m[64] = "Farbtiefe pro Farbkanal <> 8 Bit!";
    m[65] = "Widersprüchliche DPI-Informationen!";
    m[66] = "Festgelgte \"Anzahl der Bilder\" zu gross!";
    m[67] = "Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!";
    m[68] = "Zu wenig Speicher auf Laufwerk ";
    m[69] = "Justierbild (Referenzpunkt) befindet sich nicht in der Vorschau (Bild L oder Bild R)!";
    m[70] = "Justierbild befindet sich nicht in der Vorschau!";
    m[71] = "Der Referenzpunkt für aktuelles Bild wird hiermit neu gesetzt!";
    m[72] = "Alle Justierungen für aktuelles Bild werden zurückgesetzt!";
    m[73] = "Der Referenzpunkt und Justierungen werden für aktuelles Bild gelöscht!";
    m[74] = "Es erfolgt eine Neujustierung aller Bilder zum geänderten Referenzbild!";
    m[75] = "Aktuelle Druckerauflösung ist zu gering!";
    m[76] = "Aktuelle Druckerumgebung entspricht nicht den Angaben in der Projektdatei!";
    m[77] = "Die Linsenraster-Druckoptimierung wird deaktiviert und kann mit der aktuellen Druckerumgebung wieder aktiviert werden.";
    m[78] = "Es ist kein Drucker installiert. Die Option AUTO der Linsenrsater-Druckoptimierung wird deaktiviert!";
    m[79] = "Für die Auto-Justierung müssen mindestens 2 Bilder geladen sein.";
    m[80] = "Bild L oder Bild R oder Anaglyph (L/R) nicht in der Vorschau!";
    return m;
}

}

const char* Meldung(int nummer)
{
    static const std::array<const char*, MeldungAnzahl> texte = meldungen();
    if (nummer < 0 || nummer >= MeldungAnzahl)
        return "";
    return texte[static_cast<size_t>(nummer)];
}

std::string Systemgrund(int fehlernummer)
{
    switch (fehlernummer) {
    case EPERM: return "Die Operation ist nicht erlaubt";
    case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
    case EIO: return "Eingabe-/Ausgabefehler";
    case ENOMEM: return "Nicht genügend Hauptspeicher verfügbar";
    case EACCES: return "Keine Berechtigung";
    case EBUSY: return "Das Gerät oder die Ressource ist belegt";
    case EEXIST: return "Die Datei existiert bereits";
    case ENODEV: return "Kein passendes Gerät gefunden";
    case ENOTDIR: return "Ist kein Verzeichnis";
    case EISDIR: return "Ist ein Verzeichnis";
    case EINVAL: return "Das Argument ist ungültig";
    case ENFILE: return "Zu viele offene Dateien im System";
    case EMFILE: return "Zu viele offene Dateien";
    case EFBIG: return "Die Datei ist zu groß";
    case ENOSPC: return "Auf dem Gerät ist kein Speicherplatz mehr verfügbar";
    case EROFS: return "Das Dateisystem ist nur lesbar";
    case ENAMETOOLONG: return "Der Dateiname ist zu lang";
    case ELOOP: return "Zu viele Ebenen aus symbolischen Links";
    case EDQUOT: return "Der zugewiesene Plattenplatz (Quota) ist überschritten";
    default: return "Systemfehler " + std::to_string(fehlernummer);
    }
}

}
