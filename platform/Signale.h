#pragma once

// SIGINT, SIGTERM and SIGHUP no longer end the process at once: they request
// the stop (core/Abbruch.h), so a running computation stops at its next row
// and the program ends through its normal way out, removing its working files.
// A second such signal ends the process at once. With weckFd, each also writes
// a byte to it, to wake an event loop that waits for input.
void StoppSignaleAbfangen(int weckFd = -1);
