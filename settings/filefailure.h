#pragma once

#include <QFileDevice>
#include <QString>

// Why a file could not be read or written, as a Polish phrase to follow a colon. The system's
// and the toolkit's own texts are English and never reach the engineer.
class FileFailure
{
public:
    // The reason the device's last error gives; empty when there was none.
    static QString reason(const QFileDevice &file);
    // A path that exists but is a device, a pipe or a folder: neither read nor replaced.
    static QString notRegularFile();
    static QString readOnly();
    static QString noSpace();
};
