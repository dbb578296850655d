#include "platform/qt/Bildschirm.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

// Xlib's macros clash with Qt's names, so its headers come last.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

QImage CaptureScreen()
{
    QScreen* bildschirm = QGuiApplication::primaryScreen();
    return bildschirm ? bildschirm->grabWindow(0).toImage() : QImage();
}

std::optional<Zeiger> GetCursorInfo()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* anzeige = x11 ? x11->display() : nullptr;
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    int ereignisBasis = 0;
    int fehlerBasis = 0;
    if (!anzeige || !bildschirm || !XFixesQueryExtension(anzeige, &ereignisBasis, &fehlerBasis))
        return std::nullopt;
    XFixesCursorImage* zeiger = XFixesGetCursorImage(anzeige);
    if (!zeiger)
        return std::nullopt;
    // Each pixel is premultiplied ARGB in the low 32 bits of an unsigned long.
    QImage bild(zeiger->width, zeiger->height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < bild.height(); ++y) {
        auto* zeile = reinterpret_cast<QRgb*>(bild.scanLine(y));
        for (int x = 0; x < bild.width(); ++x)
            zeile[x] = static_cast<QRgb>(zeiger->pixels[y * zeiger->width + x] & 0xFFFFFFFFu);
    }
    // The X server counts in device pixels from the root window's corner; the hot spot is where the pointer points.
    const QPoint ursprung = bildschirm->geometry().topLeft() * bildschirm->devicePixelRatio();
    const QPoint position = QPoint(zeiger->x - zeiger->xhot, zeiger->y - zeiger->yhot) - ursprung;
    XFree(zeiger);
    return Zeiger{bild, position};
}

void Zeiger_Einzeichnen(QImage& bild, const Zeiger& zeiger)
{
    if (bild.isNull() || zeiger.bild.isNull())
        return;
    QPainter painter(&bild);
    painter.drawImage(zeiger.position, zeiger.bild);
}
