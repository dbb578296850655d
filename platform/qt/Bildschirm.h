#pragma once
#include <QImage>
#include <QPoint>
#include <optional>

// The pointer as the screen shows it: its image and where the image's top-left
// corner lies, in pixels of the captured screen.
struct Zeiger {
    QImage bild;
    QPoint position;
};

// A copy of the primary screen at its full pixel size; a null image where the
// platform offers none (Wayland).
QImage CaptureScreen();
// The pointer over the primary screen, read through the XFixes extension of the
// X server; nothing where it cannot be had (other platforms, no extension).
std::optional<Zeiger> GetCursorInfo();
// Draws the pointer into a capture, blending its edges as the screen does.
void Zeiger_Einzeichnen(QImage& bild, const Zeiger& zeiger);
