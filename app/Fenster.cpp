#include "app/Fenster.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "commands/Bilder.h"
#include "imageio/BildLaden.h"
#include "model/Programm.h"
#include "platform/PosixFiles.h"
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
    Init_Pfadnamen(programm);
    QtSettingsStore einstellungen;
    TForm1 fenster(programm, display, &einstellungen);
    messages.setParent(&fenster);
    fenster.Fenster_Zeigen();
    if (argc > 1)
        fenster.ProjektOeffnen(QString::fromLocal8Bit(argv[1]));
    const int ergebnis = QApplication::exec();
    programm.DateienLoeschen();
    return ergebnis;
}
