#pragma once
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QSize>
#include <functional>
#include <optional>

#include "core/Services.h"

// Drawing on a QPrinter, shared by the system's printers and PDF files. Device
// pixels are the printer's own dots in x and y (which may differ) counted from
// the printable area; images are embedded without lossy compression, since
// JPEG would destroy interlaced columns.
class QtPrinterSurface : public Printers {
public:
    int offsetX() const override;
    int offsetY() const override;
    int pageWidth() const override;
    bool beginDocument() override;
    bool endDocument() override;
    void abortDocument() override;
    bool drawImage(const PrintImage& image, const DeviceRect& r) override;
    void setFont(const std::string& face, int points) override;
    int64_t textWidth(const std::string& text) const override;
    bool drawText(int64_t x, int64_t y, const std::string& text) override;

protected:
    QtPrinterSurface();
    // Points the printer at its device or file before a document; false when it cannot print.
    virtual bool prepare() = 0;
    // After the document: printed tells whether it ended well. False when the result is lost.
    virtual bool finish(bool printed) { return printed; }

    QPrinter printer_{QPrinter::HighResolution};

private:
    // The unprintable margins of the page in points.
    QMarginsF margins() const;

    QPainter painter_;
    QFont font_;
};

// The printers of the system (CUPS), in its order. The current one starts as
// the system's default printer (else the first); its resolution is the queue's
// default resolution as CUPS reports it, not Qt's resolution mode.
class CupsPrinters : public QtPrinterSurface {
public:
    CupsPrinters();
    // The set-up dialog; a window, or a test, puts its own here. Default: QPrintDialog.
    std::function<bool(QPrinter&)> dialog;

    std::vector<std::string> names() const override;
    int current() const override;
    void setCurrent(int index) override;
    bool setupDialog() override;
    int dpiX() const override { return resolution().width(); }
    int dpiY() const override { return resolution().height(); }

protected:
    bool prepare() override;

private:
    QSize resolution() const;
    void select(const QString& name);
    // The system's default printer, else the first.
    void selectDefault();

    QString name_;
    mutable std::optional<std::pair<QString, QSize>> cached_;
};

// A PDF file as the only printer, named after the file, at a given
// resolution. The file is written beside under a temporary name and put in
// place only when the document ended well.
class PdfPrinter : public QtPrinterSurface {
public:
    PdfPrinter(const QString& file, int dpi);
    // The paper in centimetres; A4 unless set.
    void setPaper(double widthCm, double heightCm);

    std::vector<std::string> names() const override;
    int current() const override { return 0; }
    void setCurrent(int) override {}
    bool setupDialog() override { return true; }
    int dpiX() const override { return dpi_; }
    int dpiY() const override { return dpi_; }

protected:
    bool prepare() override;
    bool finish(bool printed) override;

private:
    QString file_;
    QString temp_;
    int dpi_;
};
