#include "platform/qt/Dateiverknuepfung.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString mimeTyp = QStringLiteral("application/x-lumivex-project");
const QString eintragName = QStringLiteral("lumivex.desktop");

QString datenOrdner()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString mimeDatei()
{
    return datenOrdner() + QStringLiteral("/mime/packages/lumivex-lvx.xml");
}

QString eintragDatei()
{
    return datenOrdner() + QStringLiteral("/applications/") + eintragName;
}

bool schreiben(const QString& pfad, const QByteArray& inhalt)
{
    if (!QDir().mkpath(QFileInfo(pfad).absolutePath()))
        return false;
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly | QIODevice::Truncate) && datei.write(inhalt) == inhalt.size();
}

// The desktop's caches follow when their tools are installed; without them the
// files alone are read at the next login.
void datenbankenErneuern()
{
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!mime.isEmpty())
        QProcess::execute(mime, {datenOrdner() + QStringLiteral("/mime")});
    const QString desktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (!desktop.isEmpty())
        QProcess::execute(desktop, {datenOrdner() + QStringLiteral("/applications")});
}

}

bool InstallExt(const QString& programm)
{
    const QByteArray mime = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                            "  <mime-type type=\"application/x-lumivex-project\">\n"
                            "    <comment>Lumivex</comment>\n"
                            "    <glob pattern=\"*.lvx\"/>\n"
                            "    <glob pattern=\"*.LVX\"/>\n"
                            "  </mime-type>\n"
                            "</mime-info>\n";
    // The file name is handed over as the first argument, quoted by the desktop.
    const QByteArray eintrag = "[Desktop Entry]\nType=Application\nName=Lumivex\nExec=\"" + programm.toUtf8()
        + "\" %f\nIcon=image-x-generic\nMimeType=" + mimeTyp.toUtf8() + ";\nTerminal=false\nCategories=Graphics;\n";
    if (!schreiben(mimeDatei(), mime) || !schreiben(eintragDatei(), eintrag))
        return false;
    datenbankenErneuern();
    return true;
}

bool UnInstallExt()
{
    bool ok = true;
    for (const QString& pfad : {mimeDatei(), eintragDatei()})
        if (QFile::exists(pfad) && !QFile::remove(pfad))
            ok = false;
    datenbankenErneuern();
    return ok;
}
