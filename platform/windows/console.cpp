#include "platform/console.h"

#include <windows.h>

void Console::releaseIfOwn()
{
    DWORD processes[2];
    // This program alone on its console: Windows made the console for it.
    if (GetConsoleProcessList(processes, 2) == 1)
        FreeConsole();
}
