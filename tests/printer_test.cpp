// The printer service's PDF output and the text raster, measured with poppler's tools.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "commands/Drucken.h"
#include "platform/qt/QtDrucker.h"
#include "platform/qt/QtText.h"
#include "support/Bytes.h"
#include "support/Programmumgebung.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

std::string ausgabe(const std::string& befehl)
{
    std::string text;
    if (FILE* rohr = ::popen(befehl.c_str(), "r")) {
        char puffer[4096];
        for (size_t n; (n = std::fread(puffer, 1, sizeof puffer, rohr)) > 0;)
            text.append(puffer, n);
        ::pclose(rohr);
    }
    return text;
}

// A binary PPM as poppler writes it: width, height and the red, green, blue bytes.
struct Ppm {
    int breite = 0, hoehe = 0;
    Bytes rgb;
};

Ppm ppmLesen(const fs::path& datei)
{
    std::ifstream ein(datei, std::ios::binary);
    std::string magie;
    int maximum = 0;
    Ppm bild;
    ein >> magie >> bild.breite >> bild.hoehe >> maximum;
    ein.get();
    bild.rgb.resize(3 * static_cast<size_t>(bild.breite) * static_cast<size_t>(bild.hoehe));
    ein.read(reinterpret_cast<char*>(bild.rgb.data()), static_cast<std::streamsize>(bild.rgb.size()));
    return magie == "P6" && maximum == 255 && ein ? bild : Ppm{};
}

// True when every edge of the printed rectangle lies within one device pixel of where it should.
::testing::AssertionResult aufEinPixel(const std::vector<int>& ist, const std::vector<int>& soll)
{
    for (size_t i = 0; i < 4; ++i)
        if (std::abs(ist[i] - soll[i]) > 1)
            return ::testing::AssertionFailure() << "edge " << i << " at " << ist[i] << ", wanted " << soll[i];
    return ::testing::AssertionSuccess();
}

// The smallest rectangle holding every pixel darker than almost white: left, top, right, bottom (inclusive).
std::vector<int> bedruckt(const Ppm& seite)
{
    std::vector<int> r{seite.breite, seite.hoehe, -1, -1};
    for (int y = 0; y < seite.hoehe; ++y)
        for (int x = 0; x < seite.breite; ++x) {
            const uint8_t* px = &seite.rgb[3 * (static_cast<size_t>(y) * static_cast<size_t>(seite.breite) + static_cast<size_t>(x))];
            if (px[0] < 250 || px[1] < 250 || px[2] < 250)
                r = {std::min(r[0], x), std::min(r[1], y), std::max(r[2], x), std::max(r[3], y)};
        }
    return r;
}

// Pixel (x, y) of the result: red x mod 256, green y, blue 100 — nowhere white.
uint8_t muster(int x, int y, int kanal)
{
    return static_cast<uint8_t>(kanal == 0 ? x % 256 : (kanal == 1 ? y : 100));
}

// A PDF printer whose device pixels are half as high as wide.
class Halbhoch : public PdfPrinter {
public:
    using PdfPrinter::PdfPrinter;
    int dpiY() const override { return dpiX() / 2; }
};

struct PdfTest : Programmumgebung {
    fs::path pdf = t.files.tempFolder() / "druck.pdf";

    // A 300 × 200 result printed 3 × 2 cm at margins 1 and 2 cm.
    PdfTest()
    {
        RasterSlot& r = p.bilder.ergebnis().slot[SlotFarbErgebnis];
        r.breite = 300;
        r.hoehe = 200;
        writeBmp(r.pfad, 300, 200, [](int x, int y, uint8_t px[3]) {
            for (int k = 0; k < 3; ++k)
                px[2 - k] = muster(x, y, k);
        });
        p.auswahl.vorschau = VorschauAnaglyph;
        p.druck.breite = 3;
        p.druck.hoehe = 2;
        p.druck.randX = 1;
        p.druck.randY = 2;
    }
    std::string pdfDatei() const { return "'" + pdf.string() + "'"; }
    Ppm seite(const std::string& aufloesung)
    {
        const fs::path stamm = t.files.tempFolder() / "seite";
        std::system(("pdftoppm -singlefile " + aufloesung + " " + pdfDatei() + " '" + stamm.string() + "'").c_str());
        return ppmLesen(stamm.string() + ".ppm");
    }
};

