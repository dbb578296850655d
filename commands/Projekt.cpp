#include "commands/Projekt.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "align/Referenzpunkt.h"
#include "commands/Bilder.h"
#include "commands/Liste.h"
#include "compose/Komponisten.h"
#include "compose/Pipeline.h"
#include "imageio/BildLaden.h"

namespace fs = std::filesystem;

namespace {

ProjektBild bildAusEintrag(const ImageEntry& e)
{
    ProjektBild b;
    b.pfad = e.slot[SlotQuelle].pfad;
    b.mpoPfad = e.slot[SlotQuelle].pfad2;
    b.breite = e.slot[SlotQuelle].breite;
    b.hoehe = e.slot[SlotQuelle].hoehe;
    b.dx = e.dx;
    b.dy = e.dy;
    b.rot = e.rot;
    b.skal = e.skal;
    b.refX = e.refX;
    b.refY = e.refY;
    b.istReferenzbild = e.istReferenzbild;
    b.refModus = e.refModus;
    b.spiegelX = e.spiegelX;
    b.spiegelY = e.spiegelY;
    b.konturen = e.konturen;
    return b;
}

void stereoSpeichern(const StereoSettings& s, ProjektDaten& d)
{
    d.viewerVorlage = s.vorlage;
    d.viewerFrei = !s.vorlage;
    d.gesamtRahmen = s.gesamtRahmen;
    d.rahmen = s.rahmen;
    d.viewerIndex = s.viewerIndex;
    d.viewer = {double(s.xd), double(s.yd), double(s.xm), double(s.ym), double(s.xr), double(s.yr),
                double(s.linienBreite)};
}

// The viewer edits hold whole millimetres (and tenths for the line width).
int32_t ganzzahl(double v)
{
    return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

void stereoAnwenden(const ProjektDaten& d, StereoSettings& s)
{
    s.vorlage = d.viewerVorlage || !d.viewerFrei;
    s.gesamtRahmen = d.gesamtRahmen;
    s.rahmen = d.rahmen;
    s.viewerIndex = d.viewerIndex;
    s.xd = ganzzahl(d.viewer[0]);
    s.yd = ganzzahl(d.viewer[1]);
    s.xm = ganzzahl(d.viewer[2]);
    s.ym = ganzzahl(d.viewer[3]);
    s.xr = ganzzahl(d.viewer[4]);
    s.yr = ganzzahl(d.viewer[5]);
    s.linienBreite = ganzzahl(d.viewer[6]);
}

// Old versions knew fewer anaglyph schemes and stored them differently.
void anaglyphUmrechnen(const ProjektDaten& d, ComposeSettings& c, Auswahl& a)
{
    int32_t art = d.anaglyphArt;
    int32_t schema = d.anaglyphSchema;
    int32_t vorschau = d.vorschau;
    switch (d.version) {
    case 103:
    case 1031:
        if (vorschau <= 3) {
            art = 1;
            schema = 2;
        } else if (vorschau == 4) {
            art = 1;
            schema = 0;
            vorschau = 3;
        }
        break;
    case 104:
    case 200:
    case 300:
        if (art >= 0 && art <= 5) {
            schema = art < 3 ? 2 : 0;
            art = art % 3 + 1;
        }
        if (d.version == 104 && vorschau == 4)
            vorschau = 5;
        break;
    case 320:
        if (schema == 1)
            schema = 2;
        break;
    default:
        break;
    }
    c.anaglyphSchema = art;
    c.anaglyphFarbModus = schema;
    a.vorschau = vorschau;
    c.C1 = d.c[0];
    c.C2 = d.c[1];
    c.C3 = d.c[2];
    if (schema == 2)
        c.C1 = c.C2 = c.C3 = 100;
    else if (schema == 0)
        c.C1 = c.C2 = c.C3 = 0;
    c.anaglyphVerbinden = d.verbinden;
}

void farbeAnwenden(const ProjektDaten& d, FarbSettings& f)
{
    const bool alteHelligkeit = d.version == 103 || d.version == 104 || d.version == 200 || d.version == 1031;
    const bool alterKontrast = d.version == 104 || d.version == 200;
    f.gamma = d.gamma;
    f.hell = std::clamp(alteHelligkeit ? 2 * d.hell - 100 : d.hell, -100, 100);
    f.kontrast = std::clamp(alterKontrast ? 2 * d.kontrast - 100 : d.kontrast, -100, 100);
    f.saettigung = d.saettigung;
}

// Shifts, points and lengths beyond the widest raster there can be (4 GiB in
// one row) describe no picture and no print.
constexpr double Groessengrenze = static_cast<double>(RasterGrenze / 3);

bool zwischen(int32_t wert, int32_t von, int32_t bis)
{
    return wert >= von && wert <= bis;
}

bool endlich(double wert, double von, double bis)
{
    return std::isfinite(wert) && wert >= von && wert <= bis;
}

bool bildWerteGueltig(const ProjektBild& b)
{
    const double g = Groessengrenze;
    // Every angle is a rotation; a scale factor is positive.
    return endlich(b.dx, -g, g) && endlich(b.dy, -g, g) && std::isfinite(b.rot) && endlich(b.skal, 1 / g, g)
        && std::abs(double(b.refX)) <= g && std::abs(double(b.refY)) <= g;
}

// Values of a control with a range are brought into it, as the control itself
// would; an item outside its list, a number that is not finite or that no
// picture or print can have, refuses the file.
bool projektWerteEinpassen(ProjektDaten& d)
{
    for (int32_t* regler : {&d.gamma, &d.hell, &d.kontrast, &d.saettigung})
        *regler = std::clamp(*regler, -100, 100);
    for (int32_t& c : d.c)
        c = std::clamp(c, 0, 100);
    d.pixelProLinse = std::clamp(d.pixelProLinse, 1, 1000);
    d.lcdX = std::clamp(d.lcdX, 0, 100000);
    d.lcdY = std::clamp(d.lcdY, 0, 100000);
    for (size_t k = 0; k < d.viewer.size(); ++k) {
        if (!std::isfinite(d.viewer[k]))
            return false;
        // Four digits for the lengths, one for the line width.
        d.viewer[k] = std::clamp(d.viewer[k], 0.0, k == 6 ? 9.0 : 9999.0);
    }
    const bool alteArten = d.version == 104 || d.version == 200 || d.version == 300;
    const double g = Groessengrenze;
    const bool gueltig = zwischen(d.linsenrichtung, 0, 1) && std::isfinite(d.lpi)
        && zwischen(d.listenAuswahl, -1, MaxBilder - 1) && zwischen(d.vorschau, VorschauKeine, VorschauStreifen)
        && endlich(d.randX, 0, g) && endlich(d.randY, 0, g) && endlich(d.breite, 0, g) && endlich(d.hoehe, 0, g)
        && zwischen(d.comboA, -1, MaxBilder - 1) && zwischen(d.comboB, -1, MaxBilder - 1)
        && zwischen(d.anaglyphArt, 0, alteArten ? 5 : 6) && zwischen(d.anaglyphSchema, 0, 2)
        && zwischen(d.einheit, 0, 1) && zwischen(d.viewerIndex, 0, int32_t(ViewerVorlagen.size()) - 1)
        && zwischen(d.barrierIndex, 0, 8) && zwischen(d.komprimierung, 0, 2)
        && zwischen(d.dpiIndex, 0, int32_t(DpiListe.size()) - 1) && zwischen(d.biKubIndex, 0, 1)
        && d.druckerIndex >= -1 && zwischen(d.lcdGroesse, 0, 7) && zwischen(d.lcdRichtung, 0, 1)
        && zwischen(d.lcdBeginn, 0, 1);
    return gueltig && std::all_of(d.bilder.begin(), d.bilder.end(), bildWerteGueltig);
}

// An item index of a list of the images, as image number; 0 when none.
int32_t bildNummer(int32_t item, int32_t anzahl)
{
    if (anzahl < 1)
        return 0;
    return std::clamp(item + 1, 1, anzahl);
}

}

ProjektDaten ProjektAusProgramm(const Programm& p)
{
    const ComposeSettings& c = p.compose;
    ProjektDaten d;
    d.linsenrichtung = c.Linsenrichtung;
    d.lpi = c.lpi;
    d.listenAuswahl = p.auswahl.listenZeile - 1;
    d.vorschau = p.auswahl.vorschau;
    d.randX = p.druck.randX;
    d.randY = p.druck.randY;
    d.breite = p.druck.breiteGesetzt;
    d.hoehe = p.druck.hoeheGesetzt;
    d.proportional = p.druck.proportional;
    d.druckInfos = p.druck.druckInfos;
    d.seitenverkehrt = p.druck.seitenverkehrt;
    d.comboA = p.auswahl.bildL - 1;
    d.comboB = p.auswahl.bildR - 1;
    d.hintergrund = alsBgr(c.Hintergrundfarbe);
    d.gamma = p.farbe.gamma;
    d.hell = p.farbe.hell;
    d.kontrast = p.farbe.kontrast;
    d.saettigung = p.farbe.saettigung;
    d.anaglyphArt = c.anaglyphSchema;
    d.anaglyphSchema = c.anaglyphFarbModus;
    d.c = {c.C1, c.C2, c.C3};
    d.verbinden = c.anaglyphVerbinden;
    d.einheit = p.druck.einheitCm ? 0 : 1;
    stereoSpeichern(c.stereo, d);
    d.barrierIndex = c.barrierIndex;
    d.linseInvers = c.LinseInvers;
    d.streifenLO = c.JustStreifenLO;
    d.streifenRU = c.JustStreifenRU;
    d.streifenQuer = c.JustStreifenQuer;
    d.komprimierung = c.Komprimierung;
    d.pixelProLinse = c.PixelProBildProLinse;
    d.druckOptimierung = c.DruckOptimierung;
    d.dpiAuto = c.dpiAuto;
    d.dpiManuell = !c.dpiAuto;
    d.dpiIndex = c.dpiIndex;
    d.biKubIndex = c.biKubMethode - 1;
    d.druckerIndex = c.druckerIndex;
    d.druckerName = c.druckerName;
    d.lcdGroesse = c.streifen.groesse;
    d.lcdRichtung = c.streifen.richtung;
    d.lcdBeginn = c.streifen.beginn;
    d.lcdX = c.streifen.breite;
    d.lcdY = c.streifen.hoehe;
    for (int n = 1; n <= p.bilder.anzahl; ++n)
        d.bilder.push_back(bildAusEintrag(p.bilder.bild[static_cast<size_t>(n)]));
    return d;
}

void ProjektEinstellungenAnwenden(Programm& p, const ProjektDaten& d)
{
    ComposeSettings& c = p.compose;
    c.Hintergrundfarbe = ausBgr(d.hintergrund);
    c.streifen.groesse = d.lcdGroesse;
    c.streifen.richtung = d.lcdRichtung;
    c.streifen.beginn = d.lcdBeginn;
    c.streifen.breite = d.lcdX;
    c.streifen.hoehe = d.lcdY;
    // The size choice decides the size, as its handler would; image L is still
    // image 1 here, as the loaded images left it.
    Streifengroesse_Anwenden(p, d.lcdGroesse);
    c.Komprimierung = d.komprimierung;
    c.PixelProBildProLinse = d.pixelProLinse;
    c.DruckOptimierung = d.druckOptimierung;
    c.dpiAuto = d.dpiAuto;
    c.dpiIndex = d.dpiIndex;
    c.biKubMethode = d.biKubIndex + 1;
    c.druckerIndex = d.druckerIndex;
    c.druckerName = d.druckerName;
    anaglyphUmrechnen(d, c, p.auswahl);
    c.Linsenrichtung = d.linsenrichtung;
    c.lpi = d.lpi;
    c.JustStreifenLO = d.streifenLO;
    c.JustStreifenRU = d.streifenRU;
    c.JustStreifenQuer = d.streifenQuer;
    p.auswahl.bildL = bildNummer(d.comboA, p.bilder.anzahl);
    p.auswahl.bildR = bildNummer(d.comboB, p.bilder.anzahl);
    p.auswahl.listenZeile = p.bilder.gueltig(d.listenAuswahl + 1) ? d.listenAuswahl + 1 : 0;
    p.druck.einheitCm = (d.version == 1031 ? 1 : d.einheit) == 0;
    p.druck.randX = d.randX;
    p.druck.randY = d.randY;
    p.druck.breiteGesetzt = p.druck.breite = d.breite;
    p.druck.hoeheGesetzt = p.druck.hoehe = d.hoehe;
    p.druck.proportional = d.proportional;
    p.druck.druckInfos = d.druckInfos;
    p.druck.seitenverkehrt = d.seitenverkehrt;
    farbeAnwenden(d, p.farbe);
    stereoAnwenden(d, c.stereo);
    c.barrierIndex = d.barrierIndex;
    c.LinseInvers = d.linseInvers;
}

namespace {

// A path too long for its field is stored relative to the project's folder
// when that fits; false after naming the file when it does not fit either.
bool pfadEinpassen(const Context& ctx, std::string& pfad, const fs::path& ordner)
{
    if (ProjektTextPasst(pfad))
        return true;
    std::error_code ec;
    const std::string relativ = fs::relative(pfad, ordner, ec).string();
    if (!ec && !relativ.empty() && ProjektTextPasst(relativ)) {
        pfad = relativ;
        return true;
    }
    ctx.message(Sprache::Titel::Fehler, std::string(Sprache::BildPfadZuLang) + " " + pfad);
    return false;
}

}

bool MenuProjektSpeichernClick(Programm& p)
{
    AppState& st = p.ctx.state;
    if (st.projectFile.empty())
        return false;
    ProjektDaten d = ProjektAusProgramm(p);
    const fs::path ordner = fs::absolute(fs::path(st.projectFile)).parent_path();
    for (ProjektBild& b : d.bilder)
        if (!pfadEinpassen(p.ctx, b.pfad, ordner) || !pfadEinpassen(p.ctx, b.mpoPfad, ordner))
            return false;
    st.busy = true;
    const bool ok = writeFileSafely(p.ctx.files(), st.projectFile, ProjektKodieren(d));
    st.busy = false;
    if (!ok) {
        p.ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(Sprache::MeldungNr::DateiSpeicherFehler),
                                                       st.projectFile, true));
        return false;
    }
    st.modified = false;
    return true;
}

