#pragma once

#include "protocol/frames.h"
#include "protocol/modeltable.h"

#include <QByteArray>
#include <QMetaType>
#include <QRandomGenerator>
#include <QString>
#include <QVector>

#include <functional>

Q_DECLARE_METATYPE(ModelInfo::Id)

// Settings known from the device's documentation and the exact frame they must give: a
// frame the codec builds (from a value, or by decoding a reply and encoding it again) and
// the bytes expected, outgoing header included.
struct GoldenFrame
{
    QString name;
    std::function<QByteArray()> frame;
    QByteArray expected;
};

// What the untouched round trip needs to know of one model: how to draw a configuration
// the device could hold, and what the program writes back after reading it.
struct CodecDomain
{
    QString model;
    QByteArray identity;
    // A whole configuration reply (header included) whose every field lies within what the
    // page can show: one frame, two for a model whose configuration spans two.
    std::function<QByteArray(QRandomGenerator &)> randomReply;
    // Decodes the reply and encodes it again: the frame(s) the program would send back,
    // back to back, each with its outgoing header.
    std::function<QByteArray(const QByteArray &)> writeBack;
    // One mask byte per reply byte: the bits that carry a setting. Header bytes and bits
    // the device ignores are 0 and are not compared.
    QByteArray significantBits;
    // Identification byte 8 that the drawn replies respect, for a model whose delay range it
    // sets (register one domain per variant); empty for the others. Page tests pass it to
    // setRangeVariant before decoding.
    QString rangeVariant{};
    // Checked byte for byte by tst_codecs, one data row each; a model registers its rows
    // with any one of its domains.
    QVector<GoldenFrame> goldenFrames{};
};

// A configuration frame as the program sends it: the outgoing header, then the payload, the
// bytes it leaves out 0.
inline QByteArray sentFrame(const char *payloadHex)
{
    return (QByteArray::fromHex("0a 55") + QByteArray::fromHex(payloadHex))
        .leftJustified(Frame::Size, '\0');
}

// A whole number from low to high, both included.
inline int drawBetween(QRandomGenerator &random, int low, int high)
{
    return static_cast<int>(random.bounded(low, high + 1));
}

// What the program writes back after reading the block with the codec alone.
template <class Config> QByteArray writtenBack(const QByteArray &block)
{
    return Config::decode(block).encode();
}

// Each model's file registers its domain at start-up, so a new model is one new file.
bool registerCodecDomain(const CodecDomain &domain);
const QVector<CodecDomain> &codecDomains();

// The domain that draws the model's configurations (TLMX-1 shares KZR-1's codec, GA-1 MI
// GA-1's), on the delay range a simulated relay reports; nullptr when none does.
const CodecDomain *codecDomainOf(const ModelInfo &model);
// A configuration the relay could hold, as the program writes it; empty when no domain
// draws the model.
QByteArray drawnConfiguration(const ModelInfo &model, QRandomGenerator &random);
// The same from a generator of its own: one seed, one configuration, run after run.
QByteArray drawnConfiguration(ModelInfo::Id model, quint32 seed);
// Frame bytes 2-13 of each frame: what a simulated relay stores.
QByteArray payloadOf(const QByteArray &frames);
