#include "align/Referenzpunkt.h"

#include <algorithm>
#include <cmath>

#include "align/Justierung.h"
#include "compose/Komponisten.h"
#include "compose/Pipeline.h"

using Sprache::MeldungNr;
using Sprache::Titel;

namespace {

ImageEntry& bild(Programm& p, int n)
{
    return p.bilder.bild[static_cast<size_t>(n)];
}

int32_t runden(double v)
{
    return static_cast<int32_t>(std::nearbyint(v));
}

bool justierbildGezeigt(const Programm& p)
{
    const Auswahl& a = p.auswahl;
    const int s = a.listenZeile;
    return p.bilder.gueltig(s)
        && ((a.vorschau == VorschauBildL && s == a.bildL) || (a.vorschau == VorschauBildR && s == a.bildR));
}

// After a change of the points: a new reference image realigns every image with a point.
void ReferenzErneuern(Programm& p)
{
    if (Aktualisiere_Referenzbildnr(p) < 0)
        AlleReferenzPunkteAuswerten(p, true);
}

}

std::optional<Bildpunkt> Ermittle_Refpunkt(const Programm& p, int32_t mx, int32_t my)
{
    const Ansicht& a = p.ansicht;
    const RasterSlot& ergebnis = p.bilder.bild[0].slot[SlotFarbErgebnis];
    const int32_t W = ergebnis.breite, H = ergebnis.hoehe;
    if (W <= 0 || H <= 0 || a.boxBreite <= 0 || a.boxHoehe <= 0)
        return std::nullopt;
    const bool zoomGueltig = a.zoomIndex >= 0 && a.zoomIndex < static_cast<int32_t>(a.zoomListe.size());
    const double z = zoomGueltig ? Zoomfaktor(a.zoomListe[static_cast<size_t>(a.zoomIndex)]) : 1.0;
    const Quellfenster f = Quellfenster_Berechnen(W, H, z, a.boxBreite, a.boxHoehe, a.scrollX, a.scrollY);
    const Rechteck bild = Einpassen({0, 0, f.x1 - f.x0, f.y1 - f.y0}, {0, 0, a.boxBreite, a.boxHoehe});
    if (bild.breite <= 0 || bild.hoehe <= 0)
        return std::nullopt;
    const double fx = static_cast<double>(mx - bild.x) / bild.breite;
    const double fy = static_cast<double>(my - bild.y) / bild.hoehe;
    if (fx < 0.0 || fx > 1.0 || fy < 0.0 || fy > 1.0)
        return std::nullopt;
    // The far edge of the picture belongs to its last pixel.
    return Bildpunkt{std::min(runden((f.x1 - f.x0) * fx + f.x0), W - 1),
                     std::min(runden((f.y1 - f.y0) * fy + f.y0), H - 1)};
}

bool Ist_Justierbild_in_Vorschau(Programm& p)
{
    if (justierbildGezeigt(p))
        return true;
    p.ctx.message(Titel::Fehler, MeldungNr::ReferenzbildNichtInVorschau);
    return false;
}

int Aktualisiere_Referenzbildnr(Programm& p)
{
    const int anzahl = p.bilder.anzahl;
    int n = 0, r = 0;
    for (int i = 1; i <= anzahl && n == 0; ++i)
        if (bild(p, i).istReferenzbild)
            n = r = i;
    for (int i = 1; i <= anzahl && n == 0; ++i)
        if (bild(p, i).refModus) {
            n = i;
            r = -i;
        }
    RefInfo& ref = p.refInfo;
    ref.referenzbild = n;
    if (n == 0)
        return 0;
    for (int i = 1; i <= anzahl; ++i)
        bild(p, i).istReferenzbild = i == n;
    ImageEntry& b = bild(p, n);
    b.refModus = true;
    ref.x = b.refX;
    ref.y = b.refY;
    return r;
}

void AlleReferenzPunkteAuswerten(Programm& p, bool hinweis)
{
    if (p.refInfo.referenzbild < 1)
        return;
    p.ctx.state.modified = true;
    p.ctx.setProgress(100, 0);
    if (hinweis)
        p.ctx.message(Titel::Information, MeldungNr::Neujustierung);
    Alle_Bilder_Bearbeiten(p, Mit_Punkt);
}

std::vector<int> Referenzbilder(const ImageSet& bilder)
{
    std::vector<int> nummern;
    for (int n = 1; n <= bilder.anzahl; ++n)
        if (bilder.bild[static_cast<size_t>(n)].refModus)
            nummern.push_back(n);
    return nummern;
}

