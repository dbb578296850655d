#pragma once

// The headless subcommands; argv holds the command's own arguments. Exit
// status 0 success, 1 failure, 2 bad usage.
int ExifBefehl(int argc, char** argv);
int MpoBefehl(int argc, char** argv);
int RenderBefehl(int argc, char** argv);
