#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>
#include <array>

class QFrame;

// The preview box: its background colour, the display raster fitted and
// centred into it, and above it two overlay layers: one for the crop frame,
// one on which the user draws auxiliary lines and frames. An overlay is white
// where nothing is drawn; drawing inverts, so drawing the same frame twice
// removes it again.
class Vorschau : public QWidget {
    Q_OBJECT
public:
    explicit Vorschau(QWidget* parent = nullptr);
    void setzeHintergrund(const QColor& farbe);
    // Loads the display raster from its file; an empty path clears the picture.
    void zeigen(const QString& datei);
    // Shows a picture held in memory in the same place.
    void zeigen(const QImage& bild);
    void leeren();
    // Where the picture lands in the box.
    static QRect Einpassen(const QSize& bild, const QRect& box);
    QRect bildRechteck() const { return Einpassen(bild_.size(), rect()); }

    // Auxiliary drawing with the left mouse button, and the cursor and hint that say so.
    void setzeZeichnen(bool an);
    // While a reference point is being set, a left click is handed on (referenzKlick).
    void setzeReferenzSetzen(bool an);
    void Cursor_Form();
    // The program's four cursors: 1 moving, 2 zoom, 3 drawing, 4 setting a reference point.
    static QCursor Cursor(int nummer);
    // Clears both overlay layers.
    void linienLoeschen();
    // A frame between two overlay points: solid black, then dotted blue over it.
    void Zeichne_Rahmen(QPoint von, QPoint bis);
    // The overlay position of a pixel of the display raster.
    QPoint Bild_to_Vorschau(int x, int y) const;
    const QImage& ueberlagerung() const { return ueberlagerung_; }

    // The crop frame, carried by five 9 × 9 handles: 1 top-left, 2 top-right,
    // 3 bottom-right, 4 bottom-left, 0 in the centre. A handle's position is
    // its top-left pixel; its centre lies 4 pixels right of and below it.
    QPoint griff(int nummer) const;
    // Handles 1 and 3 to these positions; the others follow.
    void Griffe_Setzen(QPoint linksOben, QPoint rechtsUnten);
    // The handles on the corners of the picture.
    void Druckbereich_PosInit();
    // Handles shown and the frame drawn, or hidden and the frame's layer cleared.
    void Druckbereich_Show(bool an);
    void Druckbereich_Zeichnen();
    // Shrinks the frame on one side to the ratio qb : qh about the centre handle.
    void Rahmen_Verhaeltnis(int qb, int qh);
    const QImage& rahmenEbene() const { return rahmen_; }

signals:
    void groesseGeaendert(QSize groesse);
    void rechtsKlick();
    void referenzKlick(QPoint position);
    // A handle was dragged; at the end of the drag the frame is in order again.
    void griffGezogen();
    void griffLosgelassen();
    // The wheel turned with Ctrl held: zoom steps in (positive) or out, about position.
    void zoomRad(int schritte, QPoint position);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class Griff;
    void griffDruck(int nummer);
    void griffZiehen(int nummer, QPoint position);
    void griffLos();
    void griffeFolgen();
    void zeichneRechteck(QImage& ebene, const QRect& rahmen, const QColor& punkte);

    QColor hintergrund_{192, 192, 192};
    QImage bild_;
    QImage rahmen_;
    QImage ueberlagerung_;
    bool zeichnen_ = false;
    bool referenzSetzen_ = false;
    bool ziehen_ = false;
    QPoint start_;
    QPoint aktuell_;
    std::array<QFrame*, 5> griffe_{};
    // Wheel turns short of a whole notch, as fine-grained wheels and touchpads send them.
    int rad_ = 0;
    // Where the pointer may go while a handle is dragged.
    QRect begrenzung_;
};
