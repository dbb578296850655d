#include "ui/Vorschau.h"

#include <QMouseEvent>
#include <QPainter>

Vorschau::Vorschau(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VorschauShape"));
    setMinimumSize(1, 1);
}

void Vorschau::setHintergrund(const QColor& farbe)
{
    hintergrund_ = farbe;
    update();
}

void Vorschau::zeigen(const QString& datei)
{
    bild_ = datei.isEmpty() ? QImage() : QImage(datei);
    update();
}

void Vorschau::leeren()
{
    bild_ = QImage();
    update();
}

QRect Vorschau::Einpassen(const QSize& bild, const QRect& box)
{
    if (bild.isEmpty() || box.isEmpty())
        return {};
    QRect r;
    // MulDiv: the product in 64 bits, rounded to nearest.
    auto mulDiv = [](qint64 a, qint64 b, qint64 c) { return static_cast<int>((a * b * 2 + c) / (2 * c)); };
    if (static_cast<qint64>(box.width()) * bild.height() <= static_cast<qint64>(bild.width()) * box.height()) {
        const int h = mulDiv(box.width(), bild.height(), bild.width());
        r = QRect(box.left(), box.top() + (box.height() - h) / 2, box.width(), h);
    } else {
        const int w = mulDiv(box.height(), bild.width(), bild.height());
        r = QRect(box.left() + (box.width() - w) / 2, box.top(), w, box.height());
    }
    return r.intersected(box);
}

void Vorschau::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), hintergrund_);
    if (bild_.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(Einpassen(bild_.size(), rect()), bild_);
}

void Vorschau::resizeEvent(QResizeEvent*)
{
    emit groesseGeaendert(size());
}

void Vorschau::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton)
        emit rechtsKlick();
}