void RefPktSetzenSpeedButtonClick(Programm& p, bool gedrueckt)
{
    const AppState& st = p.ctx.state;
    RefInfo& ref = p.refInfo;
    ref.setzModus = false;
    if (!gedrueckt || st.busy || st.abort || !Ist_Justierbild_in_Vorschau(p))
        return;
    ImageEntry& b = *Aktuelles_Bild(p);
    AutoJustierung_Vergessen(b);
    const bool zuruecksetzen = Ist_Justiert(b);
    if (zuruecksetzen) {
        p.ctx.message(Titel::Warnung, b.refModus ? MeldungNr::ReferenzpunktNeu : MeldungNr::JustierungenZurueckgesetzt);
        Justierung_Zuruecksetzen(b);
        ReferenzErneuern(p);
    }
    // Markers switched off before are drawn again into the images that have a point.
    const bool markenNeu = !ref.zeigen;
    ref.zeigen = true;
    if (markenNeu)
        Alle_Bilder_Bearbeiten(p, Mit_Punkt);
    if (zuruecksetzen || markenNeu)
        Nach_Justierung(p, 2);
    // A failed recompute clears the preview: then there is nothing to click on.
    ref.setzModus = justierbildGezeigt(p);
}

void Referenzpunkt_Setzen(Programm& p, Bildpunkt punkt, bool nurHorizontal)
{
    RefInfo& ref = p.refInfo;
    ref.setzModus = false;
    ImageEntry* b = Aktuelles_Bild(p);
    if (p.ctx.state.busy || !b)
        return;
    b->refModus = true;
    b->refX = punkt.x;
    if (ref.referenzbild >= 1) {
        b->refY = nurHorizontal ? ref.y : punkt.y;
    } else {
        b->istReferenzbild = true;
        b->refY = punkt.y;
        ref.referenzbild = p.auswahl.listenZeile;
        ref.x = punkt.x;
        ref.y = punkt.y;
    }
    ReferenzErneuern(p);
    Nach_Justierung(p, 2);
}

void RefPktLoeschenSpeedButtonClick(Programm& p)
{
    const AppState& st = p.ctx.state;
    if (st.busy || st.abort || !Ist_Justierbild_in_Vorschau(p))
        return;
    ImageEntry& b = *Aktuelles_Bild(p);
    if (b.refModus)
        p.ctx.message(Titel::Warnung, MeldungNr::ReferenzpunktGeloescht);
    p.refInfo.setzModus = false;
    Justierung_Zuruecksetzen(b);
    AutoJustierung_Vergessen(b);
    ReferenzErneuern(p);
    // From level 2 in every case: the image whose point is gone must be aligned anew.
    Nach_Justierung(p, 2);
}

void RefBildComboBoxChange(Programm& p, int n)
{
    RefInfo& ref = p.refInfo;
    if (p.ctx.state.busy || !p.bilder.gueltig(n) || n == ref.referenzbild || !bild(p, n).refModus)
        return;
    if (p.bilder.gueltig(ref.referenzbild))
        bild(p, ref.referenzbild).istReferenzbild = false;
    ImageEntry& b = bild(p, n);
    b.istReferenzbild = true;
    ref.referenzbild = n;
    ref.x = b.refX;
    ref.y = b.refY;
    AlleReferenzPunkteAuswerten(p, true);
    p.ctx.state.modified = true;
    Nach_Justierung(p, 3);
}

void Referenzmarken_Aendern(Programm& p, bool zeigen, int32_t groesse)
{
    if (p.ctx.state.busy || p.ctx.state.abort)
        return;
    p.refInfo.zeigen = zeigen;
    p.refInfo.groesse = std::clamp(groesse, 0, 10);
    p.ctx.state.modified = true;
    Alle_Bilder_Bearbeiten(p, Mit_Punkt);
    Nach_Justierung(p, 3);
}

void REFPFTLoesenButtonClick(Programm& p)
{
    if (p.ctx.state.busy)
        return;
    RefInfo& ref = p.refInfo;
    ref.zeigen = false;
    Alle_Bilder_Bearbeiten(p, [&](ImageEntry& b, int) {
        if (!b.refModus)
            return false;
        Punkt_Zur_Verschiebung(b, ref);
        AutoJustierung_Vergessen(b);
        return true;
    });
    Referenz_Aufheben(ref);
    Nach_Justierung(p, 3);
}
