#include "core/Sprache.h"

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

const char* Meldung(MeldungNr nummer)
{
    switch (nummer) {
    case MeldungNr::DateitypNichtUnterstuetzt: return "Bitmap-Dateityp wird nicht unterstützt!";
    case MeldungNr::AenderungenSpeichern: return "Möchten Sie die Änderungen speichern?";
    case MeldungNr::DateiSpeicherFehler: return "Fehler beim Speichern der Datei!";
    case MeldungNr::JpgSpeicherFehler: return "Fehler beim Speichern der JPG-Datei!";
    case MeldungNr::DateiNichtGeoeffnet: return "Die Datei konnte nicht geöffnet werden!";
    case MeldungNr::ProjektNichtGeladen: return "Das Projekt wird nicht geladen!";
    case MeldungNr::FalscheProjektdatei: return "Falsche Projekt-Datei!";
    case MeldungNr::ProjektLadeFehler: return "Fehler beim Laden der Projekt-Datei!";
    case MeldungNr::AllgemeinerLadeFehler: return "Allgemeiner Fehler beim Laden der Datei!";
    case MeldungNr::BilddateiNichtGefunden:
        return "Bild-Datei konnte weder im Ursprungspfad noch im Verzeichnis der LVX-Datei gefunden werden!";
    case MeldungNr::BildLadeFehler: return "Fehler beim Laden der Bild-Datei!";
    case MeldungNr::NeueDateiFehler: return "Fehler beim Erzeugen der neuen Datei!";
    case MeldungNr::SpeicherFehler: return "Fehler beim Speichern!";
    case MeldungNr::ZwischenablageFehler: return "Fehler beim Kopieren in die Zwischenablage!";
    case MeldungNr::BreiteZuKlein: return "Breite des Bildes (Pixel) zu klein!";
    case MeldungNr::BreiteZuGross: return "Breite des Bildes (Pixel) zu gross!";
    case MeldungNr::HoeheZuKlein: return "Höhe des Bildes (Pixel) zu klein!";
    case MeldungNr::HoeheZuGross: return "Höhe des Bildes (Pixel) zu gross!";
    case MeldungNr::DruckbreiteZuKlein: return "Druckbreite des Bildes (cm) zu klein!";
    case MeldungNr::DruckbreiteZuGross: return "Druckbreite des Bildes (cm) zu gross!";
    case MeldungNr::LinsenrastertypZuKlein: return "Linsenrastertyp (lpi-Wert) zu klein!";
    case MeldungNr::LinsenrastertypZuGross: return "Linsenrastertyp (lpi-Wert) zu gross!";
    case MeldungNr::Minimum: return "Das Minimum dieser Programmversion ist: ";
    case MeldungNr::Maximum: return "Das Maximum dieser Programmversion ist: ";
    case MeldungNr::ZuVieleBilder: return "Zu viele Bild-Dateien geladen!";
    case MeldungNr::XdGroesserXm: return "Fehlerursache: xd > xm!";
    case MeldungNr::YdGroesserYm: return "Fehlerursache: yd > ym!";
    case MeldungNr::XrKleinerXmXd: return "Fehlerursache: xr < xm+xd!";
    case MeldungNr::YrKleinerYmYd: return "Fehlerusache: yr < ym+yd!";
    case MeldungNr::XrZuGross: return "Bildbreite (xr) zu gross!";
    case MeldungNr::YrZuGross: return "Bildhöhe (yr) zu gross!";
    case MeldungNr::BmpTypFehlerhaft: return "BMP-Typ fehlerhaft oder unbekannt!";
    case MeldungNr::KeinUnkomprimiertesBmp: return "Dies ist keine unkomprimierte 24-Bit-BMP-Datei!";
    case MeldungNr::FarbebenenNichtEins: return "Anzahl der Farbebenen nicht 1!";
    case MeldungNr::KompressionNichtUnterstuetzt: return "Dateikompression wird nicht unterstützt!";
    case MeldungNr::GroesseWiderspruch: return "Widersprüchliche Angaben zur Groesse der Datei im Dateikopf";
    case MeldungNr::KalibLinsenrastertypZuKlein: return "Kalibrierung-Linsenrastertyp (lpi-Wert) zu klein!";
    case MeldungNr::KalibLinsenrastertypZuGross: return "Kalibrierung-Linsenrastertyp (lpi-Wert) zu gross!";
    case MeldungNr::BerechnungAbgebrochen: return "Die Berechnung des Bildes wird abgebrochen!";
    case MeldungNr::XrZuKlein: return "Bildbreite (xr) zu klein!";
    case MeldungNr::YrZuKlein: return "Bildhöhe (yr) zu klein!";
    case MeldungNr::XdZuKlein: return "Bildbreite (xd) zu klein!";
    case MeldungNr::YdZuKlein: return "Bildhöhe (yd) zu klein!";
    case MeldungNr::DateiExistiertBereits: return "Die Datei existiert bereits. Soll Speicherung fortgeführt werden?";
    case MeldungNr::BildUeber4GByte: return "Berechnetes Bild ist größer als 4 GByte! Berechnung wird abgebrochen!";
    case MeldungNr::Os2Bitmap: return "OS/2 - Bitmap-Dateityp wird nicht unterstützt!";
    case MeldungNr::Schreibgeschuetzt: return "Datei ist schreibgeschützt, keine Speicherung möglich!";
    case MeldungNr::DateiNichtGefunden: return "Datei nicht gefunden:";
    case MeldungNr::VerknuepfungRegistriert: return "LVX-Dateiverknüpfung erfolgreich registriert.";
    case MeldungNr::VerknuepfungFehler: return "Fehler bei LVX-Dateiverknüpfung aufgetreten!";
    case MeldungNr::VerknuepfungAufgehoben: return "LVX-Dateiverknüpfung erfolgreich aufgehoben.";
    case MeldungNr::VerknuepfungAufhebenFehler: return "Fehler beim Aufheben der LVX-Dateiverknüpfung!";
    case MeldungNr::BerechnungAbbrechenFrage: return "Möchten Sie aktuelle Berechnung abbrechen?";
    case MeldungNr::ZuWenigFestplattenspeicher: return "Zu wenig Festplattenspeicher!";
    case MeldungNr::DruckhoeheZuKlein: return "Druckhöhe des Bildes (cm) zu klein!";
    case MeldungNr::DruckhoeheZuGross: return "Druckhöhe des Bildes (cm) zu gross!";
    case MeldungNr::BilddatenLadeFehler: return "Fehler beim Laden der Bilddaten!";
    case MeldungNr::TifSpeicherFehler: return "Fehler beim Speichern der TIF-Datei!";
    case MeldungNr::TiffKopfFehlerhaft: return "Fehlerhafte Informationen im TIFF-Dateikopf!";
    case MeldungNr::WederRgbNochCmyk: return "Datei besitzt weder eine RGB- noch eine CMYK-Struktur!";
    case MeldungNr::NichtAchtBit: return "Farbtiefe pro Farbkanal <> 8 Bit!";
    case MeldungNr::DpiWiderspruch: return "Widersprüchliche DPI-Informationen!";
    case MeldungNr::ZuVieleKalibBilder: return "Festgelgte \"Anzahl der Bilder\" zu gross!";
    case MeldungNr::FehlerBerechnungAbgebrochen: return "Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!";
    case MeldungNr::ZuWenigSpeicherAufLaufwerk: return "Zu wenig Speicher auf Laufwerk ";
    case MeldungNr::ReferenzbildNichtInVorschau:
        return "Justierbild (Referenzpunkt) befindet sich nicht in der Vorschau (Bild L oder Bild R)!";
    case MeldungNr::JustierbildNichtInVorschau: return "Justierbild befindet sich nicht in der Vorschau!";
    case MeldungNr::ReferenzpunktNeu: return "Der Referenzpunkt für aktuelles Bild wird hiermit neu gesetzt!";
    case MeldungNr::JustierungenZurueckgesetzt: return "Alle Justierungen für aktuelles Bild werden zurückgesetzt!";
    case MeldungNr::ReferenzpunktGeloescht:
        return "Der Referenzpunkt und Justierungen werden für aktuelles Bild gelöscht!";
    case MeldungNr::Neujustierung: return "Es erfolgt eine Neujustierung aller Bilder zum geänderten Referenzbild!";
    case MeldungNr::DruckaufloesungZuGering: return "Aktuelle Druckerauflösung ist zu gering!";
    case MeldungNr::DruckumgebungAbweichend:
        return "Aktuelle Druckerumgebung entspricht nicht den Angaben in der Projektdatei!";
    case MeldungNr::DruckoptimierungDeaktiviert:
        return "Die Linsenraster-Druckoptimierung wird deaktiviert und kann mit der aktuellen Druckerumgebung wieder aktiviert werden.";
    case MeldungNr::KeinDrucker:
        return "Es ist kein Drucker installiert. Die Option AUTO der Linsenrsater-Druckoptimierung wird deaktiviert!";
    case MeldungNr::AutoJustierungZuWenigBilder:
        return "Für die Auto-Justierung müssen mindestens 2 Bilder geladen sein.";
    case MeldungNr::VorschauOhneBildpaar: return "Bild L oder Bild R oder Anaglyph (L/R) nicht in der Vorschau!";
    }
    return "";
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
