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

// Texts without a number of their own.
inline constexpr const char* TgaZuGross = "Das Bild ist für das TGA-Format zu groß (höchstens 65535 × 65535 Pixel)!";
inline constexpr const char* TiffZuGross = "Das Bild ist für das TIFF-Format zu groß (höchstens 4 GByte Bilddaten)!";
inline constexpr const char* MpoOhneBildpaar = "Für die MPO-Datei werden Bild L und Bild R benötigt!";

// The program's decimal separator for every number text.
inline constexpr char Dezimaltrenner = ',';

}
