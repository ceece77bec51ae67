#include "codecs/wrnchannel.h"

namespace {
constexpr quint8 DefaultDelaySteps = 1;
constexpr quint8 DefaultPulseSeconds = 3;
} // namespace

WrnChannel WrnChannel::factory()
{
    WrnChannel channel;
    channel.pickUpSteps = DefaultDelaySteps;
    channel.dropOutSteps = DefaultDelaySteps;
    channel.pulseSeconds = DefaultPulseSeconds;
    channel.colours = {WrnLedColours::Red, WrnLedColours::Yellow};
    return channel;
}

bool WrnChannel::operator==(const WrnChannel &other) const
{
    return inputInverted == other.inputInverted && pickUpSteps == other.pickUpSteps &&
           dropOutSteps == other.dropOutSteps && relayInverted == other.relayInverted &&
           latched == other.latched && pulse == other.pulse && pulseSeconds == other.pulseSeconds &&
           ledSelfReset == other.ledSelfReset && colours == other.colours;
}
