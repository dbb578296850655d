#include <gtest/gtest.h>

#include <cstring>

#include "model/ProjectFile.h"
#include "support/Bytes.h"

namespace {

// Builds project files field by field, the way an old version wrote them.
struct Altdatei {
    Bytes b;
    Altdatei& i32(int32_t v)
    {
        for (int k = 0; k < 4; ++k)
            b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k)));
        return *this;
    }
    Altdatei& f64(double d)
    {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int k = 0; k < 8; ++k)
            b.push_back(static_cast<uint8_t>(u >> (8 * k)));
        return *this;
    }
    Altdatei& text(const std::string& s)
    {
        b.push_back(static_cast<uint8_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        b.insert(b.end(), 255 - s.size(), ' ');
        return *this;
    }
    Altdatei& i32s(int n, int32_t v)
    {
        for (int k = 0; k < n; ++k)
            i32(v);
        return *this;
    }
    Altdatei& f64s(int n, double v)
    {
        for (int k = 0; k < n; ++k)
            f64(v);
        return *this;
    }
};

int32_t i32At(const Bytes& b, size_t at)
{
    int32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}

ProjektFehler dekodieren(const Bytes& bytes, ProjektDaten& d)
{
    return ProjektDekodieren(bytes, ProjektDaten{}, d);
}

// Fields 2 to 15 of every version: direction, lpi, the list position, preview, margins, size, proportional.
Altdatei& kopf(Altdatei& f, int32_t version, int32_t vorschau)
{
    f.i32(version).i32(1).f64(60.0).i32(2).i32(vorschau).f64(1.0).f64(2.0).f64(12.0).f64(8.0).i32(1);
    return f;
}

}

TEST(ProjectFile, EmptyProjectIs540BytesAndEachImageAdds580)
{
    ProjektDaten d;
    const auto leer = ProjektKodieren(d);
    ASSERT_EQ(leer.size(), 540u);
    EXPECT_EQ(i32At(leer, 0), 600);
    EXPECT_EQ(i32At(leer, 532), 0);
    EXPECT_EQ(i32At(leer, 536), 600);
    d.bilder.resize(2);
    d.bilder[1].pfad = "/fotos/b.jpg";
    const auto zwei = ProjektKodieren(d);
    ASSERT_EQ(zwei.size(), 540u + 2 * 580);
    EXPECT_EQ(i32At(zwei, 532), 2);
    EXPECT_EQ(zwei[536 + 580], 12);  // length byte of the second image's path
    EXPECT_EQ(std::string(zwei.begin() + 537 + 580, zwei.begin() + 549 + 580), "/fotos/b.jpg");
    EXPECT_EQ(zwei[549 + 580], ' ');
    EXPECT_EQ(i32At(zwei, 536 + 2 * 580), 600);
}

TEST(ProjectFile, FieldPositionsOfVersion600)
{
    ProjektDaten d;
    d.hintergrund = 0x00332211;
    d.pixelProLinse = 3;
    d.druckerName = "PDF";
    d.lcdY = 768;
    d.proportional = false;
    const auto b = ProjektKodieren(d);
    EXPECT_EQ(i32At(b, 56), 0);  // proportional as flag 0
    EXPECT_EQ(i32At(b, 76), 0x00332211);
    EXPECT_EQ(i32At(b, 140), 1);  // the constant field after the frame boxes
    EXPECT_EQ(i32At(b, 228), 3);
    EXPECT_EQ(i32At(b, 244), 7);  // dpi list item
    EXPECT_EQ(b[256], 3);
    EXPECT_EQ(i32At(b, 528), 768);
}

