#include "kwdstartup.h"
#include "mainwindow.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--self-check"))) {
        QTextStream out(stdout);
        return kwdStartup::selfCheck(&app, out);
    }
    MainWindow* window = kwdStartup::start(&app);
    const int code = app.exec();
    delete window;
    return code;
}
