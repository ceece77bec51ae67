#include "app/program.h"
#include "app/setupapplication.h"
#include "cli/headlessprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (HeadlessProgram::runsWithoutWindow(argc, argv))
        return HeadlessProgram::main(argc, argv);
    QApplication application(argc, argv);
    setUpApplication(application);
    return Program::run(application.arguments());
}
