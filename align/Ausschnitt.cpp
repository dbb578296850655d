#include "align/Ausschnitt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>

#include "align/Justierung.h"
#include "align/Referenzpunkt.h"
#include "compose/Pipeline.h"
#include "imageio/Datei.h"
#include "imageio/Jpeg.h"
#include "raster/Justieren.h"
#include "raster/Uebertragung.h"

namespace fs = std::filesystem;
using Sprache::MeldungNr;
using Sprache::Titel;

namespace {

// Whole pixels; values that no raster reaches are held at a billion.
int32_t ganz(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int32_t>(std::nearbyint(std::clamp(v, -1e9, 1e9)));
}

struct Punkt2 {
    double x = 0.0, y = 0.0;
};

// The part of an image's frame that its picture covers, in real pixel positions.
struct Kasten {
    double links, oben, rechts, unten;
};

double kreuz(Punkt2 a, Punkt2 b)
{
    return a.x * b.y - a.y * b.x;
}

// Where the ray from c through k leaves the quadrilateral q (corners in order
// around it): the nearest crossing of an edge ahead of c.
std::optional<Punkt2> austritt(Punkt2 c, Punkt2 k, const std::array<Punkt2, 4>& q)
{
    const Punkt2 d{k.x - c.x, k.y - c.y};
    std::optional<Punkt2> naechster;
    double tMin = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < q.size(); ++i) {
        const Punkt2 a = q[i];
        const Punkt2 e{q[(i + 1) % q.size()].x - a.x, q[(i + 1) % q.size()].y - a.y};
        const double nenner = kreuz(d, e);
        if (nenner == 0.0)
            continue;
        const Punkt2 ac{a.x - c.x, a.y - c.y};
        const double t = kreuz(ac, e) / nenner;
        const double s = kreuz(ac, d) / nenner;
        if (s >= 0.0 && s <= 1.0 && t > 0.0 && t < tMin) {
            tMin = t;
            naechster = Punkt2{c.x + t * d.x, c.y + t * d.y};
        }
    }
    return naechster;
}

// The box of a turned or tilted picture along its diagonals: from the box's
// centre towards each corner to where the picture ends; the innermost of these
// points bound the box.
Kasten diagonalen(const Kasten& k, const std::array<Punkt2, 4>& bild)
{
    const Punkt2 c{(k.links + k.rechts) / 2, (k.oben + k.unten) / 2};
    const auto lo = austritt(c, {k.links, k.oben}, bild);
    const auto ro = austritt(c, {k.rechts, k.oben}, bild);
    const auto ru = austritt(c, {k.rechts, k.unten}, bild);
    const auto lu = austritt(c, {k.links, k.unten}, bild);
    if (!lo || !ro || !ru || !lu)
        return k;
    return {std::max(lo->x, lu->x), std::max(lo->y, ro->y), std::min(ro->x, ru->x), std::min(lu->y, ru->y)};
}

// Where image b shows its picture in the common frame of size g, as the alignment places it.
Kasten innererKasten(const ImageEntry& b, const RefInfo& ref, Groesse g)
{
    Bildlage lage = Ermittle_Bildlage(b, ref, g);
    if (!b.refModus) {
        lage.cx = g.breite / 2;
        lage.cy = g.hoehe / 2;
    }
    const Matrix4 f = Vorwaertsmatrix(b, lage);
    const double w = b.slot[SlotArbeitskopie].breite - 1, h = b.slot[SlotArbeitskopie].hoehe - 1;
    const auto abbild = [&](double x, double y) {
        const Vektor4 v = Matrix_4_MalVektor(f, {x, y, 0.0, 1.0});
        return Punkt2{v[0], v[1]};
    };
    const Punkt2 lo = abbild(0, 0), ro = abbild(w, 0), lu = abbild(0, h), ru = abbild(w, h);
    Kasten k{std::max(lo.x, lu.x), std::max(lo.y, ro.y), std::min(ro.x, ru.x), std::min(lu.y, ru.y)};
    if (b.rot != 0.0 || b.vx != 0.0 || b.vy != 0.0)
        k = diagonalen(k, {lo, ro, ru, lu});
    // Mirroring follows the transform: the missing parts change sides with the picture.
    if (b.spiegelX)
        k = {g.breite - 1 - k.rechts, k.oben, g.breite - 1 - k.links, k.unten};
    if (b.spiegelY)
        k = {k.links, g.hoehe - 1 - k.unten, k.rechts, g.hoehe - 1 - k.oben};
    return k;
}

