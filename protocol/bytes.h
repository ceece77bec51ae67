#pragma once

#include <QByteArray>
#include <QChar>
#include <QtGlobal>

// Devices answer with blocks of whatever length the line delivered; a field the block
// does not reach reads as 0 so a short reply decodes instead of reading past its end.
inline quint8 byteAt(const QByteArray &block, int index)
{
    if (index < 0 || index >= block.size())
        return 0;
    return static_cast<quint8>(block.at(index));
}

// Writes one byte of a frame; the counterpart of byteAt for frames the program builds.
inline void setByteAt(QByteArray &frame, int index, quint8 value)
{
    frame[index] = static_cast<char>(value);
}

// The character whose Latin-1 code is the byte; identification and version fields are
// compared and shown as characters.
inline QChar charAt(const QByteArray &block, int index)
{
    return QChar(static_cast<ushort>(byteAt(block, index)));
}

inline bool bitSet(quint8 value, int bit)
{
    return (value >> bit) & 1u;
}

// The byte with only the given bit set, or 0 when `set` is false.
inline quint8 bitValue(bool set, int bit)
{
    return set ? static_cast<quint8>(1u << bit) : 0;
}

inline quint8 highByte(quint16 value)
{
    return static_cast<quint8>(value >> 8);
}
inline quint8 lowByte(quint16 value)
{
    return static_cast<quint8>(value & 0xFF);
}

inline quint16 word(quint8 high, quint8 low)
{
    return static_cast<quint16>((high << 8) | low);
}

// Delays with a 100 ms step travel as one byte counting steps; a value between two steps is
// cut down to the step below.
constexpr int DelayStepMs = 100;
inline quint8 delayToByte(int milliseconds)
{
    return static_cast<quint8>(milliseconds / DelayStepMs);
}
inline int delayFromByte(quint8 steps)
{
    return steps * DelayStepMs;
}
