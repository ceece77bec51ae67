#pragma once

#include <QString>
#include <QtGlobal>

// The device end of a pseudo-terminal: a line that a program opens by name, with QSerialPort,
// as if it were a serial adapter. Raw and non-blocking. Windows has no pseudo-terminals:
// there available() is false and open() fails.
class Pseudoterminal
{
public:
    Pseudoterminal() = default;
    ~Pseudoterminal();
    Pseudoterminal(const Pseudoterminal &) = delete;
    Pseudoterminal &operator=(const Pseudoterminal &) = delete;

    static bool available();

    // Creates the line. False when the system cannot make one.
    bool open();
    // Closes the device end, as if the adapter were pulled out.
    void close();
    bool isOpen() const { return m_master >= 0; }
    // The name the program opens.
    QString slavePath() const { return m_slavePath; }
    // What a socket notifier watches for the device end becoming readable or writable.
    qintptr descriptor() const { return m_master; }

    // Each moves what it can now and returns the count; 0 when the line has no room or no
    // bytes at the moment, or is closed.
    qint64 write(const char *data, qint64 size);
    qint64 read(char *data, qint64 size);

private:
    int m_master = -1;
    // Held open so the device end never sees a hang-up while the program has the port closed.
    int m_slaveKeepAlive = -1;
    QString m_slavePath;
};