// The region of quelle in a raster of its own (ziel carries the path); throws Abbruch on failure.
void ausschneiden(Programm& p, const RasterSlot& quelle, RasterSlot& ziel, const Ausschnitt& a)
{
    ziel.breite = a.breite();
    ziel.hoehe = a.hoehe();
    Ganzzahlig_Uebertragen(p.ctx, quelle, ziel, -int64_t{a.links}, a.oben, p.compose.Hintergrundfarbe);
}

// A raster beside the slots of the image set, for one cut at a time.
RasterSlot temporaer(const Programm& p)
{
    RasterSlot s;
    s.pfad = TempDateiname(p.ctx.files().tempFolder(), 0, SlotAnzahl);
    return s;
}

void entfernen(RasterSlot& s)
{
    RasterSchliessen(s);
    std::error_code ec;
    fs::remove(s.pfad, ec);
}

std::string exportName(const std::string& basis, int n, bool jpg)
{
    char nummer[16];
    std::snprintf(nummer, sizeof nummer, "%2.2d", n);
    return basis + nummer + (jpg ? ".JPG" : ".BMP");
}

// One cropped file; a file the user does not want replaced, or may not, is left as it is.
void exportieren(Programm& p, const RasterSlot& quelle, const std::string& datei, const Ausschnitt& a, bool jpg)
{
    Context& ctx = p.ctx;
    std::error_code ec;
    if (fs::exists(datei, ec)) {
        if (ctx.ask(Titel::Bestaetigung,
                    std::string(Sprache::Meldung(MeldungNr::DateiExistiertBereits)) + ": " + datei) != Antwort::Ja)
            return;
        if (isReadOnly(datei)) {
            ctx.message(Titel::Information, MeldungNr::Schreibgeschuetzt);
            return;
        }
    }
    RasterSlot teil = temporaer(p);
    if (guarded(ctx, [&] { ausschneiden(p, quelle, teil, a); })) {
        const bool ok = jpg ? JPEG_Schreiben(ctx, datei, teil) : DateiKopieren(ctx.files(), teil.pfad, datei);
        if (!ok && !jpg)
            ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(MeldungNr::DateiSpeicherFehler), datei, true));
    }
    entfernen(teil);
}

// Markers of reference points on or off in the aligned images and the result.
void markenSetzen(Programm& p, bool zeigen)
{
    p.refInfo.zeigen = zeigen;
    Alle_Bilder_Bearbeiten(p, Mit_Punkt);
    if (!p.ctx.state.abort && p.auswahl.vorschau != VorschauKeine && BERECHNE(p))
        FARBE(p);
}

// Image b's working copy becomes its aligned image cut to the region, and its alignment is reset.
bool uebernehmen(Programm& p, ImageEntry& b, const Ausschnitt& a)
{
    RasterSlot teil = temporaer(p);
    if (!guarded(p.ctx, [&] { ausschneiden(p, b.slot[SlotJustiert], teil, a); })) {
        entfernen(teil);
        return false;
    }
    RasterSlot& arbeitskopie = b.slot[SlotArbeitskopie];
    RasterSchliessen(arbeitskopie);
    std::error_code ec;
    fs::rename(teil.pfad, arbeitskopie.pfad, ec);
    if (ec) {
        entfernen(teil);
        p.ctx.reportFailure();
        return false;
    }
    for (int s : {SlotQuelle, SlotArbeitskopie}) {
        b.slot[static_cast<size_t>(s)].breite = a.breite();
        b.slot[static_cast<size_t>(s)].hoehe = a.hoehe();
    }
    // Derived from the old working copy: made anew when next needed.
    for (int s : {SlotJustiert, SlotAutoJust}) {
        b.slot[static_cast<size_t>(s)].breite = 0;
        b.slot[static_cast<size_t>(s)].hoehe = 0;
    }
    Justierung_Zuruecksetzen(b);
    b.inversVergenz = false;
    AutoJustierung_Vergessen(b);
    return true;
}

bool leerMelden(Programm& p, const Ausschnitt& a)
{
    if (!a.leer())
        return false;
    p.ctx.message(Titel::Fehler, MeldungNr::FehlerBerechnungAbgebrochen);
    return true;
}

}

Groesse Ergebnisgroesse(const Programm& p)
{
    const RasterSlot& r = p.bilder.bild[0].slot[SlotErgebnis];
    return {r.breite, r.hoehe};
}

Ausschnitt Ausschnitt_Anwenden(Ausschnitt a, Groesse rahmen)
{
    if (a.links > a.rechts)
        std::swap(a.links, a.rechts);
    if (a.oben > a.unten)
        std::swap(a.oben, a.unten);
    const auto innen = [](int32_t v, int32_t groesse) { return std::max(0, std::min(v, groesse - 1)); };
    return {innen(a.links, rahmen.breite), innen(a.oben, rahmen.hoehe), innen(a.rechts, rahmen.breite),
            innen(a.unten, rahmen.hoehe)};
}

