#include "ui/TFormVollbild.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "compose/Pipeline.h"
#include "ui/Vorschau.h"

TFormVollbild::TFormVollbild(Programm& p, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), p_(p)
{
    setObjectName(QStringLiteral("TFormVollbild"));
}

void TFormVollbild::Init(const Farbe& hintergrund)
{
    if (!Vollbild_Berechnen(p_))
        return;
    bild_ = QImage(QString::fromStdString(p_.bilder.ergebnis().slot[SlotVollbild].pfad));
    if (bild_.isNull())
        return;
    hintergrund_ = QColor(hintergrund.r, hintergrund.g, hintergrund.b);
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        setGeometry(bildschirm->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    exec();
    bild_ = QImage();
}

QRect TFormVollbild::VollbildImage() const
{
    return Vorschau::Einpassen(bild_.size(), rect());
}

void TFormVollbild::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), hintergrund_);
    painter.drawImage(VollbildImage(), bild_);
}

void TFormVollbild::keyPressEvent(QKeyEvent*)
{
    accept();
}

void TFormVollbild::mousePressEvent(QMouseEvent*)
{
    accept();
}
