#include "raster/Drehen.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "raster/RasterImage.h"

void Vierteldrehung(Context& ctx, const RasterSlot& von, RasterSlot& nach)
{
    const int32_t breite = von.breite;
    const int32_t hoehe = von.hoehe;
    LegeRasterAn(ctx, nach, hoehe, breite, Anlage::Ueberschreiben);
    const QuelleUndZiel offen(von, nach);
    // A band of target rows is a band of source columns: every source row
    // gives one piece of it, so the source is read once in all.
    const int64_t zeileBytes = 3 * int64_t{hoehe};
    const int32_t band = static_cast<int32_t>(std::clamp<int64_t>((int64_t{64} << 20) / zeileBytes, 1, breite));
    std::vector<uint8_t> puffer(static_cast<size_t>(band * zeileBytes));
    Zeile stueck;
    Schreibband schreiben;
    ctx.setProgress(breite - 1, 0);
    for (int32_t j0 = 0; j0 < breite; j0 += band) {
        const int32_t k = std::min(band, breite - j0);
        for (int32_t y = 0; y < hoehe; ++y) {
            if (!stueck.binden(offen.von.datei, ZeilenOffset(breite, hoehe, y) + 3 * int64_t{j0},
                               static_cast<size_t>(3 * k), nullptr, true))
                throw Abbruch{};
            const uint8_t* q = stueck.daten();
            uint8_t* spalte = puffer.data() + 3 * int64_t{hoehe - 1 - y};
            for (int32_t i = 0; i < k; ++i)
                std::memcpy(spalte + i * zeileBytes, q + 3 * i, 3);
            ctx.rowDone(j0);
        }
        for (int32_t i = 0; i < k; ++i) {
            std::memcpy(schreiben.zeile(ctx, nach, j0 + i), puffer.data() + i * zeileBytes, static_cast<size_t>(zeileBytes));
            ctx.rowDone(j0 + i);
        }
    }
}
