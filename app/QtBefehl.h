#pragma once
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/Context.h"
#include "platform/HeadlessServices.h"
#include "platform/qt/QtDrucker.h"
#include "platform/qt/QtText.h"

// Qt's fonts and printers for a command without a window: the offscreen
// platform, whatever display there may be.
class OhneFenster {
public:
    // Qt's own diagnostics are not messages of the program: only its fatal ones are let through.
    OhneFenster() : app_(argc_, argv_)
    {
        qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext&, const QString& text) {
            if (typ == QtFatalMsg)
                std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        });
    }

private:
    int argc_ = 3;
    char name_[8] = "lumivex";
    char option_[10] = "-platform";
    char plattform_[10] = "offscreen";
    char* argv_[4] = {name_, option_, plattform_, nullptr};
    QGuiApplication app_;
};

// The services of a command that prints or renders text: the headless ones
// with the system's printers and Qt's text.
struct QtDienste {
    QtDienste(const std::filesystem::path& tempFolder, bool answerYes) : headless(tempFolder, answerYes) {}
    Services services()
    {
        return Services{headless.messages, headless.events, headless.files, headless.display, drucker, text};
    }

    OhneFenster qt;
    HeadlessServices headless;
    CupsPrinters drucker;
    QtTextRaster text;
};

inline HeadlessMessages& Meldungen(QtDienste& dienste)
{
    return dienste.headless.messages;
}

// Makes the installed printer name current, its set-up dialog confirming at
// once; false after the message when there is no such printer.
inline bool DruckerWaehlen(Context& ctx, CupsPrinters& drucker, const std::string& name)
{
    const std::vector<std::string> namen = drucker.names();
    const auto gefunden = std::find(namen.begin(), namen.end(), name);
    if (gefunden == namen.end()) {
        ctx.message(Sprache::Titel::Fehler, Sprache::DruckerFehlt + name);
        return false;
    }
    drucker.setCurrent(static_cast<int>(gefunden - namen.begin()));
    drucker.dialog = [](QPrinter&) { return true; };
    return true;
}
