#include "imageio/Jpeg.h"

// jpeglib.h needs the standard types declared first.
#include <cstddef>
#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>
#include <jerror.h>

#include "imageio/Arbeitskopie.h"
#include "imageio/Datei.h"
#include "imageio/Grenzen.h"
#include "imageio/Schreiben.h"
#include "imageio/Tiff.h"
#include "raster/RasterImage.h"

namespace {

using Sprache::MeldungNr;
using Sprache::Titel;

// libjpeg reports a fatal error by calling error_exit, which must not return:
// it jumps back to the setjmp of geschuetzt, around every call of the library.
struct Fehlerbehandlung {
    jpeg_error_mgr pub;
    std::jmp_buf sprung;
};

[[noreturn]] void fehlerAusgang(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Fehlerbehandlung*>(info->err)->sprung, 1);
}

// Runs calls of the library; false when it failed. The jump lands in this
// frame, which stays active while they run, and skips only C frames.
template <class Aufruf>
bool geschuetzt(Fehlerbehandlung& fehler, const Aufruf& aufruf)
{
    if (setjmp(fehler.sprung))
        return false;
    return aufruf();
}

// Warnings about the data are failures: libjpeg would go on with grey or
// wrong pixels where data are missing or damaged. Only bytes skipped between
// segments after complete data, and a newer JFIF version, leave every pixel
// as it was coded.
void meldung(j_common_ptr info, int stufe)
{
    const int code = info->err->msg_code;
    if (stufe < 0 && code != JWRN_EXTRANEOUS_DATA && code != JWRN_JFIF_MAJOR)
        fehlerAusgang(info);
}

struct Dekoder {
    jpeg_decompress_struct info{};
    Fehlerbehandlung fehler{};
    FILE* datei = nullptr;
    bool erzeugt = false;

    Dekoder(const Dekoder&) = delete;
    Dekoder& operator=(const Dekoder&) = delete;
    explicit Dekoder(const std::string& pfad) : datei(std::fopen(pfad.c_str(), "rb"))
    {
        info.err = jpeg_std_error(&fehler.pub);
        fehler.pub.error_exit = fehlerAusgang;
        fehler.pub.emit_message = meldung;
    }
    ~Dekoder()
    {
        if (erzeugt)
            jpeg_destroy_decompress(&info);
        if (datei)
            std::fclose(datei);
    }
};

bool kopfLesen(Dekoder& d)
{
    return d.datei && geschuetzt(d.fehler, [&] {
        jpeg_create_decompress(&d.info);
        d.erzeugt = true;
        d.info.mem->max_memory_to_use = static_cast<long>(LeseGrenzen().maxJpegSpeicher);
        jpeg_stdio_src(&d.info, d.datei);
        jpeg_read_header(&d.info, TRUE);
        // Every later stage needs blue, green, red; CMYK is converted here.
        const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
        d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
        jpeg_calc_output_dimensions(&d.info);
        return true;
    });
}

// The decoder allocates its buffers here, and reads every scan of a
// progressive file.
bool starten(Dekoder& d)
{
    return geschuetzt(d.fehler, [&] {
        jpeg_start_decompress(&d.info);
        return true;
    });
}

bool zuVielSpeicher(const Dekoder& d)
{
    return d.fehler.pub.msg_code == JERR_NO_BACKING_STORE || d.fehler.pub.msg_code == JERR_OUT_OF_MEMORY;
}

struct Kodierer {
    jpeg_compress_struct info{};
    Fehlerbehandlung fehler{};
    bool erzeugt = false;

    Kodierer()
    {
        info.err = jpeg_std_error(&fehler.pub);
        fehler.pub.error_exit = fehlerAusgang;
        fehler.pub.emit_message = meldung;
    }
    Kodierer(const Kodierer&) = delete;
    Kodierer& operator=(const Kodierer&) = delete;
    ~Kodierer()
    {
        if (erzeugt)
            jpeg_destroy_compress(&info);
    }
};

bool kodierenBeginnen(Kodierer& k, FILE* ziel, JDIMENSION breite, JDIMENSION hoehe, const std::vector<uint8_t>& app2)
{
    return geschuetzt(k.fehler, [&] {
        jpeg_create_compress(&k.info);
        k.erzeugt = true;
        jpeg_stdio_dest(&k.info, ziel);
        k.info.image_width = breite;
        k.info.image_height = hoehe;
        k.info.input_components = 3;
        k.info.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&k.info);
        jpeg_set_quality(&k.info, 98, TRUE);
        jpeg_start_compress(&k.info, TRUE);
        if (!app2.empty())
            jpeg_write_marker(&k.info, JPEG_APP0 + 2, app2.data(), static_cast<unsigned>(app2.size()));
        return true;
    });
}

}

