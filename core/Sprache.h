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

// The program's decimal separator for every number text.
inline constexpr char Dezimaltrenner = ',';

}
