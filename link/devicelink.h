#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <QTimer>

class LocalPort;

// The serial link to one relay, without a window: it opens and configures the port, gathers
// the bytes of each burst, cuts a burst into the replies it holds, notices a device that does
// not answer and a link that is gone, and writes frames. Whoever owns it decides what the
// replies mean and what to tell the engineer.
class DeviceLink : public QObject
{
    Q_OBJECT

public:
    // A burst longer than this is no reply: a line carrying noise or a runaway sender.
    static constexpr int MaxBurstBytes = 4096;
    // How long a request that the device answers may go without a reply, unless set.
    static constexpr int AnswerTimeoutMs = 1500;
    // How long the first frame of a two-frame reply waits for the second.
    static constexpr int SecondFrameWaitMs = 200;

    explicit DeviceLink(QObject *parent = nullptr);

    // Opens the named port, or keeps it when that port is already open, and applies the link
    // settings at the given rate. A different port that is open is closed first.
    bool open(const QString &portName, qint32 baudRate);
    // Closes the port and forgets every byte not yet handed on and every awaited answer.
    void close();
    bool isOpen() const { return m_line && m_line->isOpen(); }
    QString portName() const { return m_portName; }
    qint32 baudRate() const;
    QSerialPort::SerialPortError lastError() const { return m_lastError; }
    // Why the last open failed and what to do about it, in Polish, naming the port.
    QString openFailure() const;
    void setAnswerTimeout(int milliseconds) { m_answerTimeout.setInterval(milliseconds); }

    enum class Answer
    {
        NotAwaited,
        Awaited,
    };
    // Writes the frame and waits up to `waitMs` for it to leave. Returns false, writing
    // nothing, when the port is closed.
    bool send(const QByteArray &frame, int waitMs, Answer answer = Answer::NotAwaited);

    // Hands bytes to the burst collection as if the port had delivered them.
    void deliver(const QByteArray &bytes);

signals:
    // One reply: a frame (two for a two-frame configuration), with whatever unrecognisable
    // bytes followed it in the same burst.
    void replyReceived(const QByteArray &reply);
    // The first bytes of a burst are in; what they are is known once the line falls silent.
    void answering();
    // A burst too long to be a reply ended; it was dropped.
    void unreadableReceived(qint64 byteCount);
    void frameSent(const QByteArray &frame, bool written);
    void noAnswer();
    void linkLost(const QString &reason);

private:
    // The receive handler: every arrival on the port joins the burst being gathered.
    void receiveMessage();
    void burstEnded();
    void secondFrameMissing();
    void splitIntoReplies(QByteArray block);
    void handOn(const QByteArray &reply);
    void portFailed(QSerialPort::SerialPortError error);
    void localPortUnplugged();
    bool openLocal(LocalPort *port);
    bool openSerial();
    void configure(qint32 baudRate);

    QSerialPort m_serialPort;
    QPointer<LocalPort> m_localPort;
    // The line in use: the serial port or the local port.
    QIODevice *m_line = nullptr;
    QString m_portName;
    QSerialPort::SerialPortError m_lastError = QSerialPort::NoError;

    QByteArray m_burst;
    qint64 m_discarded = 0;
    QTimer m_silence;

    QByteArray m_firstFrame;
    QTimer m_secondFrameWait;

    int m_awaitedAnswers = 0;
    QTimer m_answerTimeout;
};
