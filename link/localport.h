#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A serial port served inside this process: the program's end of a line whose other end is a
// simulated relay, for systems that cannot make a pseudo-terminal. It exists under its name
// while it lives, and DeviceLink opens that name as it would open a serial port. What the
// device sends reaches the program on a later turn of the event loop, as a line delivers it,
// never inside the call that sent it; what the program writes reaches the device on the next
// turn, or as soon as the program waits for it to be written.
class LocalPort : public QIODevice
{
    Q_OBJECT

public:
    explicit LocalPort(const QString &name, QObject *parent = nullptr);
    ~LocalPort() override;

    // The port of that name, or nullptr when no port of this process has it.
    static LocalPort *named(const QString &name);
    QString portName() const { return m_name; }

    bool isSequential() const override { return true; }
    // Opens the program's end; fails while the device is unplugged. Bytes sent before are
    // dropped: nobody listened to them.
    bool open(OpenMode mode) override;
    void close() override;
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override { return m_outgoing.size(); }
    // Hands what was written to the device at once.
    bool waitForBytesWritten(int msecs) override;

    qint32 baudRate() const { return m_baudRate; }
    void setBaudRate(qint32 baudRate) { m_baudRate = baudRate; }

    // The device's side.
    // Bytes the device sends towards the program.
    void transmit(const QByteArray &bytes);
    // The device is pulled out: an open program end reads to its end and opens no more.
    void unplug();
    void plugIn() { m_plugged = true; }
    bool isPlugged() const { return m_plugged; }

signals:
    // Bytes the program wrote, as the device receives them.
    void received(const QByteArray &bytes);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void announceIncoming();
    void flushOutgoing();

    QString m_name;
    qint32 m_baudRate = 9600;
    bool m_plugged = true;
    QByteArray m_incoming;
    QByteArray m_outgoing;
    bool m_incomingAnnounced = false;
    bool m_flushScheduled = false;
};
