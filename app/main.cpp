#include "app/program.h"
#include "app/setupapplication.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    return Program::run(application.arguments());
}