bool MenuProjektSpeichernUnterClick(Programm& p, const std::string& datei)
{
    if (isReadOnly(datei)) {
        p.ctx.message(Sprache::Titel::Information, Sprache::MeldungNr::Schreibgeschuetzt);
        return false;
    }
    p.ctx.state.projectFile = datei;
    return MenuProjektSpeichernClick(p);
}

namespace {

// Project files hold at most 250 image records; what follows the end marker is never needed.
constexpr uint64_t ProjektLeseGrenze = 1 << 20;

bool projektLesen(const std::string& datei, std::vector<uint8_t>& bytes)
{
    std::ifstream in(datei, std::ios::binary);
    if (!in)
        return false;
    bytes.resize(ProjektLeseGrenze);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return !in.bad();
}

// The file name of a path written on any system ("/" or "\").
std::string dateiname(const std::string& pfad)
{
    const size_t trenner = pfad.find_last_of("/\\");
    return trenner == std::string::npos ? pfad : pfad.substr(trenner + 1);
}

// The number k of a part "…_k.JPG" extracted from a multi-picture file; 0 for other names.
int teilNummer(const std::string& name)
{
    const size_t strich = name.rfind('_');
    const size_t punkt = name.rfind('.');
    if (strich == std::string::npos || punkt == std::string::npos || punkt <= strich + 1)
        return 0;
    const std::string zahl = name.substr(strich + 1, punkt - strich - 1);
    if (zahl.size() > 3 || zahl.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(zahl);
}

// Where an image of the project is found now.
struct Bildquelle {
    std::string pfad;
    std::string mpo;  // a part of this multi-picture file, extracted anew
    int teil = 0;
};

// A relative path is one stored relative to the project's folder.
std::string finden(const std::string& pfad, const fs::path& ordner)
{
    std::error_code ec;
    const fs::path gespeichert = fs::path(pfad).is_relative() ? ordner / pfad : fs::path(pfad);
    if (!pfad.empty() && fs::is_regular_file(gespeichert, ec))
        return gespeichert.string();
    const fs::path daneben = ordner / dateiname(pfad);
    if (!dateiname(pfad).empty() && fs::is_regular_file(daneben, ec))
        return daneben.string();
    return {};
}

// The image's own path, or the same name beside the project; a part of a
// multi-picture file, whose extracted copy is gone with the last session, is
// taken from that file again.
bool bildFinden(const ProjektBild& b, const fs::path& ordner, Bildquelle& q)
{
    q.pfad = finden(b.pfad, ordner);
    if (!q.pfad.empty())
        return true;
    q.teil = teilNummer(dateiname(b.pfad));
    q.mpo = b.mpoPfad.empty() ? std::string() : finden(b.mpoPfad, ordner);
    return q.teil > 0 && !q.mpo.empty();
}

bool alteVersion(int32_t version)
{
    return version == 103 || version == 104 || version == 200 || version == 1031;
}

void bildWerteSetzen(ImageEntry& e, const ProjektBild& b, int32_t version)
{
    e.dx = alteVersion(version) ? -b.dx : b.dx;
    e.dy = b.dy;
    e.rot = b.rot;
    e.skal = b.skal;
    e.spiegelX = b.spiegelX;
    e.spiegelY = b.spiegelY;
    e.konturen = b.konturen;
}

bool neutral(const ImageEntry& e)
{
    return e.dx == 0 && e.dy == 0 && e.rot == 0 && e.vx == 0 && e.vy == 0 && e.skal == 1.0;
}

// Loads image i of the project and recomputes with it as image R; nothing, or
// the message of the failure.
std::optional<Sprache::MeldungNr> bildLaden(Programm& p, int i, const Bildquelle& q, const ProjektBild& b, int32_t version)
{
    using Sprache::MeldungNr;
    ImageEntry& e = p.bilder.bild[static_cast<size_t>(i)];
    e.dateienLoeschen();
    e.reset();
    p.bilder.anzahl = i;
    const Ladung r = q.teil > 0 ? MPO_Teil_Laden(p, i, q.mpo, q.teil) : Bild_Laden(p, i, q.pfad);
    if (r.ergebnis != Ladeergebnis::Ok || r.letzter <= 0)
        return r.ergebnis == Ladeergebnis::PlatteVoll ? MeldungNr::ZuWenigFestplattenspeicher : MeldungNr::BildLadeFehler;
    p.bilder.anzahl = std::max(i, r.letzter);
    bildWerteSetzen(e, b, version);
    BildRZeigen(p, i, neutral(e));
    if (p.ctx.state.abort)
        return MeldungNr::BildLadeFehler;
    return std::nullopt;
}

// With automatic dpi the project's printer must be the one at its place in today's list.
void druckerPruefen(Programm& p)
{
    ComposeSettings& c = p.compose;
    if (!c.DruckOptimierung || !c.dpiAuto)
        return;
    const std::vector<std::string> drucker = p.ctx.printers().names();
    if (c.druckerIndex >= 0 && static_cast<size_t>(c.druckerIndex) < drucker.size()
        && drucker[static_cast<size_t>(c.druckerIndex)] == c.druckerName) {
        p.ctx.printers().setCurrent(c.druckerIndex);
        return;
    }
    p.ctx.message(Sprache::Titel::Fehler, Sprache::MeldungNr::DruckumgebungAbweichend);
    p.ctx.message(Sprache::Titel::Warnung, Sprache::MeldungNr::DruckoptimierungDeaktiviert);
    c.DruckOptimierung = false;
}

// Reads and decodes a project file: nothing, or the message that says why not.
std::optional<Sprache::MeldungNr> projektDekodieren(const Programm& p, const std::string& datei, ProjektDaten& d)
{
    std::vector<uint8_t> bytes;
    if (!projektLesen(datei, bytes))
        return Sprache::MeldungNr::DateiNichtGeoeffnet;
    ProjektDaten vorgaben;
    const StereoSettings& s = p.compose.stereo;
    vorgaben.viewer = {double(s.xd), double(s.yd), double(s.xm), double(s.ym), double(s.xr), double(s.yr), 5.0};
    switch (ProjektDekodieren(bytes, vorgaben, d)) {
    case ProjektFehler::FalscheDatei: return Sprache::MeldungNr::FalscheProjektdatei;
    case ProjektFehler::Lesefehler: return Sprache::MeldungNr::ProjektLadeFehler;
    case ProjektFehler::Keiner: break;
    }
    if (!projektWerteEinpassen(d))
        return Sprache::MeldungNr::ProjektLadeFehler;
    return std::nullopt;
}

// The message names the file that failed; the project stays as it was.
bool ladenAbbrechen(Programm& p, Sprache::MeldungNr meldung, const std::string& datei, const std::string& alterName)
{
    p.ctx.events().setBusyCursor(false);
    p.ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(meldung), datei, false));
    p.ctx.message(Sprache::Titel::Information, Sprache::MeldungNr::ProjektNichtGeladen);
    p.ctx.setProgress(100, 0);
    p.auswahl.vorschau = VorschauKeine;
    p.ctx.state.busy = false;
    // A file that is no project must not become the target of the next save.
    p.ctx.state.projectFile = alterName;
    return false;
}

}

