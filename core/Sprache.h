#pragma once
#include <string>

// The language unit: every text the user sees. Only the German set exists.
namespace Sprache {

inline constexpr const char* Sprachname = "Deutsch";

// The four message-box captions.
enum class Titel { Information, Warnung, Fehler, Bestaetigung };
const char* Titeltext(Titel titel);

// The numbered messages; a number keeps its place so that every caller words a fault alike.
enum class MeldungNr {
    DateitypNichtUnterstuetzt = 0,
    AenderungenSpeichern = 1,
    DateiSpeicherFehler = 2,
    JpgSpeicherFehler = 3,
    DateiNichtGeoeffnet = 4,
    ProjektNichtGeladen = 5,
    FalscheProjektdatei = 6,
    ProjektLadeFehler = 7,
    AllgemeinerLadeFehler = 8,
    BilddateiNichtGefunden = 9,
    BildLadeFehler = 10,
    NeueDateiFehler = 11,
    SpeicherFehler = 12,
    ZwischenablageFehler = 13,
    BreiteZuKlein = 14,
    BreiteZuGross = 15,
    HoeheZuKlein = 16,
    HoeheZuGross = 17,
    DruckbreiteZuKlein = 18,
    DruckbreiteZuGross = 19,
    LinsenrastertypZuKlein = 20,
    LinsenrastertypZuGross = 21,
    Minimum = 22,
    Maximum = 23,
    ZuVieleBilder = 24,
    XdGroesserXm = 25,
    YdGroesserYm = 26,
    XrKleinerXmXd = 27,
    YrKleinerYmYd = 28,
    XrZuGross = 29,
    YrZuGross = 30,
    BmpTypFehlerhaft = 31,
    KeinUnkomprimiertesBmp = 32,
    FarbebenenNichtEins = 33,
    KompressionNichtUnterstuetzt = 34,
    GroesseWiderspruch = 35,
    KalibLinsenrastertypZuKlein = 36,
    KalibLinsenrastertypZuGross = 37,
    BerechnungAbgebrochen = 38,
    XrZuKlein = 40,
    YrZuKlein = 41,
    XdZuKlein = 42,
    YdZuKlein = 43,
    DateiExistiertBereits = 44,
    BildUeber4GByte = 47,
    Os2Bitmap = 48,
    Schreibgeschuetzt = 49,
    DateiNichtGefunden = 50,
    VerknuepfungRegistriert = 51,
    VerknuepfungFehler = 52,
    VerknuepfungAufgehoben = 53,
    VerknuepfungAufhebenFehler = 54,
    BerechnungAbbrechenFrage = 55,
    ZuWenigFestplattenspeicher = 57,
    DruckhoeheZuKlein = 58,
    DruckhoeheZuGross = 59,
    BilddatenLadeFehler = 60,
    TifSpeicherFehler = 61,
    TiffKopfFehlerhaft = 62,
    WederRgbNochCmyk = 63,
    NichtAchtBit = 64,
    DpiWiderspruch = 65,
    ZuVieleKalibBilder = 66,
    FehlerBerechnungAbgebrochen = 67,
    ZuWenigSpeicherAufLaufwerk = 68,
    ReferenzbildNichtInVorschau = 69,
    JustierbildNichtInVorschau = 70,
    ReferenzpunktNeu = 71,
    JustierungenZurueckgesetzt = 72,
    ReferenzpunktGeloescht = 73,
    Neujustierung = 74,
    DruckaufloesungZuGering = 75,
    DruckumgebungAbweichend = 76,
    DruckoptimierungDeaktiviert = 77,
    KeinDrucker = 78,
    AutoJustierungZuWenigBilder = 79,
    VorschauOhneBildpaar = 80,
};
const char* Meldung(MeldungNr nummer);

// The system's reason for a refused file operation (an errno value), as the
// system's German texts word it.
std::string Systemgrund(int fehlernummer);

inline constexpr const char* Produkttitel = "Lumivex 5 ";
inline constexpr const char* Anwendungstitel = "Lumivex";
// The project-file filter of the open and save dialogs: title, then two blanks before the bracket.
inline constexpr const char* ProjektFilter = "Lumivex 5  (*.LVX)|*.LVX|Alle (*.*)|*.*";
inline constexpr const char* BilderFilter1 =
    "Alle Dateien (*.*)|*.*|Alle Bilder (*.bmp; *.jpg; *.tif; *.tiff; *.tga; *.mpo; *.jps) |*.bmp; *.jpg; *.tif; "
    "*.tiff; *.tga; *.mpo; *.jps|BMP-Grafikdatei (*.bmp)|*.bmp|JPEG-Grafikdatei (*.jpg)|*.jpg";
inline constexpr const char* BilderFilter2 =
    "TIFF-Grafikdatei (*.tif; *.tiff)|*.tif; *.tiff|TGA-Grafikdatei (*.tga)|*.tga|MPO (Multiple Picture) (*.mpo)|*.mpo|"
    "JPS (Stereo-JPEG) (*.jps)|*.jps";

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
inline constexpr const char* ZuletztGeoeffnet = "&Zuletzt geöffnet";
inline constexpr const char* PixelInfo = "Pixel:";
inline constexpr const char* DpiInfo = "dpi:";
inline constexpr const char* Unkomprimiert = "unkomprimiert";
inline constexpr const char* Gespeichert = "gespeichert:";
inline constexpr const char* Linsenansicht = "Linsenansicht";
inline constexpr const char* LinsenansichtHinweis =
    "Was ein Auge durch die Linsen aus einem Blickwinkel sieht: von jeder Linse der Streifen an dieser Stelle";
inline constexpr const char* LinsenPosition = "Blickwinkel %1 von %2";
inline constexpr const char* HandbuchOhneProgramm =
    "Es ist kein Programm zum Anzeigen von PDF-Dateien eingerichtet. Das Handbuch liegt hier:";

// The tabs show symbols; only the last one, the internal panel, a caption.
inline constexpr const char* InternTab = "XP";
// Group box captions of the twelve tabs.
inline constexpr const char* TabGruppen[12] = {
    " Farbeinstellungen ",         " Justierung der Einzelbilder ", " Bildausschnitt festlegen ",
    " Anaglyphen-Einstellungen ",  " Stereobilder-Einstellungen ",  " Linsenraster-Einstellungen ",
    " Linsenraster-Kalibrierung ", " Streifenberechnung von 2 Bildern ", " Druck-Einstellungen ",
    " Stapelverabeitung ",         "Text",                          " Intern / Unlimited "};

// Tool tips of the main window's controls and tool bar.
inline constexpr const char* BildHinzufuegenHinweis =
    "Hinzufügen eines oder mehrerer Bilder zum Projekt (mehrere Bilder mit Strg-Taste im Öffnen-Dialog wählen)";
inline constexpr const char* BildEntfernenHinweis = "ausgewähltes Bild wird aus dem aktuellen Projekt entfernt";
inline constexpr const char* VollbildHinweis = "rechte Maustaste: Vollbilddarstellung";
inline constexpr const char* VorschauHinweis = "Auswahl der Vorschau und Berechnung des entsprechenden Bildes";
inline constexpr const char* StoppHinweis = "Berechnung abbrechen";
inline constexpr const char* ZoomHinweis =
    "Festlegen der Zoom-Einstellung (1:1 ... Bild erscheint vollständig im Vorschaufenster)";
inline constexpr const char* AnimationStartHinweis = "Start Bildsequenz";
inline constexpr const char* AnimationStoppHinweis = "Stopp Bildsequenz";
inline constexpr const char* PingPongHinweis =
    "leer: zyklische Wiederholung, gewählt: Vorwärts/Rückwärts-Animation";
inline constexpr const char* SchnelligkeitHinweis = "Schnelligkeit (1..5) festlegen";
inline constexpr const char* ProjektNeuHinweis = "Neues Projekt";
inline constexpr const char* ProjektOeffnenHinweis = "Projekt Öffnen";
inline constexpr const char* ProjektSpeichernHinweis = "Projekt Speichern";
inline constexpr const char* KopierenHinweis = "Kopieren des berechneten Bildes in die Zwischenablage";
inline constexpr const char* DruckenHinweis = "Drucken";

// File type filters of the save dialogs.
inline constexpr const char* BmpDateiFilter = "BMP-Datei (*.bmp) |*.bmp";
inline constexpr const char* JpgDateiFilter = "JPG-Datei (*.jpg) |*.jpg";
inline constexpr const char* TgaDateiFilter = "TGA-Datei (*.tga) |*.tga";
inline constexpr const char* TifDateiFilter = "TIF-Datei (*.tif) |*.tif";
inline constexpr const char* MpoDateiFilter = "MPO-Datei (*.mpo) |*.mpo";
inline constexpr const char* WebpAnimationFilter = "WebP-Animation (*.webp)";

// Texts without a number of their own.
inline constexpr const char* TgaZuGross = "Das Bild ist für das TGA-Format zu groß (höchstens 65535 × 65535 Pixel)!";
inline constexpr const char* TiffZuGross = "Das Bild ist für das TIFF-Format zu groß (höchstens 4 GByte Bilddaten)!";
inline constexpr const char* KeinErgebnis = "Es gibt kein berechnetes Bild (Vorschau \"keine\")!";
inline constexpr const char* MpoOhneBildpaar = "Für die MPO-Datei werden Bild L und Bild R benötigt!";
inline constexpr const char* BildPfadZuLang =
    "Pfad der Bild-Datei ist zu lang für die Projekt-Datei, keine Speicherung möglich:";
inline constexpr const char* JpegZuVielSpeicher = "Die JPEG-Datei benötigt zum Dekodieren zu viel Arbeitsspeicher!";
inline constexpr const char* AnimationZuWenigBilder = "Für die Animation müssen mindestens 2 Bilder geladen sein.";
inline constexpr const char* Bildschirmfoto = "Screenshot in Zwischenablage!";
inline constexpr const char* DruckerFehlt = "Der Drucker ist nicht installiert: ";

// The information lines under a print: lines 1 to 13.
inline constexpr const char* Druckinfo[13] = {
    " 1. Projekt: ",
    " 2. Linsentyp (lpi): ",
    " 3. Vorschau / Ergebnisbild: ",
    " 4. 3D/Flip: ",
    " 5. Bild-Nr. L/R : ",
    " 6. Anzahl Einzelbilder: ",
    " 7. Pixelgroesse Ergebnisbild (x*y): ",
    " 8. Bilder (Bild-Nr., Groesse, xy-Justierung, Drehung, Skalierung, Dateiname)",
    " 9. Drucker: ",
    "10. Druckauflösung (dpi) notwendig (x*y): ",
    "11. Druckauflösung (dpi) möglich lt. Treiberinfo (x*y): ",
    "12. Druckrand (x*y): ",
    "13. Druckgroesse (x*y): "};
inline constexpr const char* KeineProjektdatei = "(keine Projektdatei gespeichert)";

// The calibration sheets.
inline constexpr const char* KalibTitel = " - Kalibrierung (Version 2)";
inline constexpr const char* KalibDruckzeilen[5] = {"Linsenrastertyp (lpi): ", "Schrittweite in lpi: ",
                                                    "Richtung des Testmusters: ", "Drucker: ",
                                                    "gewählte Druckerauflösung in dpi (Treiberinfo): "};
inline constexpr const char* KalibLinsen = "Anzahl Linsen: ";
inline constexpr const char* KalibBilderPixel = "Anzahl Bilder: ";
inline constexpr const char* KalibPixelProLinse = ", Pixel pro Linse: ";
inline constexpr const char* OrdnerNichtGefunden = "Ordner nicht gefunden:";

// Messages of the batch run.
inline constexpr const char* BatchBilderGeladen = "Bei der Stapelverarbeitung dürfen keine Bilder geladen sein!";
inline constexpr const char* BatchQuelleFehlt = "Quelle (Speicherort für Ausgangsbilder) nicht festgelegt!";
inline constexpr const char* BatchKeineDateien = "Dateianzahl der Ausgangsbilder gleich 0!";
inline constexpr const char* BatchZielFehlt = "Ziel (Speicherort für Bilder) nicht festgelegt!";
inline constexpr const char* BatchOrdnerFehler = "Ordner konnte nicht angelegt werden!";
inline constexpr const char* BatchZuVieleDateien =
    "Zu viele Dateien in einem Verzeichnis. Auto-Justierung nicht möglich!";
inline constexpr const char* BatchEineDatei =
    "Für Auto-Justierung werden mind. 2 Dateien benötigt!. Auto-Justierung nicht möglich!";

// Texts of the settings panels.
namespace Tafel {

inline constexpr const char* Normal = "Normal";
inline constexpr const char* Hintergrundfarben = " Hintergrundfarbe ";
inline constexpr const char* HintergrundFehlend = "fehlende Bildinhalte";
inline constexpr const char* HintergrundVorschau = "Vorschau";
inline constexpr const char* HintergrundVollbild = "Vollbild";
inline constexpr const char* NormalFarbe = "Standardfarben";
inline constexpr const char* Bildoptimierung = "Bildopimierung";
inline constexpr const char* HistoAlle = "Ja (Alle Einzelbilder)";
inline constexpr const char* HistoMax = "max. Farbraum";

inline constexpr const char* Bikubisch = "Bikubisch";
inline constexpr const char* AktuellesBild = " Ausgewähltes Bild ";
inline constexpr const char* Nr = "Nr.: ";
inline constexpr const char* Datei = "Datei: ";
inline constexpr const char* SpiegelX = "horizontal spiegeln";
inline constexpr const char* SpiegelY = "vertikal spiegeln";
inline constexpr const char* Konturen = "Konturen";
inline constexpr const char* Filter[11] = {"- none -",     "Laplace", "Hipass",      "Find Edges",
                                           "Sharpen",      "Edge Enhance", "Color Emboss", "Soften",
                                           "Blur",         "Soften less",  "Test"};
inline constexpr const char* ManuelleJustierung = " Manuelle Justierung ";
inline constexpr const char* Drehung = "Drehung";
inline constexpr const char* Skalierung = "Skalierung";
inline constexpr const char* VergenzX = "Vergenz x";
inline constexpr const char* VergenzY = "Vergenz y";
inline constexpr const char* Tastatur = "Tastatur";
inline constexpr const char* SerienJustierung = "Serien-Justierung";
inline constexpr const char* Invers = "Invers";
inline constexpr const char* Referenzpunkt = " Referenzpunkt ";
inline constexpr const char* Setzen = "Setzen";
inline constexpr const char* Loeschen = "Loeschen";
inline constexpr const char* Anzeigen = "Anzeigen";
inline constexpr const char* Groesse = "Größe";
inline constexpr const char* NurHorizontal = "nur horizontal";
inline constexpr const char* RefPktLoesen = "Ref.Pkt -> dx,dy,...";
inline constexpr const char* AutoJustierungGruppe = " Lumivex - 1-Click-Auto-Justierung ";
inline constexpr const char* ReferenzbildNr = "Referenzbild-Nr.:";
inline constexpr const char* AutoJustierung = "Auto-Justierung";
inline constexpr const char* BeideBilder = "Korrektur beider Bilder";
inline constexpr const char* Detail = "D.";
inline constexpr const char* XVergenz = "x-Verg.";
inline constexpr const char* YVergenz = "y-Verg.";
inline constexpr const char* Grob = "Grob";
inline constexpr const char* ScheinebeneVorn = "Scheinebene vorn";
inline constexpr const char* Leerlauf = "---";
inline constexpr const char* AlleNull = "alle 0";
inline constexpr const char* Verschieben = "Verschieben des Bildes um ";
inline constexpr const char* Rotation = "Rotation des Bildes um ";
inline constexpr const char* Skalieren = "Veränderung des Skalierungsfaktors um ";
inline constexpr const char* VerschiebenUm[10] = {
    "1 Pixel nach oben",    "1 Pixel nach unten",    "1 Pixel nach links",   "1 Pixel nach rechts",
    "10 Pixel nach oben",   "10 Pixel nach unten",   "10 Pixel nach links",  "10 Pixel nach rechts",
    "100 Pixel nach links", "100 Pixel nach rechts"};
inline constexpr const char* RotationUm[4] = {
    "1/10 Grad linksherum (entgegen Uhrzeigersinn)", "1/10 Grad rechtsherum (im Uhrzeigersinn)",
    "1 Grad linksherum (entgegen Uhrzeigersinn)", "1 Grad rechtsherum (im Uhrzeigersinn)"};
inline constexpr const char* SkalierenUm[4] = {
    "+ 1/1000 (geringfügige Vergrößerung/Streckung)", "- 1/1000 (geringfügige Verkleinerung/Stauchung)",
    "+ 1/100 (Vergrößerung/Streckung)", "- 1/100 (Verkleinerung/Stauchung)"};
inline constexpr const char* RuecksetzenVerschiebung = "Rücksetzen des Bildes (nur Verschiebung)";
inline constexpr const char* RuecksetzenAlle =
    "Rücksetzen aller Justierungen (Verschiebung, Drehung, Skalierung) aller Bilder";
inline constexpr const char* TastaturHinweis =
    "Verschiebung (links, rechts, hoch, runter) mit Tasten q,a,o,p (1 Pixel) und Q,A,O,P (10 Pixel)";

inline constexpr const char* Links = "Links:";
inline constexpr const char* Rechts = "Rechts:";
inline constexpr const char* Oben = "Oben:";
inline constexpr const char* Unten = "Unten:";
inline constexpr const char* BreiteZuHoehe = "Breite / Höhe:";
inline constexpr const char* HoeheZuBreite = "Höhe / Breite:";
inline constexpr const char* Druckbereich = "Bildausschnitt festlegen";
inline constexpr const char* FestesVerhaeltnis = "festes Seitenverhältnis definieren";
inline constexpr const char* ExportJpg = "als JPG (nicht BMP)";
inline constexpr const char* OptimalerAusschnitt = "Optimaler Ausschnitt";
inline constexpr const char* ExportAusschnitt = "Export Bildausschnitt";
inline constexpr const char* AusschnittVerwenden = "Ausschnitt Verwenden";

inline constexpr const char* AnaglyphFarbe = " Farbdarstellung ";
inline constexpr const char* AnaglyphFarbModi[3] = {"farbig", "manuell", "grau"};
inline constexpr const char* Kanaele[3] = {"R", "G", "B"};
inline constexpr const char* Verbinden = "verbinden";

inline constexpr const char* ViewerVorlage = "Viewer-Vorlage";
inline constexpr const char* ViewerFrei = "freie Eingabe";
inline constexpr const char* Bildgroesse = "Bildgröße";
inline constexpr const char* Bildabstand = "Bildabstand";
inline constexpr const char* Gesamtrahmen = " Gesamtrahmen ";
inline constexpr const char* Millimeter = "mm";
inline constexpr const char* Anwenden = "Anwenden";
inline constexpr const char* Einzelbild = " Einzelbild ";
inline constexpr const char* Teilbilder[2] = {"linkes Teilbild", "rechtes Teilbild"};
inline constexpr const char* GesamtrahmenBox = "Gesamtrahmen";
inline constexpr const char* RahmenJedesBild = "Rahmen für jedes Bild";
inline constexpr const char* Rahmenbreite = "/10 mm Rahmenbreite";
inline constexpr const char* Hintergrundfarbe = "Hintergrundfarbe";
inline constexpr const char* Rahmenfarbe = "Rahmenfarbe";
inline constexpr const char* Stauchen = "Stauchen horizontal";
inline constexpr const char* FestePixel = "feste Pixelabmessungen:";
inline constexpr const char* Mal = "x";

inline constexpr const char* PixelProLinse = "Pixel pro Bild pro Linse:";
inline constexpr const char* DruckOptimierungGruppe = " Bildoptimierung für Ausdruck ";
inline constexpr const char* DruckOptimierung = "Bildoptimierung aktiv";
inline constexpr const char* DpiAuto = "Auto (Drucker)";
inline constexpr const char* DpiManuell = "Manuell (dpi)";
inline constexpr const char* DpiAutoHinweis = "automatische Ermittlung des optimalen dpi-Wertes für ausgewählten Drucker";
inline constexpr const char* Methode = "Methode:";
inline constexpr const char* BiKub[2] = {"Weich (3D)", "Hart (Flip)"};
inline constexpr const char* KeinDpiWert = "----";

inline constexpr const char* KalibDruckTab = "Testmuster drucken";
inline constexpr const char* KalibBildTab = "Kalibrierungsbild";
inline constexpr const char* KalibLpi = "Linsenraster (lpi):";
inline constexpr const char* KalibLaenge = "Länge des Testmusters (cm):";
inline constexpr const char* KalibLaengeHinweis = "Länge des Kalibrierungs-Testmusters festlegen (Standard = 15 cm)";
inline constexpr const char* KalibRichtung = " Richtung ";
inline constexpr const char* KalibRichtungen[2] = {"horizontal (3D)", "vertikal (Flip)"};
inline constexpr const char* KalibSchrittweite = " Schrittweite (lpi) ";
inline constexpr const char* KalibSchritte[5] = {"0,01", "0,03", "0,05", "0,10", "0,25"};
inline constexpr const char* Drucken = "Drucken";
inline constexpr const char* KalibSchritt = "Schrittweite (lpi):";
inline constexpr const char* KalibStreifen = "Anzahl Streifen:";
inline constexpr const char* Einheit = " Einheit ";
inline constexpr const char* Einheiten[2] = {"cm", "inch"};
inline constexpr const char* Breite = "Breite:";
inline constexpr const char* Hoehe = "Höhe:";
inline constexpr const char* Richtung3DFlip[2] = {"3D", "Flip"};
inline constexpr const char* KalibBilder = "Anzahl Bilder:";
inline constexpr const char* KalibPixel = "Pixel pro Bild pro Linse:";
inline constexpr const char* KalibPixelHinweis =
    "Anzahl der Pixel pro Bild pro Linse (auto: ca. 400 dpi; manuell: nutzerspezifischer Wert, z.B. 1, 2 oder höher)";
inline constexpr const char* AutoManuell[2] = {"auto", "manuell"};
inline constexpr const char* Methoden[2] = {"diskret", "kontin."};
inline constexpr const char* Beschriftung = "normale Beschriftung";
inline constexpr const char* Bemassung10 = "Bemaßung 10 lpi (1 cm)";
inline constexpr const char* Bemassung5 = "Bemaßung 5 lpi (0,5 cm)";
inline constexpr const char* WeisseStreifen = "weiße statt farbige Streifen";
inline constexpr const char* KalibStart = "Berechnen und speichern";
inline constexpr const char* KalibStreifenhoehe = "Streifenhöhe:";
inline constexpr const char* KalibPixelGroesse = "Pixel (x * y):";
inline constexpr const char* KalibDpi = "dpi (x * y):";
inline constexpr const char* KalibHinweise[2] = {"Bildbreite", "Bildhöhe"};

inline constexpr const char* LCDGroesse = " Grösse (Pixel) ";
inline constexpr const char* LCDGroessen[8] = {"Originalgrösse", "Bildschirm", "Vorschaufenster", "640 x 480",
                                               "800 x 600",      "1024 x 768", "1600 x 1200",     "frei wählbar --->"};
inline constexpr const char* LCDRichtung = " Verschachtelung ";
inline constexpr const char* LCDRichtungen[2] = {"horizontal", "vertikal"};
inline constexpr const char* LCDBeginn = " Startbild (links/oben) ";
inline constexpr const char* LCDBeginne[2] = {"Bild L", "Bild R"};

inline constexpr const char* DruckInfos = "Druckinfos";
inline constexpr const char* Barrier = " Barrier ";
inline constexpr const char* BarrierVerhaeltnis = "Streifenverhältnis:";
inline constexpr const char* BarrierHinweis =
    "Barrier-Steifenverhältnis festlegen (1=weiss/durchsichtig : x=schwarz/undurchsichtig)";
inline constexpr const char* BarrierDrucken = "Barrier drucken";

inline constexpr const char* BatchTabs[6] = {"1. Quelle",   "2. Farben",   "3. Justierung",
                                             "4. Größe",    "5. Ergebnis", "6. Ziel"};
inline constexpr const char* BatchQuelle = "Quelle:";
inline constexpr const char* BatchZiel = "Ziel:";
inline constexpr const char* Auswaehlen = "...";
inline constexpr const char* OrdnerWaehlen = "Bitte ein Ordner auswählen ...";
inline constexpr const char* BatchZaehlen = "Anzahl der Dateien ermitteln";
inline constexpr const char* BatchArten[4] = {"A) Bildserien (mehr als 2 Bilder)     [JPG   BMP   TGA   TIF]",
                                              "B) Stereobilder                              [MPO  JPS]",
                                              "C) Stereobildpaare (L./ R)             [JPG   BMP   TGA   TIF]",
                                              "D) unabhängige Mono-Bilder        [JPG   BMP   TGA   TIF]"};
inline constexpr const char* BatchMuster[6] = {"*.JPG", "*.JPS", "*.TIF", "*.TGA", "*.BMP", "*.MPO"};
inline constexpr const char* BatchUnterordner = "inklusive Unterordner";
inline constexpr const char* BatchKeineOptimierung = "keine Bildoptimierung";
inline constexpr const char* BatchOptimierung = "Auto-Bildoptimierung (Farbe, Kontrast, Helligkeit)";
inline constexpr const char* BatchVerstaerkt = "verstärkte Optimierung";
inline constexpr const char* BatchKanten = "Kanten- / Konturendarstellung";
inline constexpr const char* BatchNegativ = "Negativdarstellung";
inline constexpr const char* BatchHintergrund = "Hintergrund-Farbe für fehlende Bildinhalte";
inline constexpr const char* BatchJustierHinweis = "Die Auto-Justierung verwendet die Einstellungen der Justierung.";
inline constexpr const char* BatchReferenz[3] = {"Referenzbild: Mitte", "Referenzbild: erstes", "Referenzbild: letztes"};
inline constexpr const char* BatchRot = "Drehung";
inline constexpr const char* BatchSkal = "Skalierung";
inline constexpr const char* BatchVert = "vertikale Verschiebung";
inline constexpr const char* BatchZuschnitt = "Auto-Zuschnitt (max. Bildanteile nach Auto-Justierung)";
inline constexpr const char* BatchAnaglyph = "Anaglyph gemäß Anaglyphen-Einstellung:";
inline constexpr const char* BatchStereo = "Stereobild gemäß Stereobilder-Einstellung:";
inline constexpr const char* BatchStreifen = "Streifenbild gemäß Streifenbild-Einstellung:";
inline constexpr const char* BatchSuffixe[3] = {"_anaglyph", "_stereo", "_stripes"};
inline constexpr const char* BatchJps = "JPS-Datei";
inline constexpr const char* BatchMpo = "MPO-Datei";
inline constexpr const char* BatchTyp = "Dateityp:";
inline constexpr const char* BatchTypen[4] = {"JPG", "BMP", "TIF", "TGA"};
inline constexpr const char* BatchBildpaar = "Bildpaar:";
inline constexpr const char* BatchBildpaare[2] = {"Bild L / Bild R", "Bild R / Bild L"};
inline constexpr const char* BatchUeberschreiben = "vorhandene Dateien überschreiben";
inline constexpr const char* BatchOriginale = "originale Ausgangsbilder speichern (Kopie):";
inline constexpr const char* BatchFarbOptimiert = "farboptimierte Ausgangsbilder speichern:";
inline constexpr const char* BatchJustiert = "justierte / zugeschnittene Ausgangsbilder speichern:";
inline constexpr const char* BatchZielSuffixe[3] = {"_orig", "_edit", "_just"};
inline constexpr const char* BatchProtokoll = "Protokolldatei";
inline constexpr const char* BatchStart = "START";
inline constexpr const char* BatchStopp = "Stop";
inline constexpr const char* BatchAutoOptimierung = "Auto-Bildoptimierung";
inline constexpr const char* BatchAutoJustierung = "Auto-Justierung";
inline constexpr const char* BatchAutoZuschnitt = "Auto-Zuschnitt";
inline constexpr const char* BatchOrdner = "Ordner:";
inline constexpr const char* BatchDateien = "Dateien:";

inline constexpr const char* ExifAnzeigen = "EXIF-Daten ...";
inline constexpr const char* MpoZerlegen = "MPO zerlegen ...";
inline constexpr const char* FarbtabellenDruck = "Farbtabellen - Druck";

inline constexpr const char* Farbregler[4] = {"Gamma", "Helligkeit", "Kontrast", "Sättigung"};
inline constexpr const char* GammaHinweis = "Gammaänderung (0=dunkel, 1=Normal, 5=hell)";
inline constexpr const char* HelligkeitHinweis = "Helligkeitsänderung (-100=dunkel, 0=Normal, 100=hell)";
inline constexpr const char* AnaglyphSchemata[7] = {"ColorCode 3-D", "Rot - Cyan", "Rot - Cyan Dubois", "Rot - Blau",
                                                    "Rot - Grün",    "Magenta - Grün", "Grün - Blau"};
inline constexpr const char* Linsentyp = " Linsentyp ";
inline constexpr const char* LinsentypHinweis = "Angabe des Linsentyps in lpi (z.B. 40,0 lpi)";
inline constexpr const char* Lpi = "lpi";
inline constexpr const char* Linsenrichtung = " 3D / Flip ";
inline constexpr const char* LinsenrichtungHinweis = "3D (Linsen senkrecht) oder Flip/Animatio/Zoom (Linsen waagerecht)";
inline constexpr const char* LinseBarrier = "Barrier";
inline constexpr const char* StreifenLinksOben = "links/oben";
inline constexpr const char* StreifenRechtsUnten = "rechts/unten";
inline constexpr const char* StreifenQuer = "quer";
inline constexpr const char* Komprimierung = " Komprimierung ";
inline constexpr const char* KomprimierungArten[3] = {"Auto ( < 400 dpi)", "Manuell", "keine Kompression"};
inline constexpr const char* RandLinks = "Rand links";
inline constexpr const char* RandLinksHinweis = "linker Druckrand";
inline constexpr const char* RandOben = "Rand oben";
inline constexpr const char* RandObenHinweis = "oberer Druckrand";
inline constexpr const char* DruckBreite = "Breite";
inline constexpr const char* DruckHoehe = "Höhe";
inline constexpr const char* Proportional = "proportional";
inline constexpr const char* ProportionalHinweis = "Bildprortionen (Höhe/Breite) beibehalten";
inline constexpr const char* Seitenverkehrt = "seitenverkehrt";
inline constexpr const char* SeitenverkehrtHinweis = "seitenverkehrte Darstellung z.B. für Foliendruck)";

}

// The main window's menus; an ampersand marks the key that opens an entry.
namespace Menue {

inline constexpr const char* Datei = "&Datei";
inline constexpr const char* ProjektNeu = "&Neues Projekt";
inline constexpr const char* ProjektOeffnen = "&Projekt öffnen";
inline constexpr const char* ProjektSpeichernUnter = "Projekt speichern &unter ...";
inline constexpr const char* ProjektSpeichern = "Projekt &speichern";
inline constexpr const char* BildHinzufuegen = "Bild &hinzufügen";
inline constexpr const char* BildEntfernen = "Bild &entfernen";
inline constexpr const char* BildSpeichernUnter = "Bild speichern unter ...";
inline constexpr const char* AnimationSpeichern = "Animation speichern …";
inline constexpr const char* Drucken = "&Drucken";
inline constexpr const char* Ende = "&Ende";
inline constexpr const char* Bearbeiten = "&Bearbeiten";
inline constexpr const char* Kopieren = "&Kopieren";
inline constexpr const char* Extras = "E&xtras";
inline constexpr const char* EinstellungenSichern = "&Einstellungen speichern / wiederherstellen";
inline constexpr const char* VerknuepfungEin = "LVX-Verknüpfung &aktivieren";
inline constexpr const char* VerknuepfungAus = "LVX-Verknüpfung &deaktivieren";
inline constexpr const char* Screenshot = "Screenshot mit Maus";
inline constexpr const char* Hilfe = "&Hilfe";
inline constexpr const char* Hinweis = "&Hinweis";
inline constexpr const char* Dokumentation = "&Dokumentation (PDF-Datei)";
inline constexpr const char* HomepageHersteller = "Homepage &Orbelin";
inline constexpr const char* HomepageAnaglyph = "Homepage &ColorCode 3-D";
inline constexpr const char* Info = "&Info";

// The entries of "Bild speichern unter ...", one per output format.
inline constexpr const char* FormatJpg = "JPG";
inline constexpr const char* FormatBmp = "BMP (24 Bit, RGB)";
inline constexpr const char* FormatTga = "TGA (24 Bit, RGB)";
inline constexpr const char* FormatTif = "TIFF (24 Bit, RGB)";
inline constexpr const char* FormatTifCmyk = "TIFF (32 Bit, CMYK)";
inline constexpr const char* FormatMpo = "MPO (2 Dateien)";

}

// Caption of the about box, the zoom group and the answer buttons of a question.
inline constexpr const char* InfoTitel = "Info";
inline constexpr const char* ZoomGruppe = " Zoom ";
inline constexpr const char* Ja = "Ja";
inline constexpr const char* Nein = "Nein";
inline constexpr const char* Abbrechen = "Abbrechen";
inline constexpr const char* ReferenzpunktHinweis = "Festlegen des Referenzpunktes für ausgewähltes Bild";
inline constexpr const char* HilfslinienHinweis =
    "linke Maustaste: Zeichnen von Hilfslinien/Hilfsrahmen für die Bildjustierung; rechte Maustaste: Vollbilddarstellung";

// The program's decimal separator for every number text.
inline constexpr char Dezimaltrenner = ',';

}
