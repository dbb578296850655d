#pragma once
#include <cstdint>
#include <vector>

// The image sequence: which image each tick of the animation timer shows.
struct Animation {
    int32_t bild = 1;  // the image the next tick shows
    bool rueckwaerts = false;
};

// One tick on. Forward past the last image starts again at the first; with
// ping-pong the direction turns at either end instead, so each end image shows
// on two ticks in a row.
void Animation_Schritt(Animation& a, int32_t anzahl, bool pingPong);

// The timer interval of speed 1 … 5 in milliseconds: (6 − speed) × 100.
int32_t Animation_Intervall(int32_t tempo);

// A picture of a saved animation: an image shown for dauer milliseconds.
struct Animationsbild {
    int32_t bild;
    int32_t dauer;
    bool operator==(const Animationsbild&) const = default;
};
// The ticks of one period from the start, ticks of the same image in a row joined into one picture.
std::vector<Animationsbild> Animation_Folge(int32_t anzahl, int32_t tempo, bool pingPong);
