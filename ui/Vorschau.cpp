#include "ui/Vorschau.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

#include "core/Sprache.h"

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

// A handle of the crop frame: it hands its mouse events to the preview.
class Griff : public QFrame {
public:
    Griff(Vorschau* vorschau, int nummer) : QFrame(vorschau), vorschau_(vorschau), nummer_(nummer)
    {
        setObjectName(QStringLiteral("Panel%1").arg(nummer));
        setFixedSize(9, 9);
        setStyleSheet(QStringLiteral("background-color: black; border: 1px solid white;"));
        hide();
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            vorschau_->griffDruck(nummer_);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() == Qt::LeftButton)
            vorschau_->griffZiehen(nummer_, mapTo(vorschau_, event->position().toPoint()));
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            vorschau_->griffLos();
    }

private:
    Vorschau* vorschau_;
    int nummer_;
};

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
    for (int n = 0; n < 5; ++n)
        griffe_[static_cast<size_t>(n)] = new Griff(this, n);
    Cursor_Form();
}

void Vorschau::setzeHintergrund(const QColor& farbe)
{
    hintergrund_ = farbe;
    update();
}

void Vorschau::zeigen(const QString& datei)
{
    zeigen(datei.isEmpty() ? QImage() : QImage(datei));
}

void Vorschau::zeigen(const QImage& bild)
{
    bild_ = bild;
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

void Vorschau::setzeZeichnen(bool an)
{
    zeichnen_ = an;
    Cursor_Form();
}

void Vorschau::setzeReferenzSetzen(bool an)
{
    referenzSetzen_ = an;
    Cursor_Form();
}

void Vorschau::Cursor_Form()
{
    if (referenzSetzen_) {
        setCursor(Cursor(4));
        setToolTip(QString::fromUtf8(Sprache::ReferenzpunktHinweis));
    } else if (zeichnen_) {
        setCursor(Cursor(3));
        setToolTip(QString::fromUtf8(Sprache::HilfslinienHinweis));
    } else {
        unsetCursor();
        setToolTip(QString::fromUtf8(Sprache::VollbildHinweis));
    }
}

void Vorschau::linienLoeschen()
{
    rahmen_.fill(Qt::white);
    ueberlagerung_.fill(Qt::white);
    update();
}

void Vorschau::zeichneRechteck(QImage& ebene, const QRect& rahmen, const QColor& punkte)
{
    QPainter painter(&ebene);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawRect(rahmen);
    painter.setPen(QPen(punkte, 1, Qt::DotLine));
    painter.drawRect(rahmen);
    update();
}

void Vorschau::Zeichne_Rahmen(QPoint von, QPoint bis)
{
    zeichneRechteck(ueberlagerung_, QRect(von, bis).normalized(), Qt::blue);
}

QPoint Vorschau::griff(int nummer) const
{
    return griffe_[static_cast<size_t>(nummer)]->pos();
}

void Vorschau::griffeFolgen()
{
    const QPoint lo = griff(1), ru = griff(3);
    griffe_[2]->move(ru.x(), lo.y());
    griffe_[4]->move(lo.x(), ru.y());
    // Halves rounded toward zero, as integer division does.
    griffe_[0]->move((lo.x() + ru.x()) / 2, (lo.y() + ru.y()) / 2);
}

void Vorschau::Griffe_Setzen(QPoint linksOben, QPoint rechtsUnten)
{
    griffe_[1]->move(linksOben);
    griffe_[3]->move(rechtsUnten);
    griffeFolgen();
}

void Vorschau::Druckbereich_PosInit()
{
    const QRect b = bildRechteck();
    Griffe_Setzen(QPoint(b.left() - 4, b.top() - 4), QPoint(b.left() + b.width() - 5, b.top() + b.height() - 5));
}

void Vorschau::Druckbereich_Show(bool an)
{
    for (QFrame* g : griffe_)
        g->setVisible(an);
    if (an) {
        Druckbereich_Zeichnen();
    } else {
        rahmen_.fill(Qt::white);
        update();
    }
}

void Vorschau::Druckbereich_Zeichnen()
{
    if (rahmen_.isNull())
        return;
    QPainter(&rahmen_).fillRect(QRect(1, 1, rahmen_.width() - 2, rahmen_.height() - 2), Qt::white);
    // The frame runs through the handles' centres; it stays one pixel inside the layer.
    const int links = std::max(griff(1).x() + 4, 1), oben = std::max(griff(1).y() + 4, 1);
    int rechts = griff(3).x() + 5, unten = griff(3).y() + 5;
    if (rechts >= rahmen_.width())
        rechts = rahmen_.width() - 2;
    if (unten >= rahmen_.height())
        unten = rahmen_.height() - 2;
    // Right and bottom lie just outside the frame's last column and row.
    if (rechts - 1 >= links && unten - 1 >= oben)
        zeichneRechteck(rahmen_, QRect(links, oben, rechts - 1 - links, unten - 1 - oben), Qt::green);
    update();
}

void Vorschau::Rahmen_Verhaeltnis(int qb, int qh)
{
    const QPoint lo = griff(1), ru = griff(3), mitte = griff(0);
    const int breite = ru.x() - lo.x(), hoehe = ru.y() - lo.y();
    if (breite <= 0 || hoehe <= 0 || qb <= 0 || qh <= 0)
        return;
    const double q = static_cast<double>(qb) / qh;
    QPoint neuLo = lo, neuRu = ru;
    // Only one side shrinks, re-centred on the centre handle.
    if (static_cast<double>(breite) / hoehe < q) {
        const int h = qRound(breite / q);
        neuLo.setY(mitte.y() - h / 2);
        neuRu.setY(neuLo.y() + h);
    } else {
        const int w = qRound(hoehe * q);
        neuLo.setX(mitte.x() - w / 2);
        neuRu.setX(neuLo.x() + w);
    }
    griffe_[1]->move(neuLo);
    griffe_[3]->move(neuRu);
    griffe_[2]->move(neuRu.x(), neuLo.y());
    griffe_[4]->move(neuLo.x(), neuRu.y());
}

void Vorschau::griffDruck(int nummer)
{
    griffe_[static_cast<size_t>(nummer)]->setCursor(Qt::PointingHandCursor);
    const QRect bild = bildRechteck();
    if (nummer != 0) {
        begrenzung_ = bild;
        return;
    }
    // The centre handle: the whole frame stays on the picture.
    const QPoint versatz = griff(0) - griff(1);
    const QPoint groesse = griff(3) - griff(1);
    begrenzung_ = QRect(bild.left() + versatz.x(), bild.top() + versatz.y(), std::max(bild.width() - groesse.x(), 1),
                        std::max(bild.height() - groesse.y(), 1));
}

void Vorschau::griffZiehen(int nummer, QPoint position)
{
    const QPoint zeiger(std::clamp(position.x(), begrenzung_.left(), begrenzung_.right()),
                        std::clamp(position.y(), begrenzung_.top(), begrenzung_.bottom()));
    const QPoint neu = zeiger - QPoint(4, 4);
    if (nummer == 0) {
        const QPoint groesse = griff(3) - griff(1);
        const QPoint lo = neu - QPoint(groesse.x() / 2, groesse.y() / 2);
        griffe_[0]->move(neu);
        griffe_[1]->move(lo);
        griffe_[3]->move(lo + groesse);
        griffe_[2]->move(lo.x() + groesse.x(), lo.y());
        griffe_[4]->move(lo.x(), lo.y() + groesse.y());
    } else {
        griffe_[static_cast<size_t>(nummer)]->move(neu);
        // The neighbours keep the rectangle: each shares a row or a column with the moved corner.
        const auto setze = [this](int n, int x, int y) { griffe_[static_cast<size_t>(n)]->move(x, y); };
        switch (nummer) {
        case 1: setze(2, griff(2).x(), neu.y()); setze(4, neu.x(), griff(4).y()); break;
        case 2: setze(1, griff(1).x(), neu.y()); setze(3, neu.x(), griff(3).y()); break;
        case 3: setze(4, griff(4).x(), neu.y()); setze(2, neu.x(), griff(2).y()); break;
        default: setze(3, griff(3).x(), neu.y()); setze(1, neu.x(), griff(1).y()); break;
        }
        griffe_[0]->move((griff(1).x() + griff(3).x()) / 2, (griff(1).y() + griff(3).y()) / 2);
    }
    Druckbereich_Zeichnen();
    emit griffGezogen();
}

void Vorschau::griffLos()
{
    int links = griff(1).x(), oben = griff(1).y(), rechts = links, unten = oben;
    for (int n = 1; n <= 4; ++n) {
        links = std::min(links, griff(n).x());
        oben = std::min(oben, griff(n).y());
        rechts = std::max(rechts, griff(n).x());
        unten = std::max(unten, griff(n).y());
    }
    Griffe_Setzen(QPoint(links, oben), QPoint(rechts, unten));
    for (QFrame* g : griffe_)
        g->unsetCursor();
    emit griffLosgelassen();
    Druckbereich_Zeichnen();
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
    // Multiplying leaves the picture where an overlay is white.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.drawImage(0, 0, rahmen_);
    painter.drawImage(0, 0, ueberlagerung_);
}

void Vorschau::resizeEvent(QResizeEvent*)
{
    for (QImage* ebene : {&rahmen_, &ueberlagerung_}) {
        QImage neu(size(), QImage::Format_RGB32);
        neu.fill(Qt::white);
        if (!ebene->isNull())
            QPainter(&neu).drawImage(0, 0, *ebene);
        *ebene = neu;
    }
    emit groesseGeaendert(size());
}

void Vorschau::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton) {
        emit rechtsKlick();
        return;
    }
    if (referenzSetzen_ && event->button() == Qt::LeftButton) {
        emit referenzKlick(event->position().toPoint());
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

void Vorschau::wheelEvent(QWheelEvent* event)
{
    // The wheel alone changes nothing here.
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    event->accept();
    rad_ += event->angleDelta().y();
    const int schritte = rad_ / QWheelEvent::DefaultDeltasPerStep;
    rad_ %= QWheelEvent::DefaultDeltasPerStep;
    if (schritte != 0)
        emit zoomRad(schritte, event->position().toPoint());
}
