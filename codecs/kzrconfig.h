#pragma once

#include <QByteArray>
#include <QtGlobal>

// The KZR-1 / TLMX-1 configuration as the device keeps it; one frame layout travels both ways.
// Option bytes keep the device's bits, numbers its counts, LED colours the form's indexes.
class KzrConfig
{
public:
    // Where the frame keeps each setting, header included.
    struct Layout
    {
        static constexpr int UnlockByte = 2;
        static constexpr int UnlockTimeByte = 3;
        static constexpr int Relay1Byte = 4;
        static constexpr int Relay2Byte = 5;
        static constexpr int InputsByte = 6;
        // Delays take two bytes, high byte first.
        static constexpr int AppearanceHighByte = 7;
        static constexpr int AppearanceLowByte = 8;
        static constexpr int LossHighByte = 9;
        static constexpr int LossLowByte = 10;
        static constexpr int BlockedColourByte = 11;
        static constexpr int FreeColourByte = 12;
        static constexpr int EarthingColourByte = 13;

        // Bits beyond these carry nothing and are neither kept nor sent.
        static constexpr quint8 UnlockBits = 0x7F;
        static constexpr quint8 RelayBits = 0x1F;
        static constexpr quint8 InputBits = 0x3F;
    };

    // Bits of `unlock`: what unlocks the interlock, then the TLMX-1 special options.
    enum UnlockBit
    {
        UnlockByInput1,
        UnlockByInput2,
        UnlockByButton,
        PermanentUnlock,
        TlmxBlockingOnRelay1,
        TlmxBlockingOnRelay2,
        TlmxTwoColourBlocking,
    };
    // Bits of `relay1` and `relay2`: what drives the relay.
    enum RelaySourceBit
    {
        RelayFollowsUnlock,
        RelayRepeatsInput1,
        RelayRepeatsInput2,
        RelayFollowsButton,
        RelayFollowsVoltage,
    };
    // Bits of `inputs`: inversions, then the inputs that report a closed earthing switch.
    enum InputBit
    {
        InvertInput1,
        InvertInput2,
        InvertRelay1,
        InvertRelay2,
        EarthingOnInput1,
        EarthingOnInput2,
    };
    // LED colours in the order of the form's colour lists. NoColour stands for a received code
    // that is none of the six: it says nothing, so the form keeps its choice.
    enum Colour
    {
        NoColour = -1,
        Red,
        Violet,
        LightBlue,
        Blue,
        Green,
        Yellow,
        ColourCount
    };

    quint8 unlock = 0;
    quint8 unlockSeconds = 0;
    quint8 relay1 = 0;
    quint8 relay2 = 0;
    quint8 inputs = 0;
    quint16 voltageAppearanceMs = 0;
    quint16 voltageLossMs = 0;
    Colour blockedColour = NoColour;
    Colour freeColour = NoColour;
    Colour earthingColour = NoColour;

    // The bits of the configuration frame that the device documents as ignored or reserved:
    // whatever it returns in them, a read-back that differs only there is the frame sent.
    static QByteArray ignoredBits();
    // From a whole "DE" reply; a byte the block lacks reads as 0.
    static KzrConfig decode(const QByteArray &block);
    // The 14-byte configuration frame with the outgoing header.
    QByteArray encode() const;

    // Factory settings of each model: KZR-1 unlocks by both inputs and the button, TLMX-1
    // stays unlocked and signals blocking in two colours on relay 2.
    static KzrConfig kzrDefaults();
    static KzrConfig tlmxDefaults();

    bool operator==(const KzrConfig &other) const;
    bool operator!=(const KzrConfig &other) const { return !(*this == other); }
};
