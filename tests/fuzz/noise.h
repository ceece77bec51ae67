#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

// Seeded line noise shaped like what a half-powered or chattering relay sends: mostly the
// headers the program knows, so identification and every decoder run, with bytes that
// favour the values where field decoding has its edges (0, 0xFF, small counts).
class Noise
{
public:
    explicit Noise(quint32 seed) : m_random(seed) {}

    // Every header pair the receive handler acts on.
    static const QList<QByteArray> &knownHeaders();

    // A block of 0..maxLength bytes, usually starting with a known header.
    QByteArray block(int maxLength);
    // A block of 0..maxLength bytes that starts with the given header when it is long enough.
    QByteArray blockWithHeader(const QByteArray &header, int maxLength);
    // Payload bytes only.
    QByteArray payload(int length);

    int bounded(int limit) { return static_cast<int>(m_random.bounded(limit)); }

private:
    QByteArray header();
    char payloadByte();

    QRandomGenerator m_random;
};

// Blocks exactly as long as they came, with storage that goes on past their end in bytes
// that are not 0: a decoder that reads beyond a block then decodes something other than the
// block padded with zeros. The storage outlives the call, as a real block would if the page
// kept a copy.
class GuardedBlocks
{
public:
    QByteArray wrap(const QByteArray &block);

private:
    QList<QByteArray> m_storage;
};
