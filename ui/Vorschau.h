#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>

// The preview box: its background colour and the display raster fitted and
// centred into it, keeping the raster's proportions.
class Vorschau : public QWidget {
    Q_OBJECT
public:
    explicit Vorschau(QWidget* parent = nullptr);
    void setHintergrund(const QColor& farbe);
    // Loads the display raster from its file; an empty path clears the picture.
    void zeigen(const QString& datei);
    void leeren();
    // Where the picture lands in the box.
    static QRect Einpassen(const QSize& bild, const QRect& box);

signals:
    void groesseGeaendert(QSize groesse);
    void rechtsKlick();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor hintergrund_{192, 192, 192};
    QImage bild_;
};
