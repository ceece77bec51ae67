#pragma once

#include "platform/pseudoterminal.h"
#include "simulator/deviceline.h"

class QSocketNotifier;

// A simulated relay's line on a pseudo-terminal. The program opens portName() with
// QSerialPort as if it were a serial adapter, so the relay is reached through the real serial
// stack. Systems without pseudo-terminals build it too: there open() fails.
class PtyLink : public DeviceLine
{
    Q_OBJECT

public:
    explicit PtyLink(QObject *parent = nullptr);
    ~PtyLink() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_pty.isOpen(); }
    QString portName() const override { return m_pty.slavePath(); }

    void send(const QByteArray &bytes) override;

private:
    void readAvailable();
    void writePending();

    Pseudoterminal m_pty;
    QSocketNotifier *m_notifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QByteArray m_outgoing;
};
