#include "ui/Vorschau.h"

#include <QMouseEvent>
#include <QPainter>
#include <functional>

namespace {

QPixmap leer()
{
    QPixmap bild(32, 32);
    bild.fill(Qt::transparent);
    return bild;
}

// Draws each stroke white and wide, then black and thin, so the cursor shows on any picture.
void umrandet(QPainter& painter, const std::function<void(QPainter&)>& striche)
{
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& [farbe, breite] : {std::pair{QColor(Qt::white), 3.0}, std::pair{QColor(Qt::black), 1.0}}) {
        painter.setPen(QPen(farbe, breite));
        painter.setBrush(Qt::NoBrush);
        striche(painter);
    }
}

}

QCursor Vorschau::Cursor(int nummer)
{
    QPixmap bild = leer();
    QPainter painter(&bild);
    switch (nummer) {
    case 1:  // moving: four arrow heads
        umrandet(painter, [](QPainter& p) {
            p.drawLine(16, 4, 16, 28);
            p.drawLine(4, 16, 28, 16);
            p.drawPolyline(QPolygon({QPoint(12, 8), QPoint(16, 4), QPoint(20, 8)}));
            p.drawPolyline(QPolygon({QPoint(12, 24), QPoint(16, 28), QPoint(20, 24)}));
            p.drawPolyline(QPolygon({QPoint(8, 12), QPoint(4, 16), QPoint(8, 20)}));
            p.drawPolyline(QPolygon({QPoint(24, 12), QPoint(28, 16), QPoint(24, 20)}));
        });
        break;
    case 2:  // a magnifier
        umrandet(painter, [](QPainter& p) {
            p.drawEllipse(QRect(4, 4, 16, 16));
            p.drawLine(18, 18, 28, 28);
        });
        return QCursor(bild, 12, 12);
    case 3:  // drawing: a cross with a gap at its centre, so the point stays visible
        umrandet(painter, [](QPainter& p) {
            p.drawLine(16, 2, 16, 12);
            p.drawLine(16, 20, 16, 30);
            p.drawLine(2, 16, 12, 16);
            p.drawLine(20, 16, 30, 16);
        });
        break;
    default:  // the reference point: a ring around the cross
        umrandet(painter, [](QPainter& p) {
            p.drawEllipse(QRect(9, 9, 14, 14));
            p.drawLine(16, 2, 16, 30);
            p.drawLine(2, 16, 30, 16);
        });
        break;
    }
    return QCursor(bild, 16, 16);
}

Vorschau::Vorschau(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VorschauShape"));
    setMinimumSize(1, 1);
    Cursor_Form();
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

void Vorschau::setZeichnen(bool an)
{
    zeichnen_ = an;
    Cursor_Form();
}

void Vorschau::Cursor_Form()
{
    if (zeichnen_) {
        setCursor(Cursor(3));
        setToolTip(QString::fromUtf8("linke Maustaste: Zeichnen von Hilfslinien/Hilfsrahmen für die Bildjustierung; "
                                     "rechte Maustaste: Vollbilddarstellung"));
    } else {
        unsetCursor();
        setToolTip(QString::fromUtf8("rechte Maustaste: Vollbilddarstellung"));
    }
}

void Vorschau::linienLoeschen()
{
    ueberlagerung_.fill(Qt::white);
    update();
}

void Vorschau::Zeichne_Rahmen(QPoint von, QPoint bis)
{
    QPainter painter(&ueberlagerung_);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setBrush(Qt::NoBrush);
    const QRect rahmen = QRect(von, bis).normalized();
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawRect(rahmen);
    painter.setPen(QPen(Qt::blue, 1, Qt::DotLine));
    painter.drawRect(rahmen);
    update();
}

QPoint Vorschau::Bild_to_Vorschau(int x, int y) const
{
    const QRect r = Einpassen(bild_.size(), rect());
    if (bild_.isNull())
        return {};
    return {r.left() + qRound(static_cast<double>(r.width()) * x / bild_.width()),
            r.top() + qRound(static_cast<double>(r.height()) * y / bild_.height())};
}

void Vorschau::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), hintergrund_);
    if (!bild_.isNull())
        painter.drawImage(Einpassen(bild_.size(), rect()), bild_);
    // Multiplying leaves the picture where the overlay is white.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.drawImage(0, 0, ueberlagerung_);
}

void Vorschau::resizeEvent(QResizeEvent*)
{
    QImage neu(size(), QImage::Format_RGB32);
    neu.fill(Qt::white);
    if (!ueberlagerung_.isNull()) {
        QPainter painter(&neu);
        painter.drawImage(0, 0, ueberlagerung_);
    }
    ueberlagerung_ = neu;
    emit groesseGeaendert(size());
}

void Vorschau::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton) {
        emit rechtsKlick();
        return;
    }
    if (!zeichnen_ || event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier)
        return;
    ziehen_ = true;
    start_ = aktuell_ = event->position().toPoint();
    Zeichne_Rahmen(start_, aktuell_);
}

void Vorschau::mouseMoveEvent(QMouseEvent* event)
{
    if (!ziehen_ || event->buttons() != Qt::LeftButton)
        return;
    Zeichne_Rahmen(start_, aktuell_);
    aktuell_ = event->position().toPoint();
    Zeichne_Rahmen(start_, aktuell_);
}

void Vorschau::mouseReleaseEvent(QMouseEvent*)
{
    if (!ziehen_)
        return;
    ziehen_ = false;
    Zeichne_Rahmen(start_, aktuell_);
    Zeichne_Rahmen(start_, aktuell_);
}
