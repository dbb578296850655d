// Turns the Markdown manual into the PDF that the help menu opens.
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("Aufruf: handbuch_pdf HANDBUCH.md AUSGABE.pdf\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile quelle(QString::fromLocal8Bit(argv[1]));
    if (!quelle.open(QIODevice::ReadOnly))
        return 1;
    QTextDocument dokument;
    dokument.setDefaultFont(QFont(QStringLiteral("Arial"), 11));
    dokument.setMarkdown(QString::fromUtf8(quelle.readAll()));
    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Lumivex 5 - Handbuch"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    // The document lays out in screen pixels; the same resolution fills the page width.
    pdf.setResolution(96);
    dokument.setPageSize(pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    dokument.print(&pdf);
    return 0;
}
