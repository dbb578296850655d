#include "platform/qt/QtText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstring>

GreyImage QtTextRaster::render(const std::string& text, const std::string& face, int height) const
{
    QFont font(QString::fromStdString(face));
    font.setPixelSize(std::max(height, 1));
    font.setStyleStrategy(QFont::NoAntialias);
    const QString line = QString::fromStdString(text);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(line);
    if (width <= 0 || metrics.height() <= 0)
        return {};
    QImage image(width, metrics.height(), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(0, metrics.ascent(), line);
    painter.end();
    GreyImage g{image.width(), image.height(), {}};
    g.pixels.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
    for (int y = 0; y < g.height; ++y)
        std::memcpy(g.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(g.width), image.constScanLine(y),
                    static_cast<size_t>(g.width));
    return g;
}
