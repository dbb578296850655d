#pragma once
#include <exception>
#include <new>
#include <string>

#include "core/Abbruch.h"
#include "core/AppState.h"
#include "core/Services.h"

// The application state together with the services the engine reaches the platform through.
class Context {
public:
    explicit Context(Services services) : services_(services) {}

    AppState state;

    Messages& messages() const { return services_.messages; }
    Events& events() const { return services_.events; }
    Files& files() const { return services_.files; }
    PreviewDisplay& display() const { return services_.display; }
    Printers& printers() const { return services_.printers; }
    TextRaster& textRaster() const { return services_.textRaster; }

    void message(Sprache::Titel titel, const std::string& text) const { services_.messages.show(titel, text); }
    void message(Sprache::Titel titel, Sprache::MeldungNr nummer) const { message(titel, Sprache::Meldung(nummer)); }
    Antwort ask(Sprache::Titel titel, const std::string& text, bool withCancel = false) const
    {
        return services_.messages.ask(titel, text, withCancel);
    }

    // Pending events; a stop requested meanwhile sets the abort flag.
    void pump()
    {
        services_.events.processEvents(state);
        if (StoppAngefordert())
            state.abort = true;
    }
    void setProgress(int32_t max, int32_t pos)
    {
        state.progress.max = max;
        state.progress.pos = pos;
    }
    void setPosition(int32_t pos) { state.progress.pos = pos; }

    // End of a loop step: progress position, pending events, then the abort test.
    void rowDone(int32_t pos)
    {
        state.progress.pos = pos;
        pump();
        throwIfAborted();
    }
    void throwIfAborted() const
    {
        if (state.abort)
            throw Abbruch{};
    }

    // What a guard does when an abort exception reached it: the general error,
    // or for a full file system the disk-full message, is shown once, unless the
    // abort flag says it was already reported or requested.
    void reportFailure(int writeError = 0);
    // "Zu wenig Speicher auf Laufwerk X: !" for the file system holding path.
    void reportDiskFull(const std::filesystem::path& path) const;

private:
    Services services_;
};

// Runs body as a processing routine: an abort exception (or any other failure
// inside it) ends there and is reported once. True when body ran to its end.
template <class Body>
bool guarded(Context& ctx, Body&& body)
{
    try {
        body();
        return true;
    } catch (const Abbruch& a) {
        ctx.reportFailure(a.fehler);
        return false;
    } catch (const std::bad_alloc&) {
    } catch (const std::exception&) {
    }
    ctx.reportFailure();
    return false;
}
