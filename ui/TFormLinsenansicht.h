#pragma once
#include <QDialog>
#include <QImage>

#include "compose/Linsenansicht.h"

class QLabel;
class QSlider;

// The lens view of a lenticular result: a slider over the viewing positions
// within a lens and the picture one eye sees through the lens sheet from there,
// drawn in the print's proportions.
class TFormLinsenansicht : public QDialog {
    Q_OBJECT
public:
    TFormLinsenansicht(Programm& p, QWidget* eltern = nullptr);
    // Shows the view from position (0-based); the slider does the same.
    void Position_Zeigen(int position);
    const QImage& bild() const { return bild_; }

private:
    Programm& p_;
    Linsenteilung teilung_;
    QSlider* LinsenPositionTrackBar;
    QLabel* LinsenPositionLabel;
    QWidget* flaeche_;
    QImage bild_;
    bool rechnet_ = false;
};
