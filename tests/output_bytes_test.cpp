// Every preview mode, lens kind, resizer and output format rendered from the
// same generated photos through the path of `lumivex render` (project opened,
// pipeline run, colour-adjusted result saved), each file compared with the
// checksum of the bytes it had when these renders were first recorded. A
// change to how rasters are moved must leave every one of them as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "commands/Bilder.h"
#include "commands/Liste.h"
#include "commands/Projekt.h"
#include "compose/Pipeline.h"
#include "model/ProjectFile.h"
#include "raster/Justieren.h"
#include "support/Bilddateien.h"
#include "support/Bytes.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

// The date and time a TIFF file records ("2024:05:06 07:08:09") stands as zeros.
void ohneZeitstempel(Bytes& bytes)
{
    const std::string muster = "dddd:dd:dd dd:dd:dd";
    for (size_t i = 0; i + muster.size() <= bytes.size(); ++i) {
        size_t k = 0;
        while (k < muster.size()
               && (muster[k] == 'd' ? bytes[i + k] >= '0' && bytes[i + k] <= '9' : bytes[i + k] == muster[k]))
            ++k;
        if (k == muster.size())
            for (k = 0; k < muster.size(); ++k)
                bytes[i + k] = muster[k] == 'd' ? '0' : bytes[i + k];
    }
}

