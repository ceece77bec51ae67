#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class DeviceLink;
struct ModelInfo;

// The exchanges with one relay, without a window: identify it, read its configuration,
// write one and read it back. One exchange at a time; each ends with its own signal or with
// failed(). The session says nothing about what the replies mean to the engineer.
class DeviceSession : public QObject
{
    Q_OBJECT

public:
    explicit DeviceSession(DeviceLink &link, QObject *parent = nullptr);

    // Opens the port, or keeps it open. Empty, or one sentence saying why it cannot be opened.
    QString open(const QString &portName, qint32 baudRate);
    bool isOpen() const;

    void identify();
    // Reads the configuration of the model identified last.
    void read();
    // Sends the configuration frames back to back and waits for an "OK" for each; then, when
    // the model answers a read, reads the configuration back.
    void write(const QByteArray &frames);

    const ModelInfo *model() const { return m_model; }
    QString deviceVersion() const { return m_deviceVersion; }

signals:
    void identified(const ModelInfo &model, const QString &deviceVersion);
    // A whole configuration reply, as the device sent it.
    void configurationRead(const QByteArray &reply);
    void writeAcknowledged();
    // The configuration reply read right after an acknowledged write.
    void readBack(const QByteArray &reply);
    void failed(const QString &reason);

private:
    enum class Exchange
    {
        None,
        Identify,
        Read,
        Write,
        ReadBack,
    };

    void begin(Exchange exchange, const QByteArray &frame, int waitMs);
    bool send(const QByteArray &frame, int waitMs);
    void replyReceived(const QByteArray &reply);
    bool takeIdentity(const QByteArray &reply);
    bool takeConfiguration(const QByteArray &reply);
    bool takeAcknowledgement(const QByteArray &reply);
    void fail(const QString &reason);

    DeviceLink &m_link;
    Exchange m_exchange = Exchange::None;
    const ModelInfo *m_model = nullptr;
    QString m_deviceVersion;
    int m_acknowledgementsDue = 0;
};
