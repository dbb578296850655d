#include "ui/TFormLinsenansicht.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QVBoxLayout>

#include "ui/Vorschau.h"
#include "ui/Widgets.h"

namespace {

// Draws the view fitted into its area with the proportions of the result, since
// the view holds one pixel per lens across the lenses.
class Ansichtsflaeche : public QWidget {
public:
    Ansichtsflaeche(const QImage& bild, QSize verhaeltnis) : bild_(bild), verhaeltnis_(verhaeltnis)
    {
        setMinimumSize(320, 240);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        if (!bild_.isNull())
            painter.drawImage(Vorschau::Einpassen(verhaeltnis_, rect()), bild_);
    }

private:
    const QImage& bild_;
    QSize verhaeltnis_;
};

}

TFormLinsenansicht::TFormLinsenansicht(Programm& p, QWidget* eltern)
    : QDialog(eltern), p_(p), teilung_(Linsenteilung_Berechnen(p))
{
    setObjectName(QStringLiteral("TFormLinsenansicht"));
    setWindowTitle(text(Sprache::Linsenansicht));
    auto* layout = new QVBoxLayout(this);
    auto* hinweis = new QLabel(text(Sprache::LinsenansichtHinweis));
    hinweis->setWordWrap(true);
    layout->addWidget(hinweis);
    const RasterSlot& r = p_.bilder.ergebnis().slot[SlotFarbErgebnis];
    flaeche_ = new Ansichtsflaeche(bild_, QSize(r.breite, r.hoehe));
    layout->addWidget(flaeche_, 1);
    LinsenPositionTrackBar = benannt(new QSlider(Qt::Horizontal), "LinsenPositionTrackBar");
    LinsenPositionTrackBar->setRange(0, std::max(teilung_.positionen - 1, 0));
    LinsenPositionTrackBar->setPageStep(1);
    LinsenPositionTrackBar->setTickPosition(QSlider::TicksBelow);
    layout->addWidget(LinsenPositionTrackBar);
    LinsenPositionLabel = benannt(new QLabel, "LinsenPositionLabel");
    layout->addWidget(LinsenPositionLabel);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(knoepfe);
    beiRuhe(LinsenPositionTrackBar, this, [this] { Position_Zeigen(LinsenPositionTrackBar->value()); });
    resize(800, 600);
    Position_Zeigen(0);
}

void TFormLinsenansicht::Position_Zeigen(int position)
{
    // Reading the view lets events through; a slider moved meanwhile is shown afterwards.
    if (rechnet_ || teilung_.positionen < 1)
        return;
    rechnet_ = true;
    Linsenbild ansicht;
    const bool ok = Linsenansicht(p_.ctx, p_.bilder.ergebnis().slot[SlotFarbErgebnis], teilung_, position,
                                  p_.ctx.state.screenWidth, p_.ctx.state.screenHeight, ansicht);
    // A view that could not be read is reported; it stops nothing else.
    p_.ctx.state.abort = false;
    bild_ = ok ? QImage(ansicht.bgr.data(), ansicht.breite, ansicht.hoehe, ansicht.breite * 3, QImage::Format_BGR888)
                     .copy()
               : QImage();
    LinsenPositionLabel->setText(text(Sprache::LinsenPosition).arg(position + 1).arg(teilung_.positionen));
    flaeche_->update();
    rechnet_ = false;
    if (LinsenPositionTrackBar->value() != position && !LinsenPositionTrackBar->isSliderDown())
        Position_Zeigen(LinsenPositionTrackBar->value());
}
