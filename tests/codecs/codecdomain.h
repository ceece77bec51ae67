#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QVector>

#include <functional>

// Bytes the program must produce for known settings, or write back for a known reply.
struct GoldenFrame
{
    QString name;
    std::function<QByteArray()> produce;
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
    // Checked byte for byte, without a window.
    QVector<GoldenFrame> goldenFrames = {};
};

// Each model's file registers its domain at start-up, so a new model is one new file.
bool registerCodecDomain(const CodecDomain &domain);
const QVector<CodecDomain> &codecDomains();
// The registered domain of the model; a model without one stops the test run.
const CodecDomain &codecDomain(const QString &model);

// Draws `count` replies from the domain and passes each through `writeBack`: the first one
// that does not come back in every significant bit, described, or empty when all do.
QString firstLostSetting(const CodecDomain &domain,
                         const std::function<QByteArray(const QByteArray &)> &writeBack, int count,
                         quint32 seed);
