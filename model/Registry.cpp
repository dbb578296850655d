#include "model/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "model/Programm.h"

namespace fs = std::filesystem;

namespace {

using R = Registry;

bool lesen(const SettingsStore& store, const RegistryWert& w, Registry& werte)
{
    if (const auto* text = std::get_if<std::string R::*>(&w.feld)) {
        const auto wert = store.readString(w.name);
        if (wert)
            werte.**text = *wert;
        return wert.has_value();
    }
    const auto zahl = store.readInt(w.name);
    if (!zahl || *zahl < w.min || *zahl > w.max)
        return false;
    if (const auto* schalter = std::get_if<bool R::*>(&w.feld))
        werte.**schalter = *zahl != 0;
    else
        werte.*std::get<int32_t R::*>(w.feld) = *zahl;
    return true;
}

fs::path heimatordner()
{
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) : fs::path("/");
}

int32_t farbwert(const Farbe& f)
{
    return static_cast<int32_t>(alsBgr(f));
}

}

const std::vector<RegistryWert>& RegistryWerte()
{
    constexpr int32_t Farben = 0xFFFFFF;
    static const std::vector<RegistryWert> werte{
        {"Top", &R::Top},
        {"Left", &R::Left},
        {"Height", &R::Height},
        {"Width", &R::Width},
        {"Path", &R::Path},
        {"Hints", &R::Hints},
        {"Anaglyph1", &R::Anaglyph1, 0, 6},
        {"Anaglyph2", &R::Anaglyph2, 0, 2},
        {"Anaglyph3", &R::Anaglyph3},
        {"Anaglyph4", &R::Anaglyph4, 0, 100},
        {"Anaglyph5", &R::Anaglyph5, 0, 100},
        {"Anaglyph6", &R::Anaglyph6, 0, 100},
        // A colour with a high byte would be a system colour, which this platform does not have.
        {"Color1", &R::Color1, 0, Farben},
        {"Color2", &R::Color2, 0, Farben},
        {"Color3", &R::Color3, 0, Farben},
        {"Keyboard", &R::Keyboard},
        {"PingPong", &R::PingPong},
        {"RefSize", &R::RefSize, 0, 10},
        {"Setup", &R::Setup},
        {"RefShow", &R::RefShow},
        {"AnimSpeed", &R::AnimSpeed, 1, 5},
        {"SmallFont", &R::SmallFont},
        {"SerialAlignment", &R::SerialAlignment},
        {"SymmetryAlignment", &R::SymmetryAlignment},
        {"BicubInterpol", &R::BicubInterpol},
        {"DrawLines", &R::DrawLines},
        {"WindowState", &R::WindowState, 0, 2},
        {"RecentProjects", &R::RecentProjects},
    };
    return werte;
}

bool Registry_Save(SettingsStore& store, const Registry& werte)
{
    store.writeInt("Version", RegistryVersion);
    for (const RegistryWert& w : RegistryWerte()) {
        if (const auto* text = std::get_if<std::string R::*>(&w.feld))
            store.writeString(w.name, werte.**text);
        else if (const auto* schalter = std::get_if<bool R::*>(&w.feld))
            store.writeInt(w.name, werte.**schalter ? 1 : 0);
        else
            store.writeInt(w.name, werte.*std::get<int32_t R::*>(w.feld));
    }
    return store.flush();
}

Registrylesung Registry_Load(const SettingsStore& store, Registry& werte)
{
    Registrylesung l;
    if (!store.exists() || store.readInt("Version") != RegistryVersion)
        return l;
    const RegistryWert setup{"Setup", &R::Setup};
    if (lesen(store, setup, werte))
        l.gelesen.emplace_back(setup.name);
    l.stand = RegistryStand::SetupAus;
    if (!werte.Setup)
        return l;
    l.stand = RegistryStand::Geladen;
    for (const RegistryWert& w : RegistryWerte())
        if (std::string_view(w.name) != setup.name && lesen(store, w, werte))
            l.gelesen.emplace_back(w.name);
    return l;
}

void RegistryAusProgramm(const Programm& p, Registry& werte)
{
    werte.Path = p.ctx.state.bildOeffnenOrdner.string();
    const ComposeSettings& c = p.compose;
    werte.Anaglyph1 = c.anaglyphSchema;
    werte.Anaglyph2 = c.anaglyphFarbModus;
    werte.Anaglyph3 = c.anaglyphVerbinden;
    werte.Anaglyph4 = c.C1;
    werte.Anaglyph5 = c.C2;
    werte.Anaglyph6 = c.C3;
    werte.Color1 = farbwert(c.Hintergrundfarbe);
    werte.Color2 = farbwert(p.farbe.vorschauHintergrund);
    werte.Color3 = farbwert(p.farbe.vollbildHintergrund);
    werte.RefSize = p.refInfo.groesse;
    werte.RefShow = p.refInfo.zeigen;
    werte.BicubInterpol = c.Bikubisch;
}

void RegistryAnwenden(Programm& p, const Registry& werte)
{
    std::error_code fehler;
    const fs::path ordner = fs::is_directory(werte.Path, fehler) ? fs::path(werte.Path) : heimatordner();
    p.ctx.state.bildOeffnenOrdner = p.ctx.state.bildSpeichernOrdner = ordner;
    ComposeSettings& c = p.compose;
    c.anaglyphSchema = werte.Anaglyph1;
    c.anaglyphFarbModus = werte.Anaglyph2;
    c.anaglyphVerbinden = werte.Anaglyph3;
    p.auswahl.vorschau = VorschauKeine;
    c.C1 = werte.Anaglyph4;
    c.C2 = werte.Anaglyph5;
    c.C3 = werte.Anaglyph6;
    c.Hintergrundfarbe = ausBgr(static_cast<uint32_t>(werte.Color1));
    p.farbe.vorschauHintergrund = ausBgr(static_cast<uint32_t>(werte.Color2));
    p.farbe.vollbildHintergrund = ausBgr(static_cast<uint32_t>(werte.Color3));
    p.refInfo.groesse = werte.RefSize;
    p.refInfo.zeigen = werte.RefShow;
    c.Bikubisch = werte.BicubInterpol;
}
