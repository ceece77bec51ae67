#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QList>
#include <QString>

// One row per relay model: everything the link, the receive handler, the simulator and the
// command line need to know of a model without a widget. A new model is one row here plus
// its codec and its page.
struct ModelInfo
{
    enum class Id
    {
        Kzr,
        Tlmx,
        Ga,
        Wrn1,
        Drav,
        Hel,
        Wrn2,
        Gami,
        Zegar,
        Nov,
        Brt,
        Tester,
    };

    Id id;
    // The name an engineer reads on the relay, and the one the command line accepts.
    const char *name;
    // Bytes 0-1 of the identification reply.
    const char *identity;
    // Logged when the device names itself.
    const char *identifiedLine;
    // Header of the configuration reply, and its log line; empty when the device does not
    // answer a read request.
    const char *configHeader;
    const char *configLine;
    // Frames in one configuration, in both directions.
    int configFrames;
    // Byte 8 of the identification reply selects the delay range.
    bool hasRangeVariant;
    // The device answers a view request and can be unlocked from the program.
    bool hasView;
    // Serial rate of the link to this model.
    qint32 baudRate;

    QLatin1String nameText() const { return QLatin1String(name); }
    bool answersRead() const { return configHeader[0] != '\0'; }
    // Bytes of a whole configuration reply.
    int configReplySize() const;

    static const QList<ModelInfo> &all();
    // The row whose identity code starts the block, or nullptr.
    static const ModelInfo *byIdentity(const QByteArray &block);
    // The row whose configuration reply header starts the block, or nullptr. KZR-1 and
    // TLMX-1 share one reply header; the KZR-1 row answers for both.
    static const ModelInfo *byConfigHeader(const QByteArray &block);
    // A model name ("KZR-1", "GA-1 MI", "ga1mi") or identity code ("01"); nullptr when it
    // names no model.
    static const ModelInfo *find(const QString &nameOrIdentity);
    static const ModelInfo &of(Id id);
};

// Every reply header a device can send, identification and configuration replies included:
// a block that holds several replies is cut where one of these starts.
bool startsWithKnownReply(const QByteArray &block);
