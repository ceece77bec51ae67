#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

class QAbstractEventDispatcher;

// What tst_fuzz and the libFuzzer target both hold the link and the codecs to. Each check
// returns what went wrong, or an empty string.

// An event dispatcher whose time passes only when a check lets it, so a fuzzer can put any
// gap between two bursts and the link's timers fire exactly, at once. It serves no sockets:
// the link under test never opens its port. Install it on the thread that runs linkFailure.
QAbstractEventDispatcher *newVirtualClock();

// Bytes that reach the link together, and how long the line is quiet after them.
struct Chunk
{
    QByteArray bytes;
    int quietMs = 0;
};
// Quiet times around the link's silence and the wait for a second frame that begins when
// the silence ends.
constexpr int QuietSteps[] = {0, 1, 19, 20, 21, 219, 220, 500};

// Hands the chunks to a fresh DeviceLink. Every byte of a burst the link may read is handed
// on once and in order, however the link cuts it into replies; a burst too long to read is
// reported unreadable, whole.
QString linkFailure(const QList<Chunk> &chunks);

// Decodes the block with every model's codec, as long as it came (with other bytes past its
// end) and padded with zeros, and encodes what it read.
QString codecFailure(const QByteArray &block);

// Line noise: usually a header a device sends, then bytes favouring 0, 0xFF and small
// counts, where field decoding has its edges.
QByteArray noise(QRandomGenerator &random, int maxLength);
