#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>

struct ModelInfo;

// One relay as the program sees it from the other end of the line: it answers the
// identification request with its identity and version, stores configuration frames (its
// factory settings until the first write), answers a read request with what it stored, and
// (interlock relays) reports and unlocks its interlock. Bytes come in through receive() and go out through transmit().
class SimulatedDevice : public QObject
{
    Q_OBJECT

public:
    // identity: the two-digit code of a row of the model table, "01" to "12".
    explicit SimulatedDevice(const QByteArray &identity, QObject *parent = nullptr);

    static QList<QByteArray> knownIdentities();
    // The identity code for a model name ("KZR-1", "GA-1 MI", "Tester KZR-1") or a code
    // ("01"); empty when it names no model.
    static QByteArray identityFor(const QString &modelOrCode);
    static QStringList modelNames();

    QByteArray identity() const { return m_identity; }
    // Another relay put on the same line, as on a production bench.
    void setIdentity(const QByteArray &identity) { m_identity = identity; }

    // Six version characters (bytes 2-7 of the identification reply).
    void setVersion(const QByteArray &sixCharacters) { m_version = sixCharacters; }
    // Byte 8 of the identification reply: '1' selects the large delay range of the GA relays.
    void setRangeVariant(char variant) { m_rangeVariant = variant; }

    // The stored configuration as it would be read back: 12 payload bytes (frame bytes
    // 2-13), or 24 for a device whose configuration spans two frames.
    QByteArray storedPayload() const;
    void setStoredPayload(const QByteArray &payload);
    int configFrameCount() const;

    // Interlock relays: byte 5 of the view reply (bit 0 blocking, bits 1-3 voltages L3-L1).
    void setViewState(quint8 state) { m_viewState = state; }
    quint8 viewState() const { return m_viewState; }

    // Every complete 14-byte frame the device has received, oldest first.
    QList<QByteArray> receivedFrames() const { return m_received; }
    void clearReceivedFrames() { m_received.clear(); }

    // A device that stops answering still listens.
    void setAnswering(bool answering) { m_answering = answering; }

public slots:
    void receive(const QByteArray &bytes);

signals:
    void transmit(const QByteArray &bytes);
    void frameReceived(const QByteArray &frame);

private:
    void handleFrame(const QByteArray &frame);
    void reply(const QByteArray &bytes);
    QByteArray configReply() const;
    QByteArray configReplyHeader() const;
    bool hasView() const;
    const ModelInfo &model() const;

    QByteArray m_identity;
    QByteArray m_version = "031507";
    char m_rangeVariant = '0';
    QByteArray m_part1;
    QByteArray m_part2;
    quint8 m_viewState = 0;
    bool m_answering = true;
    QByteArray m_pending;
    QList<QByteArray> m_received;
};
