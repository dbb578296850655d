#pragma once

// The silent abort exception: thrown inside a processing loop when a raster
// operation failed or the abort flag was found set; caught by the routine's guard.
struct Abbruch {
    int fehler = 0;  // the errno of the failed write that caused it, else 0
};

// A stop requested from outside the program (a signal): from then on every
// loop stops at its next row, as after the stop button. Safe in a signal
// handler; tests take the request back with false.
void StoppAnfordern(bool angefordert = true) noexcept;
bool StoppAngefordert() noexcept;
