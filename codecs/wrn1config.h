#pragma once

#include "codecs/wrnchannel.h"

#include <QByteArray>

// The two-channel WRN relay's configuration. Its frame is also the first of the
// three-channel relay's two frames.
class Wrn1Config
{
public:
    WrnChannel first;
    WrnChannel second;

    // From a whole configuration reply; a byte beyond a short block reads as 0.
    static Wrn1Config decode(const QByteArray &block);
    QByteArray encode() const;

    // Relay 1 leaves the factory latched until reset, relay 2 plain.
    static Wrn1Config defaults();

    bool operator==(const Wrn1Config &other) const;
    bool operator!=(const Wrn1Config &other) const { return !(*this == other); }
};
