#pragma once

// The console the program was started with. orva-konfig is a console program on every
// system, so a script gets its output and waits for its exit code; a window started from
// the desktop should not keep an empty console beside it.
class Console
{
public:
    // Lets go of a console that was made for this program alone (Windows opens one for a
    // console program started from Explorer or the Start menu); one it shares with the shell
    // that started it stays.
    static void releaseIfOwn();
};
