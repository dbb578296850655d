#include "FuzzUmgebung.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "imageio/Jpeg.h"
#include "imageio/Mpo.h"
#include "support/Bilddateien.h"
#include "support/TestServices.h"

namespace {

class Stumm : public Messages, public Events, public Files, public PreviewDisplay {
public:
    Stumm()
    {
        std::string muster = (std::filesystem::temp_directory_path() / "lumivex-fuzz-XXXXXX").string();
        if (::mkdtemp(muster.data()))
            ordner_ = muster;
    }
    ~Stumm() override
    {
        std::error_code ec;
        std::filesystem::remove_all(ordner_, ec);
    }
    void show(Sprache::Titel, const std::string&) override {}
    Antwort ask(Sprache::Titel, const std::string&, bool) override { return Antwort::Nein; }
    void processEvents(const AppState&) override {}
    void setBusyCursor(bool) override {}
    std::filesystem::path tempFolder() const override { return ordner_; }
    std::optional<uint64_t> freeSpace(const std::filesystem::path&) const override { return uint64_t{32} << 20; }
    std::string volumeName(const std::filesystem::path&) const override { return "/"; }
    void clearPreview() override {}
    void showPreview() override {}
    NoPrinters drucker;
    NoTextRaster text;

private:
    std::filesystem::path ordner_;
};

Stumm& dienste()
{
    static Stumm stumm;
    return stumm;
}

}

Services FuzzDienste()
{
    return Services{dienste(), dienste(), dienste(), dienste(), dienste().drucker, dienste().text};
}

Context& FuzzKontext()
{
    static Context ctx(FuzzDienste());
    ctx.state.abort = false;
    return ctx;
}

std::string FuzzPfad(const std::string& name)
{
    return (dienste().tempFolder() / name).string();
}

std::string FuzzEingabe(const uint8_t* daten, size_t laenge, const std::string& name)
{
    const std::string pfad = FuzzPfad(name);
    std::ofstream(pfad, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(daten), static_cast<std::streamsize>(laenge));
    return pfad;
}

bool BeispielBilderSchreiben(const std::filesystem::path& ordner)
{
    const auto muster = [](int x, int y, uint8_t bgr[3]) { musterRgb(x, y, bgr); };
    RasterSlot a, b;
    a.pfad = (ordner / "a.bmp").string();
    a.breite = 7;
    a.hoehe = 5;
    writeBmp(a.pfad, a.breite, a.hoehe, muster);
    b.pfad = (ordner / "b.bmp").string();
    b.breite = b.hoehe = 6;
    writeBmp(b.pfad, b.breite, b.hoehe, muster);
    Context& ctx = FuzzKontext();
    return JPEG_Schreiben(ctx, (ordner / "c.jpg").string(), a) && MPO_Schreiben(ctx, (ordner / "d.mpo").string(), a, b);
}
