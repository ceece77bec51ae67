#include "codecs/testerconfig.h"

#include "protocol/frames.h"

TesterConfig TesterConfig::decode(const QByteArray &)
{
    return {};
}

// The payload stays 0 until the tester's data is defined.
QByteArray TesterConfig::encode() const
{
    return Frame::configFrame();
}
