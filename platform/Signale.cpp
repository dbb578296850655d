#include "platform/Signale.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

#include "core/Abbruch.h"

namespace {

constexpr int StoppSignale[] = {SIGINT, SIGTERM, SIGHUP};
// A signal ignored when the program started (a background job of a script) stays ignored.
bool abgefangen[3] = {};
volatile sig_atomic_t weckFd = -1;

void setzen(int signal, void (*handler)(int))
{
    struct sigaction aktion {};
    aktion.sa_handler = handler;
    sigemptyset(&aktion.sa_mask);
    aktion.sa_flags = SA_RESTART;
    ::sigaction(signal, &aktion, nullptr);
}

// Only async-signal-safe calls: the next signal finds the default action again.
void beiSignal(int)
{
    const int gesichert = errno;
    for (size_t i = 0; i < std::size(StoppSignale); ++i)
        if (abgefangen[i])
            setzen(StoppSignale[i], SIG_DFL);
    StoppAnfordern();
    if (weckFd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(weckFd, &byte, 1);
    }
    errno = gesichert;
}

}

void StoppSignaleAbfangen(int fd)
{
    weckFd = fd;
    for (size_t i = 0; i < std::size(StoppSignale); ++i) {
        struct sigaction bisher {};
        ::sigaction(StoppSignale[i], nullptr, &bisher);
        abgefangen[i] = bisher.sa_handler != SIG_IGN;
        if (abgefangen[i])
            setzen(StoppSignale[i], beiSignal);
    }
}
