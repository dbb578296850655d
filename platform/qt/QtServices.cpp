#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon icon(Sprache::Titel titel)
{
    switch (titel) {
    case Sprache::Titel::Information: return QMessageBox::Information;
    case Sprache::Titel::Warnung: return QMessageBox::Warning;
    case Sprache::Titel::Fehler: return QMessageBox::Critical;
    case Sprache::Titel::Bestaetigung: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}

void QtMessages::show(Sprache::Titel titel, const std::string& text)
{
    QMessageBox box(icon(titel), QString::fromUtf8(Sprache::Titeltext(titel)), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

Antwort QtMessages::ask(Sprache::Titel titel, const std::string& text, bool withCancel)
{
    QMessageBox box(icon(titel), QString::fromUtf8(Sprache::Titeltext(titel)), QString::fromStdString(text),
                    QMessageBox::NoButton, parent_);
    QPushButton* ja = box.addButton(QString::fromUtf8(Sprache::Ja), QMessageBox::YesRole);
    QPushButton* nein = box.addButton(QString::fromUtf8(Sprache::Nein), QMessageBox::NoRole);
    QPushButton* abbrechen = withCancel ? box.addButton(QString::fromUtf8(Sprache::Abbrechen), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(ja);
    box.setEscapeButton(withCancel ? abbrechen : nein);
    box.exec();
    if (box.clickedButton() == ja)
        return Antwort::Ja;
    if (withCancel && box.clickedButton() != nein)
        return Antwort::Abbrechen;
    return Antwort::Nein;
}

QtEvents::~QtEvents()
{
    setBusyCursor(false);
}

void QtEvents::processEvents(const AppState&)
{
    if (timer_.elapsed() < 30)
        return;
    timer_.restart();
    QCoreApplication::processEvents();
}

void QtEvents::setBusyCursor(bool busy)
{
    if (busy == busyCursor_ || !qApp)
        return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
