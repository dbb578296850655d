#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>

// The preview box: its background colour, the display raster fitted and
// centred into it, and above it the overlay on which the user draws auxiliary
// lines and frames. The overlay is white where nothing is drawn; drawing
// inverts, so drawing the same frame twice removes it again.
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

    // Auxiliary drawing with the left mouse button, and the cursor and hint that say so.
    void setZeichnen(bool an);
    void Cursor_Form();
    // The program's four cursors: 1 moving, 2 zoom, 3 drawing, 4 setting a reference point.
    static QCursor Cursor(int nummer);
    void linienLoeschen();
    // A frame between two overlay points: solid black, then dotted blue over it.
    void Zeichne_Rahmen(QPoint von, QPoint bis);
    // The overlay position of a pixel of the display raster.
    QPoint Bild_to_Vorschau(int x, int y) const;
    const QImage& ueberlagerung() const { return ueberlagerung_; }

signals:
    void groesseGeaendert(QSize groesse);
    void rechtsKlick();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor hintergrund_{192, 192, 192};
    QImage bild_;
    QImage ueberlagerung_;
    bool zeichnen_ = false;
    bool ziehen_ = false;
    QPoint start_;
    QPoint aktuell_;
};
