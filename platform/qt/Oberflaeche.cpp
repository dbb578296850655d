#include "platform/qt/Oberflaeche.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

bool QtTexteDeutsch()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    auto* uebersetzung = new QTranslator(QCoreApplication::instance());
    if (!uebersetzung->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete uebersetzung;
        return false;
    }
    return QCoreApplication::installTranslator(uebersetzung);
}

bool DokumentOeffnen(const QString& pfad)
{
    // Opening reports success as soon as the opener has started, even when it
    // then finds no program; so the desktop's choice is asked first.
    const QString abfrage = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (abfrage.isEmpty())
        return false;
    QProcess prozess;
    prozess.start(abfrage, {QStringLiteral("query"), QStringLiteral("default"),
                            QMimeDatabase().mimeTypeForFile(pfad).name()});
    if (!prozess.waitForFinished(5000) || prozess.exitCode() != 0
        || prozess.readAllStandardOutput().trimmed().isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pfad));
}
