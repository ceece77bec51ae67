#include "app/orva2.h"
#include "app/setupapplication.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    int result = 0;
    {
        ORVA2 window;
        window.show();
        result = application.exec();
    }
    return result;
}