// FNV-1a over a file's bytes, as 16 hex digits; "fehlt" for a missing file.
std::string pruefsumme(const fs::path& datei)
{
    if (!fs::exists(datei))
        return "fehlt";
    Bytes bytes = readFile(datei);
    ohneZeitstempel(bytes);
    uint64_t h = 0xcbf29ce484222325ULL;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// A photograph stand-in: smooth gradients, stripes of several widths and
// noise, different for every image k, so that every resampler sees detail.
PixelFn foto(int k, int w, int h)
{
    return [=](int x, int y, uint8_t px[3]) {
        uint32_t n = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u
            ^ static_cast<uint32_t>(k) * 83492791u;
        n = (n * 2654435761u) >> 26;  // 0..63
        const int streifen = ((x + 3 * k) / (2 + k % 3) + y / 5) % 2 == 0 ? 40 : 0;
        px[0] = static_cast<uint8_t>(x * 200 / w + static_cast<int>(n) / 2);
        px[1] = static_cast<uint8_t>(y * 180 / h + streifen + k * 9);
        px[2] = static_cast<uint8_t>((x + y) * 150 / (w + h) + static_cast<int>(n) + 30 * (k % 2));
    };
}

struct Bild {
    int breite, hoehe;
    // A header as other programs write it: resolution fields set and two bytes after the pixels.
    bool fremderKopf = false;
};

// One render: the project's images, the settings changed after opening, the
// mode it is composed in and the formats it is saved in.
struct Fall {
    std::string name;
    int modus;
    std::function<void(Programm&)> einstellen = {};
    std::vector<std::string> formate{"BMP"};
};

// The checksums recorded; a case missing here fails.
const std::map<std::string, std::string> Erwartet = {
    {"Anaglyph-0-0/BMP", "b7b675f47a371234"},
    {"Anaglyph-0-0/Vorschau", "acefbda1860e7051"},
    {"Anaglyph-0-1/BMP", "b7b675f47a371234"},
    {"Anaglyph-0-1/Vorschau", "acefbda1860e7051"},
    {"Anaglyph-0-2/BMP", "b7b675f47a371234"},
    {"Anaglyph-0-2/Vorschau", "acefbda1860e7051"},
    {"Anaglyph-1-0/BMP", "351a11ea112f52d5"},
    {"Anaglyph-1-0/Vorschau", "58d23c452b8bad47"},
    {"Anaglyph-1-1/BMP", "2853343351d8f37e"},
    {"Anaglyph-1-1/Vorschau", "32b85fc2579b69b5"},
    {"Anaglyph-1-2/BMP", "72a6a5475f494675"},
    {"Anaglyph-1-2/Vorschau", "3e362cbee19530bf"},
    {"Anaglyph-2-0/BMP", "a9146841be8f2641"},
    {"Anaglyph-2-0/Vorschau", "1dcf6183d2c7dc2a"},
    {"Anaglyph-2-1/BMP", "da936436901d387f"},
    {"Anaglyph-2-1/Vorschau", "57e7d064b461ddea"},
    {"Anaglyph-2-2/BMP", "2eebd98c8f693258"},
    {"Anaglyph-2-2/Vorschau", "ba7122e757e46bc0"},
    {"Anaglyph-3-0/BMP", "1a4e4e4c820bfb75"},
    {"Anaglyph-3-0/Vorschau", "74ac660cede4f051"},
    {"Anaglyph-3-1/BMP", "6f717bd64652027b"},
    {"Anaglyph-3-1/Vorschau", "324d49f07b1afc8d"},
    {"Anaglyph-3-2/BMP", "c433ab01dccd3984"},
    {"Anaglyph-3-2/Vorschau", "271595fe48ffd149"},
    {"Anaglyph-4-0/BMP", "416a507181de9c4a"},
    {"Anaglyph-4-0/Vorschau", "7fb48e88da513e2d"},
    {"Anaglyph-4-1/BMP", "2ba8467362fd76c9"},
    {"Anaglyph-4-1/Vorschau", "f0492e2dc79219a3"},
    {"Anaglyph-4-2/BMP", "7fed4493c6ab5222"},
    {"Anaglyph-4-2/Vorschau", "061d1fbf597da07d"},
    {"Anaglyph-5-0/BMP", "e14ceb229f896fb4"},
    {"Anaglyph-5-0/Vorschau", "d36ef053ea57f753"},
    {"Anaglyph-5-1/BMP", "5dc3a023e09eee49"},
    {"Anaglyph-5-1/Vorschau", "7e3a0be3ad8382d9"},
    {"Anaglyph-5-2/BMP", "9779173fac42a467"},
    {"Anaglyph-5-2/Vorschau", "d859101236234bb9"},
    {"Anaglyph-6-0/BMP", "776dc1bad9fea8be"},
    {"Anaglyph-6-0/Vorschau", "b2879702e77ca202"},
    {"Anaglyph-6-1/BMP", "492f4732d4b48653"},
    {"Anaglyph-6-1/Vorschau", "b59d128f5ce5c4bc"},
    {"Anaglyph-6-2/BMP", "581f26162a919f50"},
    {"Anaglyph-6-2/Vorschau", "5c0365ef5ef6efd7"},
    {"Anaglyph-Hintergrund/BMP", "9c39e61d41b9400c"},
    {"Anaglyph-Hintergrund/Vorschau", "3d679eb4ae76dd53"},
    {"Anaglyph-gleichesBild/BMP", "d155131f28f213a1"},
    {"Anaglyph-gleichesBild/Vorschau", "884ee19f7085f486"},
    {"Breit-3D-Bikubisch/BMP", "ff22b6e3105bb206"},
    {"Breit-3D-Bikubisch/Vorschau", "e529e20cf001c9a8"},
    {"Breit-3D-Naechster/BMP", "dc88c5c1416cf433"},
    {"Breit-3D-Naechster/Vorschau", "ec61e7cc755c3c74"},
    {"Breit-Flip-Bikubisch/BMP", "3111c33ec3482581"},
    {"Breit-Flip-Bikubisch/Vorschau", "bff54a85027146f7"},
    {"Viele-Bytes/BMP", "04d5b01ec6d68d9e"},
    {"Viele-Bytes/Vorschau", "603c2fd3f4d65b56"},
    {"Einzeln-nachher/BMP", "88047e1948daaad2"},
    {"Einzeln-nachher/Vorschau", "74546d34926cce6d"},
    {"Einzeln-neu/BMP", "88047e1948daaad2"},
    {"Einzeln-neu/Vorschau", "74546d34926cce6d"},
    {"Einzeln-vorher/BMP", "8176face6cd77c11"},
    {"Einzeln-vorher/Vorschau", "30bb67485defc5ad"},
    {"Farbe-Linse/BMP", "12e0eec0d83c9986"},
    {"Farbe-Linse/Vorschau", "2aafa55a3da95e13"},
    {"Farbe-alle/BMP", "c504eed409dc058d"},
    {"Farbe-alle/TIF", "f58b5971fe640850"},
    {"Farbe-alle/Vorschau", "ecfc97fb729a992c"},
    {"Farbe-neutral/BMP", "8d2a0c3da379b683"},
    {"Farbe-neutral/Vorschau", "cf34b925b102ee59"},
    {"Farbe-zurueck/BMP", "8d2a0c3da379b683"},
    {"Farbe-zurueck/Vorschau", "cf34b925b102ee59"},
    {"Formate-Anaglyph/BMP", "8d2a0c3da379b683"},
    {"Formate-Anaglyph/JPG", "467b1ed5d5bd7360"},
    {"Formate-Anaglyph/MPO", "73c30b795f65043a"},
    {"Formate-Anaglyph/TGA", "aace9fb8e0568888"},
    {"Formate-Anaglyph/TIF", "7217c7eeec1f0e06"},
    {"Formate-Anaglyph/TIF_CMYK", "78a0f6a8b0c2ea1e"},
    {"Formate-Anaglyph/Vorschau", "cf34b925b102ee59"},
    {"Formate-Bild/BMP", "e45da90d8f4283b1"},
    {"Formate-Bild/JPG", "55c729eb74747236"},
    {"Formate-Bild/MPO", "73c30b795f65043a"},
    {"Formate-Bild/TGA", "1c62bcb551b96d3e"},
    {"Formate-Bild/TIF", "edcd059d81977aa4"},
    {"Formate-Bild/TIF_CMYK", "595e259e5ddc451f"},
    {"Formate-Bild/Vorschau", "64c96094c54a5ee6"},
    {"Gross-Anaglyph/BMP", "10c230f58417ccba"},
    {"Gross-Anaglyph/Vorschau", "b1e27392e3b2b3a1"},
    {"Gross-Bild/BMP", "80620bd5100c6398"},
    {"Gross-Bild/Vorschau", "97ffcd63a3712d6e"},
    {"Gross-Linse-Naechster/BMP", "6b9f11215cb463be"},
    {"Gross-Linse-Naechster/Vorschau", "706c19e55260cefb"},
    {"Gross-Linse/BMP", "10d45d15f287387a"},
    {"Gross-Linse/Vorschau", "cb1714b85f5202b2"},
    {"Justiert-Anaglyph/BMP", "0a3751be677da77d"},
    {"Justiert-Anaglyph/Vorschau", "de4d5d0426b4268b"},
    {"Justiert-Filter/BMP", "bf7fe84079127020"},
    {"Justiert-Filter/Vorschau", "44f05ff7485f3612"},
    {"Justiert-Linse/BMP", "a95f46a2d9007cbe"},
    {"Justiert-Linse/Vorschau", "93bad14ac5bb7480"},
    {"Justiert-Naechster/BMP", "bcf2023d2b906cb2"},
    {"Justiert-Naechster/Vorschau", "41fe14e583e3f1a7"},
    {"Justiert-Vergenz/BMP", "da6a97b4996854f5"},
    {"Justiert-Vergenz/Vorschau", "26170c8ca470b710"},
    {"Linse-3D-k0-a0/BMP", "3bd055d772257647"},
    {"Linse-3D-k0-a0/Vorschau", "b8320ad219545094"},
    {"Linse-3D-k0-a1/BMP", "3fb4b48815651a18"},
    {"Linse-3D-k0-a1/Vorschau", "6ce444cfbd3edb04"},
    {"Linse-3D-k0-a2/BMP", "f77a7b6a2572f9e4"},
    {"Linse-3D-k0-a2/Vorschau", "323041a353096782"},
    {"Linse-3D-k1-a0/BMP", "a24b9c6a807b793d"},
    {"Linse-3D-k1-a0/Vorschau", "aec0145dce4ff9b2"},
    {"Linse-3D-k1-a1/BMP", "f3fa4db0b17b2147"},
    {"Linse-3D-k1-a1/Vorschau", "ee5d23bcbd17ef6b"},
    {"Linse-3D-k1-a2/BMP", "5185418fb7122da8"},
    {"Linse-3D-k1-a2/Vorschau", "75744b5eaf389af2"},
    {"Linse-3D-k2-a0/BMP", "30a1c9c779f452de"},
    {"Linse-3D-k2-a0/Vorschau", "5fdc42f53447438b"},
    {"Linse-3D-k2-a1/BMP", "f4cadcb8ce7b8f72"},
    {"Linse-3D-k2-a1/Vorschau", "9b9bd958b77e7405"},
    {"Linse-3D-k2-a2/BMP", "d1d1bfc9e853882e"},
    {"Linse-3D-k2-a2/Vorschau", "3c40490a7e4851eb"},
    {"Linse-Drucker/BMP", "80d44f049fd458a9"},
    {"Linse-Drucker/Vorschau", "9b4321e8c7299a7b"},
    {"Linse-Flip-k0-a0/BMP", "a4dacf6d377ef06e"},
    {"Linse-Flip-k0-a0/Vorschau", "0baa4313a18e1865"},
    {"Linse-Flip-k0-a1/BMP", "d8be47d9c9beda67"},
    {"Linse-Flip-k0-a1/Vorschau", "11e5155add2e533a"},
    {"Linse-Flip-k0-a2/BMP", "484ff5d57d1550a7"},
    {"Linse-Flip-k0-a2/Vorschau", "fb31469e5a490802"},
    {"Linse-Flip-k1-a0/BMP", "229036d185242192"},
    {"Linse-Flip-k1-a0/Vorschau", "b26a6331221249e2"},
    {"Linse-Flip-k1-a1/BMP", "d2326fe6d12eb318"},
    {"Linse-Flip-k1-a1/Vorschau", "cbfc590d94d10021"},
    {"Linse-Flip-k1-a2/BMP", "d3157ac30c1098d1"},
    {"Linse-Flip-k1-a2/Vorschau", "4cd18f7435abca1a"},
    {"Linse-Flip-k2-a0/BMP", "61944c4690b30fb4"},
    {"Linse-Flip-k2-a0/Vorschau", "e7e886dd9db0150f"},
    {"Linse-Flip-k2-a1/BMP", "ae728d334b14e4b8"},
    {"Linse-Flip-k2-a1/Vorschau", "93629b9c4413d6fb"},
    {"Linse-Flip-k2-a2/BMP", "707feb7b4c4881d5"},
    {"Linse-Flip-k2-a2/Vorschau", "b2a006ee88aa2fe2"},
    {"Projekt-Modus0/BMP", "nicht gespeichert"},
    {"Projekt-Modus0/Vorschau", "c1d4f978826c31b9"},
    {"Projekt-Modus1/BMP", "4a0b19e08db0d1f1"},
    {"Projekt-Modus1/Vorschau", "deebb5d4bde2eef2"},
    {"Projekt-Modus2/BMP", "516852a4d65a01cc"},
    {"Projekt-Modus2/Vorschau", "c1d4f978826c31b9"},
    {"Projekt-Modus3/BMP", "72a6a5475f494675"},
    {"Projekt-Modus3/Vorschau", "3e362cbee19530bf"},
    {"Projekt-Modus4/BMP", "3576768f615d59dc"},
    {"Projekt-Modus4/Vorschau", "7eb55ccfd57193ad"},
    {"Projekt-Modus5/BMP", "8176face6cd77c11"},
    {"Projekt-Modus5/Vorschau", "30bb67485defc5ad"},
    {"Projekt-Modus6/BMP", "00cdc418d5c54f24"},
    {"Projekt-Modus6/Vorschau", "00cdc418d5c54f24"},
    {"Stereo-Pixel/BMP", "c6319c1c7a521fdd"},
    {"Stereo-Pixel/Vorschau", "fb93d11f3c10d5bd"},
    {"Stereo-Vorgabe/BMP", "2bb18c3c434ad617"},
    {"Stereo-Vorgabe/Vorschau", "27a6dde6a0034b7e"},
    {"Stereo-gestaucht/BMP", "1786965332539c41"},
    {"Stereo-gestaucht/Vorschau", "c10e81ea996fc0f6"},
    {"Streifen-Spalten/BMP", "f929998ebccb7e3b"},
    {"Streifen-Spalten/Vorschau", "f929998ebccb7e3b"},
    {"Streifen-Zeilen/BMP", "bf53ca880c7918e3"},
    {"Streifen-Zeilen/Vorschau", "c992bcdb5c23258b"},
};

struct OutputBytesTest : Programmumgebung {
    fs::path ordner = t.files.tempFolder();
    std::map<std::string, std::string> gemessen;

    OutputBytesTest()
    {
        // A small screen and preview box, so that the preview rasters are samples too.
        p.ctx.state.screenWidth = 50;
        p.ctx.state.screenHeight = 40;
        p.ansicht.boxBreite = 90;
        p.ansicht.boxHoehe = 70;
    }

    void fotos(const std::vector<Bild>& bilder, const std::function<void(ProjektDaten&)>& projekt = {})
    {
        ProjektDaten d;
        d.vorschau = VorschauKeine;
        d.comboA = 0;
        d.comboB = 1;
        for (size_t i = 0; i < bilder.size(); ++i) {
            const Bild& b = bilder[i];
            const int k = static_cast<int>(i) + 1;
            ProjektBild pb;
            pb.pfad = (ordner / ("foto" + std::to_string(k) + ".bmp")).string();
            pb.breite = b.breite;
            pb.hoehe = b.hoehe;
            writeBmp(pb.pfad, b.breite, b.hoehe, foto(k, b.breite, b.hoehe));
            if (b.fremderKopf) {
                Bytes bytes = readFile(pb.pfad);
                for (size_t at : {38u, 42u}) {
                    bytes[at] = 0x13;
                    bytes[at + 1] = 0x0B;
                }
                bytes.push_back(0);
                bytes.push_back(0);
                writeBytes(pb.pfad, bytes);
            }
            d.bilder.push_back(pb);
        }
        if (projekt)
            projekt(d);
        writeBytes(ordner / "projekt.lvx", ProjektKodieren(d));
    }

    // Composes in the case's mode after its settings, with every image aligned again.
    void rechnen(const Fall& fall)
    {
        if (fall.einstellen)
            fall.einstellen(p);
        for (int n = 1; n <= p.bilder.anzahl; ++n)
            ASSERT_TRUE(Justiere_Bild(p, n)) << fall.name;
        VorschauRadioGroupClick(p, fall.modus);
    }

    // The saved files and the preview raster of the current result.
    void festhalten(const std::string& name, const std::vector<std::string>& formate)
    {
        for (const std::string& format : formate) {
            const fs::path datei = ordner / ("ergebnis." + format);
            fs::remove(datei);
            const bool ok = BildspeichernUnter(p, 0, SlotFarbErgebnis, datei.string(), format);
            gemessen[name + "/" + format] = ok ? pruefsumme(datei) : "nicht gespeichert";
            fs::remove(datei);
        }
        gemessen[name + "/Vorschau"] = pruefsumme(p.bilder.ergebnis().slot[SlotAnzeige].pfad);
    }

    void oeffnen()
    {
        ASSERT_TRUE(OeffnenAllgemein(p, (ordner / "projekt.lvx").string())) << ::testing::PrintToString(t.messages.lines);
    }

    void alle(const std::vector<Fall>& faelle)
    {
        oeffnen();
        for (const Fall& fall : faelle) {
            rechnen(fall);
            festhalten(fall.name, fall.formate);
        }
    }

    // Compares everything measured with the record, and prints the lines of a
    // record for what differs or is missing.
    void pruefen()
    {
        for (const auto& [name, summe] : gemessen) {
            const auto it = Erwartet.find(name);
            EXPECT_TRUE(it != Erwartet.end() && it->second == summe)
                << "    {\"" << name << "\", \"" << summe << "\"},";
        }
    }

    ~OutputBytesTest() override { p.DateienLoeschen(); }
};

const std::vector<Bild> DreiFotos{{160, 120}, {160, 120, true}, {150, 112}};

}

