#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Context.h"
#include "model/Programm.h"
#include "platform/HeadlessServices.h"

// The headless subcommands; argv holds the command's own arguments. Exit
// status 0 success, 1 failure, 2 bad usage.
int AlignBefehl(int argc, char** argv);
int BatchBefehl(int argc, char** argv);
int ExifBefehl(int argc, char** argv);
int MpoBefehl(int argc, char** argv);
int RenderBefehl(int argc, char** argv);
int PrintBefehl(int argc, char** argv);
int KalibBefehl(int argc, char** argv);
int EinstellungenBefehl(int argc, char** argv);
int WiggleBefehl(int argc, char** argv);
int CropBefehl(int argc, char** argv);

// "--help" or "-h" as the command's only argument.
bool HilfeVerlangt(int argc, char** argv);
// Bad usage: says on stderr which argument is wrong, then the command's help; 2.
int FalscherAufruf(const char* befehl, const std::string& grund, const char* hilfe);
// The help or bad usage: the exit status when the command ends before its work
// (0 after the help, 2 after saying what is wrong), else none. lesen reads the
// arguments and answers what is wrong, "" when nothing is.
std::optional<int> AufrufLesen(const char* befehl, int argc, char** argv, const char* hilfe,
                               const std::function<std::string()>& lesen);
// A command's options: switches that are set when named, and options whose
// value a reader takes, answering what is wrong with it ("" when nothing is).
struct Optionen {
    std::vector<std::pair<const char*, bool*>> schalter;
    std::vector<std::pair<const char*, std::function<std::string(const std::string&)>>> werte;
};
// Reads the arguments against the options; the words that are no option go
// into frei in their order. The reason the call does not fit, or "".
std::string OptionenLesen(int argc, char** argv, const Optionen& optionen, std::vector<std::string>& frei);
// The reason given for an argument that is wrong or missing; "" for none.
std::string FalschesArgument(const std::optional<std::string>& argument);
// A number on the command line, with a decimal point or comma; false unless the whole text is one.
bool ZahlArgument(const std::string& text, double& wert);
bool ZahlArgument(const std::string& text, int& wert);
// A whole number from von to bis; false, and wert unchanged, for any other text.
bool ZahlImBereich(const std::string& text, int von, int bis, int& wert);
// A command over one existing file: usage and help, the headless services, and
// "Datei nicht gefunden:" for a missing file; otherwise the command's own
// result. The command gets the user's temporary folder for its traces.
int DateiBefehl(const char* wort, int argc, char** argv, const char* hilfe,
                const std::function<int(Context&, const std::string&, const std::filesystem::path&)>& befehl);

inline HeadlessMessages& Meldungen(HeadlessServices& dienste)
{
    return dienste.messages;
}

// A command's work on a program of its own, with the services Dienste in a run
// folder of its own; the run's files are deleted after it. 0 when the work
// succeeds and no failure was reported, else 1 (also without a run folder).
template <class Dienste>
int Programmlauf(bool ja, const std::function<bool(Programm&, Dienste&)>& arbeit)
{
    const auto temp = TempFolder();
    if (!temp)
        return 1;
    Dienste dienste(temp->pfad(), ja);
    Programm p(dienste.services());
    const bool ok = arbeit(p, dienste);
    p.DateienLoeschen();
    return ok && Meldungen(dienste).failures() == 0 ? 0 : 1;
}
