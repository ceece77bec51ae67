#pragma once

#include <QByteArray>

// The production tester's data. Its protocol is not defined yet: the frame is the header
// alone and the tester's reply carries nothing the program reads, so the value has no fields.
class TesterConfig
{
public:
    static TesterConfig decode(const QByteArray &block);
    QByteArray encode() const;

    bool operator==(const TesterConfig &) const { return true; }
    bool operator!=(const TesterConfig &other) const { return !(*this == other); }
};