// The render command's own path: the project names the mode, nothing is changed after opening.
TEST_F(OutputBytesTest, EveryModeStraightFromTheProject)
{
    for (int modus = 0; modus <= 6; ++modus) {
        fotos(DreiFotos, [&](ProjektDaten& d) {
            d.vorschau = modus;
            d.comboB = 2;
        });
        oeffnen();
        festhalten("Projekt-Modus" + std::to_string(modus), {"BMP"});
    }
    pruefen();
}

TEST_F(OutputBytesTest, EveryFormat)
{
    fotos(DreiFotos);
    alle({{"Formate-Bild", VorschauBildR, {}, {"BMP", "JPG", "TGA", "TIF", "TIF_CMYK", "MPO"}},
          {"Formate-Anaglyph", VorschauAnaglyph, {}, {"BMP", "JPG", "TGA", "TIF", "TIF_CMYK", "MPO"}}});
    pruefen();
}

TEST_F(OutputBytesTest, AnaglyphSchemesAndColourReduction)
{
    fotos(DreiFotos);
    std::vector<Fall> faelle;
    for (int schema = 0; schema <= 6; ++schema)
        for (int farbe = 0; farbe < 3; ++farbe)
            faelle.push_back({"Anaglyph-" + std::to_string(schema) + "-" + std::to_string(farbe), VorschauAnaglyph,
                              [=](Programm& q) {
                                  q.compose.anaglyphSchema = schema;
                                  const int32_t c[3][3] = {{0, 0, 0}, {50, 20, 100}, {100, 100, 100}};
                                  q.compose.C1 = c[farbe][0];
                                  q.compose.C2 = c[farbe][1];
                                  q.compose.C3 = c[farbe][2];
                                  q.auswahl.bildR = 3;
                              }});
    faelle.push_back({"Anaglyph-gleichesBild", VorschauAnaglyph, [](Programm& q) { q.auswahl.bildR = 1; }});
    faelle.push_back({"Anaglyph-Hintergrund", VorschauAnaglyph, [](Programm& q) {
                          q.compose.Hintergrundfarbe = {10, 200, 30};
                          q.auswahl.bildR = 3;
                      }});
    alle(faelle);
    pruefen();
}

