#include "FuzzUmgebung.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

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
    std::optional<uint64_t> freeSpace(const std::filesystem::path&) const override { return uint64_t{1} << 40; }
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

Context& FuzzKontext()
{
    static Context ctx(Services{dienste(), dienste(), dienste(), dienste(), dienste().drucker, dienste().text});
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
