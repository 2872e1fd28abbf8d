#include "kwdstartup.h"
#include "kwdstartupprefetch.h"
#include "mainwindow.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    // Fonts are configured on another core while the application object is set up.
    kwdStartupPrefetch prefetch;
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--self-check"))) {
        QTextStream out(stdout);
        return kwdStartup::selfCheck(&app, out);
    }
    MainWindow* window = kwdStartup::start(&app, &prefetch);
    const int code = app.exec();
    delete window;
    return code;
}