TEST_F(OutputBytesTest, StereoCardsAndStripes)
{
    fotos(DreiFotos);
    alle({{"Stereo-Vorgabe", VorschauStereo},
          {"Stereo-gestaucht", VorschauStereo, [](Programm& q) { q.compose.stereo.stauchen = true; }},
          {"Stereo-Pixel", VorschauStereo,
           [](Programm& q) {
               q.compose.stereo.stauchen = false;
               q.compose.stereo.festePixel = true;
               q.compose.stereo.pixelBreite = 300;
               q.compose.stereo.pixelHoehe = 140;
               q.compose.stereo.rahmen = false;
           }},
          {"Streifen-Spalten", VorschauStreifen},
          {"Streifen-Zeilen", VorschauStreifen,
           [](Programm& q) {
               q.compose.streifen.richtung = 1;
               q.compose.streifen.beginn = 1;
               q.compose.streifen.breite = 130;
               q.compose.streifen.hoehe = 170;
           }}});
    pruefen();
}

// Both lens kinds with every compression, fitting and stripe choice.
TEST_F(OutputBytesTest, LenticularPrints)
{
    fotos(DreiFotos);
    std::vector<Fall> faelle;
    for (int richtung : {0, 1})
        for (int kompression : {0, 1, 2})
            for (int anpassung : {0, 1, 2}) {
                const std::string name = std::string("Linse-") + (richtung ? "Flip" : "3D") + "-k"
                    + std::to_string(kompression) + "-a" + std::to_string(anpassung);
                faelle.push_back({name, VorschauLinsenraster, [=](Programm& q) {
                                      ComposeSettings& c = q.compose;
                                      c.Linsenrichtung = richtung;
                                      c.Komprimierung = kompression;
                                      c.PixelProBildProLinse = 2;
                                      c.lpi = 30;
                                      c.DruckOptimierung = anpassung > 0;
                                      c.dpiAuto = false;
                                      c.dpiIndex = 5;  // 300
                                      c.biKubMethode = anpassung;
                                      c.LinseInvers = kompression == 1;
                                      c.JustStreifenLO = richtung == 0;
                                      c.JustStreifenRU = kompression != 0;
                                      c.JustStreifenQuer = anpassung == 1;
                                      q.druck.breiteGesetzt = 4.0;
                                      q.druck.hoeheGesetzt = 3.0;
                                      q.druck.proportional = anpassung != 2;
                                  }});
            }
    faelle.push_back({"Linse-Drucker", VorschauLinsenraster, [](Programm& q) {
                          q.compose.DruckOptimierung = true;
                          q.compose.dpiAuto = true;
                          q.compose.druckerIndex = 0;
                          q.compose.biKubMethode = 3;
                          q.druck.seitenverkehrt = true;
                          q.druck.einheitCm = false;
                          q.druck.breiteGesetzt = 1.5;
                          q.druck.hoeheGesetzt = 1.2;
                      }});
    t.printers.list = {"Testdrucker"};
    t.printers.resolutionX = 360;
    alle(faelle);
    pruefen();
}

