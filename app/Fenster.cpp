#include "app/Fenster.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <cstdio>
#include <memory>

#include "commands/Bilder.h"
#include "imageio/BildLaden.h"
#include "model/Programm.h"
#include "platform/HeadlessServices.h"
#include "platform/PosixFiles.h"
#include "platform/Signale.h"
#include "platform/qt/Oberflaeche.h"
#include "platform/qt/QtDrucker.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtText.h"
#include "ui/TForm1.h"

int FensterStarten(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(Sprache::Anwendungstitel));
    QtTexteDeutsch();
    const TempFolderResult temp = PrepareTempFolder();
    QtMessages messages;
    if (temp.path.empty()) {
        messages.show(Sprache::Titel::Fehler, temp.error);
        return 1;
    }
    QtEvents events;
    PosixFiles files(temp.path);
    QtDisplay display;
    CupsPrinters printers;
    QtTextRaster textRaster;
    Programm programm(Services{messages, events, files, display, printers, textRaster});
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        programm.ctx.state.screenWidth = screen->size().width();
        programm.ctx.state.screenHeight = screen->size().height();
    }
    programm.ctx.state.programFolder = QCoreApplication::applicationDirPath().toStdString();
    Temp_Aufraeumen(programm.ctx);
    VerwaisteLaufOrdnerEntfernen(temp.path);
    Init_Pfadnamen(programm);
    QtSettingsStore einstellungen;
    TForm1 fenster(programm, display, &einstellungen);
    messages.setParent(&fenster);
    // A signal stops a running computation at its next row and closes the
    // window without questions: there is nobody to answer them.
    int weck[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> signal;
    if (::pipe2(weck, O_CLOEXEC | O_NONBLOCK) == 0) {
        signal = std::make_unique<QSocketNotifier>(weck[0], QSocketNotifier::Read);
        QObject::connect(signal.get(), &QSocketNotifier::activated, [] { QCoreApplication::exit(1); });
    }
    StoppSignaleAbfangen(weck[1]);
    fenster.Fenster_Zeigen();
    if (argc > 1)
        fenster.ProjektOeffnen(QString::fromLocal8Bit(argv[1]));
    const int ergebnis = StoppAngefordert() ? 1 : QApplication::exec();
    programm.DateienLoeschen();
    return ergebnis;
}
