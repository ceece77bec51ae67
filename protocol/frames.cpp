#include "protocol/frames.h"

#include <cstring>

namespace Frame {

namespace {

QByteArray fixedFrame(const char *header, char fill)
{
    QByteArray frame(Size, fill);
    const int length = static_cast<int>(std::strlen(header));
    for (int i = 0; i < length; ++i)
        frame[i] = header[i];
    return frame;
}

} // namespace

QByteArray identificationRequest()
{
    return fixedFrame(Request::Identify, Fill);
}
QByteArray readRequest()
{
    return fixedFrame(Request::Read, Fill);
}
QByteArray viewRequest()
{
    return fixedFrame(Request::View, Fill);
}
QByteArray unlockCommand()
{
    return fixedFrame(Request::Unlock, Fill);
}
QByteArray ledTestCommand()
{
    return fixedFrame(Request::LedTest, Unset);
}
QByteArray ledResetCommand()
{
    return fixedFrame(Request::LedReset, Unset);
}

QByteArray configFrame()
{
    QByteArray frame(Size, 0);
    frame[0] = ConfigHeader0;
    frame[1] = ConfigHeader1;
    return frame;
}

QByteArray configFramePart2()
{
    QByteArray frame = configFrame();
    frame[1] = ConfigPart2Header1;
    return frame;
}

bool hasHeader(const QByteArray &block, const char *header)
{
    const int length = static_cast<int>(std::strlen(header));
    if (block.size() < length)
        return false;
    return std::memcmp(block.constData(), header, static_cast<size_t>(length)) == 0;
}

} // namespace Frame