// The alignment steps that fill the aligned rasters, seen through a lenticular
// print of all images and an anaglyph of two.
TEST_F(OutputBytesTest, AlignedImages)
{
    fotos(DreiFotos, [](ProjektDaten& d) {
        d.bilder[1].dx = 2;
        d.bilder[1].dy = -3;
        d.bilder[2].dx = 0.5;
        d.bilder[2].rot = 3;
        d.bilder[2].skal = 0.95;
    });
    const auto linse = [](Programm& q) {
        q.compose.Komprimierung = 2;
        q.druck.breiteGesetzt = 5.0;
    };
    alle({{"Justiert-Linse", VorschauLinsenraster, linse},
          {"Justiert-Anaglyph", VorschauAnaglyph, [](Programm& q) { q.auswahl.bildR = 3; }},
          {"Justiert-Filter", VorschauLinsenraster,
           [&](Programm& q) {
               linse(q);
               q.bilder.bild[1].histo = true;
               q.bilder.bild[2].konturen = true;
               q.bilder.bild[3].filterNr = 4;
               q.bilder.bild[3].spiegelX = true;
               q.bilder.bild[1].spiegelY = true;
           }},
          {"Justiert-Vergenz", VorschauLinsenraster,
           [&](Programm& q) {
               linse(q);
               for (int n = 1; n <= 3; ++n) {
                   ImageEntry& e = q.bilder.bild[static_cast<size_t>(n)];
                   e.histo = e.konturen = e.spiegelX = e.spiegelY = false;
                   e.filterNr = 0;
               }
               q.bilder.bild[1].vx = 1.5;
               q.bilder.bild[2].vy = -1;
               q.bilder.bild[2].inversVergenz = true;
               q.compose.Hintergrundfarbe = {0, 0, 0};
           }},
          {"Justiert-Naechster", VorschauLinsenraster, [&](Programm& q) {
               linse(q);
               q.compose.Bikubisch = false;
               q.refInfo.zeigen = true;
               q.refInfo.x = 80;
               q.refInfo.y = 60;
               q.bilder.bild[3].refModus = true;
               q.bilder.bild[3].refX = 70;
               q.bilder.bild[3].refY = 50;
           }}});
    pruefen();
}

