#pragma once
#include <cstdint>
#include <string>

#include "model/Programm.h"

// Saves the image sequence as an animated WebP: the preview-size copy of every
// image, at the speed (1 … 5) and with the ping-pong of the animation panel.
// True when written; false after the message of the failure.
bool Animation_Speichern(Programm& p, const std::string& datei, int32_t tempo, bool pingPong);
