#pragma once
#include <string>

// The language unit: every text the user sees. Only the German set exists.
namespace Sprache {

inline constexpr const char* Sprachname = "Deutsch";

// The four message-box captions.
enum class Titel { Information, Warnung, Fehler, Bestaetigung };
const char* Titeltext(Titel titel);

// Highest message number in use; numbers without a text give "".
inline constexpr int MeldungAnzahl = 81;
const char* Meldung(int nummer);

inline constexpr const char* Produkttitel = "Lumivex 5 ";
inline constexpr const char* Anwendungstitel = "Lumivex";
// The project-file filter of the open and save dialogs: title, then two blanks before the bracket.
inline constexpr const char* ProjektFilter = "Lumivex 5  (*.LVX)|*.LVX|Alle (*.*)|*.*";
inline constexpr const char* BilderFilter1 =
    "Alle Dateien (*.*)|*.*|Alle Bilder (*.bmp; *.jpg; *.tif; *.tiff; *.tga; *.mpo) |*.bmp; *.jpg; *.tif; *.tiff; "
    "*.tga; *.mpo|BMP-Grafikdatei (*.bmp)|*.bmp|JPEG-Grafikdatei (*.jpg)|*.jpg";
inline constexpr const char* BilderFilter2 =
    "TIFF-Grafikdatei (*.tif; *.tiff)|*.tif; *.tiff|TGA-Grafikdatei (*.tga)|*.tga|MPO (Multiple Picture) (*.mpo)|*.mpo";

// Control texts of the main window.
inline constexpr const char* VorschauModi[7] = {"keine", "Bild Links (L)", "Bild Rechts (R)", "Anaglyph (L / R)",
                                                "Stereo (L / R)", "Linsenraster", "Streifen (L / R)"};
inline constexpr const char* VorschauGruppe = " Vorschau / Berechnen ";
inline constexpr const char* AuswahlGruppe = " Auswahl Bild L + R ";
inline constexpr const char* BildLNr = "Bild L  Nr.";
inline constexpr const char* BildRNr = "Bild R  Nr.";
inline constexpr const char* Bildsequenz = " Bildsequenz ";
inline constexpr const char* BildHinzufuegen = "Bild hinzufügen";
inline constexpr const char* BildEntfernen = "Bild entfernen";
inline constexpr const char* KleineSchrift = "kleine Schrift";
inline constexpr const char* HilfslinienZeichnen = "Hilfslinien zeichnen";
inline constexpr const char* HilfslinienLoeschen = "Hilfslinien löschen";
inline constexpr const char* JustL = "Bild L automat. wählen";
inline constexpr const char* JustR = "Bild R automat. wählen";
inline constexpr const char* Stopp = "Stopp";

// Group box captions of the twelve tabs.
inline constexpr const char* TabGruppen[12] = {
    " Farbeinstellungen ",         " Justierung der Einzelbilder ", " Bildausschnitt festlegen ",
    " Anaglyphen-Einstellungen ",  " Stereobilder-Einstellungen ",  " Linsenraster-Einstellungen ",
    " Linsenraster-Kalibrierung ", " Streifenberechnung von 2 Bildern ", " Druck-Einstellungen ",
    " Stapelverabeitung ",         "Text",                          " Intern / Unlimited "};

// Texts without a number of their own.
inline constexpr const char* TgaZuGross = "Das Bild ist für das TGA-Format zu groß (höchstens 65535 × 65535 Pixel)!";
inline constexpr const char* TiffZuGross = "Das Bild ist für das TIFF-Format zu groß (höchstens 4 GByte Bilddaten)!";
inline constexpr const char* KeinErgebnis = "Es gibt kein berechnetes Bild (Vorschau \"keine\")!";
inline constexpr const char* MpoOhneBildpaar = "Für die MPO-Datei werden Bild L und Bild R benötigt!";

// The program's decimal separator for every number text.
inline constexpr char Dezimaltrenner = ',';

}
