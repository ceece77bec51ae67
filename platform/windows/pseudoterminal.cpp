#include "platform/pseudoterminal.h"

// Windows has no pseudo-terminals; a simulated relay is served inside the program instead.

Pseudoterminal::~Pseudoterminal() = default;

bool Pseudoterminal::available()
{
    return false;
}

bool Pseudoterminal::open()
{
    return false;
}

void Pseudoterminal::close() {}

qint64 Pseudoterminal::write(const char *, qint64)
{
    return 0;
}

qint64 Pseudoterminal::read(char *, qint64)
{
    return 0;
}