Ladeergebnis JPEG_Lesen(Context& ctx, const std::string& datei, RasterSlot& ziel)
{
    const auto fehler = [&] {
        ctx.message(Titel::Fehler, MitDatei(Sprache::Meldung(MeldungNr::BildLadeFehler), datei, false));
        return Ladeergebnis::Fehler;
    };
    Dekoder d(datei);
    if (!kopfLesen(d))
        return fehler();
    const auto breite = static_cast<int32_t>(d.info.output_width);
    const bool cmyk = d.info.out_color_space == JCS_CMYK;
    // Adobe's CMYK JPEGs store every ink inverted.
    const bool invertiert = cmyk && d.info.saw_Adobe_marker;
    // The claimed size meets the raster limits before the decoder allocates for it.
    if (const Ladeergebnis r = ArbeitskopieAnlegen(ctx, ziel, breite, static_cast<int32_t>(d.info.output_height));
        r != Ladeergebnis::Ok)
        return r;
    if (!starten(d)) {
        std::remove(ziel.pfad.c_str());
        if (zuVielSpeicher(d))
            ctx.message(Titel::Fehler, Sprache::JpegZuVielSpeicher);
        return fehler();
    }
    std::vector<uint8_t> tinte(cmyk ? static_cast<size_t>(breite) * 4 : 0);
    bool dekodiert = true;
    const Ladeergebnis r = ArbeitskopieFuellen(ctx, ziel, false, [&](int32_t, uint8_t* zeile) {
        JSAMPROW z = cmyk ? tinte.data() : zeile;
        dekodiert = geschuetzt(d.fehler, [&] { return jpeg_read_scanlines(&d.info, &z, 1) == 1; });
        if (!dekodiert)
            return false;
        for (int32_t x = 0; cmyk && x < breite; ++x) {
            uint8_t* t = &tinte[static_cast<size_t>(x) * 4];
            if (invertiert)
                for (int i = 0; i < 4; ++i)
                    t[i] = static_cast<uint8_t>(255 - t[i]);
            CMYK_to_RGB(t[0], t[1], t[2], t[3], zeile[3 * x + 2], zeile[3 * x + 1], zeile[3 * x]);
        }
        return true;
    });
    const auto abschliessen = [&] {
        jpeg_finish_decompress(&d.info);
        return true;
    };
    if (r == Ladeergebnis::Ok && geschuetzt(d.fehler, abschliessen))
        return Ladeergebnis::Ok;
    if (!dekodiert || r == Ladeergebnis::Ok) {
        std::remove(ziel.pfad.c_str());
        return fehler();
    }
    return r;
}

bool JPEG_Kodieren(Context& ctx, int32_t breite, int32_t hoehe, FILE* ziel, const std::vector<uint8_t>& app2,
                   const std::function<const uint8_t*(int32_t y)>& zeile)
{
    if (breite < 1 || hoehe < 1 || breite > JPEG_MAX_DIMENSION || hoehe > JPEG_MAX_DIMENSION)
        return false;
    Kodierer k;
    if (!kodierenBeginnen(k, ziel, static_cast<JDIMENSION>(breite), static_cast<JDIMENSION>(hoehe), app2))
        return false;
    try {
        ctx.setProgress(hoehe - 1, 0);
        for (int32_t y = 0; y < hoehe; ++y) {
            // The library only reads the row it is given.
            JSAMPROW z = const_cast<uint8_t*>(zeile(y));
            if (!geschuetzt(k.fehler, [&] { return jpeg_write_scanlines(&k.info, &z, 1) == 1; }))
                return false;
            ctx.rowDone(y);
        }
    } catch (const Abbruch&) {
        return false;
    }
    return geschuetzt(k.fehler, [&] {
        jpeg_finish_compress(&k.info);
        return true;
    });
}

bool JPEG_Kodieren(Context& ctx, const RasterSlot& von, FILE* ziel, const std::vector<uint8_t>& app2)
{
    RasterSlot quelle = von;
    SlotCloser schliessen(quelle);
    Leseband band;
    try {
        OeffneLesen(quelle);
    } catch (const Abbruch&) {
        return false;
    }
    return JPEG_Kodieren(ctx, quelle.breite, quelle.hoehe, ziel, app2,
                         [&](int32_t y) { return band.zeile(ctx, quelle, y); });
}

bool JPEG_Schreiben(Context& ctx, const std::string& datei, const RasterSlot& quelle)
{
    return DateiSchreiben(ctx, datei, MeldungNr::JpgSpeicherFehler,
                          [&](ZielDatei& ziel) { return JPEG_Kodieren(ctx, quelle, ziel.datei(), {}); });
}
