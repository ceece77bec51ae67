#include "app/orva2.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    int result = 0;
    {
        ORVA2 window;
        window.show();
        result = application.exec();
    }
    return result;
}