TEST_F(PdfTest, TheResultKeepsEveryPixelAtItsSizeAndPlace)
{
    PdfPrinter drucker(QString::fromStdString(pdf.string()), 254);
    ASSERT_TRUE(DruckButtonClick(p, drucker));
    EXPECT_TRUE(t.messages.lines.empty());
    EXPECT_EQ(fs::status(pdf).permissions() & fs::perms::others_read, fs::perms::others_read);
    std::istringstream liste(ausgabe("pdfimages -list " + pdfDatei()));
    std::string zeile;
    std::vector<std::string> bilder;
    while (std::getline(liste, zeile))
        bilder.push_back(zeile);
    ASSERT_EQ(bilder.size(), 3u) << ausgabe("pdfimages -list " + pdfDatei());
    std::istringstream felder(bilder[2]);
    std::string seiteNr, nr, art, breite, hoehe, farbe, komp, bpc, enc;
    felder >> seiteNr >> nr >> art >> breite >> hoehe >> farbe >> komp >> bpc >> enc;
    EXPECT_EQ(std::tuple(breite, hoehe, farbe, enc), std::tuple("300", "200", "rgb", "image"));
    // The embedded picture holds exactly the result's pixels.
    const fs::path stamm = t.files.tempFolder() / "bild";
    std::system(("pdfimages " + pdfDatei() + " '" + stamm.string() + "'").c_str());
    const Ppm bild = ppmLesen(stamm.string() + "-000.ppm");
    ASSERT_EQ(std::pair(bild.breite, bild.hoehe), std::pair(300, 200));
    size_t abweichend = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            for (int k = 0; k < 3; ++k)
                abweichend += bild.rgb[3 * (static_cast<size_t>(y) * 300 + static_cast<size_t>(x)) + static_cast<size_t>(k)] != muster(x, y, k);
    EXPECT_EQ(abweichend, 0u);
    // At 100 dots per cm it covers 1 cm to 4 cm across and 2 cm to 4 cm down.
    EXPECT_TRUE(aufEinPixel(bedruckt(seite("-r 254")), {100, 200, 399, 399}));
}

TEST_F(PdfTest, UnequalResolutionsKeepThePhysicalSize)
{
    Halbhoch drucker(QString::fromStdString(pdf.string()), 254);
    ASSERT_TRUE(DruckButtonClick(p, drucker));
    EXPECT_TRUE(aufEinPixel(bedruckt(seite("-rx 254 -ry 127")), {100, 100, 399, 199}));
}

TEST_F(PdfTest, InformationLinesAreText)
{
    p.druck.druckInfos = true;
    PdfPrinter drucker(QString::fromStdString(pdf.string()), 300);
    ASSERT_TRUE(DruckButtonClick(p, drucker));
    const std::string text = ausgabe("pdftotext -raw " + pdfDatei() + " -");
    for (const char* zeile : {"1. Projekt: (keine Projektdatei gespeichert)", "3. Vorschau / Ergebnisbild: Anaglyph (L / R)",
                              "7. Pixelgroesse Ergebnisbild (x*y): 300 * 200", "9. Drucker: druck.pdf",
                              "10. Druckauflösung (dpi) notwendig (x*y): 254 * 254",
                              "11. Druckauflösung (dpi) möglich lt. Treiberinfo (x*y): 300 * 300",
                              "12. Druckrand (x*y): 1 * 2", "13. Druckgroesse (x*y): 3 * 2"})
        EXPECT_NE(text.find(zeile), std::string::npos) << zeile << "\n" << text;
}

TEST_F(PdfTest, AStoppedOrFailedPrintLeavesNoFile)
{
    t.events.onPump = [this](const AppState&) { p.ctx.state.abort = true; };
    PdfPrinter drucker(QString::fromStdString(pdf.string()), 254);
    EXPECT_FALSE(DruckButtonClick(p, drucker));
    t.events.onPump = nullptr;
    PdfPrinter nirgends(QString::fromStdString((t.files.tempFolder() / "fehlt" / "x.pdf").string()), 254);
    EXPECT_FALSE(DruckButtonClick(p, nirgends));
    EXPECT_EQ(t.messages.lines, std::vector<std::string>{"Fehler: Es ist ein Fehler aufgetreten. Berechnung wird abgebrochen!"});
    for (const auto& eintrag : fs::directory_iterator(t.files.tempFolder()))
        EXPECT_NE(eintrag.path().extension(), ".pdf") << eintrag.path();
}

TEST(TextRaster, BlackLettersOnWhite)
{
    const GreyImage g = QtTextRaster().render(" 40,000 lpi", "Arial", 36);
    ASSERT_GT(g.width, 100);
    ASSERT_GE(g.height, 36);
    ASSERT_EQ(g.pixels.size(), static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
    size_t schwarz = 0;
    for (uint8_t v : g.pixels) {
        EXPECT_TRUE(v == 0 || v == 255);
        schwarz += v == 0;
    }
    EXPECT_GT(schwarz, 100u);
    // The leading blank leaves the first columns white.
    for (int y = 0; y < g.height; ++y)
        EXPECT_EQ(g.pixels[static_cast<size_t>(y) * static_cast<size_t>(g.width)], 255);
    EXPECT_EQ(QtTextRaster().render("", "Arial", 36).width, 0);
}

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
