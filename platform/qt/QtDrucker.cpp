#include "platform/qt/QtDrucker.h"

#include <cups/cups.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Most drivers print at this resolution when the queue names none.
constexpr int UsualDpi = 300;

int pixels(double points, int dpi)
{
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

int clampInt(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
}

// The queue's default resolution as the scheduler reports it (for a PPD queue,
// its DefaultResolution); empty when it names none.
QSize cupsResolution(const QString& name)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return {};
    QSize result;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t* a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
            ipp_res_t unit = IPP_RES_PER_INCH;
            int y = 0;
            const int x = ippGetResolution(a, 0, &y, &unit);
            const double f = unit == IPP_RES_PER_CM ? 2.54 : 1.0;
            result = QSize(static_cast<int>(std::lround(x * f)), static_cast<int>(std::lround(y * f)));
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return result.width() > 0 && result.height() > 0 ? result : QSize();
}

}

QtPrinterSurface::QtPrinterSurface()
{
    printer_.setFullPage(true);
    printer_.setDocName(QStringLiteral("Lumivex"));
}

QMarginsF QtPrinterSurface::margins() const
{
    return printer_.pageLayout().minimumMargins();
}

int QtPrinterSurface::offsetX() const
{
    return pixels(margins().left(), dpiX());
}

int QtPrinterSurface::offsetY() const
{
    return pixels(margins().top(), dpiY());
}

int QtPrinterSurface::pageWidth() const
{
    const double width = printer_.pageLayout().fullRect(QPageLayout::Point).width();
    return pixels(width - margins().left() - margins().right(), dpiX());
}

bool QtPrinterSurface::beginDocument()
{
    const int rx = dpiX();
    const int ry = dpiY();
    if (painter_.isActive() || rx <= 0 || ry <= 0 || !prepare())
        return false;
    printer_.setFullPage(true);
    printer_.setResolution(rx);
    if (!painter_.begin(&printer_)) {
        finish(false);
        return false;
    }
    painter_.setRenderHint(QPainter::LosslessImageRendering);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    // The printer's unit is x's; a y unit is dpiX ÷ dpiY of them.
    painter_.scale(1.0, static_cast<double>(rx) / ry);
    painter_.translate(offsetX(), offsetY());
    return true;
}

bool QtPrinterSurface::endDocument()
{
    if (!painter_.isActive())
        return false;
    return finish(painter_.end());
}

void QtPrinterSurface::abortDocument()
{
    if (!painter_.isActive())
        return;
    printer_.abort();
    painter_.end();
    finish(false);
}

bool QtPrinterSurface::drawImage(const PrintImage& image, const DeviceRect& r)
{
    const size_t bytes = 3 * static_cast<size_t>(std::max(image.width, 0)) * static_cast<size_t>(std::max(image.height, 0));
    if (!painter_.isActive() || image.width <= 0 || image.height <= 0 || image.bgr.size() != bytes)
        return false;
    const QImage picture(image.bgr.data(), image.width, image.height, 3 * image.width, QImage::Format_BGR888);
    painter_.drawImage(QRect(QPoint(clampInt(r.left), clampInt(r.top)), QPoint(clampInt(r.right) - 1, clampInt(r.bottom) - 1)),
                       picture);
    return true;
}

void QtPrinterSurface::setFont(const std::string& face, int points)
{
    font_ = QFont(QString::fromStdString(face), points);
    font_.setStyle(QFont::StyleNormal);
    font_.setWeight(QFont::Normal);
}

int64_t QtPrinterSurface::textWidth(const std::string& text) const
{
    QPrinter& device = const_cast<QPrinter&>(printer_);
    return std::llround(QFontMetricsF(font_, &device).horizontalAdvance(QString::fromStdString(text)));
}

