#pragma once

#include <QPoint>

class QPropertyAnimation;
class QWidget;

// What the panels that rise from the bottom of the main window share: their size against the
// window, the slide position, the pop-up sequence and the rounded white frame. Owns nothing.
class kwdPopupPanel
{
public:
    // Resizes `panel` to its size hint, no wider than three quarters of its parent window.
    static void fitToWindow(QWidget* panel);
    // Where `panel` stands at slide position p (0 below the bottom edge, 1 fully shown).
    static QPoint slidePoint(const QWidget* panel, qreal p);
    // Places `panel` out of sight below the window, shows and raises it, and runs `slide`.
    static void popUp(QWidget* panel, QPropertyAnimation* slide);
    // The rounded frame: the rectangle inset by one pixel, radius 5, grey pen 2 wide, white fill.
    static void paintFrame(QWidget* panel);
};
