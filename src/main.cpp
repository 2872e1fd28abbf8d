#include "kwdstartup.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MainWindow* window = kwdStartup::start(&app);
    const int code = app.exec();
    delete window;
    return code;
}