bool QtPrinterSurface::drawText(int64_t x, int64_t y, const std::string& text)
{
    if (!painter_.isActive())
        return false;
    // Text is drawn unscaled, so letters keep their shape when x and y resolutions differ.
    const QPointF corner = painter_.transform().map(QPointF(static_cast<double>(x), static_cast<double>(y)));
    painter_.save();
    painter_.resetTransform();
    painter_.setFont(font_);
    painter_.setPen(Qt::black);
    const double ascent = QFontMetricsF(font_, &printer_).ascent();
    painter_.drawText(corner + QPointF(0, ascent), QString::fromStdString(text));
    painter_.restore();
    return true;
}

CupsPrinters::CupsPrinters()
{
    selectDefault();
}

void CupsPrinters::selectDefault()
{
    QString name = QPrinterInfo::defaultPrinterName();
    const QStringList all = QPrinterInfo::availablePrinterNames();
    if (!all.contains(name))
        name = all.value(0);
    select(name);
}

void CupsPrinters::select(const QString& name)
{
    name_ = name;
    // Naming the printer again would reset what the set-up dialog chose.
    if (!name_.isEmpty() && printer_.printerName() != name_)
        printer_.setPrinterName(name_);
}

std::vector<std::string> CupsPrinters::names() const
{
    std::vector<std::string> list;
    for (const QString& n : QPrinterInfo::availablePrinterNames())
        list.push_back(n.toStdString());
    return list;
}

int CupsPrinters::current() const
{
    return name_.isEmpty() ? -1 : static_cast<int>(QPrinterInfo::availablePrinterNames().indexOf(name_));
}

void CupsPrinters::setCurrent(int index)
{
    select(QPrinterInfo::availablePrinterNames().value(index));
}

bool CupsPrinters::setupDialog()
{
    // A printer installed since the start is found now.
    if (current() < 0)
        selectDefault();
    if (current() < 0)
        return false;
    const bool ok = dialog ? dialog(printer_) : QPrintDialog(&printer_).exec() == QDialog::Accepted;
    if (ok)
        select(printer_.printerName());
    return ok && current() >= 0;
}

QSize CupsPrinters::resolution() const
{
    if (name_.isEmpty())
        return {0, 0};
    if (!cached_ || cached_->first != name_) {
        QSize r = cupsResolution(name_);
        cached_ = {name_, r.isValid() ? r : QSize(UsualDpi, UsualDpi)};
    }
    return cached_->second;
}

bool CupsPrinters::prepare()
{
    if (name_.isEmpty())
        return false;
    // Without any printer at its start Qt's printer writes PDF files.
    if (printer_.outputFormat() != QPrinter::NativeFormat)
        printer_.setOutputFormat(QPrinter::NativeFormat);
    select(name_);
    return printer_.isValid();
}

PdfPrinter::PdfPrinter(const QString& file, int dpi) : file_(file), dpi_(dpi)
{
    setPaper(21.0, 29.7);
}

void PdfPrinter::setPaper(double widthCm, double heightCm)
{
    printer_.setPageLayout(QPageLayout(QPageSize(QSizeF(widthCm * 10, heightCm * 10), QPageSize::Millimeter),
                                       QPageLayout::Portrait, QMarginsF()));
}

std::vector<std::string> PdfPrinter::names() const
{
    return {QFileInfo(file_).fileName().toStdString()};
}

bool PdfPrinter::prepare()
{
    QTemporaryFile temp(QFileInfo(file_).absolutePath() + QStringLiteral("/.lumivex-XXXXXX.pdf"));
    temp.setAutoRemove(false);
    if (!temp.open())
        return false;
    temp_ = temp.fileName();
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(temp_);
    return true;
}

bool PdfPrinter::finish(bool printed)
{
    const QByteArray temp = QFile::encodeName(temp_);
    // The temporary file was private; the PDF gets the permissions of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const bool ok = printed && ::chmod(temp.constData(), 0666 & ~mask) == 0
        && std::rename(temp.constData(), QFile::encodeName(file_).constData()) == 0;
    if (!ok)
        std::remove(temp.constData());
    return ok;
}
