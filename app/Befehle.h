#pragma once
#include <functional>
#include <string>

#include "core/Context.h"
#include "model/Programm.h"

// The headless subcommands; argv holds the command's own arguments. Exit
// status 0 success, 1 failure, 2 bad usage.
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
// Bad usage: names the argument that is wrong, then the help; exit status 2.
int FalscherAufruf(const char* befehl, const std::string& argument, const char* hilfe);
// Opens a project and computes its result in its preview mode, or in modus
// (-1: the project's); false after the messages when there is no result.
bool ErgebnisBerechnen(Programm& p, const std::string& projekt, int modus);
// A number on the command line, with a decimal point or comma; false unless the whole text is one.
bool ZahlArgument(const std::string& text, double& wert);
bool ZahlArgument(const std::string& text, int& wert);
// A command over one existing file: usage and help, the headless services, and
// "Datei nicht gefunden:" for a missing file; otherwise the command's own result.
int DateiBefehl(int argc, char** argv, const char* hilfe,
                const std::function<int(Context&, const std::string&)>& befehl);
