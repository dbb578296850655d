#include "raster/Farbe.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "raster/Byte.h"
#include "raster/RasterImage.h"
#include "raster/Stapel.h"

namespace {

// Runs change over the pixel bytes of every row of von and writes them to the
// same row of nach, which may be von itself; both are open.
template <class Change>
void eachRow(Context& ctx, const RasterSlot& von, const RasterSlot& nach, Change&& change)
{
    ctx.setProgress(von.hoehe - 1, 0);
    const auto bytes = static_cast<size_t>(3 * int64_t{von.breite});
    // The calling thread reads and writes; it and a helper change each batch in
    // between. The read band only ever holds rows not yet written back.
    constexpr int32_t Stapel = 32;
    std::vector<uint8_t> puffer[2] = {std::vector<uint8_t>(Stapel * bytes), std::vector<uint8_t>(Stapel * bytes)};
    const auto zeile = [&](int set, int32_t i) { return puffer[set].data() + bytes * static_cast<size_t>(i); };
    Leseband lesen;
    Schreibband schreiben;
    inBatches(
        von.hoehe, Stapel,
        [&](int32_t y0, int32_t anzahl, int set) {
            for (int32_t i = 0; i < anzahl; ++i)
                std::memcpy(zeile(set, i), lesen.zeile(ctx, von, y0 + i), bytes);
        },
        [&](int32_t, int set, int32_t i) { change(zeile(set, i), static_cast<int64_t>(bytes)); },
        [&](int32_t y0, int32_t anzahl, int set) {
            for (int32_t i = 0; i < anzahl; ++i) {
                std::memcpy(schreiben.zeile(ctx, nach, y0 + i), zeile(set, i), bytes);
                ctx.rowDone(y0 + i);
            }
        });
    schreiben.schreiben();
}

template <class Change>
void eachRowInPlace(Context& ctx, RasterSlot& slot, Change&& change)
{
    if (ctx.state.abort)
        return;
    SlotCloser schliessen(slot);
    OeffneSchreiben(slot);
    eachRow(ctx, slot, slot, change);
}

void saturate(uint8_t* row, int64_t bytes, double f)
{
    for (int64_t i = 0; i < bytes; i += 3) {
        uint8_t* px = row + i;
        const int y = Grauwert(px[2], px[1], px[0]);
        for (int c = 0; c < 3; ++c)
            px[c] = roundByte((px[c] - y) * f + y);
    }
}

}

Farbtabelle GammaTabelle(int32_t position)
{
    const double g = position >= 0 ? position / 25.0 + 1.0 : position / 100.0 + 1.0;
    Farbtabelle t{};
    if (g <= 0.0)
        return t;
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = roundByte(std::pow(i / 255.0, 1.0 / g) * 255.0);
    return t;
}

Farbtabelle HelligkeitTabelle(int32_t position)
{
    Farbtabelle t{};
    for (int v = 0; v < 256; ++v) {
        double neu = v;
        if (position < 0)
            neu = v * (position / 100.0 + 1.0);
        else if (position > 0)
            neu = 255.0 - (255 - v) * ((100 - position) / 100.0);
        t[static_cast<size_t>(v)] = roundByte(neu);
    }
    return t;
}

Farbtabelle KontrastTabelle(int32_t position)
{
    // The factor is kept in single precision, which decides the rounding of the table.
    const float k = static_cast<float>(position / 200.0 + 1.0);
    Farbtabelle t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = roundByte(std::nearbyint((i - 128) * double{k}) + 128.0);
    return t;
}

Farbtabelle Farbtabelle_Folge(const Farbtabelle& erst, const Farbtabelle& dann)
{
    Farbtabelle t{};
    for (size_t i = 0; i < t.size(); ++i)
        t[i] = dann[erst[i]];
    return t;
}

void Farben_Anpassen(Context& ctx, const RasterSlot& quelle, RasterSlot& ziel, const Farbtabelle& tabelle,
                     int32_t saettigung)
{
    if (ctx.state.abort)
        return;
    LegeRasterAn(ctx, ziel, quelle.breite, quelle.hoehe, Anlage::Ueberschreiben);
    const QuelleUndZiel offen(quelle, ziel);
    const double f = (saettigung + 100) / 100.0;
    eachRow(ctx, offen.von, ziel, [&](uint8_t* row, int64_t bytes) {
        for (int64_t i = 0; i < bytes; ++i)
            row[i] = tabelle[row[i]];
        if (saettigung != 0)
            saturate(row, bytes, f);
    });
}

void Invertieren(Context& ctx, ImageEntry& entry, int slot)
{
    eachRowInPlace(ctx, entry.slot[static_cast<size_t>(slot)], [](uint8_t* row, int64_t bytes) {
        for (int64_t i = 0; i < bytes; ++i)
            row[i] = static_cast<uint8_t>(255 - row[i]);
    });
}
