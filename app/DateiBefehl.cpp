#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/Befehle.h"
#include "commands/Liste.h"
#include "commands/Projekt.h"
#include "platform/HeadlessServices.h"

bool HilfeVerlangt(int argc, char** argv)
{
    return argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0);
}

int FalscherAufruf(const char* befehl, const std::string& grund, const char* hilfe)
{
    std::fprintf(stderr, "lumivex %s: %s\n\n%s", befehl, grund.c_str(), hilfe);
    return 2;
}

std::optional<int> AufrufLesen(const char* befehl, int argc, char** argv, const char* hilfe,
                               const std::function<std::string()>& lesen)
{
    if (HilfeVerlangt(argc, argv)) {
        std::fputs(hilfe, stdout);
        return 0;
    }
    if (const std::string falsch = lesen(); !falsch.empty())
        return FalscherAufruf(befehl, falsch, hilfe);
    return std::nullopt;
}

std::string OptionenLesen(int argc, char** argv, const Optionen& optionen, std::vector<std::string>& frei)
{
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto benannt = [&](const auto& eintrag) { return arg == eintrag.first; };
        if (const auto s = std::find_if(optionen.schalter.begin(), optionen.schalter.end(), benannt);
            s != optionen.schalter.end()) {
            *s->second = true;
        } else if (const auto w = std::find_if(optionen.werte.begin(), optionen.werte.end(), benannt);
                   w != optionen.werte.end()) {
            if (i + 1 == argc)
                return "'" + arg + "' ohne Wert";
            if (std::string falsch = w->second(argv[++i]); !falsch.empty())
                return falsch;
        } else if (arg.rfind("-", 0) == 0) {
            return "unbekannte Option '" + arg + "'";
        } else {
            frei.push_back(arg);
        }
    }
    return {};
}

std::string FalschesArgument(const std::optional<std::string>& argument)
{
    return argument ? "falsches oder fehlendes Argument '" + *argument + "'" : std::string();
}

bool ZahlArgument(const std::string& text, double& wert)
{
    std::string punkt = text;
    std::replace(punkt.begin(), punkt.end(), ',', '.');
    const char* ende = punkt.data() + punkt.size();
    const auto [rest, fehler] = std::from_chars(punkt.data(), ende, wert);
    return !punkt.empty() && fehler == std::errc() && rest == ende && std::isfinite(wert);
}

bool ZahlArgument(const std::string& text, int& wert)
{
    const char* ende = text.data() + text.size();
    const auto [rest, fehler] = std::from_chars(text.data(), ende, wert);
    return !text.empty() && fehler == std::errc() && rest == ende;
}

bool ZahlImBereich(const std::string& text, int von, int bis, int& wert)
{
    int zahl = 0;
    if (!ZahlArgument(text, zahl) || zahl < von || zahl > bis)
        return false;
    wert = zahl;
    return true;
}

int DateiBefehl(const char* wort, int argc, char** argv, const char* hilfe,
                const std::function<int(Context&, const std::string&, const std::filesystem::path&)>& befehl)
{
    if (HilfeVerlangt(argc, argv)) {
        std::fputs(hilfe, stdout);
        return 0;
    }
    if (argc == 0)
        return FalscherAufruf(wort, "DATEI fehlt", hilfe);
    if (argv[0][0] == '-')
        return FalscherAufruf(wort, std::string("unbekannte Option '") + argv[0] + "'", hilfe);
    if (argc > 1)
        return FalscherAufruf(wort, std::string("überzähliges Argument '") + argv[1] + "'", hilfe);
    const auto temp = TempFolder();
    if (!temp)
        return 1;
    HeadlessServices dienste(temp->pfad());
    Context ctx(dienste.services());
    const std::string datei = argv[0];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(datei, ec)) {
        ctx.message(Sprache::Titel::Fehler,
                    std::string(Sprache::Meldung(Sprache::MeldungNr::DateiNichtGefunden)) + " " + datei);
        return 1;
    }
    return befehl(ctx, datei, temp->benutzerOrdner());
}
