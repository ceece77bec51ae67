#include "link/devicelink.h"

#include "protocol/frames.h"
#include "protocol/modeltable.h"

DeviceLink::DeviceLink(QObject *parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &DeviceLink::receiveMessage);
    connect(&m_port, &QSerialPort::errorOccurred, this, &DeviceLink::portFailed);

    m_silence.setSingleShot(true);
    m_silence.setTimerType(Qt::PreciseTimer);
    m_silence.setInterval(Frame::BurstSilenceMs);
    connect(&m_silence, &QTimer::timeout, this, &DeviceLink::burstEnded);

    m_secondFrameWait.setSingleShot(true);
    m_secondFrameWait.setInterval(SecondFrameWaitMs);
    connect(&m_secondFrameWait, &QTimer::timeout, this, &DeviceLink::secondFrameMissing);

    m_answerTimeout.setSingleShot(true);
    m_answerTimeout.setInterval(AnswerTimeoutMs);
    connect(&m_answerTimeout, &QTimer::timeout, this, [this] {
        m_awaitedAnswers = 0;
        emit noAnswer();
    });
}

bool DeviceLink::open(const QString &portName, qint32 baudRate)
{
    if (m_port.isOpen() && m_port.portName() != portName)
        close();
    if (!m_port.isOpen()) {
        m_port.setPortName(portName);
        if (!m_port.open(QIODevice::ReadWrite)) {
            m_lastError = m_port.error();
            m_lastErrorString = m_port.errorString();
            m_port.clearError();
            return false;
        }
        // Whatever the line carried while nobody listened answers no request of ours.
        m_port.clear(QSerialPort::Input);
    }
    configure(baudRate);
    return true;
}

// On Linux the serial ports belong to the dialout group.
QString DeviceLink::permissionHint() const
{
    if (m_lastError != QSerialPort::PermissionError)
        return QString();
    return QStringLiteral("Dostęp do portów szeregowych mają członkowie grupy dialout: sudo "
                          "usermod -aG dialout $USER, a potem ponowne zalogowanie.");
}

void DeviceLink::configure(qint32 baudRate)
{
    m_port.setBaudRate(baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
}

void DeviceLink::close()
{
    m_port.close();
    m_silence.stop();
    m_burst.clear();
    m_discarded = 0;
    m_secondFrameWait.stop();
    m_firstFrame.clear();
    m_answerTimeout.stop();
    m_awaitedAnswers = 0;
}

bool DeviceLink::send(const QByteArray &frame, int waitMs, Answer answer)
{
    const bool written = m_port.isOpen();
    if (written) {
        m_port.write(frame);
        m_port.waitForBytesWritten(waitMs);
        if (answer == Answer::Awaited) {
            ++m_awaitedAnswers;
            m_answerTimeout.start();
        }
    }
    emit frameSent(frame, written);
    return written;
}

void DeviceLink::receiveMessage()
{
    deliver(m_port.readAll());
}

void DeviceLink::deliver(const QByteArray &bytes)
{
    // Memory stays flat however long a runaway sender keeps talking: past the limit the
    // burst is only counted.
    if (m_discarded > 0 || m_burst.size() + bytes.size() > MaxBurstBytes) {
        m_discarded += m_burst.size() + bytes.size();
        m_burst.clear();
    } else {
        m_burst += bytes;
    }
    m_silence.start();
}

void DeviceLink::burstEnded()
{
    if (m_discarded > 0) {
        const qint64 count = m_discarded;
        m_discarded = 0;
        emit unreadableReceived(count);
        return;
    }
    QByteArray block;
    block.swap(m_burst);
    // The second frame of a two-frame reply that came as a burst of its own belongs to the
    // first, exactly as if both had come together.
    if (m_secondFrameWait.isActive()) {
        m_secondFrameWait.stop();
        block.prepend(m_firstFrame);
        m_firstFrame.clear();
    }
    splitIntoReplies(block);
}

void DeviceLink::secondFrameMissing()
{
    QByteArray reply;
    reply.swap(m_firstFrame);
    handOn(reply);
}

// A device may answer two requests within one burst (an "OK" and the configuration after
// it): each reply that starts with a known header is handed on by itself, in order.
void DeviceLink::splitIntoReplies(QByteArray block)
{
    while (true) {
        const ModelInfo *model = ModelInfo::byConfigHeader(block);
        const int length = model ? model->configReplySize() : Frame::Size;
        const QByteArray rest = block.mid(length);
        if (!rest.isEmpty() && startsWithKnownReply(rest)) {
            handOn(block.left(length));
            block = rest;
            continue;
        }
        if (model && block.size() == Frame::Size && length > Frame::Size) {
            m_firstFrame = block;
            m_secondFrameWait.start();
            return;
        }
        handOn(block);
        return;
    }
}

void DeviceLink::handOn(const QByteArray &reply)
{
    if (m_awaitedAnswers > 0 && --m_awaitedAnswers > 0)
        m_answerTimeout.start();
    else
        m_answerTimeout.stop();
    emit replyReceived(reply);
}

// A vanished adapter or a device that was unplugged. Closing at the first error matters: a
// port whose other side is gone reports the same error again on every event-loop turn. An
// open error is not a failure of the link: opening an open port raises it.
void DeviceLink::portFailed(QSerialPort::SerialPortError error)
{
    const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                      error == QSerialPort::WriteError;
    if (!lost || !m_port.isOpen())
        return;
    const QString reason = m_port.errorString();
    close();
    emit linkLost(reason);
}
