#include "ui/Symbole.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

QIcon zeichnen(const std::function<void(QPainter&)>& bild)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2);
    bild(painter);
    return QIcon(pixmap);
}

void seite(QPainter& p, QRectF r)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

void drucker(QPainter& p)
{
    seite(p, QRectF(7, 2, 10, 8));
    p.setBrush(QColor(110, 110, 120));
    p.drawRoundedRect(QRectF(3, 9, 18, 9), 2, 2);
    seite(p, QRectF(7, 15, 10, 7));
}

const std::function<void(QPainter&)> tabBilder[] = {
    [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.setBrush(QColor(255, 90, 90));
        p.drawEllipse(QRectF(3, 3, 12, 12));
        p.setBrush(QColor(90, 220, 90));
        p.drawEllipse(QRectF(9, 3, 12, 12));
        p.setBrush(QColor(90, 120, 255));
        p.drawEllipse(QRectF(6, 9, 12, 12));
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.drawEllipse(QRectF(5, 5, 14, 14));
        p.drawLine(QPointF(12, 1), QPointF(12, 9));
        p.drawLine(QPointF(12, 15), QPointF(12, 23));
        p.drawLine(QPointF(1, 12), QPointF(9, 12));
        p.drawLine(QPointF(15, 12), QPointF(23, 12));
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawPolyline(QPolygonF({QPointF(6, 2), QPointF(6, 18), QPointF(22, 18)}));
        p.drawPolyline(QPolygonF({QPointF(2, 6), QPointF(18, 6), QPointF(18, 22)}));
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(QColor(230, 40, 40));
        p.drawRoundedRect(QRectF(2, 8, 9, 8), 2, 2);
        p.setBrush(QColor(40, 200, 220));
        p.drawRoundedRect(QRectF(13, 8, 9, 8), 2, 2);
        p.drawLine(QPointF(11, 11), QPointF(13, 11));
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.setBrush(QColor(235, 235, 235));
        p.drawRect(QRectF(1, 5, 22, 14));
        p.setBrush(QColor(120, 170, 230));
        p.drawRect(QRectF(3, 8, 8, 8));
        p.drawRect(QRectF(13, 8, 8, 8));
    },
    [](QPainter& p) {
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 6; ++i) {
            p.setBrush(i % 2 ? QColor(70, 110, 200) : QColor(160, 190, 240));
            p.drawRoundedRect(QRectF(1 + i * 3.8, 3, 3.6, 18), 1.8, 1.8);
        }
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.setBrush(QColor(250, 220, 120));
        p.drawRect(QRectF(1, 8, 22, 8));
        for (int i = 0; i < 6; ++i)
            p.drawLine(QPointF(3.5 + i * 3.4, 8), QPointF(3.5 + i * 3.4, i % 2 ? 11 : 13));
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2, 3, 20, 14));
        p.drawLine(QPointF(8, 21), QPointF(16, 21));
        p.drawLine(QPointF(12, 17), QPointF(12, 21));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 9; ++i) {
            p.setBrush(i % 2 ? QColor(230, 60, 60) : QColor(60, 200, 220));
            p.drawRect(QRectF(3 + i * 2.0, 4, 2, 12));
        }
    },
    drucker,
    [](QPainter& p) {
        for (int i = 2; i >= 0; --i)
            seite(p, QRectF(3 + i * 3, 2 + i * 3, 13, 16));
    },
    [](QPainter& p) {
        p.setPen(QColor(40, 40, 40));
        QFont f = p.font();
        f.setPixelSize(18);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("T"));
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(QColor(200, 200, 200));
        p.drawEllipse(QRectF(6, 6, 12, 12));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(12, 12);
            p.rotate(i * 45);
            p.drawLine(QPointF(0, -7), QPointF(0, -10));
            p.restore();
        }
    },
};

}

QIcon TabSymbol(int tab)
{
    return tab >= 0 && tab < 12 ? zeichnen(tabBilder[tab]) : QIcon();
}

QIcon KopierenSymbol()
{
    return zeichnen([](QPainter& p) {
        seite(p, QRectF(3, 2, 12, 15));
        seite(p, QRectF(9, 7, 12, 15));
    });
}

QIcon DruckerSymbol()
{
    return zeichnen(drucker);
}