// A colour change reruns only the colour step; taking it back gives the first result again.
TEST_F(OutputBytesTest, ColourStepAlone)
{
    fotos(DreiFotos);
    alle({{"Farbe-neutral", VorschauAnaglyph}});
    p.farbe = {30, -20, 10, 40};
    Schleife(p, 4);
    festhalten("Farbe-alle", {"BMP", "TIF"});
    p.farbe.gamma = p.farbe.hell = p.farbe.kontrast = p.farbe.saettigung = 0;
    Schleife(p, 4);
    festhalten("Farbe-zurueck", {"BMP"});
    EXPECT_EQ(gemessen["Farbe-zurueck/BMP"], gemessen["Farbe-neutral/BMP"]);
    p.farbe.hell = -100;
    VorschauRadioGroupClick(p, VorschauLinsenraster);
    festhalten("Farbe-Linse", {"BMP"});
    pruefen();
}

// Moving one image realigns only that image and gives what a fresh start with the move gives.
TEST_F(OutputBytesTest, OneImageRealigned)
{
    fotos(DreiFotos);
    alle({{"Einzeln-vorher", VorschauLinsenraster}});
    p.bilder.bild[2].dx = 1.5;
    p.auswahl.listenZeile = 2;
    Schleife(p, 2);
    festhalten("Einzeln-nachher", {"BMP"});
    p.DateienLoeschen();
    fotos(DreiFotos, [](ProjektDaten& d) { d.bilder[1].dx = 1.5; });
    alle({{"Einzeln-neu", VorschauLinsenraster}});
    EXPECT_EQ(gemessen["Einzeln-nachher/BMP"], gemessen["Einzeln-neu/BMP"]);
    pruefen();
}

