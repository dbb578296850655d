#pragma once
#include <string>

#include "model/Programm.h"

// Batch jobs over a folder tree: every matching file is colour-optimised on
// its own, every folder (every stereo file) is aligned and cut as one series,
// and the outputs go into the same tree of folders below the target folder.
// The settings are p.batch, the work lists and the run's state p.batchLauf.

// Empties both work lists, as a new source, pattern or subfolder choice does.
void Arbeitslisten_Leeren(Programm& p);

// Builds the work lists: the folders holding a matching file, the source root
// first and then each subfolder depth first in name order (hidden folders,
// links to folders and the target tree are passed over), and the matching
// files of them all. File names match the pattern's extension in any case.
void Batch1ButtonClick(Programm& p);

// Makes one folder of the tree the whole work list, for a run of that folder
// alone; it is found without walking the tree. False, with both lists empty,
// when it is not a folder Batch1ButtonClick would list.
bool Batch_Ordner_Waehlen(Programm& p, const std::string& ordner);

// A folder of the work list as its path relative to the source root ("." for the root).
std::string Batch_Ordnername(const Programm& p, const std::string& ordner);

// The run over the folder list. Refused with a warning while images are
// loaded, or without source, files or target. Every output is written beside
// its name and renamed over it when complete; the run ends with an empty image
// set. True when no stop ended it and every target folder could be made.
bool BatchStartBitBtnClick(Programm& p);

// A confirmed stop: the running step unwinds, nothing more is written, and
// the run ends after the current file.
void Batch_Stoppen(Programm& p);
