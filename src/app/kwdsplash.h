#pragma once

#include <QSplashScreen>
#include <QString>

// The start-up screen: a red band with the logo and version, a panel with the current start-up
// message, and the company strip at the bottom. Owns only its message and its two measures.
class kwdSplash : public QSplashScreen
{
    Q_OBJECT
public:
    // desktopHeight < 0 asks the primary screen; tests pass a height to check the small-screen rule.
    explicit kwdSplash(int desktopHeight = -1);

    // Replaces the message and repaints at once (start-up blocks the event loop between steps).
    void showMessage(const QString& text);

    // The band and footer heights for a desktop of that height at that DPI, from the theme images
    // when they exist and the screen is not small, else from the DPI.
    static int bandHeightFor(int desktopHeight, int dpi);
    static int footerHeightFor(int desktopHeight, int dpi);
    static bool isSmallScreen(int desktopHeight) { return desktopHeight <= 320; }

    QString message;
    int bandHeight = 0;
    int footerHeight = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};