// Rasters of several megabytes: many bands and batches per pass.
TEST_F(OutputBytesTest, LargerPhotos)
{
    fotos({{1100, 700}, {1100, 700, true}});
    alle({{"Gross-Linse", VorschauLinsenraster,
           [](Programm& q) {
               q.compose.DruckOptimierung = true;
               q.compose.dpiAuto = false;
               q.compose.dpiIndex = 5;
               q.druck.breiteGesetzt = 6.0;
               q.druck.hoeheGesetzt = 4.0;
               q.druck.proportional = false;
           }},
          {"Gross-Linse-Naechster", VorschauLinsenraster, [](Programm& q) { q.compose.DruckOptimierung = false; }},
          {"Gross-Anaglyph", VorschauAnaglyph, [](Programm& q) { q.compose.anaglyphSchema = 2; }},
          {"Gross-Bild", VorschauBildL}});
    pruefen();
}

// Prints wider than the resizers' batches and bands are made for: fewer rows
// at a time, of both lens kinds.
TEST_F(OutputBytesTest, WidePrints)
{
    fotos({{330, 36}, {330, 36}, {330, 36}});
    alle({{"Breit-3D-Bikubisch", VorschauLinsenraster,
           [](Programm& q) {
               q.compose.DruckOptimierung = true;
               q.compose.dpiAuto = false;
               q.compose.dpiIndex = 9;  // 720
               q.compose.Komprimierung = 2;
               q.druck.breiteGesetzt = 30.0;
               q.druck.hoeheGesetzt = 2.0;
               q.druck.proportional = false;
           }},
          {"Breit-3D-Naechster", VorschauLinsenraster, [](Programm& q) { q.compose.DruckOptimierung = false; }},
          {"Breit-Flip-Bikubisch", VorschauLinsenraster, [](Programm& q) {
               q.compose.Linsenrichtung = 1;
               q.compose.DruckOptimierung = true;
               q.druck.breiteGesetzt = 30.0;
               q.druck.hoeheGesetzt = 2.0;
           }}});
    pruefen();
}

// Photos whose rows for one batch of the print fill more than the bytes read at once.
TEST_F(OutputBytesTest, ManyPhotoBytesPerBatch)
{
    fotos({{3000, 400}, {3000, 400, true}});
    alle({{"Viele-Bytes", VorschauLinsenraster, [](Programm& q) {
               q.druck.breiteGesetzt = 15.0;
               q.druck.hoeheGesetzt = 2.0;
               q.druck.proportional = false;
           }}});
    pruefen();
}
