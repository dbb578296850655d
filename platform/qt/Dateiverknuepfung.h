#pragma once
#include <QString>

// The project-file association of the desktop, per user: a MIME type for *.lvx
// and a desktop entry that opens such files with the program. The folder is
// $XDG_DATA_HOME (or ~/.local/share). True when every file was written or removed.
bool InstallExt(const QString& programm);
bool UnInstallExt();
