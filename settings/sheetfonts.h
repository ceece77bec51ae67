#pragma once

#include <QString>

// The faces the settings sheet is set in. A PDF holds only outline faces, and a signed sheet
// should read the same whichever system printed it, so the sheet is set in DejaVu: the
// system's copy on Linux, the copy the program carries in "fonts" beside itself on Windows,
// and the system's own face only where neither is found.
class SheetFonts
{
public:
    static QString family(bool fixed);
};
