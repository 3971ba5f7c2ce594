#include "MainApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MainApp mainApp;
    if (!mainApp.InitInstance(QApplication::arguments().mid(1)))
        return 0;
    return mainApp.Run();
}
