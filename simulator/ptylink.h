#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The device end of a pseudo-terminal. The program opens slavePath() with QSerialPort as
// if it were a serial adapter, so the simulator is reached through the real serial stack.
// Systems without pseudo-terminals (Windows) build it too: there open() fails.
class PtyLink : public QObject
{
    Q_OBJECT

public:
    explicit PtyLink(QObject *parent = nullptr);
    ~PtyLink() override;

    // Creates the pseudo-terminal. False when the system cannot make one.
    bool open();
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Closes the device end, as if the adapter were pulled out.
    void close();

public slots:
    void send(const QByteArray &bytes);

signals:
    void received(const QByteArray &bytes);

private:
    void readAvailable();
    void writePending();
    void closeDescriptors();

    int m_master = -1;
    // Held open so the master never sees a hang-up while the program has the port closed.
    int m_slaveKeepAlive = -1;
    QString m_slavePath;
    QSocketNotifier *m_notifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QByteArray m_outgoing;
};
