#include "app/program.h"
#include "app/setupapplication.h"
#include "cli/headlessprogram.h"
#include "platform/console.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (HeadlessProgram::runsWithoutWindow(argc, argv))
        return HeadlessProgram::main(argc, argv);
    Console::releaseIfOwn();
    QApplication application(argc, argv);
    setUpApplication(application);
    return Program::run(application.arguments());
}
