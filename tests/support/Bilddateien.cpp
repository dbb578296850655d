#include "Bilddateien.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

void writeBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void musterRgb(int x, int y, uint8_t rgb[3])
{
    rgb[0] = static_cast<uint8_t>(x * 40 + y);
    rgb[1] = static_cast<uint8_t>(y * 50 + 7);
    rgb[2] = static_cast<uint8_t>((x + y) * 30);
}

namespace {

struct Out {
    bool big;
    Bytes b;
    void u8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); }
    // The n low bytes of v in the file's byte order.
    void un(uint32_t v, int n)
    {
        for (int k = 0; k < n; ++k)
            u8(v >> (8 * (big ? n - 1 - k : k)));
    }
    void u16(uint32_t v) { un(v, 2); }
    void u32(uint32_t v) { un(v, 4); }
    void put32(size_t at, uint32_t v)
    {
        Out o{big, {}};
        o.u32(v);
        std::copy(o.b.begin(), o.b.end(), b.begin() + static_cast<long>(at));
    }
};

}

Bytes tiffBytes(const TiffAufbau& s)
{
    Out o{s.bigEndian, {}};
    o.u8(s.bigEndian ? 'M' : 'I');
    o.u8(s.bigEndian ? 'M' : 'I');
    o.u16(42);
    o.u32(0);
    Bytes pixels = s.pixels;
    if (pixels.empty()) {
        for (uint32_t y = 0; y < s.height; ++y)
            for (uint32_t x = 0; x < s.width; ++x) {
                uint8_t rgb[3];
                musterRgb(static_cast<int>(x), static_cast<int>(y), rgb);
                for (uint16_t k = 0; k < s.samples; ++k)
                    pixels.push_back(k < 3 ? rgb[k] : static_cast<uint8_t>(0x55));
            }
    }
    const uint32_t rowBytes = s.width * s.samples;
    const uint32_t rps = s.rowsPerStrip == 0 ? std::max(s.height, 1u) : s.rowsPerStrip;
    std::vector<uint32_t> offsets;
    // Strips are written last-first so that the table really has to be followed.
    const uint32_t strips = std::max(1u, (s.height + rps - 1) / rps);
    offsets.resize(strips);
    for (uint32_t k = strips; k-- > 0;) {
        offsets[k] = static_cast<uint32_t>(o.b.size());
        const uint32_t first = k * rps;
        const uint32_t last = std::min(s.height, first + rps);
        o.b.insert(o.b.end(), pixels.begin() + first * rowBytes, pixels.begin() + last * rowBytes);
    }
    if (o.b.size() % 2)
        o.u8(0);
    const auto at = [&] { return static_cast<uint32_t>(o.b.size()); };
    const uint32_t bitsAt = at();
    for (uint16_t k = 0; k < s.samples; ++k)
        o.u16(s.bits);
    const uint32_t xAt = at();
    o.u32(s.xNum);
    o.u32(s.xDen);
    const uint32_t yAt = at();
    o.u32(s.yNum);
    o.u32(s.yDen);
    const uint32_t swAt = at();
    for (char c : s.software)
        o.u8(static_cast<uint8_t>(c));
    o.u8(0);
    const uint32_t dtAt = at();
    for (char c : s.dateTime)
        o.u8(static_cast<uint8_t>(c));
    o.u8(0);
    uint32_t tableAt = 0;
    if (strips > 1) {
        if (o.b.size() % 2)
            o.u8(0);
        tableAt = at();
        for (uint32_t off : offsets) {
            if (s.stripOffsetType == 3)
                o.u16(off);
            else
                o.u32(off);
        }
    }
    if (o.b.size() % 2)
        o.u8(0);
    const uint32_t ifd = at();
    o.put32(4, ifd);
    struct E {
        uint16_t tag, type;
        uint32_t count, value;
    };
    std::vector<E> e;
    e.push_back({256, 4, 1, s.width});
    e.push_back({257, 3, 1, s.height});
    e.push_back({258, 3, s.samples, bitsAt});
    e.push_back({259, 3, 1, s.compression});
    e.push_back({262, 3, 1, s.photometric});
    e.push_back({273, strips > 1 ? s.stripOffsetType : uint16_t{4}, strips, strips > 1 ? tableAt : offsets[0]});
    e.push_back({277, 3, 1, s.samples});
    if (s.withRowsPerStrip)
        e.push_back({278, 3, 1, rps});
    e.push_back({279, 4, 1, rowBytes * s.height});
    if (s.withXResolution)
        e.push_back({282, 5, 1, xAt});
    e.push_back({283, 5, 1, yAt});
    e.push_back({296, 3, 1, s.resolutionUnit});
    e.push_back({305, 2, static_cast<uint32_t>(s.software.size() + 1), swAt});
    e.push_back({306, 2, static_cast<uint32_t>(s.dateTime.size() + 1), dtAt});
    if (s.inkSet)
        e.push_back({332, 3, 1, s.inkSet});
    o.u16(static_cast<uint32_t>(e.size()));
    for (const E& x : e) {
        o.u16(x.tag);
        o.u16(x.type);
        o.u32(x.count);
        if (x.tag == 273 && x.type == 3 && x.count == 2) {
            // Two SHORT offsets fit the value field itself.
            o.u16(offsets[0]);
            o.u16(offsets[1]);
        } else if (x.type == 3 && x.count == 1) {
            o.u16(x.value);
            o.u16(0);
        } else {
            o.u32(x.value);
        }
    }
    o.u32(0);
    return o.b;
}

