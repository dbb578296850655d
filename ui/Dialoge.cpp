#include "ui/Dialoge.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QStringList>

#include "core/Sprache.h"
#include "ui/Widgets.h"

QString DialogFilter(const QString& liste)
{
    const QStringList teile = liste.split(QLatin1Char('|'));
    QStringList filter;
    for (qsizetype i = 0; i + 1 < teile.size(); i += 2) {
        QString beschreibung = teile[i].trimmed();
        const qsizetype klammer = beschreibung.lastIndexOf(QLatin1Char('('));
        if (klammer > 0)
            beschreibung = beschreibung.left(klammer).trimmed();
        QString muster = teile[i + 1];
        muster.replace(QLatin1Char(';'), QLatin1Char(' '));
        filter << beschreibung + QStringLiteral(" (") + muster.simplified() + QLatin1Char(')');
    }
    return filter.join(QStringLiteral(";;"));
}

namespace Dialoge {

std::function<std::optional<Farbe>(QWidget*, const Farbe&)> farbe = [](QWidget* eltern, const Farbe& start)
    -> std::optional<Farbe> {
    const QColor c = QColorDialog::getColor(QColor(start.r, start.g, start.b), eltern);
    if (!c.isValid())
        return std::nullopt;
    return Farbe{c.red(), c.green(), c.blue()};
};

std::function<QString(QWidget*)> bildDatei = [](QWidget* eltern) {
    const QString filter =
        DialogFilter(text(Sprache::BilderFilter1) + QLatin1Char('|') + text(Sprache::BilderFilter2));
    return QFileDialog::getOpenFileName(eltern, QString(), QString(), filter);
};

std::function<QString(QWidget*, const QString&)> bmpZiel = [](QWidget* eltern, const QString& ordner) {
    QFileDialog dialog(eltern, QString(), ordner, DialogFilter(text(Sprache::BmpDateiFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("BMP"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
};

std::function<QString(QWidget*, const QString&)> ordnerWahl = [](QWidget* eltern, const QString& start) {
    return QFileDialog::getExistingDirectory(eltern, text(Sprache::Tafel::OrdnerWaehlen), start);
};

std::function<QString(QWidget*, bool, const QString&)> exportDatei = [](QWidget* eltern, bool jpg,
                                                                        const QString& ordner) {
    const QString filter = DialogFilter(text(jpg ? Sprache::JpgDateiFilter : Sprache::BmpDateiFilter));
    // The files written carry numbers after the chosen name, so the name itself is never replaced.
    return QFileDialog::getSaveFileName(eltern, QString(), ordner, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
};

}

Farbfeld::Farbfeld(const char* name)
{
    setObjectName(QString::fromLatin1(name));
    setFixedSize(40, 20);
    zeigen(Farbe{});
}

void Farbfeld::zeigen(const Farbe& f)
{
    setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3); border: 1px solid black;")
                      .arg(f.r)
                      .arg(f.g)
                      .arg(f.b));
}