namespace {

// Every field set apart from its default and from every other field (the second
// image keeps the switches the first one turns on), so that two fields swapped in
// writing or reading, or one left out, show by name. Every field is named: the
// compiler reports one added later and not set here.
ProjektDaten jedesFeldAnders()
{
    return {
        .version = ProjektVersion,
        .linsenrichtung = 1,
        .lpi = 62.5,
        .listenAuswahl = 2,
        .vorschau = 5,
        .randX = 0.25, .randY = 0.75,
        .breite = 20.125, .hoehe = 13.375,
        .proportional = false, .druckInfos = true, .seitenverkehrt = true,
        .comboA = 3, .comboB = 4,
        .hintergrund = 0x00123456,
        .gamma = -40, .hell = 11, .kontrast = -12, .saettigung = 13,
        .anaglyphArt = 6,
        .anaglyphSchema = 7,
        .c = {14, 15, 16},
        .verbinden = false,
        .einheit = 1,
        .viewerVorlage = false, .viewerFrei = true,
        .gesamtRahmen = false, .rahmen = false,
        .viewerIndex = 8,
        .viewer = {41, 42, 59, 17, 101, 43, 3},
        .barrierIndex = 9,
        .linseInvers = true,
        .streifenLO = false, .streifenRU = true, .streifenQuer = true,
        .komprimierung = 18,
        .pixelProLinse = 19,
        .druckOptimierung = true,
        .dpiAuto = true, .dpiManuell = false,
        .dpiIndex = 21,
        .biKubIndex = 22,
        .druckerIndex = 23,
        .druckerName = "Büro",
        .lcdGroesse = 24, .lcdRichtung = 25, .lcdBeginn = 26,
        .lcdX = 27, .lcdY = 28,
        .bilder = {
            {
                .pfad = "/fotos/links.jpg",
                .mpoPfad = {},
                .breite = 4000, .hoehe = 3000,
                .dx = -1.5, .dy = 2.25,
                .rot = -0.75,
                .skal = 1.01,
                .refX = 17, .refY = 29,
                .istReferenzbild = true, .refModus = true,
                .spiegelX = true, .spiegelY = true, .konturen = true,
            },
            {
                .pfad = "/tmp/teil_1.JPG",
                .mpoPfad = "/fotos/paar.mpo",
                .breite = 31, .hoehe = 32,
                .dx = 3.5, .dy = -4.75,
                .rot = 1.25,
                .skal = 0.99,
                .refX = 33, .refY = 34,
                .istReferenzbild = false, .refModus = false,
                .spiegelX = false, .spiegelY = false, .konturen = false,
            },
        },
    };
}

void erwarteGleich(const ProjektBild& e, const ProjektBild& d)
{
    EXPECT_EQ(e.pfad, d.pfad);
    EXPECT_EQ(e.mpoPfad, d.mpoPfad);
    EXPECT_EQ(e.breite, d.breite);
    EXPECT_EQ(e.hoehe, d.hoehe);
    EXPECT_EQ(e.dx, d.dx);
    EXPECT_EQ(e.dy, d.dy);
    EXPECT_EQ(e.rot, d.rot);
    EXPECT_EQ(e.skal, d.skal);
    EXPECT_EQ(e.refX, d.refX);
    EXPECT_EQ(e.refY, d.refY);
    EXPECT_EQ(e.istReferenzbild, d.istReferenzbild);
    EXPECT_EQ(e.refModus, d.refModus);
    EXPECT_EQ(e.spiegelX, d.spiegelX);
    EXPECT_EQ(e.spiegelY, d.spiegelY);
    EXPECT_EQ(e.konturen, d.konturen);
}

}

