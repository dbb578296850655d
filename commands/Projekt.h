#pragma once
#include <string>

#include "model/ProjectFile.h"
#include "model/Programm.h"

// The project file's record of the current work, and back.
ProjektDaten ProjektAusProgramm(const Programm& p);
// Applies the settings of a loaded project (everything but the images),
// converting the values of old versions.
void ProjektEinstellungenAnwenden(Programm& p, const ProjektDaten& d);

// Opens a project: all or nothing is checked before anything changes, then
// every image is loaded again and the settings are applied. False after the
// messages of a failure; the image set is then empty only when an image could
// not be loaded.
bool OeffnenAllgemein(Programm& p, const std::string& datei);

// Applies the settings of a project file without loading its images, as a
// template (of a batch run). False after the message of a failure.
bool Projekteinstellungen_Laden(Programm& p, const std::string& datei);

// Writes the project to the current project file; the previous file stays
// intact until the new one is complete. An image path too long for its field
// is stored relative to the project's folder, or, when even that is too long,
// the save is refused. False after the message of the failure.
bool MenuProjektSpeichernClick(Programm& p);
// Saves under a new name (chosen by the caller's dialog): refused for a read-only file.
bool MenuProjektSpeichernUnterClick(Programm& p, const std::string& datei);

// Opens a project and computes its result in its preview mode, or in modus
// (-1: the project's); false after the messages when there is no result, or
// when a run failed or was stopped on the way.
bool ErgebnisBerechnen(Programm& p, const std::string& projekt, int modus);
