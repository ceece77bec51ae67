#pragma once

#include <QByteArray>
#include <QtGlobal>

// The configuration of a GA-1 or GA-1 MI: both models take the same frame, and only the
// header of the device's reply tells them apart.
class GaConfig
{
public:
    // Where the frame keeps each setting, header included.
    struct Layout
    {
        static constexpr int Relay1Byte = 2;
        static constexpr int Relay1PulseByte = 3;
        static constexpr int Relay2Byte = 4;
        static constexpr int Relay2PulseByte = 5;
        static constexpr int ColourSchemeByte = 6;
        static constexpr int LedBehaviourByte = 7;
        static constexpr int TriggerByte = 8;
        // Both low bytes come first, then both high bytes.
        static constexpr int AppearanceLowByte = 9;
        static constexpr int DisappearanceLowByte = 10;
        static constexpr int AppearanceHighByte = 11;
        static constexpr int DisappearanceHighByte = 12;

        static constexpr int TriggerOnAppearanceBit = 0;

        // Bits beyond these carry nothing and are neither kept nor sent.
        static constexpr quint8 RelayBits = 0x1F;
        static constexpr quint8 ColourSchemeBits = 0x1F;
        static constexpr quint8 LedBehaviourBits = 0x0F;
    };

    // Bits of Relay::modes: four modes the form lets one at a time, then the inversion.
    enum RelayModeBit
    {
        LatchedUntilReset,
        NoResetForPermanentFaults,
        PermanentOperation,
        PulseOperation,
        InvertedOutput,
    };
    // Bits of `colourScheme`: the LED colours of a disturbance, one scheme at a time.
    enum ColourSchemeBit
    {
        SchemeA,
        SchemeB,
        SchemeC,
        SchemeD,
        SchemeE,
    };
    // Bits of `ledBehaviour`.
    enum LedBehaviourBit
    {
        NoFastBlinking,
        NoSlowBlinking,
        SelfResettingLeds,
        ResetBothBlinkings,
    };

    // The device counts delays in steps of 10 ms.
    static constexpr int CountsPerSecond = 100;

    struct Relay
    {
        quint8 modes = 0;
        quint8 pulseSeconds = 0;
        bool operator==(const Relay &other) const
        {
            return modes == other.modes && pulseSeconds == other.pulseSeconds;
        }
    };

    Relay relay1;
    Relay relay2;
    quint8 colourScheme = 0;
    quint8 ledBehaviour = 0;
    // Set when a disturbance is the appearance of voltage, clear for its loss.
    bool triggerOnAppearance = false;
    quint16 appearanceDelayCount = 0;
    quint16 disappearanceDelayCount = 0;

    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // From a whole "DF" or "DJ" reply; a byte the block lacks reads as 0.
    static GaConfig decode(const QByteArray &block);
    // The 14-byte configuration frame with the outgoing header.
    QByteArray encode() const;
    // Factory settings, the same for both models.
    static GaConfig defaults();

    bool operator==(const GaConfig &other) const;
    bool operator!=(const GaConfig &other) const { return !(*this == other); }
};
