#pragma once

#include <QString>

// Text that came from a device or a file, made safe to print: a terminal, a CSV cell or a
// log line shows every control character as its escape ("\x1b") instead of obeying it.
class PrintableText
{
public:
    static QString of(const QString &text);
};