TEST(ProjectFile, RoundTripKeepsEveryField)
{
    const ProjektDaten d = jedesFeldAnders();
    ProjektDaten e;
    ASSERT_EQ(dekodieren(ProjektKodieren(d), e), ProjektFehler::Keiner);
    EXPECT_EQ(e.version, d.version);
    EXPECT_EQ(e.linsenrichtung, d.linsenrichtung);
    EXPECT_EQ(e.lpi, d.lpi);
    EXPECT_EQ(e.listenAuswahl, d.listenAuswahl);
    EXPECT_EQ(e.vorschau, d.vorschau);
    EXPECT_EQ(e.randX, d.randX);
    EXPECT_EQ(e.randY, d.randY);
    EXPECT_EQ(e.breite, d.breite);
    EXPECT_EQ(e.hoehe, d.hoehe);
    EXPECT_EQ(e.proportional, d.proportional);
    EXPECT_EQ(e.druckInfos, d.druckInfos);
    EXPECT_EQ(e.seitenverkehrt, d.seitenverkehrt);
    EXPECT_EQ(e.comboA, d.comboA);
    EXPECT_EQ(e.comboB, d.comboB);
    EXPECT_EQ(e.hintergrund, d.hintergrund);
    EXPECT_EQ(e.gamma, d.gamma);
    EXPECT_EQ(e.hell, d.hell);
    EXPECT_EQ(e.kontrast, d.kontrast);
    EXPECT_EQ(e.saettigung, d.saettigung);
    EXPECT_EQ(e.anaglyphArt, d.anaglyphArt);
    EXPECT_EQ(e.anaglyphSchema, d.anaglyphSchema);
    EXPECT_EQ(e.c, d.c);
    EXPECT_EQ(e.verbinden, d.verbinden);
    EXPECT_EQ(e.einheit, d.einheit);
    EXPECT_EQ(e.viewerVorlage, d.viewerVorlage);
    EXPECT_EQ(e.viewerFrei, d.viewerFrei);
    EXPECT_EQ(e.gesamtRahmen, d.gesamtRahmen);
    EXPECT_EQ(e.rahmen, d.rahmen);
    EXPECT_EQ(e.viewerIndex, d.viewerIndex);
    EXPECT_EQ(e.viewer, d.viewer);
    EXPECT_EQ(e.barrierIndex, d.barrierIndex);
    EXPECT_EQ(e.linseInvers, d.linseInvers);
    EXPECT_EQ(e.streifenLO, d.streifenLO);
    EXPECT_EQ(e.streifenRU, d.streifenRU);
    EXPECT_EQ(e.streifenQuer, d.streifenQuer);
    EXPECT_EQ(e.komprimierung, d.komprimierung);
    EXPECT_EQ(e.pixelProLinse, d.pixelProLinse);
    EXPECT_EQ(e.druckOptimierung, d.druckOptimierung);
    EXPECT_EQ(e.dpiAuto, d.dpiAuto);
    EXPECT_EQ(e.dpiManuell, d.dpiManuell);
    EXPECT_EQ(e.dpiIndex, d.dpiIndex);
    EXPECT_EQ(e.biKubIndex, d.biKubIndex);
    EXPECT_EQ(e.druckerIndex, d.druckerIndex);
    EXPECT_EQ(e.druckerName, d.druckerName);
    EXPECT_EQ(e.lcdGroesse, d.lcdGroesse);
    EXPECT_EQ(e.lcdRichtung, d.lcdRichtung);
    EXPECT_EQ(e.lcdBeginn, d.lcdBeginn);
    EXPECT_EQ(e.lcdX, d.lcdX);
    EXPECT_EQ(e.lcdY, d.lcdY);
    ASSERT_EQ(e.bilder.size(), d.bilder.size());
    for (size_t i = 0; i < d.bilder.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        erwarteGleich(e.bilder[i], d.bilder[i]);
    }
}

