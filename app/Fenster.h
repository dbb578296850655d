#pragma once

// Starts the main window (with a project file when one is named) and runs until it closes.
int FensterStarten(int argc, char** argv);
