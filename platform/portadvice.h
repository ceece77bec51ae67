#pragma once

#include <QString>

// What the engineer can do about a serial port the system refuses to open, in the words of
// the system he works on.
class PortAdvice
{
public:
    static QString forRefusedPort();
};
