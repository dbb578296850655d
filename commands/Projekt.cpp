#include "commands/Projekt.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

uint32_t alsBgr(const Farbe& f)
{
    return static_cast<uint32_t>(f.r & 0xFF) | static_cast<uint32_t>(f.g & 0xFF) << 8
        | static_cast<uint32_t>(f.b & 0xFF) << 16;
}

Farbe ausBgr(uint32_t v)
{
    return Farbe{static_cast<int32_t>(v & 0xFF), static_cast<int32_t>((v >> 8) & 0xFF),
                 static_cast<int32_t>((v >> 16) & 0xFF)};
}

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

void farbeAnwenden(const ProjektDaten& d, ColorSettings& f)
{
    const bool alteHelligkeit = d.version == 103 || d.version == 104 || d.version == 200 || d.version == 1031;
    const bool alterKontrast = d.version == 104 || d.version == 200;
    f.gamma = d.gamma;
    f.hell = alteHelligkeit ? 2 * d.hell - 100 : d.hell;
    f.kontrast = alterKontrast ? 2 * d.kontrast - 100 : d.kontrast;
    f.saettigung = d.saettigung;
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

bool MenuProjektSpeichernClick(Programm& p)
{
    AppState& st = p.ctx.state;
    if (st.projectFile.empty())
        return false;
    st.busy = true;
    const bool ok = writeFileSafely(p.ctx.files(), st.projectFile, ProjektKodieren(ProjektAusProgramm(p)));
    st.busy = false;
    if (!ok) {
        p.ctx.message(Sprache::Titel::Fehler, 2);
        return false;
    }
    st.modified = false;
    return true;
}

bool MenuProjektSpeichernUnterClick(Programm& p, const std::string& datei)
{
    if (isReadOnly(datei)) {
        p.ctx.message(Sprache::Titel::Information, 49);
        return false;
    }
    p.ctx.state.projectFile = datei;
    return MenuProjektSpeichernClick(p);
}
