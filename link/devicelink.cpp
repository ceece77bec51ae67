#include "link/devicelink.h"

#include "link/localport.h"
#include "link/porterror.h"

#include "protocol/frames.h"
#include "protocol/modeltable.h"

DeviceLink::DeviceLink(QObject *parent) : QObject(parent)
{
    connect(&m_serialPort, &QSerialPort::readyRead, this, &DeviceLink::receiveMessage);
    connect(&m_serialPort, &QSerialPort::errorOccurred, this, &DeviceLink::portFailed);

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
    if (isOpen() && m_portName != portName)
        close();
    if (!isOpen()) {
        m_portName = portName;
        LocalPort *local = LocalPort::named(portName);
        if (!(local ? openLocal(local) : openSerial())) {
            m_line = nullptr;
            return false;
        }
    }
    configure(baudRate);
    return true;
}

bool DeviceLink::openSerial()
{
    m_serialPort.setPortName(m_portName);
    if (!m_serialPort.open(QIODevice::ReadWrite)) {
        m_lastError = m_serialPort.error();
        m_serialPort.clearError();
        return false;
    }
    // Whatever the line carried while nobody listened answers no request of ours.
    m_serialPort.clear(QSerialPort::Input);
    m_line = &m_serialPort;
    return true;
}

bool DeviceLink::openLocal(LocalPort *port)
{
    if (!port->open(QIODevice::ReadWrite)) {
        m_lastError = QSerialPort::DeviceNotFoundError;
        return false;
    }
    m_localPort = port;
    connect(port, &QIODevice::readyRead, this, &DeviceLink::receiveMessage);
    connect(port, &QIODevice::readChannelFinished, this, &DeviceLink::localPortUnplugged);
    // A simulated relay that goes away takes its end of the line with it.
    connect(port, &QObject::destroyed, this, &DeviceLink::localPortUnplugged);
    m_line = port;
    return true;
}

qint32 DeviceLink::baudRate() const
{
    return m_localPort ? m_localPort->baudRate() : m_serialPort.baudRate();
}

QString DeviceLink::openFailure() const
{
    return PortError::of(m_lastError, m_portName).text();
}

void DeviceLink::configure(qint32 baudRate)
{
    if (m_localPort) {
        m_localPort->setBaudRate(baudRate);
        return;
    }
    m_serialPort.setBaudRate(baudRate);
    m_serialPort.setDataBits(QSerialPort::Data8);
    m_serialPort.setStopBits(QSerialPort::OneStop);
    m_serialPort.setParity(QSerialPort::NoParity);
    m_serialPort.setFlowControl(QSerialPort::NoFlowControl);
}

void DeviceLink::close()
{
    if (m_localPort) {
        disconnect(m_localPort, nullptr, this, nullptr);
        m_localPort->close();
        m_localPort = nullptr;
    }
    m_serialPort.close();
    m_line = nullptr;
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
    const bool written = isOpen();
    if (written) {
        m_line->write(frame);
        m_line->waitForBytesWritten(waitMs);
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
    if (m_line)
        deliver(m_line->readAll());
}

void DeviceLink::deliver(const QByteArray &bytes)
{
    // Memory stays flat however long a runaway sender keeps talking: past the limit the
    // burst is only counted.
    const bool starts = !m_silence.isActive();
    if (m_discarded > 0 || m_burst.size() + bytes.size() > MaxBurstBytes) {
        m_discarded += m_burst.size() + bytes.size();
        m_burst.clear();
    } else {
        m_burst += bytes;
    }
    m_silence.start();
    if (starts && !bytes.isEmpty())
        emit answering();
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
    if (!lost || !m_serialPort.isOpen())
        return;
    // The toolkit's own reason is English; the engineer reads it in Polish.
    const QString reason = error == QSerialPort::ResourceError
                               ? QStringLiteral("urządzenie zostało odłączone")
                           : error == QSerialPort::ReadError ? QStringLiteral("błąd odczytu z portu")
                                                             : QStringLiteral("błąd zapisu do portu");
    close();
    emit linkLost(reason);
}

void DeviceLink::localPortUnplugged()
{
    const QString reason = m_localPort ? m_localPort->errorString()
                                       : QStringLiteral("Urządzenie %1 zniknęło").arg(m_portName);
    close();
    emit linkLost(reason);
}
