#include "raster/Justieren.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "raster/Abtastung.h"
#include "raster/Farbe.h"
#include "raster/Filter.h"
#include "raster/RasterImage.h"
#include "raster/Referenzmarke.h"
#include "raster/Spiegeln.h"
#include "raster/Uebertragung.h"

namespace {

bool ganzzahlig(double v)
{
    return std::isfinite(v) && v == std::floor(v);
}

// Integer offsets beyond this move every source pixel out of any raster.
int64_t offset(double v)
{
    constexpr double limit = 1e12;
    return static_cast<int64_t>(std::clamp(v, -limit, limit));
}

// Point sampling with one factor for both directions.
void makePreview(Context& ctx, ImageEntry& bild, Groesse vorschau)
{
    RasterSlot& aligned = bild.slot[SlotJustiert];
    RasterSlot& preview = bild.slot[SlotVorschau];
    preview.breite = vorschau.breite;
    preview.hoehe = vorschau.hoehe;
    if (preview.breite > 0)
        Punktabtastung(ctx, aligned, preview, 0, 0, aligned.breite / preview.breite);
    else if (RasterAnlegen(ctx, preview) != Angelegt::Ok)
        throw Abbruch{};
}

}

Bildlage Ermittle_Bildlage(const ImageEntry& bild, const RefInfo& ref, Groesse gemeinsam)
{
    if (bild.refModus)
        return {static_cast<double>(bild.refX), static_cast<double>(bild.refY), static_cast<double>(int64_t{ref.x} - bild.refX),
                static_cast<double>(int64_t{bild.refY} - ref.y)};
    return {gemeinsam.breite / 2.0, gemeinsam.hoehe / 2.0, bild.dx, bild.dy};
}

Matrix4 Vorwaertsmatrix(const ImageEntry& bild, const Bildlage& lage)
{
    return Vorwaertsmatrix(lage, bild.rot, bild.skal, bild.vx, bild.vy);
}

Matrix4 Vorwaertsmatrix(const Bildlage& lage, double rot, double skal, double vx, double vy)
{
    // The factors are appended in reverse order of their action; the minus
    // signs turn "up" and "counter-clockwise" into the downward pixel frame.
    Matrix4 f = Matrix_4_UmZentrum(Matrix4::Einheit(), Matrix_4_DrehungX(vy), lage.cx, lage.cy);
    f = Matrix_4_UmZentrum(f, Matrix_4_DrehungY(vx), lage.cx, lage.cy);
    f = Matrix_4_Produkt(f, Matrix_4_Verschiebung(lage.dx, -lage.dy));
    f = Matrix_4_UmZentrum(f, Matrix_4_Skalierung(skal, skal), lage.cx, lage.cy);
    return Matrix_4_UmZentrum(f, Matrix_4_DrehungZ(-rot), lage.cx, lage.cy);
}

int32_t Vorschaufaktor(Groesse gemeinsam, int bildschirmBreite, int bildschirmHoehe)
{
    const int32_t kx = bildschirmBreite > 0 ? (gemeinsam.breite + 1) / bildschirmBreite : 1;
    const int32_t ky = bildschirmHoehe > 0 ? (gemeinsam.hoehe + 1) / bildschirmHoehe : 1;
    return std::max({1, kx, ky});
}

Groesse Vorschaugroesse(Groesse gemeinsam, int bildschirmBreite, int bildschirmHoehe)
{
    const int32_t k = Vorschaufaktor(gemeinsam, bildschirmBreite, bildschirmHoehe);
    return {gemeinsam.breite / k, gemeinsam.hoehe / k};
}

bool Justiere_Bild(Programm& p, int n)
{
    Context& ctx = p.ctx;
    if (ctx.state.abort || !p.bilder.gueltig(n))
        return false;
    ImageEntry& bild = p.bilder.bild[static_cast<size_t>(n)];
    const Groesse gemeinsam = p.bilder.MaxArbeitskopie();
    auto phase = [&](const char* name) {
        ctx.state.progress.phase = name;
        ctx.throwIfAborted();
    };
    const bool ok = guarded(ctx, [&] {
        phase("J0");
        const Bildlage lage = Ermittle_Bildlage(bild, p.refInfo, gemeinsam);
        phase("J1");
        const Matrix4 f = Vorwaertsmatrix(bild, lage);
        phase("J2");
        const RasterSlot& quelle = bild.slot[SlotArbeitskopie];
        RasterSlot& ziel = bild.slot[SlotJustiert];
        ziel.breite = gemeinsam.breite;
        ziel.hoehe = gemeinsam.hoehe;
        const Farbe& hintergrund = p.compose.Hintergrundfarbe;
        const bool ohneDrehung = bild.rot == 0.0 && bild.vx == 0.0 && bild.vy == 0.0 && bild.skal == 1.0;
        const bool gleicheGroesse = quelle.breite == ziel.breite && quelle.hoehe == ziel.hoehe;
        if (ohneDrehung && lage.dx == 0.0 && lage.dy == 0.0 && gleicheGroesse) {
            TeileRaster(ctx, quelle, ziel);
        } else if (ohneDrehung && ganzzahlig(lage.dx) && ganzzahlig(lage.dy)) {
            Ganzzahlig_Uebertragen(ctx, quelle, ziel, offset(lage.dx), offset(lage.dy), hintergrund);
        } else {
            ResampleOptionen optionen;
            optionen.bikubisch = p.compose.Bikubisch;
            optionen.hintergrund = hintergrund;
            optionen.speicherGrenze = Standard_Speichergrenze();
            const bool vergenz = bild.vx != 0.0 || bild.vy != 0.0;
            Resampeln(ctx, quelle, ziel, Abbildung_Aus(f, vergenz, bild.inversVergenz, ziel.breite, ziel.hoehe),
                      optionen);
        }
        phase("J3");
        if (bild.histo)
            HistogrammStrecken(ctx, bild, SlotJustiert, bild.histoMax);
        if (bild.konturen)
            Konturfilter(ctx, bild, SlotJustiert);
        phase("J4");
        if (bild.filterNr > 0)
            Filter3x3(ctx, bild, SlotJustiert, bild.filterNr - 1);
        phase("J5");
        if (p.refInfo.zeigen && bild.refModus) {
            phase("J6");
            Referenzmarke_Zeichnen(ctx, ziel, static_cast<int32_t>(std::nearbyint(lage.cx + lage.dx)),
                                   static_cast<int32_t>(std::nearbyint(lage.cy - lage.dy)), p.refInfo.groesse);
        }
        phase("J7");
        BildSpiegeln(ctx, ziel, bild.spiegelX, bild.spiegelY);
        phase("J8");
        ctx.state.progress.phase = "M2";
        makePreview(ctx, bild, Vorschaugroesse(gemeinsam, ctx.state.screenWidth, ctx.state.screenHeight));
    });
    // A half-made aligned raster must not pass for a finished one at the next run.
    if (!ok) {
        bild.slot[SlotJustiert].breite = 0;
        bild.slot[SlotJustiert].hoehe = 0;
    }
    return ok;
}
