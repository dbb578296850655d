#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/Befehle.h"
#include "model/Registry.h"
#include "platform/Headless.h"
#include "platform/qt/QtSettingsStore.h"

namespace {

const char* const hilfe =
    "Aufruf: lumivex settings [--reset]\n"
    "\n"
    "Listet die Einstellungen, die das Programmfenster beim Start übernimmt, mit\n"
    "Name und Wert; \"Standard\" steht, wo kein verwendbarer Wert gespeichert ist\n"
    "oder die gespeicherten Werte nicht gelten (andere \"Version\", \"Setup\" 0).\n"
    "Die Werte liegen in der Gruppe \"5.0/Global\" von $XDG_CONFIG_HOME/Orbelin/Lumivex.conf\n"
    "(ohne XDG_CONFIG_HOME in ~/.config).\n"
    "\n"
    "  --reset   entfernt alle gespeicherten Einstellungen\n"
    "\n"
    "Rückgabewert: 0 Erfolg, 1 Fehler, 2 falscher Aufruf.\n";

using R = Registry;

// A text value on one line: its line breaks (between the recent projects) shown as \n.
std::string einzeilig(const std::string& text)
{
    std::string zeile;
    for (char c : text)
        zeile += c == '\n' ? std::string("\\n") : std::string(1, c);
    return zeile;
}

// The value as it is stored; window bounds and folder have no fixed default to show.
std::string wertText(const RegistryWert& w, const Registry& werte, bool gelesen)
{
    if (const auto* text = std::get_if<std::string R::*>(&w.feld))
        return gelesen ? einzeilig(werte.**text) : "";
    if (const auto* schalter = std::get_if<bool R::*>(&w.feld))
        return werte.**schalter ? "1" : "0";
    const auto zahl = std::get<int32_t R::*>(w.feld);
    const bool fensterlage = zahl == &R::Top || zahl == &R::Left || zahl == &R::Height || zahl == &R::Width;
    return gelesen || !fensterlage ? std::to_string(werte.*zahl) : "";
}

void auflisten(const SettingsStore& store, const std::string& datei)
{
    Registry werte;
    const Registrylesung lesung = Registry_Load(store, werte);
    std::printf("# %s\n", datei.c_str());
    const auto version = store.readInt("Version");
    std::printf("%-18s %s\n", "Version", version ? std::to_string(*version).c_str() : "-");
    for (const RegistryWert& w : RegistryWerte()) {
        const bool gelesen
            = std::find(lesung.gelesen.begin(), lesung.gelesen.end(), w.name) != lesung.gelesen.end();
        const std::string wert = wertText(w, werte, gelesen);
        std::printf("%-18s %s%s%s\n", w.name, wert.c_str(), wert.empty() || gelesen ? "" : " ",
                    gelesen ? "" : "Standard");
    }
}

}

int EinstellungenBefehl(int argc, char** argv)
{
    if (HilfeVerlangt(argc, argv)) {
        std::fputs(hilfe, stdout);
        return 0;
    }
    const bool zuruecksetzen = argc == 1 && std::strcmp(argv[0], "--reset") == 0;
    if (argc > 1 || (argc == 1 && !zuruecksetzen))
        return FalscherAufruf("settings", std::string("unbekanntes Argument '") + argv[argc - 1] + "'", hilfe);
    QtSettingsStore store;
    if (!zuruecksetzen) {
        auflisten(store, store.fileName().toStdString());
        return 0;
    }
    store.remove();
    if (store.flush())
        return 0;
    HeadlessMessages().show(Sprache::Titel::Fehler, Sprache::Meldung(Sprache::MeldungNr::SpeicherFehler));
    return 1;
}