Bytes tgaBytes(int width, int height, uint8_t descriptor)
{
    Bytes b(18, 0);
    b[2] = 2;
    b[12] = static_cast<uint8_t>(width);
    b[13] = static_cast<uint8_t>(width >> 8);
    b[14] = static_cast<uint8_t>(height);
    b[15] = static_cast<uint8_t>(height >> 8);
    b[16] = 24;
    b[17] = descriptor;
    for (int k = 0; k < height; ++k) {
        const int y = descriptor == 0x20 ? k : height - 1 - k;
        for (int x = 0; x < width; ++x) {
            uint8_t rgb[3];
            musterRgb(x, y, rgb);
            b.push_back(rgb[2]);
            b.push_back(rgb[1]);
            b.push_back(rgb[0]);
        }
    }
    return b;
}

Bytes libjpegBytes(J_COLOR_SPACE raum, int komponenten, bool progressiv, bool unterabtastung, int w,
                                  int h, const std::function<void(int y, uint8_t* zeile)>& zeile)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr fehler{};
    c.err = jpeg_std_error(&fehler);
    unsigned char* daten = nullptr;
    unsigned long groesse = 0;
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &daten, &groesse);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = komponenten;
    c.in_color_space = raum;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    if (progressiv)
        jpeg_simple_progression(&c);
    for (int k = 0; k < komponenten && !unterabtastung; ++k)
        c.comp_info[k].h_samp_factor = c.comp_info[k].v_samp_factor = 1;
    jpeg_start_compress(&c, TRUE);
    Bytes puffer(static_cast<size_t>(w * komponenten));
    for (int y = 0; y < h; ++y) {
        zeile(y, puffer.data());
        JSAMPROW r = puffer.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    Bytes b(daten, daten + groesse);
    std::free(daten);
    return b;
}

Bytes besondereJpeg(J_COLOR_SPACE raum, bool progressiv, int w, int h)
{
    const int komponenten = raum == JCS_GRAYSCALE ? 1 : raum == JCS_CMYK ? 4 : 3;
    return libjpegBytes(raum, komponenten, progressiv, true, w, h, [&](int y, uint8_t* zeile) {
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < komponenten; ++k) {
                const auto v = static_cast<uint8_t>((x * 16 + y * 8) & 255);
                // CMYK: no ink but K = v, stored inverted.
                zeile[x * komponenten + k] = raum == JCS_CMYK ? static_cast<uint8_t>(k == 3 ? 255 - v : 255) : v;
            }
    });
}
