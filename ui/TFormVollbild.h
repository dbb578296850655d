#pragma once
#include <QDialog>
#include <QImage>

#include "model/Programm.h"

// The full-screen view: the result on the screen's whole work area, without a
// frame and above every other window, fitted and centred on its background
// colour. Any key or mouse button closes it. Created once, shown on demand.
class TFormVollbild : public QDialog {
    Q_OBJECT
public:
    explicit TFormVollbild(Programm& p, QWidget* parent = nullptr);
    // Builds the full-screen raster from the result and shows it modally;
    // nothing is shown when the raster could not be built.
    void Init(const Farbe& hintergrund);
    // Where the picture lands in the window.
    QRect VollbildImage() const;
    const QImage& bild() const { return bild_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    Programm& p_;
    QColor hintergrund_;
    QImage bild_;
};
