#pragma once

#include <QSerialPort>
#include <QString>

// Why a serial port could not be opened, in the engineer's words: the toolkit's own texts are
// English and name the system call, not the cause. The window and the command line say the
// same sentences.
class PortError
{
public:
    enum class Cause
    {
        NoSuchPort,
        NoPermission,
        Busy,
        AlreadyOpen,
        Removed,
        Other,
    };

    // The toolkit reports a port locked or held by another program and a port the user may
    // not open alike; whether the user could write to the device file tells them apart.
    PortError(QSerialPort::SerialPortError error, const QString &portName, bool deviceWritable);
    // The same, looking at the port's device file (a Windows port has none: there only
    // another program denies a port).
    static PortError of(QSerialPort::SerialPortError error, const QString &portName);

    Cause cause() const { return m_cause; }
    // "Nie można otworzyć portu /dev/ttyUSB9: …", one sentence.
    QString sentence() const;
    // What the engineer can do about it; empty when there is nothing to suggest.
    QString hint() const;
    // The sentence and the hint together.
    QString text() const;

private:
    QSerialPort::SerialPortError m_error;
    QString m_portName;
    Cause m_cause;
};
