#include "cli/devicesession.h"

#include "link/devicelink.h"
#include "protocol/frames.h"
#include "protocol/modeltable.h"
#include "protocol/versiontext.h"

DeviceSession::DeviceSession(DeviceLink &link, QObject *parent) : QObject(parent), m_link(link)
{
    connect(&link, &DeviceLink::replyReceived, this, &DeviceSession::replyReceived);
    connect(&link, &DeviceLink::noAnswer, this, [this] {
        if (m_exchange != Exchange::None)
            fail(QStringLiteral("Brak odpowiedzi urządzenia."));
    });
    connect(&link, &DeviceLink::linkLost, this, [this](const QString &reason) {
        if (m_exchange != Exchange::None)
            fail(QStringLiteral("Utracono połączenie z urządzeniem: %1.").arg(reason));
    });
}

QString DeviceSession::open(const QString &portName, qint32 baudRate)
{
    if (m_link.open(portName, baudRate))
        return QString();
    return m_link.openFailure();
}

bool DeviceSession::isOpen() const
{
    return m_link.isOpen();
}

void DeviceSession::identify()
{
    m_model = nullptr;
    m_deviceVersion.clear();
    begin(Exchange::Identify, Frame::identificationRequest(), Frame::WriteWait);
}

void DeviceSession::read()
{
    begin(Exchange::Read, Frame::readRequest(), Frame::WriteWait);
}

void DeviceSession::write(const QByteArray &frames)
{
    m_exchange = Exchange::Write;
    m_acknowledgementsDue = 0;
    for (int at = 0; at < frames.size(); at += Frame::Size) {
        // The first part of a two-part configuration gets longer to leave, as in the window.
        const bool anotherFollows = at + Frame::Size < frames.size();
        ++m_acknowledgementsDue;
        if (!send(frames.mid(at, Frame::Size),
                  anotherFollows ? Frame::WriteWaitLong : Frame::WriteWait))
            return;
    }
}

void DeviceSession::begin(Exchange exchange, const QByteArray &frame, int waitMs)
{
    m_exchange = exchange;
    send(frame, waitMs);
}

bool DeviceSession::send(const QByteArray &frame, int waitMs)
{
    if (m_link.send(frame, waitMs, DeviceLink::Answer::Awaited))
        return true;
    // Told from the event loop, so whoever asked is never called back from inside its request.
    QMetaObject::invokeMethod(
        this, [this] { fail(QStringLiteral("Nie wysłano: brak połączenia z urządzeniem.")); },
        Qt::QueuedConnection);
    return false;
}

void DeviceSession::replyReceived(const QByteArray &reply)
{
    bool expected = false;
    switch (m_exchange) {
    case Exchange::None:
        // Nobody asked: a late answer to an exchange already given up.
        return;
    case Exchange::Identify:
        expected = takeIdentity(reply);
        break;
    case Exchange::Read:
    case Exchange::ReadBack:
        expected = takeConfiguration(reply);
        break;
    case Exchange::Write:
        expected = takeAcknowledgement(reply);
        break;
    }
    if (!expected)
        fail(QStringLiteral("Urządzenie odpowiedziało ramką %1, nie tą, o którą proszono.")
                 .arg(QString::fromLatin1(reply.left(2).toHex(' ').toUpper())));
}

bool DeviceSession::takeIdentity(const QByteArray &reply)
{
    const ModelInfo *model = ModelInfo::byIdentity(reply);
    if (!model)
        return false;
    m_model = model;
    m_deviceVersion = versionText(reply, model->hasRangeVariant);
    m_exchange = Exchange::None;
    emit identified(*model, m_deviceVersion);
    return true;
}

// KZR-1 and TLMX-1 share one reply header; the identified model is the one that answered.
bool DeviceSession::takeConfiguration(const QByteArray &reply)
{
    const ModelInfo *replyModel = ModelInfo::byConfigHeader(reply);
    if (!replyModel || qstrcmp(replyModel->configHeader, m_model->configHeader) != 0)
        return false;
    if (reply.size() < m_model->configReplySize()) {
        fail(QStringLiteral("Odpowiedź z konfiguracją jest niepełna: %1 B z %2 B.")
                 .arg(reply.size())
                 .arg(m_model->configReplySize()));
        return true;
    }
    const Exchange exchange = m_exchange;
    m_exchange = Exchange::None;
    if (exchange == Exchange::ReadBack)
        emit readBack(reply);
    else
        emit configurationRead(reply);
    return true;
}

bool DeviceSession::takeAcknowledgement(const QByteArray &reply)
{
    if (!Frame::hasHeader(reply, Frame::Reply::Acknowledge))
        return false;
    if (--m_acknowledgementsDue > 0)
        return true;
    m_exchange = Exchange::None;
    emit writeAcknowledged();
    if (m_model->answersRead())
        begin(Exchange::ReadBack, Frame::readRequest(), Frame::WriteWait);
    return true;
}

void DeviceSession::fail(const QString &reason)
{
    m_exchange = Exchange::None;
    m_acknowledgementsDue = 0;
    emit failed(reason);
}
