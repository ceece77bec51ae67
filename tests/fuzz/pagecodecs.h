#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class ORVA2;
class QWidget;

// One way the program turns received bytes into a form, reached through the window that
// owns the page, with what the page sends back from that form.
struct PageCodec
{
    QString name;
    // The identity code of the device whose page this is.
    QByteArray identity;
    QWidget *page = nullptr;
    // The header the device puts in front of blocks for this decoder.
    QByteArray replyHeader;
    // Empty for a page that has no decoder.
    std::function<void(const QByteArray &)> decode;
    // Every frame the page sends for its configuration, back to back.
    std::function<QByteArray()> encode;
    // Headers each encoded frame must start with, one per frame.
    QList<QByteArray> frameHeaders;
    // A block shorter than this lost the reply's later frame, and the form keeps what that
    // frame would have set; 0 for a page whose reply is one frame.
    int wholeReplySize = 0;
    // Settings given at identification that change how later blocks decode, and the
    // values they take.
    std::function<void(const QString &)> configure;
    QStringList variants;
};

QVector<PageCodec> pageCodecs(ORVA2 &window);

// What is wrong with the frames the page encodes now (size, headers), empty when nothing:
// a page must always be able to send a well-formed configuration, whatever it was fed.
QString malformedFrames(const PageCodec &codec);

// The first codec of the device with the given identity code; for a KZR-1 or TLMX-1 its
// configuration.
PageCodec codecFor(const QVector<PageCodec> &codecs, const QByteArray &identity);