TEST(ProjectFile, RejectsUnknownVersionsAndDamagedFiles)
{
    ProjektDaten d;
    auto b = ProjektKodieren(d);
    b[0] = 0x59;  // 601
    b[1] = 0x02;
    ProjektDaten e;
    EXPECT_EQ(dekodieren(b, e), ProjektFehler::FalscheDatei);

    d.bilder.resize(1);
    const auto gut = ProjektKodieren(d);
    for (size_t n = 0; n < gut.size(); ++n) {
        const Bytes kurz(gut.begin(), gut.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_EQ(dekodieren(kurz, e), ProjektFehler::Lesefehler) << n;
    }
    auto marke = gut;
    marke[gut.size() - 4] = 0x59;
    EXPECT_EQ(dekodieren(marke, e), ProjektFehler::Lesefehler);

    auto zuViele = ProjektKodieren(ProjektDaten{});
    zuViele[532] = 251;
    EXPECT_EQ(dekodieren(zuViele, e), ProjektFehler::Lesefehler);
    zuViele[532] = 0xFF;
    zuViele[535] = 0xFF;  // negative count
    EXPECT_EQ(dekodieren(zuViele, e), ProjektFehler::Lesefehler);
}

TEST(ProjectFile, BytesAfterTheEndMarkerAreIgnoredAndFlagsAreExactlyOne)
{
    ProjektDaten d;
    auto b = ProjektKodieren(d);
    b.insert(b.end(), 100, 0xAB);
    b[56] = 2;  // proportional stored as 2
    ProjektDaten e;
    ASSERT_EQ(dekodieren(b, e), ProjektFehler::Keiner);
    EXPECT_FALSE(e.proportional);
}

TEST(ProjectFile, Version401HasIntegerShifts)
{
    Altdatei f;
    kopf(f, 401, 2).i32s(2, 0).i32s(2, -1).i32(0x00FFFFFF);  // infos, mirror, L, R, background
    f.i32(10).i32(20).i32(30).i32(40).i32(3).i32(1).i32s(3, 50).i32(1).i32(1);  // 16..26
    f.i32s(4, 1).i32(1).i32(4).f64s(7, 7.0).i32(0).i32(0).i32s(3, 0);          // 27..44
    f.i32(1).i32(2).i32(0).i32(1).i32(0).i32(9).i32(1).i32(-1).text("").i32s(5, 640);  // 45..58
    f.i32(1).text("C:\\Fotos\\a.bmp").i32(800).i32(600).i32(3).i32(-2).f64(1.5).f64(0.9);
    f.i32(11).i32(12).i32(1).i32(2).i32(1).i32(0).i32(1).i32(401);
    ProjektDaten e;
    ASSERT_EQ(dekodieren(f.b, e), ProjektFehler::Keiner);
    EXPECT_EQ(e.gamma, 10);
    EXPECT_EQ(e.saettigung, 40);
    EXPECT_EQ(e.anaglyphSchema, 1);
    EXPECT_EQ(e.c[1], 50);
    EXPECT_EQ(e.viewerIndex, 4);
    EXPECT_EQ(e.pixelProLinse, 2);
    EXPECT_EQ(e.dpiIndex, 9);
    EXPECT_EQ(e.lcdY, 640);
    ASSERT_EQ(e.bilder.size(), 1u);
    const ProjektBild& b = e.bilder[0];
    EXPECT_EQ(b.pfad, "C:\\Fotos\\a.bmp");
    EXPECT_EQ(b.dx, 3.0);
    EXPECT_EQ(b.dy, -2.0);
    EXPECT_EQ(b.rot, 1.5);
    EXPECT_EQ(b.skal, 0.9);
    EXPECT_TRUE(b.istReferenzbild);
    EXPECT_FALSE(b.refModus);  // stored as 2
    EXPECT_TRUE(b.spiegelX);
    EXPECT_TRUE(b.konturen);
}

TEST(ProjectFile, Version500HasDoubleShiftsAndNoMpoPath)
{
    ProjektDaten d;
    ProjektBild a;
    a.pfad = "/a.jpg";
    a.mpoPfad = "/gone.mpo";
    a.dx = 0.25;
    d.bilder = {a};
    auto b = ProjektKodieren(d);
    // A 500 file is the same without the MPO path.
    b.erase(b.begin() + 536 + 256, b.begin() + 536 + 512);
    b[0] = b[b.size() - 4] = 0xF4;
    b[1] = b[b.size() - 3] = 0x01;
    ProjektDaten e;
    ASSERT_EQ(dekodieren(b, e), ProjektFehler::Keiner);
    EXPECT_EQ(e.version, 500);
    EXPECT_EQ(e.bilder[0].pfad, "/a.jpg");
    EXPECT_TRUE(e.bilder[0].mpoPfad.empty());
    EXPECT_EQ(e.bilder[0].dx, 0.25);
}

TEST(ProjectFile, Version200HasTenFixedRecords)
{
    Altdatei f;
    kopf(f, 200, 4).f64(1.0).f64(2.0).i32s(2, 0).i32(0).i32(1).i32(0x000000FF);
    f.i32(70).i32(60).i32(5).i32s(9, 0).i32(1);                                 // 17, 18, 20, nine, 26
    f.i32(0).i32(1).i32(1).i32(0).i32(1).i32(2).f64s(7, 9.0).i32(3).i32(1);  // 27..41
    for (int k = 0; k < 10; ++k) {
        f.b.push_back(k == 1 || k == 3 ? 1 : (k == 5 ? 1 : 0));
        f.b.push_back(k == 1 || k == 3 ? 1 : 0);
        f.text("bild" + std::to_string(k) + ".bmp").i32(5 * k).i32(-k).f64(k / 10.0);
    }
    ProjektDaten e;
    ASSERT_EQ(dekodieren(f.b, e), ProjektFehler::Keiner);
    EXPECT_EQ(e.listenAuswahl, 0);  // the old field at that place is ignored
    EXPECT_EQ(e.hell, 70);
    EXPECT_EQ(e.kontrast, 60);
    EXPECT_EQ(e.anaglyphArt, 5);
    EXPECT_EQ(e.anaglyphSchema, 2);  // absent: default
    EXPECT_EQ(e.einheit, 1);
    EXPECT_TRUE(e.viewerFrei);
    EXPECT_EQ(e.viewerIndex, 2);
    EXPECT_EQ(e.barrierIndex, 3);
    EXPECT_TRUE(e.linseInvers);
    EXPECT_TRUE(e.streifenLO);  // absent before 300
    EXPECT_FALSE(e.dpiAuto);
    ASSERT_EQ(e.bilder.size(), 2u);  // record 5 is used but not valid
    EXPECT_EQ(e.bilder[0].pfad, "bild1.bmp");
    EXPECT_EQ(e.bilder[0].dx, 5.0);
    EXPECT_EQ(e.bilder[1].dy, -3.0);
    EXPECT_DOUBLE_EQ(e.bilder[1].rot, 0.3);
    EXPECT_EQ(e.bilder[1].skal, 1.0);
}

TEST(ProjectFile, Versions103And1031)
{
    for (int32_t version : {103, 1031}) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        Altdatei f;
        kopf(f, version, 4).f64(0).f64(0).i32s(2, 0).i32s(2, 0).i32(0).i32(30);
        for (int k = 0; k < 10; ++k) {
            f.b.push_back(k == 0);
            f.b.push_back(k == 0);
            f.text("x.bmp").i32(2).i32(1);
        }
        if (version == 1031)
            f.i32(1031);
        ProjektDaten e;
        ASSERT_EQ(dekodieren(f.b, e), ProjektFehler::Keiner) << version;
        EXPECT_EQ(e.hell, 30);
        EXPECT_EQ(e.vorschau, 4);
        ASSERT_EQ(e.bilder.size(), 1u);
        EXPECT_EQ(e.bilder[0].dx, 2.0);
        EXPECT_EQ(e.bilder[0].rot, 0.0);
    }
}

TEST(ProjectFile, Texts)
{
    const auto feld = ProjektTextSchreiben(std::string(300, 'a'));
    EXPECT_EQ(feld[0], 255);
    EXPECT_EQ(feld[255], 'a');
    // A cut never splits a character.
    const auto umlaut = ProjektTextSchreiben(std::string(254, 'a') + "ä");
    EXPECT_EQ(umlaut[0], 254);
    EXPECT_EQ(umlaut[255], ' ');
    // Old files carry Windows-1252.
    uint8_t alt[256] = {6, 'M', 0xFC, 'l', 'l', 0x80, 'x'};
    EXPECT_EQ(ProjektTextLesen(alt), "Müll€x");
}

TEST(ProjectFile, DigitsAndComma)
{
    EXPECT_EQ(ZiffernUndKomma("12,5"), 12.5);
    EXPECT_EQ(ZiffernUndKomma("12.5"), 125.0);
    EXPECT_EQ(ZiffernUndKomma(" 1 15 mm"), 115.0);
    EXPECT_EQ(ZiffernUndKomma(""), 0.0);
    EXPECT_EQ(ZiffernUndKomma("abc"), 0.0);
}
