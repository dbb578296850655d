#pragma once
#include <cstdint>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "core/Services.h"

struct Programm;

// The values that outlive a project, as kept in the per-user settings store;
// the members carry the value names and the defaults of a fresh start.
struct Registry {
    // Window bounds; a width or height of 0 means none were stored.
    int32_t Top = 3, Left = 3, Height = 0, Width = 0;
    // Initial folder of the image dialogs; one that does not exist stands for the user's home folder.
    std::string Path;
    bool Hints = true;
    int32_t Anaglyph1 = 0;  // anaglyph scheme
    int32_t Anaglyph2 = 0;  // colour mode
    bool Anaglyph3 = true;  // channel controls linked
    int32_t Anaglyph4 = 0, Anaglyph5 = 0, Anaglyph6 = 0;
    // Background colours as 0x00BBGGRR: composition, preview, full screen.
    int32_t Color1 = 0xFFFFFF, Color2 = 0xC0C0C0, Color3 = 0x000000;
    bool Keyboard = false;
    bool PingPong = false;
    int32_t RefSize = 3;
    bool Setup = true;  // the values are restored at start
    bool RefShow = true;
    int32_t AnimSpeed = 3;
    bool SmallFont = false;
    bool SerialAlignment = false;
    bool SymmetryAlignment = false;
    bool BicubInterpol = true;
    bool DrawLines = false;
    int32_t WindowState = 2;  // 0 minimised, 1 normal, 2 maximised
    // The projects last opened or saved, newest first, one path per line.
    std::string RecentProjects;

    bool operator==(const Registry&) const = default;
};

// The values are applied only when "Version" holds this number.
inline constexpr int32_t RegistryVersion = 5004;

// One stored value: its name, its member, and for integers the range a usable value lies in.
struct RegistryWert {
    const char* name;
    std::variant<int32_t Registry::*, bool Registry::*, std::string Registry::*> feld;
    int32_t min = std::numeric_limits<int32_t>::min();
    int32_t max = std::numeric_limits<int32_t>::max();
};
// Every value but "Version", in the order they are written. Another value is one more member and one more line.
const std::vector<RegistryWert>& RegistryWerte();

enum class RegistryStand {
    Keine,     // no key, or another version: nothing applies
    SetupAus,  // "Setup" is off: only that switch applies
    Geladen,   // every usable value was taken
};

struct Registrylesung {
    RegistryStand stand = RegistryStand::Keine;
    std::vector<std::string> gelesen;  // names of the values taken from the store
};

// Writes "Version" and every value; false when the store could not be written.
bool Registry_Save(SettingsStore& store, const Registry& werte);
// Reads the stored values over werte. A value that is missing, of the wrong type
// or out of its range leaves its member as it was.
Registrylesung Registry_Load(const SettingsStore& store, Registry& werte);

// The values the engine's records hold, and back. Taking them sets the preview mode to "keine".
void RegistryAusProgramm(const Programm& p, Registry& werte);
void RegistryAnwenden(Programm& p, const Registry& werte);
