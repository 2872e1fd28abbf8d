#pragma once

#include <QString>

class MainWindow;
class QApplication;
class QTextStream;
class QTranslator;
class kwdSplash;
class kwdStartupPrefetch;

// The start-up sequence between the application object and the event loop: plugin path, catalogue,
// splash, database, local data, style sheet and the main window. main() and the start-up benchmark
// both go through it. Owns nothing once start() returns; the caller deletes the window.
class kwdStartup
{
public:
    // Runs every step and returns the shown main window. `prefetch`, made before the application
    // object, has been loading fonts meanwhile; without one, start() makes its own.
    static MainWindow* start(QApplication* app, kwdStartupPrefetch* prefetch = nullptr);

    // For packagers and the install test: reports where the program finds its city list, skin and
    // catalogue (one "name: path" line each) and returns 0 when it found all three, else 1.
    static int selfCheck(QApplication* app, QTextStream& out);
    // Loads "kwdpersonal_zh" from the program's files and installs it; false when missing.
    static bool installCatalogue(QApplication* app);
    // Opens the database in the data directory; on failure tells the splash (if any) and pauses.
    static bool openDatabase(kwdSplash* splash);
    // Installs skinDir/style.css with its path placeholder resolved; false when it cannot be read.
    static bool installStyleSheet(QApplication* app, const QString& skinDir);
    // Replaces every "%currentPath%" (any letter case) by the skin directory.
    static QString expandStyleSheet(const QString& css, const QString& skinDir);
};
