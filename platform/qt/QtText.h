#pragma once
#include "core/Services.h"

// Text rendered with Qt's fonts, without smoothing so that every pixel is
// either text or paper. Needs a QGuiApplication (offscreen will do).
class QtTextRaster : public TextRaster {
public:
    GreyImage render(const std::string& text, const std::string& face, int height) const override;
};
