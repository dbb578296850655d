#include "platform/Headless.h"

#include <unistd.h>

#include "core/AppState.h"

void HeadlessMessages::show(Sprache::Titel titel, const std::string& text)
{
    if (titel == Sprache::Titel::Fehler || titel == Sprache::Titel::Warnung)
        ++failures_;
    std::fprintf(stderr, "%s: %s\n", Sprache::Titeltext(titel), text.c_str());
}

Antwort HeadlessMessages::ask(Sprache::Titel titel, const std::string& text, bool withCancel)
{
    const Antwort antwort = answerYes_ ? Antwort::Ja : (withCancel ? Antwort::Abbrechen : Antwort::Nein);
    std::fprintf(stderr, "%s: %s %s\n", Sprache::Titeltext(titel), text.c_str(),
                 antwort == Antwort::Ja ? "Ja" : (antwort == Antwort::Nein ? "Nein" : "Abbrechen"));
    return antwort;
}

HeadlessEvents::HeadlessEvents() : terminal_(::isatty(STDERR_FILENO) == 1) {}

HeadlessEvents::~HeadlessEvents()
{
    if (lineShown_)
        std::fputs("\n", stderr);
}

void HeadlessEvents::processEvents(const AppState& state)
{
    if (!terminal_ || !state.busy)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now < next_)
        return;
    next_ = now + std::chrono::milliseconds(100);
    const Progress& p = state.progress;
    const long long percent = p.max > 0 ? static_cast<long long>(p.pos) * 100 / p.max : 0;
    std::fprintf(stderr, "\r%s %s %s %3lld %%   ", p.level.c_str(), p.phase.c_str(), p.step.c_str(), percent);
    std::fflush(stderr);
    lineShown_ = true;
}

std::optional<int32_t> MemorySettingsStore::readInt(const std::string& name) const
{
    const auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<int32_t>(it->second))
        return std::nullopt;
    return std::get<int32_t>(it->second);
}

std::optional<std::string> MemorySettingsStore::readString(const std::string& name) const
{
    const auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<std::string>(it->second))
        return std::nullopt;
    return std::get<std::string>(it->second);
}