Groesse Festes_Verhaeltnis(Groesse rahmen, int32_t qb, int32_t qh)
{
    if (rahmen.breite <= 0 || rahmen.hoehe <= 0 || qb <= 0 || qh <= 0)
        return rahmen;
    const double q = static_cast<double>(qb) / qh;
    if (static_cast<double>(rahmen.breite) / rahmen.hoehe < q)
        return {rahmen.breite, ganz(rahmen.breite / q)};
    return {ganz(rahmen.hoehe * q), rahmen.hoehe};
}

Ausschnitt Verhaeltnis_Anwenden(Ausschnitt a, int32_t qb, int32_t qh)
{
    const Groesse g = Festes_Verhaeltnis({a.breite(), a.hoehe()}, qb, qh);
    // The first half of the new size lies before the centre, the rest after it.
    const int32_t mitteX = a.links + a.breite() / 2, mitteY = a.oben + a.hoehe() / 2;
    a.links = mitteX - g.breite / 2;
    a.rechts = a.links + g.breite - 1;
    a.oben = mitteY - g.hoehe / 2;
    a.unten = a.oben + g.hoehe - 1;
    return a;
}

Ausschnitt Druckbereich_PosInit_TRANS(const Programm& p)
{
    const Groesse g = p.bilder.MaxArbeitskopie();
    Kasten k{0.0, 0.0, g.breite - 1.0, g.hoehe - 1.0};
    bool verzerrt = false;
    for (int n = 1; n <= p.bilder.anzahl; ++n) {
        const ImageEntry& b = p.bilder.bild[static_cast<size_t>(n)];
        const Kasten i = innererKasten(b, p.refInfo, g);
        k = {std::max(k.links, i.links), std::max(k.oben, i.oben), std::min(k.rechts, i.rechts),
             std::min(k.unten, i.unten)};
        verzerrt = verzerrt || b.skal != 1.0 || b.rot != 0.0 || b.vx != 0.0 || b.vy != 0.0;
    }
    Ausschnitt a{ganz(k.links), ganz(k.oben), ganz(k.rechts), ganz(k.unten)};
    // Interpolated edges may blend in the background: one pixel more inwards.
    if (verzerrt)
        a = {a.links + 1, a.oben + 1, a.rechts - 1, a.unten - 1};
    // Images that share no pixel leave nothing, not a region turned inside out.
    a.rechts = std::max(a.rechts, a.links);
    a.unten = std::max(a.unten, a.oben);
    return a;
}

bool Ausschnitt_Exportieren(Programm& p, Ausschnitt roh, const std::string& basis, bool jpg)
{
    AppState& st = p.ctx.state;
    if (st.busy || st.abort)
        return false;
    const Ausschnitt a = Ausschnitt_Anwenden(roh, Ergebnisgroesse(p));
    if (leerMelden(p, a))
        return false;
    const bool marken = p.refInfo.zeigen && !Referenzbilder(p.bilder).empty();
    st.busy = true;
    if (marken)
        markenSetzen(p, false);
    Alle_Bilder_Bearbeiten(p, [&](ImageEntry& b, int n) {
        exportieren(p, b.slot[SlotJustiert], exportName(basis, n, jpg), a, jpg);
        return false;
    });
    if (!st.abort && p.auswahl.vorschau != VorschauKeine)
        exportieren(p, p.bilder.ergebnis().slot[SlotFarbErgebnis], exportName(basis, 0, jpg), a, jpg);
    if (marken)
        markenSetzen(p, true);
    st.busy = false;
    if (!st.abort)
        return true;
    Abbruch_Behandlung(p);
    return false;
}

bool AusschnittVerwendenButtonClick(Programm& p, Ausschnitt roh)
{
    AppState& st = p.ctx.state;
    if (st.busy || st.abort || p.bilder.anzahl < 1)
        return false;
    st.modified = true;
    const Ausschnitt a = Ausschnitt_Anwenden(roh, Ergebnisgroesse(p));
    if (leerMelden(p, a))
        return false;
    // The images are cut without their markers.
    RefInfo& ref = p.refInfo;
    const bool zeigen = ref.zeigen;
    ref.zeigen = false;
    if (zeigen)
        Alle_Bilder_Bearbeiten(p, Mit_Punkt);
    Alle_Bilder_Bearbeiten(p, [&](ImageEntry& b, int) {
        uebernehmen(p, b, a);
        return false;
    });
    ref.zeigen = zeigen;
    Aktualisiere_Referenzbildnr(p);
    if (st.abort) {
        Abbruch_Behandlung(p);
        return false;
    }
    p.ansicht.zoomIndex = 0;
    Schleife(p, 2);
    return true;
}