bool OeffnenAllgemein(Programm& p, const std::string& datei)
{
    AppState& st = p.ctx.state;
    const std::string alterName = st.projectFile;
    const fs::path ordner = fs::absolute(fs::path(datei)).parent_path();
    st.bildOeffnenOrdner = st.bildSpeichernOrdner = ordner;
    p.ctx.events().setBusyCursor(true);
    p.auswahl.vorschau = VorschauKeine;
    p.ctx.display().clearPreview();
    p.ansicht.zoomIndex = 0;
    p.ctx.pump();

    ProjektDaten d;
    if (const auto fehler = projektDekodieren(p, datei, d))
        return ladenAbbrechen(p, *fehler, datei, alterName);
    std::vector<Bildquelle> quellen(d.bilder.size());
    for (size_t i = 0; i < d.bilder.size(); ++i)
        if (!bildFinden(d.bilder[i], ordner, quellen[i]))
            return ladenAbbrechen(p, Sprache::MeldungNr::BilddateiNichtGefunden, d.bilder[i].pfad, alterName);

    st.projectFile = datei;
    p.bilder.Leeren();
    p.compose.Hintergrundfarbe = {static_cast<int32_t>(d.hintergrund & 0xFF),
                                  static_cast<int32_t>((d.hintergrund >> 8) & 0xFF),
                                  static_cast<int32_t>((d.hintergrund >> 16) & 0xFF)};
    const auto anzahl = static_cast<int>(d.bilder.size());
    for (int i = 1; i <= anzahl; ++i) {
        const Bildquelle& q = quellen[static_cast<size_t>(i - 1)];
        if (const auto fehler = bildLaden(p, i, q, d.bilder[static_cast<size_t>(i - 1)], d.version)) {
            p.bilder.Leeren();
            return ladenAbbrechen(p, *fehler, q.pfad.empty() ? q.mpo : q.pfad, alterName);
        }
        p.ctx.setProgress(100, static_cast<int32_t>(std::nearbyint(i * 100.0 / anzahl)));
    }
    for (int i = 1; i <= anzahl; ++i) {
        ImageEntry& e = p.bilder.bild[static_cast<size_t>(i)];
        const ProjektBild& b = d.bilder[static_cast<size_t>(i - 1)];
        e.refX = b.refX;
        e.refY = b.refY;
        e.istReferenzbild = b.istReferenzbild;
        e.refModus = b.refModus;
        bildWerteSetzen(e, b, d.version);
    }
    // Only now are the points known: images aligned by their point move to the reference position.
    Aktualisiere_Referenzbildnr(p);
    AlleReferenzPunkteAuswerten(p, false);
    ProjektEinstellungenAnwenden(p, d);
    druckerPruefen(p);
    p.ansicht.zoomIndex = 0;
    p.ctx.setProgress(100, 0);
    VorschauRadioGroupClick(p, p.auswahl.vorschau);
    p.ctx.events().setBusyCursor(false);
    st.modified = false;
    st.busy = false;
    return true;
}

bool Projekteinstellungen_Laden(Programm& p, const std::string& datei)
{
    ProjektDaten d;
    if (const auto fehler = projektDekodieren(p, datei, d)) {
        p.ctx.message(Sprache::Titel::Fehler, MitDatei(Sprache::Meldung(*fehler), datei, false));
        return false;
    }
    ProjektEinstellungenAnwenden(p, d);
    return true;
}

bool ErgebnisBerechnen(Programm& p, const std::string& projekt, int modus)
{
    // After a failed or stopped run, images may lack their aligned copy and
    // the result may stem from an earlier run or be incomplete: nothing goes
    // on, nothing is saved.
    const int abgebrochen = p.ctx.state.abgebrocheneLaeufe;
    if (!OeffnenAllgemein(p, projekt) || p.ctx.state.abgebrocheneLaeufe != abgebrochen)
        return false;
    if (modus >= 0 && modus != p.auswahl.vorschau)
        VorschauRadioGroupClick(p, modus);
    if (p.ctx.state.abgebrocheneLaeufe != abgebrochen)
        return false;
    if (p.auswahl.vorschau != VorschauKeine)
        return true;
    p.ctx.message(Sprache::Titel::Fehler, Sprache::KeinErgebnis);
    return false;
}
